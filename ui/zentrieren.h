#pragma once

class QWidget;

namespace olvani {

// Centres a top-level window on its screen's available area, frame and
// title bar included. Under X the frame is known only once a window manager
// has framed the shown window, so the window is placed by its client area
// first and moved once more when the frame appears. On a bare X server, or
// offscreen, there is no frame and the first placement stands. Windows knows
// the frame once the window is created, which this does at once.
void zentriere(QWidget* fenster);

} // namespace olvani
