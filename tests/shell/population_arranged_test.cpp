// A population window arranged with the Window menu among other windows, then
// brought to the front again and again from the object browser: the charts
// the user opened stay open, also where a tile is narrower than the clocks.
#include "main_window_fixture.h"
#include "../support/screen_input.h"

#include "chart/chart.h"
#include "windows/bar_frame.h"
#include "windows/population_window.h"
#include "window_base/message_window.h"

#include <algorithm>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    QTest::qWait(50);
}

class PopulationArranged : public MainWindowFixture {
protected:
    // The heights study opened in the main window shown at its own first
    // size, its start-up messages closed with their buttons, the dots' page
    // in front; beside it a page window and the page window the study opens.
    TFPoblacion* OpenStudyBesideAPage(TFMain& main)
    {
        main.move(40, 40);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.OpenLocalWebFile(&main, WriteFile(QStringLiteral("a.htm"), "<html></html>"), nullptr);
        main.OpenDataFile(XmlFile(QStringLiteral("estudio_alturas_pesos.xml")));
        Settle();
        TFPoblacion* population = nullptr;
        for (QMdiSubWindow* w : main.MDIArea()->subWindowList())
            if (auto* p = qobject_cast<TFPoblacion*>(w))
                population = p;
        if (!population)
            return nullptr;
        for (TFMsge* message : population->MessageWindows())
            if (message->isVisible()) {
                ClickOnScreen(message->sbClose, message->sbClose->rect().center());
                Settle();
            }
        // the dots' page: the study's guide opens in front of it
        QTabBar* tabs = population->PageControl1->tabBar();
        const int page = population->PageControl1->indexOf(population->TabSheet_Pixels);
        ClickOnScreen(tabs, tabs->tabRect(page).center());
        Settle();
        EXPECT_EQ(population->PageControl1->currentWidget(), population->TabSheet_Pixels);
        return population;
    }
    // A menu item chosen with the mouse: the menu's title in the menu bar, then the item.
    static void Choose(TFMain& main, const QString& title, const QString& item)
    {
        QMenuBar* bar = main.menuBar();
        QMenu* menu = main.Menu(title);
        ASSERT_NE(menu, nullptr);
        ClickOnScreen(bar, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000)) << title.toStdString();
        QAction* action = main.MenuAction(title, item);
        ASSERT_NE(action, nullptr);
        ClickOnScreen(menu, menu->actionGeometry(action).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, 5000)) << item.toStdString();
        Settle();
    }
    // A window brought to the front from its node in the object browser.
    static void Activate(TFMain& main, TFMDIChild* window)
    {
        QTreeWidget* tree = main.TreeViewMain();
        QTreeWidgetItem* node = window->TreeNode();
        ASSERT_NE(node, nullptr);
        tree->scrollToItem(node);
        ClickOnScreen(tree->viewport(), tree->visualItemRect(node).center());
        ASSERT_TRUE(QTest::qWaitFor([&main, window] { return main.MDIArea()->activeSubWindow() == window; }, 5000))
            << window->windowTitle().toStdString();
        Settle();
    }
    static bool ChartsOpen(TFPoblacion* w)
    {
        return w->PanelCharts->isVisible() && w->PanelMainL->width() > w->sbPanelCharts->width() &&
               w->FrameBarras1->ChartPoblacion->isVisible();
    }
};

} // namespace

TEST_F(PopulationArranged, ChartsOpenedStayOpenAtEveryActivationAfterTheWindowMenuArrangesThem)
{
    for (const char* arrange : {"Tile &Vertical", "Tile &Horizontal", "&Cascade"}) {
        SCOPED_TRACE(arrange);
        TFMain& main = CreateMain();
        TFPoblacion* w = OpenStudyBesideAPage(main);
        ASSERT_NE(w, nullptr);
        TFMDIChild* page = nullptr;
        for (TFMDIChild* c : OpenChildren())
            if (c != w)
                page = c;
        ASSERT_NE(page, nullptr);
        Choose(main, QStringLiteral("&View"), QStringLiteral("Object Inspector"));
        ASSERT_TRUE(main.TreeViewMain()->isVisible());
        Activate(main, w);
        if (HasFatalFailure())
            return;
        ClickOnScreen(w->sbPanelCharts, w->sbPanelCharts->rect().center());
        Settle();
        ASSERT_TRUE(ChartsOpen(w));
        ASSERT_TRUE(w->isMaximized());
        const int opened = w->PanelMainL->width();

        Choose(main, QStringLiteral("&Window"), QString::fromLatin1(arrange));
        if (HasFatalFailure())
            return;
        EXPECT_TRUE(ChartsOpen(w)) << "arranged";
        for (int round = 1; round <= 3; ++round) {
            // the other window, then this one again
            Activate(main, page);
            Activate(main, w);
            if (HasFatalFailure())
                return;
            EXPECT_TRUE(ChartsOpen(w)) << "activated again, round " << round;
            // maximised again, open at no less than their least width
            EXPECT_TRUE(w->isMaximized()) << round;
            EXPECT_GE(w->PanelMainL->width(), std::min(opened, 200)) << round;
        }
        EXPECT_TRUE(w->sbPanelCharts->isChecked());
        // what the window shows on screen is the open chart
        const QWidget* chart = w->FrameBarras1->ChartPoblacion;
        const QRect place(chart->mapToGlobal(QPoint(0, 0)), chart->size());
        EXPECT_EQ(ScreenShot(place).convertToFormat(QImage::Format_RGB32),
                  w->FrameBarras1->ChartPoblacion->grab().toImage().convertToFormat(QImage::Format_RGB32));
        for (TFMsge* message : w->MessageWindows())
            message->close();
        Main.reset();
        Settle();
    }
}
