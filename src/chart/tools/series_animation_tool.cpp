#include "chart/tools/series_animation_tool.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <vector>

#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "platform/clock.h"

namespace {
constexpr const char* kLoopNames[] = {"salNo", "salOneWay", "salCircular"};
}  // namespace

TSeriesAnimationTool::TSeriesAnimationTool(QObject* Owner)
    : TPlotCustomToolSeries(Owner), ProcessMessages([] { QCoreApplication::processEvents(); })
{
}

TSeriesAnimationTool::~TSeriesAnimationTool() = default;

std::string TSeriesAnimationTool::Description() const { return ProMsgToolSeriesAnimation; }
std::string TSeriesAnimationTool::LongDescription() const { return ProMsgToolSeriesAnimationDesc; }

const TPropertyTable<TCustomChartElement>& TSeriesAnimationTool::Properties()
{
    using S = TSeriesAnimationTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Property("Delay", IntegerKind, TAccessors{&S::Delay, &S::SetDelay}, 0)
            .Property("DrawEvery", IntegerKind, TAccessors{&S::DrawEvery, &S::SetDrawEvery}, 0)
            .Property("Loop", EnumKind(kLoopNames), TAccessors{&S::Loop, &S::SetLoop}, salNo)
            .Property("StartAtMin", BooleanKind, TAccessors{&S::StartAtMin, &S::SetStartAtMin}, true)
            .Property("StartValue", FloatKind, TAccessors{&S::StartValue, &S::SetStartValue}, 0.0)
            .Property("Steps", IntegerKind, TAccessors{&S::Steps, &S::SetSteps}, 100);
    return table;
}

void TSeriesAnimationTool::Stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    if (OnStop)
        OnStop(*this);
}

void TSeriesAnimationTool::Play()
{
    if (!Series() || !m_stopped)
        return;
    // the window may close while events are handled: the tool or its series may go
    const QPointer<TSeriesAnimationTool> self(this);
    const QPointer<TChartSeries> series(Series());
    TChartValueList& values = series->MandatoryValueList();
    const std::vector<double> copy(values.Data(), values.Data() + values.Count());
    const int count = static_cast<int>(copy.size());
    const int steps = std::max(m_steps, 1);
    const int every = std::max(m_drawEvery, 0);
    const int groups = every == 0 ? 1 : count / every + (count % every != 0 ? 1 : 0);
    // a copy: handling events may free the tool and with it this member
    const std::function<void()> process = ProcessMessages;

    series->BeginUpdate();
    m_stopped = false;
    if (OnStart)
        OnStart(*this);

    // false once the tool is gone; ends the animation when its series went
    const auto alive = [&] {
        if (!self)
            return false;
        if (!series || Series() != series)
            Stop();
        return true;
    };
    const auto wait = [&] {
        if (series)
            if (TSeriesParent* chart = series->ParentChart())
                chart->Invalidate();
        if (m_delay <= 0) {
            if (process)
                process();
            return alive();
        }
        platform::Clock& clock = platform::CurrentClock();
        const double start = clock.MonotonicSeconds();
        do {
            if (process)
                process();
            if (!alive())
                return false;
        } while ((clock.MonotonicSeconds() - start) * 1000.0 < m_delay);
        return true;
    };
    // the point count may change while events are handled
    const auto setValue = [&](int i, double v) {
        if (series && i < values.Count())
            values.SetValue(i, v);
    };
    // without the tool the series still gets its values back
    const auto finish = [&] {
        for (int i = 0; i < count; ++i)
            setValue(i, copy[static_cast<std::size_t>(i)]);
        if (series)
            series->EndUpdate();
    };

    bool forward = true;
    do {
        const double start = m_startAtMin && count > 0 ? *std::min_element(copy.begin(), copy.end()) : m_startValue;
        for (int i = 0; i < count; ++i)
            setValue(i, start);
        if (!wait())
            return finish();
        for (int g = 0; g < groups && !m_stopped; ++g) {
            const int first = every == 0 ? 0 : every * g;
            const int last = every == 0 ? count - 1 : std::min(count - 1, every * (g + 1) - 1);
            for (int s = 0; s <= steps && !m_stopped; ++s) {
                double f = s * (1.0 / steps);
                double base = start - start * f;
                if (m_loop == salCircular && !forward) {
                    base = 0;
                    f = (steps - s) * (1.0 / steps);
                }
                for (int i = first; i <= last; ++i)
                    setValue(i, f * copy[static_cast<std::size_t>(i)] + base);
                if (OnStep)
                    OnStep(*this, s);
                if (!wait())
                    return finish();
            }
        }
        for (int i = 0; i < count; ++i)
            setValue(i, copy[static_cast<std::size_t>(i)]);
        if (!wait())
            return finish();
        forward = !forward;
    } while (m_loop != salNo && !m_stopped);

    Stop();
    if (series)
        series->EndUpdate();
}
