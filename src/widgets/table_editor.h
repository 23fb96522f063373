#pragma once
// TNTabEd: a grid that shows and edits an owned table of numbers with named
// columns and rows, an optional attribute column and row, a mark byte per
// cell, decimals per column, labels for nominal and ordinal columns, two
// built-in popup menus and the clipboard.
//
// Grid layout: grid column 0 holds the row names, grid row 0 the column
// names; data column c is grid column c + AttribColShown, data row r is grid
// row r + AttribRowShown.
#include <QMenu>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/data_table.h"
#include "platform/custom_grid.h"
#include "widgets/instrument_base.h"

class QAction;
class QLineEdit;
class QPlainTextEdit;

using TBeforeRenderCellEvent = std::function<void(int colix, int rowix, std::string& Text, TColor& ColorText,
                                                  TColor& ColorBakg, TFontStyles& FontStyles)>;

// Mark bits of a cell.
enum TCellMark : std::uint8_t { cmNotANumber = 1, cmEmpty = 2, cmMarkA = 64, cmMarkB = 128 };

// Which cells a marking action works on.
enum TMarkScope : std::uint8_t { msRange, msColumn, msRow, msAll };

class TNTabEd : public platform::TCustomGrid {
public:
    explicit TNTabEd(QWidget* parent = nullptr, std::string name = "NTabEd");
    ~TNTabEd() override;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name);

    // The owned tables.
    TDataTable& Data() { return *m_data; }
    const TDataTable& Data() const { return *m_data; }
    const TDataTable& ClipTable() const { return *m_clipTable; }

    int AttribColShown() const { return m_attribColShown; }
    int AttribRowShown() const { return m_attribRowShown; }
    int AttribColWidth() const { return m_attribColWidth; }
    bool Resizing() const { return m_resizing; }
    bool HasClipCopy() const { return m_hasClipCopy; }
    bool HeadingEditing() const { return m_headingEditing; }
    bool CommentEditing() const { return m_commentEditing; }
    // The cell whose headings are shown highlighted (grid coordinates).
    platform::GridCoord LastCell() const { return m_lastCell; }
    // The last cell clicked with the mouse in this editor and the one before.
    platform::GridCoord LastClicked() const { return m_lastClicked; }
    QLineEdit* HeadingEdit() const { return m_headingEdit; }
    QPlainTextEdit* CommentMemo() const { return m_commentMemo; }
    const std::vector<std::string>& PickItems() const { return m_pickItems; }
    QMenu* PopupData() const { return m_popupData; }
    QMenu* PopupHeading() const { return m_popupHeading; }
    // Items of the popups enabled by their bit (bit 0 = item 1).
    unsigned PopupDataMask() const { return m_popupDataMask; }
    void SetPopupDataMask(unsigned mask) { m_popupDataMask = mask; }
    unsigned PopupHeadingMask() const { return m_popupHeadingMask; }
    void SetPopupHeadingMask(unsigned mask) { m_popupHeadingMask = mask; }

    // Drawing is suspended while held; releasing repaints.
    bool PaintHeld() const { return m_paintHeld; }
    void SetPaintHeld(bool held);

    // ---- published properties ----
    bool AutoAdvance() const { return m_autoAdvance; }
    void SetAutoAdvance(bool v) { m_autoAdvance = v; }
    TOrientation AutoAdvanceDir() const { return m_autoAdvanceDir; }
    void SetAutoAdvanceDir(TOrientation v) { m_autoAdvanceDir = v; }
    bool AttribRowVisible() const { return m_attribColShown == 1; }
    void SetAttribRowVisible(bool v);
    bool AttribColVisible() const { return m_attribRowShown == 1; }
    void SetAttribColVisible(bool v);
    bool BlockInternalPopup() const { return m_blockInternalPopup; }
    void SetBlockInternalPopup(bool v) { m_blockInternalPopup = v; }
    bool CommentEditingAllowed() const { return m_commentEditingAllowed; }
    void SetCommentEditingAllowed(bool v) { m_commentEditingAllowed = v; }
    const std::string& Comment() const { return m_data->Comment(); }
    void SetComment(std::string_view comment);

    TColor ColorBackground() const { return m_colorBackground; }
    void SetColorBackground(TColor c);
    TColor ColorFixed() const { return m_colorFixed; }
    void SetColorFixed(TColor c);
    TColor ColorNormal() const { return m_colorNormal; }
    void SetColorNormal(TColor c) { SetPresentationColor(m_colorNormal, c); }
    TColor ColorSelected() const { return m_colorSelected; }
    void SetColorSelected(TColor c) { SetPresentationColor(m_colorSelected, c); }
    TColor ColorMarkedA() const { return m_colorMarkedA; }
    void SetColorMarkedA(TColor c) { SetPresentationColor(m_colorMarkedA, c); }
    TColor ColorMarkedB() const { return m_colorMarkedB; }
    void SetColorMarkedB(TColor c) { SetPresentationColor(m_colorMarkedB, c); }
    TColor ColorMarkedBoth() const { return m_colorMarkedBoth; }
    void SetColorMarkedBoth(TColor c) { SetPresentationColor(m_colorMarkedBoth, c); }

    // The grid default; keeps the name column at 80 and the attribute column.
    void SetDefaultColWidth(int width);
    // A popup menu of the owner's; while set the built-in popups stay closed.
    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    bool BoldMarks() const { return m_boldMarks; }
    void SetBoldMarks(bool v);
    bool BoldSelHeads() const { return m_boldSelHeads; }
    void SetBoldSelHeads(bool v);
    bool ClipboardUseFullPrec() const { return m_clipboardUseFullPrec; }
    void SetClipboardUseFullPrec(bool v) { m_clipboardUseFullPrec = v; }
    int NomEditDropDownCount() const { return m_nomEditDropDownCount; }
    void SetNomEditDropDownCount(int v);
    int NrOfColumns() const { return m_data->NrOfColumns(); }
    void SetNrOfColumns(int columns);
    int NrOfRows() const { return m_data->NrOfRows(); }
    void SetNrOfRows(int rows);
    // Field width of number texts, 1..20 (other values are ignored).
    int NumWidth() const { return m_numWidth; }
    void SetNumWidth(int width);
    bool DataReadOnly() const { return m_dataReadOnly; }
    void SetDataReadOnly(bool v);
    bool OptimizeRowHeight() const { return m_optimizeRowHeight; }
    void SetOptimizeRowHeight(bool v);

    // ---- data ----
    double GetElem(int col, int row) const { return m_data->GetElem(col, row); }
    void SetElem(int col, int row, double value) { m_data->SetElem(col, row, value); }
    bool ElemIsValid(int col, int row) const { return m_data->IsUnmarked(col, row); }
    std::uint8_t GetMark(int col, int row) const { return m_data->GetMark(col, row); }
    void SetMark(int col, int row, std::uint8_t mark);
    void SetMarkA(int col, int row, bool on);
    void SetMarkB(int col, int row, bool on);
    std::string GetColName(int col) const { return m_data->GetColName(col); }
    void SetColName(int col, std::string_view name);
    std::string GetRowName(int row) const { return m_data->GetRowName(row); }
    void SetRowName(int row, std::string_view name);
    int GetRowAttrib(int row) const { return m_data->GetRowAttrib(row); }
    void SetRowAttrib(int row, int attrib);
    int GetColAttrib(int col) const { return m_data->GetColAttrib(col); }
    void SetColAttrib(int col, int attrib);
    // First data column whose blank-trimmed name equals the name (ASCII case
    // folded); 0 when none.
    int FindColumn(std::string_view name) const;
    int GetDecPlaces(int col) const;
    void SetDecPlaces(int col, int places);
    // col >= 1 a data column, 0 the name column, < 0 the attribute column.
    int GetColWidth(int col) const;
    void SetColWidth(int col, int width);
    void InsertRow(int row);
    void Clear();
    void SetTableSize(int columns, int rows);
    // After the form set the properties.
    void Loaded();

    // ---- cell texts and editing ----
    // The text drawn in a data cell (data coordinates), before OnBeforeRenderCell.
    std::string CellText(int col, int row) const;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    // A pick list in nominal and ordinal columns, which refuse typed keys.
    platform::GridEditStyle GetEditStyle(int col, int row) override;
    bool CanEditAcceptKey(int key) override;
    // Heading editor on the last clicked heading cell; Enter (13) stores, Esc (27) drops.
    void OpenHeadingEditor();
    void HeadingEditKey(int key);
    // Comment editor over the grid; Enter stores, Esc drops.
    void OpenCommentEditor();
    void CommentMemoKey(int key);

    // ---- popup actions (also reachable without the menus) ----
    void MarkCells(TMarkScope scope, std::uint8_t markBit, bool on);
    void UnmarkAll();
    void ClearSelection();
    void CopySelection();
    void PasteClip();
    void ToggleDataReadOnly();
    void ExtractFromClipboard();
    void SelectAllData();
    void ToggleEmptyState();
    void EditHeading() { OpenHeadingEditor(); }
    // The last clicked column: one decimal fewer, -1 wraps to 10.
    void ChangePrecision();
    void SelectColumn();
    void SelectRow();

    std::function<void()> OnChange;
    std::function<void()> OnChangeSetup;
    std::function<void()> OnHeadingChanged;
    // The user stepped a column's decimals from the heading popup.
    std::function<void()> OnPrecisionChanged;
    TBeforeRenderCellEvent OnBeforeRenderCell;
    std::function<void(int col, int row, std::string& value)> OnGetEditText;
    std::function<void(int col, int row, const std::string& value)> OnSetEditText;

protected:
    void Paint() override;
    void DrawCell(int col, int row, const platform::Rect& rect, unsigned state) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(int& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    bool DoMouseWheelDown(Qt::KeyboardModifiers shift, int x, int y) override;
    bool DoMouseWheelUp(Qt::KeyboardModifiers shift, int x, int y) override;
    platform::TInplaceEdit* CreateEditor() override;
    void FontChanged() override;

private:
    class THoldPaint;
    class TBulkChange;

    bool IsDataCell(int gridCol, int gridRow) const
    {
        return gridCol > m_attribColShown && gridRow > m_attribRowShown;
    }
    bool HasLabels(int col) const;
    // The selection in data coordinates (empty when the grid has no data cell).
    platform::GridRect DataSelection() const;
    void SelectDataRect(int left, int top, int right, int bottom);
    void Notify();
    void Changed();
    void SetPresentationColor(TColor& field, TColor c);
    void ResizeDimensions(int columns, int rows, bool both);
    void DataResized(int oldColumns, int oldRows, int newColumns, int newRows);
    void GrowDecPlaces(int columns);
    void UpdateRowHeights();
    void DrawHeading(int col, int row, platform::Rect rect);
    void HighlightHeadings();
    void BuildPopups();
    void OpenPopup(int gridCol, int gridRow, int x, int y);
    void CloseHeadingEditor(bool store);
    void CloseCommentEditor(bool store);
    void RequireTable(bool ok, const char* text) const;

    std::string m_name;
    std::unique_ptr<TDataTable> m_data;
    std::unique_ptr<TDataTable> m_clipTable;
    std::vector<std::int8_t> m_decPlaces;
    std::vector<std::string> m_pickItems;
    int m_attribColShown = 1;
    int m_attribRowShown = 0;
    int m_attribColWidth = 32;
    bool m_paintHeld = false;
    bool m_resizing = true;
    bool m_hasClipCopy = false;
    bool m_headingEditing = false;
    bool m_commentEditing = false;
    platform::GridCoord m_lastCell{2, 1};
    platform::GridCoord m_lastClicked{-1, -1};
    platform::GridCoord m_prevClicked{-1, -1};
    platform::GridCoord m_editCell{-1, -1};  // heading under the heading editor
    bool m_pressRemovedEditing = false;
    platform::GridCoord m_invertedCell{-1, -1};  // heading framed while its popup is open

    bool m_autoAdvance = false;
    TOrientation m_autoAdvanceDir = orVert;
    bool m_blockInternalPopup = false;
    bool m_commentEditingAllowed = true;
    TColor m_colorBackground = 0xFF000005;  // clWindow
    TColor m_colorFixed = 0xFF00000F;       // clBtnFace
    TColor m_colorNormal = 0x002000;
    TColor m_colorSelected = clRed;
    TColor m_colorMarkedA = clRed;
    TColor m_colorMarkedB = clBlue;
    TColor m_colorMarkedBoth = 0xCC00BB;
    QPointer<QMenu> m_popupMenu;
    bool m_boldMarks = true;
    bool m_boldSelHeads = true;
    bool m_clipboardUseFullPrec = true;
    int m_nomEditDropDownCount = 8;
    int m_numWidth = 1;
    bool m_dataReadOnly = false;
    bool m_optimizeRowHeight = false;

    QLineEdit* m_headingEdit = nullptr;
    QPlainTextEdit* m_commentMemo = nullptr;
    QMenu* m_popupData = nullptr;
    QMenu* m_popupHeading = nullptr;
    QAction* m_readOnlyItem = nullptr;
    QAction* m_pasteItem = nullptr;
    unsigned m_popupDataMask = ~0u;
    unsigned m_popupHeadingMask = ~0u;
    QPoint m_headingPopupAt;
};

// Sets a flag for a scope and puts the saved value back, also on exceptions.
class TTableFlagScope {
public:
    TTableFlagScope(bool& flag, bool value) : m_flag(flag), m_saved(flag) { flag = value; }
    ~TTableFlagScope() { m_flag = m_saved; }
    TTableFlagScope(const TTableFlagScope&) = delete;
    TTableFlagScope& operator=(const TTableFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

// Detaches one handler for a scope.
template <class F>
class TDetachedHandler {
public:
    explicit TDetachedHandler(F& handler) : m_handler(handler), m_saved(std::move(handler)) { handler = nullptr; }
    ~TDetachedHandler() { m_handler = std::move(m_saved); }
    TDetachedHandler(const TDetachedHandler&) = delete;
    TDetachedHandler& operator=(const TDetachedHandler&) = delete;

private:
    F& m_handler;
    F m_saved;
};

// Holds painting; the saved state comes back at the end (a release repaints).
class TNTabEd::THoldPaint {
public:
    explicit THoldPaint(TNTabEd& editor) : m_editor(editor), m_saved(editor.m_paintHeld) { editor.m_paintHeld = true; }
    ~THoldPaint() { m_editor.SetPaintHeld(m_saved); }
    THoldPaint(const THoldPaint&) = delete;
    THoldPaint& operator=(const THoldPaint&) = delete;

private:
    TNTabEd& m_editor;
    bool m_saved;
};

// A bulk change: Resizing set and the table's per-cell change notification
// detached until the end, also when something throws.
class TNTabEd::TBulkChange {
public:
    explicit TBulkChange(TNTabEd& editor) : m_resizing(editor.m_resizing, true), m_change(editor.m_data->OnChange) {}

private:
    TTableFlagScope m_resizing;
    TDetachedHandler<std::function<void()>> m_change;
};
