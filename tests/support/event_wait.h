#pragma once
// Waiting on asynchronous Qt work (WebEngine loads) without sleeping.
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>

// Runs the event loop until done() holds or timeoutMs passes; answers done().
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}
