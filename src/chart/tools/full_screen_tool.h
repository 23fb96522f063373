#pragma once
// While active, the chart fills a frameless window covering the screen; the
// release key (Escape by default) or closing that window puts it back.
#include <QPointer>

#include <string>

#include "chart/chart_tool.h"
#include "platform/full_screen_host.h"

class TFullScreenTool : public TPlotCustomTool {
    Q_OBJECT
public:
    explicit TFullScreenTool(QObject* Owner = nullptr);
    // Restores the chart first.
    ~TFullScreenTool() override;

    // Virtual key code that ends full screen.
    int ReleaseKey() const { return m_releaseKey; }
    void SetReleaseKey(int Value) { m_releaseKey = Value; }
    // On: the chart goes full screen; off: it goes back (not while designing or without a chart).
    void SetActive(bool Value) override;
    // Leaving the chart puts it back first and turns the tool off.
    void SetParentChart(TSeriesParent* Value) override;
    bool DefaultActive() const override { return false; }

    // The window holding the chart while full screen, else nullptr.
    platform::FullScreenHost* Host() const { return m_host; }

    std::string Description() const override;
    std::string LongDescription() const override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

private:
    void Enter();
    void Restore();

    int m_releaseKey = 27;
    QPointer<platform::FullScreenHost> m_host;
    // cleared while the window closes itself (it frees itself then)
    bool m_freeHost = true;
};
