#pragma once
// Keeps exceptions inside Qt event handlers: the error is shown in an error
// box (through the dialogs layer) and the handler returns normally.
#include <exception>
#include <utility>

namespace platform {

// Shows the text of a caught exception; never throws.
void ReportException(const char* message) noexcept;

template <class F>
void GuardEvent(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException("Unknown error");
    }
}

} // namespace platform
