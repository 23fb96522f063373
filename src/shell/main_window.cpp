#include "shell/main_window.h"

#include "shell/cascade_layout.h"

#include "core/study_document.h"
#include "core/text_routines.h"
#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "platform/xml_dom.h"
#include "shell/about_box.h"
#include "shell/log_window.h"
#include "window_base/mdi_child.h"
#include "shell/shell_images.h"
#include "window_base/study_node.h"
#include "shell/version_info.h"
#include "window_base/wait_scope.h"
#include "shell/web_addresses.h"
#include "shell/web_nav.h"
#include "windows/normal_window.h"
#include "windows/population_window.h"
#include "windows/process_window.h"
#include "windows/sample_window.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <stdexcept>

namespace {

constexpr int TitleHeight = 15; // a collapsed sub-panel shows only its title button

const QString OpenFilter =
    QStringLiteral("XML files (*.xml)|*.XML|Web page (*.htm)|*.htm; *.html|All files (*.*)|*.*");

// Runs a handler of a menu item, button or tree event; an exception ends
// in the error box, never in Qt.
template <class F>
auto Guarded(F f)
{
    return [f = std::move(f)]() { platform::GuardEvent(f); };
}

// The bar between the tree and the property list: dragging it sets the
// tree panel's height.
class TPanelSplitter : public QFrame {
public:
    TPanelSplitter(QWidget* above, QWidget* parent) : QFrame(parent), m_above(above)
    {
        setFixedHeight(4);
        setCursor(Qt::SplitVCursor);
        setFrameShape(QFrame::HLine);
        setFrameShadow(QFrame::Raised);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        m_start = e->globalPosition().toPoint().y();
        m_height = m_above->height();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!(e->buttons() & Qt::LeftButton) || m_above->maximumHeight() <= TitleHeight)
            return;
        const int h = std::max(TitleHeight + 1, m_height + e->globalPosition().toPoint().y() - m_start);
        m_above->setFixedHeight(h);
    }

private:
    QWidget* m_above;
    int m_start = 0;
    int m_height = 0;
};

QToolButton* TitleButton(const QString& text, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setFixedHeight(TitleHeight);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f(QStringLiteral("Tahoma"), 7);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral("QToolButton { color: maroon; text-align: left; }"));
    return b;
}

void SetFixedPanelHeight(QWidget* panel, int height)
{
    panel->setFixedHeight(height);
}

void SetFillingPanel(QWidget* panel)
{
    panel->setMinimumHeight(0);
    panel->setMaximumHeight(QWIDGETSIZE_MAX);
}

void SelectNode(QTreeWidget* tree, QTreeWidgetItem* node)
{
    if (!tree || !node)
        return;
    tree->setCurrentItem(node);
    tree->scrollToItem(node);
}

} // namespace

TFMain::TFMain(const TFMainOptions& Options, QWidget* parent) : TFMDIParent(parent), m_options(Options)
{
    SetApplicationFolder(ProgramFolder()); // the images of the menus and tool bars lie there
    setWindowTitle(QStringLiteral("Vexa"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(817, 836);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    BuildMenus();
    BuildInspector();

    auto* toolBar = addToolBar(QStringLiteral("Tools"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(ActionOpen);
    toolBar->addAction(ActionViewObjectInspector);

    statusBar()->setObjectName(QStringLiteral("StatusBarParent"));
    const int widths[2] = {250, 50};
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(this);
        m_statusPanels[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(m_statusPanels[i], i == 1 ? 1 : 0);
    }

    FormCreate();
}

TFMain::~TFMain()
{
    // children go first, while the tree they update still exists
    if (MDIArea()) {
        QList<QPointer<QMdiSubWindow>> windows;
        for (QMdiSubWindow* w : MDIArea()->subWindowList())
            windows.append(w);
        for (const auto& w : windows)
            delete w.data(); // a population window may already have taken its samples along
    }
}

QMenu* TFMain::Menu(const QString& Title) const
{
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == Title)
            return a->menu();
    return nullptr;
}

QAction* TFMain::MenuAction(const QString& MenuTitle, const QString& ItemText) const
{
    QMenu* menu = Menu(MenuTitle);
    if (!menu)
        return nullptr;
    for (QAction* a : menu->actions()) {
        if (a->text() == ItemText)
            return a;
        if (a->menu())
            for (QAction* sub : a->menu()->actions())
                if (sub->text() == ItemText)
                    return sub;
    }
    return nullptr;
}

void TFMain::BuildMenus()
{
    ActionOpen = new QAction(ShellIcon(QStringLiteral("tool_open")), QStringLiteral("&Open..."), this);
    ActionOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(ActionOpen, &QAction::triggered, this, Guarded([this] { ActionOpenExecute(); }));
    // Ctrl+S works although its menu item is hidden.
    ActionSave = new QAction(QStringLiteral("&Save"), this);
    ActionSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(ActionSave, &QAction::triggered, this, Guarded([this] { ActionSaveExecute(); }));
    addAction(ActionSave);
    ActionViewObjectInspector =
        new QAction(ShellIcon(QStringLiteral("tool_side_panel")), QStringLiteral("Object Inspector"), this);
    ActionViewObjectInspector->setShortcut(QKeySequence(Qt::Key_F9));
    ActionViewObjectInspector->setCheckable(true);
    connect(ActionViewObjectInspector, &QAction::triggered, this,
            Guarded([this] { ActionViewObjectInspectorExecute(); }));
    ActionDeleteBranch = new QAction(ShellIcon(QStringLiteral("tool_delete")), QStringLiteral("Delete branch"), this);
    connect(ActionDeleteBranch, &QAction::triggered, this, Guarded([this] { ActionDeleteBranchExecute(); }));
    ActionTreeAutoExpand = new QAction(ShellIcon(QStringLiteral("tool_09")), QStringLiteral("Auto expand"), this);
    connect(ActionTreeAutoExpand, &QAction::triggered, this, Guarded([this] { ActionTreeAutoExpandExecute(); }));

    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(ActionOpen);
    file->addAction(QStringLiteral("Save as..."))->setVisible(false);
    QAction* saveItem = file->addAction(QStringLiteral("&Save"));
    saveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveItem->setVisible(false);
    connect(saveItem, &QAction::triggered, ActionSave, &QAction::trigger);
    connect(file->addAction(QStringLiteral("&Close")), &QAction::triggered, this,
            Guarded([this] { MDIArea()->closeActiveSubWindow(); }));
    connect(file->addAction(QStringLiteral("Settings")), &QAction::triggered, this,
            Guarded([this] { mSettingsClick(); }));
    file->addSeparator();
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this, [this] { close(); });

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("Cu&t"));
    edit->addAction(QStringLiteral("&Copy"));
    edit->addAction(QStringLiteral("&Paste"));
    edit->addAction(QStringLiteral("&Font..."));
    edit->menuAction()->setVisible(false);

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    connect(tools->addAction(QStringLiteral("Normal Distributions")), &QAction::triggered, this,
            Guarded([this] { NewDataForm_Normales(this); }));
    connect(tools->addAction(QStringLiteral("Binomial Trials")), &QAction::triggered, this,
            Guarded([this] { NewDataForm_Proceso(this); }));
    m_excelSheets = tools->addAction(QStringLiteral("Excel sheets"));
    m_documents = tools->addAction(QStringLiteral("Documents"));
    m_resourcesCenter = tools->addAction(QStringLiteral("Go to Resources center"));
    for (QAction* a : {m_excelSheets, m_documents, m_resourcesCenter})
        connect(a, &QAction::triggered, this, Guarded([this, a] { menuToolsClick(a); }));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addAction(ActionViewObjectInspector);
    connect(view->addAction(QStringLiteral("&Init page")), &QAction::triggered, this,
            Guarded([this] { GoToWebSite(); }));
    QMenu* language = view->addMenu(QStringLiteral("&Language"));
    language->addAction(QStringLiteral("&English"));
    language->addAction(QStringLiteral("&Español"));
    language->menuAction()->setVisible(false);

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    QAction* mainPage = window->addAction(QStringLiteral("Main Page"));
    mainPage->setVisible(false);
    connect(mainPage, &QAction::triggered, this, Guarded([this] { WebMenuExecute(); }));
    // Every open, not minimised window gets the same size; the active one ends in front.
    connect(window->addAction(QStringLiteral("&Cascade")), &QAction::triggered, this, [this] {
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* w : MDIArea()->subWindowList(QMdiArea::StackingOrder))
            if (!w->isHidden() && !w->isMinimized())
                windows.append(w);
        if (windows.isEmpty())
            return;
        const int step = windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()) +
                         windows.first()->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr,
                                                               windows.first());
        const std::vector<QRect> rects = CascadeRects(MDIArea()->viewport()->rect(), int(windows.size()), step);
        for (int i = 0; i < windows.size(); ++i) {
            QMdiSubWindow* w = windows.at(i);
            w->showNormal();
            w->setGeometry(rects[std::size_t(i)]);
            w->raise();
        }
    });
    // Tiles the open, not minimised windows side by side (vertical) or one above the other.
    auto tile = [this](bool vertical) {
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* w : MDIArea()->subWindowList())
            if (!w->isHidden() && !w->isMinimized())
                windows.append(w);
        if (windows.isEmpty())
            return;
        const QRect area = MDIArea()->viewport()->rect();
        const int n = int(windows.size());
        for (int i = 0; i < n; ++i) {
            QMdiSubWindow* w = windows.at(i);
            w->showNormal();
            if (vertical)
                w->setGeometry(area.width() * i / n, 0, area.width() * (i + 1) / n - area.width() * i / n,
                               area.height());
            else
                w->setGeometry(0, area.height() * i / n, area.width(),
                               area.height() * (i + 1) / n - area.height() * i / n);
        }
    };
    connect(window->addAction(QStringLiteral("Tile &Vertical")), &QAction::triggered, this,
            [tile] { tile(true); });
    connect(window->addAction(QStringLiteral("Tile &Horizontal")), &QAction::triggered, this,
            [tile] { tile(false); });
    // Lines the minimised windows up along the bottom of the area.
    connect(window->addAction(QStringLiteral("&Arrange Icons")), &QAction::triggered, this, [this] {
        int x = 0;
        const int bottom = MDIArea()->viewport()->height();
        for (QMdiSubWindow* w : MDIArea()->subWindowList())
            if (!w->isHidden() && w->isMinimized()) {
                w->move(x, bottom - w->height());
                x += w->width();
            }
    });
    connect(window->addAction(QStringLiteral("&Minimize All")), &QAction::triggered, this, [this] {
        for (QMdiSubWindow* w : MDIArea()->subWindowList())
            if (!w->isHidden())
                w->showMinimized();
    });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    connect(help->addAction(QStringLiteral("&About...")), &QAction::triggered, this,
            Guarded([this] { Credits1Click(); }));
    help->addAction(QStringLiteral("&How to cite this software"));
    QAction* check = help->addAction(QStringLiteral("&Check for a new version"));
    check->setVisible(false);
    connect(check, &QAction::triggered, this, Guarded([this] { Checkfornewversion1Click(); }));
}

void TFMain::BuildInspector()
{
    QMdiArea* area = MDIArea();
    takeCentralWidget(); // the MDI area moves into the splitter beside the inspector
    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->setChildrenCollapsible(false);

    P_ObjectInspector = new QWidget(m_mainSplitter);
    P_ObjectInspector->setObjectName(QStringLiteral("P_ObjectInspector"));
    P_ObjectInspector->setMinimumWidth(10);
    auto* inspector = new QVBoxLayout(P_ObjectInspector);
    inspector->setContentsMargins(0, 0, 0, 0);
    inspector->setSpacing(0);

    OI_TreeView = new QWidget(P_ObjectInspector);
    OI_TreeView->setObjectName(QStringLiteral("OI_TreeView"));
    auto* treeLayout = new QVBoxLayout(OI_TreeView);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(0);
    sbTreeView = TitleButton(QStringLiteral("Object browser"), OI_TreeView);
    treeLayout->addWidget(sbTreeView);
    auto* smallBar = new QWidget(OI_TreeView);
    auto* smallLayout = new QHBoxLayout(smallBar);
    smallLayout->setContentsMargins(0, 0, 0, 0);
    smallLayout->setSpacing(0);
    ButAutoExpand = new QToolButton(smallBar);
    ButAutoExpand->setDefaultAction(ActionTreeAutoExpand);
    ButAutoExpand->setAutoRaise(true);
    auto* deleteButton = new QToolButton(smallBar);
    deleteButton->setDefaultAction(ActionDeleteBranch);
    deleteButton->setAutoRaise(true);
    smallLayout->addWidget(ButAutoExpand);
    smallLayout->addWidget(deleteButton);
    smallLayout->addStretch(1);
    treeLayout->addWidget(smallBar);
    m_treeViewMain = new QTreeWidget(OI_TreeView);
    m_treeViewMain->setObjectName(QStringLiteral("TreeViewMain"));
    m_treeViewMain->setHeaderHidden(true);
    m_treeViewMain->setColumnCount(1);
    treeLayout->addWidget(m_treeViewMain, 1);
    SetFixedPanelHeight(OI_TreeView, 512);
    inspector->addWidget(OI_TreeView);

    m_panelSplitter = new TPanelSplitter(OI_TreeView, P_ObjectInspector);
    inspector->addWidget(m_panelSplitter);

    OI_Properties = new QWidget(P_ObjectInspector);
    OI_Properties->setObjectName(QStringLiteral("OI_Properties"));
    auto* propLayout = new QVBoxLayout(OI_Properties);
    propLayout->setContentsMargins(0, 0, 0, 0);
    propLayout->setSpacing(0);
    sbProperties = TitleButton(QStringLiteral("Properties"), OI_Properties);
    propLayout->addWidget(sbProperties);
    OI_PropertiesList = new QTableWidget(0, 2, OI_Properties);
    OI_PropertiesList->setObjectName(QStringLiteral("OI_PropertiesList"));
    OI_PropertiesList->verticalHeader()->hide();
    OI_PropertiesList->setColumnWidth(0, 114);
    OI_PropertiesList->setColumnWidth(1, 91);
    OI_PropertiesList->horizontalHeader()->setStretchLastSection(true);
    propLayout->addWidget(OI_PropertiesList, 1);
    inspector->addWidget(OI_Properties, 1);
    inspector->addStretch(0);

    m_mainSplitter->addWidget(P_ObjectInspector);
    m_mainSplitter->addWidget(area);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({215, 602});
    setCentralWidget(m_mainSplitter);
    P_ObjectInspector->hide();

    connect(sbTreeView, &QAbstractButton::clicked, this, Guarded([this] { OI_ShowHidePanels(sbTreeView); }));
    connect(sbProperties, &QAbstractButton::clicked, this, Guarded([this] { OI_ShowHidePanels(sbProperties); }));
    connect(m_treeViewMain, &QTreeWidget::currentItemChanged, this, Guarded([this] { TreeViewMainChange(); }));
    connect(m_treeViewMain, &QTreeWidget::itemClicked, this, Guarded([this] { TreeViewMainClick(); }));
    connect(m_treeViewMain->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            Guarded([this] { TreeViewMainDeletion(); }));
}

QWidget* TFMain::InspectorSplitterHandle() const
{
    return m_mainSplitter->handle(1);
}

// ---- start-up ---------------------------------------------------------------

QString TFMain::ProgramFolder() const
{
    return m_options.ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.ProgramFolder;
}

void TFMain::FormCreate()
{
    TFMDIParent::FormCreate();
    SetApplicationFolder(ProgramFolder());
    m_documents->setVisible(QFileInfo(DocumentsFolder()).isDir());
    m_excelSheets->setVisible(QFileInfo(SpreadsheetsFolder()).isDir());
    OI_Init();
    CreateNodoRaiz(ProgramTitle());
    m_autoExpand = false;
    m_autoExpandImage = 9;
    ActionTreeAutoExpand->setIcon(ShellIcon(QStringLiteral("tool_09")));
    OI_PropertiesList->setHorizontalHeaderLabels({QString(), QString()});
    SetWelcomeFlag(true);
    m_studyCounter = 0;
    m_logWindow = nullptr;
    SetStatusPanel(0, ProgramName + QLatin1Char(' ') + ProgramVersion + QStringLiteral(" (compilation: ") +
                          BuildDate() + QLatin1Char(')'));
    ActionOpen->setEnabled(false);
    ActionSave->setEnabled(false);
    ShowSplash();
}

void TFMain::ShowSplash()
{
    auto splash = std::make_unique<TFAbout>();
    splash->PrepareSplash();
    splash->show();
    QCoreApplication::processEvents();
    double seconds = m_options.SplashSeconds;
    if (seconds > 0) {
        // the window system shows the window a little later; its picture is
        // painted then, as nothing paints during the wait below, and the time
        // it took counts towards the splash's time
        QElapsedTimer mapping;
        mapping.start();
        while (!(splash->windowHandle() && splash->windowHandle()->isExposed()) && mapping.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 20);
        splash->repaint();
        seconds = std::max(0.0, seconds - mapping.elapsed() / 1000.0);
    }
    DelaySeconds(seconds); // no message is handled meanwhile
}

bool TFMain::event(QEvent* e)
{
    // an activation that reaches the window once a quit has hidden it opens nothing
    if (e->type() == QEvent::WindowActivate && !isHidden())
        platform::GuardEvent([this] { FormActivate(); });
    return TFMDIParent::event(e);
}

void TFMain::FormActivate()
{
    ActionOpen->setEnabled(true);
    ActionSave->setEnabled(true);
    P_ObjectInspector->setVisible(ActionViewObjectInspector->isChecked());
    InspectorSplitterHandle()->setVisible(ActionViewObjectInspector->isChecked());
    if (WelcomeFlag())
        WebMenuExecute();
}

void TFMain::ActionViewObjectInspectorExecute()
{
    const bool show = P_ObjectInspector->isHidden();
    P_ObjectInspector->setVisible(show);
    InspectorSplitterHandle()->setVisible(show);
    ActionViewObjectInspector->setChecked(show);
}

void TFMain::ToolButton1Click()
{
    ActionViewObjectInspectorExecute();
}

void TFMain::OI_Init()
{
    SubPanels().clear();
    SubPanels().append(OI_TreeView);
    SubPanels().append(OI_Properties);
    OI_TreeView->setProperty("Tag", 0);
    OI_Properties->setProperty("Tag", 1);
    sbTreeView->setProperty("Tag", 0);
    sbProperties->setProperty("Tag", 1);
    for (QAbstractButton* b : {sbTreeView, sbProperties}) {
        b->setFixedHeight(TitleHeight);
        b->setChecked(true);
    }
    OI_PropertiesList->setRowCount(0);
}

void TFMain::OI_ShowHidePanels(QAbstractButton* Sender)
{
    if (!Sender)
        return;
    const int index = Sender->property("Tag").toInt();
    if (index < 0 || index >= SubPanels().size() || !SubPanels().at(index))
        return;
    QWidget* panel = SubPanels().at(index);
    const bool last = index == SubPanels().size() - 1;
    if (panel->maximumHeight() <= TitleHeight) {
        SetFixedPanelHeight(panel, P_ObjectInspector->height() / 2);
        if (last)
            SetFillingPanel(panel);
        Sender->setChecked(true);
    } else {
        SetFixedPanelHeight(panel, TitleHeight);
        Sender->setChecked(false);
    }
}

void TFMain::OI_PropertiesReset()
{
    OI_PropertiesList->setRowCount(0);
    OI_PropertiesList->setHorizontalHeaderLabels({QString(), QString()});
}

void TFMain::Credits1Click()
{
    TFAbout box(this);
    box.PrepareAbout();
    box.Execute();
}

void TFMain::mSettingsClick()
{
    platform::ShowMessage(QStringLiteral("llamada a settings"), this);
}

void TFMain::ActionSaveExecute()
{
    if (MDIArea()->activeSubWindow())
        platform::ShowMessage(QStringLiteral("se guarda... algo"), this);
}

void TFMain::Checkfornewversion1Click()
{
    const QString text = QStringLiteral("todavia no esta implementado");
    SetStatusPanel(1, text);
    QCoreApplication::processEvents();
    platform::ShowMessage(text, this);
    SetStatusPanel(1, QString());
}

void TFMain::SetStatusPanel(int Index, const QString& Text)
{
    if (Index >= 0 && Index < 2)
        m_statusPanels[Index]->setText(Text);
}

QString TFMain::StatusPanel(int Index) const
{
    return Index >= 0 && Index < 2 ? m_statusPanels[Index]->text() : QString();
}

// ---- children ---------------------------------------------------------------

int TFMain::ChildCount() const
{
    int n = 0;
    for (QMdiSubWindow* w : MDIArea()->subWindowList())
        if (!w->isHidden())
            ++n;
    return n;
}

void TFMain::ToolButton4Click()
{
    SelectNode(m_treeViewMain, RootNode());
}

void TFMain::BringToFront(TFMDIChild* Window)
{
    if (!Window)
        return;
    MDIArea()->setActiveSubWindow(Window);
    Window->raise();
    // the focus also decides which window comes back when the main window is activated again
    Window->setFocus(Qt::OtherFocusReason);
}

void TFMain::SetStatusLog(TFMDIChild* Child, bool Show)
{
    if (Show) {
        QTreeWidgetItem* logNode = m_logWindow ? m_logWindow->TreeNode() : nullptr;
        if (logNode) {
            SelectNode(m_treeViewMain, logNode);
            return;
        }
        SelectNode(m_treeViewMain, RootNode());
        auto* log = new TFLog(this);
        log->AssignParentForm(this);
        m_logWindow = log;
        log->setWindowTitle(QStringLiteral("Log"));
        log->show();
        auto* node = new QTreeWidgetItem;
        node->setText(0, QStringLiteral("Log"));
        RootNode()->insertChild(0, node);
        log->SetTreeLinks(m_treeViewMain, node);
        SetNodeImages(node, 18, 18);
        RootNode()->setText(0, QStringLiteral("Tools"));
        SetNodeData(node, log);
        SelectNode(m_treeViewMain, node);
        SetLogNode(node);
        BringToFront(log);
        log->FormActivate();
    } else if (Child) {
        SetLogNode(nullptr);
        m_logWindow = nullptr;
    }
}

void TFMain::ActiveData_Set(TFMDIChild* Child)
{
    TFMDIChild* previous = ActiveData();
    TFMDIParent::ActiveData_Set(Child);
    if (previous)
        previous->SetRegistered(false);
    if (Child) {
        Child->SetRegistered(true);
        SetStatusPanel(1, QStringLiteral("Active data: ") + Child->windowTitle() + QStringLiteral(" [") +
                              QString::number(Child->Tag()) + QLatin1Char(']'));
    } else {
        SetStatusPanel(1, QStringLiteral("Active data: None"));
    }
}

void TFMain::ActiveData_DelNotify(TFMDIChild* Child)
{
    TFMDIParent::ActiveData_DelNotify(Child);
    if (Child)
        Child->SetKind(ChildKindPassive);
    TFMDIChild* last = nullptr;
    for (QMdiSubWindow* w : MDIArea()->subWindowList()) {
        auto* child = qobject_cast<TFMDIChild*>(w);
        if (child && child != Child && !child->isHidden() && child->Kind() == ChildKindActiveData) {
            ActiveData_Set(child);
            last = child;
        }
    }
    if (!last)
        ActiveData_Set(nullptr);
}

// ---- study tree -------------------------------------------------------------

QTreeWidgetItem* TFMain::CreateNodoRaiz(const QString& Text)
{
    if (m_treeViewMain->topLevelItemCount() > 0)
        return nullptr;
    auto* root = new QTreeWidgetItem;
    root->setText(0, Text);
    m_treeViewMain->insertTopLevelItem(0, root);
    SetRootNode(root);
    UpdateDeleteBranch();
    SetNodeImages(root, 1, -1);
    SelectNode(m_treeViewMain, root);
    return root;
}

void TFMain::NewBranchExecute()
{
    QTreeWidgetItem* selected = m_treeViewMain->currentItem();
    if (!selected)
        selected = RootNode();
    if (!selected)
        return;
    auto* folder = new QTreeWidgetItem;
    folder->setText(0, QString::number(NodeLevel(selected)));
    selected->addChild(folder);
    SelectNode(m_treeViewMain, folder);
}

QTreeWidgetItem* TFMain::TreeViewMainGetFolder(int MinLevel)
{
    for (QTreeWidgetItem* node = m_treeViewMain->currentItem(); node && NodeLevel(node) >= MinLevel;
         node = node->parent())
        if (IsFolderNode(node))
            return node;
    return nullptr;
}

QTreeWidgetItem* TFMain::NewStudyFolder()
{
    SelectNode(m_treeViewMain, RootNode());
    NewBranchExecute();
    QTreeWidgetItem* folder = TreeViewMainGetFolder(1);
    ++m_studyCounter;
    return folder;
}

void TFMain::AddWindowNode(TFMDIChild* Window, QTreeWidgetItem* Parent, bool FirstChild, int Image,
                           int SelectedImage, bool WithPropertyList)
{
    if (!Parent)
        Parent = RootNode();
    if (WithPropertyList)
        Window->SetPropertyEditor(OI_PropertiesList);
    auto* node = new QTreeWidgetItem;
    node->setText(0, Window->windowTitle());
    if (FirstChild)
        Parent->insertChild(0, node);
    else
        Parent->addChild(node);
    Window->SetTreeLinks(m_treeViewMain, node);
    SetNodeData(node, Window);
    SetNodeImages(node, Image, SelectedImage);
    SelectNode(m_treeViewMain, node);
}

void TFMain::DiscardChild(TFMDIChild* Window)
{
    if (!Window)
        return;
    TCloseAction action = caFree;
    Window->FormClose(action);
    delete Window;
}

void TFMain::ShowNewChild(TFMDIChild* Window, const QString& TitleFormat, QTreeWidgetItem* Parent, int Image,
                          int SelectedImage, bool WithPropertyList)
{
    Window->AssignParentForm(this);
    Window->show();
    Window->setWindowTitle(TitleFormat.arg(ChildCount()));
    AddWindowNode(Window, Parent, false, Image, SelectedImage, WithPropertyList);
}

TFPoblacion* TFMain::NewDataForm_Poblacion(QObject*, std::shared_ptr<platform::XmlDocument> Document,
                                           const QString& FileName)
{
    QTreeWidgetItem* folder = NewStudyFolder();
    auto* window = new TFPoblacion(this);
    ShowNewChild(window, QStringLiteral("Población %1"), folder, 8, 7, true);
    if (folder) {
        SetNodeImages(folder, 6, 5);
        folder->setText(0, QStringLiteral("Estudio %1").arg(m_studyCounter));
    }
    window->ShowProperties();
    BringToFront(window);
    if (Document) {
        try {
            window->SetDataSource(std::move(Document), FileName);
        } catch (...) {
            // no half-built study stays behind
            DiscardChild(window);
            --m_studyCounter;
            throw;
        }
        window->ShowProperties();
    }
    return window;
}

TFProceso* TFMain::NewDataForm_Proceso(QObject*)
{
    QTreeWidgetItem* folder = NewStudyFolder();
    auto* window = new TFProceso(this, QString());
    ShowNewChild(window, QStringLiteral("Estudio  %1"), folder, 16, 17, false);
    if (folder) {
        SetNodeImages(folder, 17, 16);
        folder->setText(0, QStringLiteral("Población  %1").arg(m_studyCounter));
    }
    window->ShowProperties();
    window->showMaximized();
    BringToFront(window);
    return window;
}

TFNormales* TFMain::NewDataForm_Normales(QObject*)
{
    QTreeWidgetItem* folder = NewStudyFolder();
    auto* window = new TFNormales(this, QString());
    ShowNewChild(window, QStringLiteral("Dist. Normal(%1)"), folder, 19, 19, false);
    if (folder) {
        SetNodeImages(folder, 19, 19);
        folder->setText(0, QStringLiteral("Distribucion"));
    }
    window->ShowProperties();
    window->showMaximized();
    BringToFront(window);
    return window;
}

void TFMain::NewChildForm_Muestra(TFMDIChild* PopulationWindow)
{
    auto* population = qobject_cast<TFPoblacion*>(PopulationWindow);
    if (!population)
        throw std::runtime_error("Invalid class typecast");
    QTreeWidgetItem* populationNode = population->TreeNode();
    SelectNode(m_treeViewMain, populationNode);
    QTreeWidgetItem* folder = populationNode ? TreeViewMainGetFolder(1) : nullptr;
    auto* window = new TFMuestra(this);
    ShowNewChild(window, QStringLiteral("Ensayo %1"), folder, 12, 12, false);
    try {
        window->InitFromPopulation(population->Vexa(), population->Poblacion());
    } catch (...) {
        DiscardChild(window);
        throw;
    }
    // the folder is renamed only once the window stands
    if (folder)
        folder->setText(0, QStringLiteral("Analysis %1").arg(m_studyCounter));
    population->AttachSample(window);
    window->ShowProperties();
    window->showMaximized();
    BringToFront(window);
}

void TFMain::UpdateDeleteBranch()
{
    QTreeWidgetItem* root = RootNode();
    ActionDeleteBranch->setEnabled(root && root->childCount() > 0);
}

void TFMain::TreeViewMainClick()
{
    if (TreeNodeCount(m_treeViewMain) < 2)
        return;
    if (TFMDIChild* window = NodeData(m_treeViewMain->currentItem())) {
        BringToFront(window);
        window->ShowProperties();
    }
}

void TFMain::TreeViewMainChange()
{
    TreeViewMainClick();
    OI_PropertiesReset();
    UpdateDeleteBranch();
    if (m_autoExpand)
        if (QTreeWidgetItem* node = m_treeViewMain->currentItem())
            node->setExpanded(true);
}

void TFMain::TreeViewMainDeletion()
{
    QTreeWidgetItem* root = RootNode();
    if (root && m_treeViewMain->indexOfTopLevelItem(root) >= 0 && root->childCount() == 0)
        OI_PropertiesReset();
}

void TFMain::ActionTreeAutoExpandExecute()
{
    m_autoExpand = !m_autoExpand;
    m_autoExpandImage = m_autoExpand ? 8 : 9;
    ActionTreeAutoExpand->setIcon(ShellIcon(QStringLiteral("tool_%1").arg(m_autoExpandImage, 2, 10, QLatin1Char('0'))));
}

void TFMain::ActionDeleteBranchExecute()
{
    QTreeWidgetItem* selected = m_treeViewMain->currentItem();
    if (!selected)
        return;
    if (selected->childCount() == 0 && IsFolderNode(selected))
        return;
    const auto answer = platform::CurrentDialogs().MessageBox(
        this, QString(), QStringLiteral("Please, confirm to delete."), platform::MsgButtons::YesNo,
        platform::MsgIcon::Confirmation);
    if (answer != platform::MsgAnswer::Yes)
        return;
    // Every question the closing asks comes first: a Cancel deletes nothing.
    // The windows below the selected node are asked about (its own only when
    // it has no children), deeper ones too, as their nodes move up on the way.
    QList<TFMDIChild*> branch;
    const auto addBranch = [&branch](const auto& self, QTreeWidgetItem* node) -> void {
        for (int i = 0; i < node->childCount(); ++i)
            self(self, node->child(i));
        if (TFMDIChild* window = NodeData(node))
            branch.append(window);
    };
    for (int i = 0; i < selected->childCount(); ++i)
        addBranch(addBranch, selected->child(i));
    if (selected->childCount() == 0)
        addBranch(addBranch, selected);
    // Closing a window removes its node and may remove its emptied folder, so
    // every node is looked up again through a persistent index.
    const QPersistentModelIndex selectedIndex(m_treeViewMain->indexFromItem(selected));
    auto item = [this](const QPersistentModelIndex& index) {
        return index.isValid() ? m_treeViewMain->itemFromIndex(index) : nullptr;
    };
    TClosingRound round;
    if (!round.Ask(branch))
        return;
    selected = item(selectedIndex);
    if (!selected)
        return;
    auto closeWindowOf = [](QTreeWidgetItem* node) {
        if (TFMDIChild* window = NodeData(node))
            window->close();
    };
    const int children = selected->childCount();
    if (children > 0) {
        for (int i = 0; i < children; ++i) {
            QTreeWidgetItem* parent = item(selectedIndex);
            if (!parent || parent->childCount() == 0)
                break;
            const QPersistentModelIndex childIndex(m_treeViewMain->indexFromItem(parent->child(0)));
            const int grandChildren = parent->child(0)->childCount();
            for (int j = 0; j < grandChildren; ++j) {
                QTreeWidgetItem* child = item(childIndex);
                if (!child || child->childCount() == 0)
                    break;
                closeWindowOf(child->child(0));
            }
            if (QTreeWidgetItem* child = item(childIndex))
                closeWindowOf(child);
        }
    } else {
        closeWindowOf(selected);
    }
}

// ---- documents and web pages ------------------------------------------------

void TFMain::ActionOpenExecute()
{
    platform::FileDialogRequest request;
    request.defaultExt = QStringLiteral("*.xml");
    const QString xmlFolder = ApplicationFolder() + QStringLiteral("xml/");
    const bool hasXml = QFileInfo(xmlFolder).isDir();
    request.fileName = (hasXml ? xmlFolder : ApplicationFolder()) + QStringLiteral("*.xml");
    request.initialDir = hasXml ? xmlFolder : ApplicationFolder();
    request.filter = OpenFilter;
    request.filterIndex = 1;
    request.overwritePrompt = false;
    const auto chosen = platform::CurrentDialogs().OpenFile(this, request);
    if (!chosen)
        return;
    const QString extension = QStringLiteral(".") + QFileInfo(*chosen).suffix().toLower();
    if (extension == QLatin1String(".xml"))
        OpenDataFile(*chosen);
    else if (extension == QLatin1String(".htm") || extension == QLatin1String(".html"))
        OpenLocalWebFile(this, *chosen, nullptr);
    else
        platform::CurrentDialogs().MessageBox(
            this, QString(),
            QStringLiteral("Unable to open \r") + *chosen +
                QStringLiteral("\rVeXA opens studies (*.xml) and web pages (*.htm, *.html)."),
            platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

void TFMain::ShowLoadError(const QString& FileName, const QString& LocalFile, const char* Reason)
{
    QString text = QString::fromUtf8(Reason);
    if (!text.contains(LocalFile) && !text.contains(FileName))
        text = FileName + QLatin1Char('\r') + text;
    platform::CurrentDialogs().MessageBox(this, QString(), text, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Error);
}

void TFMain::OpenDataFile(const QString& FileName)
{
    if (TStudyDownload::IsWebAddress(FileName)) {
        FetchStudy(FileName);
        return;
    }
    const QString localFile = FileName.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                                  ? QUrl(FileName).toLocalFile()
                                  : FileName;
    OpenStudy(FileName, localFile, [&] {
        return platform::XmlDocument::LoadFromFile(QFile::encodeName(localFile).toStdString());
    });
}

void TFMain::SetStudyDownloadLimits(qint64 Bytes, int TimeoutMs)
{
    m_downloadLimit = Bytes;
    m_downloadTimeoutMs = TimeoutMs;
}

int TFMain::StudyDownloadsRunning() const
{
    int running = 0;
    for (const TStudyDownload* download : findChildren<TStudyDownload*>(Qt::FindDirectChildrenOnly))
        running += download->Running();
    return running;
}

void TFMain::FetchStudy(const QString& Address)
{
    auto* download = new TStudyDownload(this);
    download->SetLimit(m_downloadLimit);
    download->SetTimeout(m_downloadTimeoutMs);
    QPointer<TFMain> self(this);
    download->Start(Address, [self, download, Address](const QByteArray& data, const QString& error) {
        download->deleteLater();
        if (!self)
            return;
        platform::GuardEvent([&] {
            if (!error.isEmpty()) {
                platform::CurrentDialogs().MessageBox(
                    self, QString(), QStringLiteral("Cannot open the study \r") + Address + QStringLiteral("\r") + error,
                    platform::MsgButtons::Ok, platform::MsgIcon::Error);
                return;
            }
            // opened as a local study, from the bytes fetched
            self->OpenStudy(Address, Address, [&] {
                return platform::XmlDocument::LoadFromBytes(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                                                            Address.toStdString());
            });
        });
    });
}

void TFMain::OpenStudy(const QString& FileName, const QString& localFile,
                       const std::function<platform::XmlDocument()>& Load)
{
    enum class Kind { None, Population, Process };
    Kind kind = Kind::None;
    bool versionAccepted = false;
    // every study keeps a document of its own
    std::shared_ptr<platform::XmlDocument> document;
    std::string version;
    try {
        TWaitScope wait(QStringLiteral("Leyendo datos..."), 10, false, 125, 225);
        document = std::make_shared<platform::XmlDocument>(Load());
        // a foreign root reads as an empty study: no kind, reported below
        const IXMLVexaType vexa = IsVexaDocument(*document) ? GetVexa(*document) : IXMLVexaType();
        const std::string form = vexa.App().Init().Form();
        if (SameLeadingText(form, "pop", 3))
            kind = Kind::Population;
        else if (SameLeadingText(form, "prc", 3))
            kind = Kind::Process;
        version = vexa.App().Ver();
        versionAccepted = FileVersionCompatible(version);
    } catch (const std::exception& e) {
        ShowLoadError(FileName, localFile, e.what());
        return;
    }

    if (!versionAccepted) {
        platform::CurrentDialogs().MessageBox(
            this, QString(),
            QStringLiteral("Uncompatible file version:\rXML File: ") + QString::fromStdString(version) +
                QStringLiteral("\r") + QStringLiteral("VEXA version: ") + ProgramVersion,
            platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return;
    }
    switch (kind) {
    case Kind::None:
        platform::CurrentDialogs().MessageBox(this, QString(),
                                              QStringLiteral("Unable to read \r") + FileName + QStringLiteral("\r") +
                                                  QStringLiteral("as a VEXA valid file"),
                                              platform::MsgButtons::Ok, platform::MsgIcon::Error);
        break;
    case Kind::Population:
        SelectNode(m_treeViewMain, RootNode());
        try {
            NewDataForm_Poblacion(this, std::move(document), FileName);
        } catch (const std::exception& e) {
            ShowLoadError(FileName, localFile, e.what());
        }
        break;
    case Kind::Process:
        NewDataForm_Proceso(this);
        break;
    }
}

TFWebNav* TFMain::CreateWebWindow(const QString& URL, const QString& Caption, TFMDIChild* OwnerWindow,
                                  bool AskOnClose, QTreeWidgetItem* Parent, bool FirstChild)
{
    auto* window = new TFWebNav(this, URL);
    window->setWindowTitle(Caption);
    window->AssignParentForm(this);
    window->SetOwnerWindow(OwnerWindow);
    window->SetAskOnClose(AskOnClose);
    window->showMaximized();
    AddWindowNode(window, Parent, FirstChild, 3, 2, true);
    return window;
}

TFWebNav* TFMain::OpenLocalWebFile(QObject*, const QString& FileName, QTreeWidgetItem* ParentNode)
{
    const QString page = QFileInfo::exists(FileName) ? FileName : HomeAddress;
    QTreeWidgetItem* parent = ParentNode;
    if (!parent)
        parent = m_treeViewMain->currentItem();
    if (!parent)
        parent = RootNode();
    return CreateWebWindow(page, QFileInfo(FileName).fileName(), nullptr, true, parent, false);
}

void TFMain::WebMenuExecute()
{
    const QString welcome = ApplicationFolder() + QStringLiteral("vexainit.htm");
    const QString page = QFileInfo::exists(welcome) ? welcome : HomeAddress;
    if (!WelcomeFlag())
        return;
    CreateWebWindow(page, ProgramTitle() + QStringLiteral(" Vexa Home Page"), nullptr, false, RootNode(), true);
    SetWelcomeFlag(false);
}

void TFMain::GoToWebSite()
{
    SelectNode(m_treeViewMain, RootNode());
    WebMenuExecute();
}

void TFMain::menuToolsClick(QAction* Sender)
{
    QString url;
    QString suffix;
    if (Sender == m_excelSheets) {
        url = QUrl::fromLocalFile(SpreadsheetsFolder()).toString();
        suffix = QStringLiteral(" Excel sheets");
    } else if (Sender == m_documents) {
        url = QUrl::fromLocalFile(DocumentsFolder()).toString();
        suffix = QStringLiteral(" Documents");
    } else if (Sender == m_resourcesCenter) {
        url = ResourcesAddress;
    } else {
        return;
    }
    CreateWebWindow(url, ProgramTitle() + suffix, nullptr, false, RootNode(), true);
}

void TFMain::NewChildForm_Web(TFMDIChild* Sender, bool AsChild, const QString& URL)
{
    if (URL.isEmpty())
        return;
    if (!Sender)
        throw std::runtime_error("Invalid class typecast");
    QTreeWidgetItem* node = Sender->TreeNode();
    QTreeWidgetItem* parent = node && !AsChild ? node->parent() : node;
    if (!parent)
        parent = RootNode();
    CreateWebWindow(URL, ProgramTitle() + QStringLiteral(" ** "), Sender, false, parent, true);
    SetWelcomeFlag(false);
}
