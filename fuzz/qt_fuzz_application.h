#pragma once
// The application object a Qt fuzz target needs, offscreen unless the
// environment names a platform.
#include <QApplication>

#include <cstdlib>

inline void StartFuzzApplication(int* argc, char*** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QApplication(*argc, *argv);
}
