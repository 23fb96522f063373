#include "window_base/web_editor.h"

#include "platform/desktop.h"
#include "testing/fake_web_view.h"
#include "support/shell_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>

namespace {

using platform::FakeWebView;
using platform::MsgAnswer;

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class TWebEditorTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Editor = std::make_unique<TWebEditor>();
        Browser = dynamic_cast<FakeWebView*>(Editor->WebBrowser1);
        ASSERT_NE(Browser, nullptr);
        ASSERT_TRUE(Dir.isValid());
    }
    void TearDown() override
    {
        Editor.reset();
        platform::SetDesktopOpener(nullptr);
        ShellFixture::TearDown();
    }
    QString Path(const QString& name) const { return Dir.filePath(name); }

    std::unique_ptr<TWebEditor> Editor;
    FakeWebView* Browser = nullptr;
    QTemporaryDir Dir;
};

TEST_F(TWebEditorTest, ControlsCarryTheirTextsAndHints)
{
    EXPECT_EQ(Editor->tbHome->toolTip(), QStringLiteral("Go to init page"));
    EXPECT_EQ(Editor->tbBack->toolTip(), QStringLiteral("Navigate back"));
    EXPECT_EQ(Editor->tbForward->toolTip(), QStringLiteral("Navigate forward"));
    EXPECT_EQ(Editor->tbReload->toolTip(), QStringLiteral("Reload"));
    EXPECT_EQ(Editor->bCancel->toolTip(), QStringLiteral("Stop"));
    EXPECT_EQ(Editor->bGo->text(), QStringLiteral("Go!"));
    EXPECT_EQ(Editor->URLbar->text(), QStringLiteral("..."));
    EXPECT_EQ(Editor->SpeedButton1->toolTip(), QStringLiteral("Open in your browser"));
    EXPECT_TRUE(Editor->bCancel->isHidden());
    EXPECT_TRUE(Editor->ProgressBar1->isHidden());
    EXPECT_EQ(Editor->ProgressBar1->height(), 7);
    EXPECT_EQ(Editor->StatusPanels[0]->width(), 70);
    EXPECT_EQ(Editor->StatusPanels[1]->width(), 18);
    EXPECT_EQ(Editor->StatusPanels[2]->width(), 1000);
    EXPECT_TRUE(Browser->Silent());
}

TEST_F(TWebEditorTest, SetupAppliesTheVisibilityRule)
{
    Editor->Setup(false, true);
    EXPECT_FALSE(Editor->ToolBarNavControls->isHidden());
    EXPECT_FALSE(Editor->pNavigation->isHidden());
    EXPECT_FALSE(Editor->barNavigation->isHidden());
    EXPECT_TRUE(Editor->ToolBarEdit->isHidden());
    EXPECT_TRUE(Editor->pBarStatus->isHidden());
    EXPECT_TRUE(Editor->tbOpen->isHidden());
    EXPECT_TRUE(Editor->BarTools->isHidden());
    EXPECT_EQ(Editor->View(), 1);
    EXPECT_EQ(Editor->HomePage(), Editor->ProgramFolder() + QStringLiteral("Appl.htm"));

    Editor->Setup(true, false);
    EXPECT_TRUE(Editor->barNavigation->isHidden());
    EXPECT_FALSE(Editor->ToolBarEdit->isHidden());
    EXPECT_FALSE(Editor->pBarStatus->isHidden());
    EXPECT_FALSE(Editor->tbToggle->isHidden());
    EXPECT_FALSE(Editor->tbSave->isHidden());
    EXPECT_FALSE(Editor->barStatus->isHidden());
    EXPECT_TRUE(Editor->tbOpen->isHidden());
}

TEST_F(TWebEditorTest, AddressBarSwitchWaitsForTheNextRule)
{
    Editor->Setup(false, false);
    Editor->SetAddressBarShown(true);
    EXPECT_TRUE(Editor->pNavigation->isHidden());
    Editor->SetNavigationShown(true);
    EXPECT_FALSE(Editor->pNavigation->isHidden());
    EXPECT_FALSE(Editor->ToolBarNavControls->isHidden());
    EXPECT_FALSE(Editor->barNavigation->isHidden());
}

TEST_F(TWebEditorTest, LoadPageShowsTheAddressAsHome)
{
    Editor->LoadPage(QStringLiteral("http://example.org/a.htm"), false, true);
    EXPECT_EQ(Browser->Navigations(), QStringList{QStringLiteral("http://example.org/a.htm")});
    EXPECT_EQ(Editor->HomePage(), QStringLiteral("http://example.org/a.htm"));
    EXPECT_EQ(Editor->CurrentAddress(), QStringLiteral("http://example.org/a.htm"));
    EXPECT_EQ(Editor->URLbar->text(), QStringLiteral("http://example.org/a.htm"));
    EXPECT_TRUE(Editor->IsShown());
    EXPECT_FALSE(Editor->IsModified());
    Editor->tbHomeClick();
    EXPECT_EQ(Browser->Navigations().size(), 2);
}

TEST_F(TWebEditorTest, GoPrefixesHttpOnlyToAddressesWithoutScheme)
{
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("www.uv.es")), QStringLiteral("http://www.uv.es"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("uv.es/x")), QStringLiteral("uv.es/x"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("WWW.UV.ES")), QStringLiteral("WWW.UV.ES"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("http://www.uv.es")), QStringLiteral("http://www.uv.es"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("https://www.uv.es")), QStringLiteral("https://www.uv.es"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("ftp://www.uv.es")), QStringLiteral("ftp://www.uv.es"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("HTTP://www.uv.es")), QStringLiteral("HTTP://www.uv.es"));
    EXPECT_EQ(TWebEditor::GoAddress(QStringLiteral("file:///www/a.htm")), QStringLiteral("file:///www/a.htm"));

    Editor->URLbar->setText(QStringLiteral("www.uv.es"));
    Browser->OnDocumentComplete = nullptr; // keep the loading state on screen
    Editor->bGoClick();
    EXPECT_EQ(Browser->Navigations().last(), QStringLiteral("http://www.uv.es"));
    EXPECT_TRUE(Editor->tbReload->isHidden());
    EXPECT_FALSE(Editor->bCancel->isHidden());
    Editor->bCancelClick();
    EXPECT_EQ(Browser->StopCount(), 1);
    EXPECT_TRUE(Editor->bCancel->isHidden());
    EXPECT_FALSE(Editor->bGo->isHidden());
}

TEST_F(TWebEditorTest, DocumentCompleteEndsTheLoadingState)
{
    Editor->URLbar->setText(QStringLiteral("http://a/"));
    Editor->bGoClick();
    EXPECT_TRUE(Editor->bCancel->isHidden());
    EXPECT_FALSE(Editor->tbReload->isHidden());
    EXPECT_TRUE(Editor->ProgressBar1->isHidden());
}

TEST_F(TWebEditorTest, CommandStateEnablesBackAndForward)
{
    EXPECT_FALSE(Editor->tbBack->isEnabled());
    EXPECT_FALSE(Editor->tbForward->isEnabled());
    Browser->Navigate(QStringLiteral("a"));
    EXPECT_FALSE(Editor->tbBack->isEnabled());
    Browser->Navigate(QStringLiteral("b"));
    EXPECT_TRUE(Editor->tbBack->isEnabled());
    EXPECT_FALSE(Editor->tbForward->isEnabled());
    Editor->tbBackClick();
    EXPECT_EQ(Browser->LocationURL(), QStringLiteral("a"));
    EXPECT_FALSE(Editor->tbBack->isEnabled());
    EXPECT_TRUE(Editor->tbForward->isEnabled());
    Editor->tbForwardClick();
    EXPECT_EQ(Browser->LocationURL(), QStringLiteral("b"));
    EXPECT_TRUE(Editor->tbBack->isEnabled());
    EXPECT_FALSE(Editor->tbForward->isEnabled());
}

TEST_F(TWebEditorTest, ProgressStepsAndWraps)
{
    bool cancel = false;
    Editor->WebBrowser1BeforeNavigate2(QStringLiteral("x"), cancel);
    EXPECT_FALSE(Editor->ProgressBar1->isHidden());
    EXPECT_EQ(Editor->ProgressBar1->value(), 0);
    for (int i = 0; i < 10; ++i)
        Editor->WebBrowser1ProgressChange(0, 100);
    EXPECT_EQ(Editor->ProgressBar1->value(), 100);
    Editor->WebBrowser1ProgressChange(0, 100);
    EXPECT_EQ(Editor->ProgressBar1->value(), 0);
    Editor->WebBrowser1NavigateComplete2(QStringLiteral("http://x/"));
    EXPECT_TRUE(Editor->ProgressBar1->isHidden());
    EXPECT_EQ(Editor->URLbar->text(), QStringLiteral("http://x/"));
}

TEST_F(TWebEditorTest, NavigateErrorShowsGoAgain)
{
    Editor->bGo->hide();
    Editor->bCancel->show();
    Browser->FailNext(404);
    Browser->Navigate(QStringLiteral("http://missing/"));
    EXPECT_FALSE(Editor->bGo->isHidden());
    EXPECT_TRUE(Editor->bCancel->isHidden());
    EXPECT_TRUE(Editor->ProgressBar1->isHidden());
}

TEST_F(TWebEditorTest, ReloadOnlyWithALocation)
{
    Editor->tbReloadClick();
    EXPECT_EQ(Browser->RefreshCount(), 0);
    Browser->Navigate(QStringLiteral("a"));
    Editor->tbReloadClick();
    EXPECT_EQ(Browser->RefreshCount(), 1);
}

TEST_F(TWebEditorTest, OpenInBrowserHandsOverOnlySafeAddresses)
{
    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });
    const QString page = Path(QStringLiteral("p.htm"));
    WriteAll(page, "<html></html>");
    const QString program = Path(QStringLiteral("run.sh"));
    WriteAll(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    // programs and launchers without the executable bit are programs all the same
    const QString launcher = Path(QStringLiteral("start.desktop"));
    WriteAll(launcher, "[Desktop Entry]\nExec=sh\n");
    const QString jar = Path(QStringLiteral("tool.jar"));
    WriteAll(jar, "PK");
    const QString script = Path(QStringLiteral("plain.sh"));
    WriteAll(script, "#!/bin/sh\n");

    const QStringList good{QStringLiteral("http://www.uv.es/a"), QStringLiteral("https://x.org"),
                           QStringLiteral("mailto:someone@uv.es"), QUrl::fromLocalFile(page).toString(),
                           // a folder listing opens in the file manager
                           QUrl::fromLocalFile(Dir.path()).toString(),
                           QUrl::fromLocalFile(Dir.path() + QLatin1Char('/')).toString()};
    const QStringList bad{QStringLiteral("javascript:alert(1)"), QStringLiteral("ftp://x.org/"),
                          QStringLiteral("www.uv.es"), QStringLiteral("..."),
                          QUrl::fromLocalFile(program).toString(), QUrl::fromLocalFile(launcher).toString(),
                          QUrl::fromLocalFile(jar).toString(), QUrl::fromLocalFile(script).toString(),
                          QUrl::fromLocalFile(Path(QStringLiteral("none.htm"))).toString(),
                          QUrl::fromLocalFile(Path(QStringLiteral("nodir/"))).toString(),
                          QStringLiteral("http:///nohost")};
    for (const QString& address : good) {
        Editor->URLbar->setText(address);
        Editor->SpeedButton1Click();
    }
    EXPECT_EQ(opened.size(), good.size());
    EXPECT_TRUE(Dialogs.Calls().empty());
    for (const QString& address : bad) {
        Editor->URLbar->setText(address);
        Editor->SpeedButton1Click();
    }
    EXPECT_EQ(opened.size(), good.size()) << opened.join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(Dialogs.MessageTexts().size(), bad.size());
    EXPECT_EQ(Dialogs.MessageTexts().first(), QStringLiteral("(ERROR) Invalid URL address"));

    // the desktop refusing is a failure too
    platform::SetDesktopOpener([](const QUrl&) { return false; });
    Editor->URLbar->setText(good.first());
    Editor->SpeedButton1Click();
    EXPECT_EQ(Dialogs.MessageTexts().size(), bad.size() + 1);
}

TEST_F(TWebEditorTest, AddressBoxIsWhiteUnderTheMouse)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(Editor->URLbar->palette().color(QPalette::Base), face);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Editor->URLbar, &enter);
    EXPECT_EQ(Editor->URLbar->palette().color(QPalette::Base), QColor(Qt::white));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Editor->URLbar, &leave);
    EXPECT_EQ(Editor->URLbar->palette().color(QPalette::Base), face);
}

TEST_F(TWebEditorTest, ToolsButtonTogglesTheToolBar)
{
    Editor->bToolsClick();
    EXPECT_FALSE(Editor->BarTools->isHidden());
    EXPECT_EQ(Editor->bTools->property("ImageIndex").toInt(), 1);
    Editor->bToolsClick();
    EXPECT_TRUE(Editor->BarTools->isHidden());
    EXPECT_EQ(Editor->bTools->property("ImageIndex").toInt(), 0);
}

TEST_F(TWebEditorTest, EditModeShowsTheSourceThroughTheTemporaryFile)
{
    const QString file = Path(QStringLiteral("page.htm"));
    WriteAll(file, "<p>uno</p>\n");
    Editor->LoadPage(file, true, false);
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("<p>uno</p>\n"));
    EXPECT_FALSE(Editor->IsModified());
    EXPECT_TRUE(Editor->StatusPanels[0]->text().isEmpty()); // no caret while the page is in front
    EXPECT_EQ(ReadAll(Editor->TempFile()), QByteArray("<p>uno</p>\n"));
    // written in a private folder of the user's temporary folder, never beside the program
    EXPECT_EQ(QFileInfo(Editor->TempFile()).fileName(), QStringLiteral("TempFile~01.htm"));
    EXPECT_EQ(QFileInfo(QFileInfo(Editor->TempFile()).absolutePath()).absolutePath(), QDir(QDir::tempPath()).absolutePath());
    EXPECT_EQ(Browser->Navigations().last(), QUrl::fromLocalFile(Editor->TempFile()).toString());

    // to the source view and back after typing
    Editor->tbToggleClick();
    EXPECT_EQ(Editor->View(), 0);
    EXPECT_EQ(Editor->tbToggle->property("ImageIndex").toInt(), 0);
    EXPECT_TRUE(Editor->barNavigation->isHidden());
    Editor->Memo1->setPlainText(QStringLiteral("<p>dos</p>\n"));
    EXPECT_TRUE(Editor->IsModified());
    EXPECT_FALSE(Editor->IsShown());
    EXPECT_EQ(Editor->StatusPanels[1]->text(), QStringLiteral("*"));
    Editor->Memo1->moveCursor(QTextCursor::End);
    EXPECT_EQ(Editor->StatusPanels[0]->text(), QStringLiteral("    2:    1"));
    const int before = int(Browser->Navigations().size());
    Editor->tbToggleClick();
    EXPECT_EQ(Editor->View(), 1);
    EXPECT_EQ(Browser->Navigations().size(), before + 1);
    EXPECT_EQ(ReadAll(Editor->TempFile()), QByteArray("<p>dos</p>\n"));
    EXPECT_TRUE(Editor->StatusPanels[0]->text().isEmpty());
    // shown already: toggling twice more shows nothing new
    Editor->tbToggleClick();
    Editor->tbToggleClick();
    EXPECT_EQ(Browser->Navigations().size(), before + 1);
}

// Another user's link at the fixed name in the shared folder is never written through.
TEST_F(TWebEditorTest, TheTemporaryPageIsPrivateToTheFrame)
{
    const QByteArray savedTmp = qgetenv("TMPDIR");
    const QString shared = Path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    qputenv("TMPDIR", shared.toLocal8Bit());
    const QString victim = Path(QStringLiteral("victim.txt"));
    WriteAll(victim, "keep");
    ASSERT_TRUE(QFile::link(victim, QDir(shared).filePath(QStringLiteral("TempFile~01.htm"))));
    const QString file = Path(QStringLiteral("page.htm"));
    WriteAll(file, "<p>uno</p>\n");
    Editor->LoadPage(file, true, false);
    TWebEditor other;
    other.LoadPage(file, true, false);
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
    EXPECT_EQ(ReadAll(victim), QByteArray("keep"));
    EXPECT_EQ(ReadAll(Editor->TempFile()), QByteArray("<p>uno</p>\n"));
    const QFileInfo folder(QFileInfo(Editor->TempFile()).absolutePath());
    EXPECT_EQ(QFileInfo(folder.absolutePath()).canonicalFilePath(), QFileInfo(shared).canonicalFilePath());
    EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
    EXPECT_NE(other.TempFile(), Editor->TempFile());
    // gone with the frame
    const QString page = Editor->TempFile();
    Editor.reset();
    EXPECT_FALSE(QFileInfo::exists(page));
    EXPECT_FALSE(QFileInfo::exists(folder.absoluteFilePath()));
}

TEST_F(TWebEditorTest, CaretTextIsRightAligned)
{
    EXPECT_EQ(TWebEditor::CaretText(3, 12), QStringLiteral("    3:   12"));
    EXPECT_EQ(TWebEditor::CaretText(123456, 1), QStringLiteral("23456:    1"));
}

TEST_F(TWebEditorTest, SaveWritesTheSourceAndClearsModified)
{
    const QString file = Path(QStringLiteral("page.htm"));
    WriteAll(file, "a");
    Editor->LoadPage(file, true, false);
    Editor->Memo1->setPlainText(QStringLiteral("b"));
    const QString target = Path(QStringLiteral("saved.htm"));
    Dialogs.QueueFile(target);
    EXPECT_TRUE(Editor->tbSaveClick());
    ASSERT_EQ(Dialogs.Calls().size(), 1u);
    const auto& request = Dialogs.Calls()[0].request;
    EXPECT_EQ(request.initialDir, Dir.path());
    EXPECT_EQ(request.fileName, QStringLiteral("page.htm"));
    EXPECT_EQ(request.defaultExt, QStringLiteral("htm"));
    EXPECT_EQ(request.filter,
              QStringLiteral("All files (*.*) |*.*| HTM files (*.htm) |*.htm| XML files (*.xml) |*.xml"));
    EXPECT_EQ(ReadAll(target), QByteArray("b"));
    EXPECT_EQ(Editor->CurrentAddress(), target);
    EXPECT_FALSE(Editor->IsModified());
    EXPECT_TRUE(Editor->StatusPanels[1]->text().isEmpty());
}

TEST_F(TWebEditorTest, FailedSaveIsReportedAndKeepsTheTextModified)
{
    const QString file = Path(QStringLiteral("page.htm"));
    WriteAll(file, "a");
    Editor->LoadPage(file, true, false);
    Editor->Memo1->setPlainText(QStringLiteral("b"));
    Dialogs.QueueFile(Path(QStringLiteral("no/such/dir/x.htm")));
    EXPECT_FALSE(Editor->tbSaveClick());
    EXPECT_TRUE(Editor->IsModified());
    EXPECT_EQ(Editor->CurrentAddress(), file);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].startsWith(QStringLiteral("Cannot save file")));
    EXPECT_EQ(ReadAll(file), QByteArray("a"));

    Dialogs.QueueFile(std::nullopt);
    EXPECT_FALSE(Editor->tbSaveClick());
    EXPECT_TRUE(Editor->IsModified());
}

TEST_F(TWebEditorTest, SaveKeepsTheFilesEncoding)
{
    const QString file = Path(QStringLiteral("latin.xml"));
    WriteAll(file, "<a>Poblaci\xf3n</a>");
    Editor->LoadPage(file, true, false);
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("<a>Población</a>"));
    Editor->Memo1->setPlainText(QStringLiteral("<a>Población 2</a>"));
    Dialogs.QueueFile(file);
    ASSERT_TRUE(Editor->tbSaveClick());
    EXPECT_EQ(ReadAll(file), QByteArray("<a>Poblaci\xf3n 2</a>"));

    const QString utf8 = Path(QStringLiteral("utf8.xml"));
    WriteAll(utf8, "<a>Poblaci\xc3\xb3n</a>");
    Editor->LoadPage(utf8, true, false);
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("<a>Población</a>"));
}

class TWebEditorOpenTest : public TWebEditorTest {
protected:
    void SetUp() override
    {
        TWebEditorTest::SetUp();
        Current = Path(QStringLiteral("current.htm"));
        Other = Path(QStringLiteral("other.htm"));
        WriteAll(Current, "old");
        WriteAll(Other, "other");
        Editor->LoadPage(Current, true, false);
        Editor->Memo1->setPlainText(QStringLiteral("unsaved"));
    }
    QString Current;
    QString Other;
};

TEST_F(TWebEditorOpenTest, CancelAtTheQuestionKeepsEverything)
{
    Dialogs.QueueAnswer(MsgAnswer::Cancel);
    Editor->tbOpenClick();
    ASSERT_EQ(Dialogs.Calls().size(), 1u);
    EXPECT_EQ(Dialogs.Calls()[0].text, QStringLiteral("Save actual file?"));
    EXPECT_EQ(Dialogs.Calls()[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(Dialogs.Calls()[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("unsaved"));
}

TEST_F(TWebEditorOpenTest, YesWithCancelledSaveDoesNotOpen)
{
    Dialogs.QueueAnswer(MsgAnswer::Yes);
    Dialogs.QueueFile(std::nullopt); // save dialog cancelled
    Dialogs.QueueFile(Other);        // would be the open dialog's answer
    Editor->tbOpenClick();
    EXPECT_EQ(Dialogs.Calls().size(), 2u); // question and save dialog only
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("unsaved"));
    EXPECT_TRUE(Editor->IsModified());
}

TEST_F(TWebEditorOpenTest, YesWithFailedSaveDoesNotOpen)
{
    Dialogs.QueueAnswer(MsgAnswer::Yes);
    Dialogs.QueueFile(Path(QStringLiteral("no/dir/x.htm")));
    Dialogs.QueueFile(Other);
    Editor->tbOpenClick();
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("unsaved"));
    EXPECT_EQ(Editor->CurrentAddress(), Current);
}

TEST_F(TWebEditorOpenTest, YesSavesThenOpens)
{
    Dialogs.QueueAnswer(MsgAnswer::Yes);
    Dialogs.QueueFile(Current);
    Dialogs.QueueFile(Other);
    Editor->tbOpenClick();
    EXPECT_EQ(ReadAll(Current), QByteArray("unsaved"));
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("other"));
    EXPECT_EQ(Editor->CurrentAddress(), Other);
    EXPECT_FALSE(Editor->IsModified());
    const auto& open = Dialogs.Calls()[2].request;
    EXPECT_EQ(Dialogs.Calls()[2].kind, platform::DialogCall::Kind::Open);
    EXPECT_EQ(open.initialDir, Dir.path());
    EXPECT_EQ(open.defaultExt, QStringLiteral("htm"));
    EXPECT_TRUE(open.fileName.isEmpty());
}

TEST_F(TWebEditorOpenTest, NoOpensWithoutSaving)
{
    Dialogs.QueueAnswer(MsgAnswer::No);
    Dialogs.QueueFile(Other);
    Editor->tbOpenClick();
    EXPECT_EQ(ReadAll(Current), QByteArray("old"));
    EXPECT_EQ(Editor->Memo1->toPlainText(), QStringLiteral("other"));
    EXPECT_EQ(ReadAll(Editor->TempFile()), QByteArray("other"));
}

} // namespace

namespace {

class TWebEditorLinks : public TWebEditorTest {
protected:
    void SetUp() override
    {
        TWebEditorTest::SetUp();
        platform::SetDesktopOpener([this](const QUrl& url) {
            Opened.append(url.toString());
            return true;
        });
        for (const char* name : {"guide.pdf", "sheet.xlsx", "run.sh", "start.desktop", "tool.jar", "setup.exe"})
            WriteAll(Path(QLatin1String(name)), "x");
        Browser->Navigate(QUrl::fromLocalFile(Path(QStringLiteral("page.htm"))).toString());
    }
    QString Url(const char* name) const { return QUrl::fromLocalFile(Path(QLatin1String(name))).toString(); }

    QStringList Opened;
};

} // namespace

TEST_F(TWebEditorLinks, OnlyADocumentTheUserClickedGoesToTheDesktop)
{
    Browser->FollowLink(Url("guide.pdf"));
    Browser->FollowLink(Url("sheet.xlsx"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Opened, QStringList({Url("guide.pdf"), Url("sheet.xlsx")}));
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty());
    EXPECT_EQ(Browser->Cancelled(), QStringList({Url("guide.pdf"), Url("sheet.xlsx")}));
}

TEST_F(TWebEditorLinks, ProgramsScriptsAndLaunchersAreNeverHandedOver)
{
    QStringList expected;
    for (const char* name : {"run.sh", "start.desktop", "tool.jar", "setup.exe"}) {
        Browser->FollowLink(Url(name));
        expected.append(QStringLiteral("Unable to open \r") + Path(QLatin1String(name)));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(Opened.isEmpty()) << Opened.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(Dialogs.MessageTexts(), expected);
    EXPECT_EQ(Browser->Cancelled().size(), 4);
}

TEST_F(TWebEditorLinks, APageCannotHandAnythingOverByItself)
{
    for (const char* name : {"guide.pdf", "run.sh", "tool.jar"})
        Browser->PageNavigate(Url(name));
    Browser->PageNavigate(QStringLiteral("mailto:someone@uv.es"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Opened.isEmpty());
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty());
    EXPECT_EQ(Browser->Cancelled().size(), 4);
}

TEST_F(TWebEditorLinks, APageLoadedByTheProgramOpensNoDocument)
{
    // as a study's start-up message pointing at a file
    Editor->LoadPage(Url("tool.jar"), false, false);
    Editor->LoadPage(Url("guide.pdf"), false, false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Opened.isEmpty());
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({QStringLiteral("Unable to open \r") + Path(QStringLiteral("tool.jar")),
                                                   QStringLiteral("Unable to open \r") + Path(QStringLiteral("guide.pdf"))}));
}

TEST_F(TWebEditorLinks, MailLinksGoToTheMailProgram)
{
    Browser->FollowLink(QStringLiteral("mailto:someone@uv.es"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Opened, QStringList{QStringLiteral("mailto:someone@uv.es")});
    EXPECT_EQ(Browser->Cancelled(), QStringList{QStringLiteral("mailto:someone@uv.es")});
    platform::SetDesktopOpener([](const QUrl&) { return false; });
    Browser->FollowLink(QStringLiteral("mailto:other@uv.es"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList{QStringLiteral("Unable to open \rmailto:other@uv.es")});
}

namespace {

// Notes every Qt warning while it lives.
class TWarningLog {
public:
    TWarningLog() { s_log = this; m_previous = qInstallMessageHandler(&Note); }
    ~TWarningLog()
    {
        qInstallMessageHandler(m_previous);
        s_log = nullptr;
    }
    QStringList Warnings;

private:
    static void Note(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (s_log && type != QtDebugMsg && type != QtInfoMsg)
            s_log->Warnings.append(text);
    }
    static inline TWarningLog* s_log = nullptr;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

// The error label is a fifth larger than the frame's font, whether the
// desktop sizes its fonts in pixels (as X11 desktops do) or in points.
TEST(TWebEditorErrorLabel, TakesAFifthMoreOfEitherKindOfSize)
{
    platform::ScopedWebViewFactory fakes{[](QWidget* parent) { return new FakeWebView(parent); }};
    const QFont before = QApplication::font();
    QFont pixels = before;
    pixels.setPixelSize(11);
    QFont points = before;
    points.setPointSize(10);
    for (const QFont& font : {pixels, points}) {
        QApplication::setFont(font);
        TWarningLog log;
        TWebEditor editor;
        auto* label = editor.findChild<QLabel*>(QStringLiteral("lblNavigateError"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(log.Warnings, QStringList()) << font.toString().toStdString();
        if (font.pixelSize() > 0) {
            EXPECT_EQ(label->font().pixelSize(), 13);  // 11 x 1.2 = 13.2
        } else {
            EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 12.0);
        }
    }
    QApplication::setFont(before);
}
