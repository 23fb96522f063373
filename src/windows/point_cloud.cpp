#include "windows/point_cloud.h"

#include "core/random_numbers.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

bool g_reseeding = true;

QRgb ToRgb(TColor c)
{
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

void Reseed()
{
    if (g_reseeding)
        Randomize();
}

float RandomSingle()
{
    return static_cast<float>(Random());
}

} // namespace

void SetCloudReseeding(bool on)
{
    g_reseeding = on;
}

bool CloudReseeding()
{
    return g_reseeding;
}

void TPointCloud::SetArrays(int count)
{
    FPointCount = count;
    const auto n = static_cast<std::size_t>(count) + 1;
    FPoints.assign(n, TDot{});
    FStepOdds.assign(n, TOdds{});
    FPointSize.assign(n, 0);
}

void TPointCloud::InitPoints(int Count, double RedOdds)
{
    FPointCount0 = std::clamp(Count, 0, kMaxPoints);
    FRedOdds = RedOdds;
    FScaleFactor = 1.0;
    SetArrays(FPointCount0);
    FormPaint();
}

void TPointCloud::SetSize(QSize size)
{
    size = size.expandedTo(QSize(0, 0));
    if (size == m_image.size())
        return;
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(ToRgb(FBackColor));
}

void TPointCloud::Place(TDot& dot) const
{
    dot.x = std::max(static_cast<int>(Random(Width() - FMargin)), FMargin);
    dot.y = std::max(static_cast<int>(Random(Height() - FMargin)), FMargin);
}

void TPointCloud::FormPaint()
{
    Reseed();
    m_image.fill(ToRgb(FBackColor));
    for (int i = 1; i <= FPointCount; ++i) {
        TDot& dot = FPoints[static_cast<std::size_t>(i)];
        Place(dot);
        TOdds& odds = FStepOdds[static_cast<std::size_t>(i)];
        odds.px = Random(FOddsBase);
        odds.py = Random(FOddsBase);
        const double r = Random();
        std::uint8_t size = 4;
        if (r < FSizeChangeOdds)
            size = 2;
        else if (r < 1 - FSizeChangeOdds)
            size = 3;
        FPointSize[static_cast<std::size_t>(i)] = size;
        const TColor color = Random() <= FRedOdds ? FAltColor : FPointColor;
        DrawPoint(dot.x, dot.y, color, i);
    }
    FCurrent = 1;
}

void TPointCloud::PlotPoints()
{
    Reseed();
    for (int k = 1; k <= FPointCount; ++k) {
        const int j = FCurrent;
        TDot& dot = FPoints[static_cast<std::size_t>(j)];
        DrawPoint(dot.x, dot.y, FBackColor, j);
        // the odds of index k and the dot of index FCurrent run together
        const TOdds& odds = FStepOdds[static_cast<std::size_t>(k)];
        dot.x += static_cast<float>(odds.px) / 100.0f >= RandomSingle() ? -1 : 1;
        dot.y += static_cast<float>(odds.py) / 100.0f >= RandomSingle() ? -1 : 1;
        if (!(FMargin < dot.x && dot.x < Width() - FMargin && FMargin < dot.y && dot.y < Height() - FMargin))
            Place(dot);
        const TColor color = Random() <= FRedOdds ? FAltColor : FPointColor;
        std::uint8_t& size = FPointSize[static_cast<std::size_t>(j)];
        const float r = RandomSingle();
        if (r < FSizeChangeOdds && size > FMinSize)
            --size;
        if (1 - FSizeChangeOdds < r && size < FMaxSize)
            ++size;
        DrawPoint(dot.x, dot.y, color, j);
        FCurrent = FCurrent >= FPointCount ? 1 : FCurrent + 1;
    }
}

void TPointCloud::DrawPoint(int X, int Y, TColor Color, int I)
{
    if (m_image.isNull())
        return;
    const int size = I >= 0 && I < static_cast<int>(FPointSize.size()) ? FPointSize[static_cast<std::size_t>(I)] : 1;
    // offsets in the order the sizes add them: size n lights the first n
    static constexpr int kOffsets[9][2] = {{0, 0}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, -1}};
    const QRgb rgb = ToRgb(Color);
    const int w = m_image.width();
    const int h = m_image.height();
    const int n = std::clamp(size, 1, 9);
    for (int k = 0; k < n; ++k) {
        const int x = X + kOffsets[k][0];
        const int y = Y + kOffsets[k][1];
        if (x < 0 || y < 0 || x >= w || y >= h)
            continue;
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = rgb;
    }
}

void TPointCloud::TakeInitialArea(double area)
{
    if (FInitialArea <= 0.0 && area >= 1.0)
        FInitialArea = area;
}

void TPointCloud::UpdateScaleFactor(double area)
{
    FScaleFactor = FInitialArea > 0.0 ? area / FInitialArea : 1.0;
}

void TPointCloud::Resize()
{
    const double wanted = std::nearbyint(static_cast<double>(FPointCount0) * FScaleFactor);
    const int count = static_cast<int>(std::clamp(wanted, 0.0, static_cast<double>(kMaxPoints)));
    SetArrays(count);
    FormPaint();
}

TSubjectCaptions RandomSubject()
{
    TSubjectCaptions s;
    const int first = static_cast<int>(std::trunc(Random() * 1000));
    const int second = static_cast<int>(std::trunc(Random() * 1000));
    s.Subject = QStringLiteral("Sujeto: ") + QString::number(first) + QString::number(second);
    if (Random() > 0.75) {
        s.Group = QStringLiteral("Grupo de riesgo aparente");
        s.ImageIndex = 1;
    } else {
        s.Group = QStringLiteral("Grupo de población aparentemente normal");
        s.ImageIndex = 0;
    }
    s.Sex = Random() > 0.5 ? QStringLiteral("Mujer") : QStringLiteral("Hombre");
    double a = 0;
    do
        a = std::trunc(Random() * 100);
    while (a < 8 || a > 80);
    s.Age = QString::number(static_cast<int>(std::nearbyint(a))) + QStringLiteral(" años");
    return s;
}

QRgb SubjectImageColor(int ImageIndex)
{
    return ImageIndex == 1 ? qRgb(200, 0, 0) : qRgb(0, 140, 0);
}

QImage SubjectImage(int ImageIndex)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(SubjectImageColor(ImageIndex)));
    p.drawEllipse(QRect(5, 0, 6, 6));              // head
    p.drawRoundedRect(QRect(3, 7, 10, 9), 3, 3);  // body
    return image;
}
