#pragma once

#include "platform/drawing_device.h"

// How many pixels two pictures of one size differ in; -1 when the sizes differ.
inline int DifferingPixels(const platform::Bitmap& a, const platform::Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            n += a.RawPixel(x, y) != b.RawPixel(x, y);
    return n;
}
