#include "chart/filter_editor_form.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QWidget>

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

namespace {

// A spin box from 0 to 10000 that writes its value into Field.
template <typename Box, typename T>
QWidget* AddSpinBox(QFormLayout* form, QWidget* parent, const std::string& caption, T& field)
{
    auto* box = new Box(parent);
    box->setRange(0, 10000);
    box->setValue(field);
    QObject::connect(box, &Box::valueChanged, box, [&field](T v) { field = v; });
    form->addRow(QString::fromStdString(caption), box);
    return box;
}

}  // namespace

void TFilterEditorForm::AddInteger(const std::string& Caption, int& Field)
{
    if (m_form)
        Added(AddSpinBox<QSpinBox>(m_form, m_parent, Caption, Field));
}

void TFilterEditorForm::AddBoolean(const std::string& Caption, bool& Field)
{
    if (!m_form)
        return;
    auto* box = new QCheckBox(QString::fromStdString(Caption), m_parent);
    box->setChecked(Field);
    QObject::connect(box, &QCheckBox::toggled, box, [&Field](bool v) { Field = v; });
    m_form->addRow(box);
    Added(box);
}

void TFilterEditorForm::AddFloat(const std::string& Caption, double& Field)
{
    if (m_form)
        Added(AddSpinBox<QDoubleSpinBox>(m_form, m_parent, Caption, Field));
}
