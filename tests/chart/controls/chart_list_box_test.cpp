#include "chart/controls/chart_list_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <memory>

#include "chart/chart.h"
#include "support/test_series.h"
#include "testing/fake_dialogs.h"
#include "testing/recording_device.h"

namespace {

class ChartListBoxTest : public ::testing::Test {
protected:
    ChartListBoxTest()
    {
        list.resize(300, 200);
        list.SetCanvas(std::make_unique<platform::RecordingDevice>(300, 200));
    }
    ~ChartListBoxTest() override
    {
        list.SetChart(nullptr);
        while (chart->SeriesCount() > 0)
            chart->RemoveSeries(chart->Series(0));
    }

    TTestLineSeries& Add(const std::string& Title)
    {
        auto* s = new TTestLineSeries(&owner);
        s->SetTitle(Title);
        chart->AddSeries(s);
        return *s;
    }
    // A point inside item Index, in Column.
    QPoint At(int Index, TChartListBoxColumn Column) const
    {
        return {list.ColumnLeft(Column) + 5, list.ItemRect(Index).top + 5};
    }
    void Click(int Index, TChartListBoxColumn Column, Qt::KeyboardModifiers Shift = {})
    {
        const QPoint p = At(Index, Column);
        list.HandleMouseDown(Qt::LeftButton, Shift, p.x(), p.y());
        list.HandleMouseUp(Qt::LeftButton, Shift, p.x(), p.y());
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.Count(); ++i)
            out.push_back(list.ItemText(i));
        return out;
    }
    void SendKey(QWidget* Target, int Key)
    {
        QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
        QCoreApplication::sendEvent(Target, &press);
    }

    QObject owner;
    std::unique_ptr<TChart> chart = std::make_unique<TChart>();
    TChartListBox list;
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
};

}  // namespace

TEST_F(ChartListBoxTest, DefaultsAndAnEmptyChartGiveAnEmptyList)
{
    EXPECT_EQ(list.ItemHeight(), 24);
    EXPECT_TRUE(list.MultiSelect());
    EXPECT_EQ(list.CheckStyle(), cbsCheck);
    EXPECT_EQ(list.ColumnLeft(lcActive), 26);
    EXPECT_EQ(list.ColumnLeft(lcColor), 42);
    EXPECT_EQ(list.ColumnLeft(lcTitle), 68);
    list.SetChart(chart.get());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetShowActiveCheck(false);
    EXPECT_EQ(list.ColumnLeft(lcTitle), 52);
}

TEST_F(ChartListBoxTest, ListsTheChartsSeriesAndFollowsAddRemoveAndTitle)
{
    Add("Heads");
    auto& b = Add("Tails");
    int refreshed = 0;
    list.OnRefresh = [&](TChartListBox&) { ++refreshed; };
    list.SetChart(chart.get());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Heads", "Tails"}));
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(refreshed, 1);
    list.SetItemIndex(1);
    Add("Edge");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Heads", "Tails", "Edge"}));
    EXPECT_EQ(list.SelectedSeries(), &b);
    b.SetTitle("Cross");
    EXPECT_EQ(list.ItemText(1), "Cross");
    TCustomChartSeries* removed = nullptr;
    list.OnRemovedSeries = [&](TChartListBox&, TCustomChartSeries& s) { removed = &s; };
    delete &b;
    EXPECT_EQ(removed, static_cast<TCustomChartSeries*>(&b));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Heads", "Edge"}));
    chart.reset();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Chart(), nullptr);
    chart = std::make_unique<TChart>();
}

TEST_F(ChartListBoxTest, CheckStyleTogglesEachSeries)
{
    auto& a = Add("A");
    auto& b = Add("B");
    list.SetChart(chart.get());
    TCustomChartSeries* changed = nullptr;
    list.OnChangeActive = [&](TChartListBox&, TCustomChartSeries& s) { changed = &s; };
    Click(1, lcActive);
    EXPECT_TRUE(a.Active());
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(changed, static_cast<TCustomChartSeries*>(&b));
    Click(1, lcActive);
    EXPECT_TRUE(b.Active());
    Click(1, lcTitle);
    EXPECT_TRUE(b.Active());
}

TEST_F(ChartListBoxTest, RadioStyleKeepsOneActive)
{
    auto& a = Add("A");
    auto& b = Add("B");
    auto& c = Add("C");
    a.SetActive(false);
    list.SetChart(chart.get());
    list.SetCheckStyle(cbsRadio);
    EXPECT_FALSE(a.Active());
    EXPECT_TRUE(b.Active());
    EXPECT_FALSE(c.Active());
    Click(0, lcActive);
    EXPECT_TRUE(a.Active());
    EXPECT_FALSE(b.Active());
    EXPECT_FALSE(c.Active());
}

TEST_F(ChartListBoxTest, LegendCheckBoxesGiveTheirStyle)
{
    Add("A");
    chart->Legend()->SetCheckBoxes(true);
    chart->Legend()->SetCheckBoxesStyle(cbsRadio);
    list.SetChart(chart.get());
    EXPECT_EQ(list.CheckStyle(), cbsRadio);
}

TEST_F(ChartListBoxTest, DragExchangesTwoSeriesAndNotOntoItselfOrOutside)
{
    auto& a = Add("A");
    auto& b = Add("B");
    auto& c = Add("C");
    list.SetChart(chart.get());
    TCustomChartSeries* first = nullptr;
    TCustomChartSeries* second = nullptr;
    list.OnChangeOrder = [&](TChartListBox&, TCustomChartSeries& s1, TCustomChartSeries& s2) {
        first = &s1;
        second = &s2;
    };
    auto drag = [&](int From, QPoint To) {
        const QPoint p = At(From, lcTitle);
        list.HandleMouseDown(Qt::LeftButton, {}, p.x(), p.y());
        list.HandleMouseMove({}, To.x(), To.y());
        list.HandleMouseUp(Qt::LeftButton, {}, To.x(), To.y());
    };
    drag(0, At(0, lcTitle) + QPoint(0, 8));  // onto itself
    EXPECT_EQ(chart->Series(0), &a);
    drag(0, QPoint(At(0, lcTitle).x(), list.ItemRect(3).top + 5));  // below the items
    EXPECT_EQ(chart->Series(0), &a);
    EXPECT_EQ(first, nullptr);
    drag(0, At(2, lcTitle));
    EXPECT_EQ(chart->Series(0), &c);
    EXPECT_EQ(chart->Series(1), &b);
    EXPECT_EQ(chart->Series(2), &a);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(first, static_cast<TCustomChartSeries*>(&a));
    EXPECT_EQ(second, static_cast<TCustomChartSeries*>(&c));
}

TEST_F(ChartListBoxTest, DeleteAsksAboutTheCurrentSeriesAndNoKeepsIt)
{
    Add("A");
    Add("B");
    list.SetChart(chart.get());
    list.SetItemIndex(1);
    dialogs.QueueAnswer(platform::MsgAnswer::No);
    list.HandleKeyUp(Qt::Key_Delete, {});
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"Delete B ?"});
    EXPECT_EQ(dialogs.Calls()[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(chart->SeriesCount(), 2);
    dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    list.HandleKeyUp(Qt::Key_Delete, {});
    ASSERT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST_F(ChartListBoxTest, DeleteQuestionStandsBelowRightOfTheList)
{
    QWidget host;
    host.move(200, 100);
    TChartListBox placed(&host);
    placed.move(10, 60);
    Add("A");
    placed.SetChart(chart.get());
    placed.SetItemIndex(0);
    placed.DeleteSeries();
    placed.SetChart(nullptr);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    // (200 + 10 + 20, 100 + 60 + 30)
    EXPECT_EQ(dialogs.Calls()[0].position, std::optional<QPoint>(QPoint(230, 190)));
    EXPECT_EQ(chart->SeriesCount(), 1);  // no answer: No
}

TEST_F(ChartListBoxTest, MultiDeleteRemovesEverySelectedSeries)
{
    Add("A");
    auto& b = Add("B");
    Add("C");
    auto& d = Add("D");
    list.SetChart(chart.get());
    list.SetItemIndex(0);
    Click(1, lcTitle, Qt::ControlModifier);
    Click(2, lcTitle, Qt::ControlModifier);
    Click(3, lcTitle, Qt::ControlModifier);
    Click(1, lcTitle, Qt::ControlModifier);  // B off again
    ASSERT_EQ(list.SelCount(), 3);
    dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    list.DeleteSeries();
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"Delete (Selected Series) ?"});
    ASSERT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), &b);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"B"}));
    (void)d;
}

TEST_F(ChartListBoxTest, WithoutAskDeleteAllSelectedGoSilently)
{
    Add("A");
    Add("B");
    Add("C");
    list.SetChart(chart.get());
    list.SetAskDelete(false);
    list.SelectAll();
    list.DeleteSeries();
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(chart->SeriesCount(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ChartListBoxTest, TitleEditStoresOnEnterAndDiscardsOnEscape)
{
    auto& a = Add("A");
    list.SetChart(chart.get());
    list.HandleKeyUp(Qt::Key_F2, {});
    ASSERT_TRUE(list.TitleEditing());
    QLineEdit* edit = list.TitleEditor();
    EXPECT_EQ(edit->text(), "A");
    // client (66, 0), inside the two-pixel frame
    EXPECT_EQ(edit->geometry(), QRect(68, 2, 216, 24));
    edit->setText("Aciertos");
    SendKey(edit, Qt::Key_Return);
    EXPECT_FALSE(list.TitleEditing());
    EXPECT_EQ(a.Title(), "Aciertos");
    EXPECT_EQ(list.ItemText(0), "Aciertos");
    list.StartTitleEdit();
    edit->setText("Pruebas");
    SendKey(edit, Qt::Key_Escape);
    EXPECT_FALSE(list.TitleEditing());
    EXPECT_EQ(a.Title(), "Aciertos");
}

TEST_F(ChartListBoxTest, DoubleClickOnColourPicksTheSeriesColour)
{
    auto& a = Add("A");
    a.SetColorEachPoint(true);
    a.SetSeriesColor(0x0000FF);
    list.SetChart(chart.get());
    int changed = 0;
    list.OnChangeColor = [&](TChartListBox&, TCustomChartSeries&) { ++changed; };
    dialogs.QueueColor(0x00FF00);
    const QPoint p = At(0, lcColor);
    list.HandleDblClick({}, p.x(), p.y());
    EXPECT_EQ(a.SeriesColor(), 0x00FF00u);
    EXPECT_FALSE(a.ColorEachPoint());
    EXPECT_EQ(changed, 1);
    int dbl = -1;
    list.OnDblClickSeries = [&](TChartListBox&, int i) { dbl = i; };
    const QPoint t = At(0, lcTitle);
    list.HandleDblClick({}, t.x(), t.y());
    EXPECT_EQ(dbl, 0);
}

TEST_F(ChartListBoxTest, DrawsIconCheckSymbolAndTitle)
{
    Add("Heads");
    list.SetChart(chart.get());
    auto& device = static_cast<platform::RecordingDevice&>(list.Canvas());
    device.ClearLog();
    list.PaintNow();
    const auto boxes = device.CallsNamed("DrawCheckBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].args[0], "28,5,41,18");
    const auto texts = device.CallsNamed("TextOut");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().args[0], "69");
    EXPECT_EQ(texts.back().args.back(), "Heads");
}

TEST_F(ChartListBoxTest, WithoutFrameTheTitleEditorStartsAtTheEdge)
{
    list.SetBorderStyle(platform::bsNone);
    Add("A");
    list.SetChart(chart.get());
    list.HandleKeyUp(Qt::Key_F2, {});
    ASSERT_TRUE(list.TitleEditing());
    EXPECT_EQ(list.TitleEditor()->geometry(), QRect(66, 0, 216, 24));
}

TEST_F(ChartListBoxTest, AClickOnAnItemFiresOnRefresh)
{
    Add("A");
    Add("B");
    list.SetChart(chart.get());
    int refreshed = 0;
    list.OnRefresh = [&](TChartListBox&) { ++refreshed; };
    Click(1, lcTitle);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(list.ItemIndex(), 1);
    // below the last item
    list.HandleMouseDown(Qt::LeftButton, {}, 100, list.ItemRect(1).bottom + 10);
    list.HandleMouseUp(Qt::LeftButton, {}, 100, list.ItemRect(1).bottom + 10);
    EXPECT_EQ(refreshed, 1);
}
