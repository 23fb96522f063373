#pragma once
// The application object: every event goes through notify(), which keeps
// exceptions from leaving an event handler.
#include <QApplication>
#include <functional>

class TVexaApplication : public QApplication {
    Q_OBJECT
public:
    TVexaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// What the application does with an exception caught at an event boundary:
// closes the wait window, then shows the error box with the message.
void HandleEventException(const char* message) noexcept;

// Runs OnClosed once Window has accepted a close and gone from the screen,
// however long the questions of its closing took: the program ends with its
// main window, whatever other top-level windows are still shown.
void WhenMainWindowCloses(QWidget* Window, std::function<void()> OnClosed);

// Shows the main window and runs the event loop until it closes; answers the
// loop's exit code.
int RunMainWindow(QWidget& MainWindow);
