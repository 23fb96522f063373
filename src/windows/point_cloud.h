#pragma once
// The population window's cloud of wandering dots: dot positions, step odds
// and sizes, their placement, one animation step and the drawing of single
// dots into a pixel image (paint-box pixels, 0x00BBGGRR colours). The cloud
// is decoration: it does not read the population model.
#include "base/basic_types.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

// Re-seeding the generator from the clock at each placement and step (on by
// default); off lets a run be replayed from a known seed.
void SetCloudReseeding(bool on);
bool CloudReseeding();

class TPointCloud {
public:
    struct TDot {
        int x = 0;
        int y = 0;
    };
    struct TOdds {
        int px = 0;
        int py = 0;
    };

    // Most dots a cloud holds, however large its area grows.
    static constexpr int kMaxPoints = 20000;

    // Count dots (index 0 unused), red with odds RedOdds.
    void InitPoints(int Count, double RedOdds);
    // Resizes the pixel image to the paint box (white) and places every dot.
    void SetSize(QSize size);
    // Places and draws every dot; FCurrent back to 1.
    void FormPaint();
    // One step: every dot erased, moved one pixel, recoloured, resized, drawn.
    void PlotPoints();
    // Dot I drawn at (X, Y) in Color with its current size.
    void DrawPoint(int X, int Y, TColor Color, int I);

    // The area of the first layout becomes the reference (once; areas below 1
    // are not taken).
    void TakeInitialArea(double area);
    bool HasInitialArea() const { return FInitialArea > 0.0; }
    // Current area / reference area; stays 1 until the reference is taken.
    void UpdateScaleFactor(double area);
    // New arrays for Round(FPointCount0 x FScaleFactor) dots (at most
    // kMaxPoints), then placed anew.
    void Resize();

    int PointCount() const { return FPointCount; }
    int PointCount0() const { return FPointCount0; }
    double InitialArea() const { return FInitialArea; }
    double ScaleFactor() const { return FScaleFactor; }
    int Current() const { return FCurrent; }
    const std::vector<TDot>& Points() const { return FPoints; }
    const std::vector<TOdds>& StepOdds() const { return FStepOdds; }
    std::vector<std::uint8_t>& PointSize() { return FPointSize; }
    const std::vector<std::uint8_t>& PointSize() const { return FPointSize; }
    void SetPoint(int i, int x, int y) { FPoints[static_cast<std::size_t>(i)] = {x, y}; }
    const QImage& Image() const { return m_image; }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }

    TColor BackColor() const { return FBackColor; }
    TColor PointColor() const { return FPointColor; }
    TColor AltColor() const { return FAltColor; }
    int Margin() const { return FMargin; }

private:
    void Place(TDot& dot) const;
    void SetArrays(int count);

    int FPointCount0 = 1000;
    int FPointCount = 1000;
    double FInitialArea = 0.0;  // 0 until the first layout
    double FScaleFactor = 1.0;
    std::vector<TDot> FPoints;
    std::vector<TOdds> FStepOdds;
    std::vector<std::uint8_t> FPointSize;
    double FRedOdds = 0.15;
    int FMargin = 10;
    int FOddsBase = 100;
    int FMinSize = 1;
    int FMaxSize = 10;
    float FSizeChangeOdds = 0.25f;
    TColor FBackColor = 0xFFFFFF;
    TColor FPointColor = 0;
    TColor FAltColor = 255;
    int FCurrent = 1;
    QImage m_image;
};

// The made-up subject the paint box's popup shows.
struct TSubjectCaptions {
    QString Subject;  // "Sujeto: " and two numbers
    QString Group;
    int ImageIndex = 0;
    QString Sex;
    QString Age;  // "NN años"
};
TSubjectCaptions RandomSubject();
// The subject popup's pictures: 0 a person of the normal group (green), 1 one
// of the risk group (red); 16 x 16 on a clear background.
QImage SubjectImage(int ImageIndex);
// The colour that fills picture ImageIndex.
QRgb SubjectImageColor(int ImageIndex);
