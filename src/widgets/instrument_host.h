#pragma once
// Base of the instrument widgets: the whole picture is composed on an
// off-screen drawing device the size of the control and copied to the screen
// in one step. Instruments draw only through the device, so a test may put a
// recording device in place of the image.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "base/shift_state.h"
#include "platform/drawing_device.h"

// dmAutomatic: a left press starts dragging the control.
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragKind : std::uint8_t { dkDrag, dkDock };
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

class TInstrumentHost : public QWidget {
public:
    explicit TInstrumentHost(QWidget* parent = nullptr);
    ~TInstrumentHost() override;

    // The off-screen device (an image device unless replaced).
    platform::DrawingDevice& Buffer() { return *m_buffer; }
    const platform::DrawingDevice& Buffer() const { return *m_buffer; }
    // Takes over the device.
    void SetBuffer(std::unique_ptr<platform::DrawingDevice> device);

    int Width() const { return width(); }
    int Height() const { return height(); }
    // Moves and sizes the control; a new size reaches Resized at once, also
    // for a control that is not shown.
    void SetBounds(int left, int top, int width, int height);

    // The instrument's own visible flag: an invisible instrument draws nothing,
    // whether or not its widget is shown (an embedded one never is).
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);

    // Set while a form sets the values it stores; Loaded clears it.
    bool Loading() const { return m_loading; }
    void BeginLoading() { m_loading = true; }
    void Loaded();

    // While held, painting is skipped.
    bool HoldPaint() const { return m_holdPaint; }
    void SetHoldPaint(bool v);
    // One paint with the hold lifted.
    void ForcePaint();

    // Composes the picture now (when painting is allowed) and repaints.
    void PaintNow();
    // Asks for a paint later (a transparent control whose parent shows through).
    void Invalidate();

    // A transparent control starts each picture from its parent's background.
    bool ParentBackground() const { return m_parentBackground; }
    void SetParentBackground(bool v) { m_parentBackground = v; }

    // ---- dragging onto another instrument of the same window ----
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode v) { m_dragMode = v; }
    TDragKind DragKind() const { return m_dragKind; }
    void SetDragKind(TDragKind v) { m_dragKind = v; }
    // Cursor number kept for the form (crDrag); a drag shows the drag cursor.
    int DragCursor() const { return m_dragCursor; }
    void SetDragCursor(int v) { m_dragCursor = v; }
    // Starts a drag of this control; it ends with the release of the button.
    void BeginDrag();
    bool Dragging() const { return m_dragging; }

    // ---- the control's standard events, fired from the window's input ----
    // A left press and release on the control.
    std::function<void(TInstrumentHost* sender)> OnClick;
    // Then the double click's press reaches OnMouseDown with ssDouble.
    std::function<void(TInstrumentHost* sender)> OnDblClick;
    std::function<void(TInstrumentHost* sender, TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(TInstrumentHost* sender, TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
    std::function<void(TInstrumentHost* sender, TShiftState shift, int x, int y)> OnMouseMove;
    // The wheel at (x, y) of the control, 120 a notch, negative towards the
    // user; a handler that sets handled keeps it from OnMouseWheelDown/Up and
    // from the parent.
    std::function<void(TInstrumentHost* sender, TShiftState shift, int wheelDelta, int x, int y, bool& handled)>
        OnMouseWheel;
    std::function<void(TInstrumentHost* sender, TShiftState shift, int x, int y, bool& handled)> OnMouseWheelDown;
    std::function<void(TInstrumentHost* sender, TShiftState shift, int x, int y, bool& handled)> OnMouseWheelUp;
    // Virtual key codes; a handler that sets key to 0 swallows the key.
    std::function<void(TInstrumentHost* sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(TInstrumentHost* sender, int& key, TShiftState shift)> OnKeyUp;
    // The character typed.
    std::function<void(TInstrumentHost* sender, char& key)> OnKeyPress;
    // After every change of size.
    std::function<void(TInstrumentHost* sender)> OnResize;
    // The context menu asked for at (x, y); handled stops it there.
    std::function<void(TInstrumentHost* sender, int x, int y, bool& handled)> OnContextPopup;
    std::function<void(TInstrumentHost* sender)> OnStartDrag;
    // sender is the control under the mouse, source the one dragged; accept
    // starts true.
    std::function<void(TInstrumentHost* sender, TInstrumentHost* source, int x, int y, TDragState state, bool& accept)>
        OnDragOver;
    std::function<void(TInstrumentHost* sender, TInstrumentHost* source, int x, int y)> OnDragDrop;
    // target: the control that took the drop, nullptr when none did.
    std::function<void(TInstrumentHost* sender, TInstrumentHost* target, int x, int y)> OnEndDrag;

protected:
    // The window's mouse input ends here; each fires its On... event.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    // Draws the whole picture on the device; the device has the control's size.
    virtual void Compose(platform::DrawingDevice& dc) = 0;
    // Whether Compose may run now (the instrument's own guards).
    virtual bool CanPaint() const;
    // Called by Loaded after the guard is cleared.
    virtual void AfterLoaded() {}
    // Called after the size changed.
    virtual void Resized() {}
    // Called after every SetBounds, also one that kept the size.
    virtual void BoundsSet() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ComposeNow();
    void CheckSize();
    void FillFromParent();
    // The drag over the instrument at the global point; true when it takes it.
    void DragTo(const QPoint& global);
    void EndDrag(const QPoint& global);
    bool DragOver(TInstrumentHost* source, const QPoint& global, TDragState state);

    std::unique_ptr<platform::DrawingDevice> m_buffer;
    bool m_visible = true;
    // SetVisible(false) hid the widget
    bool m_hiddenByVisible = false;
    bool m_loading = false;
    bool m_holdPaint = false;
    bool m_parentBackground = false;
    bool m_dirty = true;
    QSize m_lastSize;
    // A left press waits for its release to make a click.
    bool m_clickPending = false;
    TDragMode m_dragMode = dmManual;
    TDragKind m_dragKind = dkDrag;
    int m_dragCursor = -12;
    bool m_dragging = false;
    bool m_dragAccepted = false;
    QPointer<TInstrumentHost> m_dragTarget;
};
