#include "platform/custom_list_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <QObject>

#include "testing/recording_device.h"

using namespace platform;

namespace {

class TDropListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    std::vector<int> drawn;
    int dropAt = -1;

protected:
    void DrawItem(int index, const Rect&, unsigned) override { drawn.push_back(index); }
    bool DragOver(int, int) override { return true; }
    void DragDrop(int x, int y) override { dropAt = ItemAtPos(x, y); }
};

class TCustomListBoxTest : public ::testing::Test {
protected:
    TCustomListBoxTest()
    {
        list.resize(200, 100);
        list.SetCanvas(std::make_unique<RecordingDevice>(200, 100));
        list.SetItemHeight(20);
        for (int i = 0; i < 8; ++i)
            list.AddItem("item" + std::to_string(i), i == 2 ? &tagged : nullptr);
    }
    QObject tagged;
    TDropListBox list;
};

}  // namespace

TEST_F(TCustomListBoxTest, ItemsMapToRowsFromTheTopItem)
{
    list.SetBorderStyle(bsNone);  // 100 pixels: five rows of 20
    EXPECT_EQ(list.ItemAtPos(5, 45), 2);
    EXPECT_EQ(list.IndexOfObject(&tagged), 2);
    list.SetTopIndex(10);
    EXPECT_EQ(list.TopIndex(), 3);  // 5 rows show, 8 items
    EXPECT_EQ(list.ItemAtPos(5, 5), 3);
    list.PaintNow();
    EXPECT_EQ(list.drawn, (std::vector<int>{3, 4, 5, 6, 7}));
    list.SetTopIndex(0);
    EXPECT_EQ(list.ItemAtPos(5, 250), -1);
}

TEST_F(TCustomListBoxTest, SingleSelectionFollowsTheCurrentItem)
{
    list.SetItemIndex(3);
    EXPECT_EQ(list.SelCount(), 1);
    list.HandleMouseDown(Qt::LeftButton, Qt::ControlModifier, 5, 25);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.SelCount(), 1);
    list.SelectAll();
    EXPECT_EQ(list.SelCount(), 1);
}

TEST_F(TCustomListBoxTest, MultiSelectTogglesWithCtrlAndExtendsWithShift)
{
    list.SetMultiSelect(true);
    list.HandleMouseDown(Qt::LeftButton, {}, 5, 5);
    list.HandleMouseDown(Qt::LeftButton, Qt::ShiftModifier, 5, 65);
    EXPECT_EQ(list.SelCount(), 4);
    list.HandleMouseDown(Qt::LeftButton, Qt::ControlModifier, 5, 25);
    EXPECT_FALSE(list.Selected(1));
    EXPECT_EQ(list.SelCount(), 3);
    list.DeleteItem(0);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(list.SelCount(), 2);
}

TEST_F(TCustomListBoxTest, ArmedDragStartsAfterFivePixelsAndDrops)
{
    list.ArmDrag(5, 5);
    list.HandleMouseMove({}, 5, 8);
    EXPECT_FALSE(list.Dragging());
    list.HandleMouseMove({}, 5, 50);
    EXPECT_TRUE(list.Dragging());
    list.HandleMouseUp(Qt::LeftButton, {}, 5, 50);
    EXPECT_FALSE(list.Dragging());
    EXPECT_EQ(list.dropAt, 2);
}

TEST_F(TCustomListBoxTest, SingleBorderTakesTwoPixelsOnEachSide)
{
    EXPECT_EQ(list.BorderStyle(), bsSingle);
    EXPECT_EQ(list.ClientOrigin(), QPoint(2, 2));
    EXPECT_EQ(list.ClientWidth(), 196);
    EXPECT_EQ(list.ClientHeight(), 96);
    list.SetBorderStyle(bsNone);
    EXPECT_EQ(list.ClientOrigin(), QPoint(0, 0));
    EXPECT_EQ(list.ClientWidth(), 200);
    EXPECT_EQ(list.ClientHeight(), 100);
}

TEST_F(TCustomListBoxTest, MouseEventsAreTakenInsideTheFrame)
{
    for (int i = 0; i < 4; ++i)
        list.AddItem("item" + std::to_string(i), nullptr);
    const int h = list.ItemHeight();
    // widget y = h + 1 is client y = h - 1: still the first item
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, h + 1), QPointF(10, h + 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &press);
    EXPECT_EQ(list.ItemIndex(), 0);
    QMouseEvent second(QEvent::MouseButtonPress, QPointF(10, h + 2), QPointF(10, h + 2), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &second);
    EXPECT_EQ(list.ItemIndex(), 1);
}

TEST(TCustomListBoxFrame, FrameSurroundsTheItemsOnScreen)
{
    TCustomListBox shown;
    shown.resize(120, 80);
    shown.SetColor(RGB(0, 200, 0));
    shown.show();
    QImage image = shown.grab().toImage();
    EXPECT_EQ(image.pixel(40, 79) & 0xFFFFFFu, 0xFFFFFFu);  // the frame's outer highlight
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFFu, 0x00C800u);
    shown.SetBorderStyle(bsNone);
    image = shown.grab().toImage();
    EXPECT_EQ(image.pixel(40, 79) & 0xFFFFFFu, 0x00C800u);
}
