// A sample drawn from an opened study, as the user draws it from its
// population window: a sample that cannot be built leaves its study folder as
// it was; records not saved are asked about when the population window or
// the program closes.
#include "main_window_fixture.h"

#include "widgets/table_editor.h"
#include "window_base/save_dialog.h"
#include "windows/population_window.h"
#include "windows/sample_window.h"
#include "windows/variable_selection_frame.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

class SampleRecordsInStudy : public MainWindowFixture {
protected:
    TFPoblacion* OpenStudy(TFMain& main, const QString& file)
    {
        main.resize(1280, 1024);
        main.show();
        main.OpenDataFile(file);
        Settle();
        for (int i = 0; i < Root()->childCount(); ++i)
            if (auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(i)->child(0))))
                return population;
        return nullptr;
    }
    static QString FolderText(TFMDIChild* window)
    {
        QTreeWidgetItem* node = window->TreeNode();
        return node && node->parent() ? node->parent()->text(0) : QString();
    }

    // "Get sample" in the population window, then Peso chosen, a size of 20
    // typed, "Get sample" and "Add all records" in the sample window.
    TFMuestra* SampleWithRecords(TFPoblacion* population)
    {
        population->GetSampleButton()->click();
        Settle();
        TFMuestra* sample = population->Samples().value(0);
        if (!sample)
            return nullptr;
        TFrame1* frame = sample->VarList();
        frame->lb_VariablesEnter();
        for (QListWidgetItem* item : frame->Variables()->findItems(QStringLiteral("Peso"), Qt::MatchExactly))
            item->setSelected(true);
        frame->SelecVarButton()->click();
        TNTabEd* size = sample->SampleSizeTable();
        const platform::Rect r = size->CellRect(1 + size->AttribColShown(), 1);
        QTest::mouseClick(size, Qt::LeftButton, {}, QPoint(r.left + 4, r.top + 4));
        QTest::keyClick(size, '2');  // opens the cell's editor, which takes the rest
        if (size->InplaceEditor()) {
            QTest::keyClick(size->InplaceEditor(), '0');
            QTest::keyClick(size->InplaceEditor(), Qt::Key_Return);
        }
        Settle();
        QTest::mouseClick(sample->GetSampleButton(), Qt::LeftButton);
        Settle();
        auto* addAll = sample->findChild<QToolButton*>(QStringLiteral("ToolButton2"));
        if (addAll)
            QTest::mouseClick(addAll, Qt::LeftButton);
        Settle();
        return sample;
    }

    QAction* ExitAction(TFMain& main)
    {
        for (QAction* menu : main.menuBar()->actions())
            if (menu->menu())
                for (QAction* item : menu->menu()->actions())
                    if (item->text() == QStringLiteral("E&xit"))
                        return item;
        return nullptr;
    }
};

} // namespace

TEST_F(SampleRecordsInStudy, ASampleThatCannotBeBuiltLeavesItsFolderName)
{
    QFile source(XmlFile(QStringLiteral("estudio_alturas_pesos.xml")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    ASSERT_TRUE(bytes.contains("<opt id=\"1\" design=\"0\">"));
    bytes.replace("<opt id=\"1\" design=\"0\">", "<opt id=\"1\" design=\"simple\">");
    TFMain& main = CreateMain();
    TFPoblacion* population = OpenStudy(main, WriteFile(QStringLiteral("xml/bad_design.xml"), bytes));
    ASSERT_NE(population, nullptr);
    ASSERT_EQ(FolderText(population), QStringLiteral("Estudio 1"));

    population->GetSampleButton()->click();
    Settle();
    ProcessDeferredDeletes();
    EXPECT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(FolderText(population), QStringLiteral("Estudio 1"));
    EXPECT_EQ(ChildTexts(population->TreeNode()->parent()).size(), 1);
    EXPECT_TRUE(population->Samples().isEmpty());
}

TEST_F(SampleRecordsInStudy, ClosingThePopulationAsksForTheRecordsOfItsSample)
{
    TFMain& main = CreateMain();
    QPointer<TFPoblacion> population = OpenStudy(main, XmlFile(QStringLiteral("estudio_alturas_pesos.xml")));
    ASSERT_NE(population, nullptr);
    QPointer<TFMuestra> sample = SampleWithRecords(population);
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->SampleData()->NrOfRows(), 20);
    EXPECT_EQ(FolderText(population), QStringLiteral("Analysis 1"));

    int asked = 0;
    int answer = TFSaveDlg::mrCancel;
    platform::ScopedModalAnswer<TFSaveDlg> question([&](TFSaveDlg&) {
        ++asked;
        return answer;
    });
    population->close();
    Settle();
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(population && !population->isHidden());
    ASSERT_TRUE(sample && !sample->isHidden());
    EXPECT_EQ(sample->SampleData()->NrOfRows(), 20);

    // quitting asks too, and Cancel keeps the program with its windows
    QAction* exit = ExitAction(main);
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    Settle();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(main.isVisible());
    ASSERT_TRUE(sample && !sample->isHidden());

    answer = TFSaveDlg::mrDiscard;
    population->close();
    Settle();
    ProcessDeferredDeletes();
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(sample.isNull());
    EXPECT_TRUE(population.isNull());
}
