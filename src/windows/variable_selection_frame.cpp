#include "windows/variable_selection_frame.h"

#include "base/name_matching.h"
#include "platform/event_guard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* NewPanel(QWidget* parent, const char* name)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* Arrow(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(QStringLiteral(">"), parent);
    button->setObjectName(QString::fromLatin1(name));
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus); // a click leaves the focus where it was
    return button;
}

QListWidget* NameList(QWidget* parent, const char* name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

bool HasSelection(const QListWidget* list)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            return true;
    return false;
}

QString Trimmed(const QString& name)
{
    return QString::fromStdString(TrimControl(name.toStdString()));
}

} // namespace

TFrame1::TFrame1(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("TFVarList"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    QWidget* top = NewPanel(this, "Panel_Top");
    top->setFixedHeight(17);
    QWidget* main = NewPanel(this, "Panel_Main");
    QWidget* bottom = NewPanel(this, "Panel_Bottom");
    bottom->setFixedHeight(16);
    outer->addWidget(top);
    outer->addWidget(main, 1);
    outer->addWidget(bottom);

    auto* mainLayout = new QHBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    QWidget* left = NewPanel(main, "Panel_L");
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    Label3 = Caption(left, "Label3", QStringLiteral("Variables:"));
    lb_Variables = NameList(left, "lb_Variables");
    leftLayout->addWidget(Label3);
    leftLayout->addWidget(lb_Variables, 1);

    QWidget* centre = NewPanel(main, "Panel_C");
    auto* centreLayout = new QHBoxLayout(centre);
    centreLayout->setContentsMargins(0, 0, 0, 0);
    QWidget* arrows = NewPanel(centre, "Panel4");
    arrows->setFixedWidth(57);
    auto* arrowLayout = new QVBoxLayout(arrows);
    sb_grouping = Arrow(arrows, "sb_grouping");
    sb_SelecVar = Arrow(arrows, "sb_SelecVar");
    arrowLayout->addSpacing(16);
    arrowLayout->addWidget(sb_grouping);
    arrowLayout->addSpacing(40);
    arrowLayout->addWidget(sb_SelecVar);
    arrowLayout->addStretch(1);

    QWidget* right = NewPanel(centre, "Panel_R");
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    QWidget* byPanel = NewPanel(right, "Panel1");
    auto* byLayout = new QVBoxLayout(byPanel);
    byLayout->setContentsMargins(0, 0, 0, 0);
    byLayout->addWidget(Caption(byPanel, "Label1", QStringLiteral("Sampling by:")));
    e_ByVar = new QLineEdit(byPanel);
    e_ByVar->setObjectName(QStringLiteral("e_ByVar"));
    e_ByVar->setReadOnly(true);
    byLayout->addWidget(e_ByVar);
    QWidget* selPanel = NewPanel(right, "Panel2");
    auto* selLayout = new QVBoxLayout(selPanel);
    selLayout->setContentsMargins(0, 0, 0, 0);
    selLayout->addWidget(Caption(selPanel, "Label2", QStringLiteral("Variables to observe:")));
    lb_selection = NameList(selPanel, "lb_selection");
    selLayout->addWidget(lb_selection, 1);
    rightLayout->addWidget(byPanel);
    rightLayout->addWidget(selPanel, 1);
    centreLayout->addWidget(arrows);
    centreLayout->addWidget(right, 1);

    mainLayout->addWidget(left, 1);
    mainLayout->addWidget(centre, 1);

    for (QWidget* w : {static_cast<QWidget*>(lb_Variables), static_cast<QWidget*>(lb_selection),
                       static_cast<QWidget*>(e_ByVar)})
        w->installEventFilter(this);
    connect(sb_grouping, &QPushButton::clicked, this, [this] {
        platform::GuardEvent([this] {
            sb_groupingClick();
            if (OnGroupingClick)
                OnGroupingClick();
        });
    });
    connect(sb_SelecVar, &QPushButton::clicked, this, [this] {
        platform::GuardEvent([this] {
            sb_SelecVarClick();
            if (OnSelecVarClick)
                OnSelecVarClick();
        });
    });
}

void TFrame1::Init(const QStringList& GroupCandidates, const QStringList& OtherVars, bool GroupingAllowed)
{
    FGroupCandidates = GroupCandidates;
    FOtherVars = OtherVars;
    FGroupingAllowed = GroupingAllowed;
    lb_Variables->clear();
    for (const QString& name : FGroupCandidates)
        AddSorted(Trimmed(name));
    for (const QString& name : FOtherVars)
        AddSorted(Trimmed(name));
    m_groupingTag = 1;
    m_selecVarTag = 1;
}

void TFrame1::FreeLists()
{
    FGroupCandidates.clear();
    FOtherVars.clear();
}

int TFrame1::SelectedCount() const
{
    return (e_ByVar->text().isEmpty() ? 0 : 1) + lb_selection->count();
}

bool TFrame1::IsGroupingCandidate(const QString& Name) const
{
    return FGroupCandidates.contains(Name, Qt::CaseSensitive);
}

QStringList TFrame1::SelectionNames() const
{
    QStringList names;
    for (int i = 0; i < lb_selection->count(); ++i)
        names.append(lb_selection->item(i)->text());
    return names;
}

void TFrame1::lb_VariablesEnter()
{
    sb_SelecVar->setText(QStringLiteral(">"));
    m_selecVarTag = 1;
    m_groupingTag = 1;
    sb_grouping->setText(QStringLiteral(">"));
    if (lb_Variables->count() > 0) {
        sb_grouping->setEnabled(false);
        if (e_ByVar->isEnabled() && e_ByVar->text().isEmpty())
            sb_grouping->setEnabled(true);
    }
}

void TFrame1::lb_selectionEnter()
{
    if (lb_selection->count() > 0) {
        sb_SelecVar->setText(QStringLiteral("<"));
        m_selecVarTag = -1;
    }
}

void TFrame1::e_ByVarEnter()
{
    sb_grouping->setEnabled(false);
    if (e_ByVar->isEnabled() && !e_ByVar->text().isEmpty()) {
        e_ByVar->selectAll();
        sb_grouping->setText(QStringLiteral("<"));
        sb_grouping->setEnabled(true);
        m_groupingTag = -1;
    }
}

void TFrame1::sb_groupingClick()
{
    if (m_groupingTag == 1) {
        const QList<QListWidgetItem*> selected = lb_Variables->selectedItems();
        if (selected.size() != 1 || !e_ByVar->text().isEmpty())
            return;
        const QString name = selected.front()->text();
        if (!IsGroupingCandidate(name))
            return;
        e_ByVar->setText(name);
        delete lb_Variables->takeItem(lb_Variables->row(selected.front()));
        e_ByVar->selectAll();
        TakeFocus(e_ByVar);
    } else if (m_groupingTag == -1) {
        if (!e_ByVar->text().isEmpty())
            AddSorted(e_ByVar->text());
        e_ByVar->clear();
        TakeFocus(lb_Variables);
    }
}

void TFrame1::sb_SelecVarClick()
{
    if (m_selecVarTag == 1) {
        if (!HasSelection(lb_Variables))
            return;
        for (int i = 0; i < lb_Variables->count();) {
            if (lb_Variables->item(i)->isSelected())
                lb_selection->addItem(lb_Variables->takeItem(i)); // the list takes the item over
            else
                ++i;
        }
        TakeFocus(lb_selection);
    } else if (m_selecVarTag == -1) {
        if (!HasSelection(lb_selection))
            return;
        for (int i = 0; i < lb_selection->count();) {
            if (lb_selection->item(i)->isSelected()) {
                QListWidgetItem* item = lb_selection->takeItem(i);
                AddSorted(item->text());
                delete item;
            } else {
                ++i;
            }
        }
        TakeFocus(lb_Variables);
    }
}

void TFrame1::SetGrouping(bool Value)
{
    FGroupingAllowed = Value;
    if (!Value && !e_ByVar->text().isEmpty()) {
        TakeFocus(e_ByVar);
        m_groupingTag = -1;
        sb_groupingClick();
    }
    e_ByVar->setEnabled(Value);
    sb_grouping->setEnabled(Value);
}

bool TFrame1::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QWidget*>(watched);
    if (control && event->type() == QEvent::FocusIn)
        platform::GuardEvent([this, control] { EnterControl(control); });
    else if (control && event->type() == QEvent::FocusOut && m_entered == control)
        m_entered = nullptr;
    return QFrame::eventFilter(watched, event);
}

void TFrame1::TakeFocus(QWidget* control)
{
    control->setFocus();
    EnterControl(control);
}

void TFrame1::EnterControl(QWidget* control)
{
    if (m_entered == control)
        return;
    m_entered = control;
    if (control == lb_Variables)
        lb_VariablesEnter();
    else if (control == lb_selection)
        lb_selectionEnter();
    else if (control == e_ByVar)
        e_ByVarEnter();
}

void TFrame1::AddSorted(const QString& name)
{
    // the list keeps its names in order, letters compared without case
    const std::string key = LowerAscii(name.toStdString());
    int at = 0;
    while (at < lb_Variables->count() && LowerAscii(lb_Variables->item(at)->text().toStdString()) <= key)
        ++at;
    lb_Variables->insertItem(at, name);
}
