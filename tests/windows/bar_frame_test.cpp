#include "windows/bar_frame.h"

#include "chart/chart.h"
#include "chart/series/bar_series.h"

#include <QComboBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(TFrameBarras, SetupShowsTheVariableOnlyAndTakesAThird)
{
    QWidget parent;
    parent.resize(400, 300);
    auto* column = new QVBoxLayout(&parent);
    auto* frame = new TFrameBarras(&parent);
    column->addWidget(frame);
    parent.show();
    frame->Setup(1, 1, false, true);
    EXPECT_EQ(frame->CB_Variable->property("Tag").toInt(), 1);
    EXPECT_TRUE(frame->CB_Split->isHidden());
    EXPECT_TRUE(frame->Panel1->isHidden());
    EXPECT_EQ(frame->FrameHeight(), 100);
    EXPECT_TRUE(frame->IsExpanded());
    EXPECT_EQ(frame->ChartPoblacion->SeriesCount(), 1);
    EXPECT_EQ(frame->Series_Bar1->Marks().Style(), smsPercent);
    frame->SpeedButton3->setChecked(false);
    frame->SpeedButton3Click();
    EXPECT_EQ(frame->FrameHeight(), 15);
    EXPECT_FALSE(frame->IsExpanded());
    frame->SpeedButton1->setChecked(true);
    frame->SpeedButton1Click();
    EXPECT_FALSE(frame->Panel1->isHidden());
}
