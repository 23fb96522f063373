#include "testing/fake_web_view.h"

#include "testing/fake_dialogs.h"

#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

struct Recorder {
    explicit Recorder(WebView& view)
    {
        view.OnBeforeNavigate = [this](const QString& url, bool& cancel) {
            Events.append(QStringLiteral("before ") + url);
            cancel = url.endsWith(QLatin1String(".stop"));
        };
        view.OnNavigateComplete = [this](const QString& url) { Events.append(QStringLiteral("complete ") + url); };
        view.OnDocumentComplete = [this](const QString& url) { Events.append(QStringLiteral("document ") + url); };
        view.OnCommandStateChange = [this](int command, bool enabled) {
            Events.append(QStringLiteral("state %1 %2").arg(command).arg(enabled));
        };
        view.OnNavigateError = [this](const QString& url, int code) {
            Events.append(QStringLiteral("error %1 %2").arg(url).arg(code));
        };
    }
    QStringList Events;
};

} // namespace

TEST(FakeWebView, FiresEventsInEngineOrder)
{
    FakeWebView view;
    Recorder rec(view);
    view.Navigate(QStringLiteral("a"));
    view.Navigate(QStringLiteral("b"));
    EXPECT_EQ(rec.Events, (QStringList{QStringLiteral("before a"), QStringLiteral("complete a"),
                                       QStringLiteral("document a"), QStringLiteral("before b"),
                                       QStringLiteral("complete b"), QStringLiteral("state 2 1"),
                                       QStringLiteral("document b")}));
    EXPECT_EQ(view.LocationURL(), QStringLiteral("b"));
}

TEST(FakeWebView, CancelledNavigationIsRecordedButNotFollowed)
{
    FakeWebView view;
    Recorder rec(view);
    view.Navigate(QStringLiteral("a"));
    view.FollowLink(QStringLiteral("x.stop"));
    EXPECT_EQ(view.Navigations(), (QStringList{QStringLiteral("a"), QStringLiteral("x.stop")}));
    EXPECT_EQ(view.Cancelled(), QStringList{QStringLiteral("x.stop")});
    EXPECT_EQ(view.LocationURL(), QStringLiteral("a"));
    EXPECT_EQ(rec.Events.last(), QStringLiteral("before x.stop"));
}

TEST(FakeWebView, BackAndForwardMoveThroughHistory)
{
    FakeWebView view;
    Recorder rec(view);
    view.Navigate(QStringLiteral("a"));
    view.Navigate(QStringLiteral("b"));
    rec.Events.clear();
    view.GoBack();
    EXPECT_EQ(view.LocationURL(), QStringLiteral("a"));
    EXPECT_TRUE(rec.Events.contains(QStringLiteral("state 1 1")));
    EXPECT_TRUE(rec.Events.contains(QStringLiteral("state 2 0")));
    view.GoBack(); // nothing further back
    EXPECT_EQ(view.LocationURL(), QStringLiteral("a"));
    view.GoForward();
    EXPECT_EQ(view.LocationURL(), QStringLiteral("b"));
    view.GoBack();
    view.Navigate(QStringLiteral("c")); // drops the forward entry
    EXPECT_EQ(view.History(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
}

TEST(FakeWebView, FailedNavigationReportsTheError)
{
    FakeWebView view;
    Recorder rec(view);
    view.FailNext(404);
    view.Navigate(QStringLiteral("a"));
    EXPECT_EQ(rec.Events.last(), QStringLiteral("error a 404"));
    EXPECT_TRUE(view.LocationURL().isEmpty());
}

TEST(FakeWebView, AThrowingHandlerDoesNotEscape)
{
    FakeWebView view;
    view.OnDocumentComplete = [](const QString&) { throw std::runtime_error("boom"); };
    FakeDialogs dialogs;
    ScopedDialogs scope(dialogs);
    EXPECT_NO_THROW(view.Navigate(QStringLiteral("a")));
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("boom")});
}

TEST(WebViewFactory, ScopedFactoryIsUsedAndRestored)
{
    int made = 0;
    {
        ScopedWebViewFactory scope([&made](QWidget* parent) {
            ++made;
            return new FakeWebView(parent);
        });
        std::unique_ptr<WebView> view(CreateWebView(nullptr));
        EXPECT_NE(dynamic_cast<FakeWebView*>(view.get()), nullptr);
    }
    EXPECT_EQ(made, 1);
}
