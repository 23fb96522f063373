#include "windows/process_series_list.h"

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "platform/qt_drawing_device.h"

#include <QPixmap>

TProcessSeriesList::TProcessSeriesList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ItemChanged(item); });
}

TChart* TProcessSeriesList::Chart() const
{
    return m_chart.data();
}

void TProcessSeriesList::SetChart(TChart* Chart)
{
    if (m_chart == Chart)
        return;
    m_chart = Chart;
    Refill();
}

void TProcessSeriesList::Refill()
{
    m_filling = true;
    const int current = currentRow();
    clear();
    for (int i = 0; m_chart && i < m_chart->SeriesCount(); ++i) {
        TChartSeries* s = m_chart->Series(i);
        auto* item = new QListWidgetItem(QString::fromStdString(s->TitleOrName()), this);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(s->Active() ? Qt::Checked : Qt::Unchecked);
        QPixmap swatch(12, 12);
        swatch.fill(platform::ToQColor(s->SeriesColor()));
        item->setIcon(QIcon(swatch));
    }
    if (count() > 0)
        setCurrentRow(current >= 0 && current < count() ? current : 0);
    m_filling = false;
}

void TProcessSeriesList::ItemChanged(QListWidgetItem* item)
{
    if (m_filling || !m_chart)
        return;
    const int i = row(item);
    if (i >= 0 && i < m_chart->SeriesCount())
        m_chart->Series(i)->SetActive(item->checkState() == Qt::Checked);
}
