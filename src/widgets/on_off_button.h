#pragma once
// A two-state switch shown as a picture (check box, slide switch, lamp, ...)
// with up to four texts round it. A click on the picture toggles it; buttons
// with the same GroupIndex under one parent switch each other off; in
// speed-button mode it is lit only while pressed.
#include <array>
#include <functional>
#include <string>

#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"

enum TOnOffButStyle : std::uint8_t {
    oobsUser,
    oobsCheckbox,
    oobsRadioBut,
    oobsSlideTB,
    oobsSlideLR,
    oobsColSlideTB,
    oobsColSlideLR,
    oobsLedRedGreen,
    oobsArrowTopRgt,
    oobsArrowUpDown,
    oobsArrowLeftRight,
    oobsTrafficLPed,
    oobsBeveledLed,
    oobsSmileyYellow,
    oobsSmileyRedGrn,
    oobsBulb,
    oobsButLamp,
    oobsHDLeft,
    oobsHDRight,
    oobsUser1,
    oobsUser2,
    oobsUser3,
    oobsUser4,
    oobsUser5
};
enum TOOButMode : std::uint8_t { oobmNormalBut, oobmSpeedBut };
enum TOOButMouseAction : std::uint8_t { oomaNone, oomaFocused, oomaPlain };

// The picture resource of a style ("" for oobsUser).
const char* OnOffStyleResource(TOnOffButStyle style);

class TOnOffBut : public TInstrumentHost {
public:
    explicit TOnOffBut(QWidget* parent = nullptr);

    bool OnOff() const { return m_onOff; }
    void SetOnOff(bool v);
    TOnOffButStyle ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(TOnOffButStyle v);
    TOOButMode Mode() const { return m_mode; }
    void SetMode(TOOButMode v);
    TOOButMouseAction MouseAction() const { return m_mouseAction; }
    void SetMouseAction(TOOButMouseAction v) { m_mouseAction = v; }
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int v);
    bool AllowAllOff() const { return m_allowAllOff; }
    void SetAllowAllOff(bool v);
    bool AutoCenter() const { return m_autoCenter; }
    void SetAutoCenter(bool v);
    int LeftSpace() const { return m_leftSpace; }
    void SetLeftSpace(int v);
    int TopSpace() const { return m_topSpace; }
    void SetTopSpace(int v);

    const std::string& LeftText() const { return m_texts[0]; }
    void SetLeftText(const std::string& v) { SetText(0, v); }
    const std::string& TopText() const { return m_texts[1]; }
    void SetTopText(const std::string& v) { SetText(1, v); }
    const std::string& BottomText() const { return m_texts[2]; }
    void SetBottomText(const std::string& v) { SetText(2, v); }
    const std::string& RightText() const { return m_texts[3]; }
    void SetRightText(const std::string& v) { SetText(3, v); }
    TAlignment LeftTextAlignment() const { return m_alignments[0]; }
    void SetLeftTextAlignment(TAlignment v) { SetAlignment(0, v); }
    TAlignment TopTextAlignment() const { return m_alignments[1]; }
    void SetTopTextAlignment(TAlignment v) { SetAlignment(1, v); }
    TAlignment BottomTextAlignment() const { return m_alignments[2]; }
    void SetBottomTextAlignment(TAlignment v) { SetAlignment(2, v); }
    TAlignment RightTextAlignment() const { return m_alignments[3]; }
    void SetRightTextAlignment(TAlignment v) { SetAlignment(3, v); }

    TColor ColorBackgnd() const { return m_colorBackgnd; }
    void SetColorBackgnd(TColor v);
    TColor ColorText() const { return m_colorText; }
    void SetColorText(TColor v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v);
    const TInstrumentFont& Font() const { return m_font; }
    void SetFont(const TInstrumentFont& v);

    int PictureWidth() const { return m_pictureWidth; }
    int PictureHeight() const { return m_pictureHeight; }
    // The state picture for (on, enabled).
    const platform::Bitmap& Picture(bool on, bool enabled) const { return m_pictures[Slot(on, enabled)]; }

    // Copies all but GroupIndex, AllowAllOff and Mode.
    void Assign(const TOnOffBut& source);

    // Mouse buttons at (x, y) in control coordinates (left button).
    void MousePressAt(int x, int y);
    void MouseReleaseAt(int x, int y);

protected:
    void Compose(platform::DrawingDevice& dc) override;
    void Resized() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The standard click does nothing: OnClick comes from the release rule.
    void Click() override {}

private:
    static int Slot(bool on, bool enabled) { return (on ? 0 : 1) + (enabled ? 0 : 2); }
    void SetText(int i, const std::string& v);
    void SetAlignment(int i, TAlignment v);
    void LoadStylePictures();
    void Centre();
    void Refresh();  // invalidate when transparent, else paint at once
    bool OnPicture(int x, int y) const;
    void TellGroup();
    void GroupPressed(const TOnOffBut& sender);
    void DrawAll(platform::DrawingDevice& img, platform::DrawingDevice* mask);

    bool m_onOff = true;
    TOnOffButStyle m_buttonStyle = oobsColSlideLR;
    TOOButMode m_mode = oobmNormalBut;
    TOOButMouseAction m_mouseAction = oomaFocused;
    int m_groupIndex = 0;
    bool m_allowAllOff = true;
    bool m_autoCenter = true;
    int m_leftSpace = 35;
    int m_topSpace = 18;
    std::array<std::string, 4> m_texts;  // left, top, bottom, right
    std::array<TAlignment, 4> m_alignments = {taRightJustify, taCenter, taCenter, taLeftJustify};
    TColor m_colorBackgnd;
    TColor m_colorText = clBlack;
    TColorScheme m_colorScheme = csBWG;
    TColor m_frameShadow = 0x808080;
    TColor m_frameHighlight = 0xFFFFFF;
    TFrameStyle m_frameStyle = fsLowered;
    bool m_transparent = false;
    bool m_enabled = true;
    TInstrumentFont m_font;
    int m_pictureWidth = 20;
    int m_pictureHeight = 20;
    std::array<platform::Bitmap, 4> m_pictures;
    std::array<platform::Bitmap, 4> m_userPictures;
};
