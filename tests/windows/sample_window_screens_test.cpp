// Pictures of the sample window's pages, written to build/tests/sample_window_*.png:
// the design with a grouping variable and two variables to observe, the
// observation sheet with the meter stopped on a value and the repeats, the
// data after "add all", and the statistics of one variable by groups.
#include "sample_study.h"

#include "widgets/analog_meter.h"
#include "windows/statistics_frame.h"

#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QTabWidget>

using namespace sample_study;

namespace {

QImage Shot(TFMuestra* w, const char* name)
{
    QApplication::processEvents();
    // the window's parent area is never shown: lay out what changed since
    for (QLayout* layout : w->widget()->findChildren<QLayout*>())
        layout->activate();
    const QImage image = w->widget()->grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/sample_window_" + name + ".png");
    return image;
}

// Colours in the picture: a page that drew nothing has one or two.
int ColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

void Pick(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

class SampleWindowScreens : public SampleWindowFixture {
protected:
    TFMuestra* ShownSample()
    {
        TFMuestra* w = NewSample();
        w->show();
        w->resize(1100, 760);
        w->DesignBox()->setCurrentIndex(1);
        w->c_DesignBoxChange();
        GroupBy(w, "Sexo");
        Observe(w, {"Peso", "Talla"});
        SetSize(w, 1, 12);
        SetSize(w, 2, 18);
        return w;
    }
};

} // namespace

TEST_F(SampleWindowScreens, DesignObservationDataAndStatisticsPages)
{
    TFMuestra* w = ShownSample();
    ASSERT_TRUE(w->GetSampleButton()->isEnabled());
    EXPECT_GT(ColourCount(Shot(w, "design")), 8);

    w->GetSampleButton()->click();
    w->sb_NewRecordClick();
    SelectIn(w->ObservableVars(), {"Sexo"});
    w->sb_AnnotateClick();
    for (int i = 0; i < w->MeasureList()->count(); ++i)
        if (w->MeasureList()->item(i)->text() == "Peso")
            w->MeasureList()->setCurrentRow(i);
    w->sb_selectToMeasureClick();
    for (int i = 0; i < 3; ++i)
        w->sb_MeasureClick();
    EXPECT_NE(w->Meter()->Value(), 0.0);
    EXPECT_FALSE(w->RepeatTable()->isHidden());
    EXPECT_GT(ColourCount(Shot(w, "observation")), 8);

    w->tbAddAllRecordsClick();
    EXPECT_EQ(w->PageControl()->currentIndex(), 2);
    EXPECT_GT(ColourCount(Shot(w, "data")), 8);

    w->PageControl()->setCurrentIndex(3);
    Pick(w->StatVars1(), QStringLiteral("Peso"));
    Pick(w->StatVars2(), QStringLiteral("Sexo"));
    w->ExecuteStatistics();
    EXPECT_FALSE(w->StatisticsFrame()->isHidden());
    EXPECT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    if (auto* pages = w->StatisticsFrame()->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(2); // the comparison by groups
    EXPECT_GT(ColourCount(Shot(w, "statistics")), 4);
}
