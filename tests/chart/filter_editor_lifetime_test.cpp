// A filter's editor on a shown form: its controls write into the filter
// while it lives, and let it go when the filter is deleted meanwhile.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSpinBox>
#include <QTest>
#include <QWidget>

#include "chart/filter_editor_form.h"
#include "chart/plot_filters.h"

namespace {

// Types a value into a spin box the way a user does.
void TypeInto(QSpinBox* Box, const char* Text)
{
    Box->setFocus();
    QTest::keyClick(Box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Box, Text);
    QTest::keyClick(Box, Qt::Key_Enter);
}

}  // namespace

TEST(FilterEditorLifetime, ControlsWriteWhileTheFilterLivesAndLetGoAfter)
{
    TFilterItems items;
    items.AddItem(std::make_unique<TBlurFilter>());
    items.AddItem(std::make_unique<TBrightnessFilter>());
    auto* blur = static_cast<TBlurFilter*>(items.Item(0));
    auto* bright = static_cast<TBrightnessFilter*>(items.Item(1));

    QWidget blurPage, brightPage;
    TFilterEditorForm blurForm(&blurPage);
    blurForm.Edit(*blur);
    TFilterEditorForm brightForm(&brightPage);
    brightForm.Edit(*bright);
    blurPage.show();
    brightPage.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&blurPage));

    const auto boxes = blurPage.findChildren<QSpinBox*>();
    ASSERT_EQ(boxes.size(), 2);
    TypeInto(boxes[1], "7");
    EXPECT_EQ(blur->Steps, 7);

    // deleted with its editor open: typing writes nowhere and the control gives up
    items.Delete(0);
    ASSERT_EQ(items.Count(), 1);
    TypeInto(boxes[1], "9");
    TypeInto(boxes[0], "3");
    EXPECT_FALSE(boxes[0]->isEnabled());
    EXPECT_FALSE(boxes[1]->isEnabled());

    // the other filter's editor is untouched
    const auto checks = brightPage.findChildren<QCheckBox*>();
    ASSERT_EQ(checks.size(), 1);
    const bool before = bright->Percent;
    QTest::mouseClick(checks[0], Qt::LeftButton, {}, QPoint(4, checks[0]->height() / 2));
    EXPECT_EQ(bright->Percent, !before);
    items.Clear();
    QTest::mouseClick(checks[0], Qt::LeftButton, {}, QPoint(4, checks[0]->height() / 2));
    EXPECT_FALSE(checks[0]->isEnabled());
}
