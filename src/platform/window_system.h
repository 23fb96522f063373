#pragma once
// What the window system does with the program's windows beyond drawing
// them: whether it shows a window's opacity, and putting what was painted
// on the screen now.
#include <optional>

class QWidget;

namespace platform {

// True when a window's opacity shows on screen: an X11 desktop dims only
// with a compositing manager running; other window systems always do.
bool WindowOpacityShows();
// Tests decide the answer; nullopt asks the window system again.
void SetWindowOpacityShows(std::optional<bool> answer);

// Paints what waits to be painted in the widget's window and hands it to the
// window system before returning, so that it is on the screen while the
// caller keeps the thread busy (a wait that handles no message). A repaint
// alone may leave the picture for the next pass of the event loop.
void ShowPaintedNow(QWidget* widget);

} // namespace platform
