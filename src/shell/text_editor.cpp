#include "shell/text_editor.h"

#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "platform/text_file.h"
#include "shell/shell_images.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString LastFive(int n)
{
    return (QStringLiteral("     ") + QString::number(n)).right(5);
}

QToolButton* Button(const QString& hint, const QString& image, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setToolTip(hint);
    b->setText(hint);
    b->setIcon(ShellIcon(image));
    b->setAutoRaise(true);
    return b;
}

} // namespace

TTextEditor::TTextEditor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    layout->addWidget(Memo1, 1);

    ToolBar1 = new QWidget(this);
    auto* bar = new QHBoxLayout(ToolBar1);
    bar->setContentsMargins(2, 0, 2, 0);
    tbOpen = Button(QStringLiteral("Open"), QStringLiteral("edit_open"), ToolBar1);
    tbSave = Button(QStringLiteral("Save"), QStringLiteral("edit_save"), ToolBar1);
    tbDel = Button(QStringLiteral("Clear"), QStringLiteral("edit_clear"), ToolBar1);
    bar->addWidget(tbOpen);
    bar->addWidget(tbSave);
    bar->addWidget(tbDel);
    bar->addStretch(1);
    layout->addWidget(ToolBar1);
    ToolBar1->hide();

    auto* bottom = new QWidget(this);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->setSpacing(0);
    ToolButton1 = Button(QStringLiteral("Tools"), QStringLiteral("edit_00"), bottom);
    bottomLayout->addWidget(ToolButton1);
    StatusBar1 = new QWidget(bottom);
    auto* status = new QHBoxLayout(StatusBar1);
    status->setContentsMargins(2, 0, 2, 0);
    const int widths[3] = {75, 20, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(StatusBar1);
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        m_panels[i]->setMinimumWidth(widths[i]);
        status->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    bottomLayout->addWidget(StatusBar1, 1);
    layout->addWidget(bottom);

    connect(tbOpen, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { tbOpenClick(); }); });
    connect(tbSave, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { tbSaveClick(); }); });
    connect(tbDel, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { tbDelClick(); }); });
    connect(ToolButton1, &QToolButton::clicked, this, [this] { ToolButton1Click(); });
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            SetModified(true);
    });
}

void TTextEditor::Setup()
{
    m_defaultExt = QStringLiteral(".txt");
    m_filter = QStringLiteral("Todos los archivos (*.*)|*.*");
    FArchivo.clear();
    FModified = false;
    m_panels[1]->clear();
    UpdateDelButton();
    StatusBar1->setToolTip(QString());
}

bool TTextEditor::HasLines() const
{
    return !Memo1->document()->isEmpty();
}

void TTextEditor::UpdateDelButton()
{
    tbDel->setVisible(HasLines());
}

void TTextEditor::SetModified(bool Value)
{
    FModified = Value;
    UpdateDelButton();
    tbSave->setVisible(FModified && !tbDel->isHidden());
    m_panels[1]->setText(FModified ? QStringLiteral("  *") : QString());
    ActualizarPos();
}

void TTextEditor::ActualizarPos()
{
    const QTextCursor cursor = Memo1->textCursor();
    m_panels[0]->setText(LastFive(cursor.blockNumber() + 1) + QLatin1Char(':') +
                         LastFive(cursor.positionInBlock() + 1));
}

QString TTextEditor::ShortFileName(const QString& FileName)
{
    if (FileName.size() > 30)
        return FileName.left(5) + QStringLiteral("...") + FileName.right(23);
    return FileName;
}

QString TTextEditor::StatusPanel(int Index) const
{
    return Index >= 0 && Index < 3 ? m_panels[Index]->text() : QString();
}

QString TTextEditor::StatusHint() const
{
    return StatusBar1->toolTip();
}

void TTextEditor::ShowFileName()
{
    m_panels[2]->setText(ShortFileName(FArchivo));
    StatusBar1->setToolTip(FArchivo);
}

bool TTextEditor::WriteFile(const QString& FileName)
{
    QString error;
    if (!platform::WriteTextFile(FileName, Memo1->toPlainText(), m_encoding, &error)) {
        platform::ShowError(QStringLiteral("Cannot write \"") + FileName + QStringLiteral("\": ") + error, this);
        return false;
    }
    return true;
}

platform::FileDialogRequest TTextEditor::FileRequest() const
{
    platform::FileDialogRequest request;
    request.fileName = FArchivo;
    request.defaultExt = m_defaultExt;
    request.filter = m_filter;
    return request;
}

void TTextEditor::SetFile(const QString& FileName)
{
    FArchivo = FileName;
    SetModified(false);
    ShowFileName();
}

void TTextEditor::tbSaveClick()
{
    if (!FModified)
        return;
    const auto chosen = platform::CurrentDialogs().SaveFile(this, FileRequest());
    if (!chosen)
        return;
    // the text stays marked as modified unless it really was written
    if (!WriteFile(*chosen))
        return;
    SetFile(*chosen);
}

void TTextEditor::tbOpenClick()
{
    bool offer = true;
    if (FModified) {
        const auto answer = platform::CurrentDialogs().MessageBox(
            this, QString(), QStringLiteral("Save existing text?"), platform::MsgButtons::YesNoCancel,
            platform::MsgIcon::Warning);
        if (answer == platform::MsgAnswer::Cancel) {
            offer = false;
        } else if (answer == platform::MsgAnswer::Yes) {
            tbSaveClick();
            offer = !FModified; // a save that did not happen keeps the text
        }
    }
    if (offer) {
        platform::FileDialogRequest request = FileRequest();
        request.overwritePrompt = false;
        if (const auto chosen = platform::CurrentDialogs().OpenFile(this, request)) {
            QString text;
            QString error;
            platform::TextFileEncoding encoding;
            if (!platform::ReadTextFile(*chosen, text, encoding, &error)) {
                platform::ShowError(QStringLiteral("Cannot read \"") + *chosen + QStringLiteral("\": ") + error, this);
            } else {
                m_encoding = encoding;
                m_loading = true;
                Memo1->setPlainText(text);
                m_loading = false;
                SetFile(*chosen);
            }
        }
    }
    UpdateDelButton();
    ToolBar1->hide();
}

void TTextEditor::ClearText()
{
    m_loading = true;
    Memo1->clear();
    m_loading = false;
    SetModified(false);
    m_panels[2]->clear();
    StatusBar1->setToolTip(QString());
}

void TTextEditor::tbDelClick()
{
    if (!FModified) {
        ClearText();
        return;
    }
    const auto answer = platform::CurrentDialogs().MessageBox(
        this, QString(), QStringLiteral("Save text?"), platform::MsgButtons::YesNoCancel, platform::MsgIcon::Warning);
    if (answer == platform::MsgAnswer::Yes)
        tbSaveClick();
    else if (answer == platform::MsgAnswer::No)
        ClearText();
}

void TTextEditor::ToolButton1Click()
{
    ToolBar1->setVisible(ToolBar1->isHidden());
    m_toolButtonImage = ToolBar1->isHidden() ? 0 : 1;
    ToolButton1->setIcon(ShellIcon(m_toolButtonImage ? QStringLiteral("edit_01") : QStringLiteral("edit_00")));
}

bool TTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const bool handled = QWidget::eventFilter(watched, event);
        ActualizarPos();
        return handled;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
