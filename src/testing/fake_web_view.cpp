#include "testing/fake_web_view.h"

namespace platform {

bool FakeWebView::Load(const QString& url, NavigationOrigin origin)
{
    m_navigations.append(url);
    if (FireBeforeNavigate(url, origin)) {
        m_cancelled.append(url);
        return false;
    }
    FireProgressChange(0, 100);
    if (m_failNext != 0) {
        const int status = m_failNext;
        m_failNext = 0;
        FireNavigateError(url, status);
        return false;
    }
    FireProgressChange(100, 100);
    return true;
}

void FakeWebView::Complete(const QString& url)
{
    FireNavigateComplete(url);
    UpdateCommandState();
    FireDocumentComplete(url);
}

bool FakeWebView::FrameNavigate(const QString& url)
{
    m_navigations.append(url);
    if (FireBeforeNavigate(url, NavigationOrigin::Page, true)) {
        m_cancelled.append(url);
        return false;
    }
    return true;
}

void FakeWebView::Navigate(const QString& url)
{
    Go(url, NavigationOrigin::Program);
}

void FakeWebView::Go(const QString& url, NavigationOrigin origin)
{
    if (!Load(url, origin))
        return;
    while (m_history.size() > m_index + 1)
        m_history.removeLast();
    m_history.append(url);
    m_index = int(m_history.size()) - 1;
    Complete(url);
}

void FakeWebView::GoBack()
{
    if (m_index <= 0)
        return;
    const QString url = m_history[m_index - 1];
    if (!Load(url))
        return;
    --m_index;
    Complete(url);
}

void FakeWebView::GoForward()
{
    if (m_index + 1 >= m_history.size())
        return;
    const QString url = m_history[m_index + 1];
    if (!Load(url))
        return;
    ++m_index;
    Complete(url);
}

QString FakeWebView::LocationURL() const
{
    return m_index >= 0 ? m_history[m_index] : QString();
}

void FakeWebView::UpdateCommandState()
{
    SetCommandState(m_index > 0, m_index + 1 < m_history.size());
}

} // namespace platform
