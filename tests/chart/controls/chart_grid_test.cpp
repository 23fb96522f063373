#include "chart/controls/chart_grid.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QObject>
#include <memory>

#include "chart/chart.h"
#include "core/date_time.h"
#include "support/test_series.h"
#include "testing/fake_dialogs.h"
#include "testing/recording_device.h"

using platform::GridRect;

namespace {

class ChartGridTest : public ::testing::Test {
protected:
    ChartGridTest()
    {
        grid.resize(600, 400);
        grid.SetCanvas(std::make_unique<platform::RecordingDevice>(600, 400));
    }
    ~ChartGridTest() override
    {
        grid.SetChart(nullptr);
        grid.SetSeries(nullptr);
        while (chart->SeriesCount() > 0)
            chart->RemoveSeries(chart->Series(0));
    }

    TTestLineSeries& AddSeries(std::initializer_list<std::pair<double, double>> Points, bool OnChart = true)
    {
        auto* s = new TTestLineSeries(&owner);
        for (const auto& [x, y] : Points)
            s->AddXY(x, y);
        if (OnChart)
            chart->AddSeries(s);
        return *s;
    }
    // Types Text into the cell and confirms it with Enter.
    void Type(int Col, int Row, const std::string& Text)
    {
        grid.FocusCell(Col, Row, true);
        grid.ShowEditor();
        ASSERT_TRUE(grid.EditorMode());
        grid.InplaceEditor()->setText(QString::fromStdString(Text));
        grid.HandleChar(13);
    }
    std::vector<platform::RecordedCall> Texts()
    {
        auto& device = static_cast<platform::RecordingDevice&>(grid.Canvas());
        device.ClearLog();
        grid.PaintNow();
        return device.CallsNamed("ExtTextOut");
    }

    QObject owner;
    std::unique_ptr<TChart> chart = std::make_unique<TChart>();
    TChartGrid grid;
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
};

}  // namespace

TEST_F(ChartGridTest, WithoutChartOrSeriesOneEmptyDataRow)
{
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.ColCount(), 2);  // the point index and the labels
    EXPECT_EQ(grid.DefaultRowHeight(), 16);
    EXPECT_EQ(grid.RowHeights(0), 20);
    EXPECT_EQ(grid.ColWidths(0), 30);
    EXPECT_EQ(grid.CellText(1, 2), "");
}

TEST_F(ChartGridTest, ColumnMapTakesColoursLabelsAndXOnlyWhereNotSequential)
{
    auto& a = AddSeries({{0, 10}, {1, 11}, {2, 12}});
    auto& b = AddSeries({{5, 1}, {7, 2}});
    grid.SetShowColors(true);
    grid.SetChart(chart.get());
    ASSERT_EQ(grid.ColCount(), 6);
    EXPECT_EQ(grid.ColorsColumn(), 1);
    EXPECT_EQ(grid.LabelsColumn(), 2);
    EXPECT_EQ(grid.ColWidths(1), 40);
    TChartSeries* s = nullptr;
    int list = -1;
    ASSERT_TRUE(grid.ColumnSeries(3, s, list));
    EXPECT_EQ(s, &a);
    EXPECT_EQ(list, 1);
    ASSERT_TRUE(grid.ColumnSeries(4, s, list));
    EXPECT_EQ(s, &b);
    EXPECT_EQ(list, 0);
    ASSERT_TRUE(grid.ColumnSeries(5, s, list));
    EXPECT_EQ(list, 1);
    EXPECT_FALSE(grid.ColumnSeries(2, s, list));
    const std::vector<std::string> fields{grid.CellText(0, 1), grid.CellText(1, 1), grid.CellText(2, 1),
                                          grid.CellText(3, 1), grid.CellText(4, 1), grid.CellText(5, 1)};
    EXPECT_EQ(fields, (std::vector<std::string>{"#", "Colors", "Text", "Y", "X", "Y"}));
}

TEST_F(ChartGridTest, ShowXValuesNoAndYesOverrideTheAutomaticRule)
{
    AddSeries({{5, 1}, {7, 2}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.ColCount(), 4);
    grid.SetShowXValues(cgsNo);
    EXPECT_EQ(grid.ColCount(), 3);
    grid.SetShowLabels(false);
    EXPECT_EQ(grid.ColCount(), 2);
    grid.SetShowXValues(cgsYes);
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST_F(ChartGridTest, RowsFollowTheLongestSeriesAndShorterOnesShowEmptyCells)
{
    AddSeries({{0, 1}, {1, 2}, {2, 3}});
    AddSeries({{0, 4}, {1, 5}, {2, 6}, {3, 7}, {4, 8}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.CellText(2, 6), "");
    EXPECT_EQ(grid.CellText(3, 6), "8");
    EXPECT_EQ(grid.CellText(0, 6), "4");
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(ChartGridTest, AutomaticXColumnAppearsAfterANonSequentialPointIsAdded)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.ColCount(), 3);
    a.AddXY(10, 3);
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.CellText(2, 4), "10");
}

TEST_F(ChartGridTest, ValuesUseTheSeriesFormatAndDateTimeLists)
{
    auto& a = AddSeries({{0, 1234.5678}, {1, -0.5}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.CellText(2, 2), "1,234.568");
    EXPECT_EQ(grid.CellText(2, 3), "-0.5");
    a.SetValueFormat("0.00");
    EXPECT_EQ(grid.CellText(2, 2), "1234.57");
    a.YValues().SetDateTime(true);
    a.YValues().SetValue(0, EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    a.YValues().SetValue(1, EncodeTime(6, 15, 20, 0));
    EXPECT_EQ(grid.CellText(2, 2), "3/5/2024 2:30:00 PM");
    EXPECT_EQ(grid.CellText(2, 3), "6:15:20 AM");
}

TEST_F(ChartGridTest, PaintDrawsValuesRightAlignedAndTitleBesideTheSymbol)
{
    auto& a = AddSeries({{0, 42}});
    a.SetTitle("Heads");
    grid.SetChart(chart.get());
    const auto texts = Texts();
    const platform::Rect value = grid.CellRect(2, 2);
    const platform::Rect title = grid.CellRect(2, 0);
    bool valueSeen = false, titleSeen = false;
    for (const auto& c : texts) {
        if (c.args[4] == "42") {
            valueSeen = true;
            EXPECT_EQ(c.args[0], std::to_string(value.right - 2));
            EXPECT_EQ(c.args[1], std::to_string(value.top + 2));
        }
        if (c.args[4] == "Heads") {
            titleSeen = true;
            EXPECT_EQ(c.args[0], std::to_string(title.left + 18));
            EXPECT_EQ(c.args[1], std::to_string(title.top + 4));
        }
    }
    EXPECT_TRUE(valueSeen);
    EXPECT_TRUE(titleSeen);
}

TEST_F(ChartGridTest, TypingPastTheEndPadsWithNullPoints)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    AddSeries({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}});
    grid.SetChart(chart.get());
    Type(2, 2 + 5, "7.25");
    ASSERT_EQ(a.Count(), 6);
    EXPECT_TRUE(a.IsNull(2));
    EXPECT_TRUE(a.IsNull(3));
    EXPECT_TRUE(a.IsNull(4));
    EXPECT_FALSE(a.IsNull(5));
    EXPECT_EQ(a.YValues().Value(5), 7.25);
    EXPECT_TRUE(a.Modified());
}

TEST_F(ChartGridTest, ClearingACellMakesThePointNullAndANumberBringsItBack)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    a.SetValueColor(1, 0x0000FF);
    grid.SetChart(chart.get());
    Type(2, 3, "");
    EXPECT_TRUE(a.IsNull(1));
    EXPECT_EQ(grid.CellText(2, 3), "2");  // the value stays, drawn as a gap
    Type(2, 3, "3");
    EXPECT_FALSE(a.IsNull(1));
    EXPECT_EQ(a.ValueColor(1), clDefault);
    EXPECT_EQ(a.YValues().Value(1), 3);
}

TEST_F(ChartGridTest, BadTextChangesNothing)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    int fired = 0;
    grid.OnSetEditText = [&](TCustomChartGrid&, int, int, const std::string&) { ++fired; };
    for (const char* bad : {"abc", "1,234.5", "1.5x", "--1", "inf"})
        Type(2, 2 + 4, bad);
    EXPECT_EQ(a.Count(), 2);
    EXPECT_FALSE(a.Modified());
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(dialogs.MessageTexts().size(), 5);
    Type(2, 3, "12x");
    EXPECT_EQ(a.YValues().Value(1), 2);
    EXPECT_FALSE(a.IsNull(1));
}

// A key pressed and released on Target, with its text.
void KeyClick(QWidget* Target, int Key, const QString& Text = {})
{
    QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Target, &press);
    QKeyEvent release(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Target, &release);
}

void KeyClicks(QWidget* Target, const QString& Text)
{
    for (QChar c : Text)
        KeyClick(Target, c.toUpper().unicode(), QString(c));
}

TEST_F(ChartGridTest, TypedTextThatIsNoNumberShowsTheConversionErrorAndKeepsTheValue)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    grid.show();
    grid.FocusCell(2, 3, true);
    KeyClick(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    grid.InplaceEditor()->selectAll();
    KeyClicks(grid.InplaceEditor(), "12x");
    KeyClick(grid.InplaceEditor(), Qt::Key_Return);
    ASSERT_EQ(dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(dialogs.MessageTexts()[0], "'12x' is not a valid floating point value");
    EXPECT_EQ(dialogs.Calls()[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(a.YValues().Value(1), 2);
    EXPECT_FALSE(a.Modified());
    // a number typed after it is taken
    KeyClick(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    grid.InplaceEditor()->selectAll();
    KeyClicks(grid.InplaceEditor(), "7.5");
    KeyClick(grid.InplaceEditor(), Qt::Key_Return);
    EXPECT_EQ(a.YValues().Value(1), 7.5);
    EXPECT_EQ(dialogs.MessageTexts().size(), 1);
}

TEST_F(ChartGridTest, DateTimeTextThatIsNoDateShowsTheDateConversionError)
{
    auto& a = AddSeries({{0, 1}});
    a.YValues().SetDateTime(true);
    grid.SetChart(chart.get());
    Type(2, 2, "yesterday");
    ASSERT_EQ(dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(dialogs.MessageTexts()[0], "'yesterday' is not a valid date and time");
    EXPECT_EQ(a.YValues().Value(0), 1);
}

TEST_F(ChartGridTest, EditorStartsWithFullPrecisionPlainText)
{
    auto& a = AddSeries({{0, 1.23456789}, {1, 1234.56789}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.CellText(2, 2), "1.235");
    grid.FocusCell(2, 3, true);
    grid.ShowEditor();
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "1234.56789");
    grid.HandleChar(13);
    EXPECT_EQ(a.YValues().Value(1), 1234.56789);
    grid.FocusCell(2, 2, true);
    grid.ShowEditor();
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "1.23456789");
    grid.HandleChar(13);
    EXPECT_EQ(a.YValues().Value(0), 1.23456789);
    EXPECT_FALSE(a.Modified());
}

TEST_F(ChartGridTest, EscapeRestoresValueNullStateAndColourExactly)
{
    auto& a = AddSeries({{0, 0.1 + 0.2}, {1, 5}});
    a.SetValueColor(0, 0x00FF00);
    a.SetValueColor(1, clNone);
    grid.SetChart(chart.get());
    grid.FocusCell(2, 2, true);
    grid.ShowEditor();
    grid.InplaceEditor()->setText("9");
    int key = Qt::Key_Escape;
    grid.HandleKeyDown(key, {});
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(a.YValues().Value(0), 0.1 + 0.2);
    EXPECT_EQ(a.ValueColor(0), 0x00FF00u);
    grid.FocusCell(2, 3, true);
    grid.ShowEditor();
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "");
    grid.InplaceEditor()->setText("7");
    grid.HandleChar(27);
    EXPECT_TRUE(a.IsNull(1));
    EXPECT_EQ(a.YValues().Value(1), 5);
    EXPECT_FALSE(a.Modified());
}

TEST_F(ChartGridTest, LabelEditReachesEverySeriesWithPadding)
{
    auto& a = AddSeries({{0, 1}});
    auto& b = AddSeries({{0, 1}, {1, 2}, {2, 3}});
    grid.SetChart(chart.get());
    Type(1, 4, "third");
    ASSERT_EQ(a.Count(), 3);
    EXPECT_TRUE(a.IsNull(1));
    EXPECT_EQ(a.Labels().Label(2), "third");
    EXPECT_EQ(b.Labels().Label(2), "third");
    EXPECT_EQ(grid.CellText(1, 4), "third");
}

TEST_F(ChartGridTest, DateTimeCellsConvertDatesAndTimes)
{
    auto& a = AddSeries({{0, 2}});
    a.YValues().SetDateTime(true);
    grid.SetChart(chart.get());
    Type(2, 2, "3/5/2024 2:30:00 PM");
    EXPECT_DOUBLE_EQ(a.YValues().Value(0), EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    Type(2, 2, "6:15 AM");
    EXPECT_DOUBLE_EQ(a.YValues().Value(0), EncodeTime(6, 15, 0, 0));
    Type(2, 2, "2/30/2024");
    EXPECT_DOUBLE_EQ(a.YValues().Value(0), EncodeTime(6, 15, 0, 0));
}

TEST_F(ChartGridTest, InsertThenUpRemovesOnlyThePaddedRow)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    auto& b = AddSeries({{0, 3}, {1, 4}});
    grid.SetChart(chart.get());
    int key = Qt::Key_Insert;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(b.Count(), 3);
    EXPECT_TRUE(b.IsNull(2));
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Row(), 4);
    key = Qt::Key_Up;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(a.YValues().Value(1), 2);
    EXPECT_EQ(b.YValues().Value(1), 4);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Row(), 3);
    // a real last row is kept: Up only moves
    key = Qt::Key_Up;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(ChartGridTest, UpKeepsASeriesWhoseLastRowHasAValue)
{
    auto& a = AddSeries({{0, 1}});
    auto& b = AddSeries({{0, 3}});
    grid.SetChart(chart.get());
    int key = Qt::Key_Insert;
    grid.HandleKeyDown(key, {});
    Type(3, 3, "8");
    grid.FocusCell(2, 3, true);
    key = Qt::Key_Up;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(a.Count(), 1);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.YValues().Value(1), 8);
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST_F(ChartGridTest, DownOnTheLastRowStays)
{
    AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    grid.FocusCell(1, 3, true);
    int key = Qt::Key_Down;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST_F(ChartGridTest, HeaderCellsAndIndexColumnCannotBeSelected)
{
    AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    grid.FocusCell(2, 3, true);
    int key = Qt::Key_Left;
    grid.HandleKeyDown(key, {});
    key = Qt::Key_Left;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(ChartGridTest, ColourColumnOpensTheDialogAndStoresADifferentColour)
{
    auto& a = AddSeries({{0, 1}, {1, 2}});
    a.SetSeriesColor(0x112233);
    grid.SetShowColors(true);
    grid.SetChart(chart.get());
    int changed = 0;
    grid.OnChangeColor = [&](TCustomChartGrid&) { ++changed; };
    grid.FocusCell(1, 3, true);
    dialogs.QueueColor(0x445566);
    int key = Qt::Key_Return;
    grid.HandleKeyDown(key, {});
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].color, 0x112233u);
    EXPECT_EQ(a.ValueColor(1), 0x445566u);
    EXPECT_TRUE(a.Modified());
    EXPECT_EQ(changed, 1);
    dialogs.QueueColor(0x445566);
    key = Qt::Key_F2;
    grid.HandleKeyDown(key, {});
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(grid.EditorMode());
}

TEST_F(ChartGridTest, HeaderClickSelectsTheColumnThenOnlyTheCurrentCell)
{
    AddSeries({{0, 1}, {1, 2}, {2, 3}});
    AddSeries({{0, 1}, {1, 2}, {2, 3}});
    grid.SetChart(chart.get());
    const platform::Rect h = grid.CellRect(3, 1);
    grid.HandleMouseUp(Qt::LeftButton, {}, h.left + 5, h.top + 5);
    EXPECT_EQ(grid.Selection(), (GridRect{3, 2, 3, 4}));
    grid.FocusCell(3, 3, false);
    grid.SetSelection({3, 2, 3, 4});
    grid.HandleMouseUp(Qt::LeftButton, {}, h.left + 5, h.top + 5);
    EXPECT_EQ(grid.Selection(), (GridRect{3, 2, 3, 2}));
}

TEST_F(ChartGridTest, FollowsSeriesAddedAndRemovedAndTheChartGoing)
{
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.ColCount(), 2);
    auto& a = AddSeries({{0, 1}, {1, 2}});
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.RowCount(), 4);
    delete &a;
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_TRUE(grid.ShownSeries().empty());
    AddSeries({{0, 1}});
    chart.reset();
    EXPECT_EQ(grid.Chart(), nullptr);
    EXPECT_TRUE(grid.ShownSeries().empty());
    EXPECT_EQ(grid.RowCount(), 3);
    chart = std::make_unique<TChart>();
}

TEST_F(ChartGridTest, ABoundSeriesShowsAloneAndFollowsItsChart)
{
    AddSeries({{0, 1}});
    auto& b = AddSeries({{0, 1}, {1, 2}, {2, 3}});
    grid.SetSeries(&b);
    EXPECT_EQ(grid.Chart(), nullptr);
    ASSERT_EQ(grid.ShownSeries().size(), 1u);
    EXPECT_EQ(grid.RowCount(), 5);
    b.AddXY(3, 4);
    b.RefreshSeries();
    EXPECT_EQ(grid.RowCount(), 6);
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.Series(), nullptr);
    EXPECT_EQ(grid.ShownSeries().size(), 2u);
    grid.SetSeries(&b);
    delete &b;
    EXPECT_EQ(grid.Series(), nullptr);
    EXPECT_TRUE(grid.ShownSeries().empty());
}

TEST_F(ChartGridTest, EditingIsRefusedByTheEventAndForDataSourcedSeries)
{
    auto& a = AddSeries({{0, 1}});
    auto& b = AddSeries({{0, 1}});
    grid.SetShowXValues(cgsNo);
    grid.SetChart(chart.get());
    b.SetDataSource(&a);
    grid.FocusCell(3, 2, true);
    grid.ShowEditor();
    EXPECT_FALSE(grid.EditorMode());
    bool asked = false;
    grid.OnEditingCell = [&](TCustomChartGrid&, int c, int r, bool& allow) {
        asked = c == 2 && r == 2;
        allow = false;
    };
    grid.FocusCell(2, 2, true);
    grid.ShowEditor();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(grid.EditorMode());
}

TEST_F(ChartGridTest, AutomaticXRuleSeesEditsBetweenAppends)
{
    auto& a = AddSeries({{0, 1}, {1, 2}, {2, 3}});
    grid.SetChart(chart.get());
    EXPECT_EQ(grid.ColCount(), 3);
    a.AddXY(3, 4);
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 3);
    a.XValues().SetValue(1, 7);
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 4);
    a.XValues().SetValue(1, 1);
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 3);
    a.AddXY(1.5, 9);  // the ascending X list places it inside
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 4);
    a.Delete(2);
    a.RefreshSeries();
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST_F(ChartGridTest, FramedAndDrawingItsCellsByDefault)
{
    EXPECT_EQ(grid.BorderStyle(), platform::bsSingle);
    EXPECT_TRUE(grid.DefaultDrawing());
    EXPECT_EQ(grid.ClientWidth(), 596);
    grid.SetBorderStyle(platform::bsNone);
    EXPECT_EQ(grid.ClientWidth(), 600);
}

TEST_F(ChartGridTest, ScrollingReachesTheTopLeftHookOncePerChange)
{
    for (int i = 0; i < 12; ++i)
        AddSeries({{0, 1}, {1, 2}});
    grid.SetChart(chart.get());
    ASSERT_EQ(grid.ColCount(), 14);  // index, labels, twelve Y columns
    int changes = 0;
    grid.OnTopLeftChanged = [&] { ++changes; };
    grid.SetLeftCol(4);
    EXPECT_EQ(grid.LeftCol(), 4);
    EXPECT_EQ(changes, 1);
    grid.SetLeftCol(4);
    EXPECT_EQ(changes, 1);
    grid.SetLeftCol(1);
    EXPECT_EQ(changes, 2);
}
