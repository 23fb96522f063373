#include "windows/bar_frame.h"

#include "chart/chart.h"
#include "chart/series/bar_series.h"

#include <QComboBox>
#include <QCoreApplication>
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

// A frame in a column of 400 x 600 that is not on screen yet.
class TFrameBarrasInHiddenColumn : public ::testing::Test {
protected:
    TFrameBarrasInHiddenColumn()
    {
        parent.resize(400, 600);
        auto* column = new QVBoxLayout(&parent);
        frame = new TFrameBarras(&parent);
        column->addWidget(frame);
    }
    QWidget parent;
    TFrameBarras* frame = nullptr;
};

TEST_F(TFrameBarrasInHiddenColumn, SetUpExpandedTakesTheThirdAtTheFirstLayout)
{
    frame->Setup(1, 1, false, true);
    // the design column's third until the column is on screen
    EXPECT_EQ(frame->FrameHeight(), TFrameBarras::kDesignColumnHeight / 3);
    parent.show();
    EXPECT_EQ(frame->FrameHeight(), 200);
    // later sizes of the column leave the frame as it is
    parent.resize(400, 900);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(frame->FrameHeight(), 200);
}

TEST_F(TFrameBarrasInHiddenColumn, SetUpCollapsedStaysCollapsed)
{
    frame->Setup(1, 1, false, false);
    parent.show();
    EXPECT_EQ(frame->FrameHeight(), TFrameBarras::kTitleHeight);
    EXPECT_FALSE(frame->IsExpanded());
}
