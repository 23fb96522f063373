#pragma once
// The binomial-trials window shown on a shown main window, laid out as on
// screen; the clock's counter seeds its generator with 1234 and the waits
// between trials are noted instead of waited.
#include "../support/shell_test_support.h"

#include "testing/settable_clock.h"
#include "windows/process_window.h"

#include <QString>

#include <vector>

class ProcessWindowFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        MainWindow().resize(1300, 900);
        MainWindow().show();
        clock.SetCounter(1234);
        window = new TFProceso(&MainWindow(), QString());
        window->WaitSeconds = [this](double s) {
            waits.push_back(s);
            Waited(s);
        };
        window->resize(1200, 800);
        window->show();
        window->FormActivate();
    }
    // Called at each wait, after it is noted.
    virtual void Waited(double) {}
    template <typename T>
    T* Find(const char* name) const
    {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    platform::SettableClock clock;
    platform::ScopedClock clockInForce{clock};
    TFProceso* window = nullptr;
    std::vector<double> waits;
};
