#pragma once
// The grid base of the data grids: a scrolling widget of cells with up to two
// fixed rows and columns, column widths and row heights, a top row and left
// column, a current cell and a selection rectangle, an in-place line editor
// with an optional drop-down pick list, and key, mouse and wheel hooks.
// Cells are drawn by the derived class through the drawing device; the grid
// fills each cell with its brush first and draws the grid lines.
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/border_style.h"
#include "platform/drawing_device.h"

class QListWidget;
class QScrollBar;

namespace platform {

// Cells, inclusive on every side (left/right columns, top/bottom rows).
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int col, int row) const { return col >= left && col <= right && row >= top && row <= bottom; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

struct GridCoord {
    int col = 0;
    int row = 0;
    friend bool operator==(const GridCoord&, const GridCoord&) = default;
};

enum GridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goEditing = 1u << 8,
    goTabs = 1u << 9,
    goRowSelect = 1u << 10,
    goAlwaysShowEditor = 1u << 11,
    goThumbTracking = 1u << 12,
};
using GridOptions = unsigned;

// State bits handed to DrawCell.
enum GridDrawState : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

enum class GridEditStyle { Simple, PickList };

class TCustomGrid;

// The in-place editor: a line edit over the current cell. In the pick-list
// style typing is refused and a drop-down list chooses the text.
class TInplaceEdit : public QLineEdit {
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    ~TInplaceEdit() override;

    GridEditStyle EditStyle() const { return m_style; }
    void SetEditStyle(GridEditStyle style);
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int rows);

    // Items of the pick list, refilled by OnGetPickListItems at each drop-down.
    const std::vector<std::string>& PickItems() const { return m_items; }
    std::function<void(std::vector<std::string>& items)> OnGetPickListItems;

    void DropDown();
    void CloseUp();
    bool ListVisible() const;
    // Chooses item i of the open list: the text becomes it and the grid takes it.
    void PickItem(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TCustomGrid* m_grid;
    GridEditStyle m_style = GridEditStyle::Simple;
    int m_dropDownRows = 8;
    std::vector<std::string> m_items;
    QListWidget* m_list = nullptr;  // a popup window, owned here
};

class TCustomGrid : public QWidget {
public:
    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    // Sizes. Fixed rows and columns may take the whole grid (a grid of
    // headings only); at most two of each.
    int ColCount() const { return static_cast<int>(m_colWidths.size()); }
    void SetColCount(int count);
    int RowCount() const { return static_cast<int>(m_rowHeights.size()); }
    void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int count);

    // Pixels; new columns and rows take the defaults. Setting the default
    // resets every column (row).
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    // Every column (row) from `first` on at once.
    void FillColWidths(int first, int width);
    void FillRowHeights(int first, int height);
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int width);

    // Scrolling: the first scrollable row and column shown.
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int col);
    // Scrollable columns and rows wholly inside the client area (at least 1
    // when there are any).
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // The current cell and the selection (grid coordinates).
    int Col() const { return m_current.col; }
    int Row() const { return m_current.row; }
    void SetCol(int col) { FocusCell(col, m_current.row, true); }
    void SetRow(int row) { FocusCell(m_current.col, row, true); }
    // Makes (col, row) current, clamped to the scrollable cells, scrolls it into
    // view; with moveAnchor the selection collapses onto it, else it extends
    // from the anchor. Refused when SelectCell says no.
    void FocusCell(int col, int row, bool moveAnchor);
    const GridRect& Selection() const { return m_selection; }
    // Sets the selection (clamped to the scrollable cells); the current cell
    // moves to its top-left.
    void SetSelection(const GridRect& r);
    // True when there is at least one scrollable cell.
    bool HasScrollableCells() const { return ColCount() > m_fixedCols && RowCount() > m_fixedRows; }

    GridOptions Options() const { return m_options; }
    void SetOptions(GridOptions options);

    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor c);
    // The font cells are drawn with (and its colour).
    const FontDesc& Font() const { return m_font; }
    void SetFont(const FontDesc& font);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);

    // The frame round the client area (bsSingle: two pixels on each side).
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // On: each cell is filled with its colour before DrawCell; off: DrawCell
    // paints the whole cell itself.
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool on);

    // Geometry in client pixels (inside the frame, origin at the first
    // cell's top-left). CellRect of a cell not shown is empty.
    Rect CellRect(int col, int row) const;
    // The cell under a client point; false outside every cell.
    bool MouseToCell(int x, int y, int& col, int& row) const;
    int ClientWidth() const;
    int ClientHeight() const;

    // The in-place editor.
    bool EditorMode() const { return m_editorMode; }
    void SetEditorMode(bool on);
    void ShowEditor();
    // Hides the editor, handing its text to SetEditText first.
    void HideEditor();
    // Hides the editor without taking its text.
    void CancelEditor();
    TInplaceEdit* InplaceEditor() const { return m_editor; }

    // The drawing surface (an image device unless a test put another in place),
    // covering the client area and the scroll bars.
    DrawingDevice& Canvas() { return *m_canvas; }
    void SetCanvas(std::unique_ptr<DrawingDevice> device);  // takes it over
    // Draws the grid on the canvas now, whatever Qt's paint cycle does.
    void PaintNow();
    void Invalidate() { update(); }
    void InvalidateCell(int col, int row);

    // Entry points of the event handlers, callable by tests without Qt events.
    // Keys are Qt key codes; a typed character (13 Enter, 27 Esc) opens the
    // editor with it when editing is on, else reaches KeyPress.
    void HandleKeyDown(int key, Qt::KeyboardModifiers shift);
    void HandleChar(int ch);
    void HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void HandleMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void HandleMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void HandleWheel(int delta, Qt::KeyboardModifiers shift, int x, int y);
    void HandleDblClick(Qt::KeyboardModifiers shift, int x, int y);

    // A column border is being dragged (a resize in progress).
    bool Sizing() const { return m_sizingCol >= 0; }

    std::function<void()> OnTopLeftChanged;
    std::function<void(int col, int row)> OnSelectCell;
    std::function<void()> OnDblClick;

protected:
    // Draws every visible cell (brush filled, then DrawCell) and the lines.
    virtual void Paint();
    // One cell; the canvas brush, background and text colour are set for it.
    virtual void DrawCell(int col, int row, const Rect& rect, unsigned state);
    virtual bool SelectCell(int col, int row);
    // Hooks; a handler sets key to 0 when it consumed it. KeyDown moves the
    // current cell; KeyPress toggles the editor on Enter and cancels it on Esc.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(int& key);
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // A double click at the client point; the base fires OnDblClick.
    virtual void DblClick(Qt::KeyboardModifiers shift, int x, int y);
    // One wheel notch; true when handled (the base scrolls the rows).
    virtual bool DoMouseWheelDown(Qt::KeyboardModifiers shift, int x, int y);
    virtual bool DoMouseWheelUp(Qt::KeyboardModifiers shift, int x, int y);
    // Editor hooks.
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);
    virtual bool CanEditAcceptKey(int key);
    virtual bool CanEditShow();
    virtual GridEditStyle GetEditStyle(int col, int row);
    // The editor object; the grid owns it as a Qt child.
    virtual TInplaceEdit* CreateEditor();
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    virtual void FontChanged() {}
    virtual void TopLeftChanged();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TInplaceEdit;

    int Border() const { return BorderWidth(m_borderStyle); }
    // A widget point in client pixels.
    QPoint ClientPoint(const QPointF& p) const;
    int FirstScrollCol() const { return m_fixedCols; }
    int FirstScrollRow() const { return m_fixedRows; }
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void ClampScroll();
    void ScrollIntoView(int col, int row);
    void UpdateScrollBars();
    void UpdateEditorPlace();
    void MoveBy(int dCol, int dRow, Qt::KeyboardModifiers shift);
    GridRect RowSelectRect(const GridRect& r) const;
    // The column whose right border lies within 3 pixels of x in a fixed row.
    int SizingColumnAt(int x, int y) const;
    void PaintLines(int x0, int x1, int y0, int y1, TColor color);
    void EditorKey(QKeyEvent* event, bool& handled);
    void EditorPicked(const std::string& text);

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    int m_topRow = 1;
    int m_wheelRest = 0;  // turn of the wheel short of a notch, in eighths of a degree
    int m_leftCol = 1;
    GridCoord m_current{1, 1};
    GridCoord m_anchor{1, 1};
    GridRect m_selection{1, 1, 1, 1};
    GridOptions m_options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TColor m_color = 0xFF000005;       // clWindow
    TColor m_fixedColor = 0xFF00000F;  // clBtnFace
    TColor m_fontColor = 0xFF000008;   // clWindowText
    FontDesc m_font;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_defaultDrawing = true;
    bool m_editorMode = false;
    GridCoord m_editorCell{-1, -1};
    std::string m_editorStartText;
    TInplaceEdit* m_editor = nullptr;
    std::unique_ptr<DrawingDevice> m_canvas;
    bool m_canvasIsImage = true;
    QScrollBar* m_vBar = nullptr;
    QScrollBar* m_hBar = nullptr;
    bool m_selecting = false;
    int m_sizingCol = -1;
    int m_sizingOrigin = 0;
    bool m_updatingBars = false;
    int m_barExtent = 0;  // the scroll bars' thickness, asked of the style once
};

}  // namespace platform
