#include "widgets/on_off_button.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "recorder_install.h"
#include "testing/recording_device.h"
#include "widgets/instrument_bitmaps.h"

namespace {

void SendMouse(QWidget& w, QEvent::Type type, int x, int y)
{
    const QPointF local(x, y);
    QMouseEvent e(type, local, w.mapToGlobal(local), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

void Click(QWidget& w, int x, int y)
{
    SendMouse(w, QEvent::MouseButtonPress, x, y);
    SendMouse(w, QEvent::MouseButtonRelease, x, y);
}

}  // namespace

class OnOffButTest : public ::testing::Test {
protected:
    QWidget parent;
    TOnOffBut* button = new TOnOffBut(&parent);
};

TEST_F(OnOffButTest, DefaultsAndCentring)
{
    EXPECT_EQ(button->Width(), 100);
    EXPECT_EQ(button->Height(), 50);
    EXPECT_TRUE(button->OnOff());
    EXPECT_EQ(button->ButtonStyle(), oobsColSlideLR);
    EXPECT_EQ(button->PictureWidth(), 30);
    EXPECT_EQ(button->PictureHeight(), 18);
    EXPECT_EQ(button->LeftSpace(), 35);
    EXPECT_EQ(button->TopSpace(), 18);
    button->SetBounds(0, 0, 120, 60);
    EXPECT_EQ(button->LeftSpace(), 45);
    EXPECT_EQ(button->TopSpace(), 21);
    button->SetButtonStyle(oobsBulb);  // 39 x 49
    EXPECT_EQ(button->LeftSpace(), (120 - 39) / 2);
    EXPECT_EQ(button->TopSpace(), (60 - 49) / 2);
}

TEST_F(OnOffButTest, UserStyleKeepsThePictureSize)
{
    button->SetButtonStyle(oobsCheckbox);
    button->SetButtonStyle(oobsUser);
    EXPECT_EQ(button->PictureWidth(), 16);
    EXPECT_EQ(button->Picture(true, true).Pixel(10, 5), clBlack);   // the circle
    EXPECT_EQ(button->Picture(false, true).Pixel(7, 7), clBlack);   // the cross
    EXPECT_EQ(button->Picture(true, false).Pixel(10, 5), kButtonKeyColor);
}

TEST_F(OnOffButTest, SpacesAreLimitedWithoutAutoCentre)
{
    button->SetAutoCenter(false);
    button->SetTopSpace(500);
    EXPECT_EQ(button->TopSpace(), 50);
    button->SetLeftSpace(-3);
    EXPECT_EQ(button->LeftSpace(), 35);
}

TEST_F(OnOffButTest, FocusedClickOnlyOnThePicture)
{
    int clicks = 0;
    button->OnClick = [&](TInstrumentHost*) { ++clicks; };
    Click(*button, 5, 5);  // beside the picture
    EXPECT_TRUE(button->OnOff());
    EXPECT_EQ(clicks, 0);
    Click(*button, 50, 25);
    EXPECT_FALSE(button->OnOff());
    EXPECT_EQ(clicks, 1);
    button->SetMouseAction(oomaPlain);
    Click(*button, 5, 5);
    EXPECT_TRUE(button->OnOff());
    button->SetMouseAction(oomaNone);
    Click(*button, 50, 25);
    EXPECT_TRUE(button->OnOff());
    EXPECT_EQ(clicks, 2);
}

TEST_F(OnOffButTest, SpeedButtonLightsWhileHeld)
{
    button->SetMode(oobmSpeedBut);
    EXPECT_FALSE(button->OnOff());
    int clicks = 0;
    button->OnClick = [&](TInstrumentHost*) { ++clicks; };
    SendMouse(*button, QEvent::MouseButtonPress, 50, 25);
    EXPECT_TRUE(button->OnOff());
    SendMouse(*button, QEvent::MouseButtonRelease, 50, 25);
    EXPECT_FALSE(button->OnOff());
    EXPECT_EQ(clicks, 1);
}

TEST_F(OnOffButTest, GroupKeepsOneButtonOn)
{
    TOnOffBut* b = new TOnOffBut(&parent);
    TOnOffBut* c = new TOnOffBut(&parent);
    for (TOnOffBut* x : {button, b, c}) {
        x->SetAllowAllOff(false);
        x->SetGroupIndex(1);
    }
    // all three started on: the last one told the group
    EXPECT_EQ(int(button->OnOff()) + int(b->OnOff()) + int(c->OnOff()), 1);
    EXPECT_TRUE(c->OnOff());
    Click(*b, 50, 25);
    EXPECT_TRUE(b->OnOff());
    EXPECT_FALSE(c->OnOff());
    EXPECT_FALSE(button->OnOff());
    Click(*b, 50, 25);  // the button that is on ignores the press
    EXPECT_TRUE(b->OnOff());
    b->SetOnOff(false);  // refused
    EXPECT_TRUE(b->OnOff());
    button->SetOnOff(true);
    EXPECT_FALSE(b->OnOff());
}

TEST_F(OnOffButTest, SpeedModeOfAGroupedButtonTurnsItOff)
{
    TOnOffBut* b = new TOnOffBut(&parent);
    button->SetGroupIndex(2);
    b->SetGroupIndex(2);
    b->SetAllowAllOff(false);
    button->SetAllowAllOff(false);
    b->SetMode(oobmSpeedBut);
    EXPECT_FALSE(b->OnOff());
    button->SetOnOff(true);
    EXPECT_TRUE(button->OnOff());
    EXPECT_FALSE(b->OnOff());
}

TEST_F(OnOffButTest, TextsStandRoundThePicture)
{
    button->SetAutoCenter(false);
    platform::RecordingDevice& rec = InstallRecorder(*button, 100, 50);
    button->SetLeftText("ab");   // 2 chars of 6 px (em 11): tw 12, th 13
    button->SetRightText("c");
    button->SetTopText("d");
    button->SetColorText(clBlue);
    const auto texts = rec.CallsNamed("TextOut");
    ASSERT_EQ(texts.size(), 3u);
    // left: right-justified at LeftSpace - 4 - tw + 1 = 20; y = 18 + (18 - 13) / 2 = 20
    EXPECT_EQ(texts[0].ToString(), "TextOut(20,20,ab)");
    // top: centred over the picture at 35 + (30 - 6) / 2 = 47; y = 18 - 13 - 4 = 1
    EXPECT_EQ(texts[1].ToString(), "TextOut(47,1,d)");
    // right: left-justified at 35 + 30 + 4 = 69
    EXPECT_EQ(texts[2].ToString(), "TextOut(69,20,c)");
}

TEST_F(OnOffButTest, KeyColourShowsTheBackground)
{
    button->SetButtonStyle(oobsCheckbox);
    button->SetColorBackgnd(0x123456);
    const platform::Bitmap& img = button->Buffer().Surface();
    const int ls = button->LeftSpace(), ts = button->TopSpace();
    EXPECT_EQ(img.Pixel(ls, ts), 0x123456u);  // a key-colour corner of the picture
    EXPECT_EQ(img.Pixel(ls + 1, ts + 1), 0x404040u);  // its box outline
}

TEST_F(OnOffButTest, TransparentShowsTheParent)
{
    parent.resize(200, 100);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(parent.backgroundRole(), QColor(10, 200, 30));
    parent.setPalette(pal);
    button->SetButtonStyle(oobsCheckbox);
    button->SetTransparent(true);
    button->SetTopText("T");
    button->ForcePaint();
    const platform::Bitmap& img = button->Buffer().Surface();
    EXPECT_EQ(img.Pixel(10, 10), RGB(10, 200, 30));
    EXPECT_EQ(img.Pixel(button->LeftSpace(), button->TopSpace()), RGB(10, 200, 30));
    EXPECT_EQ(img.Pixel(button->LeftSpace() + 1, button->TopSpace() + 1), 0x404040u);
    EXPECT_EQ(img.Pixel(0, 0), 0x808080u);  // the lowered frame stays
}

TEST_F(OnOffButTest, AssignCopiesAllButGroupAndMode)
{
    TOnOffBut other(&parent);
    other.SetButtonStyle(oobsBulb);
    other.SetLeftText("x");
    other.SetGroupIndex(4);
    other.SetMode(oobmSpeedBut);
    button->Assign(other);
    EXPECT_EQ(button->ButtonStyle(), oobsBulb);
    EXPECT_EQ(button->PictureWidth(), 39);
    EXPECT_EQ(button->LeftText(), "x");
    EXPECT_EQ(button->GroupIndex(), 0);
    EXPECT_EQ(button->Mode(), oobmNormalBut);
    EXPECT_FALSE(button->OnOff());
}
