#include "chart/plot_font.h"

#include <cstdlib>

#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_gradient.h"
#include "chart/plot_picture.h"
#include "chart/plot_shadow.h"

std::string DefaultFontName;
int DefaultFontSize = 0;

void InitDefaultFont()
{
    DefaultFontSize = std::atoi(PlotMsgDefaultFontSize.c_str());
    DefaultFontName = PlotMsgDefaultFontName;
}

TPlotFont::TPlotFont(std::function<void()> onChange)
{
    InitColor(clBlack);
    SetCharset(1);
    SetName(DefaultFontName);
    if (Size() != DefaultFontSize)
        SetSize(DefaultFontSize);
    OnChange = std::move(onChange);
}

TPlotFont::~TPlotFont()
{
    while (!m_currentIn.empty())
        m_currentIn.back()->ForgetFont(this);
}

void TPlotFont::SetInterCharSize(int value) { SetValue(m_interCharSize, value); }

TPlotShadow* TPlotFont::Shadow()
{
    if (!m_shadow)
        m_shadow = std::make_unique<TPlotShadow>([this] { Changed(); });
    return m_shadow.get();
}

TChartHiddenPen* TPlotFont::OutLine()
{
    if (!m_outLine)
        m_outLine = std::make_unique<TChartHiddenPen>([this] { Changed(); });
    return m_outLine.get();
}

TPlotPicture* TPlotFont::Picture()
{
    if (!m_picture) {
        m_picture = std::make_unique<TPlotPicture>();
        m_picture->OnChange = [this] { Changed(); };
    }
    return m_picture.get();
}

TPlotFontGradient* TPlotFont::Gradient()
{
    if (!m_gradient)
        m_gradient = std::make_unique<TPlotFontGradient>([this] { Changed(); });
    return m_gradient.get();
}

void TPlotFont::Assign(const TFont& source)
{
    if (auto* font = dynamic_cast<const TPlotFont*>(&source); font && font != this) {
        if (font->m_gradient)
            Gradient()->Assign(*font->m_gradient);
        else
            m_gradient.reset();
        m_interCharSize = font->m_interCharSize;
        if (font->m_outLine)
            OutLine()->Assign(*font->m_outLine);
        else
            m_outLine.reset();
        if (font->m_shadow)
            Shadow()->Assign(font->m_shadow.get());
        else
            m_shadow.reset();
        if (font->m_picture)
            Picture()->Assign(font->m_picture.get());
        else
            m_picture.reset();
    }
    TFont::Assign(source);
}
