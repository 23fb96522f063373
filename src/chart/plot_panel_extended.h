#pragma once
// The chart panel with interactive zoom and panning settings, a back image and
// a back gradient; paints the panel background (shadow, fill, image, bevels).
#include <memory>
#include <optional>

#include "chart/back_image.h"
#include "chart/plot_gradient.h"
#include "chart/plot_panel.h"
#include "chart/zoom_panning.h"

enum TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };
inline constexpr const char* PanningModeNames[] = {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"};

class TCustomPlotPanelExtended : public TCustomPlotPanel {
public:
    explicit TCustomPlotPanelExtended(QWidget* Parent = nullptr);
    ~TCustomPlotPanelExtended() override;

    static const TPropertyTable<TCustomPlotPanel>& Properties();
    const TPropertyTable<TCustomPlotPanel>& PropertyTable() const override { return Properties(); }

    TPanningMode AllowPanning() const { return m_allowPanning; }
    void SetAllowPanning(TPanningMode Value) { m_allowPanning = Value; }
    // Created on first read, with the panel's repaint as change handler.
    TPlotGradient* Gradient();
    TPlotGradient* GradientIfAny() const { return m_gradient.get(); }
    // Copies into the own gradient; nullptr frees it.
    void SetGradient(const TPlotGradient* Value);
    TPlotZoom* Zoom() const { return m_zoom.get(); }
    void SetZoom(const TPlotZoom* Value);
    bool Zoomed = false;
    // Created on first read, with the panel's repaint as change handler.
    TBackImage* BackImage();
    TBackImage* BackImageIfAny() const { return m_backImage.get(); }
    // Copies into the own image; nullptr frees it and repaints.
    void SetBackImage(const TBackImage* Value);

    // Proxies of the back image.
    bool BackImageInside() const { return m_backImage && m_backImage->Inside(); }
    void SetBackImageInside(bool Value) { BackImage()->SetInside(Value); }
    TPlotBackImageMode BackImageMode() { return BackImage()->Mode(); }
    void SetBackImageMode(TPlotBackImageMode Value) { BackImage()->SetMode(Value); }
    // The back image graphic's transparency: False, and not set, without an image that has a graphic.
    bool BackImageTransp() const;
    void SetBackImageTransp(bool Value);

    std::function<void(TCustomPlotPanelExtended&)> OnScroll;
    std::function<void(TCustomPlotPanelExtended&)> OnUndoZoom;
    std::function<void(TCustomPlotPanelExtended&)> OnZoom;

    // A back image with a graphic exists.
    bool HasBackImage() const { return m_backImage && m_backImage->HasGraphic(); }
    void DrawBackImage(const TRect& R, int Z);
    // Fires OnUndoZoom, repaints, Zoomed := False.
    virtual void UndoZoom();
    // The drag rectangle of Zoom in not-xor: drawn twice it leaves the picture as it was.
    void DrawZoomRectangle();

    // Shadow, back fill, back image (unless inside) and bevels within R.
    virtual void PanelPaint(const TRect& R);
    // The gradient, or the panel colour, within R.
    virtual void FillPanelBack(const TRect& R);
    // Fills R in Colour (rounded by Round); nothing for clNone or when printing
    // without the panel background.
    void FillPanelRect(const TRect& R, TColor Colour, int Round);

    // BackImage, Gradient, AllowPanning and Zoom of another extended panel, then the panel's.
    void Assign(const TCustomPlotPanel& Source) override;

protected:
    // Applies a transparency read before the back image's graphic.
    void Loaded() override;

private:
    // The colour around the panel: its parent window's, else its own.
    TColor ParentColor() const;

    // BackImageTransp read while loading, before the graphic was there.
    std::optional<bool> m_loadedBackImageTransp;

    TPanningMode m_allowPanning = pmBoth;
    std::unique_ptr<TPlotGradient> m_gradient;
    std::unique_ptr<TPlotZoom> m_zoom;
    std::unique_ptr<TBackImage> m_backImage;
};
