// The WebEngine view's events on local pages: completion, history state,
// errors, and a cancelled navigation that reports none.
#include "platform/qt_web_view.h"
#include "support/event_wait.h"

#include <QApplication>
#include <QFile>
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
            cancel = url.endsWith(QLatin1String(".stop"));
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

} // namespace
