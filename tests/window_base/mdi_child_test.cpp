#include "window_base/mdi_child.h"

#include "window_base/save_dialog.h"
#include "window_base/study_node.h"
#include "support/shell_test_support.h"
#include "testing/modal_answer.h"

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <stdexcept>

namespace {

// A child that can save: records the writes and fails on demand.
class SavingChild : public TFMDIChild {
public:
    using TFMDIChild::TFMDIChild;
    bool SaveToFile() override
    {
        Written.append(FileName());
        if (Throw)
            throw std::runtime_error("disk full");
        return !Fail;
    }
    QStringList Written;
    bool Fail = false;
    bool Throw = false;
};

class SaveDlgScript {
public:
    explicit SaveDlgScript(int answer, bool dontAskAgain = false)
        : m_answer([this, answer, dontAskAgain](TFSaveDlg& dlg) {
              ++Shown;
              Label = dlg.MessageLabel()->text();
              Caption = dlg.windowTitle();
              dlg.DontAskAgain()->setChecked(dontAskAgain);
              return answer;
          })
    {
    }
    int Shown = 0;
    QString Label;
    QString Caption;

private:
    platform::ScopedModalAnswer<TFSaveDlg> m_answer;
};

class TFMDIChildTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Tree = new QTreeWidget(&MainWindow());
        Root = new QTreeWidgetItem(Tree, QStringList{QStringLiteral("Vexa 1.0")});
    }

    // A window with its node as the last child of parentNode.
    template <class Child = TFMDIChild>
    Child* AddWindow(QTreeWidgetItem* parentNode, const QString& caption)
    {
        auto* window = new Child(&MainWindow());
        window->setWindowTitle(caption);
        auto* node = new QTreeWidgetItem(parentNode, QStringList{caption});
        window->SetTreeLinks(Tree, node);
        SetNodeData(node, window);
        window->show();
        return window;
    }

    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parentNode, const QString& text)
    {
        return new QTreeWidgetItem(parentNode, QStringList{text});
    }

    static bool CloseAndFree(QWidget* w)
    {
        QPointer<QWidget> guard(w);
        const bool closed = w->close();
        ProcessDeferredDeletes();
        EXPECT_EQ(closed, guard.isNull());
        return closed;
    }

    QTreeWidget* Tree = nullptr;
    QTreeWidgetItem* Root = nullptr;
};

TEST_F(TFMDIChildTest, CreationSetsTheDefaults)
{
    auto* window = new TFMDIChild(&MainWindow());
    EXPECT_TRUE(window->AskOnClose());
    EXPECT_FALSE(window->Modified());
    EXPECT_TRUE(window->FreeNodeOnClose());
    EXPECT_EQ(window->Kind(), ChildKindPassive);
    EXPECT_FALSE(window->Registered());
    EXPECT_TRUE(window->FileName().isEmpty());
    EXPECT_TRUE(window->DefaultExt().isEmpty());
    EXPECT_TRUE(window->Filter().isEmpty());
    EXPECT_EQ(window->ParentForm(), &MainWindow());
    EXPECT_EQ(window->DataTree(), nullptr);
    EXPECT_EQ(window->TreeNode(), nullptr);
    EXPECT_EQ(window->OwnerWindow(), nullptr);
    EXPECT_EQ(window->Tag(), 0);
    EXPECT_TRUE(MainWindow().MDIArea()->subWindowList().contains(window));
}

TEST_F(TFMDIChildTest, ClosingMovesChildNodesUpAndKeepsTheFolder)
{
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("Estudio 1"));
    TFMDIChild* population = AddWindow(folder, QStringLiteral("Población 1"));
    TFMDIChild* webA = AddWindow(population->TreeNode(), QStringLiteral("a"));
    TFMDIChild* webB = AddWindow(population->TreeNode(), QStringLiteral("b"));

    ASSERT_TRUE(CloseAndFree(population));
    ASSERT_EQ(folder->childCount(), 2);
    EXPECT_EQ(folder->child(0)->text(0), QStringLiteral("a"));
    EXPECT_EQ(folder->child(1)->text(0), QStringLiteral("b"));
    EXPECT_EQ(NodeData(folder->child(0)), webA);
    EXPECT_EQ(webB->TreeNode(), folder->child(1));
    EXPECT_EQ(Root->childCount(), 1);
}

TEST_F(TFMDIChildTest, ClosingTheLastWindowRemovesItsFolder)
{
    QTreeWidgetItem* folder1 = AddFolder(Root, QStringLiteral("Estudio 1"));
    QTreeWidgetItem* folder2 = AddFolder(Root, QStringLiteral("Estudio 2"));
    TFMDIChild* first = AddWindow(folder1, QStringLiteral("Población 1"));
    AddWindow(folder2, QStringLiteral("Población 2"));

    ASSERT_TRUE(CloseAndFree(first));
    ASSERT_EQ(Root->childCount(), 1);
    EXPECT_EQ(Root->child(0), folder2);
}

TEST_F(TFMDIChildTest, FolderStaysWhenTheTreeWouldHoldOneNode)
{
    // the window's node is a top-level node beside a lone folder
    QTreeWidget* tree = Tree;
    delete Root;
    QTreeWidgetItem* folder = new QTreeWidgetItem(tree, QStringList{QStringLiteral("folder")});
    TFMDIChild* window = AddWindow(folder, QStringLiteral("w"));
    ASSERT_TRUE(CloseAndFree(window));
    EXPECT_EQ(TreeNodeCount(tree), 1);
    EXPECT_EQ(tree->topLevelItem(0), folder);
}

TEST_F(TFMDIChildTest, WithoutFreeNodeOnCloseTheEmptyFolderStays)
{
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("Estudio 1"));
    TFMDIChild* window = AddWindow(folder, QStringLiteral("w"));
    window->SetFreeNodeOnClose(false);
    ASSERT_TRUE(CloseAndFree(window));
    ASSERT_EQ(Root->childCount(), 1);
    EXPECT_EQ(Root->child(0)->childCount(), 0);
}

TEST_F(TFMDIChildTest, AWindowNodeIsNeverRemovedAsAnEmptiedFolder)
{
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("Estudio 1"));
    TFMDIChild* population = AddWindow(folder, QStringLiteral("Población 1"));
    TFMDIChild* web = AddWindow(population->TreeNode(), QStringLiteral("page"));
    ASSERT_TRUE(CloseAndFree(web));
    ASSERT_NE(population->TreeNode(), nullptr);
    EXPECT_EQ(NodeData(population->TreeNode()), population);
}

TEST_F(TFMDIChildTest, ClosedWindowLeavesNoDanglingNodeData)
{
    auto* node = new QTreeWidgetItem(Root, QStringList{QStringLiteral("x")});
    auto* window = new TFMDIChild(&MainWindow());
    SetNodeData(node, window);
    EXPECT_EQ(NodeData(node), window);
    EXPECT_FALSE(IsFolderNode(node));
    delete window;
    EXPECT_EQ(NodeData(node), nullptr);
    EXPECT_TRUE(IsFolderNode(node));
}

TEST_F(TFMDIChildTest, WithoutDataTreeAWindowNeverRegisters)
{
    auto* window = new TFMDIChild(&MainWindow());
    window->SetKind(ChildKindActiveData);
    window->FormActivate();
    EXPECT_FALSE(window->Registered());
    EXPECT_EQ(MainWindow().ActiveDataSetCount, 0);
    EXPECT_EQ(MainWindow().ActiveData(), nullptr);
}

TEST_F(TFMDIChildTest, ActiveDataWindowRegistersAndUnregistersOnClose)
{
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("f"));
    TFMDIChild* window = AddWindow(folder, QStringLiteral("w"));
    window->SetKind(ChildKindActiveData);
    window->FormActivate();
    EXPECT_TRUE(window->Registered());
    EXPECT_EQ(MainWindow().ActiveData(), window);
    EXPECT_EQ(Tree->currentItem(), window->TreeNode());
    ASSERT_TRUE(CloseAndFree(window));
    EXPECT_EQ(MainWindow().ActiveDataDelCount, 1);
    EXPECT_EQ(MainWindow().ActiveData(), nullptr);
}

TEST_F(TFMDIChildTest, PassiveWindowSelectsItsNodeOnly)
{
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("f"));
    TFMDIChild* window = AddWindow(folder, QStringLiteral("w"));
    window->FormActivate();
    EXPECT_FALSE(window->Registered());
    EXPECT_EQ(Tree->currentItem(), window->TreeNode());
    EXPECT_EQ(MainWindow().ActiveDataSetCount, 0);
}

TEST_F(TFMDIChildTest, ShowPropertiesFillsTheEditorInListOrder)
{
    auto* editor = new QTableWidget(0, 2, &MainWindow());
    editor->setRowCount(5);
    QTreeWidgetItem* folder = AddFolder(Root, QStringLiteral("f"));
    TFMDIChild* window = AddWindow(folder, QStringLiteral("w"));
    const QStringList keys{QStringLiteral("Name"), QStringLiteral("Size")};
    const QStringList values{QStringLiteral("Población 1"), QStringLiteral("40")};
    window->SetPropertyEditor(editor);
    window->ShowProperties();
    EXPECT_EQ(editor->rowCount(), 0); // emptied, no lists yet
    window->SetPropertyLists(&keys, &values);
    window->ShowProperties();
    ASSERT_EQ(editor->rowCount(), 2);
    EXPECT_EQ(editor->item(0, 0)->text(), QStringLiteral("Name"));
    EXPECT_EQ(editor->item(0, 1)->text(), QStringLiteral("Población 1"));
    EXPECT_EQ(editor->item(1, 0)->text(), QStringLiteral("Size"));
    EXPECT_EQ(editor->item(1, 1)->text(), QStringLiteral("40"));
}

TEST_F(TFMDIChildTest, ShowPropertiesLeavesEditorAloneWhileTheTreeHoldsOneNode)
{
    auto* editor = new QTableWidget(3, 2, &MainWindow());
    auto* window = new TFMDIChild(&MainWindow());
    window->SetTreeLinks(Tree, Root);
    window->SetPropertyEditor(editor);
    window->ShowProperties();
    EXPECT_EQ(editor->rowCount(), 3);
}

TEST_F(TFMDIChildTest, UnmodifiedWindowClosesWithoutAsking)
{
    SaveDlgScript script(TFSaveDlg::mrCancel);
    TFMDIChild* window = AddWindow(AddFolder(Root, QStringLiteral("f")), QStringLiteral("w"));
    EXPECT_TRUE(CloseAndFree(window));
    EXPECT_EQ(script.Shown, 0);
}

TEST_F(TFMDIChildTest, SaveAndCloseWritesUnderTheChosenName)
{
    SaveDlgScript script(TFSaveDlg::mrSaveAndClose);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("Ensayo 1"));
    window->SetFileSettings(QString(), QStringLiteral("sps"), QStringLiteral("SPSS (*.sps)|*.sps"));
    window->SetDefaultFileName(QStringLiteral("sample.sps"));
    window->SetModified(true);
    Dialogs.QueueFile(QStringLiteral("/tmp/out.sps"));
    QPointer<SavingChild> guard(window);
    bool canClose = false;
    window->FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(script.Caption, QStringLiteral("Delta"));
    EXPECT_EQ(script.Label, QStringLiteral("Ensayo 1\nhas been modified. Save before close?"));
    ASSERT_EQ(Dialogs.Calls().size(), 1u);
    EXPECT_EQ(Dialogs.Calls()[0].request.fileName, QStringLiteral("sample.sps"));
    EXPECT_EQ(Dialogs.Calls()[0].request.defaultExt, QStringLiteral("sps"));
    EXPECT_EQ(Dialogs.Calls()[0].request.filter, QStringLiteral("SPSS (*.sps)|*.sps"));
    EXPECT_EQ(window->Written, QStringList{QStringLiteral("/tmp/out.sps")});
    EXPECT_EQ(window->FileName(), QStringLiteral("/tmp/out.sps"));
    EXPECT_FALSE(window->Modified());
    EXPECT_FALSE(window->AskOnClose());
    EXPECT_TRUE(CloseAndFree(window));
}

TEST_F(TFMDIChildTest, LabelNamesTheFileWhenThereIsOne)
{
    SaveDlgScript script(TFSaveDlg::mrCancel);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("Ensayo 1"));
    window->SetFileSettings(QStringLiteral("/data/s.txt"), QString(), QString());
    window->SetModified(true);
    EXPECT_FALSE(CloseAndFree(window));
    EXPECT_EQ(script.Label, QStringLiteral("/data/s.txt\nhas been modified. Save before close?"));
    window->SetModified(false);
    EXPECT_TRUE(CloseAndFree(window));
}

TEST_F(TFMDIChildTest, CancelledSaveDialogKeepsTheWindowOpenAndModified)
{
    SaveDlgScript script(TFSaveDlg::mrSaveAndClose);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("w"));
    window->SetModified(true);
    Dialogs.QueueFile(std::nullopt);
    EXPECT_FALSE(CloseAndFree(window));
    EXPECT_TRUE(window->Written.isEmpty()); // nothing written when the name was not confirmed
    EXPECT_TRUE(window->Modified());
    EXPECT_TRUE(window->AskOnClose());
    window->SetModified(false);
    EXPECT_TRUE(CloseAndFree(window));
}

TEST_F(TFMDIChildTest, FailedWriteIsNotReportedAsSaved)
{
    SaveDlgScript script(TFSaveDlg::mrSaveAndClose);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("w"));
    window->SetModified(true);
    window->Fail = true;
    Dialogs.QueueFile(QStringLiteral("/nowhere/x.txt"));
    EXPECT_FALSE(CloseAndFree(window));
    EXPECT_EQ(window->Written.size(), 1);
    EXPECT_TRUE(window->Modified());
    EXPECT_TRUE(window->AskOnClose());

    // a write that throws is shown and handled the same way
    window->Fail = false;
    window->Throw = true;
    Dialogs.QueueFile(QStringLiteral("/nowhere/x.txt"));
    EXPECT_FALSE(CloseAndFree(window));
    EXPECT_TRUE(window->Modified());
    EXPECT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(Dialogs.MessageTexts().value(0), QStringLiteral("disk full"));
    window->SetModified(false);
    EXPECT_TRUE(CloseAndFree(window));
}

TEST_F(TFMDIChildTest, DiscardClosesWithoutSaving)
{
    SaveDlgScript script(TFSaveDlg::mrDiscard);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("w"));
    window->SetModified(true);
    QPointer<SavingChild> guard(window);
    EXPECT_TRUE(CloseAndFree(window));
    EXPECT_EQ(script.Shown, 1);
    EXPECT_TRUE(Dialogs.Calls().empty());
}

TEST_F(TFMDIChildTest, CancelKeepsTheWindowOpen)
{
    SaveDlgScript script(TFSaveDlg::mrCancel);
    auto* window = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("w"));
    window->SetModified(true);
    EXPECT_FALSE(CloseAndFree(window));
    EXPECT_NE(window->TreeNode(), nullptr); // its node stays too
    EXPECT_TRUE(window->AskOnClose());
    EXPECT_TRUE(GlobalAskOnClose());
    window->SetModified(false);
    EXPECT_TRUE(CloseAndFree(window));
}

TEST_F(TFMDIChildTest, DontAskAgainSilencesEveryWindow)
{
    auto* first = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("f")), QStringLiteral("a"));
    auto* second = AddWindow<SavingChild>(AddFolder(Root, QStringLiteral("g")), QStringLiteral("b"));
    first->SetModified(true);
    second->SetModified(true);
    {
        SaveDlgScript script(TFSaveDlg::mrDiscard, true);
        EXPECT_TRUE(CloseAndFree(first));
        EXPECT_FALSE(GlobalAskOnClose());
    }
    SaveDlgScript later(TFSaveDlg::mrCancel);
    EXPECT_TRUE(CloseAndFree(second));
    EXPECT_EQ(later.Shown, 0);
}

TEST_F(TFMDIChildTest, SaveQuestionButtonsAndTheirResults)
{
    TFSaveDlg dialog(&MainWindow());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delta"));
    EXPECT_EQ(dialog.SaveButton()->text(), QStringLiteral("Save and close"));
    EXPECT_EQ(dialog.DiscardButton()->text(), QStringLiteral("Discard"));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.DontAskAgain()->text(), QStringLiteral("Don't ask again"));
    EXPECT_FALSE(dialog.DontAskAgain()->isChecked());
    EXPECT_TRUE(dialog.SaveButton()->isDefault());
    EXPECT_EQ(dialog.size(), QSize(357, 143));
    EXPECT_EQ(TFSaveDlg::mrSaveAndClose, 8);
    EXPECT_EQ(TFSaveDlg::mrDiscard, 9);
    EXPECT_EQ(TFSaveDlg::mrCancel, 2);
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.open();
    dialog.DiscardButton()->click();
    EXPECT_EQ(result, TFSaveDlg::mrDiscard);
    dialog.open();
    dialog.SaveButton()->click();
    EXPECT_EQ(result, TFSaveDlg::mrSaveAndClose);
    dialog.open();
    dialog.CancelButton()->click();
    EXPECT_EQ(result, TFSaveDlg::mrCancel);
}

TEST_F(TFMDIChildTest, BaseSaveToFileIsAbstract)
{
    auto* window = new TFMDIChild(&MainWindow());
    EXPECT_THROW(window->SaveToFile(), std::logic_error);
}

TEST_F(TFMDIChildTest, DataSourceIsStoredWithItsName)
{
    auto* window = new TFMDIChild(&MainWindow());
    window->SetDataSource(nullptr, QStringLiteral("study.xml"));
    EXPECT_EQ(window->DataName(), QStringLiteral("study.xml"));
    EXPECT_EQ(window->DataSource(), nullptr);
}

} // namespace
