// Html texts: closing style tags take their entry off the shared style
// stack, and a parse error met while measuring a title or a mark is
// reported once per paint instead of ending the paint.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>

#include "chart/chart.h"
#include "chart/chart_title.h"
#include "chart/plot_html.h"
#include "chart/series/line_series.h"
#include "chart/series_marks.h"
#include "support/recording_canvas.h"

namespace {

class HtmlStacks : public CanvasOnRecorderTest {
protected:
    void SetUp() override
    {
        ClearHtmlStacks();
        CanvasOnRecorderTest::SetUp();
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& c : device.CallsNamed("TextOut"))
            out.push_back(c.args[2] + " " + c.font);
        return out;
    }
};

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
