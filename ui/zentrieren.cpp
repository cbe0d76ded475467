#include "zentrieren.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace olvani {

namespace {

void setzeMittig(QWidget* fenster)
{
    const QScreen* bildschirm = fenster->screen();
    if (!bildschirm)
        return;
    // For a top-level window, move() places the frame's top-left corner.
    const QRect rahmen(QPoint(0, 0), fenster->frameGeometry().size());
    fenster->move(bildschirm->availableGeometry().center() - rahmen.center());
}

#ifdef Q_OS_LINUX
// Watches the window until its frame is known, then centres it once more and
// goes away. The window manager reports the frame around the time it maps the
// window, which Qt passes on as a move of the window.
class Rahmenwaechter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        const QEvent::Type art = ereignis->type();
        if (art == QEvent::Move || art == QEvent::Show || art == QEvent::WindowActivate) {
            auto* fenster = static_cast<QWidget*>(objekt);
            if (fenster->isVisible() && fenster->frameGeometry().size() != fenster->size()) {
                fenster->removeEventFilter(this);
                deleteLater();
                setzeMittig(fenster);
            }
        }
        return false;
    }
};
#endif

} // namespace

void zentriere(QWidget* fenster)
{
#ifdef Q_OS_LINUX
    setzeMittig(fenster);
    fenster->installEventFilter(new Rahmenwaechter(fenster));
#else
    // Windows knows a window's frame as soon as the window exists.
    fenster->winId();
    setzeMittig(fenster);
#endif
}

} // namespace olvani
