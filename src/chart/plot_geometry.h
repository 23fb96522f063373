#pragma once
// Integer points and rectangles of the chart engine (pixels; Right/Bottom as the caller uses them).
#include <compare>

namespace platform {
struct Rect;
}

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
    bool operator==(const TPoint3D&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// The one conversion between the chart's rectangle (the system's TRect, kept
// for its field names) and the drawing device's platform::Rect: the same four
// edges, unchanged.
platform::Rect ToDeviceRect(const TRect& R);
