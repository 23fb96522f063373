#pragma once
// A population window over one of the sample studies, on a recording main
// window, with the clock standing still until a test moves it and the dot
// cloud drawn from a fixed seed.
#include "../support/shell_test_support.h"

#include "core/population_model.h"
#include "core/random_numbers.h"
#include "platform/xml_dom.h"
#include "testing/settable_clock.h"
#include "windows/bar_frame.h"
#include "windows/point_cloud.h"
#include "windows/population_window.h"
#include "windows/track_bar.h"
#include "window_base/message_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QString>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class PopulationWindowFixture : public ShellFixture {
protected:
    // 1 January 2023, 12:00:00
    static constexpr double kNoon = 44927.5;

    void SetUp() override
    {
        ShellFixture::SetUp();
        Clock.SetNow(kNoon);
        SetCloudReseeding(false);
        SetRandSeed(20240607);
    }
    void TearDown() override
    {
        delete Window.data();
        SetCloudReseeding(true);
        ShellFixture::TearDown();
    }

    static QString StudyFile(const char* name)
    {
        return QStringLiteral(VEXA_SOURCE_DIR "/resources/xml/") + QLatin1String(name);
    }
    static std::shared_ptr<platform::XmlDocument> LoadStudy(const char* name)
    {
        return std::make_shared<platform::XmlDocument>(
            platform::XmlDocument::LoadFromFile(StudyFile(name).toStdString()));
    }
    static std::shared_ptr<platform::XmlDocument> StudyFromText(const std::string& xml)
    {
        return std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(xml));
    }

    TFPoblacion& Open(const char* name = "estudio_alturas_pesos.xml")
    {
        return OpenDocument(LoadStudy(name), QString::fromLatin1(name));
    }
    TFPoblacion& OpenDocument(std::shared_ptr<platform::XmlDocument> document, const QString& name)
    {
        Window = new TFPoblacion(&MainWindow());
        Window->SetDataSource(std::move(document), name);
        return *Window;
    }
    // Maximized on a shown 1280x1024 main window, the dots' page in front
    // (the study's guide opens there first), activated.
    TFPoblacion& ShowStudy(const char* name = "estudio_alturas_pesos.xml")
    {
        MainWindow().resize(1280, 1024);
        MainWindow().show();
        TFPoblacion& w = Open(name);
        w.showMaximized();
        w.PageControl1->setCurrentWidget(w.TabSheet_Pixels);
        QCoreApplication::processEvents();
        w.FormActivate();
        QCoreApplication::processEvents();
        return w;
    }
    // Charts, dynamics and time panels open, model curves shown, bars of the zones.
    TFPoblacion& ShowChartsOfTheZones()
    {
        TFPoblacion& w = ShowStudy();
        w.sbPanelCharts->click();
        w.SB_ShowTimeControls->click();
        w.sb_Dynamic->click();
        w.cbShowModel->click();
        w.FrameBarras1->CB_Variable->setCurrentIndex(1);
        emit w.FrameBarras1->CB_Variable->activated(1);
        return w;
    }
    // The study's start-up messages closed with their close buttons, as a
    // user does before working in the window; the window is active again.
    static void CloseTheMessages(TFPoblacion& w)
    {
        for (TFMsge* message : w.MessageWindows()) {
            if (!message->isVisible())
                continue;
            QTest::mouseClick(message->sbClose, Qt::LeftButton, {}, message->sbClose->rect().center());
            QCoreApplication::processEvents();
            EXPECT_FALSE(message->isVisible());
            EXPECT_EQ(message->Backdrop(), nullptr);
        }
        QCoreApplication::processEvents();
        w.FormActivate();
        QCoreApplication::processEvents();
    }
    // Steps of 6 real seconds at 400 %.
    void Run(TFPoblacion& w, int ticks)
    {
        for (int k = 0; k < ticks; ++k) {
            Clock.Advance(6);
            w.OnTimer();
        }
        QCoreApplication::processEvents();
    }
    // Moves the clock on by real minutes.
    void AdvanceMinutes(double minutes) { Clock.Advance(minutes * 60.0); }

    platform::SettableClock Clock;
    platform::ScopedClock ClockInForce{Clock};
    QPointer<TFPoblacion> Window;
};
