#include "chart/plot_html.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "chart/chart.h"
#include "chart/chart_title.h"
#include "chart/graphics_objects.h"
#include "chart/plot_canvas_3d.h"
#include "chart/series/line_series.h"
#include "chart/series_marks.h"
#include "platform/qt_drawing_device.h"
#include "support/recording_canvas.h"
#include "testing/fake_dialogs.h"
#include "testing/recording_device.h"

// Fixed metrics of the recording device: em = |font height|, characters
// (em + 1) / 2 wide, text height em + em / 4. The default 8 pt font has height
// -11: characters 6 wide, lines 13 high.

namespace {

class THtmlText : public CanvasOnRecorderTest {
protected:
    THtmlText() : CanvasOnRecorderTest(200, 100) {}
    void SetUp() override
    {
        ClearHtmlStacks();
        CanvasOnRecorderTest::SetUp();
    }

    // "x,y,text font" of each text output.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& c : device.CallsNamed("TextOut"))
            out.push_back(c.args[0] + "," + c.args[1] + "," + c.args[2] + " " + c.font);
        return out;
    }

    std::string ErrorOf(const std::string& text)
    {
        try {
            DrawHtmlText(canvas, 0, 0, text);
        } catch (const HtmlParserException& e) {
            return std::string("parser: ") + e.what();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "none";
    }
};

// Closing style tags and their shared style stack: texts without positions.
class HtmlStacks : public THtmlText {
protected:
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& c : device.CallsNamed("TextOut"))
            out.push_back(c.args[2] + " " + c.font);
        return out;
    }
};

}  // namespace

TEST_F(THtmlText, BoldRunsShareOneLine)
{
    DrawHtmlText(canvas, 10, 5, "A<B>b</B>c");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"10,5,A Arial -11 400", "16,5,b Arial -11 700",
                                                 "22,5,c Arial -11 400"}));
    EXPECT_EQ(MeasureHtmlText(canvas, "A<B>b</B>c"), (TSize{18, 13}));
}

TEST_F(THtmlText, LineBreaksInsideRunsAndAfterTags)
{
    DrawHtmlText(canvas, 0, 0, "x\r\ny");
    DrawHtmlText(canvas, 50, 0, "a<BR>b");
    DrawHtmlText(canvas, 100, 0, "a<B>\r\nb</B>");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"0,0,x Arial -11 400", "0,13,y Arial -11 400",
                                                 "50,0,a Arial -11 400", "50,13,b Arial -11 400",
                                                 "100,0,a Arial -11 400", "100,26,b Arial -11 700"}));
    // the widest line and the tallest line
    EXPECT_EQ(MeasureHtmlText(canvas, "ab<P>cde"), (TSize{18, 13}));
}

TEST_F(THtmlText, SubscriptAndSuperscript)
{
    // half size 4 pt: height -5, characters 3 wide, lines 6 high
    DrawHtmlText(canvas, 0, 0, "a<SUB>2</SUB>b");
    DrawHtmlText(canvas, 0, 50, "a<SUPER>2</SUPER>b");
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "0,0,a Arial -11 400",
                           "6,12,2 Arial -5 400",   // down 6, then 13 - 6 - 1 for the smaller run
                           "9,-1,b Arial -11 400",  // up by the restored 13
                           "0,50,a Arial -11 400",
                           "6,53,2 Arial -5 400",  // up 6 / 2, then down 6
                           "9,59,b Arial -11 400",  // down 13 div 2
                       }));
}

TEST_F(THtmlText, CenteredRunsUseTheCanvasBounds)
{
    DrawHtmlText(canvas, 0, 0, "<CENTER>ab</CENTER>c");
    // (0 + 200) div 2 - 12 div 2
    EXPECT_EQ(Texts(), (std::vector<std::string>{"94,0,ab Arial -11 400", "106,0,c Arial -11 400"}));
}

TEST_F(THtmlText, HorizontalRuleIsAGreyLineAndMovesDown)
{
    DrawHtmlText(canvas, 0, 0, "a<HR>b");
    const auto lines = device.DrawingLines(true);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, lines[1].find(" brush")), "LineTo(100,0) pen=[solid 1 0x808080]");
    EXPECT_EQ(device.CallsNamed("MoveTo").back().args, (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(Texts().back(), "0,13,b Arial -11 400");
    // measuring draws nothing
    device.ClearLog();
    MeasureHtmlText(canvas, "a<HR>b");
    EXPECT_TRUE(device.DrawingLines().empty());
}

TEST_F(THtmlText, EntitiesAreReplacedOnceInOrder)
{
    DrawHtmlText(canvas, 0, 0, "&amp;lt;");
    DrawHtmlText(canvas, 0, 20, "&lt;b&gt; &quot;x&quot;");
    const auto calls = device.CallsNamed("TextOut");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args[2], "&lt;");
    EXPECT_EQ(calls[1].args[2], "<b> \"x\"");
}

TEST_F(THtmlText, HeadingsPreAndFontTags)
{
    DrawHtmlText(canvas, 0, 0, "<BIG><H1>a</FONT>b</FONT>c<BIG>d</>e");
    // H1 is 48 pt whatever the size; </FONT restores the size before it; </> right
    // after a font tag pops that font
    const auto t = Texts();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[3].substr(t[3].find(' ')), " Arial -13 400");
    EXPECT_EQ(t[4].substr(t[4].find(' ')), " Arial -11 400");
    EXPECT_EQ(t[0].substr(t[0].find(' ')), " Arial -64 400");
    EXPECT_EQ(t[1].substr(t[1].find(' ')), " Arial -13 400");
    EXPECT_EQ(t[2].substr(t[2].find(' ')), " Arial -11 400");

    device.ClearLog();
    DrawHtmlText(canvas, 0, 0, "<PRE>x</PRE><FONT color=#FF8000 name=\"Times New Roman\" size=+2 weight=BOLD, ITALIC>y");
    const auto u = device.CallsNamed("TextOut");
    ASSERT_EQ(u.size(), 2u);
    EXPECT_EQ(u[0].font, "COURIER NEW -11 400");
    EXPECT_EQ(u[1].font, "Times New Roman -13 700 italic");
    EXPECT_EQ(canvas.Font()->Color(), RGB(0xFF, 0x80, 0x00));
}

TEST_F(THtmlText, CloseAnyTagEndsTheLastStyle)
{
    DrawHtmlText(canvas, 0, 0, "<I>a</>b");
    const auto t = Texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], "0,0,a Arial -11 400 italic");
    EXPECT_EQ(t[1], "6,0,b Arial -11 400");
}

TEST_F(THtmlText, MissingImageDrawsThePlaceholder)
{
    DrawHtmlText(canvas, 5, 5, "<IMG SRC=\"pic.png\">a<IMG WIDTH=20 HEIGHT=10 SRC=x.bmp>");
    EXPECT_EQ(device.DrawingLines(),
              (std::vector<std::string>{"Rectangle(5,5,45,45)", "LineTo(44,44)", "LineTo(44,5)", "TextOut(5,5,a)",
                                        "Rectangle(11,5,31,15)", "LineTo(30,14)", "LineTo(30,5)"}));
    const auto rect = device.CallsNamed("Rectangle").front();
    EXPECT_EQ(rect.pen, "solid 1 0x0000FF");
    EXPECT_EQ(rect.brush, "solid 0xFFFFFF");
    const auto moves = device.CallsNamed("MoveTo");
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(moves[0].args, (std::vector<std::string>{"5", "5"}));
    EXPECT_EQ(moves[1].args, (std::vector<std::string>{"5", "44"}));
}

TEST_F(THtmlText, ErrorTexts)
{
    EXPECT_EQ(ErrorOf("a < b"), "parser: Missing > at  b");
    EXPECT_EQ(ErrorOf("<B"), "parser: Missing > at B");
    EXPECT_EQ(ErrorOf("<FONT SIZE=10 FOO=1>x"), "Unknown field in FONT: FOO");
    EXPECT_EQ(ErrorOf("<FONT WEIGHT=Heavy>x"), "Unknown field in FONT WEIGHT=Heavy");
    EXPECT_EQ(ErrorOf("<BLINK>x"), "none");  // unknown tags are text
    const auto texts = device.CallsNamed("TextOut");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2].args[2], "<BLINK>");
}

TEST_F(THtmlText, PaintReportsAParseErrorOnceAndGoesOn)
{
    std::vector<std::string> reports;
    canvas.OnTextError = [&](const std::string& m) { reports.push_back(m); };
    canvas.TextOutFormatted(0, 0, "a < b", true);
    canvas.TextOutFormatted(0, 20, "c < d", true);
    canvas.TextOutFormatted(0, 40, "ok", true);
    EXPECT_EQ(reports, (std::vector<std::string>{"Missing > at  b"}));
    EXPECT_EQ(device.CallsNamed("TextOut").back().args[2], "ok");
    // the next paint reports again
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 200, 100});
    canvas.TextOutFormatted(0, 0, "<FONT X=1>", true);
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports.back(), "Unknown field in FONT: X");
}

TEST_F(THtmlText, ImageServicesDrawTheGraphicAndMoveThePen)
{
    std::string asked;
    HtmlFetchService = [&](const std::string& src, std::vector<std::uint8_t>& data) {
        asked = src;
        data = {1, 2, 3};
        return 0;
    };
    HtmlGraphicService = [](const std::string& ext, const std::vector<std::uint8_t>&) -> std::unique_ptr<TGraphic> {
        if (ext != ".BMP")
            return nullptr;
        return std::make_unique<TBitmap>(8, 6);
    };
    DrawHtmlText(canvas, 10, 10, "<IMG SRC=\"pic.bmp\">a<IMG SRC=pic.bmp WIDTH=16>b");
    HtmlFetchService = nullptr;
    HtmlGraphicService = nullptr;
    EXPECT_EQ(asked, "pic.bmp");
    // at its own size at (10, 10); then X + 8, Y + 6; the second stretched 16 x 6
    EXPECT_EQ(device.DrawingLines(), (std::vector<std::string>{"DrawBitmap(10,10,8x6)", "TextOut(18,16,a)",
                                                                "StretchDrawBitmap(24,16,40,22,8x6)",
                                                                "TextOut(40,22,b)"}));
}

namespace {

TEST(THtmlTextOnScreen, PreformattedTextIsMonospaced)
{
    ClearHtmlStacks();
    platform::QtDrawingDevice device(200, 60);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 200, 60});
    const int proportionalNarrow = canvas.TextWidth("iiii");
    EXPECT_LT(proportionalNarrow, canvas.TextWidth("WWWW"));

    // the tag leaves its font on the canvas until "</PRE>"
    DrawHtmlText(canvas, 0, 0, "<PRE>x");
    EXPECT_EQ(canvas.Font()->Name(), "COURIER NEW");
    EXPECT_EQ(canvas.TextWidth("iiii"), canvas.TextWidth("WWWW"));
    platform::FontDesc desc;
    desc.name = canvas.Font()->Name();
    const QFontInfo face(platform::ToQFont(desc));
    EXPECT_EQ(face.family(), QStringLiteral("Liberation Mono"));
    EXPECT_TRUE(face.fixedPitch());
    ClearHtmlStacks();
}

}  // namespace

TEST_F(HtmlStacks, ClosedStylesLeaveNothingOnTheStack)
{
    const std::string text = "<B>a</B><BOLD>b</BOLD><STRONG>c</STRONG><I>d</I><U>e</U><STRIKE>f</STRIKE>";
    for (int i = 0; i < 1000; ++i) {
        MeasureHtmlText(canvas, text);
        DrawHtmlText(canvas, 0, 0, text);
    }
    EXPECT_EQ(HtmlStackDepth(), 0u);
    // nested: each close takes its own tag, the later one first
    DrawHtmlText(canvas, 0, 0, "<B><I>x</B>y</I>z");
    EXPECT_EQ(HtmlStackDepth(), 0u);
    // a style left open stays for the next text, as before
    DrawHtmlText(canvas, 0, 0, "<U>open");
    EXPECT_EQ(HtmlStackDepth(), 1u);
}

TEST_F(HtmlStacks, UnbalancedTextsDrawnAgainAndAgainKeepTheStacksBounded)
{
    // an open tag never closed, and a text that fails after pushing, at every repaint
    for (int i = 0; i < 5000; ++i) {
        DrawHtmlText(canvas, 0, 0, "<U>open");
        try {
            MeasureHtmlText(canvas, "<B><FONT color=255>x < y");
        } catch (const std::exception&) {
        }
    }
    EXPECT_LE(HtmlStackDepth(), 2u * 1024u);
    EXPECT_GE(HtmlStackDepth(), 1024u);
}

TEST_F(HtmlStacks, CloseAnyTagEndsTheLatestStyleStillOpen)
{
    // </I> took its tag: </> ends the bold, not the italic already closed
    DrawHtmlText(canvas, 0, 0, "<B><I>x</I></>y");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"x Arial -11 700 italic", "y Arial -11 400"}));
    EXPECT_EQ(HtmlStackDepth(), 0u);
    // two bolds: </> ends one entry only
    device.ClearLog();
    DrawHtmlText(canvas, 0, 0, "<B>a<U>b</></>c");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"a Arial -11 700", "b Arial -11 700 underline", "c Arial -11 400"}));
    EXPECT_EQ(HtmlStackDepth(), 0u);
}

TEST_F(HtmlStacks, MeasuringABrokenTextReportsOnceAndMeasuresNothing)
{
    std::vector<std::string> reports;
    canvas.OnTextError = [&](const std::string& m) { reports.push_back(m); };
    EXPECT_EQ(canvas.HtmlTextExtent("a < b"), (TSize{0, 0}));
    EXPECT_EQ(canvas.HtmlTextExtent("<FONT X=1>c"), (TSize{0, 0}));
    canvas.TextOutFormatted(0, 0, "d < e", true);
    EXPECT_EQ(reports, (std::vector<std::string>{"Missing > at  b"}));
    EXPECT_EQ(canvas.HtmlTextExtent("A<B>b</B>c"), (TSize{18, 13}));
}

TEST(HtmlTextOnChart, ABrokenHtmlTitleAndMarkPaintTheRestAndReportOncePerPaint)
{
    ClearHtmlStacks();
    QWidget host;
    host.resize(400, 300);
    auto* chart = new TChart(&host);
    chart->setGeometry(0, 0, 400, 300);
    chart->SetView3D(false);
    chart->Title()->SetCaption("Means <B");
    chart->Title()->SetTextFormat(ttfHtml);
    QObject form;
    auto* s = new TLineSeries(&form);
    s->AddXY(0, 1, "a<b");
    s->AddXY(1, 2, "c");
    s->Marks().SetVisible(true);
    s->Marks().SetStyle(smsLabel);
    s->Marks().SetTextFormat(ttfHtml);
    chart->AddSeries(s);
    std::vector<std::string> reports;
    chart->Canvas()->OnTextError = [&](const std::string& m) { reports.push_back(m); };
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    reports.clear();
    chart->Invalidate();
    const QImage first = chart->grab().toImage();
    EXPECT_FALSE(first.isNull());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Missing > at B");
    // the series was drawn: the chart is not blank inside its rectangle
    const QRgb back = first.pixel(chart->ChartRect.Left + 2, chart->ChartRect.Top + 2);
    bool drawn = false;
    for (int x = chart->ChartRect.Left; x < chart->ChartRect.Right && !drawn; ++x)
        for (int y = chart->ChartRect.Top; y < chart->ChartRect.Bottom && !drawn; ++y)
            drawn = first.pixel(x, y) != back;
    EXPECT_TRUE(drawn);
    chart->Invalidate();
    chart->grab();
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_EQ(HtmlStackDepth(), 0u);
}

// A text that fails to parse is shown to the user in the error box once,
// after the paint: not again on each repaint while it stays the same, again
// once it was mended and broken anew.
TEST(HtmlTextOnChart, ABrokenTextIsShownOnceInTheErrorBox)
{
    ClearHtmlStacks();
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    QWidget host;
    host.resize(400, 300);
    auto* chart = new TChart(&host);
    chart->setGeometry(0, 0, 400, 300);
    chart->Title()->SetTextFormat(ttfHtml);
    chart->Title()->SetCaption("Means <B");
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    const auto paintTimes = [&](int N) {
        for (int i = 0; i < N; ++i) {
            chart->Invalidate();
            chart->repaint();
            QTest::qWait(10);
        }
    };
    paintTimes(3);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"Missing > at B"});
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.Calls().back().icon, platform::MsgIcon::Error);

    chart->Title()->SetCaption("x <FONT FOO=1>y");
    paintTimes(3);
    EXPECT_EQ(dialogs.MessageTexts(), (QStringList{"Missing > at B", "Unknown field in FONT: FOO"}));

    chart->Title()->SetCaption("Means");
    paintTimes(1);
    chart->Title()->SetCaption("Means <B");
    paintTimes(2);
    EXPECT_EQ(dialogs.MessageTexts(),
              (QStringList{"Missing > at B", "Unknown field in FONT: FOO", "Missing > at B"}));
}
