#pragma once
// A list of a chart's series, one row each: the series type's icon, an
// active check box (or radio button), the colour symbol and the title. The
// user switches series on and off, recolours, reorders by dragging, renames
// in place and deletes them. The list follows its chart through the chart's
// listener list.
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "platform/custom_list_box.h"

class QLineEdit;
class TPlotCanvas3D;

// Columns of a row, left to right.
enum TChartListBoxColumn { lcIcon, lcActive, lcColor, lcTitle };

class TChartListBox : public platform::TCustomListBox, public IChartEventListener {
public:
    explicit TChartListBox(QWidget* Parent = nullptr);
    ~TChartListBox() override;

    TCustomChart* Chart() const { return m_chart; }
    void SetChart(TCustomChart* Value);

    bool AllowAddSeries() const { return m_allowAddSeries; }
    void SetAllowAddSeries(bool Value) { m_allowAddSeries = Value; }
    bool AllowDeleteSeries() const { return m_allowDeleteSeries; }
    void SetAllowDeleteSeries(bool Value) { m_allowDeleteSeries = Value; }
    bool AskDelete() const { return m_askDelete; }
    void SetAskDelete(bool Value) { m_askDelete = Value; }
    TCheckBoxesStyle CheckStyle() const { return m_checkStyle; }
    // Radio style leaves only the first active series active.
    void SetCheckStyle(TCheckBoxesStyle Value);
    bool EnableChangeColor() const { return m_enableChangeColor; }
    void SetEnableChangeColor(bool Value) { m_enableChangeColor = Value; }
    bool EnableDragSeries() const { return m_enableDragSeries; }
    void SetEnableDragSeries(bool Value) { m_enableDragSeries = Value; }
    bool EnableChangeType() const { return m_enableChangeType; }
    void SetEnableChangeType(bool Value) { m_enableChangeType = Value; }
    // Titles drawn in their series' colour.
    bool FontSeriesColor() const { return m_fontSeriesColor; }
    void SetFontSeriesColor(bool Value);
    bool ShowSeriesIcon() const { return m_columns[lcIcon].Visible; }
    void SetShowSeriesIcon(bool Value) { SetColumnVisible(lcIcon, Value); }
    bool ShowActiveCheck() const { return m_columns[lcActive].Visible; }
    void SetShowActiveCheck(bool Value) { SetColumnVisible(lcActive, Value); }
    bool ShowSeriesColor() const { return m_columns[lcColor].Visible; }
    void SetShowSeriesColor(bool Value) { SetColumnVisible(lcColor, Value); }
    bool ShowSeriesTitle() const { return m_columns[lcTitle].Visible; }
    void SetShowSeriesTitle(bool Value) { SetColumnVisible(lcTitle, Value); }

    // Left edge of a column: the widths of the visible columns before it.
    int ColumnLeft(TChartListBoxColumn Column) const;
    int ColumnWidth(TChartListBoxColumn Column) const { return m_columns[Column].Width; }
    // The column under client x; -1 right of the last visible one.
    int ColumnAt(int X) const;

    // The series of an item (nullptr outside the items).
    TChartSeries* SeriesAt(int Index) const;
    // The current item's series.
    TChartSeries* SelectedSeries() const;

    // Refills the items from the chart, keeping Keep selected when listed.
    void FillSeries(TChartSeries* Keep);
    // Deletes the selected series (the current one when none is selected),
    // asking first with AskDelete.
    void DeleteSeries();
    // The title editor over the current item.
    void StartTitleEdit();
    // Ends an edit in progress: Accept stores the text as the series' title.
    void EndTitleEdit(bool Accept);
    bool TitleEditing() const;
    QLineEdit* TitleEditor() const { return m_titleEdit; }

    // Hooks that nothing fills by default: the add-series dialog (Insert with
    // AllowAddSeries) and the change-type dialog (double click on an icon).
    std::function<void(TChartListBox& Sender)> OnAddSeries;
    std::function<void(TChartListBox& Sender, TChartSeries& Series)> OnChangeSeriesType;

    std::function<void(TChartListBox& Sender, TCustomChartSeries& Series)> OnChangeActive;
    std::function<void(TChartListBox& Sender, TCustomChartSeries& Series)> OnChangeColor;
    std::function<void(TChartListBox& Sender, TCustomChartSeries& Series)> OnRemovedSeries;
    std::function<void(TChartListBox& Sender, TCustomChartSeries& Series1, TCustomChartSeries& Series2)>
        OnChangeOrder;
    std::function<void(TChartListBox& Sender, int Index)> OnDblClickSeries;
    std::function<void(TChartListBox& Sender)> OnOtherItemsChange;
    std::function<void(TChartListBox& Sender)> OnRefresh;

    void HandleChartEvent(TPlotEvent& Event) override;

protected:
    void DrawItem(int Index, const platform::Rect& Rect, unsigned State) override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void DblClick(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void KeyUp(int& Key, Qt::KeyboardModifiers Shift) override;
    bool DragOver(int X, int Y) override;
    void DragDrop(int X, int Y) override;

private:
    struct TColumn {
        int Width = 0;
        bool Visible = true;
    };
    void SetColumnVisible(TChartListBoxColumn Column, bool Value);
    void TakeLegendCheckStyle();
    bool ShowsColor(const TChartSeries& Series) const;
    bool InColumn(TChartListBoxColumn Column, int X) const;

    QPointer<TCustomChart> m_chart;
    QMetaObject::Connection m_chartGone;
    bool m_allowAddSeries = true;
    bool m_allowDeleteSeries = true;
    bool m_askDelete = true;
    TCheckBoxesStyle m_checkStyle = cbsCheck;
    bool m_enableChangeColor = true;
    bool m_enableDragSeries = true;
    bool m_enableChangeType = true;
    bool m_fontSeriesColor = false;
    std::array<TColumn, 4> m_columns{{{26, true}, {16, true}, {26, true}, {216, true}}};
    QLineEdit* m_titleEdit = nullptr;  // created on first use, a Qt child
    std::unique_ptr<TPlotCanvas3D> m_plotCanvas;  // check boxes and legend symbols draw through it
    bool m_doubleClicked = false;
    bool m_destroying = false;
};
