#include "../support/shell_test_support.h"
#include "shell/text_editor.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

void Type(TTextEditor& editor, const QString& text)
{
    editor.Memo()->insertPlainText(text);
}

} // namespace

class TTextEditorTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Editor.Setup();
    }
    QString Read(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

    QTemporaryDir Dir;
    TTextEditor Editor;
};

TEST(TTextEditorNames, LongNamesKeepTheirFirstFiveAndLastTwentyThreeCharacters)
{
    const QString thirty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
    const QString thirtyOne = thirty + QStringLiteral("4");
    EXPECT_EQ(TTextEditor::ShortFileName(thirty), thirty);
    EXPECT_EQ(TTextEditor::ShortFileName(thirtyOne), QStringLiteral("abcde...ijklmnopqrstuvwxyz01234"));
    EXPECT_EQ(TTextEditor::ShortFileName(thirtyOne).size(), 31);
}

TEST_F(TTextEditorTest, SetupDefaults)
{
    EXPECT_EQ(Editor.DefaultExt(), ".txt");
    EXPECT_EQ(Editor.Filter(), "Todos los archivos (*.*)|*.*");
    EXPECT_EQ(Editor.GetArchivo(), "");
    EXPECT_FALSE(Editor.Modified());
    EXPECT_TRUE(Editor.ClearButton()->isHidden());
    EXPECT_TRUE(Editor.ToolBar()->isHidden());
}

TEST_F(TTextEditorTest, StatusPanelsFollowTypingAndTheCaret)
{
    Type(Editor, QStringLiteral("one\ntwo"));
    EXPECT_TRUE(Editor.Modified());
    EXPECT_EQ(Editor.StatusPanel(1), "  *");
    EXPECT_EQ(Editor.StatusPanel(0), "    2:    4");
    EXPECT_FALSE(Editor.ClearButton()->isHidden());
    EXPECT_FALSE(Editor.SaveButton()->isHidden());
    Editor.SetModified(false);
    EXPECT_EQ(Editor.StatusPanel(1), "");
    EXPECT_TRUE(Editor.SaveButton()->isHidden());
}

TEST_F(TTextEditorTest, ToolBarButtonTogglesBarAndImage)
{
    Editor.ToolButton1Click();
    EXPECT_FALSE(Editor.ToolBar()->isHidden());
    EXPECT_EQ(Editor.ToolBarButtonImage(), 1);
    Editor.ToolButton1Click();
    EXPECT_TRUE(Editor.ToolBar()->isHidden());
    EXPECT_EQ(Editor.ToolBarButtonImage(), 0);
}

TEST_F(TTextEditorTest, SaveWritesTheTextAndShowsTheName)
{
    Type(Editor, QStringLiteral("señal\n"));
    const QString path = Dir.path() + QStringLiteral("/a_rather_long_log_file_name_for_the_test.txt");
    Dialogs.QueueFile(path);
    Editor.tbSaveClick();
    EXPECT_EQ(Read(path), QStringLiteral("señal\n"));
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(Editor.GetArchivo(), path);
    EXPECT_EQ(Editor.StatusPanel(2), TTextEditor::ShortFileName(path));
    EXPECT_EQ(Editor.StatusHint(), path);
    // nothing to save: no dialog
    Dialogs.Clear();
    Editor.tbSaveClick();
    EXPECT_TRUE(Dialogs.Calls().empty());
}

TEST_F(TTextEditorTest, FailedSaveKeepsTheTextModified)
{
    Type(Editor, QStringLiteral("x"));
    Dialogs.QueueFile(Dir.path() + QStringLiteral("/missing/folder/x.txt"));
    Editor.tbSaveClick();
    EXPECT_TRUE(Editor.Modified());
    EXPECT_EQ(Editor.GetArchivo(), "");
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].contains("x.txt"));
}

TEST_F(TTextEditorTest, ClearingAskesOnlyWhenModified)
{
    Type(Editor, QStringLiteral("text"));
    Editor.SetModified(false);
    Editor.tbDelClick();
    EXPECT_TRUE(Dialogs.Calls().empty());
    EXPECT_TRUE(Editor.Memo()->toPlainText().isEmpty());

    Type(Editor, QStringLiteral("kept"));
    Dialogs.QueueAnswer(platform::MsgAnswer::Cancel);
    Editor.tbDelClick();
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Save text?"}));
    EXPECT_EQ(Dialogs.Calls().back().buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(Dialogs.Calls().back().icon, platform::MsgIcon::Warning);
    EXPECT_EQ(Editor.Memo()->toPlainText(), "kept");
    EXPECT_TRUE(Editor.Modified());

    Dialogs.QueueAnswer(platform::MsgAnswer::No);
    Editor.tbDelClick();
    EXPECT_TRUE(Editor.Memo()->toPlainText().isEmpty());
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(Editor.StatusPanel(2), "");
}

TEST_F(TTextEditorTest, OpenAsksToSaveAModifiedText)
{
    const QString path = Dir.path() + QStringLiteral("/in.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("line 1\nline 2\n");
    f.close();

    Type(Editor, QStringLiteral("draft"));
    Editor.ToolButton1Click();
    Dialogs.QueueAnswer(platform::MsgAnswer::Cancel);
    Editor.tbOpenClick();
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Save existing text?"}));
    EXPECT_EQ(Dialogs.Calls().size(), 1u); // no open dialog after Cancel
    EXPECT_EQ(Dialogs.Calls().back().buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(Dialogs.Calls().back().icon, platform::MsgIcon::Warning);
    EXPECT_EQ(Editor.Memo()->toPlainText(), "draft");
    EXPECT_TRUE(Editor.ToolBar()->isHidden());

    // Yes with the save dialog cancelled: the text is not replaced
    Dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    Dialogs.QueueFile(std::nullopt);
    Dialogs.QueueFile(path);
    Editor.tbOpenClick();
    EXPECT_EQ(Editor.Memo()->toPlainText(), "draft");

    Dialogs.Clear();
    Dialogs.QueueAnswer(platform::MsgAnswer::No);
    Dialogs.QueueFile(path);
    Editor.tbOpenClick();
    EXPECT_EQ(Editor.Memo()->toPlainText(), "line 1\nline 2\n");
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(Editor.GetArchivo(), path);
    EXPECT_EQ(Editor.StatusHint(), path);
    EXPECT_FALSE(Editor.ClearButton()->isHidden());
}
