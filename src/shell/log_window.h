#pragma once
// The program's log: a child window holding one text editor frame.
#include "window_base/mdi_child.h"

class TTextEditor;

class TFLog : public TFMDIChild {
    Q_OBJECT
public:
    explicit TFLog(TFMDIParent* Owner);

    // Caption "Log"; the editor is set up at the first activation.
    void FormActivate() override;
    // Tells the main window to forget the log, then closes as every child.
    void FormClose(TCloseAction& Action) override;

    TTextEditor* Editor() const { return TTextEditor1; }

private:
    TTextEditor* TTextEditor1 = nullptr;
    bool m_setUp = false;
};
