#include "vorlesen.h"

#include <QAccessible>
#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <QtGlobal>

namespace olvani::vorlesen {

void beschreibe(QWidget* feld, const QString& text)
{
    if (feld->accessibleDescription() != text) {
        feld->setAccessibleDescription(text); // raises DescriptionChanged itself
        return;
    }
    if (text.isEmpty())
        return;
    QAccessibleEvent ereignis(feld, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&ereignis);
}

void sagAn(std::initializer_list<const QLabel*> zeilen)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QStringList texte;
    for (const QLabel* zeile : zeilen)
        if (!zeile->text().isEmpty())
            texte << zeile->text();
    if (texte.isEmpty())
        return;
    QAccessibleAnnouncementEvent ereignis(const_cast<QLabel*>(*zeilen.begin()), texte.join(QLatin1Char('\n')));
    ereignis.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&ereignis);
#else
    Q_UNUSED(zeilen);
#endif
}

} // namespace olvani::vorlesen
