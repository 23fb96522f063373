// The WebEngine view's events on local pages: completion, history state,
// errors, and a cancelled navigation that reports none.
#include "platform/qt_web_view.h"
#include "support/event_wait.h"
#include "support/web_click.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A one-page web server on the loopback: "/old" answers with a redirect to
// "/new", every other path with a small page.
class RedirectServer {
public:
    RedirectServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    const QByteArray request = socket->readAll();
                    if (request.startsWith("GET /old "))
                        socket->write("HTTP/1.1 302 Found\r\nLocation: /new\r\nContent-Length: 0\r\n"
                                      "Connection: close\r\n\r\n");
                    else
                        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 27\r\n"
                                      "Connection: close\r\n\r\n<html><body>n</body></html>");
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }
    bool Listening() const { return m_server.isListening(); }
    QString Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path));
    }

private:
    QTcpServer m_server;
};

class QtWebViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Write(QStringLiteral("a.htm"), "<html><body>a</body></html>");
        Write(QStringLiteral("b.htm"), "<html><body>b</body></html>");
        View = std::make_unique<QtWebView>();
        View->OnDocumentComplete = [this](const QString& url) { Documents.append(url); };
        View->OnNavigateError = [this](const QString& url, int) { Errors.append(url); };
        View->OnCommandStateChange = [this](int command, bool enabled) {
            (command == CSC_NAVIGATEBACK ? Back : Forward) = enabled;
        };
        View->OnBeforeNavigate = [this](const QString& url, bool& cancel) {
            Asked.append(url);
            Origins.append(View->Origin());
            SubFrames.append(View->SubFrame());
            cancel = url.endsWith(QLatin1String(".stop")) || url.startsWith(QLatin1String("mailto:"));
        };
        View->resize(300, 200);
        View->show();
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(Dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString Url(const QString& name) const { return QUrl::fromLocalFile(Dir.filePath(name)).toString(); }
    bool Load(const QString& name)
    {
        const qsizetype before = Documents.size();
        View->Navigate(Url(name));
        return WaitFor([&] { return Documents.size() > before; }, 15000);
    }

    QTemporaryDir Dir;
    std::unique_ptr<QtWebView> View;
    QStringList Documents;
    QStringList Errors;
    QStringList Asked;
    QList<NavigationOrigin> Origins;
    QList<bool> SubFrames;
    bool Back = false;
    bool Forward = false;
};

TEST_F(QtWebViewTest, HistoryEnablesBackAndForward)
{
    ASSERT_TRUE(Load(QStringLiteral("a.htm")));
    EXPECT_EQ(View->LocationURL(), Url(QStringLiteral("a.htm")));
    EXPECT_EQ(Asked.first(), Url(QStringLiteral("a.htm")));
    EXPECT_FALSE(Back);
    ASSERT_TRUE(Load(QStringLiteral("b.htm")));
    EXPECT_TRUE(WaitFor([&] { return Back; }, 5000));
    EXPECT_FALSE(Forward);
    View->GoBack();
    EXPECT_TRUE(WaitFor([&] { return Forward && !Back; }, 15000));
    EXPECT_EQ(View->LocationURL(), Url(QStringLiteral("a.htm")));
}

TEST_F(QtWebViewTest, MissingFileIsANavigateErrorButACancelIsNot)
{
    ASSERT_TRUE(Load(QStringLiteral("a.htm")));
    View->Navigate(Url(QStringLiteral("x.stop")));
    EXPECT_TRUE(WaitFor([&] { return Asked.size() == 2; }, 5000));
    View->Navigate(Url(QStringLiteral("missing.htm")));
    ASSERT_TRUE(WaitFor([&] { return !Errors.isEmpty(); }, 15000));
    EXPECT_EQ(Errors, QStringList{Url(QStringLiteral("missing.htm"))});
}

TEST_F(QtWebViewTest, ServerRedirectIsNoNavigationOfItsOwn)
{
    RedirectServer server;
    ASSERT_TRUE(server.Listening());
    View->Navigate(server.Url("/old"));
    ASSERT_TRUE(WaitFor([&] { return !Documents.isEmpty() || !Errors.isEmpty(); }, 15000));
    EXPECT_TRUE(Errors.isEmpty());
    EXPECT_EQ(Documents, QStringList{server.Url("/new")});
    // asked once, for the address navigated to
    EXPECT_EQ(Asked, QStringList{server.Url("/old")});
}


// ---- what pages may do ----

namespace {

// The page's title once its script set it (before the page's own title
// comes, the engine shows the file name).
QString TitleOf(QtWebView& View, int TimeoutMs = 15000)
{
    WaitFor(
        [&] {
            const QString title = View.Engine()->title();
            return title != QLatin1String("start") && !title.isEmpty() && !title.endsWith(QLatin1String(".htm"));
        },
        TimeoutMs);
    return View.Engine()->title();
}

QByteArray ClickBox(const QByteArray& Href, const QByteArray& Extra = {})
{
    return "<a id=\"k\" style=\"" + QByteArray(kClickBoxStyle) + "\" href=\"" + Href + "\" " + Extra + ">link</a>";
}

} // namespace

TEST_F(QtWebViewTest, ScriptOfAProgramPageReadsNoOtherLocalFile)
{
    // the program's own pages run their script: one in a folder beside the program
    QTemporaryDir own(QCoreApplication::applicationDirPath() + QStringLiteral("/web-XXXXXX"));
    ASSERT_TRUE(own.isValid());
    Write(QStringLiteral("secret.txt"), "root:x:0:0");
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(own.filePath(QStringLiteral("dot.png"))));
    const QByteArray secret = Url(QStringLiteral("secret.txt")).toUtf8();
    QFile page(own.filePath(QStringLiteral("reader.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    ASSERT_TRUE(dot.save(Dir.filePath(QStringLiteral("far.png"))));
    const QByteArray far = Url(QStringLiteral("far.png")).toUtf8();
    page.write("<html><head><title>start</title></head><body><img id=\"i\" src=\"dot.png\">"
               "<img id=\"f\" src=\"" + far + "\"><script>\n"
               "var r = {};\n"
               "function report() { if (r.xhr && r.fetch && r.img)"
               " document.title = 'xhr:' + r.xhr + ' fetch:' + r.fetch + ' img:' + r.img + ' far:' + r.far; }\n"
               "try { var x = new XMLHttpRequest(); x.open('GET', '" + secret + "', false); x.send();"
               " r.xhr = x.responseText.length > 0 ? 'read' : 'none'; } catch (e) { r.xhr = 'blocked'; }\n"
               "fetch('" + secret + "').then(function (a) { return a.text(); }).then("
               "function (t) { r.fetch = t.length > 0 ? 'read' : 'none'; report(); },"
               " function () { r.fetch = 'blocked'; report(); });\n"
               "window.onload = function () { r.img = document.getElementById('i').naturalWidth > 0 ? 'shown' : 'missing';"
               " r.far = document.getElementById('f').naturalWidth > 0 ? 'shown' : 'missing'; report(); };\n"
               "</script></body></html>");
    page.close();
    View->Navigate(QUrl::fromLocalFile(page.fileName()).toString());
    const QString title = TitleOf(*View);
    // its own picture shows, one from another folder does not
    EXPECT_TRUE(title.contains(QLatin1String("img:shown"))) << "title: " << title.toStdString();
    EXPECT_TRUE(title.contains(QLatin1String("far:missing"))) << "title: " << title.toStdString();
    EXPECT_FALSE(title.contains(QLatin1String("read"))) << title.toStdString();
    EXPECT_TRUE(title.startsWith(QLatin1String("xhr:"))) << title.toStdString();
}

TEST_F(QtWebViewTest, ScriptRunsOnlyInTheProgramsPages)
{
    const QByteArray body = "<html><head><title>start</title></head><body>" +
                            ClickBox("javascript:document.title='link'") +
                            "<script>document.title = 'ran';</script></body></html>";
    Write(QStringLiteral("other.htm"), body);
    ASSERT_TRUE(Load(QStringLiteral("other.htm")));
    WaitFor([] { return false; }, 300);
    EXPECT_NE(View->Engine()->title(), QStringLiteral("ran"));
    // a javascript: link runs nothing either
    ASSERT_TRUE(ClickPage(*View));
    WaitFor([] { return false; }, 500);
    EXPECT_NE(View->Engine()->title(), QStringLiteral("link"));
    EXPECT_NE(View->Engine()->title(), QStringLiteral("ran"));

    QTemporaryDir own(QCoreApplication::applicationDirPath() + QStringLiteral("/web-XXXXXX"));
    ASSERT_TRUE(own.isValid());
    QFile page(own.filePath(QStringLiteral("own.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(body);
    page.close();
    View->Navigate(QUrl::fromLocalFile(page.fileName()).toString());
    EXPECT_EQ(TitleOf(*View), QStringLiteral("ran"));
    // and back on a page of the user's, none again
    ASSERT_TRUE(Load(QStringLiteral("other.htm")));
    WaitFor([] { return false; }, 300);
    EXPECT_NE(View->Engine()->title(), QStringLiteral("ran"));
}

TEST_F(QtWebViewTest, FramesAreAskedLikeThePage)
{
    Write(QStringLiteral("inner.htm"), "<html><body>inner</body></html>");
    Write(QStringLiteral("framed.htm"),
          "<html><body><iframe src=\"inner.htm\"></iframe><iframe src=\"x.stop\"></iframe></body></html>");
    ASSERT_TRUE(Load(QStringLiteral("framed.htm")));
    ASSERT_TRUE(WaitFor([&] { return Asked.size() >= 3; }, 5000)) << Asked.join(QLatin1Char(' ')).toStdString();
    for (const char* name : {"inner.htm", "x.stop"}) {
        const qsizetype at = Asked.indexOf(Url(QLatin1String(name)));
        ASSERT_GE(at, 0) << name;
        EXPECT_TRUE(SubFrames[at]) << name;
        EXPECT_EQ(Origins[at], NavigationOrigin::Page) << name;
    }
    EXPECT_FALSE(SubFrames[0]);
    EXPECT_EQ(Origins[0], NavigationOrigin::Program);
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(QtWebViewTest, ALocalPageCannotTakeTheViewToTheWebByItself)
{
    RedirectServer server;
    ASSERT_TRUE(server.Listening());
    Write(QStringLiteral("refresh.htm"), "<html><head><meta http-equiv=\"refresh\" content=\"0;url=" +
                                             server.Url("/new").toUtf8() + "\"></head><body>" +
                                             ClickBox(server.Url("/new").toUtf8()) + "</body></html>");
    ASSERT_TRUE(Load(QStringLiteral("refresh.htm")));
    WaitFor([] { return false; }, 1000);
    EXPECT_EQ(Asked.join(QLatin1Char(' ')).toStdString(), Url(QStringLiteral("refresh.htm")).toStdString());
    EXPECT_EQ(View->LocationURL(), Url(QStringLiteral("refresh.htm")));
    // the user's click on the same address does
    ASSERT_TRUE(ClickPage(*View));
    ASSERT_TRUE(WaitFor([&] { return Documents.contains(server.Url("/new")); }, 15000));
    EXPECT_EQ(Origins.last(), NavigationOrigin::UserLink);
}

TEST_F(QtWebViewTest, NewWindowLinksAreAskedAndOpenHere)
{
    Write(QStringLiteral("b.htm"), "<html><body>b</body></html>");
    Write(QStringLiteral("blank.htm"), "<html><body>" + ClickBox("b.htm", "target=\"_blank\"") + "</body></html>");
    ASSERT_TRUE(Load(QStringLiteral("blank.htm")));
    ASSERT_TRUE(ClickPage(*View));
    ASSERT_TRUE(WaitFor([&] { return Documents.contains(Url(QStringLiteral("b.htm"))); }, 15000))
        << Asked.join(QLatin1Char(' ')).toStdString();
    const qsizetype at = Asked.indexOf(Url(QStringLiteral("b.htm")));
    ASSERT_GE(at, 0);
    EXPECT_EQ(Origins[at], NavigationOrigin::UserLink);
    EXPECT_EQ(Asked.count(Url(QStringLiteral("b.htm"))), 1);
    EXPECT_EQ(View->LocationURL(), Url(QStringLiteral("b.htm")));
}

TEST_F(QtWebViewTest, MailLinksAreAskedAsTheUsersLinks)
{
    Write(QStringLiteral("mail.htm"), "<html><body>" + ClickBox("mailto:someone@uv.es") + "</body></html>");
    ASSERT_TRUE(Load(QStringLiteral("mail.htm")));
    ASSERT_TRUE(ClickPage(*View));
    ASSERT_TRUE(WaitFor([&] { return Asked.contains(QStringLiteral("mailto:someone@uv.es")); }, 5000))
        << Asked.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(Origins.last(), NavigationOrigin::UserLink);
    EXPECT_EQ(View->LocationURL(), Url(QStringLiteral("mail.htm")));
}

TEST_F(QtWebViewTest, AFolderListsItsFiles)
{
    Write(QStringLiteral("sheet.csv"), "a;b\n");
    View->Navigate(QUrl::fromLocalFile(Dir.path()).toString());
    ASSERT_TRUE(WaitFor([&] { return !Documents.isEmpty(); }, 15000));
    QString text;
    bool got = false;
    View->Engine()->page()->toPlainText([&](const QString& t) {
        text = t;
        got = true;
    });
    ASSERT_TRUE(WaitFor([&] { return got; }, 5000));
    EXPECT_TRUE(text.contains(QLatin1String("sheet.csv"))) << text.toStdString();
}

} // namespace
