#include "chart/tools/full_screen_tool.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

#include "chart/chart.h"
#include "tool_stream_support.h"

namespace {

class TFullScreenChart : public ::testing::Test {
protected:
    TFullScreenChart()
    {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(new QWidget);
        layout->addWidget(chart, 2, Qt::AlignBottom);
        form.resize(400, 300);
        form.show();
        tool.SetParentChart(chart);
        saved = chart->geometry();
    }
    ~TFullScreenChart() override
    {
        tool.SetActive(false);
        tool.SetParentChart(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Key(QWidget* W, Qt::Key K)
    {
        QKeyEvent e(QEvent::KeyPress, K, Qt::NoModifier);
        QApplication::sendEvent(W, &e);
    }
    void ExpectBackInPlace()
    {
        EXPECT_EQ(chart->parentWidget(), &form);
        auto* box = static_cast<QVBoxLayout*>(form.layout());
        ASSERT_EQ(box->indexOf(chart), 1);
        EXPECT_EQ(box->stretch(1), 2);
        EXPECT_EQ(box->itemAt(1)->alignment(), Qt::AlignBottom);
        EXPECT_EQ(chart->geometry(), saved);
    }

    QWidget form;
    TChart* chart = new TChart;
    TFullScreenTool tool;
    QRect saved;
};

}  // namespace

TEST_F(TFullScreenChart, InactiveAtFirstAndEscapeIsTheReleaseKey)
{
    EXPECT_FALSE(tool.Active());
    EXPECT_EQ(tool.ReleaseKey(), 27);
    EXPECT_EQ(tool.Host(), nullptr);
}

TEST_F(TFullScreenChart, ActivatingFillsTheScreenAndEscapeRestoresParentBoundsAndAlignment)
{
    tool.SetActive(true);
    ASSERT_NE(tool.Host(), nullptr);
    EXPECT_EQ(chart->parentWidget(), tool.Host());
    EXPECT_EQ(tool.Host()->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(chart->size(), QGuiApplication::primaryScreen()->geometry().size());
    const QPointer<QWidget> host = tool.Host();
    Key(chart, Qt::Key_Escape);
    EXPECT_FALSE(tool.Active());
    EXPECT_EQ(tool.Host(), nullptr);
    ExpectBackInPlace();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.isNull());
}

TEST_F(TFullScreenChart, OtherKeysAndAnotherReleaseKey)
{
    tool.SetReleaseKey(122);
    tool.SetActive(true);
    Key(tool.Host(), Qt::Key_Escape);
    EXPECT_TRUE(tool.Active());
    Key(tool.Host(), Qt::Key_F11);
    EXPECT_FALSE(tool.Active());
    ExpectBackInPlace();
}

TEST_F(TFullScreenChart, ClosingTheWindowDeactivatesAndRestores)
{
    tool.SetActive(true);
    const QPointer<QWidget> host = tool.Host();
    host->close();
    EXPECT_FALSE(tool.Active());
    ExpectBackInPlace();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.isNull());
}

TEST_F(TFullScreenChart, DeactivatingRestoresAndFreeingTheToolToo)
{
    tool.SetActive(true);
    tool.SetActive(false);
    ExpectBackInPlace();
    auto* other = new TFullScreenTool;
    other->SetParentChart(chart);
    other->SetActive(true);
    EXPECT_NE(chart->parentWidget(), &form);
    delete other;
    ExpectBackInPlace();
}

TEST_F(TFullScreenChart, WithoutAChartActivatingOnlyStoresTheFlag)
{
    TFullScreenTool loose;
    loose.SetActive(true);
    EXPECT_TRUE(loose.Active());
    EXPECT_EQ(loose.Host(), nullptr);
}

TEST(FullScreenStreaming, ActiveDefaultsOffAndTheKeyRoundTrips)
{
    TFullScreenTool a;
    EXPECT_TRUE(StreamedNames(Written(a)).empty());
    a.SetReleaseKey(122);
    TFullScreenTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.ReleaseKey(), 122);
    EXPECT_FALSE(b.Active());
    // an active tool writes it
    TFullScreenTool c;
    c.SetActive(true);
    EXPECT_EQ(StreamedNames(Written(c)), (std::vector<std::string>{"Active"}));
}
