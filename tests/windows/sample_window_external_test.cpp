// What a user can do with a saved sample: the ".sps" file of a drawn sample,
// with cells emptied and typed as no number ("-nan-") on its sheet, read by
// PSPP, gives the descriptives, groups, regression, categories and
// contingency table that the statistics page shows, to the decimals each of
// them shows; so it does with renamed headings and values below their
// column's precision. The ".txt" file, read by R, gives the F test of the
// groups. Runs when `pspp` (or `Rscript`) is on the path, else it is skipped.
//
// Commands, as written to check.sps beside the saved sample.sps:
//   INSERT FILE='sample.sps'.
//   DESCRIPTIVES VARIABLES=Peso /STATISTICS=MEAN SEMEAN STDDEV VARIANCE MIN MAX.
//   T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.
//   REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.
// and, for the categorical pages of a population where sex and zone mix:
//   FREQUENCIES VARIABLES=Sexo.
//   MEANS TABLES=Peso BY Sexo /CELLS=MIN MAX.
//   T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.
//   CROSSTABS /TABLES=Sexo BY Zona /STATISTICS=CHISQ RISK.
//   COMPUTE z = -Zona.
//   LOGISTIC REGRESSION z WITH Sexo /CATEGORICAL=Sexo /PRINT=CI(95).
// (Exp(B) of Sexo(1) is the odds ratio, its interval Woolf's; the interval of
// CROSSTABS' RISK reads the ratio itself as both limits.) With Peso renamed
// "Peso neto":
//   DESCRIPTIVES VARIABLES=Peso_neto Talla /STATISTICS=MEAN STDDEV VARIANCE MIN MAX.
//   REGRESSION /VARIABLES=Talla /DEPENDENT=Peso_neto /STATISTICS=COEFF R ANOVA.
// run as: pspp -O format=csv -o out.csv check.sps
#include "sample_input.h"
#include "../support/pspp_output.h"

#include "core/statistics_grid.h"
#include "windows/sample_save_menu.h"
#include "windows/statistics_frame.h"
#include "windows/statistics_string_grid.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace sample_study;

namespace {

// The number of a text (blanks, the brackets and ';' of an interval, and what
// comes before a last '=', left out) and the decimals it shows.
struct TShown {
    double value = std::nan("");
    int decimals = 0;
};

TShown ShownNumber(const std::string& text)
{
    std::string t;
    const std::size_t eq = text.rfind('=');
    for (char c : eq == std::string::npos ? text : text.substr(eq + 1))
        if (c != ' ' && c != '(' && c != ')' && c != ';')
            t += c;
    TShown shown;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), shown.value);
    if (ec != std::errc() || end != t.data() + t.size())
        shown.value = std::nan("");
    const std::size_t point = t.find('.');
    shown.decimals = point == std::string::npos ? 0 : static_cast<int>(t.size() - point - 1);
    return shown;
}

// The cell of the first row whose column `keyCol` reads `key`, at column `col`.
std::string Cell(const TPsppTables& tables, const std::string& table, int keyCol, const std::string& key, int col)
{
    const auto it = tables.find(table);
    if (it == tables.end())
        return {};
    for (const auto& row : it->second)
        if (static_cast<int>(row.size()) > std::max(keyCol, col) && row[static_cast<std::size_t>(keyCol)] == key)
            return row[static_cast<std::size_t>(col)];
    return {};
}

// A page text and PSPP's text of the same figure agree to the decimals each
// shows: they differ by at most half a unit of the last decimal of each.
void ExpectSame(const std::string& what, const std::string& page, const std::string& pspp, bool absolute = false)
{
    const TShown a = ShownNumber(page);
    TShown b = ShownNumber(pspp);
    ASSERT_FALSE(std::isnan(a.value)) << what << ": page \"" << page << "\"";
    ASSERT_FALSE(std::isnan(b.value)) << what << ": PSPP \"" << pspp << "\"";
    if (absolute)
        b.value = std::fabs(b.value);
    const double tol = 0.5 * std::pow(10.0, -a.decimals) + 0.5 * std::pow(10.0, -b.decimals) + 1e-9;
    EXPECT_NEAR(a.value, b.value, tol) << what << ": page \"" << page << "\", PSPP \"" << pspp << "\"";
}

// The cell of the first row of a table whose column 0 starts with `start`.
std::string CellOfRowStarting(const TPsppTables& tables, const std::string& table, const std::string& start, int col)
{
    const auto it = tables.find(table);
    if (it == tables.end())
        return {};
    for (const auto& row : it->second)
        if (static_cast<int>(row.size()) > col && row[0].rfind(start, 0) == 0)
            return row[static_cast<std::size_t>(col)];
    return {};
}

// PSPP's percentage text ("25.0%") as the proportion it shows (".250").
std::string Proportion(const std::string& percent)
{
    const TShown shown = ShownNumber(percent.substr(0, percent.find('%')));
    return QString::number(shown.value / 100, 'f', shown.decimals + 2).toStdString();
}

// The sample saved as dir/sample.sps by the save menu, and PSPP's tables for
// the commands run on it.
TPsppTables SavedAndReadByPspp(TFMuestra* w, const QTemporaryDir& dir, platform::FakeDialogs& dialogs, const char* commands)
{
    const QString sample = dir.filePath(QStringLiteral("sample.sps"));
    dialogs.QueueFile(sample);
    w->SaveMenu()->SaveItem(1)->trigger();
    EXPECT_TRUE(QFile::exists(sample));
    {
        QFile check(dir.filePath(QStringLiteral("check.sps")));
        EXPECT_TRUE(check.open(QIODevice::WriteOnly));
        check.write("INSERT FILE='sample.sps'.\n");
        check.write(commands);
    }
    const std::string cd = "cd '" + dir.path().toStdString() + "' && ";
    EXPECT_EQ(std::system((cd + "pspp -O format=csv -o out.csv check.sps >pspp.log 2>&1").c_str()), 0);
    return ReadPsppCsv(dir.filePath(QStringLiteral("out.csv")).toStdString());
}

} // namespace

using SampleFileReadBack = SampleWindowInput;

TEST_F(SampleFileReadBack, PsppOnTheSavedFileGivesTheFiguresOfTheStatisticsPage)
{
    if (!OnPath("pspp"))
        GTEST_SKIP() << "pspp not on the path";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFMuestra* w = Shown();
    Observe(w, {"Sexo", "Peso", "Talla"});
    TypeInCell(w->SampleSizeTable(), 1, QStringLiteral("60"));
    ClickOn(w->GetSampleButton());
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ASSERT_EQ(w->SampleData()->NrOfRows(), 60);
    // missing values: cells emptied and typed as no number ("-nan-")
    ClickTab(w, 2);
    TNTabEd* sheet = w->SampleData();
    const int sexo = 1, peso = 2, talla = 3;
    ToggleEmpty(sheet, peso, 2);
    TypeInCell(sheet, peso, 5, QStringLiteral("abc"));
    ToggleEmpty(sheet, talla, 3);
    ToggleEmpty(sheet, sexo, 7);
    TypeInCell(sheet, sexo, 9, QStringLiteral("x"));
    ASSERT_EQ(sheet->CellText(peso, 5), "-nan-");
    ASSERT_EQ(sheet->CellText(sexo, 9), "-nan-");

    // saved the way the user saves it
    const TPsppTables pspp =
        SavedAndReadByPspp(w, dir, Dialogs,
                           "DESCRIPTIVES VARIABLES=Peso /STATISTICS=MEAN SEMEAN STDDEV VARIANCE MIN MAX.\n"
                           "T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.\n"
                           "REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.\n");

    // PSPP names the variables by the labels the file declares
    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeX);
    const TStatStringGrid& q = *w->StatisticsFrame()->Grid(1);
    const std::string desc = "Descriptive Statistics";
    const std::string label = "Peso corporal";
    EXPECT_EQ(ShownNumber(Cell(pspp, desc, 0, label, 1)).value, 58);
    EXPECT_EQ(q.Cells(2, 3), "58");
    ExpectSame("mean", q.Cells(2, 5), Cell(pspp, desc, 0, label, 2));
    ExpectSame("sem", q.Cells(2, 11), Cell(pspp, desc, 0, label, 3));
    ExpectSame("sd", q.Cells(2, 6), Cell(pspp, desc, 0, label, 4));
    ExpectSame("variance", q.Cells(3, 6), Cell(pspp, desc, 0, label, 5));
    ExpectSame("minimum", q.Cells(2, 4), Cell(pspp, desc, 0, label, 6));
    ExpectSame("maximum", q.Cells(3, 4), Cell(pspp, desc, 0, label, 7));

    ChooseIn(w->StatVars2(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& t = *w->StatisticsFrame()->Grid(3);
    const std::string test = "Independent Samples Test", equal = "Equal variances assumed";
    // the records that show both
    const std::string groups = "Group Statistics";
    ExpectSame("n1", t.Cells(2, 6), Cell(pspp, groups, 1, "Hombre", 2));
    ExpectSame("n2", t.Cells(3, 6), Cell(pspp, groups, 1, "Mujer", 2));
    ExpectSame("mean1", t.Cells(2, 9), Cell(pspp, groups, 1, "Hombre", 3));
    ExpectSame("mean2", t.Cells(3, 9), Cell(pspp, groups, 1, "Mujer", 3));
    ExpectSame("t", t.Cells(2, 19), Cell(pspp, test, 1, equal, 4), true);
    ExpectSame("P", t.Cells(4, 19), Cell(pspp, test, 1, equal, 6));
    ExpectSame("difference", t.Cells(2, 20), Cell(pspp, test, 1, equal, 7), true);

    ChooseIn(w->StatVars2(), "Talla");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeXY);
    const TStatStringGrid& r = *w->StatisticsFrame()->Grid(3);
    EXPECT_EQ(r.Cells(2, 5), "n=57");
    const std::string coefficients = "Coefficients (Peso corporal)";
    ExpectSame("b0", r.Cells(2, 16), Cell(pspp, coefficients, 0, "(Constant)", 1));
    ExpectSame("b1", r.Cells(2, 19), Cell(pspp, coefficients, 0, "Talla de pie", 1));
    ExpectSame("SE(b1)", r.Cells(3, 19), Cell(pspp, coefficients, 0, "Talla de pie", 2));
    ExpectSame("texp", r.Cells(2, 22), Cell(pspp, coefficients, 0, "Talla de pie", 4));
    const auto summary = pspp.find("Model Summary (Peso corporal)");
    ASSERT_NE(summary, pspp.end());
    ASSERT_GE(summary->second.size(), 2u);
    ExpectSame("r", r.Cells(2, 27), summary->second[1][0], true);
}


TEST_F(SampleFileReadBack, PsppOnTheSavedFileGivesTheFiguresOfTheCategoricalPages)
{
    if (!OnPath("pspp"))
        GTEST_SKIP() << "pspp not on the path";
    // four groups: men and women in both zones
    const std::string two = Group(1, 1, 1, "25", "75", "175", "15") + Group(2, 2, 2, "75", "60", "162", "15");
    const std::string four = Group(1, 1, 1, "30", "75", "175", "15") + Group(2, 2, 2, "30", "60", "162", "15") +
                             Group(3, 1, 2, "20", "72", "172", "15") + Group(4, 2, 1, "20", "62", "164", "15");
    Load(Replaced(StudyXml(), two, four));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFMuestra* w = Shown();
    GetSample(w, {"Sexo", "Zona", "Peso"}, 80);
    ClickOn(Child<QToolButton>(w, "ToolButton2"));
    ASSERT_EQ(w->SampleData()->NrOfRows(), 80);
    // a missing value in each column
    ClickTab(w, 2);
    TNTabEd* sheet = w->SampleData();
    ToggleEmpty(sheet, 1, 3);
    TypeInCell(sheet, 2, 4, QStringLiteral("abc"));
    ToggleEmpty(sheet, 3, 6);
    ASSERT_EQ(sheet->CellText(2, 4), "-nan-");
    const TPsppTables pspp = SavedAndReadByPspp(w, dir, Dialogs,
                                                "FREQUENCIES VARIABLES=Sexo.\n"
                                                "MEANS TABLES=Peso BY Sexo /CELLS=MIN MAX.\n"
                                                "T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.\n"
                                                "CROSSTABS /TABLES=Sexo BY Zona /STATISTICS=CHISQ RISK.\n"
                                                "COMPUTE z = -Zona.\n"
                                                "LOGISTIC REGRESSION z WITH Sexo /CATEGORICAL=Sexo /PRINT=CI(95).\n");
    const std::string levels[] = {"Hombre", "Mujer"};

    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeC);
    const TStatStringGrid& f = *w->StatisticsFrame()->Grid(1);
    for (const std::string& level : levels) {
        int row = 0;
        for (int r = 1; r < 40 && !row; ++r)
            if (f.Cells(1, r) == "# Category:" && f.Cells(3, r) == StatUpper(level))
                row = r;
        ASSERT_GT(row, 0) << level;
        ExpectSame(level + " count", f.Cells(2, row + 1), Cell(pspp, "Sexo del sujeto", 1, level, 2));
        EXPECT_EQ(f.Cells(3, row + 1), "n=79");
        // of the valid records
        ExpectSame(level + " p", f.Cells(2, row + 2), Proportion(Cell(pspp, "Sexo del sujeto", 1, level, 4)));
    }

    ChooseIn(w->StatVars2(), "Peso");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& g = *w->StatisticsFrame()->Grid(3);
    const std::string groups = "Group Statistics", report = "Report";
    for (int k = 0; k < 2; ++k) {
        const std::string& level = levels[k];
        ASSERT_EQ(g.Cells(2 + k, 5), StatUpper(level));
        ExpectSame(level + " n", g.Cells(2 + k, 6), Cell(pspp, groups, 1, level, 2));
        ExpectSame(level + " min", g.Cells(2 + k, 7), Cell(pspp, report, 0, level, 1));
        ExpectSame(level + " max", g.Cells(2 + k, 8), Cell(pspp, report, 0, level, 2));
        ExpectSame(level + " mean", g.Cells(2 + k, 9), Cell(pspp, groups, 1, level, 3));
        ExpectSame(level + " sd", g.Cells(2 + k, 10), Cell(pspp, groups, 1, level, 4));
        ExpectSame(level + " sem", g.Cells(2 + k, 11), Cell(pspp, groups, 1, level, 5));
    }
    const std::string test = "Independent Samples Test";
    const std::string equal = "Equal variances assumed", welch = "Equal variances not assumed";
    ExpectSame("t", g.Cells(2, 19), Cell(pspp, test, 1, equal, 4), true);
    ExpectSame("df", g.Cells(3, 19), Cell(pspp, test, 1, equal, 5));
    ExpectSame("P", g.Cells(4, 19), Cell(pspp, test, 1, equal, 6));
    ExpectSame("m1-m2", g.Cells(2, 20), Cell(pspp, test, 1, equal, 7), true);
    ExpectSame("lower", g.Cells(2, 21), Cell(pspp, test, 1, equal, 9));
    ExpectSame("upper", g.Cells(3, 21), Cell(pspp, test, 1, equal, 10));
    ExpectSame("Welch t", g.Cells(2, 22), Cell(pspp, test, 1, welch, 4), true);
    ExpectSame("Welch df", g.Cells(3, 22), Cell(pspp, test, 1, welch, 5));
    ExpectSame("Welch P", g.Cells(4, 22), Cell(pspp, test, 1, welch, 6));
    ExpectSame("Welch lower", g.Cells(2, 23), Cell(pspp, test, 1, welch, 9));
    ExpectSame("Welch upper", g.Cells(3, 23), Cell(pspp, test, 1, welch, 10));

    ChooseIn(w->StatVars2(), "Zona");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCC);
    const TStatStringGrid& c = *w->StatisticsFrame()->Grid(3);
    const std::string table = "Sexo del sujeto \xC3\x97 Zona de residencia";
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            ExpectSame("count " + levels[i] + " " + std::to_string(j + 1), c.Cells(3 + j, 5 + i),
                       Cell(pspp, table, 1, levels[i], 3 + j));
    ASSERT_EQ(c.Cells(2, 10), "OK");
    const std::string chi = "Chi-Square Tests";
    ExpectSame("continuity-corrected chi-square", c.Cells(2, 12), Cell(pspp, chi, 0, "Continuity Correction", 1));
    ExpectSame("its Sig", c.Cells(2, 13), Cell(pspp, chi, 0, "Continuity Correction", 3));
    ExpectSame("OR", c.Cells(2, 14), CellOfRowStarting(pspp, "Risk Estimate", "Odds Ratio", 1));
    const std::string logistic = "Variables in the Equation", sex = "Sexo del sujeto(1)";
    ExpectSame("Exp(B)", c.Cells(2, 14), Cell(pspp, logistic, 1, sex, 7));
    ExpectSame("OR lower", c.Cells(2, 15), Cell(pspp, logistic, 1, sex, 8));
    ExpectSame("OR upper", c.Cells(3, 15), Cell(pspp, logistic, 1, sex, 9));
}

TEST_F(SampleFileReadBack, PsppReadsTheRenamedHeadingsAndTheNumbersTheSheetShows)
{
    if (!OnPath("pspp"))
        GTEST_SKIP() << "pspp not on the path";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFMuestra* w = RecordsOnDataPage({"Peso", "Talla"}, 30);
    TNTabEd* sheet = w->SampleData();
    const int peso = 1, talla = 2;
    TypeHeading(sheet, peso, QStringLiteral("Peso neto"));
    // Peso at -1 decimals (the exponent form), a Talla below its 0 decimals
    StepPrecision(sheet, peso);
    StepPrecision(sheet, peso);
    ASSERT_EQ(sheet->GetDecPlaces(peso), -1);
    TypeInCell(sheet, talla, 4, QStringLiteral("0.4"));
    ASSERT_EQ(sheet->GetDecPlaces(talla), 0);
    ASSERT_NE(sheet->CellText(talla, 4).find("E-01"), std::string::npos) << sheet->CellText(talla, 4);

    const TPsppTables pspp =
        SavedAndReadByPspp(w, dir, Dialogs,
                           "DESCRIPTIVES VARIABLES=Peso_neto Talla /STATISTICS=MEAN STDDEV VARIANCE MIN MAX.\n"
                           "REGRESSION /VARIABLES=Talla /DEPENDENT=Peso_neto /STATISTICS=COEFF R ANOVA.\n");
    ClickTab(w, 3);
    const std::string desc = "Descriptive Statistics";
    const struct {
        const char* name;
        const char* label;
    } variables[] = {{"Peso", "Peso corporal"}, {"Talla", "Talla de pie"}};
    for (const auto& v : variables) {
        ChooseIn(w->StatVars1(), v.name);
        const TStatStringGrid& q = *w->StatisticsFrame()->Grid(1);
        ExpectSame(std::string(v.name) + " n", q.Cells(2, 3), Cell(pspp, desc, 0, v.label, 1));
        ExpectSame(std::string(v.name) + " mean", q.Cells(2, 5), Cell(pspp, desc, 0, v.label, 2));
        ExpectSame(std::string(v.name) + " sd", q.Cells(2, 6), Cell(pspp, desc, 0, v.label, 3));
        ExpectSame(std::string(v.name) + " variance", q.Cells(3, 6), Cell(pspp, desc, 0, v.label, 4));
        ExpectSame(std::string(v.name) + " max", q.Cells(3, 4), Cell(pspp, desc, 0, v.label, 6));
    }
    ChooseIn(w->StatVars1(), "Peso");
    ChooseIn(w->StatVars2(), "Talla");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeXY);
    const TStatStringGrid& r = *w->StatisticsFrame()->Grid(3);
    const std::string coefficients = "Coefficients (Peso corporal)";
    ExpectSame("b0", r.Cells(2, 16), Cell(pspp, coefficients, 0, "(Constant)", 1));
    ExpectSame("b1", r.Cells(2, 19), Cell(pspp, coefficients, 0, "Talla de pie", 1));
    ExpectSame("texp", r.Cells(2, 22), Cell(pspp, coefficients, 0, "Talla de pie", 4));
}

// The .txt file as R reads it in a UTF-8 locale:
//   d <- read.table('sample.txt', header = TRUE, fileEncoding = 'windows-1252')
//   var.test(Peso of Sexo 1, Peso of Sexo 2): its F (larger over smaller) and p
// run as: LC_ALL=C.UTF-8 Rscript check.R
TEST_F(SampleFileReadBack, TheFTestOfTheGroupsIsRsVarTestOnTheSavedText)
{
    if (!OnPath("Rscript"))
        GTEST_SKIP() << "Rscript not on the path";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFMuestra* w = RecordsOnDataPage({"Sexo", "Peso"}, 40);
    TNTabEd* sheet = w->SampleData();
    // a heading beyond ASCII, and a weight left out
    TypeHeading(sheet, 1, QStringLiteral("Género"));
    ToggleEmpty(sheet, 2, 2);
    const QString sample = dir.filePath(QStringLiteral("sample.txt"));
    Dialogs.QueueFile(sample);
    w->SaveMenu()->SaveItem(4)->trigger();
    {
        QFile f(sample);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(f.readLine().startsWith("\"G\xE9nero\"")) << "windows-1252";
        QFile check(dir.filePath(QStringLiteral("check.R")));
        ASSERT_TRUE(check.open(QIODevice::WriteOnly));
        check.write("d <- read.table('sample.txt', header = TRUE, fileEncoding = 'windows-1252')\n"
                    "stopifnot(names(d)[1] == 'G\\u00e9nero', sum(is.na(d[[2]])) == 1, nrow(d) == 40)\n"
                    "v <- var.test(d[[2]][d[[1]] == 1], d[[2]][d[[1]] == 2])\n"
                    "cat(sprintf('%.9f %.9f\\n', max(v$statistic, 1 / v$statistic), v$p.value))\n");
    }
    const std::string cd = "cd '" + dir.path().toStdString() + "' && ";
    ASSERT_EQ(std::system((cd + "LC_ALL=C.UTF-8 Rscript check.R >r.txt 2>r.log").c_str()), 0);
    double F = 0, p = 0;
    {
        std::ifstream in(dir.filePath(QStringLiteral("r.txt")).toStdString());
        ASSERT_TRUE(in >> F >> p);
    }

    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ChooseIn(w->StatVars2(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& g = *w->StatisticsFrame()->Grid(3);
    ExpectSame("F", g.Cells(2, 18), QString::number(F, 'f', 9).toStdString());
    ExpectSame("P of F", g.Cells(3, 18), QString::number(p, 'f', 9).toStdString());
}
