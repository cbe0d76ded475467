// Start-up as the learner feels it: the time from starting a program to the
// X server mapping its first window, for the trainer and for a Qt window that
// shows one line of text (the floor every Qt program pays). Runs alternate,
// so that the machine's noise hits both alike; medians and their ratio are
// printed.
//
//   olvani-startzeit PROGRAM FLOOR [RUNS]
//
// DISPLAY must name an X server without other clients starting windows;
// scripts/benchmark.sh starts a private Xvfb for it. Each run starts in an
// empty folder, so the trainer shows its start window and waits.
#include <X11/Xlib.h>

#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using Uhr = std::chrono::steady_clock;

// Milliseconds from exec to the first MapNotify of a top-level window, or
// nothing when none appears within ten seconds.
std::optional<double> bisZumFenster(Display* anzeige, const char* programm)
{
    XSync(anzeige, True); // forget what earlier runs left behind
    const auto anfang = Uhr::now();
    const pid_t kind = fork();
    if (kind == 0) {
        execl(programm, programm, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<double> dauer;
    const int verbindung = ConnectionNumber(anzeige);
    while (!dauer && Uhr::now() - anfang < std::chrono::seconds(10)) {
        while (!dauer && XPending(anzeige)) {
            XEvent ereignis;
            XNextEvent(anzeige, &ereignis);
            if (ereignis.type == MapNotify)
                dauer = std::chrono::duration<double, std::milli>(Uhr::now() - anfang).count();
        }
        fd_set lesbar;
        FD_ZERO(&lesbar);
        FD_SET(verbindung, &lesbar);
        timeval warte{0, 2000};
        select(verbindung + 1, &lesbar, nullptr, nullptr, &warte);
    }
    kill(kind, SIGKILL);
    waitpid(kind, nullptr, 0);
    return dauer;
}

double median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM FLOOR [RUNS]\n", argv[0]);
        return 2;
    }
    const int laeufe = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    Display* anzeige = XOpenDisplay(nullptr);
    if (!anzeige) {
        std::fprintf(stderr, "FAIL: no X server (DISPLAY)\n");
        return 2;
    }
    XSelectInput(anzeige, DefaultRootWindow(anzeige), SubstructureNotifyMask);

    const auto programm = std::filesystem::absolute(argv[1]).string();
    const auto boden = std::filesystem::absolute(argv[2]).string();
    char vorlage[] = "/tmp/olvani-startzeit-XXXXXX";
    if (!mkdtemp(vorlage) || chdir(vorlage) != 0) {
        std::fprintf(stderr, "FAIL: no empty folder to start in\n");
        return 2;
    }
    std::vector<double> trainer, text;
    for (int i = 0; i < laeufe; ++i) {
        const auto a = bisZumFenster(anzeige, programm.c_str());
        const auto b = bisZumFenster(anzeige, boden.c_str());
        if (!a || !b) {
            std::fprintf(stderr, "FAIL: %s showed no window\n", a ? boden.c_str() : programm.c_str());
            return 1;
        }
        trainer.push_back(*a);
        text.push_back(*b);
    }
    rmdir(vorlage);
    XCloseDisplay(anzeige);
    const double t = median(trainer), b = median(text);
    std::printf("start window: trainer %.2f ms, Qt text window %.2f ms (medians of %d), ratio %.2f\n", t, b, laeufe, t / b);
    return 0;
}
