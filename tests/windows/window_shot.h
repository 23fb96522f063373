#pragma once
// Screenshots of window tests: the widget grabbed after pending events, saved
// as a PNG beside the test program (build/tests).
#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <QWidget>

inline QImage SaveShot(QWidget& widget, const char* file)
{
    QCoreApplication::processEvents();
    const QImage image = widget.grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(file));
    return image;
}

// Colours in the picture, sampled every third pixel: a page that drew
// nothing has one or two.
inline int ColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}
