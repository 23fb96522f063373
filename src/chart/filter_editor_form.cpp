#include "chart/filter_editor_form.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

#include "chart/drawing_utils.h"

TFilterEditorForm::TFilterEditorForm(QWidget* Parent) : m_parent(Parent)
{
    if (!Parent)
        return;
    if (auto* form = qobject_cast<QFormLayout*>(Parent->layout()))
        m_form = form;
    else if (!Parent->layout())
        m_form = new QFormLayout(Parent);
}

void TFilterEditorForm::Added(QWidget* control)
{
    if (!m_first)
        m_first = control;
}

void TFilterEditorForm::Edit(TPlotFilter& Filter)
{
    m_filter = Filter.Lifetime();
    m_bound = true;
    Filter.CreateEditor(*this);
    m_bound = false;
    m_filter.reset();
}

namespace {

// Writes a control's value into the field while the filter it belongs to
// lives; a control whose filter is gone turns disabled instead.
struct TFieldWriter {
    std::weak_ptr<const void> Filter;
    bool Bound;

    template <typename T, typename V>
    void operator()(QWidget* control, T& field, V value) const
    {
        if (Bound && Filter.expired()) {
            control->setEnabled(false);
            return;
        }
        field = value;
    }
};

// A spin box from 0 to 10000 that writes its value into Field.
template <typename Box, typename T>
QWidget* AddSpinBox(QFormLayout* form, QWidget* parent, const std::string& caption, T& field, TFieldWriter write)
{
    auto* box = new Box(parent);
    box->setRange(0, 10000);
    box->setValue(field);
    QObject::connect(box, &Box::valueChanged, box, [box, &field, write](T v) { write(box, field, v); });
    form->addRow(QString::fromStdString(caption), box);
    return box;
}

}  // namespace

void TFilterEditorForm::AddInteger(const std::string& Caption, int& Field)
{
    if (m_form)
        Added(AddSpinBox<QSpinBox>(m_form, m_parent, Caption, Field, TFieldWriter{m_filter, m_bound}));
}

void TFilterEditorForm::AddBoolean(const std::string& Caption, bool& Field)
{
    if (!m_form)
        return;
    auto* box = new QCheckBox(QString::fromStdString(Caption), m_parent);
    box->setChecked(Field);
    QObject::connect(box, &QCheckBox::toggled, box,
                     [box, &Field, write = TFieldWriter{m_filter, m_bound}](bool v) { write(box, Field, v); });
    m_form->addRow(box);
    Added(box);
}

void TFilterEditorForm::AddFloat(const std::string& Caption, double& Field)
{
    if (m_form)
        Added(AddSpinBox<QDoubleSpinBox>(m_form, m_parent, Caption, Field, TFieldWriter{m_filter, m_bound}));
}

void TFilterEditorForm::AddColor(const std::string& Caption, TColor& Field)
{
    if (!m_form)
        return;
    auto* button = new QPushButton(QString::fromStdString(Caption), m_parent);
    QObject::connect(button, &QPushButton::clicked, button,
                     [button, &Field, write = TFieldWriter{m_filter, m_bound}] {
                         if (write.Bound && write.Filter.expired()) {
                             button->setEnabled(false);
                             return;
                         }
                         TColor picked = Field;
                         if (EditColor(button, picked))
                             write(button, Field, picked);
                     });
    m_form->addRow(button);
    Added(button);
}
