#pragma once
// A 2D chart in a shown window, painted and clicked through the window system.
#include <gtest/gtest.h>

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "chart/chart.h"

class ShownChartTest : public ::testing::Test {
protected:
    // The chart at Geometry in a host window of HostSize; the test's own
    // set-up comes before Show().
    ShownChartTest(QSize HostSize, QRect Geometry)
    {
        host.resize(HostSize);
        chart = new TChart(&host);
        chart->setGeometry(Geometry);
        chart->SetView3D(false);
    }
    void Show()
    {
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // Input through the window system, at chart positions.
    QWindow* Window() { return host.windowHandle(); }
    QPoint InHost(QPoint P) const { return chart->mapTo(&host, P); }
    void ClickAt(QPoint P, Qt::MouseButton B = Qt::LeftButton) { QTest::mouseClick(Window(), B, {}, InHost(P)); }
    void MoveTo(QPoint P) { QTest::mouseMove(Window(), InHost(P)); }

    // What the chart shows, as is, and after a paint of the window.
    QImage Grab() const { return chart->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Shot()
    {
        chart->repaint();
        return Grab();
    }
    // A colour as a pixel's red, green and blue (no alpha).
    static QRgb Rgb(TColor C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF) & 0xFFFFFF; }
    static QPoint PointOf(const TChartSeries& S, int I) { return {S.CalcXPos(I), S.CalcYPos(I)}; }
    // How many pixels of the rectangle (edges included) have that colour.
    static int CountOf(const QImage& Image, const TRect& R, QRgb Colour)
    {
        int n = 0;
        for (int y = R.Top; y <= R.Bottom; ++y)
            for (int x = R.Left; x <= R.Right; ++x)
                if (x >= 0 && y >= 0 && x < Image.width() && y < Image.height()
                    && (Image.pixel(x, y) & 0xFFFFFF) == (Colour & 0xFFFFFF))
                    ++n;
        return n;
    }
    static QPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    QObject form;
    QWidget host;
    TChart* chart = nullptr;
};
