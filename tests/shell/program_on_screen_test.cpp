// Quitting, deleting a branch, drawing a new sample over records not saved
// and following a link of a folder page, driven as a user drives the shown
// program: clicks and keys through the X server under a window manager when
// the suite runs on one, and the save question answered by a click on its
// shown button.
#include "main_window_fixture.h"

#include "../support/event_wait.h"
#include "../support/screen_input.h"
#include "../support/web_click.h"
#include "platform/desktop.h"
#include "platform/qt_web_view.h"
#include "shell/web_nav.h"
#include "window_base/web_editor.h"
#include "shell/vexa_application.h"
#include "widgets/table_editor.h"
#include "window_base/message_window.h"
#include "window_base/save_dialog.h"
#include "windows/population_window.h"
#include "windows/sample_window.h"
#include "windows/variable_selection_frame.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void Click(QWidget* widget, QPoint at)
{
    ASSERT_NE(widget, nullptr);
    if (!widget->isVisible()) {
        std::string chain;
        for (QWidget* w = widget; w; w = w->parentWidget())
            chain += std::string(w->metaObject()->className()) + ":" + w->objectName().toStdString() + (w->isHidden() ? "(hidden) " : " ");
        ADD_FAILURE() << chain;
    }
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    ClickOnScreen(widget, at);
    Settle();
}

void Click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    Click(widget, widget->rect().center());
}

// What the save question showed, and the button clicked on it.
struct TQuestion {
    QString Text;
    QStringList Buttons;  // the captions, left to right
    bool ShownOnScreen = false;  // the buttons the screen shows are those captions
};

// Answers every save question shown by a click on one of its buttons, once
// the question is on the screen.
class TScreenAnswer {
public:
    using TChoice = std::function<QAbstractButton*(TFSaveDlg&)>;

    explicit TScreenAnswer(TChoice choice)
        : m_choice(std::move(choice)),
          m_answer([this](QDialog& dialog) -> std::optional<int> {
              auto* question = dynamic_cast<TFSaveDlg*>(&dialog);
              if (!question || !question->isVisible())
                  return std::nullopt;
              return Answer(*question);
          })
    {
    }

    void SetChoice(TChoice choice) { m_choice = std::move(choice); }
    static TChoice Cancel() { return [](TFSaveDlg& d) { return d.CancelButton(); }; }
    static TChoice Discard() { return [](TFSaveDlg& d) { return d.DiscardButton(); }; }
    static TChoice Save() { return [](TFSaveDlg& d) { return d.SaveButton(); }; }

    QList<TQuestion> Asked;

private:
    std::optional<int> Answer(TFSaveDlg& dialog)
    {
        TQuestion question;
        question.Text = dialog.MessageLabel()->text();
        QList<QAbstractButton*> buttons = {dialog.SaveButton(), dialog.DiscardButton(), dialog.CancelButton()};
        std::sort(buttons.begin(), buttons.end(),
                  [](QAbstractButton* a, QAbstractButton* b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
        for (QAbstractButton* b : buttons)
            question.Buttons.append(b->text());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        if (ScreenInputThroughX11()) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            // each button as the screen shows it is the button with its caption
            question.ShownOnScreen = QTest::qWaitFor(
                [&] {
                    for (QAbstractButton* b : buttons)
                        if (ScreenShot(QRect(b->mapToGlobal(QPoint()), b->size())) !=
                            b->grab().toImage().convertToFormat(QImage::Format_RGB32))
                            return false;
                    return true;
                },
                3000);
        } else {
            question.ShownOnScreen = true;
        }
        Asked.append(question);
        QPointer<TFSaveDlg> shown(&dialog);
        QAbstractButton* chosen = m_choice(dialog);
        ClickOnScreen(chosen, chosen->rect().center());
        (void)QTest::qWaitFor([&] { return !shown || !shown->isVisible(); }, 5000);
        if (shown && shown->isVisible()) {
            ADD_FAILURE() << "the click did not answer the question";
            return TFSaveDlg::mrCancel;
        }
        return std::nullopt;
    }

    TChoice m_choice;
    platform::ModalAnswer m_answer;
};

class ProgramOnScreen : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // the questions are answered on the screen here
        QCoreApplication::instance()->removeEventFilter(&UnansweredSaveQuestion);
    }

    // Runs the program with Main as its main window: Drive acts as the user
    // once the window is active, and the loop must end within 5 s of its last
    // step. Answers the loop's exit code.
    static int RunProgram(TFMain& Main, const std::function<void()>& Drive)
    {
        QTimer ending;
        ending.setSingleShot(true);
        QObject::connect(&ending, &QTimer::timeout, [] {
            ADD_FAILURE() << "the loop ran on after the main window closed";
            QCoreApplication::exit(1);
        });
        QTimer start;
        start.setSingleShot(true);
        QObject::connect(&start, &QTimer::timeout, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&Main));
            Settle();
            Drive();
            ending.start(5000);
        });
        start.start(0);
        return RunMainWindow(Main);
    }

    TFMain& ShowMain()
    {
        TFMain& main = CreateMain();
        Place(main);
        main.show();
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        Settle();
        return main;
    }
    static void Place(TFMain& main)
    {
        main.resize(1180, 900);
        main.move(20, 20);
    }

    // File "Open..." by its keys, the dialog answering the study.
    TFPoblacion* OpenStudy(const QString& name)
    {
        const QList<TFPoblacion*> before = Populations();
        Dialogs.QueueFile(XmlFile(name));
        KeyOnScreen(Main.get(), Qt::Key_O, Qt::ControlModifier);
        (void)QTest::qWaitFor([&] { return Populations().size() > before.size(); }, 10000);
        Settle();
        TFPoblacion* population = nullptr;
        for (TFPoblacion* p : Populations())
            if (!before.contains(p))
                population = p;
        if (!population)
            return nullptr;
        // the study's start-up messages closed, its population page in front
        for (TFMsge* message : population->MessageWindows()) {
            QPointer<TFMsge> shown(message);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(message));
            Click(message->sbClose);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !shown || !shown->isVisible(); }, 5000));
        }
        Click(Main->statusBar());
        if (!ScreenInputThroughX11())
            Main->activateWindow();  // off a window system nothing gives it back
        EXPECT_TRUE(QTest::qWaitForWindowActive(Main.get()));
        QTabBar* tabs = population->PageControl1->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String("Population") && population->PageControl1->currentIndex() != i)
                Click(tabs, tabs->tabRect(i).center());
        return population;
    }
    QList<TFPoblacion*> Populations() const
    {
        QList<TFPoblacion*> out;
        for (TFMDIChild* c : OpenChildren())
            if (auto* p = qobject_cast<TFPoblacion*>(c))
                out.append(p);
        return out;
    }

    // "Get sample" in the population window; in the sample window Peso
    // observed, a size of N typed, "Get sample" and "Add all records".
    TFMuestra* SampleWithRecords(TFPoblacion* population, int n)
    {
        BringUp(population);
        const QList<TFMuestra*> before = population->Samples();
        Click(population->GetSampleButton());
        (void)QTest::qWaitFor([&] { return population->Samples().size() > before.size(); }, 5000);
        TFMuestra* sample = nullptr;
        for (TFMuestra* s : population->Samples())
            if (!before.contains(s))
                sample = s;
        if (!sample)
            return nullptr;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Main.get()));
        Settle();
        QListWidget* variables = sample->VarList()->Variables();
        const QList<QListWidgetItem*> peso = variables->findItems(QStringLiteral("Peso"), Qt::MatchExactly);
        if (peso.size() != 1)
            return nullptr;
        variables->scrollToItem(peso[0]);
        Click(variables->viewport(), variables->visualItemRect(peso[0]).center());
        Click(sample->VarList()->SelecVarButton());
        TNTabEd* size = sample->SampleSizeTable();
        const platform::Rect r = size->CellRect(1 + size->AttribColShown(), 1);
        Click(size, QPoint(r.left + 4, r.top + 4));
        const QString digits = QString::number(n);
        for (const QChar digit : digits)
            KeyOnScreen(size, static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()));
        KeyOnScreen(size, Qt::Key_Return);
        Settle();
        Click(sample->GetSampleButton());
        Click(sample->findChild<QToolButton*>(QStringLiteral("ToolButton2")));
        (void)QTest::qWaitFor([&] { return sample->SampleData()->NrOfRows() == n; }, 10000);
        return sample;
    }

    // The window brought to the front by a click on its node in the study tree.
    void BringUp(TFMDIChild* window)
    {
        if (Main->MDIArea()->activeSubWindow() == window)
            return;
        ShowInspector();
        QTreeWidget* tree = Main->TreeViewMain();
        ASSERT_NE(window->TreeNode(), nullptr);
        Click(tree->viewport(), tree->visualItemRect(window->TreeNode()).center());
        ASSERT_EQ(Main->MDIArea()->activeSubWindow(), window);
    }
    void ShowInspector()
    {
        if (Main->ObjectInspector()->isVisible())
            return;
        KeyOnScreen(Main.get(), Qt::Key_F9);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Main->ObjectInspector()->isVisible(); }, 5000));
        Settle();
    }

    // The item ItemText of the menu MenuTitle, clicked on the screen.
    void ChooseFromMenu(const QString& MenuTitle, const QString& ItemText)
    {
        QMenu* menu = Main->Menu(MenuTitle);
        ASSERT_NE(menu, nullptr);
        QAction* item = Main->MenuAction(MenuTitle, ItemText);
        ASSERT_NE(item, nullptr);
        Click(Main->menuBar(), Main->menuBar()->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        Click(menu, menu->actionGeometry(item).center());
    }

    // The windows open now, each with the text of its node.
    QList<QPair<QPointer<TFMDIChild>, QString>> Shown() const
    {
        QList<QPair<QPointer<TFMDIChild>, QString>> out;
        for (TFMDIChild* c : OpenChildren())
            out.append({c, c->TreeNode() ? c->TreeNode()->text(0) : QString()});
        return out;
    }
    static void ExpectStillShown(const QList<QPair<QPointer<TFMDIChild>, QString>>& windows)
    {
        for (const auto& [window, text] : windows) {
            EXPECT_FALSE(window.isNull()) << text.toStdString();
            if (window) {
                EXPECT_FALSE(window->isHidden()) << text.toStdString();
                EXPECT_NE(window->TreeNode(), nullptr) << text.toStdString();
            }
        }
    }
    // The tree's texts, indented by depth.
    QStringList TreeTexts() const
    {
        QStringList out;
        const std::function<void(QTreeWidgetItem*, int)> add = [&](QTreeWidgetItem* node, int depth) {
            out.append(QString(depth * 2, QLatin1Char(' ')) + node->text(0));
            for (int i = 0; i < node->childCount(); ++i)
                add(node->child(i), depth + 1);
        };
        add(Root(), 0);
        return out;
    }
};

// ---- quitting

// Exit, Discard: every window closes and the program's loop ends, as it
// does when no records wait to be saved. The program runs in a process of
// its own (this test again), which must end by itself.
// True in the test's own run of the program; elsewhere runs the test named
// Name in a process of its own, which must end by itself and pass.
bool InProgramRun(const char* Name)
{
    if (!qEnvironmentVariableIsEmpty("VEXA_TEST_PROGRAM_RUN"))
        return true;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VEXA_TEST_PROGRAM_RUN"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=ProgramOnScreen.") + QLatin1String(Name)});
    EXPECT_TRUE(program.waitForStarted(10000));
    const bool ended = program.waitForFinished(120000);
    if (!ended) {
        program.kill();
        program.waitForFinished(10000);
    }
    const QString output = QString::fromLocal8Bit(program.readAll());
    EXPECT_TRUE(ended) << "the program kept running after its main window closed\n" << output.toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    return false;
}

TEST_F(ProgramOnScreen, DiscardAtExitEndsTheProgram)
{
    if (!InProgramRun("DiscardAtExitEndsTheProgram"))
        return;

    // the program's run
    TFMain& main = CreateMain();
    Place(main);
    TScreenAnswer answer(TScreenAnswer::Discard());
    bool driven = false;
    const int code = RunProgram(main, [&] {
        TFPoblacion* population = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
        ASSERT_NE(population, nullptr);
        TFMuestra* sample = SampleWithRecords(population, 10);
        ASSERT_NE(sample, nullptr);
        ASSERT_EQ(sample->SampleData()->NrOfRows(), 10);
        ChooseFromMenu(QStringLiteral("&File"), QStringLiteral("E&xit"));
        driven = true;
    });
    ASSERT_TRUE(driven);
    ASSERT_EQ(answer.Asked.size(), 1);
    EXPECT_EQ(answer.Asked[0].Buttons, QStringList({"Save and close", "Discard", "Cancel"}));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(main.isHidden());
    QStringList left;
    for (TFMDIChild* c : OpenChildren())
        left.append(c->windowTitle());
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(',')).toStdString();
}

// The window manager's close (Alt+F4): Discard at the first sample, Cancel
// at the second keeps both with their records; closed again, Discard at
// both, and the program ends.
TEST_F(ProgramOnScreen, WindowManagerCloseAfterACancelEndsTheProgram)
{
    if (!InProgramRun("WindowManagerCloseAfterACancelEndsTheProgram"))
        return;

    TFMain& main = CreateMain();
    Place(main);
    TScreenAnswer answer(TScreenAnswer::Discard());
    answer.SetChoice([&answer](TFSaveDlg& d) { return answer.Asked.size() == 2 ? d.CancelButton() : d.DiscardButton(); });
    const auto closeByWindowManager = [&main] {
        if (!ScreenInputThroughX11())
            main.activateWindow();  // off a window system nothing gives it back
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        if (ScreenInputThroughX11())
            KeyOnScreen(&main, Qt::Key_F4, Qt::AltModifier);
        else
            main.windowHandle()->close();
        Settle();
    };
    bool driven = false;
    const int code = RunProgram(main, [&] {
        TFPoblacion* population = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
        ASSERT_NE(population, nullptr);
        TFMuestra* one = SampleWithRecords(population, 10);
        ASSERT_NE(one, nullptr);
        TFMuestra* two = SampleWithRecords(population, 10);
        ASSERT_NE(two, nullptr);
        ASSERT_EQ(two->SampleData()->NrOfRows(), 10);
        const auto windows = Shown();
        const QStringList tree = TreeTexts();

        closeByWindowManager();
        ASSERT_TRUE(QTest::qWaitFor([&] { return answer.Asked.size() == 2; }, 10000));
        Settle();
        EXPECT_TRUE(main.isVisible());
        ExpectStillShown(windows);
        EXPECT_EQ(TreeTexts(), tree);
        EXPECT_EQ(one->SampleData()->NrOfRows(), 10);
        EXPECT_TRUE(one->Modified());
        EXPECT_TRUE(two->Modified());

        closeByWindowManager();
        driven = true;
    });
    ASSERT_TRUE(driven);
    // the discarded records are asked about again in the second round
    EXPECT_EQ(answer.Asked.size(), 4);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(main.isHidden());
    EXPECT_TRUE(OpenChildren().isEmpty());
}

// Exit, Cancel: nothing has closed, the web pages neither; the welcome page
// is the one opened at the start, not a new one.
TEST_F(ProgramOnScreen, CancelAtExitKeepsEveryWindow)
{
    QDir(Folder.path()).mkpath(QStringLiteral("Excel"));
    TFMain& main = ShowMain();
    ChooseFromMenu(QStringLiteral("Tools"), QStringLiteral("Excel sheets"));
    TFPoblacion* population = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
    ASSERT_NE(population, nullptr);
    TFMuestra* sample = SampleWithRecords(population, 10);
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->SampleData()->NrOfRows(), 10);
    const auto windows = Shown();
    int pages = 0;
    for (const auto& [window, text] : windows)
        pages += window->inherits("TFWebNav");
    ASSERT_EQ(pages, 2);
    ASSERT_EQ(windows.size(), 4);
    const QStringList tree = TreeTexts();

    TScreenAnswer answer(TScreenAnswer::Cancel());
    ChooseFromMenu(QStringLiteral("&File"), QStringLiteral("E&xit"));
    Settle();
    ASSERT_EQ(answer.Asked.size(), 1);
    EXPECT_TRUE(answer.Asked[0].ShownOnScreen);
    EXPECT_TRUE(main.isVisible());
    ExpectStillShown(windows);
    EXPECT_EQ(OpenChildren().size(), windows.size());
    EXPECT_EQ(TreeTexts(), tree);
    EXPECT_FALSE(main.WelcomeFlag());
    EXPECT_EQ(sample->SampleData()->NrOfRows(), 10);
    EXPECT_TRUE(sample->Modified());

    // the records are still asked about when the sample closes later
    answer.SetChoice(TScreenAnswer::Cancel());
    sample->close();
    Settle();
    EXPECT_EQ(answer.Asked.size(), 2);
    EXPECT_FALSE(sample->isHidden());
}

// ---- deleting a branch

// The root holding two studies, the first with two samples of records not
// saved: Cancel at the save question deletes nothing; Discard at both
// deletes both studies.
TEST_F(ProgramOnScreen, CancelStopsTheWholeDeletion)
{
    TFMain& main = ShowMain();
    TFPoblacion* first = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
    ASSERT_NE(first, nullptr);
    TFPoblacion* second = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
    ASSERT_NE(second, nullptr);
    TFMuestra* one = SampleWithRecords(first, 10);
    ASSERT_NE(one, nullptr);
    TFMuestra* two = SampleWithRecords(first, 10);
    ASSERT_NE(two, nullptr);
    ASSERT_EQ(two->SampleData()->NrOfRows(), 10);
    const auto windows = Shown();
    ASSERT_EQ(windows.size(), 5);  // the welcome page, two populations, two samples
    const QStringList tree = TreeTexts();

    // the inspector shown, the root selected, the branch deleted
    ShowInspector();
    QTreeWidget* treeView = main.TreeViewMain();
    Click(treeView->viewport(), treeView->visualItemRect(Root()).center());
    ASSERT_EQ(treeView->currentItem(), Root());
    QToolButton* deleteButton = nullptr;
    for (QToolButton* b : main.TreePanel()->findChildren<QToolButton*>())
        if (b->defaultAction() == main.ActionDeleteBranch)
            deleteButton = b;
    ASSERT_NE(deleteButton, nullptr);

    TScreenAnswer answer(TScreenAnswer::Cancel());
    Dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    Click(deleteButton);
    Settle();
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList{QStringLiteral("Please, confirm to delete.")});
    EXPECT_EQ(answer.Asked.size(), 1);
    ExpectStillShown(windows);
    EXPECT_EQ(OpenChildren().size(), windows.size());
    EXPECT_EQ(TreeTexts(), tree);
    EXPECT_TRUE(one->Modified());
    EXPECT_TRUE(two->Modified());

    answer.SetChoice(TScreenAnswer::Discard());
    Dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    Click(treeView->viewport(), treeView->visualItemRect(Root()).center());
    Click(deleteButton);
    Settle();
    ProcessDeferredDeletes();
    EXPECT_EQ(answer.Asked.size(), 3);
    EXPECT_TRUE(Populations().isEmpty());
    for (const auto& [window, text] : windows)
        EXPECT_TRUE(window.isNull() || window->isHidden()) << text.toStdString();
    EXPECT_EQ(Root()->text(0), QStringLiteral("Vexa 1.0"));
}

// ---- a new sample over records not saved

// The question's first button says what it does here: "Save", and then the
// new sample is drawn.
TEST_F(ProgramOnScreen, ANewSampleAsksToSaveNotToClose)
{
    ShowMain();
    TFPoblacion* population = OpenStudy(QStringLiteral("estudio_alturas_pesos.xml"));
    ASSERT_NE(population, nullptr);
    TFMuestra* sample = SampleWithRecords(population, 10);
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->SampleData()->NrOfRows(), 10);

    QTabBar* tabs = sample->PageControl()->tabBar();
    Click(tabs, tabs->tabRect(0).center());
    ASSERT_EQ(sample->PageControl()->currentIndex(), 0);
    const QString file = AppFolder() + QStringLiteral("before_new.sps");
    Dialogs.QueueFile(file);
    TScreenAnswer answer(TScreenAnswer::Save());
    Click(sample->GetSampleButton());
    ASSERT_EQ(answer.Asked.size(), 1);
    EXPECT_TRUE(answer.Asked[0].Text.endsWith(QStringLiteral("Save before drawing a new sample?")))
        << answer.Asked[0].Text.toStdString();
    EXPECT_EQ(answer.Asked[0].Buttons, QStringList({"Save", "Discard", "Cancel"}));
    EXPECT_TRUE(answer.Asked[0].ShownOnScreen);
    // saved, and the new sample drawn in the window that stays
    EXPECT_TRUE(QFileInfo(file).size() > 0);
    EXPECT_FALSE(sample->isHidden());
    EXPECT_EQ(sample->PageControl()->currentIndex(), 1);
    EXPECT_EQ(sample->SampleData()->NrOfRows(), 0);
    EXPECT_FALSE(sample->Modified());
}

// ---- links of a folder page

// The desktop's opener as a user's desktop has it, found first on the path:
// it notes each address it is given and answers the status set.
class TDesktopOpener {
public:
    TDesktopOpener() : m_path(qgetenv("PATH"))
    {
        EXPECT_TRUE(m_bin.isValid());
        QFile script(m_bin.filePath(QStringLiteral("xdg-open")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "here=$(dirname \"$0\")\n"
                     "echo \"$1\" >> \"$here/asked\"\n"
                     "exit $(cat \"$here/status\")\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetStatus(0);
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_path);
    }
    ~TDesktopOpener() { qputenv("PATH", m_path); }
    TDesktopOpener(const TDesktopOpener&) = delete;
    TDesktopOpener& operator=(const TDesktopOpener&) = delete;

    // 3: no program for the document.
    void SetStatus(int status)
    {
        QFile file(m_bin.filePath(QStringLiteral("status")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::number(status));
    }
    QStringList Asked() const
    {
        QFile file(m_bin.filePath(QStringLiteral("asked")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_bin;
    QByteArray m_path;
};

// Child processes of this one that have ended and were not reaped.
int EndedChildren()
{
    int ended = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold blanks, the fields after it do not
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[0] == "Z" && QString::fromLatin1(fields[1]) == self)
            ++ended;
    }
    return ended;
}

// The centre of the link named Name on the page, in the engine widget's
// coordinates, once the page shows it.
std::optional<QPoint> LinkCentre(platform::QtWebView& view, const QString& name)
{
    const QString script = QStringLiteral(
        "(function(){var l=document.querySelectorAll('a');for(var i=0;i<l.length;++i)"
        "if(l[i].textContent=='%1'){var r=l[i].getBoundingClientRect();"
        "if(r.width>0)return [r.left+r.width/2,r.top+r.height/2];}return null;})()").arg(name);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // the answer may come after this function has given up: it keeps its own
        auto answer = std::make_shared<std::optional<QVariant>>();
        view.Engine()->page()->runJavaScript(script, [answer](const QVariant& result) { *answer = result; });
        WaitFor([answer] { return answer->has_value(); }, 2000);
        if (*answer) {
            const QVariantList xy = (*answer)->toList();
            if (xy.size() == 2)
                return QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
        }
        WaitFor([] { return false; }, 200);
    }
    return std::nullopt;
}

// A sheet in the "Excel" folder page, with no program for it: the click on its
// link says "Unable to open" as the other failures do; with a program, no word.
TEST_F(ProgramOnScreen, ASheetWithNoProgramIsUnableToOpen)
{
    TDesktopOpener opener;
    platform::SetDesktopOpener(nullptr);
    const QString sheet = WriteFile(QStringLiteral("Excel/muestra.csv"), "a;b\n1;2\n");
    platform::ScopedWebViewFactory engine{nullptr};
    ShowMain();
    ChooseFromMenu(QStringLiteral("Tools"), QStringLiteral("Excel sheets"));
    TFWebNav* folder = nullptr;
    for (TFMDIChild* c : OpenChildren())
        if (auto* page = qobject_cast<TFWebNav*>(c); page && page->URL().endsWith(QLatin1String("/Excel")))
            folder = page;
    ASSERT_NE(folder, nullptr);
    auto* view = dynamic_cast<platform::QtWebView*>(folder->TWebEditor1->WebBrowser1);
    ASSERT_NE(view, nullptr);
    const std::optional<QPoint> link = LinkCentre(*view, QStringLiteral("muestra.csv"));
    ASSERT_TRUE(link) << "the folder page did not show the sheet";
    QWidget* engineWidget = view->Engine()->focusProxy();
    ASSERT_NE(engineWidget, nullptr);
    const auto clickLink = [&] {
        if (ScreenInputThroughX11())
            ClickOnScreen(engineWidget, *link);
        else
            ClickPage(*view, *link);
    };

    const QString folderPage = view->LocationURL();
    opener.SetStatus(3);
    clickLink();
    ASSERT_TRUE(WaitFor([&] { return !opener.Asked().isEmpty(); }, 10000)) << "the sheet did not reach the desktop";
    EXPECT_EQ(opener.Asked(), QStringList{QUrl::fromLocalFile(sheet).toString(QUrl::FullyEncoded)});
    EXPECT_TRUE(WaitFor([&] { return !Dialogs.MessageTexts().isEmpty(); }, 5000));
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList{QStringLiteral("Unable to open \r") + sheet});
    EXPECT_EQ(view->LocationURL(), folderPage);

    opener.SetStatus(0);
    clickLink();
    ASSERT_TRUE(WaitFor([&] { return opener.Asked().size() == 2; }, 10000));
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Dialogs.MessageTexts().size(), 1);
    // the openers that have ended are gone, none left waiting to be reaped
    EXPECT_TRUE(WaitFor([] { return EndedChildren() == 0; }, 5000)) << EndedChildren();
}

} // namespace
