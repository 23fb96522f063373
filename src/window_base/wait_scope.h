#pragma once
// The wait window for the length of a piece of work: shown by the
// constructor, freed by the destructor (also when the work throws). The
// window in force can be closed from the application's error handling.
#include <QPointer>
#include <QString>

#include "window_base/message_window.h"

class TWaitScope {
public:
    TWaitScope(const QString& Text, int FontSize, bool WithBackdrop, int Height, int Width);
    ~TWaitScope();
    TWaitScope(const TWaitScope&) = delete;
    TWaitScope& operator=(const TWaitScope&) = delete;

    // Frees the window now.
    void Free();
    TFMsge* Window() const { return m_window.data(); }

private:
    QPointer<TFMsge> m_window;
};

// Frees the wait window in force, if any.
void CloseWaitWindow();
// The wait window in force, or nullptr.
TFMsge* CurrentWaitWindow();
