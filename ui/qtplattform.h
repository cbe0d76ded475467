#pragma once

#include "plattform.h"

#include <QPointer>
#include <QWidget>

namespace olvani {

// The desktop behind the seam: Qt message boxes, the system beep and the
// end of the event loop.
class QtPlattform : public Plattform {
public:

    // The window the messages speak for: they are its children, so that every
    // window manager keeps them above it and places them over it.
    void setzeFenster(QWidget* fenster) { fenster_ = fenster; }

    void meldung(const std::string& text, Symbol symbol) override;
    void signalton() override;
    void beenden(int status) override;

private:
    QPointer<QWidget> fenster_;
};

} // namespace olvani
