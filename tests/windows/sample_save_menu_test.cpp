#include "windows/sample_save_menu.h"

#include "../support/file_size_limit.h"
#include "testing/fake_dialogs.h"
#include "widgets/table_editor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

class TSampleSaveMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sheet.SetTableSize(2, 1);
        m_sheet.SetColName(1, "Sexo");
        m_sheet.SetColName(2, "Peso");
        m_sheet.SetDecPlaces(1, 0);
        m_sheet.SetDecPlaces(2, 1);
        m_sheet.SetElem(1, 1, 2);
        m_sheet.SetElem(2, 1, 64.27);
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    const platform::FileDialogRequest& LastRequest() const { return m_dialogs.Calls().back().request; }

    QTemporaryDir m_dir;
    platform::FakeDialogs m_dialogs;
    platform::ScopedDialogs m_scope{m_dialogs};
    QWidget m_window;
    TNTabEd m_sheet{&m_window, "SampleData"};
    // The SPSS file the writer makes of the sheet.
    QByteArray SpssBytes() const
    {
        return QByteArray::fromStdString(SpssSyntaxText(TSampleSheetView(m_sheet), Variables()));
    }
    static std::vector<TSampleFileVariable> Variables()
    {
        return {{true, "Sexo", "Sexo del sujeto", {{1, "Hombre"}, {2, "Mujer"}}}, {false, "Peso", "Peso corporal", {}}};
    }

    int m_variableReads = 0;
    TSampleSaveMenu m_menu{&m_window, m_sheet, [this] {
                               ++m_variableReads;
                               return Variables();
                           }};
};

} // namespace

TEST_F(TSampleSaveMenuTest, MenuAndDialogAsCreated)
{
    QMenu* menu = m_menu.PopupMenuSave();
    EXPECT_EQ(menu->objectName(), "PopupMenuSave");
    EXPECT_EQ(m_menu.ToolButtonSave()->objectName(), "ToolButtonSave");
    EXPECT_EQ(m_menu.ToolButtonSave()->text(), "Save as");
    EXPECT_EQ(m_menu.ToolButtonSave()->menu(), menu);
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Spss syntax file (*.sps)", "-", "Excel worksheet (*.xls)", "Text csv (*.csv)",
                                     "Plain text (*.txt)", "-", "Decimals are comma delimited"}));
    EXPECT_EQ(m_menu.SaveItem(1)->objectName(), "Sp1");
    EXPECT_EQ(m_menu.SaveItem(4)->objectName(), "extfile1");
    EXPECT_EQ(m_menu.SaveItem(0), nullptr);
    EXPECT_EQ(m_menu.Tag(), 0);
    EXPECT_FALSE(m_menu.DecimalComma());
    EXPECT_EQ(m_menu.SaveDialog1().caption, "Save data as...");
    EXPECT_EQ(m_menu.SaveDialog1().filter, "SPSS sintaxis file (*.sps) | *.sps |Excel filesheet (*.xls)| *.xls|"
                                           "Comma delimited (*.csv)| *.csv|Text file (*.txt) | *.txt |");
    EXPECT_EQ(m_menu.SaveDialog1().filterIndex, 1);
}

TEST_F(TSampleSaveMenuTest, ButtonBeforeAnySaveOpensTheMenu)
{
    m_menu.ToolButtonSave()->click();
    EXPECT_TRUE(m_menu.PopupMenuSave()->isVisible());
    EXPECT_TRUE(m_dialogs.Calls().empty());
    m_menu.PopupMenuSave()->hide();
}

TEST_F(TSampleSaveMenuTest, SpssItemAsksForAFileAndWritesIt)
{
    m_dialogs.QueueFile(Path("sample.sps"));
    m_menu.SaveItem(1)->trigger();
    ASSERT_EQ(m_dialogs.Calls().size(), 1u);
    EXPECT_EQ(m_dialogs.Calls()[0].kind, platform::DialogCall::Kind::Save);
    EXPECT_EQ(LastRequest().caption, "Save data into a SPSS syntax file");
    EXPECT_EQ(LastRequest().filter, "*.sps");
    EXPECT_EQ(LastRequest().filterIndex, 1);
    EXPECT_EQ(LastRequest().defaultExt, "sps");
    EXPECT_TRUE(LastRequest().fileName.isEmpty());
    EXPECT_EQ(ReadBytes(Path("sample.sps")), SpssBytes());
    EXPECT_EQ(m_menu.Tag(), 1);
    EXPECT_EQ(m_menu.ImageIndex(), 1);
    EXPECT_EQ(m_variableReads, 1);

    // the button now repeats the kind, asking for a name again
    m_dialogs.QueueFile(Path("again.sps"));
    m_menu.ToolButtonSave()->click();
    ASSERT_EQ(m_dialogs.Calls().size(), 2u);
    EXPECT_EQ(LastRequest().caption, "Save data into a SPSS syntax file");
    EXPECT_TRUE(LastRequest().fileName.isEmpty());
    EXPECT_EQ(ReadBytes(Path("again.sps")), SpssBytes());
    EXPECT_FALSE(m_menu.PopupMenuSave()->isVisible());
}

struct TTextKind {
    int tag;
    const char* title;
    const char* filter;
    const char* defaultExt;
    const char* bytes;
};

class TSampleSaveMenuText : public TSampleSaveMenuTest, public ::testing::WithParamInterface<TTextKind> {};

TEST_P(TSampleSaveMenuText, ItemWritesDelimitedText)
{
    const TTextKind& kind = GetParam();
    m_dialogs.QueueFile(Path("sample.out"));
    m_menu.SaveItem(kind.tag)->trigger();
    ASSERT_EQ(m_dialogs.Calls().size(), 1u);
    EXPECT_EQ(LastRequest().caption, kind.title);
    EXPECT_EQ(LastRequest().filter, kind.filter);
    EXPECT_EQ(LastRequest().filterIndex, kind.tag);
    EXPECT_EQ(LastRequest().defaultExt, kind.defaultExt);
    EXPECT_EQ(ReadBytes(Path("sample.out")), QByteArray(kind.bytes));
    EXPECT_EQ(m_menu.Tag(), kind.tag);
    EXPECT_EQ(m_menu.ImageIndex(), kind.tag);
    EXPECT_EQ(m_variableReads, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TSampleSaveMenuText,
    ::testing::Values(TTextKind{2, "Save data into an Excel file", "*.xls", "xls",
                                "\"Sexo\"\t\"Peso\"\t\r\n       2\t    64.3\t\r\n"},
                      TTextKind{3, "Save data into a delimited text file", "*.csv", "csv",
                                "\"Sexo\";\"Peso\";\r\n       2;    64.3;\r\n"},
                      TTextKind{4, "Save data into a plain text file", "*.txt", "txt",
                                "\"Sexo\" \"Peso\" \r\n       2     64.3 \r\n"}));

TEST_F(TSampleSaveMenuTest, DecimalCommaOptionFollowsItsCheckMark)
{
    m_menu.DecimalsCommaDelimited()->trigger();
    EXPECT_TRUE(m_menu.DecimalsCommaDelimited()->isChecked());
    EXPECT_TRUE(m_menu.DecimalComma());
    m_dialogs.QueueFile(Path("comma.csv"));
    m_dialogs.QueueFile(Path("comma.sps"));
    m_menu.SaveData(3);
    m_menu.SaveData(1);
    EXPECT_EQ(ReadBytes(Path("comma.csv")), QByteArray("\"Sexo\";\"Peso\";\r\n       2;    64,3;\r\n"));
    EXPECT_EQ(ReadBytes(Path("comma.sps")), SpssBytes());
    m_menu.DecimalsCommaDelimited()->trigger();
    EXPECT_FALSE(m_menu.DecimalComma());
}

TEST_F(TSampleSaveMenuTest, CancelWritesNothing)
{
    m_dialogs.QueueFile(Path("first.csv"));
    m_menu.SaveData(3);
    ASSERT_EQ(m_menu.Tag(), 3);
    m_dialogs.QueueFile(std::nullopt);
    m_menu.SaveData(1);
    EXPECT_EQ(m_dialogs.Calls().size(), 2u);
    EXPECT_EQ(m_dialogs.MessageTexts(), QStringList());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"first.csv"});
    EXPECT_EQ(m_menu.Tag(), 3);
    EXPECT_EQ(m_menu.ImageIndex(), 3);
    EXPECT_EQ(m_variableReads, 0);
}

TEST_F(TSampleSaveMenuTest, FailedWriteShowsWhyAndChangesNothing)
{
    m_dialogs.QueueFile(Path("missing/x.sps"));
    m_menu.SaveData(1);
    ASSERT_EQ(m_dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(m_dialogs.MessageTexts()[0].startsWith("Cannot write \"" + Path("missing/x.sps") + "\": "))
        << m_dialogs.MessageTexts()[0].toStdString();
    EXPECT_EQ(m_dialogs.Calls().back().icon, platform::MsgIcon::Error);
    EXPECT_EQ(m_menu.Tag(), 0);
    EXPECT_EQ(m_menu.ImageIndex(), 0);
    EXPECT_FALSE(QFile::exists(Path("missing/x.sps")));
}

TEST_F(TSampleSaveMenuTest, WriteThatFailsHalfwayLeavesTheOldFile)
{
    WriteBytes(Path("old.sps"), "old contents");
    m_dialogs.QueueFile(Path("old.sps"));
    {
        const FileSizeLimit limit(20);
        m_menu.SaveData(1);
    }
    EXPECT_EQ(ReadBytes(Path("old.sps")), QByteArray("old contents"));
    EXPECT_EQ(m_dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(m_menu.Tag(), 0);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"old.sps"});
}
