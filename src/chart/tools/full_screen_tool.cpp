#include "chart/tools/full_screen_tool.h"

#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"
#include "platform/full_screen_host.h"

TFullScreenTool::TFullScreenTool(QObject* Owner) : TPlotCustomTool(Owner) { m_active = false; }

TFullScreenTool::~TFullScreenTool()
{
    if (Active())
        Restore();
}

std::string TFullScreenTool::Description() const { return ProMsgToolFullScreen; }
std::string TFullScreenTool::LongDescription() const { return ProMsgToolFullScreenDesc; }

const TPropertyTable<TCustomChartElement>& TFullScreenTool::Properties()
{
    using S = TFullScreenTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomChartElement::Properties())
            .Property("ReleaseKey", IntegerKind, TAccessors{&S::ReleaseKey, &S::SetReleaseKey}, 27);
    return table;
}

void TFullScreenTool::SetActive(bool Value)
{
    if (Active() == Value)
        return;
    m_active = Value;
    if (!ToolPanel(*this) || (ParentChart() && ParentChart()->Designing()))
        return;
    if (Value)
        Enter();
    else
        Restore();
}

void TFullScreenTool::SetParentChart(TSeriesParent* Value)
{
    // leaving the chart ends full screen
    if (Value != ParentChart() && m_host) {
        Restore();
        m_active = false;
    }
    TPlotCustomTool::SetParentChart(Value);
}

void TFullScreenTool::Enter()
{
    TCustomPlotPanel* chart = ToolPanel(*this);
    if (!chart || m_host)
        return;
    auto* host = new platform::FullScreenHost;
    m_host = host;
    // the window may outlive the tool: it asks through a guarded link
    const QPointer<TFullScreenTool> self(this);
    host->OnKeyDown = [self, host](int Key) {
        if (!self || self->m_host != host || !self->Active() || Key != self->m_releaseKey)
            return false;
        self->SetActive(false);
        return true;
    };
    host->OnClose = [self, host] {
        if (!self || self->m_host != host)
            return;
        self->m_freeHost = false;
        self->SetActive(false);
        self->m_freeHost = true;
    };
    host->Take(chart);
}

void TFullScreenTool::Restore()
{
    platform::FullScreenHost* host = m_host;
    if (!host)
        return;
    m_host = nullptr;
    host->Release();
    if (m_freeHost)
        host->deleteLater();
}
