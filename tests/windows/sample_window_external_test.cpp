// What a user can do with a saved sample: the ".sps" file of a drawn sample,
// read by PSPP, gives the descriptives, t test and regression that the
// statistics page shows, to the decimals each of them shows. Runs when `pspp`
// is on the path, else it is skipped.
//
// Commands, as written to check.sps beside the saved sample.sps:
//   INSERT FILE='sample.sps'.
//   DESCRIPTIVES VARIABLES=Peso /STATISTICS=MEAN SEMEAN STDDEV VARIANCE MIN MAX.
//   T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.
//   REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.
// run as: pspp -O format=csv -o out.csv check.sps
#include "sample_input.h"
#include "../support/pspp_output.h"

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
#include <string>

using namespace sample_study;

namespace {

// The number of a text (blanks, and what comes before a last '=', left out)
// and the decimals it shows.
struct TShown {
    double value = std::nan("");
    int decimals = 0;
};

TShown ShownNumber(const std::string& text)
{
    std::string t;
    const std::size_t eq = text.rfind('=');
    for (char c : eq == std::string::npos ? text : text.substr(eq + 1))
        if (c != ' ')
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

    // saved the way the user saves it
    const QString sample = dir.filePath(QStringLiteral("sample.sps"));
    Dialogs.QueueFile(sample);
    w->SaveMenu()->SaveItem(1)->trigger();
    ASSERT_TRUE(QFile::exists(sample));
    {
        QFile check(dir.filePath(QStringLiteral("check.sps")));
        ASSERT_TRUE(check.open(QIODevice::WriteOnly));
        check.write("INSERT FILE='sample.sps'.\n"
                    "DESCRIPTIVES VARIABLES=Peso /STATISTICS=MEAN SEMEAN STDDEV VARIANCE MIN MAX.\n"
                    "T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.\n"
                    "REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.\n");
    }
    const std::string cd = "cd '" + dir.path().toStdString() + "' && ";
    ASSERT_EQ(std::system((cd + "pspp -O format=csv -o out.csv check.sps >pspp.log 2>&1").c_str()), 0);
    const TPsppTables pspp = ReadPsppCsv(dir.filePath(QStringLiteral("out.csv")).toStdString());

    // PSPP names the variables by the labels the file declares
    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeX);
    const TStatStringGrid& q = *w->StatisticsFrame()->Grid(1);
    const std::string desc = "Descriptive Statistics", peso = "Peso corporal";
    EXPECT_EQ(ShownNumber(Cell(pspp, desc, 0, peso, 1)).value, 60);
    ExpectSame("mean", q.Cells(2, 5), Cell(pspp, desc, 0, peso, 2));
    ExpectSame("sem", q.Cells(2, 11), Cell(pspp, desc, 0, peso, 3));
    ExpectSame("sd", q.Cells(2, 6), Cell(pspp, desc, 0, peso, 4));
    ExpectSame("variance", q.Cells(3, 6), Cell(pspp, desc, 0, peso, 5));
    ExpectSame("minimum", q.Cells(2, 4), Cell(pspp, desc, 0, peso, 6));
    ExpectSame("maximum", q.Cells(3, 4), Cell(pspp, desc, 0, peso, 7));

    ChooseIn(w->StatVars2(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& t = *w->StatisticsFrame()->Grid(3);
    const std::string test = "Independent Samples Test", equal = "Equal variances assumed";
    ExpectSame("t", t.Cells(2, 19), Cell(pspp, test, 1, equal, 4), true);
    ExpectSame("P", t.Cells(4, 19), Cell(pspp, test, 1, equal, 6));
    ExpectSame("difference", t.Cells(2, 20), Cell(pspp, test, 1, equal, 7), true);

    ChooseIn(w->StatVars2(), "Talla");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeXY);
    const TStatStringGrid& r = *w->StatisticsFrame()->Grid(3);
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
