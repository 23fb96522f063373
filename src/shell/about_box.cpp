#include "shell/about_box.h"

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "platform/web_view.h"
#include "shell/version_info.h"
#include "shell/web_addresses.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor LinkBlue(0, 0, 255);
const QColor LinkBlack(0, 0, 0);
const QColor LinkRed(255, 0, 0);

QLabel* TextLabel(const QString& text, QWidget* parent, int pointSize = 9, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Tahoma"), pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

// Mouse releases on the watched widgets run the action.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            platform::GuardEvent(m_action);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

// The pictures of the tree images "population" and "program", drawn at the
// size they are shown (coordinates on the images' 16 x 16 grid).
QPixmap GridPicture(int size, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(Qt::NoPen);
    draw(painter);
    return pixmap;
}

QPixmap PopulationPicture(int size)
{
    return GridPicture(size, [](QPainter& p) {
        p.setPen(QPen(QColor(128, 128, 128), 1.0));
        p.drawRect(QRectF(0.5, 0.5, 15.0, 15.0));
        p.setPen(Qt::NoPen);
        const QColor red(220, 40, 40), blue(40, 80, 220), green(40, 160, 60), orange(240, 140, 20);
        const struct {
            double x, y;
            QColor c;
        } dots[] = {{3, 3, red},  {9, 2, blue},   {12, 6, green}, {5, 8, orange},
                    {10, 11, red}, {3, 12, blue}, {7, 5, green},  {12, 13, orange}};
        for (const auto& d : dots) {
            p.setBrush(d.c);
            p.drawEllipse(QRectF(d.x, d.y, 2.0, 2.0));
        }
    });
}

QPixmap ProgramPicture(int size)
{
    return GridPicture(size, [](QPainter& p) {
        const QColor grey(128, 128, 128);
        p.fillRect(QRectF(1, 2, 14, 10), grey);
        p.fillRect(QRectF(2, 3, 12, 8), QColor(40, 80, 220));
        p.fillRect(QRectF(6, 12, 4, 2), grey);
        p.fillRect(QRectF(4, 14, 8, 1), grey);
        p.setPen(QPen(QColor(250, 220, 40), 0.8));
        p.drawPolyline(QPolygonF({QPointF(3.5, 9.5), QPointF(6.5, 6.5), QPointF(9.5, 8.5), QPointF(12.5, 4.5)}));
    });
}

} // namespace

// ---- link label -----------------------------------------------------------

TLinkLabel::TLinkLabel(const QString& text, const QColor& color, QWidget* parent)
    : QLabel(text, parent), m_color(color)
{
    setCursor(Qt::PointingHandCursor);
    QFont f(QStringLiteral("Tahoma"), 9);
    f.setUnderline(true);
    setFont(f);
    SetColor(m_color);
}

void TLinkLabel::SetColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    SetColor(LinkRed);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    SetColor(m_color);
    QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnClick) {
        // taken here: the page panel below has a click action of its own
        event->accept();
        platform::GuardEvent(OnClick);
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

// ---- about box ------------------------------------------------------------

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("About ") + ProgramTitle());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = new QTabWidget(this);
    layout->addWidget(PageControl1, 1);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("VeXA"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Credits"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Licence"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Web"));
    Panel1 = MakePage(TabSheet1);
    Panel2 = MakePage(TabSheet2);
    Panel3 = MakePage(TabSheet3);
    Panel5 = MakePage(TabSheet4);
    BuildPresentation();
    BuildCredits();
    BuildLicence();
    auto* browserLayout = new QVBoxLayout(Panel5);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = platform::CreateWebView(Panel5);
    browserLayout->addWidget(WebBrowser1);
    WebBrowser1->OnNavigateComplete = [this](const QString&) { m_browserLoaded = true; };

    Panel4 = new QWidget(this);
    auto* buttons = new QHBoxLayout(Panel4);
    btprev = new QPushButton(QStringLiteral("<<"), Panel4);
    btNext = new QPushButton(QStringLiteral(">>"), Panel4);
    buttons->addWidget(btprev);
    buttons->addStretch(1);
    buttons->addWidget(btNext);
    connect(btprev, &QPushButton::clicked, this, [this] { platform::GuardEvent([this] { pageav(-1); }); });
    connect(btNext, &QPushButton::clicked, this, [this] { platform::GuardEvent([this] { pageav(1); }); });
    layout->addWidget(Panel4);
    Panel4->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(25);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    // Creation: fade starts, the box takes the largest page, only the first tab shows.
    setWindowOpacity(0.0);
    Timer1->start();
    int w = 596;
    int h = 473;
    for (QWidget* panel : {Panel1, Panel2, Panel3}) {
        w = std::max(w, panel->sizeHint().width());
        h = std::max(h, panel->sizeHint().height());
    }
    resize(w, h);
    btprev->hide();
    btNext->hide();
    for (int i = 1; i < PageControl1->count(); ++i)
        PageControl1->setTabVisible(i, false);
    PageControl1->tabBar()->hide(); // flat 1 x 1 tabs: nothing to see
    PageControl1->setCurrentIndex(0);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A tab brought forward shows its own page (a page hidden earlier would leave it blank).
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        platform::GuardEvent([this, index] {
            for (int page = 1; page <= 4; ++page)
                if (PageControl1->indexOf(PagePanel(page)->parentWidget()) == index && PagePanel(page)->isHidden())
                    ShowPage(page);
        });
    });
}

QWidget* TFAbout::MakePage(QWidget* sheet)
{
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QWidget(sheet);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);
    layout->addWidget(panel);
    return panel;
}

TLinkLabel* TFAbout::PageLink(const QString& text, QWidget* parent, std::function<void()> action)
{
    auto* label = new TLinkLabel(text, LinkBlack, parent);
    label->OnClick = std::move(action);
    return label;
}

void TFAbout::BuildPresentation()
{
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(40, 40, 40, 30);
    auto* title = TextLabel(QStringLiteral("VeXA"), Panel1, 36, true);
    title->setStyleSheet(QStringLiteral("color: #800000"));
    layout->addWidget(title);
    layout->addWidget(TextLabel(QStringLiteral("Statistics by simulation"), Panel1, 14));
    auto* image = new QLabel(Panel1);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(PopulationPicture(64));
    image->setMinimumSize(64, 64);
    layout->addWidget(image);
    layout->addWidget(TextLabel(
        QStringLiteral("Populations that live and change, samples drawn one individual at a time, "
                       "measured on instruments and analysed as a statistician does."),
        Panel1, 10));
    layout->addStretch(1);
    layout->addWidget(TextLabel(ProgramTitle() + QStringLiteral(" (compilation: ") + BuildDate() +
                                    QStringLiteral(")"),
                                Panel1, 8));
    auto* links = new QHBoxLayout;
    links->addWidget(PageLink(QStringLiteral("Licence"), Panel1, [this] {
        Panel1->hide();
        Panel2->hide();
        ShowOnly(Panel3);
    }));
    links->addWidget(PageLink(QStringLiteral("Terms of use"), Panel1, [this] {
        Panel1->hide();
        Panel2->hide();
        ShowOnly(Panel3);
    }));
    links->addStretch(1);
    layout->addLayout(links);
    auto* toCredits = new ClickFilter(this, [this] { ShowOnly(Panel2); });
    Panel1->installEventFilter(toCredits);
    image->installEventFilter(toCredits);
}

void TFAbout::BuildCredits()
{
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(40, 30, 40, 20);
    auto* title = TextLabel(ProgramTitle(), Panel2, 20, true);
    title->setStyleSheet(QStringLiteral("color: #800000"));
    layout->addWidget(title);
    layout->addWidget(TextLabel(QStringLiteral("A laboratory of statistics for the classroom: "
                                               "populations, samples, binomial trials and normal curves."),
                                Panel2, 10));
    layout->addSpacing(12);
    layout->addWidget(TextLabel(QStringLiteral("Design and programming: the VeXA team."), Panel2));
    auto* author = new TLinkLabel(QStringLiteral("Who we are"), LinkBlue, Panel2);
    author->OnClick = [this] { OpenLink(AuthorsAddress); };
    layout->addWidget(author);
    auto* webdir = new TLinkLabel(HomeAddress, LinkBlue, Panel2);
    webdir->setObjectName(QStringLiteral("webdir"));
    webdir->OnClick = [this] { OpenLink(HomeAddress); };
    layout->addWidget(webdir);
    auto* webmailP = new TLinkLabel(QString(ContactMailAddress).remove(QStringLiteral("mailto:")), LinkBlue, Panel2);
    webmailP->setObjectName(QStringLiteral("webmailP"));
    webmailP->OnClick = [this] { OpenLink(ContactMailAddress); };
    layout->addWidget(webmailP);
    auto* feedback = new TLinkLabel(QStringLiteral("Send us your comments"), LinkBlack, Panel2);
    feedback->setObjectName(QStringLiteral("feedback"));
    feedback->OnClick = [this] { OpenLink(ContactMailAddress + QStringLiteral("?subject=VeXA")); };
    layout->addWidget(feedback);
    auto* image3 = new TLinkLabel(QString(), LinkBlue, Panel2);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setPixmap(ProgramPicture(32));
    image3->OnClick = [this] { OpenLink(HomeAddress); };
    layout->addWidget(image3);
    layout->addStretch(1);
    auto* links = new QHBoxLayout;
    links->addWidget(PageLink(QStringLiteral("Licence"), Panel2, [this] {
        Panel1->hide();
        Panel2->hide();
        Panel5->hide();
        ShowOnly(Panel3);
    }));
    links->addWidget(PageLink(QStringLiteral("Conditions"), Panel2, [this] {
        Panel1->hide();
        Panel2->hide();
        Panel5->hide();
        ShowOnly(Panel3);
    }));
    links->addWidget(PageLink(QStringLiteral("Web page"), Panel2, [this] {
        StartBrowser();
        ShowOnly(Panel5);
    }));
    links->addStretch(1);
    m_closeButton = new QPushButton(QStringLiteral("Close"), Panel2);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { done(1); });
    links->addWidget(m_closeButton);
    layout->addLayout(links);
}

void TFAbout::BuildLicence()
{
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(40, 30, 40, 20);
    layout->addWidget(TextLabel(QStringLiteral("Licence"), Panel3, 14, true));
    layout->addWidget(TextLabel(
        QStringLiteral("VeXA may be used and copied freely for teaching and learning. It is offered as it is, "
                       "without any warranty; the authors are not liable for any damage that its use may cause.\n\n"
                       "The study documents and pages distributed with the program may be adapted for "
                       "classroom use, keeping the mention of their origin."),
        Panel3, 10));
    layout->addStretch(1);
}

void TFAbout::PrepareSplash()
{
    Timer1->stop();
    m_alpha = 255;
    setWindowOpacity(1.0);
}

void TFAbout::PrepareAbout()
{
    hide();
    PageControl1->setTabVisible(0, true);
    PageControl1->setTabVisible(1, true);
    PageControl1->setCurrentIndex(1);
    PageControl1->setTabVisible(2, true);
    PageControl1->setTabVisible(3, false);
    PageControl1->tabBar()->show();
    ShowOnly(Panel2);
}

int TFAbout::Execute()
{
    return exec();
}

void TFAbout::Timer1Timer()
{
    m_alpha = std::min(255, m_alpha + 25);
    setWindowOpacity(m_alpha / 255.0);
    if (m_alpha >= 255)
        Timer1->stop();
}

QWidget* TFAbout::PagePanel(int Page) const
{
    switch (Page) {
    case 1:
        return Panel1;
    case 2:
        return Panel2;
    case 3:
        return Panel5;
    case 4:
        return Panel3;
    default:
        return nullptr;
    }
}

int TFAbout::CurrentPage() const
{
    int current = 0;
    for (int page = 1; page <= 4; ++page)
        if (!PagePanel(page)->isHidden())
            current = page;
    return current;
}

void TFAbout::ShowPage(int Page)
{
    if (Page == 3)
        StartBrowser();
    if (QWidget* panel = PagePanel(Page))
        ShowOnly(panel);
}

void TFAbout::pageav(int Tag)
{
    const int target = CurrentPage() + Tag;
    btprev->show();
    btNext->show();
    btprev->setText(QStringLiteral("<<"));
    btNext->setText(QStringLiteral(">>"));
    if (target < 1 || target > 4) {
        close();
        return;
    }
    if (target == 1)
        btprev->setText(QStringLiteral("X"));
    if (target == 4)
        btNext->setText(QStringLiteral("X"));
    ShowPage(target);
}

void TFAbout::StartBrowser()
{
    if (!m_browserLoaded)
        WebBrowser1->Navigate(HomeAddress);
}

void TFAbout::ShowOnly(QWidget* panel)
{
    for (QWidget* p : {Panel1, Panel2, Panel5, Panel3})
        p->setVisible(p == panel);
    // bring the panel's own tab forward, so the page shown is never blank
    const int index = PageControl1->indexOf(panel->parentWidget());
    if (index >= 0) {
        PageControl1->setTabVisible(index, true);
        PageControl1->setCurrentIndex(index);
    }
}

void TFAbout::OpenLink(const QString& address)
{
    QPointer<TFAbout> self(this);
    platform::OpenWithDesktop(address, [self] { platform::ShowMessage(QStringLiteral("Unable to connect"), self); });
}
