#pragma once
// Screenshots of window tests: the widget grabbed after pending events, saved
// as a PNG beside the test program (build/tests).
#include <QCoreApplication>
#include <QImage>
#include <QWidget>

inline QImage SaveShot(QWidget& widget, const char* file)
{
    QCoreApplication::processEvents();
    const QImage image = widget.grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(file));
    return image;
}
