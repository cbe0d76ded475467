#include "vorlesen.h"

#include <QAccessible>
#include <QLabel>
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

void sagAn(const QLabel* zeile, Dringlichkeit dringlichkeit)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (zeile->text().isEmpty())
        return;
    QAccessibleAnnouncementEvent ereignis(const_cast<QLabel*>(zeile), zeile->text());
    ereignis.setPoliteness(dringlichkeit == Dringlichkeit::Sofort ? QAccessible::AnnouncementPoliteness::Assertive
                                                                  : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&ereignis);
#else
    Q_UNUSED(zeile);
    Q_UNUSED(dringlichkeit);
#endif
}

} // namespace olvani::vorlesen
