#pragma once

namespace olvani {

// Chooses Qt's window platform; call it before the QApplication exists.
// The trainer places its own windows and must end when they end, which a
// Wayland client cannot rely on. So in a Wayland session that offers an X
// display (XWayland) it runs through X, with Wayland as the fallback, unless
// the learner chose a platform in QT_QPA_PLATFORM. Elsewhere (Windows, where
// Wine even passes WAYLAND_DISPLAY on) Qt's own platform stands.
void waehleFensterplattform();

} // namespace olvani
