#pragma once
// A normal-curves window shown on a shown main window, laid out as on screen.
#include "../support/shell_test_support.h"

#include "windows/normal_window.h"

#include <QAbstractButton>
#include <QCoreApplication>

class NormalWindowFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        MainWindow().resize(1300, 900);
        MainWindow().show();
        window = new TFNormales(&MainWindow(), QString());
        window->resize(1100, 720);
        window->show();
    }
    void Click(const char* name)
    {
        auto* b = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
        QCoreApplication::processEvents();
    }

    TFNormales* window = nullptr;
};
