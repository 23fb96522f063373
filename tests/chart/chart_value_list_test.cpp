#include "chart/chart_value_list.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart/chart_series.h"
#include "platform/dialogs.h"

namespace {

TEST(TChartValueListOrder, AscendingEqualValueLandsAfterEqualOnes)
{
    TChartValueList list(nullptr, "X");
    list.SetOrder(loAscending);
    for (double v : {1.0, 2.0, 2.0, 3.0})
        list.AddChartValue(v);
    EXPECT_EQ(list.AddChartValue(2), 3);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Value(3), 2);
    EXPECT_EQ(list.Value(4), 3);
}

TEST(TChartValueListOrder, DescendingInsertsAndAppends)
{
    TChartValueList list(nullptr, "Y");
    list.SetOrder(loDescending);
    list.AddChartValue(5);
    list.AddChartValue(3);
    EXPECT_EQ(list.AddChartValue(4), 1);
    EXPECT_EQ(list.AddChartValue(3), 3);
    EXPECT_EQ(list.Value(0), 5);
    EXPECT_EQ(list.Value(1), 4);
    EXPECT_EQ(list.Value(2), 3);
    EXPECT_EQ(list.Value(3), 3);
}

TEST(TChartValueListOrder, NoneAppends)
{
    TChartValueList list(nullptr, "Y");
    list.AddChartValue(5);
    EXPECT_EQ(list.AddChartValue(1), 1);
}

TEST(TChartValueListOrder, AscendingFollowsAppendsAndRewrites)
{
    TChartValueList list(nullptr, "X");
    EXPECT_TRUE(list.Ascending());
    for (double v : {1.0, 2.0, 2.0, 5.0})
        list.AddChartValue(v);
    EXPECT_TRUE(list.Ascending());
    // an append below the last value (the list keeps no order)
    list.AddChartValue(4);
    EXPECT_FALSE(list.Ascending());
    list.Delete(4);
    EXPECT_TRUE(list.Ascending());
    const double more[] = {5, 7, 6};
    list.AppendValues(more, 2);
    EXPECT_TRUE(list.Ascending());
    list.AppendValues(more + 2, 1);
    EXPECT_FALSE(list.Ascending());
    list.SetValue(6, 8);
    EXPECT_TRUE(list.Ascending());
    list.SetValue(0, 3);
    EXPECT_FALSE(list.Ascending());
    list.ClearValues();
    EXPECT_TRUE(list.Ascending());
}

TEST(TChartValueListOrder, NotANumberBreaksTheAscent)
{
    TChartValueList list(nullptr, "X");
    list.AddChartValue(1);
    list.AddChartValue(std::nan(""));
    list.AddChartValue(3);
    EXPECT_FALSE(list.Ascending());
    list.SetValue(1, 2);
    EXPECT_TRUE(list.Ascending());
}

TEST(TChartValueListGrowth, GrowsByAFixedStep)
{
    TChartValueList list(nullptr, "Y");
    for (int i = 0; i < 1000; ++i)
        list.AddChartValue(i);
    EXPECT_EQ(list.Capacity(), 1000);
    list.AddChartValue(1000);
    EXPECT_EQ(list.Capacity(), 2000);
}

TEST(TChartValueListStatistics, EmptyListIsAllZero)
{
    TChartValueList list(nullptr, "Y");
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalABS(), 0);
}

TEST(TChartValueListStatistics, TotalsOfMixedSigns)
{
    TChartValueList list(nullptr, "Y");
    list.AddChartValue(-2);
    list.AddChartValue(1);
    EXPECT_EQ(list.Total(), -1);
    EXPECT_EQ(list.TotalABS(), 3);
    EXPECT_EQ(list.Range(), 3);
}

TEST(TChartValueListStatistics, RecomputedAfterDeletes)
{
    TChartValueList list(nullptr, "Y");
    for (double v : {4.0, -7.0, 9.0, 1.0})
        list.AddChartValue(v);
    EXPECT_EQ(list.MaxValue(), 9);
    list.Delete(2);
    EXPECT_EQ(list.MaxValue(), 4);
    EXPECT_EQ(list.MinValue(), -7);
    list.Delete(0, 2);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.MinValue(), 1);
    EXPECT_EQ(list.Total(), 1);
}

TEST(TChartValueListBounds, OutOfRangeDeletesAndInsertsDoNothing)
{
    TChartValueList list(nullptr, "Y");
    list.AddChartValue(1);
    list.Delete(-1);
    list.Delete(1);
    list.Delete(5, 3);
    list.InsertChartValue(3, 9);
    list.InsertChartValue(-1, 9);
    EXPECT_EQ(list.Count(), 1);
    list.Delete(0, 10);  // cut to what there is
    EXPECT_EQ(list.Count(), 0);
    list.Delete(0, 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(TChartValueListEdits, MoveFirstToLastAndFillSequence)
{
    TChartValueList list(nullptr, "Y");
    for (double v : {7.0, 8.0, 9.0})
        list.AddChartValue(v);
    list.MoveFirstToLast();
    EXPECT_EQ(list.Value(0), 8);
    EXPECT_EQ(list.Value(2), 7);
    list.FillSequence();
    EXPECT_EQ(list.Value(2), 2);
    EXPECT_EQ(list.Total(), 3);
}

TEST(TChartValueListAssign, CopiesSettingsNotNameOrValues)
{
    TChartValueList a(nullptr, "A"), b(nullptr, "B");
    a.SetOrder(loDescending);
    a.SetDateTime(true);
    a.SetValueSource("Close");
    a.AddChartValue(3);
    b.Assign(a);
    EXPECT_EQ(b.Order(), loDescending);
    EXPECT_TRUE(b.DateTime());
    EXPECT_EQ(b.ValueSource(), "Close");
    EXPECT_EQ(b.Name(), "B");
    EXPECT_EQ(b.Count(), 0);
}

// Records the message boxes.
class TRecordingDialogs : public platform::Dialogs {
public:
    platform::MsgAnswer MessageBox(QWidget*, const QString& caption, const QString& text, platform::MsgButtons,
                                   platform::MsgIcon, std::optional<QPoint>) override
    {
        Captions.push_back(caption);
        Texts.push_back(text);
        return platform::MsgAnswer::Ok;
    }
    std::optional<QString> OpenFile(QWidget*, const platform::FileDialogRequest&) override { return {}; }
    std::optional<QString> SaveFile(QWidget*, const platform::FileDialogRequest&) override { return {}; }
    std::optional<TColor> PickColor(QWidget*, TColor) override { return {}; }
    std::vector<QString> Captions, Texts;
};

TEST(TChartValueListStream, MultiplierOtherThanOneShowsTheErrorBox)
{
    TRecordingDialogs dialogs;
    platform::Dialogs* old = platform::SetDialogs(&dialogs);
    TChartValueList list(nullptr, "Y");
    TPropertyValue one;
    one.Type = vaExtended;
    one.Float = 1;
    EXPECT_TRUE(TChartValueList::Properties().Set(list, "Multiplier", one));
    EXPECT_TRUE(dialogs.Texts.empty());
    TPropertyValue two = one;
    two.Float = 2;
    TChartValueList::Properties().Set(list, "Multiplier", two);
    platform::SetDialogs(old);
    ASSERT_EQ(dialogs.Texts.size(), 1u);
    EXPECT_EQ(dialogs.Texts[0],
              "Error: Multiplier property is obsolete.\rModify PlotDefs (enable Multiplier) and recompile.");
    EXPECT_TRUE(dialogs.Captions[0].isEmpty());
}

TEST(TChartValueListStream, DateTimeStoredAgainstItsOwnDefault)
{
    TChartValueList list(nullptr, "X");
    list.InitDateTime(true);
    EXPECT_TRUE(list.DateTime());
    TPropertyWriter w;
    TChartValueList::Properties().Write(list, w);
    EXPECT_TRUE(w.Data().empty());
    list.SetDateTime(false);
    TPropertyWriter w2;
    TChartValueList::Properties().Write(list, w2);
    EXPECT_FALSE(w2.Data().empty());
}

}  // namespace

TEST(TChartValueListRewrites, OnlyAppendsAtTheEndLeaveTheCountStanding)
{
    TChartValueList list(nullptr, "X");
    list.SetOrder(loAscending);
    const std::uint64_t start = list.RewriteCount();
    list.AddChartValue(1);
    list.AddChartValue(2);
    list.InsertChartValue(2, 3);
    EXPECT_EQ(list.RewriteCount(), start);
    list.AddChartValue(0.5);  // placed first
    EXPECT_EQ(list.RewriteCount(), start + 1);
    list.SetValue(0, 0.25);
    list.Delete(3);
    list.InsertChartValue(0, -1);
    EXPECT_EQ(list.RewriteCount(), start + 4);
    list.ClearValues();
    EXPECT_EQ(list.RewriteCount(), start + 5);
}
