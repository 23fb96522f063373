// One step of the population window's timer with the window on screen at
// 1280 x 1024: model update, clocks, bar chart, both histograms with their
// model curves, the dot cloud, and the paint that shows them. The step is
// timed beside the timer interval at the study's fastest speed (the window
// keeps up when a step takes less); a second case runs 10^4 steps and
// reports the resident memory before and after.
#include "core/population_model.h"
#include "platform/xml_dom.h"
#include "testing/fake_web_view.h"
#include "testing/settable_clock.h"
#include "window_base/mdi_parent.h"
#include "windows/histogram_frame.h"
#include "windows/population_window.h"
#include "windows/track_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

class BenchParent : public TFMDIParent {
public:
    void SetStatusLog(TFMDIChild*, bool) override {}
    void ToolButton4Click() override {}
    void OpenDataFile(const QString&) override {}
    void NewChildForm_Muestra(TFMDIChild*) override {}
    void NewChildForm_Web(TFMDIChild*, bool, const QString&) override {}
};

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The heights study on screen, charts open, both histograms expanded with
// their curves, the bars of the zones, the fastest speed.
struct TShownStudy {
    TShownStudy()
    {
        TFPoblacion::SetLiveTimers(false);
        parent.resize(1280, 1024);
        parent.show();
        auto document = std::make_shared<platform::XmlDocument>(
            platform::XmlDocument::LoadFromFile(VEXA_SOURCE_DIR "/resources/xml/estudio_alturas_pesos.xml"));
        window = new TFPoblacion(&parent);
        window->SetDataSource(document, QStringLiteral("estudio_alturas_pesos.xml"));
        window->showMaximized();
        window->PageControl1->setCurrentWidget(window->TabSheet_Pixels);
        QCoreApplication::processEvents();
        window->FormActivate();
        window->sbPanelCharts->click();
        window->SB_ShowTimeControls->click();
        window->sb_Dynamic->click();
        window->cbShowModel->click();
        window->FrameHistogram1->SpeedButton3->click();
        window->FrameHistogram2->CB_splitted->click();
        window->TrackBar_Speed->setValue(100);
        QCoreApplication::processEvents();
    }
    ~TShownStudy()
    {
        delete window;
        QCoreApplication::processEvents();
    }
    void Tick()
    {
        clock.Advance(window->Timer1Interval() / 1000.0);
        window->OnTimer();
        QCoreApplication::processEvents(); // the paint
    }

    platform::SettableClock clock;
    platform::ScopedClock clockInForce{clock};
    platform::ScopedWebViewFactory webViews{[](QWidget* p) { return new platform::FakeWebView(p); }};
    BenchParent parent;
    TFPoblacion* window = nullptr;
};

void BM_PopulationTick(benchmark::State& state)
{
    TShownStudy study;
    for (auto _ : state)
        study.Tick();
    state.counters["interval_ms"] = study.window->Timer1Interval();
    state.counters["dots"] = study.window->Cloud().PointCount();
    state.counters["bins"] = study.window->Bins();
}
BENCHMARK(BM_PopulationTick)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PopulationTenThousandTicks(benchmark::State& state)
{
    TShownStudy study;
    for (int k = 0; k < 100; ++k)
        study.Tick();
    const double before = ResidentMegabytes();
    for (auto _ : state)
        for (int k = 0; k < 10000; ++k)
            study.Tick();
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_PopulationTenThousandTicks)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
