// Links to studies on a web server, followed from a page as the user clicks
// them: the study is fetched from a small HTTP server the test runs on
// 127.0.0.1 and opened like a local one; failures give a clear message.
#include "main_window_fixture.h"

#include "testing/fake_web_view.h"
#include "shell/web_nav.h"
#include "window_base/message_window.h"
#include "window_base/web_editor.h"
#include "windows/population_window.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <map>

namespace {

// Answers GET requests from a table of paths; a path marked silent is never
// answered, one marked trickle sends its body a byte every 100 ms, an unknown
// one gets 404.
class TinyHttpServer : public QObject {
public:
    struct Answer {
        QByteArray body;
        bool silent = false;
        bool trickle = false;
    };

    TinyHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
            }
        });
    }

    bool Listening() const { return m_server.isListening(); }
    QString Url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    void Set(const QString& path, Answer answer) { m_answers[path] = std::move(answer); }
    int Requests() const { return m_requests; }

private:
    void Serve(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        ++m_requests;
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
        const auto it = m_answers.find(path);
        if (it != m_answers.end() && it->second.silent)
            return;
        const bool found = it != m_answers.end();
        const QByteArray body = found ? it->second.body : QByteArray("<html>not here</html>");
        const QByteArray head = (found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                                QByteArray("Content-Type: text/xml\r\nConnection: close\r\nContent-Length: ") +
                                QByteArray::number(body.size()) + "\r\n\r\n";
        if (found && it->second.trickle) {
            socket->write(head);
            auto* timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket, body, sent = qsizetype(0)]() mutable {
                if (sent < body.size())
                    socket->write(body.mid(sent++, 1));
            });
            timer->start(100);
            return;
        }
        socket->write(head + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::map<QString, Answer> m_answers;
    std::map<QTcpSocket*, QByteArray> m_pending;
    int m_requests = 0;
};

platform::FakeWebView* BrowserOf(TFWebNav* window)
{
    return window ? window->findChild<platform::FakeWebView*>() : nullptr;
}

class StudyLinks : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(Server.Listening());
        QFile study(XmlFile(QStringLiteral("estudio_alturas_pesos.xml")));
        ASSERT_TRUE(study.open(QIODevice::ReadOnly));
        Study = study.readAll();
        Server.Set(QStringLiteral("/studies/alturas.xml"), {Study});
    }

    // The main window shown with its welcome page, whose browser is returned.
    platform::FakeWebView* WelcomePage()
    {
        TFMain& main = CreateMain();
        main.resize(1000, 700);
        main.show();
        main.FormActivate();
        QCoreApplication::processEvents();
        return BrowserOf(qobject_cast<TFWebNav*>(NodeData(Root()->child(0))));
    }

    // The user clicks the link in the page; waits until the fetch is over.
    void Click(platform::FakeWebView* page, const QString& link)
    {
        page->FollowLink(link);
        QTRY_VERIFY_WITH_TIMEOUT(Main->StudyDownloadsRunning() == 0 &&
                                     (!Dialogs.MessageTexts().isEmpty() || Root()->childCount() > 1),
                                 5000);
        QCoreApplication::processEvents();
    }

    TinyHttpServer Server;
    QByteArray Study;
};

} // namespace

TEST_F(StudyLinks, AStudyOnAWebServerOpensLikeALocalOne)
{
    platform::FakeWebView* page = WelcomePage();
    ASSERT_NE(page, nullptr);
    const QString link = Server.Url(QStringLiteral("/studies/alturas.xml"));
    Click(page, link);
    EXPECT_TRUE(page->Cancelled().contains(link));  // not shown as a page
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty()) << Dialogs.MessageTexts().join("|").toStdString();
    EXPECT_EQ(Server.Requests(), 1);
    ASSERT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page", "Estudio 1"}));
    auto* window = qobject_cast<TFPoblacion*>(NodeData(Root()->child(1)->child(0)));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DataName(), link);
    EXPECT_TRUE(window->isVisible());

    // the same study from the local file gives the same window
    Main->OpenDataFile(XmlFile(QStringLiteral("estudio_alturas_pesos.xml")));
    ASSERT_EQ(Root()->childCount(), 3);
    auto* local = qobject_cast<TFPoblacion*>(NodeData(Root()->child(2)->child(0)));
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->LabelTitle->text(), window->LabelTitle->text());
    EXPECT_FALSE(window->LabelTitle->text().isEmpty());
}

TEST_F(StudyLinks, FailuresGiveAClearMessageAndNoWindow)
{
    platform::FakeWebView* page = WelcomePage();
    ASSERT_NE(page, nullptr);
    struct Case {
        QString path;
        QString reason;
    };
    Server.Set(QStringLiteral("/big.xml"), {QByteArray(5000, ' ') + Study});
    Server.Set(QStringLiteral("/slow.xml"), {{}, true});
    Server.Set(QStringLiteral("/trickle.xml"), {Study.left(3000), false, true});
    Server.Set(QStringLiteral("/empty.xml"), {QByteArray()});
    Server.Set(QStringLiteral("/page.xml"), {QByteArray("<html><body>no study</body></html>")});
    Main->SetStudyDownloadLimits(4000, 400);
    const std::vector<Case> cases{
        {QStringLiteral("/gone.xml"), QStringLiteral("The web server answered 404 Not Found.")},
        {QStringLiteral("/big.xml"), QStringLiteral("The study is larger than 4000 bytes.")},
        {QStringLiteral("/slow.xml"), QStringLiteral("The web server gave no answer within 0.4 seconds.")},
        // a byte every 100 ms never trips the 0.4 s without data, but four of them in all
        {QStringLiteral("/trickle.xml"),
         QStringLiteral("The web server did not send the whole study within 1.6 seconds.")},
        {QStringLiteral("/empty.xml"), QStringLiteral("The web server sent no data.")},
    };
    for (const Case& c : cases) {
        Dialogs.Clear();
        const QString link = Server.Url(c.path);
        Click(page, link);
        ASSERT_EQ(Dialogs.MessageTexts().size(), 1) << c.path.toStdString();
        EXPECT_EQ(Dialogs.MessageTexts()[0], QStringLiteral("Cannot open the study \r") + link + "\r" + c.reason);
        EXPECT_EQ(Root()->childCount(), 1) << c.path.toStdString();
    }

    // fetched, but no study: the message of a local file that is none
    Dialogs.Clear();
    Click(page, Server.Url(QStringLiteral("/page.xml")));
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(Dialogs.MessageTexts()[0],
              QStringLiteral("Unable to read \r") + Server.Url(QStringLiteral("/page.xml")) + "\ras a VEXA valid file");

    // nobody listening: the network's own reason, naming the address
    Dialogs.Clear();
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/a.xml").arg(closed.serverPort());
    closed.close();
    Click(page, refused);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].startsWith(QStringLiteral("Cannot open the study \r") + refused + "\r"));
    EXPECT_GT(Dialogs.MessageTexts()[0].size(), (QStringLiteral("Cannot open the study \r") + refused + "\r").size());
    EXPECT_EQ(Root()->childCount(), 1);
}

// A study on a web server names its pages relative to itself: each message,
// tab and page window shows the page beside the study on the server.
TEST_F(StudyLinks, AStudysOwnPagesComeFromBesideItOnTheServer)
{
    QByteArray study = Study;
    const qsizetype from = study.indexOf("<msges");
    const qsizetype to = study.indexOf("</msges>") + qsizetype(sizeof("</msges>") - 1);
    ASSERT_GT(from, 0);
    study.replace(from, to - from,
                  "<msges><msginit loc=\"win\" lbl=\"W\" href=\"paginas/x.htm\"/>"
                  "<msginit loc=\"msg\" lbl=\"M\" href=\"Docs/guia.htm#inicio\"/>"
                  "<msginit loc=\"tab\" lbl=\"T\" href=\"{appdir}/Docs/alturas_guia.htm\"/>"
                  "<msginit loc=\"tab\" lbl=\"U\" href=\"../comun/tabla.htm\"/>"
                  "<msginit loc=\"form\" lbl=\"F\" href=\"/raiz.htm\"/>"
                  "<msginit loc=\"msg\" lbl=\"A\" href=\"https://example.org/a.htm\"/></msges>");
    Server.Set(QStringLiteral("/dir/estudio.xml"), {study});
    platform::FakeWebView* page = WelcomePage();
    ASSERT_NE(page, nullptr);
    Click(page, Server.Url(QStringLiteral("/dir/estudio.xml")));
    ASSERT_TRUE(Dialogs.MessageTexts().isEmpty()) << Dialogs.MessageTexts().join("|").toStdString();
    TFPoblacion* window = nullptr;
    for (int i = 0; i < Root()->child(1)->childCount(); ++i)
        if (auto* w = qobject_cast<TFPoblacion*>(NodeData(Root()->child(1)->child(i))))
            window = w;
    ASSERT_NE(window, nullptr);

    QStringList messages;
    for (TFMsge* message : window->MessageWindows())
        messages.append(static_cast<platform::FakeWebView*>(message->TWebEditor1->WebBrowser1)->Navigations().value(0));
    EXPECT_EQ(messages, QStringList({Server.Url(QStringLiteral("/dir/paginas/x.htm")),
                                     Server.Url(QStringLiteral("/dir/Docs/guia.htm#inicio")),
                                     QStringLiteral("https://example.org/a.htm")}));
    // the tabs come first, the last one added in front
    QStringList tabs;
    for (int i = 0; i < 2; ++i) {
        auto* editor = window->PageControl1->widget(i)->findChild<TWebEditor*>();
        ASSERT_NE(editor, nullptr);
        tabs.append(static_cast<platform::FakeWebView*>(editor->WebBrowser1)->Navigations().value(0));
    }
    EXPECT_EQ(tabs.value(0), Server.Url(QStringLiteral("/comun/tabla.htm")));
    // the program's own folder stays the program's
    EXPECT_TRUE(tabs.value(1).startsWith(QStringLiteral("file://"))) << tabs.value(1).toStdString();
    EXPECT_TRUE(tabs.value(1).endsWith(QStringLiteral("/Docs/alturas_guia.htm"))) << tabs.value(1).toStdString();
    // the page window beside the study
    TFWebNav* form = nullptr;
    for (QMdiSubWindow* w : Main->MDIArea()->subWindowList())
        if (auto* nav = qobject_cast<TFWebNav*>(w); nav && nav->OwnerWindow() == window)
            form = nav;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(BrowserOf(form)->Navigations().value(0), Server.Url(QStringLiteral("/raiz.htm")));
    for (TFMsge* message : window->MessageWindows())
        message->close();
}
