#pragma once
// Component bases of what a chart owns as components: TCustomChartElement
// (active flag, brush, pen, parent chart) and TCustomChartSeries (legend
// flag, title, identifier, style flags, margin hooks).
#include <memory>
#include <string>

#include "chart/chart_component.h"
#include "chart/chart_pen.h"
#include "chart/property_model.h"
#include "chart/series_parent.h"

class TCustomChartElement : public TComponent {
    Q_OBJECT
public:
    explicit TCustomChartElement(QObject* Owner = nullptr);
    ~TCustomChartElement() override;

    bool Active() const { return m_active; }
    virtual void SetActive(bool Value);
    // The Active value that streams leave out.
    virtual bool DefaultActive() const { return true; }
    TChartBrush& Brush() const { return *m_brush; }
    void SetBrush(const TChartBrush& Value) { m_brush->Assign(Value); }
    // The element's pen; a type may hand out another it draws with.
    virtual TChartPen& Pen() const { return *m_pen; }
    virtual void SetPen(const TChartPen& Value) { m_pen->Assign(Value); }
    TSeriesParent* ParentChart() const { return m_parentChart; }
    virtual void SetParentChart(TSeriesParent* Value);
    bool ShowInEditor() const { return m_showInEditor; }
    void SetShowInEditor(bool Value) { m_showInEditor = Value; }
    int Tag() const { return m_tag; }
    void SetTag(int Value) { m_tag = Value; }

    // Invalidates the parent chart.
    virtual void Repaint();
    virtual std::string EditorClassName() const { return {}; }

    // Store a changed value, then repaint.
    template <typename T>
    void SetProperty(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    void SetBooleanProperty(bool& Field, bool Value) { SetProperty(Field, Value); }
    void SetColorProperty(TColor& Field, TColor Value) { SetProperty(Field, Value); }
    void SetIntegerProperty(int& Field, int Value) { SetProperty(Field, Value); }
    void SetDoubleProperty(double& Field, double Value) { SetProperty(Field, Value); }
    void SetStringProperty(std::string& Field, const std::string& Value) { SetProperty(Field, Value); }

    // Active, Brush, Pen and Tag of another element.
    virtual void Assign(const TCustomChartElement& Source);

    virtual const TPropertyTable<TCustomChartElement>& PropertyTable() const { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

protected:
    // The parent chart without telling it.
    void DetachParentChart() { m_parentChart = nullptr; }
    bool m_active = true;

private:
    std::unique_ptr<TChartBrush> m_brush;
    std::unique_ptr<TChartPen> m_pen;
    TSeriesParent* m_parentChart = nullptr;
    bool m_showInEditor = true;
    int m_tag = 0;
};

// The six style flags of a series (bits 1 .. 32).
using TChartSeriesStyle = unsigned;

class TCustomChartSeries : public TCustomChartElement {
    Q_OBJECT
public:
    explicit TCustomChartSeries(QObject* Owner = nullptr);

    bool ShowInLegend() const { return m_showInLegend; }
    virtual void SetShowInLegend(bool Value) { SetBooleanProperty(m_showInLegend, Value); }
    const std::string& Title() const { return m_title; }
    virtual void SetTitle(const std::string& Value) { m_title = Value; }
    const std::string& Identifier() const { return m_identifier; }
    void SetIdentifier(const std::string& Value) { m_identifier = Value; }
    TChartSeriesStyle Style() const { return m_style; }
    // Only the six flag bits are kept.
    void SetStyle(TChartSeriesStyle Value) { m_style = Value & 63u; }

    // Active: repaints, sends notice 5 and lets the chart refresh what depends on it.
    void SetActive(bool Value) override;

    virtual void GetHorizMargins(int& Left, int& Right) { Left = Right = 0; }
    virtual void GetVertMargins(int& Top, int& Bottom) { Top = Bottom = 0; }
    virtual void DoBeforeDrawChart() {}
    // The chart's 3D view applied to the series type: sets the chart's View3D.
    virtual void SetChartView3D(bool Value);

    void Assign(const TCustomChartElement& Source) override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

    // True when the class of either object inherits from the other's.
    static bool SameClass(const QObject& A, const QObject& B);

private:
    bool m_showInLegend = true;
    std::string m_title;
    std::string m_identifier;
    TChartSeriesStyle m_style = 0;
};
