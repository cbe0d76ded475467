#include "vorlesen.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QPointer>
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

namespace {

// The verdict lent to the focused control, for Qt before 6.8. A child of that
// control, so that it goes with it; watches it for the focus leaving.
class GeliehenerText : public QObject {
public:
    explicit GeliehenerText(QWidget* feld) : QObject(feld), vorher_(feld->accessibleDescription())
    {
        feld->installEventFilter(this);
    }
    QWidget* feld() const { return static_cast<QWidget*>(parent()); }
    void gibZurueck()
    {
        feld()->removeEventFilter(this);
        feld()->setAccessibleDescription(vorher_);
        deleteLater();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut)
            vergissAnsage();
        return false;
    }

private:
    QString vorher_;
};

// At most one control carries a verdict: the one with the focus.
QPointer<GeliehenerText> geliehen;

} // namespace

void sagAn(std::initializer_list<const QLabel*> zeilen)
{
    QStringList texte;
    for (const QLabel* zeile : zeilen)
        if (!zeile->text().isEmpty())
            texte << zeile->text();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (texte.isEmpty())
        return;
    QAccessibleAnnouncementEvent ereignis(const_cast<QLabel*>(*zeilen.begin()), texte.join(QLatin1Char('\n')));
    ereignis.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&ereignis);
#else
    // Orca speaks a change of the focused control's description, and the
    // description with the focus coming back after a message box closed.
    QWidget* fokus = (*zeilen.begin())->window()->focusWidget();
    if (geliehen && geliehen->feld() != fokus)
        vergissAnsage();
    if (!fokus || texte.isEmpty())
        return;
    if (!geliehen)
        geliehen = new GeliehenerText(fokus);
    beschreibe(fokus, texte.join(QLatin1Char('\n')));
#endif
}

void vergissAnsage()
{
    if (geliehen)
        geliehen->gibZurueck();
    geliehen = nullptr;
}

} // namespace olvani::vorlesen
