// The look of the main window stays its own while study windows open and the
// mouse passes over them: the application palette, the main window's style
// sheet and palette, and those of its menu bar and status bar.
#include "main_window_fixture.h"

#include "windows/normal_window.h"
#include "windows/population_window.h"
#include "windows/process_window.h"
#include "windows/sample_window.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace {

struct TLook {
    QPalette application;
    QPalette main;
    QString mainSheet;
    QPalette menuBar;
    QPalette statusBar;
};

TLook LookOf(TFMain& main)
{
    TLook look;
    look.application = QApplication::palette();
    look.main = main.palette();
    look.mainSheet = main.styleSheet();
    if (QMenuBar* bar = main.findChild<QMenuBar*>())
        look.menuBar = bar->palette();
    if (QStatusBar* bar = main.findChild<QStatusBar*>())
        look.statusBar = bar->palette();
    return look;
}

// The mouse over every shown label and button of a window, then away.
void PassOver(QWidget* window, TFMain& main)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)))
            continue;
        QTest::mouseMove(w, w->rect().center());
    }
    QTest::mouseMove(window, QPoint(2, 2));
    QTest::mouseMove(&main, QPoint(4, 4));
    QApplication::processEvents();
}

class TFMainLook : public MainWindowFixture {
protected:
    void ExpectSameLook(TFMain& main, const TLook& before, const char* after)
    {
        const TLook now = LookOf(main);
        EXPECT_EQ(now.application, before.application) << after;
        EXPECT_EQ(now.main, before.main) << after;
        EXPECT_EQ(now.mainSheet, before.mainSheet) << after;
        EXPECT_EQ(now.menuBar, before.menuBar) << after;
        EXPECT_EQ(now.statusBar, before.statusBar) << after;
        for (QMdiSubWindow* child : main.findChildren<QMdiSubWindow*>())
            EXPECT_TRUE(child->styleSheet().isEmpty()) << after;
    }
};

} // namespace

TEST_F(TFMainLook, OpeningEachWindowLeavesTheApplicationsLookAlone)
{
    TFMain& main = CreateMain();
    main.resize(1280, 1024);
    main.show();
    QApplication::processEvents();
    const TLook before = LookOf(main);

    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = main.findChild<TFPoblacion*>();
    ASSERT_NE(population, nullptr);
    population->sb_Dynamic->click();
    QApplication::processEvents();
    PassOver(population, main);
    ExpectSameLook(main, before, "population window");

    main.NewChildForm_Muestra(population);
    auto* sample = main.findChild<TFMuestra*>();
    ASSERT_NE(sample, nullptr);
    QApplication::processEvents();
    PassOver(sample, main);
    ExpectSameLook(main, before, "sample window");
    // a disabled button keeps its grey after the mouse passed
    EXPECT_FALSE(sample->GetSampleButton()->isEnabled());
    EXPECT_EQ(sample->GetSampleButton()->palette().color(QPalette::Disabled, QPalette::ButtonText),
              sample->widget()->palette().color(QPalette::Disabled, QPalette::ButtonText));

    TFNormales* normal = main.NewDataForm_Normales(&main);
    ASSERT_NE(normal, nullptr);
    QApplication::processEvents();
    PassOver(normal, main);
    ExpectSameLook(main, before, "normal-curves window");

    main.OpenDataFile(XmlFile("proceso_lanzamiento_moneda.xml"));
    auto* process = main.findChild<TFProceso*>();
    ASSERT_NE(process, nullptr);
    QApplication::processEvents();
    PassOver(process, main);
    ExpectSameLook(main, before, "binomial-trials window");
}
