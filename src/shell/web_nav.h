#pragma once
// The web page child window: one web frame filling a maximised MDI child.
// A link to an ".xml" file is not followed: the main window opens it as a
// study; a link to a spreadsheet or document goes to the desktop.
#include "window_base/mdi_child.h"

class TWebEditor;

class TFWebNav : public TFMDIChild {
    Q_OBJECT
public:
    // Loads URL (no source text, with navigation controls). The creator sets
    // caption, links and shows the window.
    TFWebNav(TFMDIParent* Owner, const QString& URL);

    const QString& URL() const { return m_url; }

    // The frame's browser asks the window before every navigation.
    void WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel);
    // Base close handling, then the main window shows its welcome page again
    // at its next activation.
    void FormClose(TCloseAction& Action) override;

    // True for an address whose extension is ".xml", in any case.
    static bool IsStudyAddress(const QString& address);

    TWebEditor* TWebEditor1 = nullptr;

private:
    QString m_url;
};
