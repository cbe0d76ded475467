#include "startfenster.h"

#include "schriften.h"
#include "twips.h"
#include "version.h"
#include "zentrieren.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace olvani {

namespace {

QString versionsText()
{
    return QStringLiteral("Version %1").arg(QLatin1String(versionsnummer));
}

// Labels have no handlers: a click on one must not reach the frame behind it.
QLabel* beschriftung(QWidget* eltern, const QString& text, QRect rechteck, Qt::Alignment ausrichtung, QFont font)
{
    auto* label = new QLabel(text, eltern);
    label->setGeometry(rechteck);
    label->setAlignment(ausrichtung | Qt::AlignTop);
    label->setFont(font);
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

// A one-line caption wider than its rectangle grows from its left edge,
// keeping its right edge, so the whole text shows.
void ganzZeigen(QLabel* label)
{
    const int noetig = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (noetig > label->width()) {
        QRect r = label->geometry();
        r.setLeft(r.right() + 1 - noetig);
        label->setGeometry(r);
    }
}

} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Olvani-Trainer"));
    setFixedSize(px(7380), px(5190));
    setFont(schrift("MS Sans Serif", 8.25, false));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    Frame1->setGeometry(twipsRechteck(150, 60, 7080, 4995));
    Frame1->installEventFilter(this);

    beschriftung(Frame1, QStringLiteral("Betaversion"), twipsRechteck(4800, 240, 2055, 255), Qt::AlignRight,
                 schrift("Arial", 8.25, true));
    auto* gruss = beschriftung(Frame1, QStringLiteral("Bemoka!"), twipsRechteck(240, 1080, 1245, 435), Qt::AlignLeft,
                               schrift("Arial", 18, true));
    gruss->setObjectName(QStringLiteral("lblCompanyProduct"));
    beschriftung(Frame1, QStringLiteral("Olvani-Trainer"), twipsRechteck(120, 1560, 6855, 765), Qt::AlignHCenter,
                 schrift("Arial", 32.25, true))
        ->setObjectName(QStringLiteral("lblProductName"));
    lblVersion = beschriftung(Frame1, QStringLiteral("Version"), twipsRechteck(5970, 2700, 885, 285), Qt::AlignRight,
                              schrift("Arial", 12, true));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* hinweis = beschriftung(Frame1,
                                 QStringLiteral("Der Olvani-Trainer versucht nun, die Textdatei \"olvni.txt\" zu laden!"),
                                 twipsRechteck(120, 3720, 6855, 675), Qt::AlignHCenter, schrift("Arial", 9.75, true));
    hinweis->setObjectName(QStringLiteral("lblWarning"));
    hinweis->setWordWrap(true);

    Command1 = new QPushButton(QStringLiteral("olvani.txt laden und starten"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRechteck(2123, 4320, 3135, 495));
    Command1->setFont(schrift("MS Sans Serif", 8.25, true));
    Command1->setAutoDefault(false);
    Command1->installEventFilter(this);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &frmSplash::ladenGewuenscht);

    installEventFilter(this); // key preview: every key typed while the window is active

    // The load handler: the version comes from the project's version number.
    lblVersion->setText(versionsText());

    zentriere(this);
}

void frmSplash::showEvent(QShowEvent* ereignis)
{
    QWidget::showEvent(ereignis);
    if (QWindow* fenster = windowHandle())
        fenster->installEventFilter(this);
}

// Measuring a text loads the fonts, which takes as long as opening the window
// itself. Done when the window is first exposed, it runs while the window
// appears and still before anything is drawn.
void frmSplash::zeigeBeschriftungenGanz()
{
    auto* gruss = findChild<QLabel*>(QStringLiteral("lblCompanyProduct"));
    gruss->resize(qMax(gruss->width(), gruss->fontMetrics().horizontalAdvance(gruss->text()) + 2), gruss->height());
    ganzZeigen(lblVersion);
}

bool frmSplash::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == windowHandle() && ereignis->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        zeigeBeschriftungenGanz();
        // Queued, so that the window is drawn first.
        QTimer::singleShot(0, this, &frmSplash::aufDemBildschirm);
        return false;
    }
    if (ereignis->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        const bool knopfTaste = taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter
                                || taste->key() == Qt::Key_Space;
        // The button is the only control that takes the focus: Enter and
        // Space press it, as everywhere on the desktop, also before the
        // window has given it the focus. Every other character key closes
        // the window.
        if (knopfTaste) {
            if (!taste->isAutoRepeat())
                Command1->click();
            return true;
        }
        if (!taste->text().isEmpty()) {
            schliessenOhneLaden();
            return true;
        }
    } else if (objekt == Frame1 && ereignis->type() == QEvent::MouseButtonPress) {
        return true; // keeps the release for the frame
    } else if (objekt == Frame1 && ereignis->type() == QEvent::MouseButtonRelease) {
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        if (maus->button() == Qt::LeftButton && Frame1->rect().contains(maus->position().toPoint())) {
            schliessenOhneLaden();
            return true;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void frmSplash::schliessenOhneLaden()
{
    close();
    emit ohneLadenGeschlossen();
}

} // namespace olvani
