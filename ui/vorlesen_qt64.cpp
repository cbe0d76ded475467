// Qt before 6.8 has no announcement, screen readers skip name changes of a
// label without the focus, and Orca 43 cannot read the description change of
// a control that already has the focus. So when the focus has moved since the
// action began, or the window is waiting for it to come back from a message
// box, the texts become the description of the focused control, heard with
// it, until the focus leaves it or vergissAnsage() is called; when the focus
// stayed, they are shown as a notification in a status bar that has no size.
#include "vorlesen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace olvani::vorlesen {

namespace {

// The verdict lent to the focused control. A child of that control, so that
// it goes with it; watches it for the focus leaving.
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

// Orca 43 speaks a notification when it is shown, and without its role name
// when it sits in a status bar. Both are empty widgets without size; they
// only exist for the screen reader.
class Statusleiste : public QWidget {
public:
    using QWidget::QWidget;
};
class Hinweis : public QWidget {
public:
    using QWidget::QWidget;
};

QAccessibleInterface* rolleFuer(const QString&, QObject* objekt)
{
    if (auto* leiste = dynamic_cast<Statusleiste*>(objekt))
        return new QAccessibleWidget(leiste, QAccessible::StatusBar);
    if (auto* hinweis = dynamic_cast<Hinweis*>(objekt))
        return new QAccessibleWidget(hinweis, QAccessible::Notification);
    return nullptr;
}

QPointer<Hinweis> hinweis;

void zeigeHinweis(QWidget* fenster, const QString& text)
{
    if (!hinweis || hinweis->window() != fenster) {
        static const bool eingerichtet = (QAccessible::installFactory(rolleFuer), true);
        Q_UNUSED(eingerichtet);
        auto* leiste = new Statusleiste(fenster);
        leiste->setObjectName(QStringLiteral("vorleseleiste"));
        leiste->setGeometry(0, 0, 0, 0);
        leiste->show();
        hinweis = new Hinweis(leiste);
        hinweis->setObjectName(QStringLiteral("vorlesehinweis"));
        hinweis->setGeometry(0, 0, 0, 0);
    }
    // Hidden first, so that the same text shown again is heard again.
    hinweis->hide();
    hinweis->setAccessibleName(text);
    hinweis->show();
}

} // namespace

void sagAn(std::initializer_list<const QLabel*> zeilen, const QWidget* fokusVorher)
{
    QStringList texte;
    for (const QLabel* zeile : zeilen)
        if (!gesagt(zeile).isEmpty())
            texte << gesagt(zeile);
    QWidget* fenster = (*zeilen.begin())->window();
    QWidget* fokus = fenster->focusWidget();
    // Orca speaks the description of a control the focus arrives at, also
    // when it comes back after a message box closed; a control that was
    // announced already keeps silent about a new one.
    const bool fokusWirdAngesagt = fokus && (fokus != fokusVorher || !fenster->isActiveWindow());
    // What was said before goes, unless the new text is lent to the same
    // control again.
    if (!geliehen || geliehen->feld() != fokus || !fokusWirdAngesagt)
        vergissAnsage();
    if (texte.isEmpty())
        return;
    if (!fokusWirdAngesagt) {
        zeigeHinweis(fenster, texte.join(QLatin1Char('\n')));
        return;
    }
    if (!geliehen)
        geliehen = new GeliehenerText(fokus);
    beschreibe(fokus, texte.join(QLatin1Char('\n')));
}

void vergissAnsage()
{
    if (geliehen)
        geliehen->gibZurueck();
    geliehen = nullptr;
    if (hinweis)
        hinweis->hide();
}

} // namespace olvani::vorlesen
