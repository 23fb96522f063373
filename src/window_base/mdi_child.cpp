#include "window_base/mdi_child.h"

#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "window_base/mdi_parent.h"
#include "window_base/save_dialog.h"
#include "window_base/study_node.h"

#include <QCloseEvent>
#include <QLabel>
#include <QCheckBox>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <stdexcept>

namespace {
bool g_askOnClose = true;
}

bool GlobalAskOnClose()
{
    return g_askOnClose;
}

void SetGlobalAskOnClose(bool value)
{
    g_askOnClose = value;
}

TFMDIChild::TFMDIChild(TFMDIParent* Owner)
    : QMdiSubWindow(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose);
    TFMDIChild::FormCreate();
    m_parentForm = Owner;
    if (Owner)
        Owner->MDIArea()->addSubWindow(this);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive))
                    platform::GuardEvent([this] { FormActivate(); });
            });
}

TFMDIChild::~TFMDIChild() = default;

void TFMDIChild::FormCreate()
{
    m_defaultFileName.clear();
    SetFileSettings(QString(), QString(), QString());
    m_registered = false;
    m_parentForm = nullptr;
    m_dataTree = nullptr;
    m_ownerWindow = nullptr;
    m_treeNode = nullptr;
    m_propertyEditor = nullptr;
    m_keys = nullptr;
    m_values = nullptr;
    m_kind = ChildKindPassive;
    FAskOnClose = true;
    FModified = false;
    FFreeNodeOnClose = true;
    m_tag = 0;
}

bool TFMDIChild::SaveToFile()
{
    throw std::logic_error("Abstract Error");
}

void TFMDIChild::AssignParentForm(TFMDIParent* Parent)
{
    m_parentForm = Parent;
}

void TFMDIChild::SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name)
{
    m_dataSource = std::move(Source);
    m_dataName = Name;
}

void TFMDIChild::ShowProperties()
{
    QTableWidget* editor = m_propertyEditor.data();
    if (!m_dataTree || TreeNodeCount(m_dataTree) <= 1 || !editor)
        return;
    editor->setRowCount(0);
    if (!m_keys || !m_values)
        return;
    if (editor->columnCount() < 2)
        editor->setColumnCount(2);
    for (qsizetype i = 0; i < m_keys->size(); ++i) {
        const int row = editor->rowCount();
        editor->insertRow(row);
        editor->setItem(row, 0, new QTableWidgetItem(m_keys->at(i)));
        editor->setItem(row, 1, new QTableWidgetItem(m_values->value(i)));
    }
}

void TFMDIChild::SetPropertyLists(const QStringList* Keys, const QStringList* Values)
{
    m_keys = Keys;
    m_values = Values;
}

void TFMDIChild::SetFileSettings(const QString& FileName, const QString& DefaultExt,
                                 const QString& Filter)
{
    FFileName = FileName;
    FDefaultExt = DefaultExt;
    FFilter = Filter;
}

bool TFMDIChild::SaveFile()
{
    platform::FileDialogRequest request;
    request.defaultExt = FDefaultExt;
    request.fileName = FFileName.isEmpty() ? m_defaultFileName : FFileName;
    request.filter = FFilter;
    const auto chosen = platform::CurrentDialogs().SaveFile(this, request);
    if (!chosen)
        return false;
    SetFileSettings(*chosen, FDefaultExt, FFilter);
    FModified = false;
    return true;
}

void TFMDIChild::SetTreeLinks(QTreeWidget* Tree, QTreeWidgetItem* Node)
{
    m_dataTree = Tree;
    m_treeNode = Node;
}

QTreeWidgetItem* TFMDIChild::TreeNode() const
{
    if (!m_treeNode || !TreeHoldsNode(m_dataTree, m_treeNode))
        return nullptr;
    return m_treeNode;
}

void TFMDIChild::FormActivate()
{
    if (m_dataTree) {
        if (QTreeWidgetItem* node = TreeNode())
            m_dataTree->setCurrentItem(node);
        if (m_kind == ChildKindActiveData) {
            m_registered = true;
            if (TFMDIParent* parent = ParentForm())
                parent->ActiveData_Set(this);
        }
    }
    ShowProperties();
}

void TFMDIChild::FormClose(TCloseAction& Action)
{
    if (Action == caNone)
        return;
    QTreeWidget* tree = m_dataTree.data();
    if (QTreeWidgetItem* node = TreeNode()) {
        QTreeWidgetItem* former = node->parent();
        // child nodes move up to this node's parent, in order
        const QList<QTreeWidgetItem*> children = node->takeChildren();
        if (former)
            former->addChildren(children);
        else
            tree->addTopLevelItems(children);
        delete node;
        m_treeNode = nullptr;
        // Only a folder is emptied or removed; a window's own node stays.
        if (FFreeNodeOnClose && former && TreeNodeCount(tree) > 1 && IsFolderNode(former)) {
            if (former->childCount() > 0)
                SetNodeData(former, nullptr);
            else
                delete former;
        }
    }
    if (m_registered) {
        if (TFMDIParent* parent = ParentForm())
            parent->ActiveData_DelNotify(this);
    }
    Action = caFree;
}

void TFMDIChild::FormCloseQuery(bool& CanClose)
{
    if (!GlobalAskOnClose())
        FAskOnClose = false;
    if (!(FAskOnClose && FModified)) {
        CanClose = true;
        return;
    }
    CanClose = AskToSave(QStringLiteral("has been modified. Save before close?"));
    FAskOnClose = FModified && !CanClose;
}

bool TFMDIChild::AskBeforeClosing(QList<QPointer<TFMDIChild>>& Agreed)
{
    if (Agreed.contains(this))
        return true;
    if (GlobalAskOnClose() && FAskOnClose && FModified &&
        !AskToSave(QStringLiteral("has been modified. Save before close?")))
        return false;
    Agreed.append(this);
    return true;
}

bool TFMDIChild::AskToSave(const QString& Question, const QString& SaveCaption)
{
    TFSaveDlg dialog(ParentForm() ? static_cast<QWidget*>(ParentForm()) : this);
    if (!SaveCaption.isEmpty())
        dialog.SaveButton()->setText(SaveCaption);
    const QString name = FFileName.isEmpty() ? windowTitle() : FFileName;
    dialog.MessageLabel()->setText(platform::ScreenText(name + QStringLiteral("\r") + Question));
    const int answer = dialog.Execute();
    if (dialog.DontAskAgain()->isChecked())
        SetGlobalAskOnClose(false);
    if (answer == TFSaveDlg::mrDiscard)
        return true;
    if (answer != TFSaveDlg::mrSaveAndClose || !SaveFile())
        return false;
    bool written = false;
    try {
        written = SaveToFile();
    } catch (const std::exception& e) {
        platform::ShowError(QString::fromUtf8(e.what()), this);
    }
    if (!written)
        FModified = true; // the data are still unsaved
    return written;
}

void TFMDIChild::closeEvent(QCloseEvent* event)
{
    bool accepted = false;
    platform::GuardEvent([&] {
        bool canClose = true;
        FormCloseQuery(canClose);
        if (!canClose)
            return;
        TCloseAction action = caFree;
        FormClose(action);
        if (action == caNone)
            return;
        if (action == caHide || action == caMinimize) {
            if (action == caHide)
                hide();
            else
                showMinimized();
            return;
        }
        accepted = true;
    });
    if (!accepted) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

TClosingRound::~TClosingRound()
{
    for (qsizetype i = 0; i < m_agreed.size(); ++i)
        if (TFMDIChild* window = m_agreed[i]; window && !window->isHidden())
            window->SetAskOnClose(m_askedBefore[i]);
}

bool TClosingRound::Ask(const QList<TFMDIChild*>& Windows)
{
    QList<QPointer<TFMDIChild>> agreed;
    const QList<QPointer<TFMDIChild>> windows(Windows.begin(), Windows.end());
    for (const QPointer<TFMDIChild>& window : windows)
        if (window && !window->isHidden() && !window->AskBeforeClosing(agreed))
            return false;
    for (const QPointer<TFMDIChild>& window : agreed) {
        if (!window || m_agreed.contains(window))
            continue;
        m_agreed.append(window);
        m_askedBefore.append(window->AskOnClose());
        window->SetAskOnClose(false);
    }
    return true;
}

bool TClosingRound::Close(const QList<TFMDIChild*>& Windows)
{
    const QList<QPointer<TFMDIChild>> windows(Windows.begin(), Windows.end());
    if (!Ask(Windows))
        return false;
    for (const QPointer<TFMDIChild>& window : windows) {
        // a population window closes its samples with itself
        if (!window || window->isHidden())
            continue;
        window->close();
        if (window && !window->isHidden())
            return false;
    }
    return true;
}
