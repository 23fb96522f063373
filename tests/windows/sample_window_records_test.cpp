// The records of a sample as a user makes and keeps them on a shown window:
// "Add all" draws the size confirmed at "Get sample", and records not saved
// yet are asked about before the window, or the program, closes.
#include "sample_input.h"

#include "testing/modal_answer.h"
#include "widgets/table_editor.h"
#include "window_base/save_dialog.h"
#include "windows/sample_save_menu.h"
#include "windows/statistics_frame.h"
#include "windows/statistics_string_grid.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <cmath>
#include <vector>

using namespace sample_study;

namespace {

// Closes an MDI child by the "Close" item of its system menu (the item of
// the close box and Ctrl+F4).
void CloseFromSystemMenu(QMdiSubWindow* w)
{
    QAction* close = nullptr;
    for (QAction* item : w->systemMenu()->actions())
        if (item->shortcut() == QKeySequence(QKeySequence::Close))
            close = item;
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(close->isEnabled());
    close->trigger();
    Settle();
}

// Answers the save question with Answer and keeps what it asked.
class SaveQuestion {
public:
    explicit SaveQuestion(int Answer)
        : m_answer([this, Answer](TFSaveDlg& dialog) {
              ++Asked;
              Text = dialog.MessageLabel()->text();
              return Answer;
          })
    {
    }
    int Asked = 0;
    QString Text;

private:
    platform::ScopedModalAnswer<TFSaveDlg> m_answer;
};

void ExpectClosedWithoutAQuestion(TFMuestra* w)
{
    SaveQuestion question(TFSaveDlg::mrCancel);
    QPointer<TFMuestra> window = w;
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 0);
    EXPECT_TRUE(!window || window->isHidden());
}

// Closing w asks; Cancel keeps it open and its records unsaved.
void ExpectCancelKeepsTheWindow(TFMuestra* w)
{
    SaveQuestion question(TFSaveDlg::mrCancel);
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->Modified());
}

// Every text a page of the statistics frame shows.
std::vector<std::string> Figures(const TStatStringGrid& Grid)
{
    std::vector<std::string> texts;
    for (int r = 0; r <= Grid.LastWrittenRow(); ++r)
        for (int c = 0; c < 12; ++c)
            texts.push_back(Grid.Cells(c, r));
    return texts;
}

QStringList Lines(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

class SampleRecords : public SampleWindowInput {
protected:
    // A shown window with 12 records of Sexo and Peso on its sheet.
    TFMuestra* WithRecords()
    {
        TFMuestra* w = Shown();
        GetSample(w, {"Sexo", "Peso"}, 12);
        ClickOn(Child<QToolButton>(w, "ToolButton2"));
        EXPECT_EQ(w->SampleData()->NrOfRows(), 12);
        return w;
    }
    // The same window with its records saved, on the data page; Peso is column 2.
    TFMuestra* SavedOnDataPage()
    {
        TFMuestra* w = WithRecords();
        Dialogs.QueueFile(Dir.filePath(QStringLiteral("saved_first.sps")));
        w->SaveMenu()->SaveItem(1)->trigger();
        EXPECT_FALSE(w->Modified());
        ClickTab(w, 2);
        EXPECT_EQ(w->SampleData()->FindColumn("Peso"), 2);
        return w;
    }
    // Closes w answering "Save and close" with the file Name; its lines.
    QStringList SavedAtClose(TFMuestra* w, const QString& Name)
    {
        const QString file = Dir.filePath(Name);
        Dialogs.QueueFile(file);
        QPointer<TFMuestra> window = w;
        SaveQuestion question(TFSaveDlg::mrSaveAndClose);
        CloseFromSystemMenu(w);
        EXPECT_EQ(question.Asked, 1);
        EXPECT_TRUE(!window || window->isHidden());
        return Lines(file);
    }
    QTemporaryDir Dir;
};

} // namespace

TEST_F(SampleRecords, AddAllDrawsTheSizeConfirmedAtGetSample)
{
    TFMuestra* w = Shown();
    GetSample(w, {"Peso"}, 20);
    // back on the design page, a size above the study's 100 greys "Get sample" out
    ClickTab(w, 0);
    TypeInCell(w->SampleSizeTable(), 1, QStringLiteral("150"));
    ASSERT_EQ(w->SampleSizeTable()->GetElem(1, 1), 150);
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());

    ClickTab(w, 1);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    const TNTabEd& sheet = *w->SampleData();
    ASSERT_EQ(sheet.NrOfRows(), 20);
    EXPECT_EQ(sheet.GetRowName(1), "1");
    EXPECT_EQ(sheet.GetRowName(20), "20");
    EXPECT_EQ(w->RecordCount(), 20);

    // a sample confirmed again (its records discarded) takes the size then in the cell
    ClickTab(w, 0);
    TypeInCell(w->SampleSizeTable(), 1, QStringLiteral("30"));
    SaveQuestion question(TFSaveDlg::mrDiscard);
    ClickOn(w->GetSampleButton());
    EXPECT_EQ(question.Asked, 1);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    EXPECT_EQ(w->SampleData()->NrOfRows(), 30);
}

TEST_F(SampleRecords, AddingTheLargestSampleTakesWellUnderASecond)
{
    // a study that allows 20000 records: growing the sheet row by row took seconds
    Load(Replaced(StudyXml(), "max=\"100\" unitmeasures", "max=\"20000\" unitmeasures"));
    TFMuestra* w = Shown();
    GetSample(w, {"Sexo", "Peso", "Talla"}, 20000);
    QElapsedTimer clock;
    clock.start();
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    const qint64 elapsed = clock.elapsed();
    const TNTabEd& sheet = *w->SampleData();
    ASSERT_EQ(sheet.NrOfRows(), 20000);
    EXPECT_EQ(sheet.GetRowName(20000), "20000");
    EXPECT_NE(sheet.GetElem(sheet.FindColumn("Peso"), 20000), 0);
    EXPECT_LT(elapsed, 500);
}

TEST_F(SampleRecords, ASampleWithoutRecordsClosesWithoutAQuestion)
{
    TFMuestra* w = Shown();
    GetSample(w, {"Peso"}, 12);
    EXPECT_FALSE(w->Modified());
    ExpectClosedWithoutAQuestion(w);
}

TEST_F(SampleRecords, CancelKeepsTheWindowAndItsRecords)
{
    TFMuestra* w = WithRecords();
    EXPECT_TRUE(w->Modified());
    const double first = w->SampleData()->GetElem(2, 1);
    SaveQuestion question(TFSaveDlg::mrCancel);
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 1);
    EXPECT_TRUE(question.Text.endsWith(QStringLiteral("has been modified. Save before close?")))
        << question.Text.toStdString();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->SampleData()->NrOfRows(), 12);
    EXPECT_EQ(w->SampleData()->GetElem(2, 1), first);
    EXPECT_TRUE(w->Modified());
    // asked again at the next close
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 2);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(SampleRecords, DiscardClosesWithoutWriting)
{
    QPointer<TFMuestra> w = WithRecords();
    SaveQuestion question(TFSaveDlg::mrDiscard);
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 1);
    EXPECT_TRUE(!w || w->isHidden());
    EXPECT_TRUE(Dialogs.Calls().empty());
}

TEST_F(SampleRecords, SaveAndCloseWritesTheRecordsInTheChosenKind)
{
    QPointer<TFMuestra> w = WithRecords();
    const QString file = Dir.filePath(QStringLiteral("kept.csv"));
    Dialogs.QueueFile(file);
    SaveQuestion question(TFSaveDlg::mrSaveAndClose);
    CloseFromSystemMenu(w);
    EXPECT_EQ(question.Asked, 1);
    EXPECT_TRUE(!w || w->isHidden());
    const QStringList lines = Lines(file);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("\"Sexo\";\"Peso\";"));

    // the file dialog was cancelled: the window stays with its records
    QPointer<TFMuestra> other = WithRecords();
    Dialogs.QueueFile(std::nullopt);
    CloseFromSystemMenu(other);
    EXPECT_EQ(question.Asked, 2);
    ASSERT_TRUE(other && other->isVisible());
    EXPECT_TRUE(other->Modified());
}

TEST_F(SampleRecords, SavingClearsTheMarkAndANewRecordSetsItAgain)
{
    TFMuestra* w = WithRecords();
    const QString file = Dir.filePath(QStringLiteral("saved.sps"));
    Dialogs.QueueFile(file);
    w->SaveMenu()->SaveItem(1)->trigger();
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_FALSE(w->Modified());
    {
        SaveQuestion question(TFSaveDlg::mrCancel);
        // one more record on the sheet: asked, and the question names the file
        ClickTab(w, 1);
        ClickItem(w->ObservableVars(), QStringLiteral("Sexo"));
        ClickOn(Child<QPushButton>(w, "sb_Annotate"));
        ClickOn(Child<QToolButton>(w, "tbAddRecord"));
        ASSERT_EQ(w->SampleData()->NrOfRows(), 13);
        CloseFromSystemMenu(w);
        EXPECT_EQ(question.Asked, 1);
        EXPECT_TRUE(question.Text.startsWith(file)) << question.Text.toStdString();
        ASSERT_TRUE(w->isVisible());
    }
    Dialogs.QueueFile(file);
    w->SaveMenu()->ToolButtonSave()->click();
    ExpectClosedWithoutAQuestion(w);
}

TEST_F(SampleRecords, QuittingAsksForRecordsNotSaved)
{
    // quits with the answer given; true when the program ended
    auto quit = [this](int answer) {
        SaveQuestion question(answer);
        MainWindow().close();
        Settle();
        EXPECT_EQ(question.Asked, 1);
        return !MainWindow().isVisible();
    };
    QPointer<TFMuestra> w = WithRecords();
    EXPECT_FALSE(quit(TFSaveDlg::mrCancel));
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->SampleData()->NrOfRows(), 12);

    const QString file = Dir.filePath(QStringLiteral("at_exit.sps"));
    Dialogs.QueueFile(file);
    EXPECT_TRUE(quit(TFSaveDlg::mrSaveAndClose));
    EXPECT_TRUE(!w || w->isHidden());
    const QStringList lines = Lines(file);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.indexOf(QStringLiteral("END DATA.")) - lines.indexOf(QStringLiteral("BEGIN DATA")), 13);

    // another program run: Discard ends it without writing
    MainWindow().show();
    QPointer<TFMuestra> other = WithRecords();
    EXPECT_TRUE(quit(TFSaveDlg::mrDiscard));
    EXPECT_TRUE(!other || other->isHidden());
    EXPECT_EQ(Dialogs.Calls().size(), 1u);
}

TEST_F(SampleRecords, ANewSampleAsksForTheRecordsNotSaved)
{
    TFMuestra* w = WithRecords();
    const double first = w->SampleData()->GetElem(2, 1);
    // back on the design page, "Get sample" again
    auto getSampleAgain = [w](int answer, int asked = 1) {
        SaveQuestion question(answer);
        ClickTab(w, 0);
        ClickOn(w->GetSampleButton());
        EXPECT_EQ(question.Asked, asked);
        return question.Text;
    };
    const QString text = getSampleAgain(TFSaveDlg::mrCancel);
    EXPECT_TRUE(text.endsWith(QStringLiteral("has been modified. Save before drawing a new sample?")))
        << text.toStdString();
    // Cancel keeps the records and the design page
    EXPECT_EQ(w->PageControl()->currentIndex(), 0);
    ASSERT_EQ(w->SampleData()->NrOfRows(), 12);
    EXPECT_EQ(w->SampleData()->GetElem(2, 1), first);
    EXPECT_TRUE(w->Modified());

    // a cancelled file dialog keeps them too
    Dialogs.QueueFile(std::nullopt);
    getSampleAgain(TFSaveDlg::mrSaveAndClose);
    EXPECT_EQ(w->SampleData()->NrOfRows(), 12);
    EXPECT_TRUE(w->Modified());

    // saved, then the new sample starts
    const QString file = Dir.filePath(QStringLiteral("before_new.sps"));
    Dialogs.QueueFile(file);
    getSampleAgain(TFSaveDlg::mrSaveAndClose);
    const QStringList lines = Lines(file);
    EXPECT_EQ(lines.indexOf(QStringLiteral("END DATA.")) - lines.indexOf(QStringLiteral("BEGIN DATA")), 13);
    EXPECT_EQ(w->PageControl()->currentIndex(), 1);
    EXPECT_EQ(w->SampleData()->NrOfRows(), 0);
    EXPECT_FALSE(w->Modified());

    // records of the new sample, discarded by the next one
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ASSERT_EQ(w->SampleData()->NrOfRows(), 12);
    getSampleAgain(TFSaveDlg::mrDiscard);
    EXPECT_EQ(w->SampleData()->NrOfRows(), 0);
    EXPECT_FALSE(w->Modified());
    // nothing on the sheet: no question
    getSampleAgain(TFSaveDlg::mrCancel, 0);
    EXPECT_EQ(w->PageControl()->currentIndex(), 1);
}

TEST_F(SampleRecords, ARecordEditedOnTheSheetIsAskedAbout)
{
    TFMuestra* w = SavedOnDataPage();
    TNTabEd* sheet = w->SampleData();
    const int peso = 2;
    // the value typed in the first record's Peso cell
    const platform::Rect r = sheet->CellRect(peso + sheet->AttribColShown(), 1);
    ASSERT_FALSE(r.IsEmpty());
    QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(r.left + 4, r.top + 4));
    Settle();
    for (const char key : std::string("55.5"))
        QTest::keyClick(sheet->EditorMode() ? sheet->InplaceEditor() : static_cast<QWidget*>(sheet), key);
    QTest::keyClick(sheet->InplaceEditor(), Qt::Key_Return);
    Settle();
    ASSERT_EQ(sheet->GetElem(peso, 1), 55.5);
    ExpectCancelKeepsTheWindow(w);
}

TEST_F(SampleRecords, ACategoryTypedWithAFractionCountsAsTheSheetShowsIt)
{
    TFMuestra* w = WithRecords();
    TNTabEd* sheet = w->SampleData();
    int row = 0;
    for (int r = 1; r <= sheet->NrOfRows() && !row; ++r)
        if (sheet->GetElem(1, r) == 1)
            row = r;
    ASSERT_GT(row, 0);
    ClickTab(w, 2);
    TypeInCell(sheet, row, QStringLiteral("1.7"));
    ASSERT_EQ(sheet->GetElem(1, row), 1.7);
    // the sheet shows the second category, as the saved files carry it
    EXPECT_NE(sheet->CellText(1, row).find('2'), std::string::npos) << sheet->CellText(1, row);
    int second = 0;
    for (int r = 1; r <= sheet->NrOfRows(); ++r)
        second += sheet->GetElem(1, r) > 1.5 ? 1 : 0;
    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Sexo");
    const TStatStringGrid& f = *w->StatisticsFrame()->Grid(1);
    int at = 0;
    for (int r = 1; r < 40 && !at; ++r)
        if (f.Cells(1, r) == "# Category:" && f.Cells(3, r) == "MUJER")
            at = r;
    ASSERT_GT(at, 0);
    EXPECT_EQ(f.Cells(2, at + 1), "x=" + std::to_string(second));
}

TEST_F(SampleRecords, AColumnRenamedOnTheSheetIsAskedAbout)
{
    TFMuestra* w = SavedOnDataPage();
    TNTabEd* sheet = w->SampleData();
    const int peso = 2;
    // Esc drops the typed name: nothing changed
    TypeHeading(sheet, peso, QStringLiteral("Dropped"), Qt::Key_Escape);
    EXPECT_EQ(sheet->GetColName(peso), "Peso");
    EXPECT_FALSE(w->Modified());

    TypeHeading(sheet, peso, QStringLiteral("Weight"));
    ASSERT_EQ(sheet->GetColName(peso), "Weight");
    ExpectCancelKeepsTheWindow(w);
    EXPECT_EQ(sheet->GetColName(peso), "Weight");
    // saved at the question: the file carries the new heading
    const QStringList lines = SavedAtClose(w, QStringLiteral("renamed.csv"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("\"Sexo\";\"Weight\";"));
}

TEST_F(SampleRecords, ARenamedColumnKeepsItsVariablesFigures)
{
    TFMuestra* w = SavedOnDataPage();
    TNTabEd* sheet = w->SampleData();
    const int sexo = 1, peso = 2;
    // the mean of the weights as the sheet shows them
    double sum = 0;
    for (int r = 1; r <= 12; ++r)
        sum += std::stod(sheet->CellText(peso, r));
    const std::string mean = QString::number(sum / 12, 'f', 3).toStdString();

    ClickTab(w, 3);
    const TStatStringGrid& grid = *w->StatisticsFrame()->Grid(1);
    ChooseIn(w->StatVars1(), "Peso");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeX);
    EXPECT_EQ(grid.Cells(2, 3), "12");
    EXPECT_NE(grid.Cells(2, 5).find(mean), std::string::npos) << grid.Cells(2, 5) << " " << mean;
    const std::vector<std::string> weights = Figures(grid);
    ChooseIn(w->StatVars1(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeC);
    const std::vector<std::string> sexes = Figures(grid);

    // the page, entered again, offers the variables; "Statistics" shows those
    // of the variable chosen
    const auto analysed = [&](const QString& name, std::uint8_t mode) {
        ClickTab(w, 3);
        EXPECT_EQ(Items(w->StatVars1()), QStringList({"-", "Peso", "Sexo"}));
        ChooseIn(w->StatVars1(), name);
        ClickOn(Child<QPushButton>(w, "SpeedButton1"));
        EXPECT_TRUE(w->StatisticsFrame()->isVisible());
        EXPECT_EQ(w->StatisticsFrame()->Mode(), mode);
        return Figures(grid);
    };
    ClickTab(w, 2);
    TypeHeading(sheet, peso, QStringLiteral("Weight"));
    ASSERT_EQ(sheet->GetColName(peso), "Weight");
    EXPECT_EQ(analysed("Peso", TFramStat::ModeX), weights);
    EXPECT_NE(grid.Cells(2, 5).find(mean), std::string::npos) << grid.Cells(2, 5) << " " << mean;

    // Sexo given the old name of Peso: each variable keeps its column
    ClickTab(w, 2);
    TypeHeading(sheet, sexo, QStringLiteral("Peso"));
    ASSERT_EQ(sheet->GetColName(sexo), "Peso");
    EXPECT_EQ(analysed("Peso", TFramStat::ModeX), weights);
    EXPECT_EQ(analysed("Sexo", TFramStat::ModeC), sexes);
}

TEST_F(SampleRecords, APrecisionChangedOnTheSheetIsAskedAbout)
{
    TFMuestra* w = SavedOnDataPage();
    TNTabEd* sheet = w->SampleData();
    const int peso = 2;
    ASSERT_EQ(sheet->GetDecPlaces(peso), 1);
    // selecting from the same menu changes nothing that is saved
    ChooseFromHeadingMenu(sheet, peso, "HIt3");
    EXPECT_FALSE(w->Modified());

    StepPrecision(sheet, peso);
    ASSERT_EQ(sheet->GetDecPlaces(peso), 0);
    ExpectCancelKeepsTheWindow(w);
    EXPECT_EQ(sheet->GetDecPlaces(peso), 0);
    // saved at the question: the weights are written without decimals
    std::vector<double> weights;
    for (int r = 1; r <= 12; ++r)
        weights.push_back(sheet->GetElem(peso, r));
    const QStringList lines = SavedAtClose(w, QStringLiteral("whole.txt"));
    ASSERT_EQ(lines.size(), 13);
    for (int r = 1; r <= 12; ++r) {
        const QStringList fields = lines[r].split(u' ', Qt::SkipEmptyParts);
        ASSERT_EQ(fields.size(), 2) << lines[r].toStdString();
        // a whole number, the weight rounded
        bool whole = false;
        const int written = fields[1].toInt(&whole);
        EXPECT_TRUE(whole) << fields[1].toStdString();
        EXPECT_LE(std::abs(written - weights[r - 1]), 0.5) << fields[1].toStdString();
    }
}

TEST_F(SampleRecords, HeadingsChangedOnASheetWithoutRecordsCloseWithoutAQuestion)
{
    TFMuestra* w = WithRecords();
    {
        // a new sample drops the records; its sheet has the columns and no row
        SaveQuestion question(TFSaveDlg::mrDiscard);
        ClickTab(w, 0);
        ClickOn(w->GetSampleButton());
        ASSERT_EQ(question.Asked, 1);
    }
    ClickTab(w, 2);
    TNTabEd* sheet = w->SampleData();
    ASSERT_EQ(sheet->NrOfRows(), 0);
    const int peso = sheet->FindColumn("Peso");
    TypeHeading(sheet, peso, QStringLiteral("Weight"));
    StepPrecision(sheet, peso);
    ASSERT_EQ(sheet->GetColName(peso), "Weight");
    ASSERT_EQ(sheet->GetDecPlaces(peso), 0);
    EXPECT_FALSE(w->Modified());
    ExpectClosedWithoutAQuestion(w);
}
