#pragma once
// A parent window painted in one colour, to see where a child lets it through.
#include <QColor>
#include <QPalette>
#include <QWidget>

inline void FillWithColour(QWidget& window, const QColor& colour)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, colour);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}
