#pragma once
// The list base of owner-drawn lists: items of text and an object link, a
// fixed item height, a current item and a multiple selection, a top item
// with a vertical scroll bar, and an internal drag of items within the list.
// Items are drawn by the derived class through the drawing device.
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/border_style.h"
#include "platform/drawing_device.h"

class QScrollBar;

namespace platform {

// State bits handed to DrawItem.
enum ListDrawState : unsigned { odSelected = 1, odFocused = 2 };

class TCustomListBox : public QWidget {
public:
    explicit TCustomListBox(QWidget* parent = nullptr);
    ~TCustomListBox() override;

    // ---- items ----
    int Count() const { return static_cast<int>(m_items.size()); }
    // Answers the new item's index.
    int AddItem(const std::string& text, QObject* object);
    void DeleteItem(int index);
    void ClearItems();
    // Swaps two items with their selection marks.
    void ExchangeItems(int a, int b);
    const std::string& ItemText(int index) const;
    void SetItemText(int index, const std::string& text);
    // The item's object link (not owned); nullptr once that object is gone.
    QObject* ItemObject(int index) const;
    int IndexOfObject(const QObject* object) const;

    // ---- current item and selection ----
    // -1 when there is none.
    virtual int ItemIndex() const;
    void SetItemIndex(int index);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool on);
    bool Selected(int index) const;
    void SetSelected(int index, bool on);
    int SelCount() const;
    // Selects every item (only with MultiSelect).
    virtual void SelectAll();

    // The frame round the client area (bsSingle: two pixels on each side).
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // The client area's top-left in widget pixels.
    QPoint ClientOrigin() const { return {BorderWidth(m_borderStyle), BorderWidth(m_borderStyle)}; }

    // ---- geometry (client pixels: inside the frame) ----
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int index);
    // The item's rectangle (also for items scrolled out of view).
    Rect ItemRect(int index) const;
    // The item under the point; -1 outside the items.
    int ItemAtPos(int x, int y) const;
    int ClientWidth() const;
    int ClientHeight() const;

    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    const FontDesc& Font() const { return m_font; }
    void SetFont(const FontDesc& font);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);

    // The drawing surface (an image device unless a test put another in place),
    // covering the area inside the frame.
    DrawingDevice& Canvas() { return *m_canvas; }
    void SetCanvas(std::unique_ptr<DrawingDevice> device);  // takes it over
    void PaintNow();
    void Invalidate() { update(); }
    // Has the keyboard focus (a test may pretend it has).
    bool Focused() const { return m_fakeFocus || hasFocus(); }
    void SetFakeFocus(bool on) { m_fakeFocus = on; }

    // ---- drag of items within the list ----
    // A press armed a drag that starts once the mouse moves 5 pixels away.
    void ArmDrag(int x, int y);
    void BeginDrag();
    bool Dragging() const { return m_dragging; }

    // Entry points of the event handlers, callable by tests without Qt events.
    void HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void HandleMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void HandleMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void HandleDblClick(Qt::KeyboardModifiers shift, int x, int y);
    void HandleKeyDown(int key, Qt::KeyboardModifiers shift);
    void HandleKeyUp(int key, Qt::KeyboardModifiers shift);

protected:
    // One item; the canvas font is set. State holds odSelected and odFocused.
    virtual void DrawItem(int index, const Rect& rect, unsigned state);
    // Hooks. MouseDown selects (Ctrl toggles, Shift extends with MultiSelect);
    // KeyDown moves the current item.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void DblClick(Qt::KeyboardModifiers shift, int x, int y);
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    // While dragging: may the items be dropped at the point; and the drop.
    virtual bool DragOver(int x, int y);
    virtual void DragDrop(int x, int y);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct TItem {
        std::string text;
        QPointer<QObject> object;
        bool selected = false;
    };
    void Paint();
    // A widget point in client pixels.
    QPoint ClientPoint(const QPointF& p) const { return p.toPoint() - ClientOrigin(); }
    int VisibleItems() const;
    void ClampTop();
    void UpdateScrollBar();
    void ScrollIntoView(int index);

    std::vector<TItem> m_items;
    int m_itemIndex = -1;
    int m_anchor = -1;
    int m_topIndex = 0;
    int m_itemHeight = 16;
    bool m_multiSelect = false;
    TColor m_color = 0xFF000005;      // clWindow
    TColor m_fontColor = 0xFF000008;  // clWindowText
    FontDesc m_font;
    TBorderStyle m_borderStyle = bsSingle;
    std::unique_ptr<DrawingDevice> m_canvas;
    bool m_canvasIsImage = true;
    QScrollBar* m_vBar = nullptr;
    bool m_updatingBar = false;
    bool m_fakeFocus = false;
    bool m_dragArmed = false;
    bool m_dragging = false;
    bool m_dropAccepted = false;
    Point m_dragOrigin;
};

}  // namespace platform
