// TChartAxis: label values, texts and their placement and drawing.
#include <QPointer>

#include <algorithm>
#include <cmath>

#include "chart/axis_items.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_font.h"
#include "chart/plot_procs.h"
#include "core/date_time.h"
#include "core/number_format.h"

namespace {

// Most labels the standard and logarithmic rules place.
constexpr int MaxAxisLabels = 10000;
// Last index OnGetNextAxisLabel is asked for.
constexpr int MaxNextLabelIndex = 2000;

constexpr unsigned TaLeft = 0;
constexpr unsigned TaRight = 2;
constexpr unsigned TaCenter = 6;
constexpr unsigned TaTop = 0;
constexpr unsigned TaBottom = 8;

std::vector<std::string> SplitLines(const std::string& Text, char Separator)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = Text.find(Separator, start);
        lines.push_back(Text.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos)
            break;
        start = p + 1;
    }
    return lines;
}

// The series carries its own Z values (a value list named "Z").
bool HasZValues(const TChartSeries& S)
{
    return &S.ValueListByName("Z") != &S.YValues();
}

}  // namespace

double StepBackAxisDate(int StepIndex, double Value)
{
    int y = 0;
    int m = 0;
    int d = 0;
    if (!DecodeDate(Value, y, m, d))
        return Value;
    if (StepIndex == dtHalfMonth) {
        if (d > 15) {
            d = 15;
        } else if (d > 1) {
            d = 1;
        } else {
            d = 15;
            if (--m < 1) {
                m = 12;
                --y;
            }
        }
    } else if (StepIndex == dtOneYear) {
        --y;
    } else {
        static constexpr int months[] = {1, 2, 3, 4, 6};
        m -= months[StepIndex - dtOneMonth];
        while (m < 1) {
            m += 12;
            --y;
        }
    }
    if (y < 1)
        return Value - DateTimeStep[static_cast<std::size_t>(StepIndex)];
    d = std::min(d, DaysInMonth(y, m));
    return EncodeDate(y, m, d);
}

std::string TChartAxis::CallGetAxisLabel(TChartSeries* Series, int ValueIndex, std::string Text)
{
    if (m_chart && m_chart->OnGetAxisLabel)
        m_chart->OnGetAxisLabel(*this, Series, ValueIndex, Text);
    return Text;
}

std::string TChartAxis::LabelValue(double Value)
{
    std::string text;
    if (m_isDateTimeAxis) {
        if (Value >= 0) {
            const TFormatSettings& settings = DefaultFormatSettings();
            std::string format = m_dateTimeFormat;
            if (format.empty())
                format = m_drawIncrement <= 1 ? settings.ShortTimeFormat : settings.ShortDateFormat;
            text = FormatDateTime(format, Value, settings);
        }
    } else {
        text = FormatFloat(m_axisValuesFormat, Value);
    }
    text = CallGetAxisLabel(nullptr, -1, std::move(text));
    if (m_labelsMultiLine)
        std::replace(text.begin(), text.end(), ' ', m_chart ? m_chart->LabelLineSeparator() : LineSeparator());
    return text;
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const
{
    TAxisLabelStyle result = talNone;
    if (!m_chart)
        return result;
    for (int i = 0; i < m_chart->SeriesCount(); ++i) {
        const TChartSeries* s = m_chart->Series(i);
        if (!s || !s->Active() || !s->AssociatedToAxis(this))
            continue;
        result = talValue;
        if (HasZValues(*s) || s->MandatoryAxis() == this)
            continue;
        for (int j = 0; j < s->Labels().Count(); ++j)
            if (!s->Labels().Label(j).empty())
                return talText;
    }
    return result;
}

TAxisLabelStyle TChartDepthAxis::CalcLabelStyle() const
{
    if (m_chart) {
        for (int i = 0; i < m_chart->SeriesCount(); ++i) {
            const TChartSeries* s = m_chart->Series(i);
            if (s && s->Active() && (HasZValues(*s) || s->MinZValue() != s->MaxZValue()))
                return talValue;
        }
    }
    return talText;
}

int TChartAxis::FontHeightW()
{
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    return canvas ? canvas->FontHeight() : 0;
}

int TChartAxis::LabelSizeOf(double Value)
{
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return 0;
    canvas->AssignFont(LabelsFont());
    int lines = 1;
    const int width = m_chart->MultiLineTextWidth(LabelValue(Value), lines);
    const bool across = m_horizontal ? (m_labelsAngle == 90 || m_labelsAngle == 270)
                                     : (m_labelsAngle == 0 || m_labelsAngle == 180);
    return across ? lines * canvas->FontHeight() : width;
}

int TChartAxis::DateTimeStepIndex(double Increment) const
{
    if (!m_isDateTimeAxis || !m_exactDateTime || m_increment == 0)
        return dtNone;
    int index = FindDateTimeStep(m_increment);
    if (index == dtNone)
        return dtNone;
    while (index < dtOneYear && DateTimeStep[static_cast<std::size_t>(index)] < Increment)
        ++index;
    return index;
}

// ---- placement ----

void TChartAxis::DrawLabels(TAxisLabelStyle Style, double Increment, int StepIndex)
{
    m_drawIncrement = Increment;
    m_labelIndex = 0;
    m_drawnTextLabels.clear();
    const bool calendar = StepIndex >= dtHalfMonth && StepIndex <= dtOneYear;
    if (!(Increment > 0 || calendar) || !(CurrentMinimum() <= CurrentMaximum()))
        return;
    switch (Style) {
    case talValue:
        if (DrawNextLabels())
            return;
        if (m_logarithmic && m_increment == 0)
            DrawLogLabels();
        else
            DrawStandardLabels(Increment, StepIndex);
        break;
    case talMark:
        DrawSeriesLabels(Style);
        break;
    case talText:
        if (m_isDepthAxis)
            DrawDepthTextLabels();
        else
            DrawSeriesLabels(Style);
        break;
    default:
        break;
    }
}

void TChartAxis::DrawCustomLabels()
{
    m_labelIndex = 0;
    for (int i = 0; i < m_items->Count(); ++i) {
        TAxisItem& item = (*m_items)[i];
        if (item.Value() < m_minimum || item.Value() > m_maximum)
            continue;
        const std::string text = item.Text().empty() ? LabelValue(item.Value()) : item.Text();
        PlaceLabel(item.Value(), &text, &item);
    }
}

bool TChartAxis::DrawNextLabels()
{
    if (!m_chart || !m_chart->OnGetNextAxisLabel)
        return false;
    const double low = CurrentMinimum() - 1e-7;
    const double high = CurrentMaximum() + 1e-7;
    double value = CurrentMinimum();
    for (int index = 0; index <= MaxNextLabelIndex; ++index) {
        bool stop = true;
        m_chart->OnGetNextAxisLabel(*this, index, value, stop);
        if (stop)
            return index > 0;
        if (!(value >= low && value <= high))
            break;
        PlaceLabel(value, nullptr, nullptr);
    }
    return true;
}

void TChartAxis::DrawStandardLabels(double Increment, int StepIndex)
{
    const double min = CurrentMinimum();
    const double max = CurrentMaximum();
    if (!(std::fabs(CurrentRange() / Increment) < MaxAxisLabels))
        return;
    const bool calendar = StepIndex >= dtHalfMonth && StepIndex <= dtOneYear;
    auto stepDown = [&](double v) { return calendar ? StepBackAxisDate(StepIndex, v) : v - Increment; };
    double t;
    if (StepIndex != dtNone && StepIndex >= dtOneDay)
        t = TruncDateToStep(static_cast<TDateTimeStep>(StepIndex), max);
    else if (FloatToStr(min) != FloatToStr(max) && m_roundFirstLabel)
        t = std::trunc(max / Increment) * Increment;
    else
        t = max;
    for (int guard = 0; t > max && guard < MaxAxisLabels; ++guard)
        t = stepDown(t);
    if (RangeIsZero() || CurrentRange() < 1e-10 || FloatToStr(t) == FloatToStr(stepDown(t))) {
        PlaceLabel(t, nullptr, nullptr);
        return;
    }
    const double low = min < 0 ? min : (min - 1e-12) / (1 + 1e-12);
    // The count guard also ends a step that no longer moves t.
    for (int count = 0; t >= low && count <= MaxAxisLabels; ++count) {
        PlaceLabel(t, nullptr, nullptr);
        t = stepDown(t);
    }
}

void TChartAxis::DrawLogLabels()
{
    const double min = CurrentMinimum();
    const double max = CurrentMaximum();
    if (min == max)
        return;
    const double base = m_logarithmicBase;
    // Multiplying by a base below 1 would never reach the maximum: its inverse steps instead.
    const double factor = base < 1 ? 1 / base : base;
    const double logBase = std::log(factor);
    const double from = min > 0 ? min : (min == 0 ? 0.1 : 1e-10);
    const double first = std::pow(factor, std::nearbyint(std::log(from) / logBase));
    int placed = 0;
    double last = first;
    double v = first;
    for (int count = 0; v <= max && std::isfinite(v) && count < MaxAxisLabels; ++count) {
        if (v >= min) {
            PlaceLabel(v, nullptr, nullptr);
            last = v;
            ++placed;
        }
        v *= factor;
    }
    if (placed == 0) {
        const double step = std::pow(factor, std::floor(std::log(CurrentRange()) / logBase));
        v = first;
        for (int count = 0; step > 0 && v <= max && std::isfinite(v) && count < MaxAxisLabels; ++count) {
            if (v >= min) {
                PlaceLabel(v, nullptr, nullptr);
                last = v;
                ++placed;
            }
            v += step;
        }
    }
    if (placed > 0 && m_minorGrid->Visible()) {
        TickPositions.insert(TickPositions.begin(), CalcPosValue(first / factor));
        TickPositions.push_back(CalcPosValue(last * factor));
    }
}

void TChartAxis::DrawSeriesLabels(TAxisLabelStyle Style)
{
    m_labelSeriesList.clear();
    if (!m_chart)
        return;
    for (int i = 0; i < m_chart->SeriesCount(); ++i) {
        TChartSeries* s = m_chart->Series(i);
        if (s && s->Active() && s->AssociatedToAxis(this)) {
            // The axes draw before the series: the points in view are found here
            // against the axes as they stand now, not left from the last draw.
            s->CalcFirstLastVisible();
            m_labelSeriesList.push_back(s);
        }
    }
    int from = -1;
    int to = -1;
    for (const TChartSeries* s : m_labelSeriesList) {
        if (s->FirstValueIndex() < 0)
            continue;
        from = from < 0 ? s->FirstValueIndex() : std::min(from, s->FirstValueIndex());
        to = std::max(to, s->LastValueIndex());
    }
    if (from < 0)
        return;
    // the mark text and label handlers may free series
    const std::vector<QPointer<TChartSeries>> series(m_labelSeriesList.begin(), m_labelSeriesList.end());
    TCanvas3D* canvas = m_chart->AxisCanvas();
    for (int i = from; i <= to; ++i) {
        TChartSeries* owner = nullptr;
        for (const QPointer<TChartSeries>& s : series)
            if (s && s->FirstValueIndex() >= 0 && i >= s->FirstValueIndex() && i <= s->LastValueIndex() &&
                i < s->Count()) {
                owner = s.data();
                break;
            }
        if (!owner)
            continue;
        const QPointer<TChartSeries> alive(owner);
        std::string text = Style == talMark ? owner->GetMarkText(i) : owner->Labels().Label(i);
        if (alive)
            text = CallGetAxisLabel(owner, i, std::move(text));
        if (!alive || text.empty())
            continue;
        const double value = m_horizontal ? owner->XValues().Value(i) : owner->YValues().Value(i);
        if (value < CurrentMinimum() || value > CurrentMaximum())
            continue;
        const int p = CalcPosValue(value);
        int size = 0;
        if (canvas) {
            canvas->AssignFont(LabelsFont());
            int lines = 1;
            const int width = m_chart->MultiLineTextWidth(text, lines);
            const bool across = m_horizontal ? (m_labelsAngle == 90 || m_labelsAngle == 270)
                                             : (m_labelsAngle == 0 || m_labelsAngle == 180);
            size = across ? lines * canvas->FontHeight() : width;
        }
        // Kept clear of every label drawn before it, not only of the last
        // one: texts that come back to one place are written once.
        if (m_labelsSeparation != 0 && !m_drawnTextLabels.empty()) {
            size = (size + static_cast<int>(std::trunc(size * 0.02 * m_labelsSeparation))) / 2;
            const bool clear = std::all_of(m_drawnTextLabels.begin(), m_drawnTextLabels.end(), [&](const auto& d) {
                return p >= d.first ? p - size >= d.first + d.second : p + size <= d.first - d.second;
            });
            if (!clear)
                continue;
            m_drawnTextLabels.emplace_back(p, size);
        } else if (m_labelsSeparation != 0) {
            m_drawnTextLabels.emplace_back(p, size / 2);
        }
        PlaceLabel(value, &text, nullptr);
    }
    m_labelSeriesList.clear();
    for (const QPointer<TChartSeries>& s : series)
        if (s)
            m_labelSeriesList.push_back(s.data());
}

void TChartAxis::DrawDepthTextLabels()
{
    if (!m_chart || m_chart->ActiveSeriesCount() == 0)
        return;
    // Only series that exist are labelled, whatever the depth range says.
    const int count = m_chart->SeriesCount();
    const double lo = std::max(0.0, std::trunc(CurrentMinimum()));
    const double hi = std::min(count - 1.0, std::trunc(CurrentMaximum()));
    if (!(lo <= hi))
        return;
    for (int i = static_cast<int>(lo); i <= hi; ++i) {
        TChartSeries* s = m_chart->Series(i);
        const std::string text = CallGetAxisLabel(s, i, s ? s->TitleOrName() : std::string());
        PlaceLabel(CurrentMaximum() - i - 0.5, &text, nullptr);
    }
}

void TChartAxis::PlaceLabel(double Value, const std::string* Text, TPlotCustomShape* Shape)
{
    const int p = CalcPosValue(Value);
    if (!m_tickOnLabelsOnly)
        TickPositions.push_back(p);
    if (!m_labelsOnAxis && !(StartPos() < p && p < EndPos()))
        return;
    if (m_tickOnLabelsOnly)
        TickPositions.push_back(p);
    if (!Labels())
        return;
    const std::string text = Text ? *Text : LabelValue(Value);
    const auto* item = dynamic_cast<const TAxisItem*>(Shape);
    if (!item || item->Visible())
        DrawAxisLabel(p, text, Shape);
    if (m_items->Automatic() && !item)
        m_items->AddAutomatic(Value, text);
    ++m_labelIndex;
}

// ---- drawing one label ----

void TChartAxis::DrawAxisLabel(int P, const std::string& Text, TPlotCustomShape* Shape)
{
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return;
    TPlotFont* font = Shape ? Shape->Font() : LabelsFont();
    canvas->AssignFont(font);
    // a clear brush: the text is written without a box of the back colour
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    const int fh = canvas->FontHeight();
    const int h = fh / 2;
    const int angle = m_labelsAngle;

    int across = PosLabels;
    if (m_labelsAlternate && (m_labelIndex % 2) == 1)
        across = Outward(across, m_horizontal ? fh : MaxLabelsWidth());

    const char sep = m_chart->LabelLineSeparator();
    std::string text = Text;
    std::vector<std::string> lines = SplitLines(text, sep);
    int n = static_cast<int>(lines.size());

    int x = m_horizontal ? P : across;
    int y = m_horizontal ? across : P;
    int z = m_zPositionPixels;
    unsigned align = TaLeft | TaTop;
    // Offset of the first line across the reading direction and the step per line.
    bool centredBlock = false;

    if (m_isDepthAxis) {
        const TRect r = m_chart->AxisChartRect();
        align = (m_otherSide ? TaLeft : TaRight) | TaTop;
        z = P;
        x = m_otherSide ? PosLabels : PosLabels - 2 - canvas->TextWidth("W") / 2;
        y = r.Bottom;
        const TView3DOptions* view = m_chart->AxisView3DOptions();
        if (view && (view->Orthogonal() || view->Rotation() == 360))
            y += h;
        if (angle == 90 || angle == 180 || angle == 270)
            y += h;
    } else if (!m_horizontal) {
        switch (angle) {
        case 0:
            if (m_labelsAlign == alOpposite) {
                align = m_otherSide ? TaRight : TaLeft;
                x += m_otherSide ? -LabelAreaSize() : LabelAreaSize();
            } else {
                align = m_otherSide ? TaLeft : TaRight;
            }
            centredBlock = true;
            break;
        case 90:
            align = TaCenter | (m_otherSide ? TaTop : TaBottom);
            break;
        case 180:
            align = m_otherSide ? TaRight : TaLeft;
            centredBlock = true;
            break;
        case 270:
            align = TaCenter | (m_otherSide ? TaBottom : TaTop);
            break;
        default:
            align = TaLeft;
            break;
        }
    } else {
        switch (angle) {
        case 0:
            align = TaCenter | (m_otherSide ? TaBottom : TaTop);
            break;
        case 90:
            align = m_otherSide ? TaLeft : TaRight;
            centredBlock = true;
            break;
        case 180:
            align = TaCenter | (m_otherSide ? TaTop : TaBottom);
            break;
        case 270:
            align = m_otherSide ? TaRight : TaLeft;
            centredBlock = true;
            break;
        case 45:
            align = TaLeft;
            x -= static_cast<int>(std::nearbyint(std::sin(M_PI / 4) * canvas->TextWidth(text)));
            break;
        default:
            align = TaLeft;
            break;
        }
    }

    if (Shape && Shape != &m_items->Format()) {
        int widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, canvas->TextWidth(line));
        const int half = canvas->TextWidth("W") / 2;
        const int height = n * fh;
        TRect r;
        const unsigned horiz = align & TaCenter;
        r.Left = horiz == TaCenter ? x - widest / 2 : horiz == TaRight ? x - widest : x;
        r.Right = r.Left + widest;
        const bool bottom = (align & TaBottom) != 0;
        r.Top = centredBlock ? y - height / 2 : bottom ? y - height : y;
        r.Bottom = r.Top + height;
        r.Left -= half;
        r.Right += half;
        Shape->ShapeBounds = r;
        if (!Shape->Transparent())
            Shape->DrawInRect(r, 0, m_chart->View3D() ? z : 0);
        canvas->AssignFont(font);
        canvas->Brush()->SetStyle(bsClear);
        canvas->SetBackMode(cbmTransparent);
    }

    if (OnDrawLabel) {
        bool draw = true;
        OnDrawLabel(*this, x, y, z, text, draw);
        if (!draw)
            return;
        lines = SplitLines(text, sep);
        n = static_cast<int>(lines.size());
    }

    canvas->SetTextAlign(align);
    // Lines run across the reading direction; 180 and 270 read the other way.
    const int lineStep = (angle == 180 || angle == 270) ? -fh : fh;
    const bool alongX = !m_isDepthAxis && ((m_horizontal && (angle == 90 || angle == 270)) ||
                                           (!m_horizontal && (angle == 90 || angle == 270)));
    int start = 0;
    if (centredBlock)
        start = -(n * lineStep) / 2;
    for (int k = 0; k < n; ++k) {
        const int offset = start + k * lineStep;
        const int lx = alongX ? x + offset : x;
        const int ly = alongX ? y : y + offset;
        const std::string& line = lines[static_cast<std::size_t>(k)];
        if (angle == 0) {
            const std::size_t e = m_labelsExponent ? line.find_first_of("Ee") : std::string::npos;
            if (e == std::string::npos) {
                canvas->TextOut3D(lx, ly, z, line);
                continue;
            }
            const std::string mantissa = line.substr(0, e);
            const std::string exponent = line.substr(e + 1);
            const int mantissaWidth = canvas->TextWidth(mantissa);
            TPlotFont* f = font;
            const int size = f->Size();
            const int raise = (fh - 1) / 2 - 2;
            if ((align & TaCenter) == TaRight) {
                f->SetSize(size - size / 4);
                canvas->AssignFont(f);
                const int exponentWidth = canvas->TextWidth(exponent);
                canvas->TextOut3D(lx, ly - raise, z, exponent);
                f->SetSize(size);
                canvas->AssignFont(f);
                canvas->TextOut3D(lx - exponentWidth - 1, ly, z, mantissa);
            } else {
                int mx = lx;
                if ((align & TaCenter) == TaCenter) {
                    f->SetSize(size - size / 4);
                    canvas->AssignFont(f);
                    const int exponentWidth = canvas->TextWidth(exponent);
                    f->SetSize(size);
                    canvas->AssignFont(f);
                    mx = lx - (mantissaWidth + 1 + exponentWidth) / 2;
                    canvas->SetTextAlign(TaLeft | (align & TaBottom));
                }
                canvas->TextOut3D(mx, ly, z, mantissa);
                f->SetSize(size - size / 4);
                canvas->AssignFont(f);
                canvas->TextOut3D(mx + mantissaWidth + 1, ly - raise, z, exponent);
                f->SetSize(size);
                canvas->AssignFont(f);
                canvas->SetTextAlign(align);
            }
        } else {
            canvas->RotatedTextOut3D(lx, ly, z, line, angle);
        }
    }
}
