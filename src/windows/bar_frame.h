#pragma once
// A frame with one bar chart: the title button, the chart, the options
// button and an option row of which the population window shows only the
// variable combo. The window draws the shares of a categorical variable's
// levels into its bar series.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class TBarSeries;
class TChart;

class TFrameBarras : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 15;
    // The column the frame takes a third of before it is first laid out.
    static constexpr int kDesignColumnHeight = 456;

    explicit TFrameBarras(QWidget* parent = nullptr);

    // Mode 0: no option row; 1: variable only; 2: with split; 3: all.
    void Setup(int Tag, int Mode, bool OptionsDown, bool Expanded);
    bool IsExpanded() const;
    void SpeedButton1Click();
    void SpeedButton3Click();

    int FrameHeight() const { return m_height; }
    void SetFrameHeight(int h);

    QWidget* Panel0 = nullptr;
    QWidget* Panel3 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    TChart* ChartPoblacion = nullptr;
    TBarSeries* Series_Bar1 = nullptr;  // owned by the frame
    QWidget* Panel4 = nullptr;
    QWidget* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CB_Variable = nullptr;
    QCheckBox* CB_splitted = nullptr;
    QComboBox* CB_Split = nullptr;
    QCheckBox* CB_filtered = nullptr;
    QComboBox* CB_filter = nullptr;

private:
    QWidget* m_body = nullptr;
    int m_height = kTitleHeight;
};
