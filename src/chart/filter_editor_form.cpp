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

void TFilterEditorForm::AddInteger(const std::string& Caption, int& Field)
{
    if (!m_form)
        return;
    auto* box = new QSpinBox(m_parent);
    box->setRange(0, 10000);
    box->setValue(Field);
    QObject::connect(box, &QSpinBox::valueChanged, box, [&Field](int v) { Field = v; });
    m_form->addRow(QString::fromStdString(Caption), box);
    Added(box);
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
    if (!m_form)
        return;
    auto* box = new QDoubleSpinBox(m_parent);
    box->setRange(0, 10000);
    box->setValue(Field);
    QObject::connect(box, &QDoubleSpinBox::valueChanged, box, [&Field](double v) { Field = v; });
    m_form->addRow(QString::fromStdString(Caption), box);
    Added(box);
}
