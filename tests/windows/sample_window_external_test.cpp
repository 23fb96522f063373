// What a user can do with a saved sample: the ".sps" file of a drawn sample,
// read by PSPP, gives the descriptives, t test and regression that the
// statistics page gives, to the precision of the written decimals. Runs when
// `pspp` is on the path, else it is skipped.
//
// Commands, as written to check.sps beside the saved sample.sps:
//   INSERT FILE='sample.sps'.
//   DESCRIPTIVES VARIABLES=Peso Talla /STATISTICS=MEAN STDDEV MIN MAX.
//   T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.
//   REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.
// run as: pspp -O format=csv -o out.csv check.sps
#include "sample_study.h"
#include "../support/pspp_output.h"

#include "core/group_comparison.h"
#include "core/quantitative_statistics.h"
#include "core/regression_statistics.h"
#include "windows/sample_save_menu.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>

using namespace sample_study;

namespace {

double Number(const std::string& text)
{
    std::string t;
    for (char c : text)
        if (c != ' ')
            t += c;
    double v = std::nan("");
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

// The cell of the first row whose column `keyCol` reads `key`, at column `col`.
double Cell(const TPsppTables& tables, const std::string& table, int keyCol, const std::string& key, int col)
{
    const auto it = tables.find(table);
    if (it == tables.end())
        return std::nan("");
    for (const auto& row : it->second)
        if (static_cast<int>(row.size()) > std::max(keyCol, col) && row[static_cast<std::size_t>(keyCol)] == key)
            return Number(row[static_cast<std::size_t>(col)]);
    return std::nan("");
}

// Catches the columns the statistics page hands over.
class CapturingEntries : public TStatisticsEntries {
public:
    void InitX(const tNumVarDef&, const TVector& Data) override { Y.CopyFrom(&Data); }
    void InitC(const tCatVar&, const TIntVector&) override {}
    void InitXY(const tNumVarDef&, const TVector& DataX, const tNumVarDef&, const TVector& DataY) override
    {
        X.CopyFrom(&DataX);
        Y.CopyFrom(&DataY);
    }
    void InitCY(const tCatVar&, const TIntVector& DataC, const tNumVarDef&, const TVector& DataY) override
    {
        G.CopyFrom(&DataC);
        Y.CopyFrom(&DataY);
    }
    void InitCC(const tCatVar&, const TIntVector&, const tCatVar&, const TIntVector&) override {}
    TVector X;
    TVector Y;
    TIntVector G;
};

void Pick(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

} // namespace

using SampleFileReadBack = SampleWindowFixture;

TEST_F(SampleFileReadBack, PsppReadsTheSampleAsTheStatisticsPageSeesIt)
{
    if (!OnPath("pspp"))
        GTEST_SKIP() << "pspp not on the path";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFMuestra* w = DrawnSample({"Sexo", "Peso", "Talla"}, 60);
    w->tbAddAllRecordsClick();
    ASSERT_EQ(w->SampleData()->NrOfRows(), 60);

    // saved the way the user saves it
    const QString sample = dir.filePath(QStringLiteral("sample.sps"));
    Dialogs.QueueFile(sample);
    w->SaveMenu()->SaveData(1);
    ASSERT_TRUE(QFile::exists(sample));
    {
        QFile check(dir.filePath(QStringLiteral("check.sps")));
        ASSERT_TRUE(check.open(QIODevice::WriteOnly));
        check.write("INSERT FILE='sample.sps'.\n"
                    "DESCRIPTIVES VARIABLES=Peso Talla /STATISTICS=MEAN STDDEV MIN MAX.\n"
                    "T-TEST GROUPS=Sexo(1,2) /VARIABLES=Peso.\n"
                    "REGRESSION /VARIABLES=Talla /DEPENDENT=Peso /STATISTICS=COEFF R ANOVA.\n");
    }
    const std::string cd = "cd '" + dir.path().toStdString() + "' && ";
    ASSERT_EQ(std::system((cd + "pspp -O format=csv -o out.csv check.sps >pspp.log 2>&1").c_str()), 0);
    const TPsppTables pspp = ReadPsppCsv(dir.filePath(QStringLiteral("out.csv")).toStdString());

    // what the statistics page analyses: Peso alone, Peso by Sexo, Peso on Talla
    CapturingEntries page;
    w->SetStatisticsEntries(&page);
    Pick(w->StatVars1(), QStringLiteral("Peso"));
    Pick(w->StatVars2(), QStringLiteral("Sexo"));
    w->ExecuteStatistics();
    const TGroupComparison groups = CompareGroups(page.Y, page.G);
    Pick(w->StatVars2(), QStringLiteral("Talla"));
    w->ExecuteStatistics();
    const TQuantitativeSummary peso = QuantitativeSummary(page.Y);
    const TQuantitativeSummary talla = QuantitativeSummary(page.X);
    const TRegressionSummary regression = SumsOfProducts(page.X, page.Y);
    w->SetStatisticsEntries(nullptr);

    // PSPP names the variables and groups by the labels the file declares.
    // Peso is written with 1 decimal, Talla with none: each value moves by at
    // most half a unit of its last decimal, and so do mean, deviation and
    // extremes; PSPP prints them to 2 decimals (half a unit: 0.005).
    const double pesoTol = 0.05 + 0.005;
    const double tallaTol = 0.5 + 0.005;
    const std::string desc = "Descriptive Statistics";
    EXPECT_EQ(Cell(pspp, desc, 0, "Peso corporal", 1), 60);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Peso corporal", 2), peso.mean, pesoTol);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Peso corporal", 3), peso.sd, pesoTol);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Peso corporal", 4), peso.min, pesoTol);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Peso corporal", 5), peso.max, pesoTol);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Talla de pie", 2), talla.mean, tallaTol);
    EXPECT_NEAR(Cell(pspp, desc, 0, "Talla de pie", 3), talla.sd, tallaTol);

    // group means move like the mean; t by a small share of itself
    ASSERT_EQ(groups.groupCount, 2);
    const std::string stats = "Group Statistics";
    EXPECT_EQ(Cell(pspp, stats, 1, "Hombre", 2), groups.group1.n);
    EXPECT_NEAR(Cell(pspp, stats, 1, "Hombre", 3), groups.group1.mean, pesoTol);
    EXPECT_NEAR(Cell(pspp, stats, 1, "Mujer", 3), groups.group2.mean, pesoTol);
    const double t = Cell(pspp, "Independent Samples Test", 1, "Equal variances assumed", 4);
    EXPECT_NEAR(std::abs(t), std::abs(groups.test.t), 0.01 * std::abs(groups.test.t) + 0.01);

    // Peso on Talla: slope and correlation
    const double b1 = Cell(pspp, "Coefficients (Peso corporal)", 0, "Talla de pie", 1);
    EXPECT_NEAR(b1, regression.b1, 0.02 * std::abs(regression.b1) + 0.005);
    const auto summary = pspp.find("Model Summary (Peso corporal)");
    ASSERT_NE(summary, pspp.end());
    ASSERT_GE(summary->second.size(), 2u);
    EXPECT_NEAR(Number(summary->second[1][0]), regression.r, 0.01);
}
