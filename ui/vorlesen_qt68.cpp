// Qt 6.8 and later: the texts go out as one polite announcement.
#include "vorlesen.h"

#include <QAccessible>
#include <QLabel>
#include <QStringList>

namespace olvani::vorlesen {

namespace {

// Who raises the announcement. On Windows it becomes a UI Automation
// notification, and NVDA takes one only from an element it can tie to a
// native window among its ancestors; a label has none of its own in Qt, so
// the window raises it there. Orca reads it from the label.
QObject* quelle(const QLabel* zeile)
{
#ifdef Q_OS_WIN
    return zeile->window();
#else
    return const_cast<QLabel*>(zeile);
#endif
}

} // namespace

// One announcement from the first label: Orca drops a second one that follows
// within a tenth of a second, and a polite one does not cut off the report of
// where the focus went.
void sagAn(std::initializer_list<const QLabel*> zeilen, const QWidget*)
{
    QStringList texte;
    for (const QLabel* zeile : zeilen)
        if (!gesagt(zeile).isEmpty())
            texte << gesagt(zeile);
    if (texte.isEmpty())
        return;
    QAccessibleAnnouncementEvent ereignis(quelle(*zeilen.begin()), texte.join(QLatin1Char('\n')));
    ereignis.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&ereignis);
}

// An announcement leaves nothing behind.
void vergissAnsage() {}

} // namespace olvani::vorlesen
