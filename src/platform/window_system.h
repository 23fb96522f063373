#pragma once
// What the window system does with the program's windows beyond drawing
// them: whether it shows a window's opacity.
#include <optional>

namespace platform {

// True when a window's opacity shows on screen: an X11 desktop dims only
// with a compositing manager running; other window systems always do.
bool WindowOpacityShows();
// Tests decide the answer; nullopt asks the window system again.
void SetWindowOpacityShows(std::optional<bool> answer);

} // namespace platform
