// Qt 6.8 and later: the texts go out as one polite announcement.
#include "vorlesen.h"

#include <QAccessible>
#include <QLabel>
#include <QStringList>

namespace olvani::vorlesen {

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
    QAccessibleAnnouncementEvent ereignis(const_cast<QLabel*>(*zeilen.begin()), texte.join(QLatin1Char('\n')));
    ereignis.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&ereignis);
}

// An announcement leaves nothing behind.
void vergissAnsage() {}

} // namespace olvani::vorlesen
