// The population window's chart frames: the histograms of a quantitative
// variable with their model curves, and the bars of a categorical variable's
// level shares, filled from the population model.
#include "windows/population_window.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "core/distributions.h"
#include "core/population_model.h"
#include "platform/event_guard.h"
#include "windows/bar_frame.h"
#include "windows/combo_items.h"
#include "windows/density_axis_format.h"
#include "windows/histogram_frame.h"
#include "windows/track_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QToolButton>

#include <algorithm>

// ---- the histogram frames ----

TFrameHistogram* TFPoblacion::HistogramFrame(int Tag) const
{
    return Tag == 2 ? FrameHistogram2 : FrameHistogram1;
}

void TFPoblacion::FillLevels(QComboBox* Filter, QComboBox* Split)
{
    const int c = std::max(FModel->FindCatVar(Split->currentText().toStdString()), 0);
    TComboItems items(Filter);
    FModel->FillLevelCombo(items, c, true, FModel->LevelLabel(c, 1));
}

void TFPoblacion::SetupHistogramFrames()
{
    FrameHistogram1->Setup(1, 3, false, false, FrameHistogram2);
    FrameHistogram2->Setup(2, 3, false, true, FrameHistogram1);
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2}) {
        frame->sb_togglePanels->setProperty("Tag", frame->Tag());
        // the window's handlers replace the frame's own
        QObject::disconnect(frame->CB_GroupOnly, nullptr, frame, nullptr);
        QObject::disconnect(frame->CB_Variable, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_filter, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_Split, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_Group, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_filtered, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_splitted, nullptr, this, nullptr);
        QObject::disconnect(frame->CB_GroupOnly, nullptr, this, nullptr);
        QObject::disconnect(frame->sb_togglePanels, nullptr, this, nullptr);
        for (QComboBox* combo : {frame->CB_Variable, frame->CB_filter, frame->CB_Split, frame->CB_Group})
            connect(combo, &QComboBox::activated, this,
                    [this, combo] { platform::GuardEvent([this, combo] { HistogramOptionChange(combo); }); });
        for (QCheckBox* box : {frame->CB_filtered, frame->CB_splitted, frame->CB_GroupOnly})
            connect(box, &QCheckBox::clicked, this,
                    [this, box] { platform::GuardEvent([this, box] { HistogramOptionChange(box); }); });
        QToolButton* toggle = frame->sb_togglePanels;
        connect(toggle, &QToolButton::clicked, this,
                [this, toggle] { platform::GuardEvent([this, toggle] { HistogramTogglePanels(toggle); }); });
    }
    QObject::disconnect(FrameHistogram2->SpeedButton3, nullptr, FrameHistogram2, nullptr);
    QObject::disconnect(FrameHistogram2->SpeedButton3, nullptr, this, nullptr);
    connect(FrameHistogram2->SpeedButton3, &QToolButton::clicked, this,
            [this] { platform::GuardEvent([this] { FrameHistogram2SpeedButton3Click(); }); });

    const std::string firstNum = FModel->NumVarCount > 0 ? FModel->NumVarDefs[0].Name : std::string();
    const std::string firstCat = FModel->CatVarCount > 0 ? FModel->CatVars[0].Name : std::string();
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2}) {
        TComboItems variables(frame->CB_Variable);
        FModel->FillNumVarCombo(variables, firstNum, true);
        TComboItems split(frame->CB_Split);
        FModel->FillCatVarCombo(split, firstCat, true);
        TComboItems filter(frame->CB_filter);
        FModel->FillLevelCombo(filter, 0, true, FModel->LevelLabel(0, 1));
    }
    TComboItems groups1(FrameHistogram1->CB_Group);
    groups1.Clear();
    FModel->FillGroupCombo(groups1);
    TComboItems groups2(FrameHistogram2->CB_Group);
    groups2.Clear();
    FModel->FillGroupCombo(groups2);
    groups2.SetItemIndex(groups2.Count() > 0 ? 0 : -1);
    TrackBar_Transparency->setValue(20);
}

void TFPoblacion::RefreshHistogram(int N)
{
    if (!FModel)
        return;
    SetTimer1Enabled(false);
    TFrameHistogram* frame = HistogramFrame(N);
    const int G = FModel->GroupCount;
    const int v = std::max(FModel->FindNumVar(frame->CB_Variable->currentText().toStdString()), 0);
    frame->FNumVar = v;
    const std::string varName = v < FModel->NumVarCount ? FModel->NumVarDefs[static_cast<std::size_t>(v)].Name : std::string();
    int series = 1;
    if (frame->FSplitMode) {
        const int c = std::max(FModel->FindCatVar(frame->CB_Split->currentText().toStdString()), 0);
        const int l = FModel->FindLevel(c, frame->CB_filter->currentText().toStdString());
        frame->FMask.clear();
        if (frame->CB_splitted->isChecked()) {
            frame->FHasGroups = true;
            if (frame->CB_filtered->isChecked()) {
                frame->SetMask(1, G, false);
                for (int g = 0; g < G; ++g)
                    frame->FMask[0][static_cast<std::size_t>(g)] = FModel->Groups[static_cast<std::size_t>(g)]->HasLevel(c, l);
                frame->SetColorCount(1);
                frame->SetColor(0, FModel->LevelColor(c, l - 1));
            } else {
                const int L = c < FModel->CatVarCount ? FModel->CatVars[static_cast<std::size_t>(c)].LevelCount : 0;
                frame->SetMask(L, G, false);
                frame->SetColorCount(L);
                for (int k = 0; k < L; ++k) {
                    for (int g = 0; g < G; ++g)
                        frame->FMask[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)] =
                            FModel->Groups[static_cast<std::size_t>(g)]->HasLevel(c, k + 1);
                    frame->SetColor(k, FModel->LevelColor(c, k));
                }
                series = L;
            }
        } else {
            frame->FHasGroups = false;
            frame->SetMask(1, G, true);
            frame->SetColorCount(1);
            frame->SetColor(0, FModel->NumVarColor(varName));
        }
    } else {
        frame->FHasGroups = false;
        frame->SetColorCount(1);
        if (frame->CB_GroupOnly->isChecked()) {
            frame->SetMask(1, G, false);
            // no group chosen (or none at all): the series stays empty
            const int g = frame->CB_Group->currentIndex();
            if (g >= 0 && g < G) {
                frame->FMask[0][static_cast<std::size_t>(g)] = true;
                frame->SetColor(0, FModel->Groups[static_cast<std::size_t>(g)]->Color);
            }
        } else {
            frame->SetMask(1, G, true);
            frame->SetColor(0, FModel->NumVarColor(varName));
        }
    }
    TChart* chart = frame->ChartPoblacion;
    chart->Title()->Clear();
    if (v < FModel->NumVarCount)
        chart->Title()->SetCaption(FModel->NumVarDefs[static_cast<std::size_t>(v)].Description);
    chart->Title()->SetVisible(true);
    frame->BuildSeries(series, series);
    for (THistogramSeries* s : frame->FHistSeries) {
        s->SetTransparency(TrackBar_Transparency->value());
        s->SetActive(cbShowHistogram->isChecked());
    }
    for (TFastLineSeries* s : frame->FLineSeries)
        s->SetActive(cbShowModel->isChecked());
    const auto range = FModel->ModelRange(v, frame->FHasGroups);
    if (range[0] <= range[1]) {
        // the axes stand wide open after the rebuild, so the order is safe
        chart->BottomAxis()->SetMinimum(range[0]);
        chart->BottomAxis()->SetMaximum(range[1]);
    }
    chart->LeftAxis()->SetMinimum(0);
    UpdateHistogram(frame, true);
    TrackBar_Thickness_Change();
    TrackBar_Transparency_Change();
    SetTimer1Enabled(true);
}

void TFPoblacion::UpdateHistogram(TFrameHistogram* Frame, bool WithCurves)
{
    if (!FModel || !Frame)
        return;
    TChart* chart = Frame->ChartPoblacion;
    {
        TAutoRepaintOff quiet(*chart);
        const double a = chart->BottomAxis()->Minimum();
        const double b = chart->BottomAxis()->Maximum();
        const auto v = static_cast<std::size_t>(Frame->FNumVar);
        const int count = std::min<int>(Frame->FHistCount, static_cast<int>(Frame->FMask.size()));
        auto density = [&](std::size_t row, double x) {
            double y = 0.0;
            const auto& mask = Frame->FMask[row];
            for (std::size_t g = 0; g < mask.size() && g < FModel->Groups.size(); ++g) {
                if (!mask[g])
                    continue;
                const tSubPopulation& group = *FModel->Groups[g];
                if (v >= group.Variables.size())
                    continue;
                const tNumVar& var = group.Variables[v];
                y += NormalDensity(x, var.CurrentMean, var.StandardDeviation) * group.Weight;
            }
            return y;
        };
        for (THistogramSeries* s : Frame->FHistSeries)
            s->Clear();
        for (TFastLineSeries* s : Frame->FLineSeries)
            s->Clear();
        double top = 0.0;
        double x = a;
        for (int k = 0; k < FBins; ++k) {
            for (int i = 0; i < count; ++i) {
                const double y = density(static_cast<std::size_t>(i), x);
                top = std::max(top, y);
                Frame->FHistSeries[static_cast<std::size_t>(i)]->AddXY(x, y);
            }
            x += (b - a) / FBins;
        }
        if (WithCurves) {
            const int curves = std::min<int>(count, static_cast<int>(Frame->FLineSeries.size()));
            x = a;
            for (int k = 0; k < FLinePoints; ++k) {
                for (int i = 0; i < curves; ++i) {
                    const double y = density(static_cast<std::size_t>(i), x);
                    top = std::max(top, y);
                    Frame->FLineSeries[static_cast<std::size_t>(i)]->AddXY(x, y);
                }
                x += (b - a) / FLinePoints;
            }
        }
        chart->LeftAxis()->SetAxisValuesFormat(DensityAxisFormat(top));
    }
    // the kept picture is stale: draw it anew at the next paint
    chart->Invalidate();
}

void TFPoblacion::HistogramOptionChange(QObject* Sender)
{
    if (!Sender || !FModel)
        return;
    const int tag = Sender->property("Tag").toInt();
    TFrameHistogram* frame = HistogramFrame(tag);
    if (!frame->FSplitMode) {
        if (Sender == frame->CB_GroupOnly)
            frame->CB_GroupOnlyClick();
    } else if (Sender == frame->CB_Split) {
        FillLevels(frame->CB_filter, frame->CB_Split);
    } else if (Sender == frame->CB_splitted) {
        const bool on = frame->CB_splitted->isChecked();
        frame->CB_Split->setEnabled(on);
        frame->CB_filtered->setEnabled(on);
        frame->CB_filter->setEnabled(on && frame->CB_filtered->isChecked());
    } else if (Sender == frame->CB_filtered) {
        frame->CB_filter->setEnabled(frame->CB_filtered->isChecked());
    }
    RefreshHistogram(tag);
}

void TFPoblacion::HistogramTogglePanels(QObject* Sender)
{
    if (!Sender)
        return;
    const int tag = Sender->property("Tag").toInt();
    HistogramFrame(tag)->sb_togglePanelsClick();
    RefreshHistogram(tag);
}

void TFPoblacion::cbShowModelClick()
{
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2}) {
        for (std::size_t i = 0; i < frame->FHistSeries.size() && static_cast<int>(i) < frame->FHistCount; ++i)
            frame->FHistSeries[i]->SetActive(cbShowHistogram->isChecked());
        for (std::size_t i = 0; i < frame->FLineSeries.size() && static_cast<int>(i) < frame->FLineCount; ++i)
            frame->FLineSeries[i]->SetActive(cbShowModel->isChecked());
    }
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2})
        if (frame->IsExpanded())
            UpdateHistogram(frame, true);
}

void TFPoblacion::TrackBar_AmplitudChange()
{
    const int position = TrackBar_Amplitud->value();
    FBins = AmplitudeBins(position, FBaseBins);
    if (position * 2.0 / 100.0 > 1.99) {
        cbShowHistogram->setChecked(false);
        cbShowModel->setChecked(true);
    } else {
        cbShowHistogram->setChecked(true);
    }
}

void TFPoblacion::TrackBar_Thickness_Change()
{
    const int width = TrackBar_Thickness->value() / 15;
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2})
        for (TFastLineSeries* s : frame->FLineSeries)
            s->LinePen().SetWidth(width);
}

void TFPoblacion::TrackBar_Transparency_Change()
{
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2})
        for (THistogramSeries* s : frame->FHistSeries)
            s->SetTransparency(TrackBar_Transparency->value());
}

void TFPoblacion::FrameHistogram2SpeedButton3Click()
{
    FrameHistogram2->SetAlignClient(!FrameHistogram2->AlignClient());
    FrameHistogram2->SpeedButton3Click();
}

// ---- the bar-chart frame ----

void TFPoblacion::SetupBarFrame()
{
    FrameBarras1->Setup(1, 1, false, true);
    FrameBarras1->BarsVariable = -1;
    TComboItems items(FrameBarras1->CB_Variable);
    items.Clear();
    items.SetSorted(true);
    for (const tCatVar& cv : FModel->CatVars)
        items.Add(cv.Name);
    items.SetItemIndex(items.Count() > 0 ? 0 : -1);
    QObject::disconnect(FrameBarras1->CB_Variable, nullptr, this, nullptr);
    connect(FrameBarras1->CB_Variable, &QComboBox::activated, this,
            [this] { platform::GuardEvent([this] { BarVariableChange(); }); });
}

void TFPoblacion::DrawBars()
{
    if (!FModel)
        return;
    TBarSeries* bars = FrameBarras1->Series_Bar1;
    TChart* chart = FrameBarras1->ChartPoblacion;
    const int c = std::max(FModel->FindCatVar(FrameBarras1->CB_Variable->currentText().toStdString()), 0);
    if (c < FModel->CatVarCount && c == FrameBarras1->BarsVariable &&
        bars->Count() == FModel->CatVars[static_cast<std::size_t>(c)].LevelCount) {
        // The same variable's bars: only the heights that moved change.
        const tCatVar& cv = FModel->CatVars[static_cast<std::size_t>(c)];
        FModel->UpdateLevelShare(c);
        bool moved = false;
        for (int k = 0; k < cv.LevelCount; ++k) {
            const double share = cv.Levels[static_cast<std::size_t>(k)].Share;
            if (bars->YValues().Value(k) != share) {
                bars->YValues().SetValue(k, share);
                moved = true;
            }
        }
        if (moved)
            chart->Invalidate();
        return;
    }
    DrawBarsAnew(c);
    chart->Invalidate();
}

void TFPoblacion::DrawBarsAnew(int c)
{
    TBarSeries* bars = FrameBarras1->Series_Bar1;
    TChart* chart = FrameBarras1->ChartPoblacion;
    TAutoRepaintOff quiet(*chart);
    bars->Clear();
    FrameBarras1->BarsVariable = -1;
    chart->Title()->Clear();
    if (c >= FModel->CatVarCount)
        return; // no categorical variable: nothing to draw
    const tCatVar& cv = FModel->CatVars[static_cast<std::size_t>(c)];
    chart->Title()->SetCaption(cv.Label);
    chart->Title()->SetVisible(true);
    FModel->UpdateLevelShare(c);
    const int L = cv.LevelCount;
    chart->LeftAxis()->SetMinMax(0, 1);
    chart->BottomAxis()->SetMinMax(0.5, L + 0.5);
    bars->Shadow().SetVisible(true);
    bars->Marks().SetStyle(smsPercent);
    for (int k = 0; k < L; ++k) {
        const tLevels& level = cv.Levels[static_cast<std::size_t>(k)];
        bars->AddXY(k + 1, level.Share, level.Label);
    }
    FrameBarras1->BarsVariable = c;
}

void TFPoblacion::BarVariableChange()
{
    if (!FModel)
        return;
    DrawBars();
    for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2}) {
        frame->CB_Split->setCurrentIndex(FrameBarras1->CB_Variable->currentIndex());
        FillLevels(frame->CB_filter, frame->CB_Split);
    }
    if (FrameHistogram1->IsExpanded())
        RefreshHistogram(1);
    if (FrameHistogram2->IsExpanded())
        RefreshHistogram(2);
}

