#include "windows/histogram_frame.h"

#include "chart/chart.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class TFrameHistogramTest : public ::testing::Test {
protected:
    TFrameHistogramTest()
    {
        parent.resize(400, 300);
        auto* column = new QVBoxLayout(&parent);
        first = new TFrameHistogram(&parent);
        second = new TFrameHistogram(&parent);
        column->addWidget(first);
        column->addWidget(second);
        parent.show();
    }
    QWidget parent;
    TFrameHistogram* first = nullptr;
    TFrameHistogram* second = nullptr;
};

} // namespace

TEST_F(TFrameHistogramTest, SetupTagsTheControlsAndSizesTheFrame)
{
    first->Setup(1, 3, false, false, second);
    second->Setup(2, 3, true, true, first);
    EXPECT_EQ(first->CB_Split->property("Tag").toInt(), 1);
    EXPECT_EQ(second->CB_Group->property("Tag").toInt(), 2);
    EXPECT_EQ(first->FrameHeight(), 15);
    EXPECT_FALSE(first->IsExpanded());
    EXPECT_EQ(second->FrameHeight(), 150);
    EXPECT_TRUE(second->IsExpanded());
    EXPECT_TRUE(first->Panel1->isHidden());
    EXPECT_FALSE(second->Panel1->isHidden());
    EXPECT_TRUE(first->FSplitMode);
    EXPECT_EQ(first->FPartner, second);
}

TEST_F(TFrameHistogramTest, ModesShowTheirControls)
{
    first->Setup(1, 1, true, false, second);
    EXPECT_TRUE(first->CB_splitted->isHidden());
    EXPECT_TRUE(first->CB_filter->isHidden());
    first->Setup(1, 2, true, false, second);
    EXPECT_FALSE(first->CB_Split->isHidden());
    EXPECT_TRUE(first->CB_filtered->isHidden());
    first->Setup(1, 0, true, false, second);
    EXPECT_TRUE(first->Panel1->isHidden());
    EXPECT_TRUE(first->Panel2->isHidden());
}

TEST_F(TFrameHistogramTest, ColourTableGrowsAndGivesNavyPastItsEnd)
{
    first->SetColorCount(2);
    first->SetColor(4, 0x123456);
    EXPECT_EQ(first->FColors.size(), 5u);
    EXPECT_EQ(first->Color(3), 0u);
    EXPECT_EQ(first->Color(4), 0x123456u);
    EXPECT_EQ(first->Color(5), 0x800000u);
    EXPECT_EQ(first->Color(-1), 0x800000u);
}

TEST_F(TFrameHistogramTest, SeriesAreMadeAndFreedOnTheChart)
{
    first->SetColorCount(2);
    first->SetColor(0, 0x0000FF);
    first->SetColor(1, 0x00FF00);
    first->BuildSeries(2, 2);
    ASSERT_EQ(first->ChartPoblacion->SeriesCount(), 4);
    EXPECT_EQ(first->FHistSeries[1]->SeriesColor(), 0x00FF00u);
    EXPECT_EQ(first->FHistSeries[0]->Transparency(), 30);
    EXPECT_TRUE(first->FHistSeries[0]->LinesPen().Visible());
    EXPECT_EQ(first->FLineSeries[0]->SeriesColor(), 0x0000FFu);
    first->BuildSeries(1, 1);
    EXPECT_EQ(first->ChartPoblacion->SeriesCount(), 2);
    first->ClearSeries();
    EXPECT_EQ(first->ChartPoblacion->SeriesCount(), 0);
    EXPECT_TRUE(first->FHistSeries.empty());
}

TEST_F(TFrameHistogramTest, TogglingSwapsSplitAndGroupOptions)
{
    first->Setup(1, 3, true, false, second);
    first->sb_togglePanelsClick();
    EXPECT_FALSE(first->FSplitMode);
    EXPECT_FALSE(first->PanelC->isHidden());
    EXPECT_TRUE(first->sb_togglePanels->isChecked());
    first->sb_togglePanelsClick();
    EXPECT_TRUE(first->FSplitMode);
    EXPECT_TRUE(first->PanelC->isHidden());
}

TEST_F(TFrameHistogramTest, TitleButtonSharesTheColumnWithAnOpenPartner)
{
    first->Setup(1, 3, false, false, second);
    second->Setup(2, 3, false, true, first);
    first->SpeedButton3->setChecked(true);
    first->SpeedButton3Click();
    EXPECT_EQ(first->FrameHeight(), 150);
    EXPECT_EQ(second->FrameHeight(), 150);
    EXPECT_TRUE(first->FExpanded);
    first->SpeedButton3->setChecked(false);
    first->SpeedButton3Click();
    EXPECT_EQ(first->FrameHeight(), 15);
    // alone: all but the partner's title
    second->SpeedButton3->setChecked(false);
    second->SpeedButton3Click();
    first->SpeedButton3->setChecked(true);
    first->SpeedButton3Click();
    EXPECT_EQ(first->FrameHeight(), 285);
}

TEST_F(TFrameHistogramTest, GroupComboFollowsItsCheckBox)
{
    first->CB_GroupOnly->setChecked(true);
    first->CB_GroupOnlyClick();
    EXPECT_TRUE(first->CB_Group->isEnabled());
}
