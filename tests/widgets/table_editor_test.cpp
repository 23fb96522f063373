#include "widgets/table_editor.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_device.h"

using platform::GridCoord;
using platform::GridRect;

namespace {

class TNTabEdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetClipboard(&clipboard);
        editor = std::make_unique<TNTabEd>(nullptr, "Sheet");
        editor->resize(500, 300);
        editor->SetCanvas(std::make_unique<platform::RecordingDevice>(500, 300));
        editor->OnChange = [this] { ++changes; };
        editor->OnChangeSetup = [this] { ++setups; };
    }
    void TearDown() override
    {
        editor.reset();
        platform::SetClipboard(nullptr);
    }
    // Clicks the centre of a grid cell.
    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const platform::Rect r = editor->CellRect(col, row);
        ASSERT_FALSE(r.IsEmpty());
        editor->HandleMouseDown(button, {}, r.left + 3, r.top + 3);
        editor->HandleMouseUp(button, {}, r.left + 3, r.top + 3);
    }
    QAction* Item(QMenu* menu, const char* name) { return menu->findChild<QAction*>(name); }

    platform::MemoryClipboard clipboard;
    std::unique_ptr<TNTabEd> editor;
    int changes = 0;
    int setups = 0;
};

}  // namespace

// ---- data model and layout ----

TEST_F(TNTabEdTest, ConstructionGivesThreeColumnsFourRowsAndTheAttributeColumn)
{
    EXPECT_EQ(editor->NrOfColumns(), 3);
    EXPECT_EQ(editor->NrOfRows(), 4);
    EXPECT_EQ(editor->AttribColShown(), 1);
    EXPECT_EQ(editor->AttribRowShown(), 0);
    EXPECT_EQ(editor->ColCount(), 5);
    EXPECT_EQ(editor->RowCount(), 5);
    EXPECT_EQ(editor->FixedCols(), 2);
    EXPECT_EQ(editor->GetColWidth(0), 80);
    EXPECT_EQ(editor->GetColWidth(-1), 32);
    EXPECT_EQ(editor->GetDecPlaces(3), 3);
    EXPECT_FALSE(editor->Resizing());
    EXPECT_EQ(editor->GetColName(2), "C-2");
    EXPECT_EQ(editor->GetRowName(4), "R-4");
    EXPECT_EQ(editor->PopupData()->objectName(), "PopupDTAction");
    EXPECT_EQ(editor->PopupHeading()->objectName(), "PopupHTAction");
}

TEST_F(TNTabEdTest, GrowingColumnsCarriesWidthDecimalsAndNamesWithOneSetupEvent)
{
    editor->SetColWidth(3, 90);
    editor->SetDecPlaces(3, 5);
    setups = 0;
    editor->SetNrOfColumns(5);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(editor->ColCount(), 7);
    EXPECT_EQ(editor->GetColWidth(4), 90);
    EXPECT_EQ(editor->GetColWidth(5), 90);
    EXPECT_EQ(editor->GetDecPlaces(4), 5);
    EXPECT_EQ(editor->GetDecPlaces(5), 5);
    EXPECT_EQ(editor->GetColName(4), "C-4");
    EXPECT_EQ(editor->GetColName(5), "C-5");
}

TEST_F(TNTabEdTest, SetTableSizeResizesBothWithOneSetupEvent)
{
    editor->SetElem(1, 1, 7.5);
    setups = 0;
    editor->SetTableSize(6, 10);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(editor->NrOfColumns(), 6);
    EXPECT_EQ(editor->NrOfRows(), 10);
    EXPECT_EQ(editor->RowCount(), 11);
    EXPECT_EQ(editor->GetElem(1, 1), 7.5);
    EXPECT_EQ(editor->GetRowName(10), "R-10");
}

TEST_F(TNTabEdTest, ZeroRowsLeaveAGridOfHeadings)
{
    editor->SetNrOfRows(0);
    EXPECT_EQ(editor->RowCount(), 1);
    EXPECT_FALSE(editor->HasScrollableCells());
    editor->PaintNow();
    editor->CopySelection();
    EXPECT_FALSE(editor->HasClipCopy());
    editor->SelectAllData();
    editor->ClearSelection();
    clipboard.SetText("1 2");
    editor->ExtractFromClipboard();
    editor->SetAttribColVisible(true);
    EXPECT_EQ(editor->RowCount(), 2);
    EXPECT_EQ(editor->FixedRows(), 2);
    editor->PaintNow();
    editor->SetNrOfRows(2);
    EXPECT_TRUE(editor->HasScrollableCells());
    EXPECT_EQ(editor->RowCount(), 4);
}

TEST_F(TNTabEdTest, NumWidthOutsideOneToTwentyIsIgnored)
{
    editor->SetNumWidth(0);
    EXPECT_EQ(editor->NumWidth(), 1);
    editor->SetNumWidth(21);
    EXPECT_EQ(editor->NumWidth(), 1);
    editor->SetNumWidth(20);
    EXPECT_EQ(editor->NumWidth(), 20);
}

TEST_F(TNTabEdTest, DecimalsAreClampedAndIgnoredOutsideTheColumns)
{
    editor->SetDecPlaces(1, 12);
    EXPECT_EQ(editor->GetDecPlaces(1), 10);
    editor->SetDecPlaces(1, -5);
    EXPECT_EQ(editor->GetDecPlaces(1), -1);
    editor->SetDecPlaces(4, 2);
    EXPECT_EQ(editor->GetDecPlaces(4), 0);
}

TEST_F(TNTabEdTest, ShowingTheAttributeColumnTwiceChangesTheLayoutOnce)
{
    editor->SetAttribRowVisible(false);
    EXPECT_EQ(editor->ColCount(), 4);
    EXPECT_EQ(editor->FixedCols(), 1);
    setups = 0;
    editor->SetAttribRowVisible(true);
    editor->SetAttribRowVisible(true);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(editor->ColCount(), 5);
    EXPECT_EQ(editor->GetColWidth(-1), 32);
    EXPECT_EQ(editor->GetColWidth(1), 64);
}

TEST_F(TNTabEdTest, AttributeWidthIsRememberedWhileHidden)
{
    editor->SetColWidth(-1, 40);
    editor->SetAttribRowVisible(false);
    EXPECT_EQ(editor->GetColWidth(-1), 0);
    editor->SetAttribRowVisible(true);
    EXPECT_EQ(editor->GetColWidth(-1), 40);
}

TEST_F(TNTabEdTest, ShownAttributeRowTakesTheNameRowHeight)
{
    editor->SetRowHeights(0, 30);
    editor->SetAttribColVisible(true);
    EXPECT_EQ(editor->RowHeights(1), 30);
    EXPECT_EQ(editor->RowCount(), 6);
}

TEST_F(TNTabEdTest, FindColumnTrimsAndFoldsCase)
{
    editor->SetColName(2, "AGE");
    EXPECT_EQ(editor->FindColumn("  age  "), 2);
    EXPECT_EQ(editor->FindColumn("weight"), 0);
}

TEST_F(TNTabEdTest, NamesAreCutAndFireOnChange)
{
    changes = 0;
    editor->SetColName(1, std::string(60, 'x'));
    EXPECT_EQ(editor->GetColName(1).size(), 50u);
    EXPECT_EQ(changes, 1);
    editor->SetRowName(9, "none");
    EXPECT_EQ(changes, 1);
}

TEST_F(TNTabEdTest, MarksSetTheByteAndNotifyInAnyCase)
{
    setups = 0;
    editor->SetMarkA(1, 1, true);
    editor->SetMarkB(1, 1, true);
    EXPECT_EQ(editor->GetMark(1, 1), cmMarkA | cmMarkB);
    editor->SetMark(9, 9, 1);
    EXPECT_EQ(setups, 3);
    EXPECT_TRUE(editor->ElemIsValid(1, 1));
    editor->SetMark(1, 1, cmEmpty);
    EXPECT_FALSE(editor->ElemIsValid(1, 1));
}

TEST_F(TNTabEdTest, InsertRowMovesLaterRowsDown)
{
    editor->SetElem(1, 2, 5.0);
    editor->InsertRow(2);
    EXPECT_EQ(editor->NrOfRows(), 5);
    EXPECT_EQ(editor->RowCount(), 6);
    EXPECT_EQ(editor->GetElem(1, 3), 5.0);
    EXPECT_EQ(editor->GetElem(1, 2), 0.0);
    EXPECT_FALSE(editor->PaintHeld());
    editor->InsertRow(7);
    EXPECT_EQ(editor->NrOfRows(), 5);
}

TEST_F(TNTabEdTest, ClearNamesEverythingAndResetsDecimals)
{
    editor->SetDecPlaces(2, 6);
    editor->SetColName(1, "x");
    editor->SetElem(1, 1, 3.0);
    editor->Clear();
    EXPECT_EQ(editor->GetDecPlaces(2), 3);
    EXPECT_EQ(editor->GetColName(1), "C-1");
    EXPECT_EQ(editor->GetElem(1, 1), 0.0);
    EXPECT_FALSE(editor->PaintHeld());
}

TEST_F(TNTabEdTest, CommentLosesControlCharactersAndFiresOnChange)
{
    changes = 0;
    editor->SetComment("a\tb\nc");
    EXPECT_EQ(editor->Comment(), "abc");
    EXPECT_EQ(changes, 1);
}

TEST_F(TNTabEdTest, DataReadOnlyRemovesTheEditingOption)
{
    EXPECT_TRUE(editor->Options() & platform::goEditing);
    editor->SetDataReadOnly(true);
    EXPECT_FALSE(editor->Options() & platform::goEditing);
    editor->SetDataReadOnly(false);
    EXPECT_TRUE(editor->Options() & platform::goEditing);
}

TEST_F(TNTabEdTest, HandlersThatThrowLeaveNoHoldBehind)
{
    editor->OnChange = [] { throw std::runtime_error("handler"); };
    editor->SelectAllData();
    EXPECT_THROW(editor->ClearSelection(), std::runtime_error);
    EXPECT_FALSE(editor->Resizing());
    EXPECT_THROW(editor->InsertRow(1), std::runtime_error);
    EXPECT_FALSE(editor->PaintHeld());
    // the per-cell notification is attached again
    int after = 0;
    editor->OnChange = [&after] { ++after; };
    editor->SetElem(1, 1, 2.0);
    EXPECT_EQ(after, 1);
}

// ---- cell texts and editing ----

TEST_F(TNTabEdTest, CellTextsFollowMarksDecimalsAndLabels)
{
    editor->SetElem(1, 1, 1234567890.0);
    editor->SetDecPlaces(1, 0);
    EXPECT_EQ(editor->CellText(1, 1), " 1.2E+09");
    editor->SetElem(2, 1, 0.0);
    EXPECT_EQ(editor->CellText(2, 1), "0.000");
    editor->SetMark(2, 1, cmEmpty);
    EXPECT_EQ(editor->CellText(2, 1), "");
    editor->SetMark(2, 1, cmNotANumber);
    EXPECT_EQ(editor->CellText(2, 1), "-nan-");
    editor->Data().SetScaleLevel(3, slNominal);
    editor->SetElem(3, 1, 3.0);
    EXPECT_EQ(editor->CellText(3, 1), "Nominal:3");
    editor->Data().SetNominalLabel(3, 3, "red");
    EXPECT_EQ(editor->CellText(3, 1), "red");
}

TEST_F(TNTabEdTest, EditTextTakesDecimalCommasAndMarksBadText)
{
    editor->SetEditText(2, 1, " 3,5 ");
    EXPECT_EQ(editor->GetElem(1, 1), 3.5);
    EXPECT_TRUE(editor->ElemIsValid(1, 1));
    editor->SetEditText(2, 1, "abc");
    EXPECT_EQ(editor->GetElem(1, 1), 3.5);
    EXPECT_EQ(editor->GetMark(1, 1), cmNotANumber);
    EXPECT_EQ(editor->CellText(1, 1), "-nan-");
    for (const char* text : {"inf", "nan", "0x10", "1E"}) {
        editor->SetEditText(2, 2, text);
        EXPECT_EQ(editor->GetMark(1, 2), cmNotANumber) << text;
    }
    EXPECT_EQ(editor->GetEditText(2, 1), "3.500");
}

TEST_F(TNTabEdTest, NominalColumnsEditThroughTheirLabels)
{
    editor->Data().SetScaleLevel(1, slNominal);
    EXPECT_FALSE(editor->GetEditStyle(2, 1) == platform::GridEditStyle::Simple);
    editor->FocusCell(2, 1, true);
    EXPECT_FALSE(editor->CanEditAcceptKey('a'));
    editor->SetEditText(2, 1, "low");
    EXPECT_EQ(editor->GetMark(1, 1), cmNotANumber);
    editor->Data().SetNominalLabel(1, 2, "Low");
    editor->Data().SetNominalLabel(1, 5, "High");
    editor->SetEditText(2, 1, "low");
    EXPECT_EQ(editor->GetElem(1, 1), 2.0);
    EXPECT_EQ(editor->GetMark(1, 1), 0);
    EXPECT_EQ(editor->GetEditText(2, 1), "Low");
    editor->ShowEditor();
    ASSERT_TRUE(editor->EditorMode());
    editor->InplaceEditor()->DropDown();
    EXPECT_EQ(editor->PickItems(), (std::vector<std::string>{"Low", "High"}));
    editor->InplaceEditor()->PickItem(1);
    EXPECT_EQ(editor->GetElem(1, 1), 5.0);
}

TEST_F(TNTabEdTest, NominalColumnWithoutLabelsHasAnEmptyPickList)
{
    editor->Data().SetScaleLevel(1, slNominal);
    editor->FocusCell(2, 1, true);
    editor->ShowEditor();
    ASSERT_TRUE(editor->EditorMode());
    editor->InplaceEditor()->DropDown();
    EXPECT_TRUE(editor->PickItems().empty());
}

TEST_F(TNTabEdTest, SecondClickOnTheSameCellOpensTheEditor)
{
    Click(3, 2);
    EXPECT_FALSE(editor->EditorMode());
    EXPECT_EQ(editor->Col(), 3);
    Click(3, 2);
    EXPECT_TRUE(editor->EditorMode());
    editor->InplaceEditor()->setText("9");
    editor->HandleChar(13);
    EXPECT_EQ(editor->GetElem(2, 2), 9.0);
}

TEST_F(TNTabEdTest, LastClickedCellBelongsToEachEditor)
{
    TNTabEd other(nullptr, "Other");
    other.resize(500, 300);
    other.SetCanvas(std::make_unique<platform::RecordingDevice>(500, 300));
    Click(3, 2);
    EXPECT_EQ(editor->LastClicked(), (GridCoord{3, 2}));
    EXPECT_EQ(other.LastClicked(), (GridCoord{-1, -1}));
    // a first click in the other editor selects only
    const platform::Rect r = other.CellRect(3, 2);
    other.HandleMouseDown(Qt::LeftButton, {}, r.left + 3, r.top + 3);
    other.HandleMouseUp(Qt::LeftButton, {}, r.left + 3, r.top + 3);
    EXPECT_FALSE(other.EditorMode());
}

TEST_F(TNTabEdTest, AutoAdvanceMovesDownAfterEnter)
{
    editor->SetAutoAdvance(true);
    editor->FocusCell(2, 1, true);
    editor->HandleChar('4');
    ASSERT_TRUE(editor->EditorMode());
    editor->HandleChar(13);
    EXPECT_EQ(editor->GetElem(1, 1), 4.0);
    EXPECT_EQ(editor->Row(), 2);
    editor->SetAutoAdvanceDir(orHoriz);
    editor->HandleChar(13);  // opens the editor, then moves right
    EXPECT_EQ(editor->Col(), 3);
}

TEST_F(TNTabEdTest, EscapeClosesTheEditorWithoutStoring)
{
    editor->FocusCell(2, 1, true);
    editor->HandleChar('8');
    editor->HandleChar(27);
    EXPECT_FALSE(editor->EditorMode());
    EXPECT_EQ(editor->GetElem(1, 1), 0.0);
}

TEST_F(TNTabEdTest, HeadingEditorStoresNamesAndClampsAttributes)
{
    editor->SetAttribColVisible(true);
    int headings = 0;
    editor->OnHeadingChanged = [&headings] { ++headings; };
    Click(3, 1);  // attribute of data column 2
    editor->OpenHeadingEditor();
    ASSERT_TRUE(editor->HeadingEditing());
    editor->HeadingEdit()->setText("300");
    editor->HeadingEditKey(13);
    EXPECT_FALSE(editor->HeadingEditing());
    EXPECT_EQ(editor->GetColAttrib(2), 255);
    editor->OpenHeadingEditor();
    editor->HeadingEdit()->setText("-4");
    editor->HeadingEditKey(13);
    EXPECT_EQ(editor->GetColAttrib(2), 0);
    editor->OpenHeadingEditor();
    editor->HeadingEdit()->setText("x");
    editor->HeadingEditKey(13);
    EXPECT_EQ(headings, 2);
    Click(0, 3);  // name of data row 2
    editor->OpenHeadingEditor();
    EXPECT_EQ(editor->HeadingEdit()->text().toStdString(), "R-2");
    editor->HeadingEdit()->setText("second");
    editor->HeadingEditKey(13);
    EXPECT_EQ(editor->GetRowName(2), "second");
    // the corner is not editable
    Click(0, 0);
    editor->OpenHeadingEditor();
    EXPECT_FALSE(editor->HeadingEditing());
}

TEST_F(TNTabEdTest, AttributesSetInCodeAreClampedNotWrapped)
{
    editor->SetRowAttrib(1, 300);
    EXPECT_EQ(editor->GetRowAttrib(1), 255);
    editor->SetColAttrib(1, -4);
    EXPECT_EQ(editor->GetColAttrib(1), 0);
}

TEST_F(TNTabEdTest, CommentEditorOpensOnARightClickOnTheCorner)
{
    Click(0, 0, Qt::RightButton);
    ASSERT_TRUE(editor->CommentEditing());
    changes = 0;
    editor->CommentMemoKey(13);
    EXPECT_FALSE(editor->CommentEditing());
    EXPECT_EQ(changes, 1);
    editor->SetCommentEditingAllowed(false);
    Click(0, 0, Qt::RightButton);
    EXPECT_FALSE(editor->CommentEditing());
}

TEST_F(TNTabEdTest, BeforeRenderCellChangesTextAndColours)
{
    auto* device = static_cast<platform::RecordingDevice*>(&editor->Canvas());
    editor->OnBeforeRenderCell = [](int c, int r, std::string& text, TColor& color, TColor&, TFontStyles& styles) {
        if (c == 2 && r == 3) {
            text = "seen";
            color = clBlue;
            styles = fsBold;
        }
    };
    device->ClearLog();
    editor->PaintNow();
    bool found = false;
    for (const auto& call : device->CallsNamed("ExtTextOut"))
        if (call.args.back() == "seen") {
            found = true;
            EXPECT_NE(call.font.find("700"), std::string::npos);
        }
    EXPECT_TRUE(found);
}

TEST_F(TNTabEdTest, CornerShowsTheCurrentDataPosition)
{
    editor->FocusCell(3, 4, true);
    auto* device = static_cast<platform::RecordingDevice*>(&editor->Canvas());
    device->ClearLog();
    editor->PaintNow();
    const auto texts = device->CallsNamed("ExtTextOut");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().args.back(), "2:4");
}

TEST_F(TNTabEdTest, RowHeightsFollowTheFontWhenOptimised)
{
    editor->SetOptimizeRowHeight(true);
    // recording metrics: em 11, descent 2 -> 13 + 5
    EXPECT_EQ(editor->RowHeights(0), 18);
    EXPECT_EQ(editor->RowHeights(4), 18);
    platform::FontDesc font = editor->Font();
    font.height = -20;
    editor->SetFont(font);
    EXPECT_EQ(editor->RowHeights(2), 30);
    editor->SetNrOfRows(8);
    EXPECT_EQ(editor->RowHeights(8), 30);
}

// ---- popups, clipboard ----

TEST_F(TNTabEdTest, DataPopupHasTheCaptionsAndNames)
{
    const char* captions[] = {"Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B",
                              "Unmark All", "Clear", "Copy", "Paste", "Data Read-Only",
                              "Extract from Clipboard", "Select All", "Toggle Empty State"};
    const auto items = editor->PopupData()->actions();
    ASSERT_EQ(items.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(items[i]->text().toStdString(), captions[i]);
        EXPECT_EQ(items[i]->objectName().toStdString(), "DIt" + std::to_string(i + 1));
    }
    ASSERT_NE(Item(editor->PopupData(), "U2It3"), nullptr);
    EXPECT_EQ(Item(editor->PopupData(), "U2It3")->text(), "Row");
    const auto heads = editor->PopupHeading()->actions();
    ASSERT_EQ(heads.size(), 4);
    EXPECT_EQ(heads[1]->text(), "Change Precision");
    EXPECT_EQ(heads[3]->objectName(), "HIt4");
}

TEST_F(TNTabEdTest, PasteIsDisabledBeforeTheFirstCopy)
{
    Click(2, 1, Qt::RightButton);
    EXPECT_FALSE(Item(editor->PopupData(), "DIt8")->isEnabled());
    editor->PopupData()->hide();
    editor->CopySelection();
    Click(2, 1, Qt::RightButton);
    EXPECT_TRUE(Item(editor->PopupData(), "DIt8")->isEnabled());
    editor->PopupData()->hide();
}

TEST_F(TNTabEdTest, MarkingSubmenusWorkOnTheirScopes)
{
    editor->SetSelection({3, 2, 3, 2});  // data cell (2, 2)
    setups = 0;
    Item(editor->PopupData(), "M1It2")->trigger();  // mark A on the column
    EXPECT_EQ(setups, 1);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(editor->GetMark(2, r), cmMarkA);
    EXPECT_EQ(editor->GetMark(1, 2), 0);
    Item(editor->PopupData(), "M2It3")->trigger();  // mark B on the row
    EXPECT_EQ(editor->GetMark(1, 2), cmMarkB);
    EXPECT_EQ(editor->GetMark(2, 2), cmMarkA | cmMarkB);
    Item(editor->PopupData(), "U1It4")->trigger();  // unmark A everywhere
    EXPECT_EQ(editor->GetMark(2, 1), 0);
    editor->SetMark(3, 3, cmMarkA | cmEmpty);
    Item(editor->PopupData(), "DIt5")->trigger();
    EXPECT_EQ(editor->GetMark(3, 3), cmEmpty);
    EXPECT_EQ(editor->GetMark(1, 2), 0);
}

TEST_F(TNTabEdTest, ClearAndToggleEmptyFireOneChange)
{
    editor->SetElem(1, 1, 4.0);
    editor->SetMark(1, 1, cmMarkA);
    editor->SetSelection({2, 1, 3, 2});
    changes = 0;
    Item(editor->PopupData(), "DIt6")->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(editor->GetElem(1, 1), 0.0);
    EXPECT_EQ(editor->GetMark(1, 1), 0);
    Item(editor->PopupData(), "DIt12")->trigger();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(editor->GetMark(2, 2), cmEmpty);
    Item(editor->PopupData(), "DIt12")->trigger();
    EXPECT_EQ(editor->GetMark(2, 2), 0);
}

TEST_F(TNTabEdTest, CopyWritesTheExactClipboardText)
{
    editor->SetClipboardUseFullPrec(false);
    editor->SetDecPlaces(1, 0);
    editor->SetDecPlaces(2, 0);
    editor->SetElem(1, 1, 1);
    editor->SetElem(2, 1, 2);
    editor->SetElem(1, 2, 3);
    editor->SetMark(2, 2, cmEmpty);
    editor->SetSelection({2, 1, 3, 2});
    Item(editor->PopupData(), "DIt7")->trigger();
    EXPECT_EQ(clipboard.Text().toStdString(), " 1\t2\r\n 3\t####\r\n");
    EXPECT_TRUE(editor->HasClipCopy());
    EXPECT_EQ(editor->ClipTable().NrOfColumns(), 2);
    EXPECT_EQ(editor->ClipTable().GetMark(2, 2), cmEmpty);
}

TEST_F(TNTabEdTest, FullPrecisionCopyExtractsBack)
{
    editor->SetElem(1, 1, 1.25);
    editor->SetElem(2, 1, -3e-7);
    editor->SetSelection({2, 1, 3, 1});
    editor->CopySelection();
    EXPECT_EQ(clipboard.Text().toStdString(), "  1.2500000000000E+0000\t-3.0000000000000E-0007\r\n");
    editor->SetSelection({2, 3, 2, 3});
    editor->ExtractFromClipboard();
    EXPECT_EQ(editor->GetElem(1, 3), 1.25);
    EXPECT_EQ(editor->GetElem(2, 3), -3e-7);
    EXPECT_EQ(editor->Selection(), (GridRect{2, 3, 3, 3}));
}

TEST_F(TNTabEdTest, PasteAtTheEdgeKeepsTheSelectionInsideTheGrid)
{
    editor->SetElem(1, 1, 1);
    editor->SetElem(2, 1, 2);
    editor->SetElem(1, 2, 3);
    editor->SetElem(2, 2, 4);
    editor->SetSelection({2, 1, 3, 2});
    editor->CopySelection();
    editor->SetSelection({4, 4, 4, 4});  // data cell (3, 4), the last one
    changes = 0;
    Item(editor->PopupData(), "DIt8")->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(editor->GetElem(3, 4), 1.0);
    EXPECT_EQ(editor->Selection(), (GridRect{4, 4, 4, 4}));
    editor->SetSelection({3, 3, 3, 3});
    editor->PasteClip();
    EXPECT_EQ(editor->GetElem(2, 3), 1.0);
    EXPECT_EQ(editor->GetElem(3, 3), 2.0);
    EXPECT_EQ(editor->GetElem(2, 4), 3.0);
    EXPECT_EQ(editor->GetElem(3, 4), 4.0);
    EXPECT_EQ(editor->Selection(), (GridRect{3, 3, 4, 4}));
}

TEST_F(TNTabEdTest, ExtractReadsSeparatorsCommasAndCapitalExponents)
{
    clipboard.SetText("1.5;2\n1E3\t1e3\r\n1,5");
    editor->SetSelection({2, 1, 2, 1});
    Item(editor->PopupData(), "DIt10")->trigger();
    EXPECT_EQ(editor->GetElem(1, 1), 1.5);
    EXPECT_EQ(editor->GetElem(2, 1), 2.0);
    EXPECT_EQ(editor->GetElem(1, 2), 1000.0);
    EXPECT_EQ(editor->GetElem(2, 2), 1.0);
    EXPECT_EQ(editor->GetElem(3, 2), 3.0);
    EXPECT_EQ(editor->GetElem(1, 3), 1.5);
    EXPECT_EQ(editor->Selection(), (GridRect{2, 1, 4, 3}));
}

TEST_F(TNTabEdTest, ExtractNearTheEdgeStaysInsideTheGrid)
{
    clipboard.SetText("1\t2\t3\n4\t5\n6\n");
    editor->SetSelection({4, 4, 4, 4});
    editor->ExtractFromClipboard();
    EXPECT_EQ(editor->GetElem(3, 4), 1.0);
    EXPECT_EQ(editor->Selection(), (GridRect{4, 4, 4, 4}));
}

TEST_F(TNTabEdTest, ExtractStoresTextThatIsNoNumberAsAnEmptyCell)
{
    editor->SetElem(1, 1, 9);
    clipboard.SetText("- 2E 1E+");
    editor->SetSelection({2, 1, 2, 1});
    editor->ExtractFromClipboard();
    EXPECT_FALSE(editor->ElemIsValid(1, 1));
    EXPECT_EQ(editor->GetMark(1, 1), cmEmpty);
    EXPECT_EQ(editor->GetElem(2, 1), 2.0);
    EXPECT_TRUE(editor->ElemIsValid(2, 1));
    EXPECT_EQ(editor->GetElem(3, 1), 1.0);
}

TEST_F(TNTabEdTest, ReadOnlyItemTogglesAndNotifies)
{
    setups = 0;
    Item(editor->PopupData(), "DIt9")->trigger();
    EXPECT_TRUE(editor->DataReadOnly());
    EXPECT_EQ(setups, 1);
    Click(2, 1);
    Click(2, 1);
    EXPECT_FALSE(editor->EditorMode());
}

TEST_F(TNTabEdTest, SelectionsOfTheHeadingPopup)
{
    Item(editor->PopupData(), "DIt11")->trigger();
    EXPECT_EQ(editor->Selection(), (GridRect{2, 1, 4, 4}));
    Click(3, 0, Qt::RightButton);
    EXPECT_TRUE(editor->PopupHeading()->isVisible());
    EXPECT_TRUE(Item(editor->PopupHeading(), "HIt3")->isEnabled());
    EXPECT_FALSE(Item(editor->PopupHeading(), "HIt4")->isEnabled());
    Item(editor->PopupHeading(), "HIt3")->trigger();
    editor->PopupHeading()->hide();
    EXPECT_EQ(editor->Selection(), (GridRect{3, 1, 3, 4}));
    Click(0, 2, Qt::RightButton);
    Item(editor->PopupHeading(), "HIt4")->trigger();
    editor->PopupHeading()->hide();
    EXPECT_EQ(editor->Selection(), (GridRect{2, 2, 4, 2}));
}

TEST_F(TNTabEdTest, ChangePrecisionCyclesThroughMinusOneToTen)
{
    int precisions = 0;
    editor->OnPrecisionChanged = [&precisions] { ++precisions; };
    editor->SetDecPlaces(2, 0);
    EXPECT_EQ(precisions, 0);  // only the user's step from the menu
    Click(3, 0, Qt::RightButton);
    QAction* item = Item(editor->PopupHeading(), "HIt2");
    setups = 0;
    item->trigger();
    EXPECT_EQ(precisions, 1);
    EXPECT_EQ(editor->GetDecPlaces(2), -1);
    item->trigger();
    EXPECT_EQ(editor->GetDecPlaces(2), 10);
    item->trigger();
    EXPECT_EQ(editor->GetDecPlaces(2), 9);
    EXPECT_EQ(setups, 3);
    EXPECT_EQ(precisions, 3);
    EXPECT_TRUE(editor->PopupHeading()->isVisible());  // reopened
    editor->PopupHeading()->hide();
}

TEST_F(TNTabEdTest, OwnPopupMenuOrBlockKeepsTheBuiltInOnesClosed)
{
    editor->SetBlockInternalPopup(true);
    Click(2, 1, Qt::RightButton);
    EXPECT_FALSE(editor->PopupData()->isVisible());
    Click(0, 0, Qt::RightButton);
    EXPECT_FALSE(editor->CommentEditing());
    editor->SetBlockInternalPopup(false);
    QMenu own;
    editor->SetPopupMenu(&own);
    Click(2, 1, Qt::RightButton);
    EXPECT_FALSE(editor->PopupData()->isVisible());
    EXPECT_TRUE(own.isVisible());
    own.hide();
}
