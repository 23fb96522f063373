#include "shell/log_window.h"

#include "shell/text_editor.h"

TFLog::TFLog(TFMDIParent* Owner) : TFMDIChild(Owner)
{
    TTextEditor1 = new TTextEditor(this);
    setWidget(TTextEditor1);
    resize(714, 521);
}

void TFLog::FormActivate()
{
    setWindowTitle(QStringLiteral("Log"));
    // Setting up again would forget the file and the modified mark of the text.
    if (!m_setUp) {
        TTextEditor1->Setup();
        m_setUp = true;
    }
}

void TFLog::FormClose(TCloseAction& Action)
{
    if (Action == caNone)
        return;
    if (TFMDIParent* parent = ParentForm())
        parent->SetStatusLog(this, false);
    TFMDIChild::FormClose(Action);
}
