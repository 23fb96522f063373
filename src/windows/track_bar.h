#pragma once
// A slider with a selection range (SelStart..SelEnd) drawn as a band on its
// groove, under the handle; an empty range draws nothing.
#include <QRect>
#include <QSlider>

class TTrackBar : public QSlider {
public:
    explicit TTrackBar(Qt::Orientation Orientation, QWidget* Parent = nullptr);

    int SelStart() const { return m_selStart; }
    int SelEnd() const { return m_selEnd; }
    void SetSelStart(int Value);
    void SetSelEnd(int Value);
    void SetSelection(int Start, int End);
    // The band on the groove in widget pixels; empty for an empty range.
    QRect SelectionRect() const;
    // The band's colour.
    static QColor SelectionColor();

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    int m_selStart = 0;
    int m_selEnd = 0;
};
