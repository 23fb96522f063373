#pragma once
// The series of a chart as a list: one checkable row per series with its
// colour and title; the check switches the series on and off. Refilled when
// told.
#include <QListWidget>
#include <QPointer>

class TChart;

class TProcessSeriesList : public QListWidget {
    Q_OBJECT
public:
    explicit TProcessSeriesList(QWidget* parent = nullptr);

    TChart* Chart() const;
    void SetChart(TChart* Chart);
    // Reads the series again, keeping the current row when it still exists.
    void Refill();

private:
    void ItemChanged(QListWidgetItem* item);

    QPointer<TChart> m_chart;
    bool m_filling = false;
};
