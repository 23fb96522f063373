#include "platform/dialogs.h"

#include "platform/clipboard.h"
#include "testing/fake_dialogs.h"
#include "testing/memory_clipboard.h"

#include <QMessageBox>
#include <gtest/gtest.h>

using namespace platform;

TEST(DialogsText, CarriageReturnBreaksTheLine)
{
    EXPECT_EQ(ScreenText(QStringLiteral("Unable to read \r/a/b.xml\ras a VEXA valid file")),
              QStringLiteral("Unable to read \n/a/b.xml\nas a VEXA valid file"));
    EXPECT_EQ(ScreenText(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    EXPECT_EQ(ScreenText(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(DialogsText, MessageBoxShowsTheBrokenLinesAndTheButtons)
{
    auto box = CreateMessageBox(nullptr, QStringLiteral("VeXA"), QStringLiteral("Save actual file?\rnow"),
                                MsgButtons::YesNoCancel, MsgIcon::Warning);
    EXPECT_EQ(box->text(), QStringLiteral("Save actual file?\nnow"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("VeXA"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    auto ok = CreateMessageBox(nullptr, QString(), QStringLiteral("x"), MsgButtons::Ok, MsgIcon::Error);
    EXPECT_EQ(ok->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(ok->icon(), QMessageBox::Critical);
    auto yesNo = CreateMessageBox(nullptr, QString(), QStringLiteral("x"), MsgButtons::YesNo,
                                  MsgIcon::Confirmation);
    EXPECT_EQ(yesNo->standardButtons(), QMessageBox::Yes | QMessageBox::No);
}

TEST(DialogsText, MessageBoxGoesWhereItIsPlaced)
{
    auto placed = CreateMessageBox(nullptr, QString(), QStringLiteral("x"), MsgButtons::YesNo,
                                   MsgIcon::Confirmation, QPoint(120, 230));
    EXPECT_EQ(placed->pos(), QPoint(120, 230));
    // a moved box is not centred again when it shows
    EXPECT_TRUE(placed->testAttribute(Qt::WA_Moved));

    auto centred = CreateMessageBox(nullptr, QString(), QStringLiteral("x"), MsgButtons::YesNo,
                                    MsgIcon::Confirmation);
    EXPECT_FALSE(centred->testAttribute(Qt::WA_Moved));
}

TEST(DialogsFilters, SystemFilterBecomesQtNameFilters)
{
    EXPECT_EQ(NameFilters(QStringLiteral(
                  "XML files (*.xml)|*.XML|Web page (*.htm)|*.htm; *.html|All files (*.*)|*.*")),
              (QStringList{QStringLiteral("XML files (*.xml) (*.XML)"),
                           QStringLiteral("Web page (*.htm) (*.htm *.html)"),
                           QStringLiteral("All files (*.*) (*.*)")}));
    EXPECT_TRUE(NameFilters(QString()).isEmpty());
    EXPECT_EQ(DefaultSuffix(QStringLiteral("*.xml")), QStringLiteral("xml"));
    EXPECT_EQ(DefaultSuffix(QStringLiteral(".htm")), QStringLiteral("htm"));
    EXPECT_EQ(DefaultSuffix(QStringLiteral("sps")), QStringLiteral("sps"));
}

TEST(FakeDialogs, RecordsCallsAndReturnsQueuedAnswers)
{
    FakeDialogs dialogs;
    ScopedDialogs scope(dialogs);
    dialogs.QueueAnswer(MsgAnswer::Yes);
    dialogs.QueueFile(QStringLiteral("/tmp/a.xml"));
    dialogs.QueueFile(std::nullopt);
    dialogs.QueueColor(clRed);

    EXPECT_EQ(CurrentDialogs().MessageBox(nullptr, QStringLiteral("c"), QStringLiteral("t"),
                                          MsgButtons::YesNo, MsgIcon::Confirmation),
              MsgAnswer::Yes);
    // empty queue: the safe answer of each kind
    EXPECT_EQ(CurrentDialogs().MessageBox(nullptr, {}, {}, MsgButtons::YesNo, MsgIcon::None), MsgAnswer::No);
    EXPECT_EQ(CurrentDialogs().MessageBox(nullptr, {}, {}, MsgButtons::YesNoCancel, MsgIcon::None),
              MsgAnswer::Cancel);
    ShowMessage(QStringLiteral("hello"));

    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    EXPECT_EQ(CurrentDialogs().OpenFile(nullptr, request), QStringLiteral("/tmp/a.xml"));
    EXPECT_EQ(CurrentDialogs().SaveFile(nullptr, request), std::nullopt);
    EXPECT_EQ(CurrentDialogs().SaveFile(nullptr, request), std::nullopt);
    EXPECT_EQ(CurrentDialogs().PickColor(nullptr, clBlue), std::optional<TColor>(clRed));

    ASSERT_EQ(dialogs.Calls().size(), 8u);
    EXPECT_EQ(dialogs.Calls()[0].caption, QStringLiteral("c"));
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("t"));
    EXPECT_EQ(dialogs.Calls()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Calls()[4].kind, DialogCall::Kind::Open);
    EXPECT_EQ(dialogs.Calls()[4].caption, QStringLiteral("Open"));
    EXPECT_EQ(dialogs.Calls()[7].color, clBlue);
    EXPECT_EQ(dialogs.MessageTexts().last(), QStringLiteral("hello"));
}

TEST(FakeDialogs, RecordsWhereAMessageBoxWasPlaced)
{
    FakeDialogs dialogs;
    ScopedDialogs scope(dialogs);
    CurrentDialogs().MessageBox(nullptr, {}, QStringLiteral("a"), MsgButtons::YesNo, MsgIcon::None,
                                QPoint(-5, 40));
    CurrentDialogs().MessageBox(nullptr, {}, QStringLiteral("b"), MsgButtons::YesNo, MsgIcon::None);
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].position, std::optional<QPoint>(QPoint(-5, 40)));
    EXPECT_EQ(dialogs.Calls()[1].position, std::nullopt);
}

TEST(FakeDialogs, ScopeRestoresTheSystemDialogs)
{
    Dialogs* system = &CurrentDialogs();
    {
        FakeDialogs dialogs;
        ScopedDialogs scope(dialogs);
        EXPECT_EQ(&CurrentDialogs(), &dialogs);
    }
    EXPECT_EQ(&CurrentDialogs(), system);
}

TEST(Clipboard, MemoryClipboardStandsInForTheSystemOne)
{
    MemoryClipboard memory;
    SetClipboard(&memory);
    CurrentClipboard().SetText(QStringLiteral("1\t2"));
    EXPECT_EQ(memory.Text(), QStringLiteral("1\t2"));
    SetClipboard(nullptr);
    EXPECT_NE(&CurrentClipboard(), &memory);
}
