// A study whose run lasts longer than 65,535 minutes: the clock displays of
// the shown population window keep the whole hours, also after the speed is
// moved with the keyboard.
#include "population_fixture.h"

#include "widgets/seven_segment.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {

std::string StudyText(const char* name)
{
    std::ifstream in(QStringLiteral(VEXA_SOURCE_DIR "/resources/xml/").toStdString() + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using PopulationLongRun = PopulationWindowFixture;

} // namespace

TEST_F(PopulationLongRun, ClockDisplaysKeepTheHoursOfARunPastSixteenBitsOfMinutes)
{
    std::string xml = StudyText("estudio_alturas_pesos.xml");
    const std::size_t at = xml.find("<time>240</time>");
    ASSERT_NE(at, std::string::npos);
    xml.replace(at, 16, "<time>70000</time>");  // 1166 h 40 min
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    TFPoblacion& w = OpenDocument(StudyFromText(xml), QStringLiteral("long.xml"));
    w.showMaximized();
    QApplication::processEvents();
    w.FormActivate();
    QApplication::processEvents();
    EXPECT_EQ(w.ssM_Total->Caption(), "1166:40:00");
    // noon + 48 days 14:40
    EXPECT_EQ(w.ssH_Final->Caption(), "2:40:00");
    const QImage before = w.ssM_Total->grab().toImage();

    // the slowest speed with the keyboard: 1 %, a run of 7,000,000 minutes
    w.TrackBar_Speed->setFocus();
    QTest::keyClick(w.TrackBar_Speed, Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(w.Label_Speedpc->text(), "1%");
    EXPECT_EQ(w.ssM_Total->Caption(), "116666:40:00");
    EXPECT_NE(w.ssM_Total->grab().toImage(), before);
}
