#include "main_window_fixture.h"

#include "testing/settable_clock.h"
#include "testing/fake_web_view.h"
#include "window_base/message_window.h"
#include "shell/about_box.h"
#include "shell/log_window.h"
#include "shell/text_editor.h"
#include "shell/version_info.h"
#include "shell/web_addresses.h"
#include "window_base/web_editor.h"
#include "shell/web_nav.h"
#include "windows/normal_window.h"
#include "windows/population_window.h"
#include "windows/process_window.h"
#include "windows/sample_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QUrl>
#include <QScreen>
#include <QImage>

namespace {

platform::FakeWebView* BrowserOf(TFWebNav* window)
{
    return window ? window->findChild<platform::FakeWebView*>() : nullptr;
}

TFWebNav* WebWindowOf(QTreeWidgetItem* node)
{
    return qobject_cast<TFWebNav*>(NodeData(node));
}

} // namespace

using TFMainStartUp = MainWindowFixture;

TEST_F(TFMainStartUp, StatusRootNodeAndCaptions)
{
    TFMain& main = CreateMain();
    EXPECT_EQ(main.windowTitle(), "Vexa");
    EXPECT_EQ(main.StatusPanel(0), "Vexa 1.0 (compilation: 2/2011)");
    EXPECT_EQ(main.StatusPanel(1), "");
    ASSERT_NE(Root(), nullptr);
    EXPECT_EQ(main.TreeViewMain()->topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), "Vexa 1.0");
    EXPECT_EQ(Images(Root()), std::make_pair(1, -1));
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_EQ(main.TreeViewMain()->currentItem(), Root());
    EXPECT_TRUE(main.ObjectInspector()->isHidden());
    EXPECT_FALSE(main.ActionOpen->isEnabled());
    EXPECT_FALSE(main.ActionSave->isEnabled());
    EXPECT_FALSE(main.ActionDeleteBranch->isEnabled());
    EXPECT_EQ(main.AutoExpandImage(), 9);
    EXPECT_EQ(main.StudyCounter(), 0);
    EXPECT_TRUE(main.WelcomeFlag());
    EXPECT_EQ(ApplicationFolder(), AppFolder());
    EXPECT_EQ(main.PropertiesList()->columnCount(), 2);
    EXPECT_EQ(main.PropertiesList()->columnWidth(0), 114);
    EXPECT_EQ(main.PropertiesList()->columnWidth(1), 91);
}

TEST_F(TFMainStartUp, MenusAsWritten)
{
    TFMain& main = CreateMain();
    QStringList titles;
    for (QAction* a : main.menuBar()->actions())
        titles.append(a->text());
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "Tools", "&View", "&Window", "&Help"}));
    EXPECT_FALSE(main.Menu("&Edit")->menuAction()->isVisible());
    QStringList editItems;
    for (QAction* a : main.Menu("&Edit")->actions())
        editItems.append(a->text());
    EXPECT_EQ(editItems, QStringList({"Cu&t", "&Copy", "&Paste", "&Font..."}));
    EXPECT_NE(main.MenuAction("&View", "&English"), nullptr);
    EXPECT_EQ(main.TreeTitleButton()->text(), "Object browser");
    EXPECT_EQ(main.PropertiesTitleButton()->text(), "Properties");
    EXPECT_EQ(main.MenuAction("&File", "&Open...")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_FALSE(main.MenuAction("&File", "Save as...")->isVisible());
    EXPECT_FALSE(main.MenuAction("&File", "&Save")->isVisible());
    EXPECT_EQ(main.ActionSave->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(main.actions().contains(main.ActionSave)); // the shortcut works with its item hidden
    for (const char* item : {"&Close", "Settings", "E&xit"})
        EXPECT_TRUE(main.MenuAction("&File", item)->isVisible()) << item;
    for (const char* item : {"Normal Distributions", "Binomial Trials", "Go to Resources center"})
        EXPECT_TRUE(main.MenuAction("Tools", item)->isVisible()) << item;
    EXPECT_EQ(main.MenuAction("&View", "Object Inspector")->shortcut(), QKeySequence("F9"));
    EXPECT_NE(main.MenuAction("&View", "&Init page"), nullptr);
    EXPECT_FALSE(main.MenuAction("&View", "&Language")->isVisible());
    EXPECT_NE(main.MenuAction("&View", "&Español"), nullptr);
    EXPECT_FALSE(main.MenuAction("&Window", "Main Page")->isVisible());
    for (const char* item : {"&Cascade", "Tile &Vertical", "Tile &Horizontal", "&Arrange Icons", "&Minimize All"})
        EXPECT_TRUE(main.MenuAction("&Window", item)->isVisible()) << item;
    EXPECT_NE(main.MenuAction("&Help", "&About..."), nullptr);
    EXPECT_NE(main.MenuAction("&Help", "&How to cite this software"), nullptr);
    EXPECT_FALSE(main.MenuAction("&Help", "&Check for a new version")->isVisible());
}

TEST_F(TFMainStartUp, FolderItemsShownOnlyWhenTheFoldersExist)
{
    {
        TFMain& main = CreateMain();
        EXPECT_FALSE(main.MenuAction("Tools", "Excel sheets")->isVisible());
        EXPECT_FALSE(main.MenuAction("Tools", "Documents")->isVisible());
    }
    Main.reset();
    QDir(Folder.path()).mkpath("Docs");
    QDir(Folder.path()).mkpath("Excel");
    TFMain& main = CreateMain();
    EXPECT_TRUE(main.MenuAction("Tools", "Excel sheets")->isVisible());
    EXPECT_TRUE(main.MenuAction("Tools", "Documents")->isVisible());
}

TEST_F(TFMainStartUp, FirstActivationOpensTheWelcomePageOnce)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    EXPECT_TRUE(main.ActionOpen->isEnabled());
    EXPECT_TRUE(main.ActionSave->isEnabled());
    EXPECT_TRUE(main.ObjectInspector()->isHidden());
    EXPECT_FALSE(main.WelcomeFlag());
    ASSERT_EQ(Root()->childCount(), 1);
    QTreeWidgetItem* node = Root()->child(0);
    EXPECT_EQ(node->text(0), "Vexa 1.0 Vexa Home Page");
    EXPECT_EQ(Images(node), std::make_pair(3, 2));
    TFWebNav* welcome = WebWindowOf(node);
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->windowTitle(), "Vexa 1.0 Vexa Home Page");
    EXPECT_FALSE(welcome->AskOnClose());
    EXPECT_EQ(welcome->PropertyEditor(), main.PropertiesList());
    ASSERT_NE(BrowserOf(welcome), nullptr);
    EXPECT_EQ(BrowserOf(welcome)->Navigations().value(0), AppFolder() + "vexainit.htm");
    EXPECT_TRUE(main.ActionDeleteBranch->isEnabled());

    main.FormActivate();
    EXPECT_EQ(Root()->childCount(), 1);
}

TEST_F(TFMainStartUp, MissingWelcomePageShowsTheHomeAddress)
{
    QFile::remove(AppFolder() + "vexainit.htm");
    TFMain& main = CreateMain();
    main.FormActivate();
    ASSERT_EQ(Root()->childCount(), 1);
    EXPECT_EQ(BrowserOf(WebWindowOf(Root()->child(0)))->Navigations().value(0), HomeAddress);
}

TEST_F(TFMainStartUp, ClosingAWebPageBringsTheWelcomePageBack)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    WebWindowOf(Root()->child(0))->close();
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_TRUE(main.WelcomeFlag());
    main.FormActivate();
    ASSERT_EQ(Root()->childCount(), 1);
    EXPECT_EQ(Root()->child(0)->text(0), "Vexa 1.0 Vexa Home Page");
}

TEST_F(TFMainStartUp, InitPageOnlySelectsTheRootWhileTheWelcomePageIsOpen)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    main.MenuAction("&View", "&Init page")->trigger();
    EXPECT_EQ(Root()->childCount(), 1);
    EXPECT_EQ(main.TreeViewMain()->currentItem(), Root());
}

TEST_F(TFMainStartUp, TreeImagesComeFromBesideTheProgram)
{
    QDir().mkpath(AppFolder() + "images");
    for (const QString& name : QDir(SourceFile("resources/app/images")).entryList({"*.png"}, QDir::Files))
        QFile::copy(SourceFile("resources/app/images/") + name, AppFolder() + "images/" + name);
    TFMain& main = CreateMain();
    main.FormActivate();
    EXPECT_FALSE(Root()->icon(0).isNull());
    const QIcon page = Root()->child(0)->icon(0);
    ASSERT_FALSE(page.isNull());
    // image 3, and image 2 while selected
    EXPECT_NE(page.pixmap(16, 16, QIcon::Normal).toImage(), page.pixmap(16, 16, QIcon::Selected).toImage());
    EXPECT_FALSE(main.ActionOpen->icon().isNull());
}

namespace {

// A monotonic clock that moves a quarter of a second at every reading.
class SteppingClock : public platform::Clock {
public:
    double Now() const override { return 45000.0; }
    double MonotonicSeconds() const override
    {
        ++Reads;
        if (OnRead)
            OnRead();
        const double t = m_seconds;
        m_seconds += 0.25;
        return t;
    }
    std::uint64_t HighResCounter() const override { return 0; }
    std::uint64_t HighResFrequency() const override { return 1000000; }

    mutable int Reads = 0;
    std::function<void()> OnRead;

private:
    mutable double m_seconds = 0.0;
};

bool SplashOnScreen()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TFAbout*>(w) && w->isVisible())
            return true;
    return false;
}

} // namespace

TEST_F(TFMainStartUp, SplashStaysOneSecondAndNoMessageIsHandledMeanwhile)
{
    SteppingClock clock;
    bool delivered = false;
    bool splashSeen = true;
    clock.OnRead = [&] {
        if (clock.Reads == 1)
            QMetaObject::invokeMethod(qApp, [&] { delivered = true; }, Qt::QueuedConnection);
        splashSeen = splashSeen && SplashOnScreen();
    };
    {
        platform::ScopedClock scoped(clock);
        Main = std::make_unique<TFMain>(TFMainOptions{1.0, Folder.path()});
    }
    EXPECT_GE(clock.Reads, 5); // start, then 0.25, 0.5, 0.75 and 1.0 seconds later
    EXPECT_TRUE(splashSeen);
    EXPECT_FALSE(delivered);
    EXPECT_FALSE(SplashOnScreen()); // freed after the wait
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered);
}

// During its second the splash shows its picture on the screen, not the
// black of a window never painted.
TEST_F(TFMainStartUp, TheSplashIsPaintedDuringItsWait)
{
    SteppingClock clock;
    QImage onScreen;
    QImage own;
    clock.OnRead = [&] {
        if (clock.Reads != 2)
            return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TFAbout*>(w) && w->isVisible()) {
                onScreen = w->screen()->grabWindow(w->winId()).toImage();
                own = w->grab().toImage();
            }
    };
    {
        platform::ScopedClock scoped(clock);
        Main = std::make_unique<TFMain>(TFMainOptions{1.0, Folder.path()});
    }
    ASSERT_FALSE(onScreen.isNull());
    ASSERT_EQ(onScreen.size(), own.size());
    onScreen.save(QCoreApplication::applicationDirPath() + QStringLiteral("/splash_on_screen.png"));
    int same = 0, black = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x) {
            same += (onScreen.pixel(x, y) & 0xFFFFFF) == (own.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
            black += (onScreen.pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
        }
    const int all = own.width() * own.height();
    EXPECT_GT(same, all * 9 / 10);
    EXPECT_LT(black, all / 2);
}

using TFMainInspector = MainWindowFixture;

TEST_F(TFMainInspector, F9TwiceHidesPanelAndSplitterAgain)
{
    TFMain& main = CreateMain();
    main.show();
    main.ActionViewObjectInspector->trigger();
    EXPECT_FALSE(main.ObjectInspector()->isHidden());
    EXPECT_FALSE(main.InspectorSplitterHandle()->isHidden());
    EXPECT_TRUE(main.ActionViewObjectInspector->isChecked());
    main.ActionViewObjectInspector->trigger();
    EXPECT_TRUE(main.ObjectInspector()->isHidden());
    EXPECT_TRUE(main.InspectorSplitterHandle()->isHidden());
    EXPECT_FALSE(main.ActionViewObjectInspector->isChecked());
    // activation follows the check mark
    main.ActionViewObjectInspector->setChecked(true);
    main.FormActivate();
    EXPECT_FALSE(main.ObjectInspector()->isHidden());
}

TEST_F(TFMainInspector, PropertiesTitleButtonCollapsesAndRestores)
{
    TFMain& main = CreateMain();
    main.show();
    main.ToolButton1Click();
    QAbstractButton* button = main.PropertiesTitleButton();
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(button->height(), 15);
    button->click();
    EXPECT_EQ(main.PropertiesPanel()->maximumHeight(), 15);
    EXPECT_FALSE(button->isChecked());
    button->click();
    EXPECT_EQ(main.PropertiesPanel()->minimumHeight(), 0);
    EXPECT_EQ(main.PropertiesPanel()->maximumHeight(), QWIDGETSIZE_MAX);
    EXPECT_TRUE(button->isChecked());
    // the tree panel is not the last one: it gets half the inspector's height
    main.TreeTitleButton()->click();
    EXPECT_EQ(main.TreePanel()->maximumHeight(), 15);
    main.TreeTitleButton()->click();
    EXPECT_EQ(main.TreePanel()->height(), main.ObjectInspector()->height() / 2);
}

TEST_F(TFMainInspector, AutoExpandButtonImages)
{
    TFMain& main = CreateMain();
    main.ActionTreeAutoExpand->trigger();
    EXPECT_TRUE(main.AutoExpand());
    EXPECT_EQ(main.AutoExpandImage(), 8);
    main.ActionTreeAutoExpand->trigger();
    EXPECT_EQ(main.AutoExpandImage(), 9);
}

TEST_F(TFMainInspector, PlaceholderMessages)
{
    TFMain& main = CreateMain();
    main.MenuAction("&File", "Settings")->trigger();
    main.ActionSave->setEnabled(true);
    main.ActionSave->trigger(); // no child window: nothing
    main.NewDataForm_Normales(&main);
    main.ActionSave->trigger();
    main.Checkfornewversion1Click();
    EXPECT_EQ(Dialogs.MessageTexts(),
              QStringList({"llamada a settings", "se guarda... algo", "todavia no esta implementado"}));
    EXPECT_EQ(main.StatusPanel(1), "");
}

TEST_F(TFMainInspector, AboutBoxShowsTheCreditsPage)
{
    TFMain& main = CreateMain();
    main.MenuAction("&Help", "&About...")->trigger();
    EXPECT_TRUE(AboutShown);
    EXPECT_EQ(AboutPageInFront, 2);
}

class TFMainOpen : public MainWindowFixture {
protected:
    // One error box with the unreadable-file text for file, and nothing opened.
    void ExpectOnlyUnreadableFileBox(const TFMain& main, const QString& file)
    {
        EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Unable to read \r" + file + "\ras a VEXA valid file"}));
        ASSERT_FALSE(Dialogs.Calls().empty());
        EXPECT_EQ(Dialogs.Calls().back().icon, platform::MsgIcon::Error);
        EXPECT_EQ(Dialogs.Calls().back().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(Root()->childCount(), 0);
        EXPECT_TRUE(OpenChildren().isEmpty());
        EXPECT_EQ(main.StudyCounter(), 0);
        EXPECT_EQ(CurrentWaitWindow(), nullptr);
    }
};

TEST_F(TFMainOpen, OpenDialogStartsInTheXmlFolder)
{
    TFMain& main = CreateMain();
    main.ActionOpenExecute(); // cancelled
    ASSERT_EQ(Dialogs.Calls().size(), 1u);
    const platform::FileDialogRequest& r = Dialogs.Calls()[0].request;
    EXPECT_EQ(r.fileName, AppFolder() + "xml/*.xml");
    EXPECT_EQ(r.defaultExt, "*.xml");
    EXPECT_EQ(r.filter, "XML files (*.xml)|*.XML|Web page (*.htm)|*.htm; *.html|All files (*.*)|*.*");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(Root()->childCount(), 0);
}

TEST_F(TFMainOpen, OpenDialogWithoutAnXmlFolderStartsBesideTheProgram)
{
    QDir(AppFolder() + "xml").removeRecursively();
    TFMain& main = CreateMain();
    main.ActionOpenExecute();
    ASSERT_EQ(Dialogs.Calls().size(), 1u);
    EXPECT_EQ(Dialogs.Calls()[0].request.fileName, AppFolder() + "*.xml");
}

TEST_F(TFMainOpen, WaitWindowShowsWhileTheDocumentLoads)
{
    TFMain& main = CreateMain();
    QString text;
    QSize size;
    int pointSize = 0;
    // runs while the wait window paints itself
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<TFMsge*>(w); m && m->isVisible()) {
                    text = m->Text->text();
                    size = m->size();
                    pointSize = m->Text->font().pointSize();
                }
        },
        Qt::QueuedConnection);
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    EXPECT_EQ(text, "\nLeyendo datos...");
    EXPECT_EQ(size, QSize(225, 125));
    EXPECT_EQ(pointSize, 10);
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Estudio 1"}));
}

TEST_F(TFMainOpen, PopulationStudiesGoIntoNumberedFolders)
{
    TFMain& main = CreateMain();
    OpenThroughDialog(XmlFile("estudio_alturas_pesos.xml"));
    OpenThroughDialog(XmlFile("estudio_presion_arterial.xml"));
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty()) << Dialogs.MessageTexts().join("|").toStdString();
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Estudio 1", "Estudio 2"}));
    for (int i = 0; i < 2; ++i) {
        QTreeWidgetItem* folder = Root()->child(i);
        EXPECT_TRUE(IsFolderNode(folder));
        EXPECT_EQ(Images(folder), std::make_pair(6, 5));
        ASSERT_EQ(folder->childCount(), 1);
        QTreeWidgetItem* node = folder->child(0);
        EXPECT_EQ(node->text(0), QString("Población %1").arg(i + 1));
        EXPECT_EQ(Images(node), std::make_pair(8, 7));
        auto* window = qobject_cast<TFPoblacion*>(NodeData(node));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), node->text(0));
        EXPECT_EQ(window->TreeNode(), node);
        EXPECT_EQ(window->PropertyEditor(), main.PropertiesList());
        EXPECT_FALSE(window->Vexa().IsNull());
        EXPECT_NE(window->Poblacion(), nullptr);
    }
    auto* first = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    auto* second = qobject_cast<TFPoblacion*>(NodeData(Root()->child(1)->child(0)));
    // each study keeps its own document
    EXPECT_NE(first->DataSource(), second->DataSource());
    EXPECT_EQ(first->DataName(), XmlFile("estudio_alturas_pesos.xml"));
    EXPECT_FALSE(first->Vexa() .Element() == second->Vexa().Element());
    EXPECT_EQ(main.StudyCounter(), 2);
    EXPECT_EQ(main.TreeViewMain()->currentItem(), Root()->child(1)->child(0));
    EXPECT_GT(main.PropertiesList()->rowCount(), 0);
}

TEST_F(TFMainOpen, ProcessStudyOpensTheBinomialTrialsWindow)
{
    TFMain& main = CreateMain();
    OpenThroughDialog(XmlFile("proceso_lanzamiento_moneda.xml"));
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty());
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Población  1"}));
    QTreeWidgetItem* folder = Root()->child(0);
    EXPECT_EQ(Images(folder), std::make_pair(17, 16));
    ASSERT_EQ(ChildTexts(folder), QStringList({"Estudio  1"}));
    EXPECT_EQ(Images(folder->child(0)), std::make_pair(16, 17));
    auto* window = qobject_cast<TFProceso*>(NodeData(folder->child(0)));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DataSource(), nullptr);
    EXPECT_EQ(window->PropertyEditor(), nullptr);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(main.StudyCounter(), 1);
}

TEST_F(TFMainOpen, UnknownKindIsReportedAndNothingElse)
{
    TFMain& main = CreateMain();
    const QString file = XmlFile("documento_tipo_desconocido.xml");
    OpenThroughDialog(file);
    ExpectOnlyUnreadableFileBox(main, file);
}

TEST_F(TFMainOpen, FormTextIsComparedOnItsFirstThreeLettersWithoutCase)
{
    TFMain& main = CreateMain();
    for (const char* form : {"Population", "POPULATION"})
        main.OpenDataFile(WriteFile(QString("xml/%1.xml").arg(form),
                                    QByteArray("<vexa><app ver=\"1.0\"><init form=\"") + form +
                                        "\"/></app><system name=\"x\"/></vexa>"));
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Estudio 1", "Estudio 2"}));
    const QString shortForm = WriteFile("xml/pr.xml", "<vexa><app ver=\"1.0\"><init form=\"pr\"/></app></vexa>");
    main.OpenDataFile(shortForm);
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Unable to read \r" + shortForm + "\ras a VEXA valid file"}));
}

TEST_F(TFMainOpen, MalformedDocumentGivesOneErrorBoxAndNothingElse)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    const QString file = WriteFile("xml/broken.xml", "<vexa><app ver=\"1.0\"><init form=\"pop\"></app>");
    OpenThroughDialog(file);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].contains(file)) << Dialogs.MessageTexts()[0].toStdString();
    EXPECT_EQ(Dialogs.Calls().back().icon, platform::MsgIcon::Error);
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page"}));
    EXPECT_EQ(OpenChildren().size(), 1);
    EXPECT_EQ(main.StudyCounter(), 0);
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
}

TEST_F(TFMainOpen, MissingFileIsReportedWithItsName)
{
    TFMain& main = CreateMain();
    const QString missing = AppFolder() + "xml/none.xml";
    main.OpenDataFile(missing);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].contains(missing));
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_TRUE(OpenChildren().isEmpty());
}

TEST_F(TFMainOpen, ForeignRootIsNoVexaFileEvenWithAPopulationForm)
{
    TFMain& main = CreateMain();
    const QString foreign =
        WriteFile("xml/other.xml", "<estudio><app ver=\"1.0\"><init form=\"pop\"/></app></estudio>");
    main.OpenDataFile(foreign);
    ExpectOnlyUnreadableFileBox(main, foreign);
}

TEST_F(TFMainOpen, ForeignRootReportsTheNameAsGiven)
{
    TFMain& main = CreateMain();
    // here a link's address
    const QString url = QUrl::fromLocalFile(WriteFile("xml/Vexa.xml", "<Vexa/>")).toString();
    main.OpenDataFile(url);
    ExpectOnlyUnreadableFileBox(main, url);
}

TEST_F(TFMainOpen, WebPagesByExtension)
{
    TFMain& main = CreateMain();
    const QString page = WriteFile("a.HTML", "<html></html>");
    OpenThroughDialog(page);
    ASSERT_EQ(ChildTexts(Root()), QStringList({"a.HTML"}));
    TFWebNav* window = WebWindowOf(Root()->child(0));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->AskOnClose());
    EXPECT_EQ(Images(Root()->child(0)), std::make_pair(3, 2));
    EXPECT_EQ(BrowserOf(window)->Navigations().value(0), page);
    // a missing page shows the home address
    TFWebNav* missing = main.OpenLocalWebFile(&main, AppFolder() + "gone.htm", Root());
    EXPECT_EQ(BrowserOf(missing)->Navigations().value(0), HomeAddress);
    EXPECT_EQ(missing->windowTitle(), "gone.htm");
}

// A sample saved as a data file is no study: the user learns which kinds of
// file the program opens, and nothing else happens.
TEST_F(TFMainOpen, AFileOfAnotherKindSaysWhichKindsOpen)
{
    TFMain& main = CreateMain();
    for (const char* name : {"muestra.csv", "muestra.sps", "muestra.txt"}) {
        const QString file = WriteFile(QString::fromLatin1(name), "1;2\r\n");
        OpenThroughDialog(file);
        ASSERT_EQ(Dialogs.MessageTexts().size(), 1) << name;
        EXPECT_EQ(Dialogs.MessageTexts()[0],
                  QStringLiteral("Unable to open \r") + file +
                      QStringLiteral("\rVeXA opens studies (*.xml) and web pages (*.htm, *.html)."));
        Dialogs.Clear();
    }
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_TRUE(OpenChildren().isEmpty());
    EXPECT_EQ(main.StudyCounter(), 0);
}

TEST_F(TFMainOpen, LinkToAStudyInAWebPageOpensIt)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    platform::FakeWebView* browser = BrowserOf(WebWindowOf(Root()->child(0)));
    const QString link = QUrl::fromLocalFile(XmlFile("estudio_alturas_pesos.xml")).toString();
    browser->FollowLink(link);
    QCoreApplication::processEvents(); // the page hands the study over after its callback
    EXPECT_TRUE(browser->Cancelled().contains(link));
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty()) << Dialogs.MessageTexts().join("|").toStdString();
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page", "Estudio 1"}));
    EXPECT_EQ(ChildTexts(Root()->child(1)), QStringList({"Población 2"}));
    auto* window = qobject_cast<TFPoblacion*>(NodeData(Root()->child(1)->child(0)));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DataName(), link);
}

TEST_F(TFMainOpen, ToolsPagesGoFirstUnderTheRoot)
{
    QDir(Folder.path()).mkpath("Excel");
    QDir(Folder.path()).mkpath("Docs");
    TFMain& main = CreateMain();
    main.MenuAction("Tools", "Excel sheets")->trigger();
    main.MenuAction("Tools", "Documents")->trigger();
    main.MenuAction("Tools", "Go to Resources center")->trigger();
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0", "Vexa 1.0 Documents", "Vexa 1.0 Excel sheets"}));
    EXPECT_EQ(BrowserOf(WebWindowOf(Root()->child(0)))->Navigations().value(0), ResourcesAddress);
    EXPECT_EQ(BrowserOf(WebWindowOf(Root()->child(2)))->Navigations().value(0),
              QUrl::fromLocalFile(AppFolder() + "Excel").toString());
    EXPECT_TRUE(main.WelcomeFlag());
}

using TFMainTree = MainWindowFixture;

TEST_F(TFMainTree, NormalDistributionsFolder)
{
    TFMain& main = CreateMain();
    TFNormales* window = main.NewDataForm_Normales(&main);
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Distribucion"}));
    EXPECT_EQ(Images(Root()->child(0)), std::make_pair(19, 19));
    ASSERT_EQ(ChildTexts(Root()->child(0)), QStringList({"Dist. Normal(1)"}));
    EXPECT_EQ(Images(Root()->child(0)->child(0)), std::make_pair(19, 19));
    EXPECT_EQ(NodeData(Root()->child(0)->child(0)), window);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(main.StudyCounter(), 1);
}

TEST_F(TFMainTree, SampleWindowRenamesTheStudyFolder)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    main.OpenDataFile(XmlFile("estudio_presion_arterial.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    ASSERT_NE(population, nullptr);
    main.NewChildForm_Muestra(population);
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Analysis 2", "Estudio 2"}));
    ASSERT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1", "Ensayo 3"}));
    QTreeWidgetItem* node = Root()->child(0)->child(1);
    EXPECT_EQ(Images(node), std::make_pair(12, 12));
    auto* sample = qobject_cast<TFMuestra*>(NodeData(node));
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->Vexa().Element() == population->Vexa().Element());
    EXPECT_EQ(sample->Poblacion(), population->Poblacion());
    EXPECT_EQ(sample->PropertyEditor(), nullptr);
    EXPECT_TRUE(sample->isMaximized());
    EXPECT_EQ(main.StudyCounter(), 2);
    EXPECT_EQ(population->Samples(), QList<TFMuestra*>({sample}));
}

TEST_F(TFMainTree, SampleOfAnythingButAPopulationIsAnInvalidCast)
{
    TFMain& main = CreateMain();
    TFNormales* normal = main.NewDataForm_Normales(&main);
    EXPECT_THROW(main.NewChildForm_Muestra(normal), std::runtime_error);
    EXPECT_EQ(OpenChildren().size(), 1);
}

TEST_F(TFMainTree, ClosingThePopulationClosesItsSamples)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    QPointer<TFMuestra> sample = population->Samples().value(0);
    population->close();
    ProcessDeferredDeletes();
    EXPECT_TRUE(sample.isNull());
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_TRUE(OpenChildren().isEmpty());
}

TEST_F(TFMainTree, DeleteBranchAsksAndClosesEveryStudyOnYes)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(1)->child(0)));
    main.NewChildForm_Muestra(population);
    main.NewDataForm_Proceso(&main);
    main.NewDataForm_Normales(&main);
    ASSERT_EQ(OpenChildren().size(), 5);

    main.TreeViewMain()->setCurrentItem(Root());
    Dialogs.QueueAnswer(platform::MsgAnswer::No);
    main.ActionDeleteBranch->trigger();
    ASSERT_EQ(Dialogs.MessageTexts(), QStringList({"Please, confirm to delete."}));
    EXPECT_EQ(Dialogs.Calls().back().buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(Dialogs.Calls().back().icon, platform::MsgIcon::Confirmation);
    EXPECT_EQ(OpenChildren().size(), 5);
    EXPECT_EQ(Root()->childCount(), 4);

    Dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    main.ActionDeleteBranch->trigger();
    ProcessDeferredDeletes();
    EXPECT_TRUE(OpenChildren().isEmpty());
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_EQ(main.TreeViewMain()->topLevelItemCount(), 1);
}

TEST_F(TFMainTree, DeleteBranchOfAWindowNodeClosesThatWindow)
{
    TFMain& main = CreateMain();
    main.NewDataForm_Normales(&main);
    main.NewDataForm_Proceso(&main);
    main.TreeViewMain()->setCurrentItem(Root()->child(0)->child(0));
    Dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    main.ActionDeleteBranchExecute();
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Población  2"}));
    // an empty folder asks nothing and does nothing
    main.NewBranchExecute();
    Dialogs.Clear();
    main.ActionDeleteBranchExecute();
    EXPECT_TRUE(Dialogs.Calls().empty());
}

TEST_F(TFMainTree, ClosingMovesChildNodesUpAndRemovesEmptyFolders)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    QTreeWidgetItem* folder = Root()->child(0);
    auto* population = qobject_cast<TFPoblacion*>(NodeData(folder->child(0)));
    main.NewChildForm_Web(population, true, "https://example.org/page.htm");
    ASSERT_EQ(ChildTexts(folder->child(0)), QStringList({"Vexa 1.0 ** "}));
    EXPECT_EQ(Images(folder->child(0)->child(0)), std::make_pair(3, 2));
    TFWebNav* web = WebWindowOf(folder->child(0)->child(0));
    EXPECT_EQ(web->OwnerWindow(), population);

    population->close();
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Estudio 1"}));
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Vexa 1.0 ** "}));
    EXPECT_TRUE(IsFolderNode(Root()->child(0)));

    web->close();
    EXPECT_EQ(Root()->childCount(), 0);
}

TEST_F(TFMainTree, ClosingAPageNeverRemovesTheWindowNodeItHangsOn)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    auto* sample = population->Samples().value(0);
    main.NewChildForm_Web(sample, true, "https://example.org/help.htm");
    QTreeWidgetItem* sampleNode = sample->TreeNode();
    ASSERT_EQ(sampleNode->childCount(), 1);
    WebWindowOf(sampleNode->child(0))->close();
    EXPECT_EQ(sample->TreeNode(), sampleNode);
    EXPECT_EQ(NodeData(sampleNode), sample);
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1", "Ensayo 2"}));
    // a page beside the population (not as its child) goes first into its folder
    main.NewChildForm_Web(population, false, "https://example.org/other.htm");
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Vexa 1.0 ** ", "Población 1", "Ensayo 2"}));
    main.NewChildForm_Web(population, false, QString());
    EXPECT_EQ(Root()->child(0)->childCount(), 3);
}

TEST_F(TFMainTree, GetFolderWalksUpToTheFirstFolder)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    QTreeWidgetItem* folder = Root()->child(0);
    main.TreeViewMain()->setCurrentItem(folder->child(0));
    EXPECT_EQ(main.TreeViewMainGetFolder(1), folder);
    main.TreeViewMain()->setCurrentItem(Root());
    EXPECT_EQ(main.TreeViewMainGetFolder(1), nullptr);
    EXPECT_EQ(main.TreeViewMainGetFolder(0), Root());
    main.NewBranchExecute();
    EXPECT_EQ(Root()->child(1)->text(0), "0");
    EXPECT_EQ(main.TreeViewMain()->currentItem(), Root()->child(1));
}

TEST_F(TFMainTree, LogWindowHangsFirstUnderTheRootRenamedTools)
{
    TFMain& main = CreateMain();
    main.NewDataForm_Normales(&main);
    main.SetStatusLog(nullptr, true);
    ASSERT_NE(main.LogWindow(), nullptr);
    EXPECT_EQ(Root()->text(0), "Tools");
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Log", "Distribucion"}));
    EXPECT_EQ(Images(Root()->child(0)), std::make_pair(18, 18));
    EXPECT_EQ(main.LogNode(), Root()->child(0));
    EXPECT_EQ(main.LogWindow()->windowTitle(), "Log");

    main.TreeViewMain()->setCurrentItem(Root());
    main.SetStatusLog(nullptr, true);
    EXPECT_EQ(Root()->childCount(), 2);
    EXPECT_EQ(main.TreeViewMain()->currentItem(), main.LogNode());

    // a later activation keeps what the log's editor knows of its text
    TTextEditor* editor = main.LogWindow()->Editor();
    EXPECT_EQ(editor->DefaultExt(), ".txt");
    editor->Memo()->insertPlainText(QStringLiteral("line"));
    main.LogWindow()->FormActivate();
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(main.LogWindow()->windowTitle(), "Log");

    main.LogWindow()->close();
    EXPECT_EQ(main.LogWindow(), nullptr);
    EXPECT_EQ(main.LogNode(), nullptr);
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Distribucion"}));
}

TEST_F(TFMainTree, ActiveDataStatusText)
{
    TFMain& main = CreateMain();
    TFNormales* first = main.NewDataForm_Normales(&main);
    TFProceso* second = main.NewDataForm_Proceso(&main);
    first->SetKind(ChildKindActiveData);
    first->SetTag(4);
    main.ActiveData_Set(first);
    EXPECT_EQ(main.StatusPanel(1), "Active data: Dist. Normal(1) [4]");
    EXPECT_TRUE(first->Registered());
    main.ActiveData_Set(second);
    EXPECT_FALSE(first->Registered());
    main.ActiveData_DelNotify(second);
    EXPECT_EQ(second->Kind(), ChildKindPassive);
    EXPECT_EQ(main.ActiveData(), first);
    main.ActiveData_DelNotify(first);
    EXPECT_EQ(main.StatusPanel(1), "Active data: None");
    EXPECT_EQ(main.ActiveData(), nullptr);
}

TEST_F(TFMainTree, DeletionHandlerSeesTheTreeBeforeTheNodeGoes)
{
    TFMain& main = CreateMain();
    main.NewBranchExecute();
    main.TreeViewMain()->setCurrentItem(Root());
    ASSERT_EQ(Root()->childCount(), 1);
    main.PropertiesList()->setRowCount(2);
    // while its only child goes the root still holds it: nothing is reset
    delete Root()->child(0);
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_EQ(main.PropertiesList()->rowCount(), 2);

    // a node deleted while the root has no child resets the properties
    auto* other = new QTreeWidgetItem(QStringList({"x"}));
    main.TreeViewMain()->addTopLevelItem(other);
    main.TreeViewMain()->setCurrentItem(Root());
    main.PropertiesList()->setRowCount(2);
    delete other;
    EXPECT_EQ(main.PropertiesList()->rowCount(), 0);
}

TEST_F(TFMainTree, SelectingANodeShowsItsWindowAndProperties)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    main.NewDataForm_Normales(&main);
    QTreeWidgetItem* node = Root()->child(0)->child(0);
    main.TreeViewMain()->setCurrentItem(node);
    main.TreeViewMainClick();
    EXPECT_EQ(main.MDIArea()->activeSubWindow(), NodeData(node));
    EXPECT_GT(main.PropertiesList()->rowCount(), 0);
    main.TreeViewMain()->setCurrentItem(Root());
    EXPECT_EQ(main.PropertiesList()->rowCount(), 0);
}

TEST_F(TFMainOpen, CascadeGivesEveryWindowTheSameSizeInsideTheArea)
{
    TFMain& main = CreateMain();
    main.resize(1000, 800);
    main.show();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    main.OpenLocalWebFile(&main, WriteFile(QStringLiteral("a.htm"), "<html></html>"), nullptr);
    ASSERT_GE(OpenChildren().size(), 3); // welcome page, population, page
    main.MenuAction("&Window", "&Cascade")->trigger();
    const QRect area = main.MDIArea()->viewport()->rect();
    const QSize size = OpenChildren().first()->size();
    EXPECT_GE(size.width(), area.width() * 2 / 3);
    EXPECT_GE(size.height(), area.height() * 2 / 3);
    for (TFMDIChild* child : OpenChildren()) {
        EXPECT_FALSE(child->isMaximized()) << child->windowTitle().toStdString();
        EXPECT_EQ(child->size(), size) << child->windowTitle().toStdString();
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
    }
}
