#pragma once
// Computes a series' points from one or more source series: over all points,
// by periods of points or of X range, or over a moving window. Descendants
// supply Calculate (one window) and CalculateMany (one index across sources).
#include <string>
#include <vector>

#include "chart/chart_component.h"
#include "chart/property_model.h"

class TChartPen;
class TCustomAxisPanel;
class TChartSeries;
class TChartValueList;

enum TFunctionPeriodStyle { psNumPoints, psRange };
enum TFunctionPeriodAlign { paFirst, paCenter, paLast };
inline constexpr const char* FunctionPeriodStyleNames[] = {"psNumPoints", "psRange"};
inline constexpr const char* FunctionPeriodAlignNames[] = {"paFirst", "paCenter", "paLast"};

class TPlotFunction : public TComponent {
    Q_OBJECT
public:
    explicit TPlotFunction(QObject* Owner = nullptr);
    ~TPlotFunction() override;

    double Period() const { return m_period; }
    // Raises ChartException for a negative value.
    void SetPeriod(double Value);
    // Stores without recalculating.
    void InternalSetPeriod(double Value) { m_period = Value; }
    TFunctionPeriodStyle PeriodStyle() const { return m_periodStyle; }
    void SetPeriodStyle(TFunctionPeriodStyle Value);
    TFunctionPeriodAlign PeriodAlign() const { return m_periodAlign; }
    void SetPeriodAlign(TFunctionPeriodAlign Value);
    TChartSeries* ParentSeries() const { return m_parentSeries; }
    // The series is told to use this function.
    void SetParentSeries(TChartSeries* Value);
    void BeginUpdate() { ++m_updating; }
    void EndUpdate();
    bool Updating() const { return m_updating > 0; }

    // Refills the parent series from its sources.
    void Recalculate();
    // Adds the points computed from Source (or from all sources).
    virtual void AddPoints(const TChartSeries* Source);
    virtual void Clear() {}
    // Computes without any source series.
    virtual bool NoSourceRequired() const { return false; }
    virtual bool IsValidSource(const TChartSeries&) const { return true; }
    virtual std::string EditorClassName() const { return "TPlotFunctionEditor"; }
    // Every series of Chart prepares itself for the gallery.
    virtual void PrepareForGallery(TCustomAxisPanel& Chart);

    // One result over First..Last (-1, -1: all points).
    virtual double Calculate(const TChartSeries& Source, int First, int Last);
    // One result for point Index across the parent's sources.
    virtual double CalculateMany(int Index);

    // Period, PeriodStyle and PeriodAlign.
    void InternalAssign(const TPlotFunction& Source);
    // A new function of the same class.
    virtual TPlotFunction* Clone(QObject* Owner) const;

    // The published properties of the function's class.
    virtual const TPropertyTable<TPlotFunction>& PropertyTable() const { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    // Stored defaults of Period and PeriodAlign for the class.
    virtual double DefaultPeriod() const { return 0; }
    virtual TFunctionPeriodAlign DefaultPeriodAlign() const { return paCenter; }

protected:
    virtual void CalculateFromSource(const TChartSeries& Source, const TChartValueList& NotMandatory);
    void CalculateAllPoints(const TChartSeries& Source, const TChartValueList& NotMandatory);
    // One point a period, added to the parent in one step at the end.
    void CalculateByPeriod(const TChartSeries& Source, const TChartValueList& NotMandatory);
    void CalculatePeriod(const TChartSeries& Source, double X, int First, int Last);
    // The source list the function reads: the one named by the parent's
    // mandatory list's ValueSource, else the source's mandatory list.
    const TChartValueList& ValueList(const TChartSeries& Source) const;
    void AddFunctionXY(bool YMandatory, double X, double Y);
    // Periods counted in points: round(Period), never below 1.
    int PointsPeriod() const;

private:
    friend class TChartSeries;
    double m_period = 0;
    TFunctionPeriodStyle m_periodStyle = psNumPoints;
    TFunctionPeriodAlign m_periodAlign = paCenter;
    TChartSeries* m_parentSeries = nullptr;
    int m_updating = 0;
    // While CalculateByPeriod runs: AddFunctionXY collects its points here.
    std::vector<double>* m_batchX = nullptr;
    std::vector<double>* m_batchY = nullptr;

    void CollectByPeriod(const TChartSeries& Source, const TChartValueList& NotMandatory);
};

// A pen of the function's parent series to read a stream into; a read error
// when the function has no parent series yet.
TChartPen* PenToRead(TChartPen* Pen);

class TPlotMovingFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TPlotMovingFunction(QObject* Owner = nullptr);
    TPlotFunction* Clone(QObject* Owner) const override;
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    // Period and PeriodAlign only.
    static const TPropertyTable<TPlotFunction>& Properties();
    double DefaultPeriod() const override { return 1; }
    TFunctionPeriodAlign DefaultPeriodAlign() const override { return paLast; }

protected:
    void CalculateFromSource(const TChartSeries& Source, const TChartValueList& NotMandatory) override;
};
