#include "chart/plot_geometry.h"

#include "platform/drawing_device.h"

platform::Rect ToDeviceRect(const TRect& R)
{
    return platform::Rect{R.Left, R.Top, R.Right, R.Bottom};
}
