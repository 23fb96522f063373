#pragma once
// Base of the instrument widgets: the whole picture is composed on an
// off-screen drawing device the size of the control and copied to the screen
// in one step. Instruments draw only through the device, so a test may put a
// recording device in place of the image.
#include <QWidget>
#include <cstdint>
#include <memory>

#include "platform/drawing_device.h"

class QMouseEvent;

// The keys and buttons held in a mouse event, as the TShiftState bits.
std::uint8_t ShiftStateOf(const QMouseEvent& event);

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

protected:
    // Draws the whole picture on the device; the device has the control's size.
    virtual void Compose(platform::DrawingDevice& dc) = 0;
    // Whether Compose may run now (the instrument's own guards).
    virtual bool CanPaint() const;
    // Called by Loaded after the guard is cleared.
    virtual void AfterLoaded() {}
    // Called after the size changed.
    virtual void Resized() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ComposeNow();
    void CheckSize();
    void FillFromParent();

    std::unique_ptr<platform::DrawingDevice> m_buffer;
    bool m_visible = true;
    bool m_loading = false;
    bool m_holdPaint = false;
    bool m_parentBackground = false;
    bool m_dirty = true;
    QSize m_lastSize;
};
