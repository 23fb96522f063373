#include "core/random_process.h"

#include "core/random_numbers.h"

namespace {

constexpr std::int64_t kBottomAxisTrialLimit = 100;  // more trials hide the bottom axis

} // namespace

std::string ProportionPointText(std::int64_t successes, std::int64_t trials)
{
    if (trials <= 0 || successes < 0 || successes > trials)
        return {};
    const std::int64_t quarters = successes * 4 / trials;
    if (quarters * trials != successes * 4)
        return {};
    static const char* const texts[] = {"0.00", "0.25", "0.50", "0.75", "1.00"};
    return texts[quarters];
}

tRandomProcess::tRandomProcess(std::uint8_t kind)
    : m_kind(kind)
{
    Randomize();
}

tRandomProcess::~tRandomProcess() = default;

void tRandomProcess::SetSeriesCount(int n)
{
    m_slotCount = n > 0 ? n : 0;
    m_series.assign(static_cast<std::size_t>(m_slotCount), nullptr);
    m_grids.assign(static_cast<std::size_t>(m_slotCount), nullptr);
}

void tRandomProcess::SetSeries(int i, IProcessPointSink* series, IProcessGrid* grid)
{
    if (i < 0 || i >= m_slotCount)
        return;
    m_series[static_cast<std::size_t>(i)] = series;
    m_grids[static_cast<std::size_t>(i)] = grid;
    if (grid)
        grid->SetSeries(series);
}

void tRandomProcess::EndUpdate()
{
    if (m_updateLock <= 0)
        return;
    if (--m_updateLock == 0 && m_gridsStale)
        RefreshGrids();
}

void tRandomProcess::RefreshGrids()
{
    if (m_updateLock > 0) {
        m_gridsStale = true;
        return;
    }
    m_gridsStale = false;
    for (int i = 0; i < m_slotCount; ++i) {
        IProcessGrid* grid = m_grids[static_cast<std::size_t>(i)];
        if (!grid)
            continue;
        grid->SetSeries(m_series[static_cast<std::size_t>(i)]);
        grid->Update();
    }
}

tDiscreteProcess::tDiscreteProcess(std::uint8_t kind, std::int32_t n)
    : tRandomProcess(kind)
{
    m_blockLength = n;
    if (n > 1)
        m_history.assign(static_cast<std::size_t>(n), 0);
    m_hasHistory = !m_history.empty();
}

void tDiscreteProcess::Record()
{
    ++m_trialCount;
    m_sum += m_outcome;
    m_sumOfSquares += static_cast<std::int64_t>(m_outcome) * m_outcome;
    if (m_hasHistory && static_cast<std::int64_t>(m_history.size()) >= m_trialCount)
        m_history[static_cast<std::size_t>(m_trialCount - 1)] = m_outcome;
}

std::int32_t tDiscreteProcess::History(int i) const
{
    if (i < 0 || static_cast<std::size_t>(i) >= m_history.size())
        return 0;
    return m_history[static_cast<std::size_t>(i)];
}

tBernoulli::tBernoulli(std::uint8_t kind, std::int32_t n, double p)
    : tDiscreteProcess(kind, n)
    , m_probability(p)
{
}

void tBernoulli::SetLabels(std::string_view label0, std::string_view label1)
{
    m_label0 = label0;
    m_label1 = label1;
}

std::int32_t tBernoulli::Trial()
{
    const std::int32_t m = m_kind == 1 ? m_blockLength : 1;
    for (std::int32_t i = 0; i < m; ++i) {
        m_lastUniform = Random();
        m_outcome = m_lastUniform <= m_probability ? 1 : 0;
        Record();
    }
    return m_outcome;
}

void tBernoulli::Record()
{
    tDiscreteProcess::Record();
    const double x = static_cast<double>(m_trialCount);

    if (m_slotCount > 0 && m_series[0]) {
        IProcessPointSink& outcomes = *m_series[0];
        outcomes.AddPoint(x, m_outcome, m_outcome == 1 ? m_label1 : m_label0, clDefault);
        outcomes.SetBottomAxisLabelsVisible(true);
        if (m_trialCount > kBottomAxisTrialLimit)
            outcomes.SetBottomAxisVisible(false);
    }

    if (m_slotCount > 1 && m_series[1]) {
        const double proportion = static_cast<double>(m_sum) / static_cast<double>(m_trialCount);
        m_series[1]->AddPoint(x, proportion, ProportionPointText(m_sum, m_trialCount), clDefault);
    }

    RefreshGrids();
}
