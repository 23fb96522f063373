// The sample window driven as a user drives it on a shown window: clicks on
// tabs, buttons and list items, keys in the combo boxes; what it shows read
// from the grids and the grabbed pictures.
#include "sample_input.h"
#include "../support/screen_input.h"

#include "widgets/scale_gauge.h"
#include "windows/sample_save_menu.h"
#include "windows/statistics_frame.h"
#include "windows/statistics_string_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <map>
#include <vector>

using namespace sample_study;

TEST_F(SampleWindowInput, StatisticsPageOffersTheVariablesOfTheSampleOnTheSheet)
{
    TFMuestra* w = Shown();
    GetSample(w, {"Peso"}, 12);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));  // add all records
    ClickTab(w, 3);
    EXPECT_EQ(Items(w->StatVars1()), QStringList({"-", "Peso"}));
    ChooseIn(w->StatVars1(), "Peso");
    ASSERT_TRUE(w->StatisticsFrame()->isVisible());
    EXPECT_EQ(w->StatisticsFrame()->Grid(1)->Cells(1, 2), "PESO");
    EXPECT_EQ(w->StatisticsFrame()->Grid(1)->Cells(2, 3), "12");

    // another sample with more variables: its rows, not saved, are dropped
    ClickTab(w, 0);
    Observe(w, {"Talla", "Sexo"});
    {
        platform::ScopedModalAnswer<TFSaveDlg> discard([](TFSaveDlg&) { return TFSaveDlg::mrDiscard; });
        ClickOn(w->GetSampleButton());
    }
    ASSERT_EQ(w->SampleData()->NrOfRows(), 0);
    ClickTab(w, 3);
    EXPECT_EQ(Items(w->StatVars1()), QStringList({"-", "Peso", "Sexo", "Talla"}));
    EXPECT_EQ(Items(w->StatVars2()), QStringList({"-", "Peso", "Sexo", "Talla"}));
    // the analysis of the dropped rows is gone
    EXPECT_FALSE(w->StatisticsFrame()->isVisible());

    // a variable of the emptied sheet: no analysis (no n = 1 of zeros)
    ChooseIn(w->StatVars1(), "Talla");
    EXPECT_EQ(Child<QLabel>(w, "lblVar1")->text(), "Quantitative Variable");
    EXPECT_FALSE(w->StatisticsFrame()->isVisible());
    ChooseIn(w->StatVars2(), "Sexo");
    EXPECT_FALSE(w->StatisticsFrame()->isVisible());

    // the new records, then the new variable's analysis
    ClickTab(w, 1);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ClickTab(w, 3);
    EXPECT_EQ(w->StatVars1()->currentText(), "-");
    ChooseIn(w->StatVars1(), "Talla");
    ASSERT_TRUE(w->StatisticsFrame()->isVisible());
    EXPECT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeX);
    EXPECT_EQ(w->StatisticsFrame()->Grid(1)->Cells(1, 2), "TALLA");
    EXPECT_EQ(w->StatisticsFrame()->Grid(1)->Cells(2, 3), "12");
}

TEST_F(SampleWindowInput, TwoRecordsShowTheirSampleVarianceOnEveryPage)
{
    Load(Replaced(StudyXml(), "<samplesize min=\"10\"", "<samplesize min=\"1\""));
    TFMuestra* w = Shown();
    GetSample(w, {"Peso", "Talla"}, 2);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    const TNTabEd& sheet = *w->SampleData();
    ASSERT_EQ(sheet.NrOfRows(), 2);
    const int peso = sheet.FindColumn("Peso");
    // the values as the sheet shows them
    const double a = std::stod(sheet.CellText(peso, 1));
    const double b = std::stod(sheet.CellText(peso, 2));
    ASSERT_NE(a, b);
    const double variance = (a - b) * (a - b) / 2;  // ((a - m)^2 + (b - m)^2) / (2 - 1)

    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    const TStatStringGrid& quantitative = *w->StatisticsFrame()->Grid(1);
    EXPECT_EQ(quantitative.Cells(3, 6), "Var=" + Fixed3(variance, 6));
    EXPECT_EQ(quantitative.Cells(2, 6), "sd=" + Fixed3(std::sqrt(variance), 6));
    EXPECT_NE(quantitative.Cells(3, 6), "Var= 1.000");
    const std::string sd = quantitative.Cells(2, 6);

    // the regression page shows the same deviation of Peso (Y)
    ChooseIn(w->StatVars2(), "Talla");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeXY);
    EXPECT_EQ(w->StatisticsFrame()->Grid(3)->Cells(3, 7), Fixed3(std::sqrt(variance), 6));
    EXPECT_EQ("sd=" + w->StatisticsFrame()->Grid(3)->Cells(3, 7), sd);
}

TEST_F(SampleWindowInput, GroupsOfTwoShowTheirSampleDeviation)
{
    Load(Replaced(StudyXml(), "<samplesize min=\"10\"", "<samplesize min=\"1\""));
    TFMuestra* w = Shown();
    ChooseIn(w->DesignBox(), "Stratified by sex");
    ASSERT_TRUE(w->GroupingWanted());
    GroupBy(w, "Sexo");
    Observe(w, {"Peso"});
    SetSize(w, 1, 2);
    SetSize(w, 2, 2);
    ClickOn(w->GetSampleButton());
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    const TNTabEd& sheet = *w->SampleData();
    ASSERT_EQ(sheet.NrOfRows(), 4);
    const int sexo = sheet.FindColumn("Sexo"), peso = sheet.FindColumn("Peso");
    std::map<int, std::vector<double>> groups;
    for (int r = 1; r <= 4; ++r)
        groups[static_cast<int>(sheet.GetElem(sexo, r))].push_back(std::stod(sheet.CellText(peso, r)));
    ASSERT_EQ(groups.size(), 2u);

    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ChooseIn(w->StatVars2(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& grid = *w->StatisticsFrame()->Grid(3);
    for (int col = 2; col <= 3; ++col) {
        const int code = std::stoi(grid.Cells(col, 4));
        ASSERT_EQ(groups[code].size(), 2u);
        const double a = groups[code][0], b = groups[code][1];
        EXPECT_EQ(grid.Cells(col, 6), "2");
        // sqrt(((a - m)^2 + (b - m)^2) / 1) = |a - b| / sqrt(2)
        EXPECT_EQ(grid.Cells(col, 10), Fixed3(std::fabs(a - b) / std::sqrt(2.0), 6)) << code;
    }
}

namespace {

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

bool Dark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }

} // namespace

TEST_F(SampleWindowInput, ScaleGaugeOfACategoricalVariableKeepsLabelsAndIndexInside)
{
    // Zona measured on the scale gauge: its range is -10 .. 2 levels
    Load(Replaced(StudyXml(), "samplingMeter=\"1\"><lbl>Zona", "samplingMeter=\"2\"><lbl>Zona"));
    TFMuestra* w = Shown();
    GetSample(w, {"Zona"}, 12);
    TScaleGauge* gauge = w->Scale();
    for (int i = 0; i < 40 && gauge->Value() != 2; ++i) {
        ClickOn(Child<QPushButton>(w, "sb_NewRecord"));
        ClickItem(w->MeasureList(), "Zona");
        ClickOn(Child<QPushButton>(w, "sb_Measure"));
    }
    ASSERT_EQ(gauge->Max(), 2);
    ASSERT_EQ(gauge->Value(), 2);  // the index at the dial's right end
    const QImage image = gauge->grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/sample_window_scale_gauge.png");
    const int w0 = gauge->MarginLeft(), w1 = image.width() - gauge->MarginRight() - 1;
    const int top = gauge->MarginTop(), base = image.height() - gauge->MarginBottom() - 10 - 1;

    // the labels above the ticks, inside the dial's frame lines
    auto inkInColumn = [&](int x) {
        int n = 0;
        for (int y = top + 2; y < base - 8; ++y)
            n += Dark(Pixel(image, x, y));
        return n;
    };
    int first = -1, last = -1;
    for (int x = w0 + 2; x <= w1 - 2; ++x)
        if (inkInColumn(x) > 0) {
            if (first < 0)
                first = x;
            last = x;
        }
    ASSERT_GE(first, 0);
    // "-10.0" whole: its minus sign comes first, a short flat stroke
    EXPECT_LE(inkInColumn(first), 2);
    EXPECT_LE(inkInColumn(first + 1), 2);
    EXPECT_LT(first, w0 + 8);
    // "2.0" whole: a free column before the frame
    EXPECT_LE(last, w1 - 2);
    EXPECT_GT(last, w1 - 12);

    // the whole triangle under the base line at the index
    const int p = gauge->IndexPosition();
    EXPECT_EQ(p, w1);
    for (int i = 1; i <= 10; ++i) {
        const int y = base + i;
        for (int x = p - i / 2; x <= p + i / 2; ++x)
            EXPECT_TRUE(Dark(Pixel(image, x, y))) << x << "," << y;
    }
}

namespace {

// Pixels of the picture in the colour.
int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Pixel(image, x, y) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST_F(SampleWindowInput, SaveButtonShowsTheIconOfTheLastFormat)
{
    TFMuestra* w = Shown();
    GetSample(w, {"Sexo", "Peso"}, 12);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ASSERT_EQ(w->PageControl()->currentIndex(), 2);
    QToolButton* save = w->SaveMenu()->ToolButtonSave();
    const QRgb spss = qRgb(200, 30, 30), csv = qRgb(30, 70, 200);
    Settle();
    const QImage before = save->grab().toImage();
    EXPECT_EQ(CountColour(before, spss), 0);
    EXPECT_EQ(CountColour(before, csv), 0);

    QTemporaryDir dir;
    auto choose = [&](int tag, const char* file) {
        Dialogs.QueueFile(dir.filePath(QString::fromLatin1(file)));
        // the arrow of the button opens the menu (which waits for a choice);
        // a click on the item, once the menu is shown, saves
        QMenu* menu = w->SaveMenu()->PopupMenuSave();
        bool clicked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, menu, [&] {
            if (clicked || !menu->isVisible())
                return;
            clicked = true;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(w->SaveMenu()->SaveItem(tag)).center());
        });
        poll.start(20);
        QTest::mouseClick(save, Qt::LeftButton, {}, QPoint(save->width() - 4, save->height() / 2));
        QTRY_VERIFY(clicked);
        QTRY_VERIFY(!menu->isVisible());
        poll.stop();
        Settle();
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(file))));
    };
    choose(1, "a.sps");
    const QImage afterSpss = save->grab().toImage();
    EXPECT_GT(CountColour(afterSpss, spss), 20);
    EXPECT_EQ(CountColour(afterSpss, csv), 0);

    choose(3, "b.csv");
    const QImage afterCsv = save->grab().toImage();
    EXPECT_EQ(CountColour(afterCsv, spss), 0);
    EXPECT_GT(CountColour(afterCsv, csv), 20);

    // the button itself repeats the last format and keeps its icon
    Dialogs.QueueFile(dir.filePath(QStringLiteral("c.csv")));
    QTest::mouseClick(save, Qt::LeftButton, {}, QPoint(8, save->height() / 2));
    Settle();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("c.csv"))));
    EXPECT_GT(CountColour(save->grab().toImage(), csv), 20);
}

TEST_F(SampleWindowInput, RegressionPageShowsItsLastColumnWhole)
{
    TFMuestra* w = Shown();
    GetSample(w, {"Peso", "Talla"}, 40);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ChooseIn(w->StatVars2(), "Talla");
    TFramStat* frame = w->StatisticsFrame();
    ASSERT_EQ(frame->Mode(), TFramStat::ModeXY);
    auto* pages = frame->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    Settle();
    ASSERT_EQ(pages->currentIndex(), 2);
    TStatStringGrid* grid = frame->Grid(3);
    ASSERT_TRUE(grid->isVisible());
    const QImage image = grid->grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/sample_window_regression.png");
    // (XY)= in row 12, the intervals' precisions in rows 17 and 20 of column 4
    for (int row : {12, 17, 20}) {
        const std::string text = grid->Cells(4, row);
        ASSERT_FALSE(text.empty()) << row;
        if (row != 12) {  // "(XY)=" carries no closing bracket
            EXPECT_EQ(text.back(), ')') << text;
        }
        EXPECT_EQ(text.substr(0, row == 12 ? 5 : 6), row == 12 ? "(XY)=" : "(prec=") << text;
        const platform::Rect r = grid->CellRect(4, row);
        ASSERT_GT(r.right, r.left) << row;
        int last = -1;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Dark(Pixel(image, x, y)))
                    last = std::max(last, x);
        // the text's last character ends inside the cell, not at its edge
        EXPECT_GT(last, r.left + 20) << row;
        EXPECT_LT(last, r.right - 2) << text;
    }
}

namespace {

QScrollBar* VerticalBar(QWidget* grid)
{
    for (QScrollBar* bar : grid->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (bar->orientation() == Qt::Vertical)
            return bar;
    return nullptr;
}

} // namespace

// A sheet of more records than it shows has its scroll bar as soon as it
// shows them, and the mouse wheel scrolls it: the screen shows later
// records, the current cell stays where it was.
TEST_F(SampleWindowInput, TheSheetOfFortyRecordsScrollsWithTheWheel)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    TFMuestra* w = Shown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    GetSample(w, {"Peso", "Talla"}, 40);
    auto* addAll = Child<QToolButton>(w, "ToolButton2");  // "Add all records"
    ASSERT_NE(addAll, nullptr);
    ASSERT_TRUE(addAll->isVisible());
    ClickOnScreen(addAll, addAll->rect().center());
    QTest::qWait(100);
    TNTabEd* sheet = w->SampleData();
    ASSERT_TRUE(sheet->isVisible());
    ASSERT_EQ(sheet->NrOfRows(), 40);
    ASSERT_LT(sheet->VisibleRowCount(), 40);
    QScrollBar* bar = VerticalBar(sheet);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(ShowsOnScreen(sheet));
    const QRect place(sheet->mapToGlobal(QPoint(0, 0)), sheet->size());
    const QImage before = ScreenShot(place);
    before.save(QCoreApplication::applicationDirPath() + "/sample_sheet_before_wheel.png");
    const int top = sheet->TopRow();
    const platform::GridCoord current{sheet->Col(), sheet->Row()};

    // three notches towards the user, over the records
    const platform::Rect cell = sheet->CellRect(2, sheet->TopRow() + 2);
    ASSERT_TRUE(WheelOnScreen(sheet, QPoint(cell.left + 10, cell.top + 10), -3));
    QTest::qWait(100);
    EXPECT_GT(sheet->TopRow(), top);
    EXPECT_EQ(bar->value(), sheet->TopRow());
    EXPECT_EQ((platform::GridCoord{sheet->Col(), sheet->Row()}), current);
    const QImage after = ScreenShot(place);
    after.save(QCoreApplication::applicationDirPath() + "/sample_sheet_after_wheel.png");
    EXPECT_NE(after, before);
    EXPECT_TRUE(ShowsOnScreen(sheet));

    // and back up to the first record
    ASSERT_TRUE(WheelOnScreen(sheet, QPoint(cell.left + 10, cell.top + 10), 3 + sheet->TopRow()));
    QTest::qWait(100);
    EXPECT_EQ(sheet->TopRow(), top);
    EXPECT_EQ((platform::GridCoord{sheet->Col(), sheet->Row()}), current);
    EXPECT_EQ(ScreenShot(place), before);
}
