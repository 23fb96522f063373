#include "shell/web_nav.h"

#include "platform/event_guard.h"
#include "platform/web_view.h"
#include "window_base/web_editor.h"

#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QUrl>

TFWebNav::TFWebNav(TFMDIParent* Owner, const QString& URL)
    : TFMDIChild(Owner), m_url(URL)
{
    TWebEditor1 = new TWebEditor(this);
    setWidget(TWebEditor1);
    setWindowState(Qt::WindowMaximized);
    TWebEditor1->OnBeforeNavigate = [this](const QString& url, bool& cancel) {
        WebBrowser1BeforeNavigate2(url, cancel);
    };
    TWebEditor1->LoadPage(URL, false, true);
}

bool TFWebNav::IsStudyAddress(const QString& address)
{
    if (address.isEmpty())
        return false;
    // the extension of the address's path: a query or fragment is not part of it
    const QUrl url(address);
    const QString path = url.isValid() && !url.scheme().isEmpty() ? url.path() : address;
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash && path.mid(dot).compare(QLatin1String(".xml"), Qt::CaseInsensitive) == 0;
}

void TFWebNav::WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel)
{
    TWebEditor1->WebBrowser1BeforeNavigate2(URL, Cancel);
    if (Cancel)
        return; // handed over or refused
    // a study opens from a link or an address, never on the page's own say
    if (!IsStudyAddress(URL) || TWebEditor1->WebBrowser1->Origin() == platform::NavigationOrigin::Page)
        return;
    Cancel = true;
    TWebEditor1->ProgressBar1->hide(); // no load follows
    // Opened once the browser's callback has returned: opening a study shows
    // windows and runs events, which must not happen inside the engine's call.
    QPointer<TFWebNav> self(this);
    QTimer::singleShot(0, this, [self, URL] {
        if (!self)
            return;
        platform::GuardEvent([&] {
            if (TFMDIParent* parent = self->ParentForm())
                parent->OpenDataFile(URL);
        });
    });
}

void TFWebNav::FormClose(TCloseAction& Action)
{
    TFMDIChild::FormClose(Action);
    if (TFMDIParent* parent = ParentForm())
        parent->SetWelcomeFlag(true);
}
