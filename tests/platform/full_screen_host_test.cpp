#include "platform/full_screen_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace {

class FullScreenHostTest : public ::testing::Test {
protected:
    FullScreenHostTest()
    {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(before);
        layout->addWidget(held, 3, Qt::AlignRight);
        layout->addWidget(after);
        form.resize(300, 200);
        form.show();
        saved = held->geometry();
    }

    QWidget form;
    QWidget* before = new QWidget;
    QWidget* held = new QWidget;
    QWidget* after = new QWidget;
    QRect saved;
};

QRect ScreenArea()
{
    return QGuiApplication::primaryScreen()->geometry();
}

}  // namespace

TEST_F(FullScreenHostTest, TakesTheWidgetOverTheScreenAndGivesItBackToItsSlot)
{
    QPointer<platform::FullScreenHost> host = new platform::FullScreenHost;
    host->Take(held);
    EXPECT_EQ(held->parentWidget(), host.data());
    EXPECT_EQ(host->geometry(), ScreenArea());
    EXPECT_EQ(held->size(), ScreenArea().size());
    EXPECT_EQ(form.layout()->indexOf(held), -1);
    host->Release();
    EXPECT_EQ(held->parentWidget(), &form);
    auto* box = static_cast<QVBoxLayout*>(form.layout());
    ASSERT_EQ(box->indexOf(held), 1);
    EXPECT_EQ(box->stretch(1), 3);
    EXPECT_EQ(box->itemAt(1)->alignment(), Qt::AlignRight);
    EXPECT_EQ(held->geometry(), saved);
    delete host.data();
}

TEST_F(FullScreenHostTest, KeysReachTheHandlerAsVirtualKeyCodes)
{
    auto* host = new platform::FullScreenHost;
    std::vector<int> keys;
    host->OnKeyDown = [&](int Key) {
        keys.push_back(Key);
        return Key == 27;
    };
    host->Take(held);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(host, &a);
    // the held widget's keys pass the window first
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(held, &esc);
    EXPECT_EQ(keys, (std::vector<int>{'A', 27}));
    EXPECT_TRUE(esc.isAccepted());
    delete host;
    // freeing the window gives the widget back
    EXPECT_EQ(held->parentWidget(), &form);
}

TEST_F(FullScreenHostTest, ClosingTellsTheOwnerGivesTheWidgetBackAndFreesTheWindow)
{
    QPointer<platform::FullScreenHost> host = new platform::FullScreenHost;
    int closes = 0;
    host->OnClose = [&] { ++closes; };
    host->Take(held);
    host->close();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(held->parentWidget(), &form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.isNull());
}

TEST_F(FullScreenHostTest, AWidgetWhoseParentWentComesBackWithoutParent)
{
    auto* owner = new QWidget;
    auto* child = new QWidget(owner);
    child->setGeometry(5, 6, 70, 80);
    auto* host = new platform::FullScreenHost;
    host->Take(child);
    delete owner;
    host->Release();
    EXPECT_EQ(child->parentWidget(), nullptr);
    EXPECT_EQ(child->geometry(), QRect(5, 6, 70, 80));
    delete child;
    delete host;
}

TEST_F(FullScreenHostTest, GridSlotsKeepTheirCellAndSpan)
{
    QWidget grid;
    auto* layout = new QGridLayout(&grid);
    auto* cell = new QWidget;
    layout->addWidget(new QWidget, 0, 0);
    layout->addWidget(cell, 1, 0, 1, 2, Qt::AlignTop);
    auto* host = new platform::FullScreenHost;
    host->Take(cell);
    host->Release();
    int row = -1, column = -1, rows = 0, columns = 0;
    layout->getItemPosition(layout->indexOf(cell), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(columns, 2);
    delete host;
}

TEST(VirtualKeys, CommonKeysMapToTheirCodes)
{
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_Escape), 27);
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_Return), 13);
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_F11), 122);
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_Z), 'Z');
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_5), '5');
    EXPECT_EQ(platform::VirtualKeyOf(Qt::Key_unknown), 0);
}
