#include "chart/chart_pen.h"

TChartPen::TChartPen(std::function<void()> onChange)
{
    OnChange = std::move(onChange);
}

void TChartPen::SetEndStyle(TPenEndStyle value) { SetValue(m_endStyle, value); }
void TChartPen::SetSmallDots(bool value) { SetValue(m_smallDots, value); }
void TChartPen::SetSmallSpace(int value) { SetValue(m_smallSpace, value); }
void TChartPen::SetVisible(bool value) { SetValue(m_visible, value); }

void TChartPen::Assign(const TPen& source)
{
    bool changed = false;
    if (auto* pen = dynamic_cast<const TChartPen*>(&source)) {
        changed = m_visible != pen->m_visible || m_smallDots != pen->m_smallDots
            || m_smallSpace != pen->m_smallSpace || m_endStyle != pen->m_endStyle;
        m_visible = pen->m_visible;
        m_smallDots = pen->m_smallDots;
        m_smallSpace = pen->m_smallSpace;
        m_endStyle = pen->m_endStyle;
    }
    if (!changed) {
        TPen::Assign(source);
        return;
    }
    // one notification, also when only the chart values differ
    auto notify = std::move(OnChange);
    OnChange = nullptr;
    TPen::Assign(source);
    OnChange = std::move(notify);
    Changed();
}

TChartHiddenPen::TChartHiddenPen(std::function<void()> onChange) : TChartPen(std::move(onChange))
{
    auto notify = std::move(OnChange);
    InitVisible(false);
    OnChange = std::move(notify);
}

TDottedGrayPen::TDottedGrayPen(std::function<void()> onChange) : TChartPen()
{
    InitColor(clGray);
    InitStyle(psDot);
    OnChange = std::move(onChange);
}

TDarkGrayPen::TDarkGrayPen(std::function<void()> onChange) : TChartPen()
{
    InitColor(clGray);
    OnChange = std::move(onChange);
}

TWhitePen::TWhitePen(std::function<void()> onChange) : TChartPen()
{
    InitColor(clWhite);
    OnChange = std::move(onChange);
}

TChartBrush::TChartBrush(std::function<void()> onChange)
{
    InitColor(clDefault);
    OnChange = std::move(onChange);
}

TChartBrush::~TChartBrush() = default;

void TChartBrush::SetBackColor(TColor value) { SetValue(m_backColor, value); }

TPicture* TChartBrush::Image()
{
    if (!m_image) {
        m_image = std::make_unique<TPicture>();
        m_image->OnChange = [this] { Changed(); };
    }
    return m_image.get();
}

void TChartBrush::SetImage(const TPicture* value)
{
    if (value) {
        TPicture* own = Image();
        // the picture's own notification is held back: one change for the brush
        auto notify = std::move(own->OnChange);
        own->OnChange = nullptr;
        own->Assign(value);
        own->OnChange = std::move(notify);
    } else {
        m_image.reset();
    }
    Changed();
}

void TChartBrush::Assign(const TBrush& source)
{
    if (auto* brush = dynamic_cast<const TChartBrush*>(&source)) {
        if (brush != this) {
            SetImage(brush->m_image.get());
            m_backColor = brush->m_backColor;
        }
    }
    TBrush::Assign(source);
}
