#include "chart/plot_picture.h"

#include <gtest/gtest.h>

namespace {

// Adds Amount to the blue byte of each pixel of its rectangle.
class TTestFilter : public TPlotFilter {
public:
    int Amount = 1;
    std::string ClassName() const override { return "TTestFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override
    {
        static const TPropertyTable<TPlotFilter> table =
            TPropertyTable<TPlotFilter>::Of<TTestFilter>(TPlotFilter::Properties())
                .Property("Amount", IntegerKind, &TTestFilter::Amount, 1);
        return table;
    }
    void Apply(TBitmap& Bitmap, const TRect& R) override
    {
        TPlotFilter::Apply(Bitmap, R);
        LastRect = R;
        if (Lines.empty())
            return;
        for (int y = R.Top; y <= R.Bottom; ++y)
            for (int x = R.Left; x <= R.Right; ++x)
                Lines[y][3 * x] = static_cast<std::uint8_t>(Lines[y][3 * x] + Amount);
    }
    TRect LastRect;
};

const TFilterClass TestFilterClass{"TTestFilter", [] { return std::make_unique<TTestFilter>(); }};
const TFilterClass* const TestClasses[] = {&TestFilterClass};

class FilterItemsStream : public ::testing::Test {
protected:
    void SetUp() override { RegisterFilters(TestClasses); }
    void TearDown() override { UnRegisterFilters(TestClasses); }
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> b)
{
    return std::vector<std::uint8_t>(b.begin(), b.end());
}

void AppendName(std::vector<std::uint8_t>& v, const std::string& s)
{
    v.push_back(static_cast<std::uint8_t>(s.size()));
    v.insert(v.end(), s.begin(), s.end());
}

// One TTestFilter item with Enabled False and Amount 300, as the class library writes it.
std::vector<std::uint8_t> HandWritten()
{
    std::vector<std::uint8_t> v{14, 1};
    AppendName(v, "ItemClass");
    v.push_back(6);
    AppendName(v, "TTestFilter");
    AppendName(v, "Enabled");
    v.push_back(8);
    AppendName(v, "Region.Left");
    v.push_back(2);
    v.push_back(5);
    AppendName(v, "Amount");
    v.insert(v.end(), {3, 0x2C, 0x01});  // Int16 300
    v.push_back(0);
    v.push_back(0);
    return v;
}

TEST_F(FilterItemsStream, WritesTheBinaryPropertyFormat)
{
    TPlotPicture picture;
    auto* f = static_cast<TTestFilter*>(picture.Filters()->Add(TestFilterClass));
    f->SetEnabled(false);
    f->Region()->Left = 5;
    f->Amount = 300;
    EXPECT_EQ(picture.WriteFilterItems(), HandWritten());
}

TEST_F(FilterItemsStream, RoundTrip)
{
    TPlotPicture a;
    auto* f1 = static_cast<TTestFilter*>(a.Filters()->Add(TestFilterClass));
    f1->Amount = -7;
    f1->Region()->Width = 70000;
    f1->Region()->Top = -3;
    auto* f2 = static_cast<TTestFilter*>(a.Filters()->Add(TestFilterClass));
    f2->SetEnabled(false);
    const auto data = a.WriteFilterItems();

    TPlotPicture b;
    b.ReadFilterItems(data);
    ASSERT_EQ(b.Filters()->Count(), 2);
    auto* g1 = static_cast<TTestFilter*>(b.Filters()->Item(0));
    auto* g2 = static_cast<TTestFilter*>(b.Filters()->Item(1));
    EXPECT_EQ(g1->Amount, -7);
    EXPECT_TRUE(g1->Enabled());
    ASSERT_TRUE(g1->HasRegion());
    EXPECT_EQ(g1->Region()->Width, 70000);
    EXPECT_EQ(g1->Region()->Top, -3);
    EXPECT_FALSE(g2->Enabled());
    EXPECT_EQ(g2->Amount, 1);
    EXPECT_FALSE(g2->HasRegion());
    EXPECT_EQ(b.WriteFilterItems(), data);
}

TEST_F(FilterItemsStream, ItemIndexBeforeAnItemIsSkipped)
{
    auto v = HandWritten();
    v.insert(v.begin() + 1, {2, 0});  // Int8 index 0
    TPlotPicture p;
    p.ReadFilterItems(v);
    ASSERT_EQ(p.Filters()->Count(), 1);
    EXPECT_EQ(static_cast<TTestFilter*>(p.Filters()->Item(0))->Amount, 300);
}

TEST_F(FilterItemsStream, ReadingReplacesExistingFilters)
{
    TPlotPicture p;
    p.Filters()->Add(TestFilterClass);
    p.Filters()->Add(TestFilterClass);
    p.Filters()->Add(TestFilterClass);
    p.ReadFilterItems(HandWritten());
    EXPECT_EQ(p.Filters()->Count(), 1);
    p.ReadFilterItems(Bytes({14, 0}));
    EXPECT_EQ(p.Filters()->Count(), 0);
}

TEST_F(FilterItemsStream, EmptyListIsNotStored)
{
    TPlotPicture p;
    EXPECT_FALSE(p.IsFilterItemsStored());
    p.Filters();
    EXPECT_FALSE(p.IsFilterItemsStored());
    p.Filters()->Add(TestFilterClass);
    EXPECT_TRUE(p.IsFilterItemsStored());
}

TEST_F(FilterItemsStream, BadStreamsRaiseOneReadErrorAndChangeNothing)
{
    const auto good = HandWritten();
    std::vector<std::vector<std::uint8_t>> bad;
    for (std::size_t n = 0; n < good.size(); ++n)
        bad.emplace_back(good.begin(), good.begin() + static_cast<long>(n));  // every truncation
    // negative long-string length for the class name
    {
        std::vector<std::uint8_t> v{14, 1};
        AppendName(v, "ItemClass");
        v.insert(v.end(), {12, 0xFF, 0xFF, 0xFF, 0xFF});
        bad.push_back(v);
    }
    // long-string length past the end of the stream
    {
        std::vector<std::uint8_t> v{14, 1};
        AppendName(v, "ItemClass");
        v.insert(v.end(), {20, 0x00, 0x00, 0x00, 0x7F, 'T'});
        bad.push_back(v);
    }
    // wide string of 0x40000000 characters (byte count overflows 32 bits)
    {
        std::vector<std::uint8_t> v{14, 1};
        AppendName(v, "ItemClass");
        v.insert(v.end(), {18, 0x00, 0x00, 0x00, 0x40, 'T', 0});
        bad.push_back(v);
    }
    bad.push_back(Bytes({15, 0}));        // not a collection
    bad.push_back(Bytes({14, 0, 0}));     // bytes after the end
    bad.push_back(Bytes({14, 1, 0, 0}));  // no ItemClass
    bad.push_back(Bytes({14, 0x55}));     // unknown value type
    {
        auto v = good;
        v.resize(v.size() - 5);
        v.insert(v.end(), {7, 1, 'X', 0, 0});  // Amount given as an identifier
        bad.push_back(v);
    }

    for (const auto& data : bad) {
        TPlotPicture p;
        auto* keep = static_cast<TTestFilter*>(p.Filters()->Add(TestFilterClass));
        keep->Amount = 42;
        int changes = 0;
        p.OnChange = [&] { ++changes; };
        EXPECT_THROW(p.ReadFilterItems(data), EReadError) << "size " << data.size();
        ASSERT_EQ(p.Filters()->Count(), 1);
        EXPECT_EQ(p.Filters()->Item(0), keep);
        EXPECT_EQ(keep->Amount, 42);
        EXPECT_EQ(changes, 0);
    }
}

TEST_F(FilterItemsStream, UnknownClassRaisesClassNotFound)
{
    auto v = HandWritten();
    v[14] = 'X';  // TTestFilter -> TXestFilter
    TPlotPicture p;
    EXPECT_THROW(p.ReadFilterItems(v), EClassNotFound);
    EXPECT_FALSE(p.HasFilters());
}

TEST_F(FilterItemsStream, UnknownPropertyIsAReadError)
{
    std::vector<std::uint8_t> v{14, 1};
    AppendName(v, "ItemClass");
    v.push_back(6);
    AppendName(v, "TTestFilter");
    AppendName(v, "Colour");
    v.insert(v.end(), {2, 1, 0, 0});
    TPlotPicture p;
    EXPECT_THROW(p.ReadFilterItems(v), EReadError);
}

TEST(FilterRegistry, RegistersEachClassOnce)
{
    const TFilterClass* twice[] = {&TestFilterClass, &TestFilterClass};
    RegisterFilters(twice);
    EXPECT_EQ(FindFilterClass("TTestFilter"), &TestFilterClass);
    UnRegisterFilters(TestClasses);
    EXPECT_EQ(FindFilterClass("TTestFilter"), nullptr);
}

TEST(FilterApply, RegionRectangle)
{
    TBitmap bitmap(50, 40);
    TTestFilter f;
    ApplyTo(f, bitmap);
    EXPECT_EQ(f.LastRect, (TRect{0, 0, 49, 39}));
    f.Region()->Left = 10;
    f.Region()->Top = 10;
    ApplyTo(f, bitmap);
    EXPECT_EQ(f.LastRect, (TRect{10, 10, 49, 39}));
    f.Region()->Width = 5;
    f.Region()->Height = 100;
    ApplyTo(f, bitmap);
    EXPECT_EQ(f.LastRect, (TRect{10, 10, 15, 39}));
}

TEST(FilterApply, EmptyBitmapReturnsAtOnce)
{
    TBitmap bitmap;
    TTestFilter f;
    ApplyTo(f, bitmap);  // no rows: nothing touched
    SUCCEED();
}

TEST_F(FilterItemsStream, FilteredGraphicSkipsDisabledFiltersAndKeepsTheOriginal)
{
    TPlotPicture p;
    TBitmap bitmap(3, 2, pf24bit);
    bitmap.Fill(RGB(10, 20, 30));
    p.SetGraphic(&bitmap);
    EXPECT_EQ(p.FilteredGraphic(), p.Graphic());
    auto* f1 = static_cast<TTestFilter*>(p.Filters()->Add(TestFilterClass));
    f1->Amount = 5;
    auto* f2 = static_cast<TTestFilter*>(p.Filters()->Add(TestFilterClass));
    f2->Amount = 100;
    f2->SetEnabled(false);
    auto* out = dynamic_cast<TBitmap*>(p.FilteredGraphic());
    ASSERT_NE(out, nullptr);
    EXPECT_NE(out, p.Graphic());
    EXPECT_EQ(GetBValue(out->Pixel(1, 1)), 35);
    EXPECT_EQ(GetBValue(static_cast<TBitmap*>(p.Graphic())->Pixel(1, 1)), 30);
    out = dynamic_cast<TBitmap*>(p.FilteredGraphic());  // rebuilt from the graphic each time
    EXPECT_EQ(GetBValue(out->Pixel(1, 1)), 35);
}

TEST_F(FilterItemsStream, PictureAssignCopiesFilters)
{
    TPlotPicture a;
    static_cast<TTestFilter*>(a.Filters()->Add(TestFilterClass))->Amount = 9;
    TPlotPicture b;
    b.Assign(&a);
    ASSERT_EQ(b.Filters()->Count(), 1);
    EXPECT_EQ(static_cast<TTestFilter*>(b.Filters()->Item(0))->Amount, 9);
    TPlotPicture c;
    b.Assign(&c);
    EXPECT_FALSE(b.HasFilters());
}

}  // namespace
