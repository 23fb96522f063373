#pragma once
// A filter's editor on a widget: each property becomes a labelled row of the
// widget's form layout (created when the widget has no layout).
#include <memory>

#include "chart/plot_picture.h"

class QFormLayout;
class QWidget;

class TFilterEditorForm : public IFilterEditor {
public:
    // Adds nothing when Parent is null or has a layout other than a form.
    explicit TFilterEditorForm(QWidget* Parent);

    // Adds the filter's controls, bound to it: once the filter is destroyed
    // they write nothing more (and turn disabled when used).
    void Edit(TPlotFilter& Filter);

    void AddInteger(const std::string& Caption, int& Field) override;
    void AddBoolean(const std::string& Caption, bool& Field) override;
    void AddFloat(const std::string& Caption, double& Field) override;
    // A button that picks the colour in the colour dialog.
    void AddColor(const std::string& Caption, TColor& Field) override;

    // The control of the first property, or nullptr.
    QWidget* FirstControl() const { return m_first; }

private:
    void Added(QWidget* control);
    QWidget* m_parent = nullptr;
    QFormLayout* m_form = nullptr;
    QWidget* m_first = nullptr;
    // The filter being edited; an empty token (no filter bound) never expires.
    std::weak_ptr<const void> m_filter;
    bool m_bound = false;
};
