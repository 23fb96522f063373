#pragma once
// Stochastic processes run by the binomial-trials window: per-slot bindings
// to a chart series and a data grid, a discrete process that counts trials
// and keeps running sums, and the Bernoulli process. Every trial records
// itself into the bound series and refreshes the bound grids.
#include "base/basic_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a process needs of the chart series bound to one of its slots. The
// window adapts it to a line series and that series' chart; a series without
// a chart ignores the axis switches.
class IProcessPointSink {
public:
    virtual ~IProcessPointSink() = default;

    virtual void AddPoint(double x, double y, std::string_view label, TColor color) = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    // Switches of the bottom axis of the series' chart.
    virtual void SetBottomAxisLabelsVisible(bool visible) = 0;
    virtual void SetBottomAxisVisible(bool visible) = 0;
};

// What a process needs of a data grid that shows the points of one series.
class IProcessGrid {
public:
    virtual ~IProcessGrid() = default;

    // Binds the grid to `series` (null: none) and rebuilds its rows; binding
    // the same series again rebuilds them too.
    virtual void SetSeries(IProcessPointSink* series) = 0;
    // Paints the grid's invalid areas at once.
    virtual void Update() = 0;
};

// Text of a running proportion successes / trials: two decimals when it is
// 0, 0.25, 0.5, 0.75 or 1, else empty. Decided on the whole numbers, so no
// other proportion gets a text whatever the floating-point precision.
std::string ProportionPointText(std::int64_t successes, std::int64_t trials);

class tRandomProcess {
public:
    // Seeds the generator from the clock.
    explicit tRandomProcess(std::uint8_t kind);
    virtual ~tRandomProcess() = 0;

    tRandomProcess(const tRandomProcess&) = delete;
    tRandomProcess& operator=(const tRandomProcess&) = delete;

    // Kind 1 makes a trial run a whole block.
    std::uint8_t Kind() const { return m_kind; }

    // Slot bindings: neither series nor grids are owned. A negative count
    // gives no slots; every slot starts unbound.
    void SetSeriesCount(int n);
    int SeriesCount() const { return m_slotCount; }
    // Binds slot i (0 <= i < SeriesCount(), other i are ignored) and, when
    // there is a grid, binds the grid to the series.
    void SetSeries(int i, IProcessPointSink* series, IProcessGrid* grid);

    // Between BeginUpdate and the matching EndUpdate a recorded trial leaves
    // the bound grids alone; the last EndUpdate refreshes each of them once
    // when trials were recorded meanwhile.
    void BeginUpdate() { ++m_updateLock; }
    void EndUpdate();
    bool Updating() const { return m_updateLock > 0; }

    std::int32_t BlockLength() const { return m_blockLength; }
    // Trials recorded so far.
    std::int64_t TrialCount() const { return m_trialCount; }
    bool HasHistory() const { return m_hasHistory; }
    // The last value drawn from the generator by a trial.
    double LastUniform() const { return m_lastUniform; }

protected:
    // Rebinds every bound grid to its series and repaints it (at once, or at
    // the last EndUpdate).
    void RefreshGrids();

    double m_lastUniform = 0.0;
    bool m_hasHistory = false;
    std::uint8_t m_kind = 0;
    int m_slotCount = 0;
    std::int32_t m_blockLength = 0;
    std::int64_t m_trialCount = 0;  // 64-bit: a long-running timer cannot wrap it
    std::vector<IProcessPointSink*> m_series;
    std::vector<IProcessGrid*> m_grids;

private:
    int m_updateLock = 0;
    bool m_gridsStale = false;
};

class tDiscreteProcess : public tRandomProcess {
public:
    // Block length n; a history of n zeros when n > 1.
    tDiscreteProcess(std::uint8_t kind, std::int32_t n);
    ~tDiscreteProcess() override = default;

    // Records the current outcome: counts the trial, adds to the sums and
    // keeps the outcome in the history while it has room.
    virtual void Record();
    // Performs the trials of one step; returns the last outcome.
    virtual std::int32_t Trial() = 0;

    std::int32_t Outcome() const { return m_outcome; }
    std::int64_t Sum() const { return m_sum; }
    std::int64_t SumOfSquares() const { return m_sumOfSquares; }
    // Outcome of trial i + 1 (0-based); 0 outside the history.
    std::int32_t History(int i) const;

protected:
    std::int32_t m_outcome = 0;
    std::int64_t m_sum = 0;
    std::int64_t m_sumOfSquares = 0;  // an outcome's square alone may pass 2^31
    std::vector<std::int32_t> m_history;
};

// Bernoulli trials with success probability p: outcome 1 when the uniform
// drawn is at most p. Slot 0 shows the outcomes, slot 1 the running
// proportion of successes.
class tBernoulli : public tDiscreteProcess {
public:
    tBernoulli(std::uint8_t kind, std::int32_t n, double p);

    void SetLabels(std::string_view label0, std::string_view label1);
    const std::string& Label0() const { return m_label0; }
    const std::string& Label1() const { return m_label1; }
    double Probability() const { return m_probability; }

    // Runs BlockLength() trials when the kind is 1, else one.
    std::int32_t Trial() override;
    void Record() override;

private:
    std::string m_label0 = "0";
    std::string m_label1 = "1";
    double m_probability = 0.0;
};
