#pragma once
// Custom labels of an axis: values with their own text and shape, and the
// label format shape whose font and visibility are the axis' LabelsFont and
// Labels. While the list is automatic the axis refills it on each draw.
#include <memory>
#include <string>
#include <vector>

#include "chart/plot_shape.h"

class TChartAxis;

class TAxisItem : public TPlotCustomShape {
public:
    explicit TAxisItem(TCustomPlotPanel* Owner = nullptr);
    double Value() const { return m_value; }
    void SetValue(double Value);
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& Value);

private:
    double m_value = 0;
    std::string m_text;
};

class TAxisItems {
public:
    explicit TAxisItems(TChartAxis& Axis);
    ~TAxisItems();
    TAxisItems(const TAxisItems&) = delete;
    TAxisItems& operator=(const TAxisItems&) = delete;

    TChartAxis& Axis() const { return m_axis; }
    // Font and Visible are the axis' LabelsFont and Labels.
    TPlotShape& Format() const { return *m_format; }
    // Filled by the axis itself (True at creation); adding by hand clears it.
    bool Automatic() const { return m_automatic; }

    int Count() const { return static_cast<int>(m_items.size()); }
    TAxisItem& operator[](int Index) const { return *m_items[static_cast<std::size_t>(Index)]; }
    TAxisItem* Add(double Value);
    TAxisItem* Add(double Value, const std::string& Text);
    // Frees every item and repaints the chart.
    void Clear();
    // The format shape, then a copy (value and text) of each custom item;
    // an automatic source leaves the list automatic and empty.
    void Assign(const TAxisItems& Source);

    // The axis' own fill: empties the list and marks it automatic; then adds
    // labels while staying automatic.
    void ClearAutomatic();
    void AddAutomatic(double Value, const std::string& Text);

private:
    TCustomPlotPanel* Panel() const;

    TChartAxis& m_axis;
    std::unique_ptr<TPlotShape> m_format;
    std::vector<std::unique_ptr<TAxisItem>> m_items;
    bool m_automatic = true;
};
