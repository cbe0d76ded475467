#pragma once

#include "plattform.h"
#include "quiz/zufallsquelle.h"

#include <QPointer>
#include <QWidget>

#include <random>

namespace olvani {

// The desktop behind the seam: Qt message boxes, the system beep, a clock-
// seeded generator and the end of the event loop.
class QtPlattform : public Plattform, public Zufallsquelle {
public:
    QtPlattform();

    // The window the messages speak for: they are its children, so that every
    // window manager keeps them above it and places them over it.
    void setzeFenster(QWidget* fenster) { fenster_ = fenster; }

    void meldung(const std::string& text, Symbol symbol) override;
    void signalton() override;
    void beenden(int status) override;
    double r() override;

private:
    std::mt19937_64 generator_;
    QPointer<QWidget> fenster_;
};

} // namespace olvani
