#include "platform/custom_grid.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "testing/recording_device.h"

using namespace platform;

namespace {

// A grid that logs the cells it is asked to draw and keeps edited texts.
class TLogGrid : public TCustomGrid {
public:
    std::vector<std::pair<int, int>> drawn;
    std::vector<unsigned> states;
    std::string stored;
    GridCoord storedAt{-1, -1};
    GridEditStyle style = GridEditStyle::Simple;

    using TCustomGrid::TCustomGrid;

protected:
    void DrawCell(int col, int row, const Rect&, unsigned state) override
    {
        drawn.emplace_back(col, row);
        states.push_back(state);
    }
    std::string GetEditText(int col, int row) override
    {
        return std::to_string(col) + ":" + std::to_string(row);
    }
    void SetEditText(int col, int row, const std::string& value) override
    {
        stored = value;
        storedAt = {col, row};
    }
    GridEditStyle GetEditStyle(int, int) override { return style; }
};

class TCustomGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(400, 300);
        grid.SetCanvas(std::make_unique<RecordingDevice>(400, 300));
    }
    TLogGrid grid;
};

}  // namespace

TEST_F(TCustomGridTest, DefaultsAreFiveByFiveWithOneFixedRowAndColumn)
{
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.ColWidths(3), 64);
    EXPECT_EQ(grid.RowHeights(3), 24);
}

TEST_F(TCustomGridTest, CellRectsFollowWidthsHeightsAndLines)
{
    grid.SetColWidths(0, 80);
    EXPECT_EQ(grid.CellRect(0, 0), (Rect{0, 0, 80, 24}));
    EXPECT_EQ(grid.CellRect(1, 0), (Rect{81, 0, 145, 24}));
    EXPECT_EQ(grid.CellRect(2, 2), (Rect{146, 50, 210, 74}));
    int col = 0, row = 0;
    ASSERT_TRUE(grid.MouseToCell(150, 60, col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 2);
    // the line right of a cell belongs to it
    ASSERT_TRUE(grid.MouseToCell(80, 24, col, row));
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
}

TEST_F(TCustomGridTest, HeadingsOnlyGridHasNoScrollableCellsAndPaintsHeadings)
{
    grid.SetFixedRows(2);
    grid.SetRowCount(2);
    EXPECT_FALSE(grid.HasScrollableCells());
    grid.HandleKeyDown(Qt::Key_Down, {});
    grid.HandleWheel(-120, {}, 10, 10);
    grid.ShowEditor();
    EXPECT_FALSE(grid.EditorMode());
    grid.PaintNow();
    ASSERT_EQ(grid.drawn.size(), 10u);
    for (unsigned s : grid.states)
        EXPECT_EQ(s, static_cast<unsigned>(gdFixed));
}

TEST_F(TCustomGridTest, ZeroColumnsAndRowsPaintNothingAndNeverCrash)
{
    grid.SetColCount(0);
    grid.SetRowCount(0);
    grid.PaintNow();
    EXPECT_TRUE(grid.drawn.empty());
    int col = 0, row = 0;
    EXPECT_FALSE(grid.MouseToCell(5, 5, col, row));
    grid.HandleMouseDown(Qt::LeftButton, {}, 5, 5);
    EXPECT_EQ(grid.CellRect(0, 0), Rect{});
}

TEST_F(TCustomGridTest, PaintDrawsOnlyTheVisibleCells)
{
    grid.SetRowCount(1000);
    grid.SetTopRow(500);
    grid.PaintNow();
    // 300 pixels hold 12 rows of 25 (fixed row + 11 scrollable, the last cut)
    int maxRow = 0;
    for (auto [c, r] : grid.drawn)
        maxRow = std::max(maxRow, r);
    EXPECT_EQ(grid.TopRow(), 500);
    EXPECT_LE(grid.drawn.size(), 5u * 13u);
    EXPECT_LT(maxRow, 500 + 12);
}

TEST_F(TCustomGridTest, ArrowsMoveAndShiftExtendsTheSelection)
{
    grid.HandleKeyDown(Qt::Key_Down, {});
    grid.HandleKeyDown(Qt::Key_Right, {});
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    grid.HandleKeyDown(Qt::Key_Right, Qt::ShiftModifier);
    grid.HandleKeyDown(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (GridRect{2, 2, 3, 3}));
    // never onto the fixed cells
    grid.HandleKeyDown(Qt::Key_Home, Qt::ControlModifier);
    grid.HandleKeyDown(Qt::Key_Up, {});
    grid.HandleKeyDown(Qt::Key_Left, {});
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(TCustomGridTest, PageDownScrollsByTheVisibleRows)
{
    grid.SetRowCount(101);
    const int page = grid.VisibleRowCount();
    grid.HandleKeyDown(Qt::Key_PageDown, {});
    EXPECT_EQ(grid.TopRow(), 1 + page);
    EXPECT_EQ(grid.Row(), 1 + page);
    grid.HandleKeyDown(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 100);
    EXPECT_EQ(grid.CellRect(grid.Col(), 100).IsEmpty(), false);
}

TEST_F(TCustomGridTest, RowSelectSpansTheScrollableColumns)
{
    grid.SetOptions(grid.Options() | goRowSelect);
    grid.FocusCell(3, 2, true);
    EXPECT_EQ(grid.Selection(), (GridRect{1, 2, 4, 2}));
}

TEST_F(TCustomGridTest, SelectionIsClampedToTheGrid)
{
    grid.SetSelection({2, 3, 40, 70});
    EXPECT_EQ(grid.Selection(), (GridRect{2, 3, 4, 4}));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(TCustomGridTest, EditorOpensOnTheSecondClickAndCommitsOnEnter)
{
    grid.SetOptions(grid.Options() | goEditing);
    const Rect r = grid.CellRect(2, 3);
    grid.HandleMouseDown(Qt::LeftButton, {}, r.left + 3, r.top + 3);
    grid.HandleMouseUp(Qt::LeftButton, {}, r.left + 3, r.top + 3);
    EXPECT_FALSE(grid.EditorMode());
    grid.HandleMouseDown(Qt::LeftButton, {}, r.left + 3, r.top + 3);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "2:3");
    grid.InplaceEditor()->setText("7.5");
    grid.HandleChar(13);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.stored, "7.5");
    EXPECT_EQ(grid.storedAt, (GridCoord{2, 3}));
}

TEST_F(TCustomGridTest, EscapeDropsTheEditedText)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.HandleChar('4');
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "4");
    grid.HandleChar(27);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_TRUE(grid.stored.empty());
}

TEST_F(TCustomGridTest, WithoutTheEditingOptionNoEditorOpens)
{
    grid.HandleChar('4');
    grid.HandleChar(13);
    EXPECT_FALSE(grid.EditorMode());
}

TEST_F(TCustomGridTest, PickListFillsOnDropDownAndPickingStoresTheItem)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.style = GridEditStyle::PickList;
    grid.ShowEditor();
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    editor->OnGetPickListItems = [](std::vector<std::string>& items) { items = {"low", "high"}; };
    editor->DropDown();
    EXPECT_EQ(editor->PickItems(), (std::vector<std::string>{"low", "high"}));
    editor->PickItem(1);
    EXPECT_EQ(grid.stored, "high");
    EXPECT_FALSE(editor->ListVisible());
}

TEST_F(TCustomGridTest, WheelScrollsTheRowsAndKeepsTheCurrentCell)
{
    grid.SetRowCount(40);
    const int page = grid.VisibleRowCount();
    ASSERT_LT(page, 39);
    const int notch = std::max(1, QApplication::wheelScrollLines());
    grid.HandleWheel(-120, {}, 10, 10);
    EXPECT_EQ(grid.TopRow(), 1 + notch);
    EXPECT_EQ(grid.Row(), 1);
    // no further than the last row at the bottom
    for (int i = 0; i < 40; ++i)
        grid.HandleWheel(-120, {}, 10, 10);
    EXPECT_EQ(grid.TopRow() + page - 1, 39);
    EXPECT_EQ(grid.Row(), 1);
    for (int i = 0; i < 40; ++i)
        grid.HandleWheel(120, {}, 10, 10);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

// A touchpad or a fine wheel turns in parts of a notch: the parts add up
// to notches, so the rows scroll as far as with a plain wheel.
TEST_F(TCustomGridTest, PartsOfANotchAddUpToScrolledRows)
{
    grid.SetRowCount(40);
    const int notch = std::max(1, QApplication::wheelScrollLines());
    const auto turn = [this](int delta) {
        QWheelEvent event(QPointF(10, 10), grid.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&grid, &event);
    };
    for (int i = 0; i < 8; ++i)
        turn(-30);
    EXPECT_EQ(grid.TopRow(), 1 + 2 * notch);
    for (int i = 0; i < 3; ++i)
        turn(40);
    EXPECT_EQ(grid.TopRow(), 1 + notch);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(TCustomGridTest, RowsAddedWhileHiddenShowTheScrollBarWhenShown)
{
    grid.SetRowCount(40);
    grid.show();
    QScrollBar* vertical = nullptr;
    for (QScrollBar* bar : grid.findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical)
            vertical = bar;
    ASSERT_NE(vertical, nullptr);
    EXPECT_TRUE(vertical->isVisible());
    EXPECT_EQ(vertical->maximum(), 40 - grid.VisibleRowCount());
}

TEST_F(TCustomGridTest, DraggingAColumnBorderInTheFixedRowSizesIt)
{
    grid.SetOptions(grid.Options() | goColSizing);
    const Rect r = grid.CellRect(1, 0);
    grid.HandleMouseDown(Qt::LeftButton, {}, r.right, 5);
    grid.HandleMouseMove({}, r.right + 20, 5);
    grid.HandleMouseUp(Qt::LeftButton, {}, r.right + 20, 5);
    EXPECT_EQ(grid.ColWidths(1), 84);
}

TEST_F(TCustomGridTest, SelectedCellsAreFilledWithTheHighlight)
{
    grid.SetSelection({1, 1, 2, 1});
    auto* device = static_cast<RecordingDevice*>(&grid.Canvas());
    device->ClearLog();
    grid.PaintNow();
    // the current cell keeps the window colour, the other selected one is highlighted
    EXPECT_EQ(device->Surface().Pixel(grid.CellRect(1, 1).left + 2, grid.CellRect(1, 1).top + 2), 0xFFFFFFu);
    EXPECT_EQ(device->Surface().Pixel(grid.CellRect(2, 1).left + 2, grid.CellRect(2, 1).top + 2),
              0x6A240Au);
}

TEST_F(TCustomGridTest, DoubleClickFiresOnDblClickAndSizingShowsADraggedBorder)
{
    int fired = 0;
    grid.OnDblClick = [&] { ++fired; };
    grid.HandleDblClick({}, 100, 40);
    EXPECT_EQ(fired, 1);
    grid.SetOptions(grid.Options() | goColSizing);
    const Rect r = grid.CellRect(1, 0);
    EXPECT_FALSE(grid.Sizing());
    grid.HandleMouseDown(Qt::LeftButton, {}, r.right, r.top + 5);
    EXPECT_TRUE(grid.Sizing());
    grid.HandleMouseUp(Qt::LeftButton, {}, r.right + 10, r.top + 5);
    EXPECT_FALSE(grid.Sizing());
}

TEST_F(TCustomGridTest, WithoutLinesTheGapsTakeTheCellColour)
{
    grid.SetOptions(goFixedVertLine | goFixedHorzLine);
    grid.SetColor(0x00FF00);
    auto* device = static_cast<RecordingDevice*>(&grid.Canvas());
    // something left on the surface where the lines would stand
    const Rect r = grid.CellRect(2, 2);
    device->FillRectWith({0, 0, 400, 300}, BrushDesc::Solid(0x0000FF));
    grid.PaintNow();
    EXPECT_EQ(device->Surface().Pixel(r.right, r.top + 2), 0x00FF00u);
    EXPECT_EQ(device->Surface().Pixel(r.left + 2, r.bottom), 0x00FF00u);
    // the fixed row keeps its lines
    const Rect heading = grid.CellRect(2, 0);
    EXPECT_NE(device->Surface().Pixel(heading.right, heading.top + 2), 0x00FF00u);
}

TEST_F(TCustomGridTest, SingleBorderTakesTwoPixelsOnEachSide)
{
    EXPECT_EQ(grid.BorderStyle(), bsSingle);
    EXPECT_EQ(grid.ClientWidth(), 396);
    EXPECT_EQ(grid.ClientHeight(), 296);
    grid.SetBorderStyle(bsNone);
    EXPECT_EQ(grid.ClientWidth(), 400);
    EXPECT_EQ(grid.ClientHeight(), 300);
    // cells stay in client pixels either way
    EXPECT_EQ(grid.CellRect(1, 1), (Rect{65, 25, 129, 49}));
}

TEST_F(TCustomGridTest, FrameSurroundsTheCellsOnScreen)
{
    TLogGrid shown;
    shown.resize(200, 120);
    shown.SetFixedColor(RGB(0, 200, 0));
    shown.show();
    QImage image = shown.grab().toImage();
    EXPECT_EQ(image.pixel(0, 50) & 0xFFFFFFu, 0x808080u);  // the frame's outer shadow
    // the fixed cell (0, 0) starts inside the frame
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFFu, 0x00C800u);

    shown.SetBorderStyle(bsNone);
    image = shown.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, 0x00C800u);
}

TEST_F(TCustomGridTest, MouseEventsAreTakenInsideTheFrame)
{
    const Rect r = grid.CellRect(2, 2);
    // one pixel inside the cell on the widget is one pixel short of it in the client area
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(r.left + 1, r.top + 1), QPointF(r.left + 1, r.top + 1),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &press);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    QMouseEvent again(QEvent::MouseButtonPress, QPointF(r.left + 2, r.top + 2), QPointF(r.left + 2, r.top + 2),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &again);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(TCustomGridTest, EditorSitsOverItsCellInsideTheFrame)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.FocusCell(2, 3, true);
    grid.ShowEditor();
    ASSERT_TRUE(grid.EditorMode());
    const Rect r = grid.CellRect(2, 3);
    EXPECT_EQ(grid.InplaceEditor()->geometry(), QRect(r.left + 2, r.top + 2, r.Width(), r.Height()));
}

TEST_F(TCustomGridTest, WithoutDefaultDrawingCellsAreLeftToDrawCell)
{
    EXPECT_TRUE(grid.DefaultDrawing());
    auto* device = static_cast<RecordingDevice*>(&grid.Canvas());
    const Rect r = grid.CellRect(2, 2);
    device->FillRectWith({0, 0, 400, 300}, BrushDesc::Solid(0x0000FF));
    grid.SetDefaultDrawing(false);
    grid.PaintNow();
    // TLogGrid draws nothing: what was there stays
    EXPECT_EQ(device->Surface().Pixel(r.left + 2, r.top + 2), 0x0000FFu);
    EXPECT_EQ(device->Surface().Pixel(grid.CellRect(0, 0).left + 2, 2), 0x0000FFu);
    grid.SetDefaultDrawing(true);
    grid.PaintNow();
    EXPECT_EQ(device->Surface().Pixel(r.left + 2, r.top + 2), 0xFFFFFFu);
}
