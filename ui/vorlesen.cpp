// What every Qt version does alike: the question as the answer box's
// description, and the quiet bridge.
#include "vorlesen.h"

#include <QAccessible>
#include <QLabel>
#include <QLoggingCategory>
#include <QWidget>

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

void neueFrage(QWidget* antwortfeld, QWidget* fragefeld, const QString& gezeigt)
{
    vergissAnsage();
    beschreibe(fragefeld, QString());
    beschreibe(antwortfeld, gezeigt);
}

void keineFrage(QWidget* txtDeutsch, QWidget* txtOlvani)
{
    beschreibe(txtDeutsch, QString());
    beschreibe(txtOlvani, QString());
}

QString gesagt(const QLabel* zeile)
{
    return zeile->accessibleName().isEmpty() ? zeile->text() : zeile->accessibleName();
}

void schweigeBruecke()
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.accessibility.atspi=false"));
}

} // namespace olvani::vorlesen
