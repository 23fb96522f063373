#include <gtest/gtest.h>

#include <QObject>
#include <cstring>
#include <memory>

#include "chart/chart_series.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutDouble(Bytes& b, double d)
{
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

TEST(SeriesDataWrite, TwoPlainPointsAsDocumented)
{
    TChartSeries s;
    s.AddXY(0, 1.5);
    s.AddXY(1, 2.0);
    const Bytes expected = {0x00, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40};
    EXPECT_EQ(s.WriteData(), expected);
}

TEST(SeriesDataWrite, XValuesWhenNotSequential)
{
    TChartSeries s;
    s.AddXY(5, 1.0);
    Bytes expected = {0x01};
    Put32(expected, 1);
    PutDouble(expected, 5);
    PutDouble(expected, 1);
    EXPECT_EQ(s.WriteData(), expected);
}

TEST(SeriesDataWrite, ColoursWithDefaultsOnceAnyDiffers)
{
    TChartSeries s;
    s.SetSeriesColor(0x0000FF);
    s.Add(1, "", 0x0000FF);  // the series colour alone is no reason
    EXPECT_EQ(s.WriteData()[0], 0x00);
    s.Add(2);
    s.Add(3, "", 0x00332211);
    Bytes expected = {0x02};
    Put32(expected, 3);
    PutDouble(expected, 1);
    Put32(expected, 0x0000FF);
    PutDouble(expected, 2);
    Put32(expected, 0x20000000);
    PutDouble(expected, 3);
    Put32(expected, 0x00332211);
    EXPECT_EQ(s.WriteData(), expected);
}

TEST(SeriesDataWrite, LabelsAsWindows1252)
{
    TChartSeries s;
    s.Add(1, "A\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD");  // A, e acute, euro sign, a CJK character
    Bytes expected = {0x04};
    Put32(expected, 1);
    PutDouble(expected, 1);
    expected.insert(expected.end(), {4, 'A', 0xE9, 0x80, '?'});
    EXPECT_EQ(s.WriteData(), expected);
}

TEST(SeriesDataWrite, ExtraValuesAndCustomPositions)
{
    TChartSeries s;
    TChartValueList& z = s.CreateValueList("Z");
    z.TempValue = 9;
    s.AddXY(0, 1);
    TSeriesMarkPosition& p = s.Marks().PositionAt(0);
    p.Custom = true;
    p.ArrowFrom = {1, 2};
    p.ArrowTo = {3, 4};
    p.Height = 5;
    p.LeftTop = {6, -7};
    p.Width = 8;
    Bytes expected = {0x08};
    Put32(expected, 1);
    PutDouble(expected, 1);
    PutDouble(expected, 9);
    Put32(expected, 1);
    Put32(expected, 2);
    expected.push_back(0);
    Put32(expected, 3);
    Put32(expected, 4);
    expected.push_back(1);
    Put32(expected, 5);
    Put32(expected, 6);
    Put32(expected, static_cast<std::uint32_t>(-7));
    Put32(expected, 8);
    EXPECT_EQ(s.WriteData(), expected);
}

TEST(SeriesDataRoundTrip, EveryFlagTogether)
{
    TChartSeries s;
    s.AddXY(-1, 4, "first", 0x10);
    s.AddXY(2.5, 7);
    s.AddXY(3, 8, "third");
    s.Marks().PositionAt(1).Custom = true;
    s.Marks().PositionAt(1).Width = 33;
    const Bytes data = s.WriteData();
    EXPECT_EQ(data[0], 0x0F);
    TChartSeries r;
    r.ReadData(data);
    EXPECT_TRUE(r.StreamedData());
    EXPECT_FALSE(r.Updating());
    ASSERT_EQ(r.Count(), 3);
    EXPECT_EQ(r.XValues().Value(1), 2.5);
    EXPECT_EQ(r.YValues().Value(2), 8);
    EXPECT_EQ(r.Labels().Label(0), "first");
    EXPECT_EQ(r.Labels().Label(2), "third");
    EXPECT_EQ(r.ValueColor(0), 0x10u);
    EXPECT_EQ(r.ValueColor(1), clDefault);
    ASSERT_NE(r.Marks().Position(1), nullptr);
    EXPECT_TRUE(r.Marks().Position(1)->Custom);
    EXPECT_EQ(r.Marks().Position(1)->Width, 33);
    EXPECT_EQ(r.WriteData(), data);
}

TEST(SeriesDataRoundTrip, SequentialXIsNotWrittenAndComesBack)
{
    TChartSeries s;
    for (int i = 0; i < 4; ++i)
        s.Add(i * i);
    const Bytes data = s.WriteData();
    EXPECT_EQ(data[0], 0);
    EXPECT_EQ(data.size(), 5u + 4 * 8);
    TChartSeries r;
    r.ReadData(data);
    EXPECT_EQ(r.XValues().Value(3), 3);
    EXPECT_EQ(r.YValues().Value(3), 9);
}

TEST(SeriesDataRoundTrip, HorizontalSeriesSwapsBack)
{
    TChartSeries s;
    s.SetHorizontal();
    s.XValues().SetOrder(loNone);
    s.YValues().SetOrder(loNone);
    s.AddXY(11, 0);
    s.AddXY(12, 5);
    const Bytes data = s.WriteData();
    EXPECT_EQ(data[0], 0x01);  // Y 0, 5 is not 0, 1
    TChartSeries r;
    r.SetHorizontal();
    r.XValues().SetOrder(loNone);
    r.ReadData(data);
    EXPECT_EQ(r.XValues().Value(1), 12);
    EXPECT_EQ(r.YValues().Value(1), 5);
}

TEST(SeriesDataRoundTrip, LatePointsKeepTheirXColourAndLabel)
{
    TChartSeries s;
    s.BeginUpdate();
    for (int i = 0; i < 20000; ++i)
        s.AddXY(i == 15000 ? 15000.5 : i, i);
    s.EndUpdate();
    s.SetValueColor(12000, 0x123456);
    s.Labels().SetLabel(19999, "last");
    TChartSeries r;
    r.ReadData(s.WriteData());
    ASSERT_EQ(r.Count(), 20000);
    EXPECT_EQ(r.XValues().Value(15000), 15000.5);
    EXPECT_EQ(r.ValueColor(12000), 0x123456u);
    EXPECT_EQ(r.Labels().Label(19999), "last");
    EXPECT_EQ(r.Labels().Label(100), "");
}

TEST(SeriesDataLabels, LongLabelsKeepTheirFirst255Bytes)
{
    for (int length : {255, 256, 300}) {
        TChartSeries s;
        s.Add(1, std::string(static_cast<std::size_t>(length), 'x'));
        const Bytes data = s.WriteData();
        EXPECT_EQ(data[13], 255) << length;
        TChartSeries r;
        r.ReadData(data);
        EXPECT_EQ(r.Labels().Label(0), std::string(255, 'x'));
    }
}

TEST(SeriesDataLabels, CutBetweenCharacters)
{
    TChartSeries s;
    std::string label(254, 'a');
    label += "\xC3\xA9\xC3\xA9";  // two e acutes: only the first fits
    s.Add(1, label);
    TChartSeries r;
    r.ReadData(s.WriteData());
    EXPECT_EQ(r.Labels().Label(0), std::string(254, 'a') + "\xC3\xA9");
}

// ---- malformed streams ----

class SeriesDataMalformed : public ::testing::TestWithParam<Bytes> {};

TEST_P(SeriesDataMalformed, RaisesOneReadErrorAndLeavesTheSeriesClearedAndUnlocked)
{
    TChartSeries s;
    s.Add(3, "old");
    int refreshes = 0;
    TChartSeries dependant;
    dependant.AddDataSource(&s);
    dependant.OnClearValues = [&](TChartSeries&) { ++refreshes; };
    EXPECT_THROW(s.ReadData(GetParam()), EReadError);
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Labels().Count(), 0);
    EXPECT_FALSE(s.Updating());
    EXPECT_FALSE(s.StreamedData());
    s.Add(1);  // still live: the dependant follows
    EXPECT_EQ(dependant.Count(), 1);
}

Bytes Header(std::uint8_t flags, std::uint32_t count)
{
    Bytes b = {flags};
    Put32(b, count);
    return b;
}

Bytes TruncatedRecord()
{
    Bytes b = Header(0, 2);
    PutDouble(b, 1);
    b.insert(b.end(), {1, 2, 3});
    return b;
}

Bytes LabelBeyondTheEnd()
{
    Bytes b = Header(4, 1);
    PutDouble(b, 1);
    b.insert(b.end(), {200, 'a', 'b'});
    return b;
}

Bytes TrailingByte()
{
    Bytes b = Header(0, 1);
    PutDouble(b, 1);
    b.push_back(0);
    return b;
}

INSTANTIATE_TEST_SUITE_P(Streams, SeriesDataMalformed,
                         ::testing::Values(Bytes{}, Bytes{0x00}, Bytes{0x00, 1, 0}, Header(0, 0xFFFFFFFF),
                                           Header(0, 0x7FFFFFFF), Header(0x0F, 1), TruncatedRecord(),
                                           LabelBeyondTheEnd(), TrailingByte()));

TEST(SeriesDataStream, EmptySeriesWritesFlagsAndCount)
{
    TChartSeries s;
    EXPECT_EQ(s.WriteData(), Header(0, 0));
    TChartSeries r;
    r.Add(1);
    r.ReadData(Header(0, 0));
    EXPECT_EQ(r.Count(), 0);
    EXPECT_TRUE(r.StreamedData());
}

TEST(SeriesDataStream, WrittenAsBinaryPropertyOnlyWhenStreamed)
{
    TChartSeries s;
    s.Add(1);
    TPropertyWriter w;
    TChartSeries::Properties().Write(s, w);
    const auto has = [](const std::vector<std::uint8_t>& d) {
        const std::string text(d.begin(), d.end());
        return text.find("\x04" "Data") != std::string::npos;
    };
    EXPECT_FALSE(has(w.Data()));
    s.SetStreamedData(true);
    TPropertyWriter w2;
    TChartSeries::Properties().Write(s, w2);
    EXPECT_TRUE(has(w2.Data()));
    w2.WriteListEnd();

    TChartSeries r;
    TPropertyReader reader(w2.Data());
    TChartSeries::Properties().ReadList(r, reader, "TChartSeries");
    EXPECT_EQ(r.Count(), 1);
    EXPECT_TRUE(r.StreamedData());
}

TEST(SeriesDataSources, NamesResolveAfterLoadingAndUnknownOnesAreSkipped)
{
    QObject form;
    auto* a = new TChartSeries(&form);
    a->SetName("A");
    a->Add(1);
    auto* b = new TChartSeries(&form);
    b->SetName("B");
    auto* c = new TChartSeries(&form);
    TPropertyWriter w;
    w.WritePropName("DataSources");
    w.WriteListBegin();
    w.WriteString("A");
    w.WriteString("Missing");
    w.WriteString("B");
    w.WriteListEnd();
    w.WriteListEnd();
    c->BeginLoading();
    TPropertyReader reader(w.Data());
    TChartSeries::Properties().ReadList(*c, reader, "TChartSeries");
    c->EndLoading();
    ASSERT_EQ(c->DataSourceCount(), 2);
    EXPECT_EQ(c->DataSourceAt(0), a);
    EXPECT_EQ(c->DataSourceAt(1), b);
    EXPECT_EQ(c->Count(), 1);
}

}  // namespace
