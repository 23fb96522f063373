// Checks the statistics pages' texts against PSPP and R on constructed columns.
// Runs when both `pspp` and `Rscript` are on the path, else it is skipped.
//
// PSPP prints its statistics with two decimals, so the quantitative columns
// are written to it multiplied by 100 (location and spread scale by 100, the
// variance by 10^4; t, d.f. and significance do not change). Its percentile
// method HAVERAGE is the weighted average at rank (n + 1) p, R's type 6; at
// ranks below 1 PSPP extrapolates towards 0, so the column has 20 values,
// which puts the rank of P5 at 1.05.
//
// Commands, as written to the files:
//   pspp -O format=csv -o out.csv check.sps, with
//     DESCRIPTIVES VARIABLES=x100 /STATISTICS=MEAN STDDEV VARIANCE MIN MAX SEMEAN.
//     EXAMINE VARIABLES=x100 /PERCENTILES(5,25,50,75,95)=HAVERAGE /STATISTICS=NONE.
//     T-TEST GROUPS=g(1,2) /VARIABLES=y100 /CRITERIA=CI(.95).
//     REGRESSION /VARIABLES=x /DEPENDENT=y100 /STATISTICS=COEFF R ANOVA CI(95).
//     the 2 x 2 table as weighted cases (DATA LIST FREE / ra cb w. ... WEIGHT BY w.),
//     CROSSTABS /TABLES=ra BY cb /STATISTICS=CHISQ. ("Continuity Correction").
//     COMPUTE e = -cb. LOGISTIC REGRESSION e WITH ra /CATEGORICAL=ra /PRINT=CI(95)
//       /CRITERIA=BCON(0.000001). (Exp(B) of ra(1) and its interval: the odds
//       ratio and Woolf's limits; CROSSTABS' RISK prints the ratio as both limits.)
//   Rscript check.R (reading the same columns from check.txt), with
//     quantile(x, c(.05,.25,.5,.75,.95), type = 6); t.test(y ~ g, var.equal = TRUE);
//     t.test(y ~ g) for the Welch d.f. and t, its P and limits interpolated between
//     whole degrees of freedom as the page does; var.test, larger variance first;
//     lm(y ~ x) with confint and summary; chisq.test on the 2 x 2 table (with
//     its continuity correction, the default), and the odds ratio with the SE of
//     its log from the saturated logistic fit, glm(cbind(c(a, c), c(b, d)) ~
//     factor(c(2, 1)), family = binomial), limits exp(log(OR) +/- 1.96 SE).
#include "core/contingency_table.h"
#include "core/group_comparison.h"
#include "core/quantitative_statistics.h"
#include "core/regression_statistics.h"

#include "statistics_test_data.h"
#include "../support/pspp_output.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<double> kX = {12.3, 15.1, 9.8,  11.4, 14.7, 13.2, 10.5, 16.0, 12.9, 11.1,
                                13.8, 9.2,  14.1, 12.0, 15.6, 10.9, 13.5, 11.7, 12.6, 14.4};
const std::vector<double> kY = {8.1, 9.9, 6.8, 7.9, 9.1, 8.8, 7.2, 10.4, 8.0, 7.7,
                                9.3, 6.5, 8.6, 8.4, 10.1, 7.0, 9.0, 7.8, 8.3, 9.6};
const std::vector<int> kG = {1, 2, 1, 1, 2, 1, 2, 2, 1, 1, 2, 1, 2, 1, 2, 2, 1, 1, 2, 1};
// 2 x 2 table a, b / c, d
constexpr int kCells[4] = {23, 11, 9, 19};

double ParseNumber(std::string_view s)
{
    // PSPP writes ".82" and "-.35"
    std::string t;
    for (char c : s)
        if (c != ' ' && c != '(' && c != ')' && c != ';' && c != '%' && c != '"')
            t += c;
    if (t.empty())
        return std::nan("");
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && end == t.data() + t.size() ? v : std::nan("");
}

// The number of a cell text: what follows its last '='.
double CellNumber(const std::string& text)
{
    const auto eq = text.rfind('=');
    return ParseNumber(eq == std::string::npos ? text : std::string_view(text).substr(eq + 1));
}

const std::vector<std::string>* FindRow(const std::vector<std::vector<std::string>>& rows, int col,
                                        const std::string& key)
{
    for (const auto& r : rows)
        if (static_cast<int>(r.size()) > col && r[static_cast<std::size_t>(col)] == key)
            return &r;
    return nullptr;
}

std::map<std::string, double> ReadR(const fs::path& file)
{
    std::map<std::string, double> values;
    std::ifstream in(file);
    std::string name;
    std::string value;
    while (in >> name >> value)
        values[name] = ParseNumber(value);
    return values;
}

// A page text (3 decimals) against a reference printed with refDecimals
// decimals after division by scale.
void ExpectText(const std::string& what, const std::string& text, double ref, double scale = 1,
                int refDecimals = 9)
{
    const double ours = CellNumber(text);
    const double tol = 0.0005 + 0.5 * std::pow(10.0, -refDecimals) / scale + 1e-9;
    EXPECT_NEAR(ours, ref / scale, tol) << what << ": \"" << text << "\"";
}

class StatisticsExternalCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!OnPath("pspp") || !OnPath("Rscript"))
            GTEST_SKIP() << "pspp or Rscript not on the path";
        m_dir = fs::temp_directory_path() / ("vexa_stats_check_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }
    fs::path m_dir;
};

std::string Fixed(double v, int decimals)
{
    std::string text = StatNumber(v, 0, decimals);
    return text;
}

} // namespace

TEST_F(StatisticsExternalCheck, PageTextsAgreeWithPsppAndR)
{
    const std::size_t n = kX.size();
    {
        std::ofstream sps(m_dir / "check.sps");
        sps << "DATA LIST FREE / x (F8.2) y (F8.2) g (F2.0) x100 (F10.2) y100 (F10.2).\nBEGIN DATA\n";
        for (std::size_t i = 0; i < n; ++i)
            sps << Fixed(kX[i], 2) << ' ' << Fixed(kY[i], 2) << ' ' << kG[i] << ' ' << Fixed(kX[i] * 100, 2) << ' '
                << Fixed(kY[i] * 100, 2) << '\n';
        sps << "END DATA.\n"
               "DESCRIPTIVES VARIABLES=x100 /STATISTICS=MEAN STDDEV VARIANCE MIN MAX SEMEAN.\n"
               "EXAMINE VARIABLES=x100 /PERCENTILES(5,25,50,75,95)=HAVERAGE /STATISTICS=NONE.\n"
               "T-TEST GROUPS=g(1,2) /VARIABLES=y100 /CRITERIA=CI(.95).\n"
               "REGRESSION /VARIABLES=x /DEPENDENT=y100 /STATISTICS=COEFF R ANOVA CI(95).\n"
               "DATA LIST FREE / ra cb w.\nBEGIN DATA\n";
        for (int cell = 0; cell < 4; ++cell)
            sps << cell / 2 + 1 << ' ' << cell % 2 + 1 << ' ' << kCells[cell] << '\n';
        sps << "END DATA.\nWEIGHT BY w.\nCROSSTABS /TABLES=ra BY cb /STATISTICS=CHISQ.\n"
               "COMPUTE e = -cb.\n"
               "LOGISTIC REGRESSION e WITH ra /CATEGORICAL=ra /PRINT=CI(95) /CRITERIA=BCON(0.000001).\n";
        std::ofstream txt(m_dir / "check.txt");
        txt << "x y g\n";
        for (std::size_t i = 0; i < n; ++i)
            txt << Fixed(kX[i], 2) << ' ' << Fixed(kY[i], 2) << ' ' << kG[i] << '\n';
        std::ofstream r(m_dir / "check.R");
        r << "d <- read.table('" << (m_dir / "check.txt").string() << "', header = TRUE)\n"
          << "out <- function(name, v) cat(name, sprintf('%.9f', v), '\\n')\n"
             "x <- d$x; y <- d$y; g <- d$g\n"
             "q <- quantile(x, c(.05,.25,.5,.75,.95), type = 6)\n"
             "out('p5', q[1]); out('q1', q[2]); out('median', q[3]); out('q3', q[4]); out('p95', q[5])\n"
             "n <- length(x); m <- mean(x); s <- sd(x); out('mean', m); out('sd', s); out('var', var(x))\n"
             "out('cv', s / m * 100); out('sem', s / sqrt(n))\n"
             "for (l in c(90, 95, 99)) { h <- qt(1 - (1 - l/100)/2, n - 1) * s / sqrt(n)\n"
             "  out(paste0('lo', l), m - h); out(paste0('up', l), m + h); out(paste0('pr', l), h) }\n"
             "a <- y[g == 1]; b <- y[g == 2]\n"
             "tt <- t.test(a, b, var.equal = TRUE); d0 <- abs(mean(a) - mean(b))\n"
             "out('t', abs(tt$statistic)); out('tp', tt$p.value); out('diff', d0)\n"
             "h <- abs(diff(tt$conf.int)) / 2; out('tlo', d0 - h); out('tup', d0 + h)\n"
             "sp <- sqrt(((length(a)-1)*var(a) + (length(b)-1)*var(b)) / (length(a)+length(b)-2)); out('cohen', d0 / sp)\n"
             "L <- if (sd(a) >= sd(b)) list(a, b) else list(b, a)\n"
             "vt <- var.test(L[[1]], L[[2]]); out('F', vt$statistic); out('Fp', vt$p.value)\n"
             "tw <- t.test(a, b); nu <- tw$parameter; f0 <- floor(nu); se <- sqrt(var(a)/length(a) + var(b)/length(b))\n"
             "twt <- abs(tw$statistic); out('wt', twt); out('wdf', nu)\n"
             "P <- function(f) 2 * pt(twt, f, lower.tail = FALSE); Q <- function(f) qt(.975, f)\n"
             "out('wp', P(f0) + (P(f0 + 1) - P(f0)) * (nu - f0)); qw <- Q(f0) + (Q(f0 + 1) - Q(f0)) * (nu - f0)\n"
             "out('wlo', d0 - qw * se); out('wup', d0 + qw * se)\n"
             "f <- lm(y ~ x); cf <- summary(f)$coefficients; ci <- confint(f)\n"
             "out('b0', cf[1,1]); out('seb0', cf[1,2]); out('b1', cf[2,1]); out('seb1', cf[2,2])\n"
             "out('rt', cf[2,3]); out('rp', cf[2,4]); out('b0lo', ci[1,1]); out('b0up', ci[1,2])\n"
             "out('b1lo', ci[2,1]); out('b1up', ci[2,2]); out('r2', summary(f)$r.squared); out('r', cor(x, y))\n"
             "out('s2', summary(f)$sigma^2)\n"
          << "a <- " << kCells[0] << "; b <- " << kCells[1] << "; c <- " << kCells[2] << "; d <- " << kCells[3] << "\n"
          << "N <- a + b + c + d; ct <- chisq.test(matrix(c(a, b, c, d), 2, byrow = TRUE))\n"
             "out('chi', ct$statistic); out('chip', ct$p.value)\n"
             "out('emin', min(a+c, b+d) * min(a+b, c+d) / N)\n"
             "fit <- glm(cbind(c(a, c), c(b, d)) ~ factor(c(2, 1)), family = binomial)\n"
             "lor <- coef(summary(fit))[2, 1]; se <- coef(summary(fit))[2, 2]\n"
             "out('or', exp(lor)); out('orlo', exp(lor - 1.96 * se)); out('orup', exp(lor + 1.96 * se))\n";
    }
    const std::string cd = "cd '" + m_dir.string() + "' && ";
    ASSERT_EQ(std::system((cd + "pspp -O format=csv -o out.csv check.sps >pspp.log 2>&1").c_str()), 0);
    ASSERT_EQ(std::system((cd + "Rscript check.R >r.txt 2>r.log").c_str()), 0);
    const auto pspp = ReadPsppCsv((m_dir / "out.csv").string());
    const auto R = ReadR(m_dir / "r.txt");
    ASSERT_EQ(R.size(), 51u);

    // quantitative page
    const auto x = MakeColumn(kX);
    TStatTextTable q;
    WriteQuantitativeGrid(q, NumVar("x"), QuantitativeSummary(*x));
    ExpectText("mean", q.Cell(2, 5), R.at("mean"));
    ExpectText("median", q.Cell(3, 5), R.at("median"));
    ExpectText("sd", q.Cell(2, 6), R.at("sd"));
    ExpectText("var", q.Cell(3, 6), R.at("var"));
    EXPECT_NEAR(CellNumber(q.Cell(4, 6)), R.at("cv"), 0.05 + 1e-9);
    ExpectText("q1", q.Cell(2, 7), R.at("q1"));
    ExpectText("q3", q.Cell(3, 7), R.at("q3"));
    ExpectText("p5", q.Cell(2, 8), R.at("p5"));
    ExpectText("p95", q.Cell(3, 8), R.at("p95"));
    ExpectText("sem", q.Cell(2, 11), R.at("sem"));
    const char* levels[] = {"90", "95", "99"};
    for (int k = 0; k < 3; ++k) {
        const std::string l = levels[k];
        ExpectText("lower " + l, q.Cell(2, 13 + k), R.at("lo" + l));
        ExpectText("upper " + l, q.Cell(3, 13 + k), R.at("up" + l));
        ExpectText("precision " + l, q.Cell(4, 13 + k), R.at("pr" + l));
    }
    ASSERT_TRUE(pspp.count("Descriptive Statistics"));
    const auto* desc = FindRow(pspp.at("Descriptive Statistics"), 0, "x100");
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(q.Cell(2, 3), (*desc)[1]);
    ExpectText("PSPP mean", q.Cell(2, 5), ParseNumber((*desc)[2]), 100, 2);
    ExpectText("PSPP sem", q.Cell(2, 11), ParseNumber((*desc)[3]), 100, 2);
    ExpectText("PSPP sd", q.Cell(2, 6), ParseNumber((*desc)[4]), 100, 2);
    ExpectText("PSPP var", q.Cell(3, 6), ParseNumber((*desc)[5]), 1e4, 2);
    ExpectText("PSPP min", q.Cell(2, 4), ParseNumber((*desc)[6]), 100, 2);
    ExpectText("PSPP max", q.Cell(3, 4), ParseNumber((*desc)[7]), 100, 2);
    ASSERT_TRUE(pspp.count("Percentiles"));
    const auto* pct = FindRow(pspp.at("Percentiles"), 1, "Weighted Average");
    ASSERT_NE(pct, nullptr);
    ExpectText("PSPP p5", q.Cell(2, 8), ParseNumber((*pct)[2]), 100, 2);
    ExpectText("PSPP q1", q.Cell(2, 7), ParseNumber((*pct)[3]), 100, 2);
    ExpectText("PSPP median", q.Cell(3, 5), ParseNumber((*pct)[4]), 100, 2);
    ExpectText("PSPP q3", q.Cell(3, 7), ParseNumber((*pct)[5]), 100, 2);
    ExpectText("PSPP p95", q.Cell(3, 8), ParseNumber((*pct)[6]), 100, 2);

    // comparison by groups
    const auto y = MakeColumn(kY);
    const auto g = MakeCodes(kG);
    TStatTextTable t;
    WriteGroupComparisonGrid(t, NumVar("y"), CatVar("g", {"one", "two"}), CompareGroups(*y, *g));
    ExpectText("F", t.Cell(2, 18), R.at("F"));
    ExpectText("P of F", t.Cell(3, 18), R.at("Fp"));
    ExpectText("t", t.Cell(2, 19), R.at("t"));
    ExpectText("P", t.Cell(4, 19), R.at("tp"));
    ExpectText("difference", t.Cell(2, 20), R.at("diff"));
    ExpectText("Cohen", t.Cell(3, 20), R.at("cohen"));
    ExpectText("lower", t.Cell(2, 21), R.at("tlo"));
    ExpectText("upper", t.Cell(3, 21), R.at("tup"));
    ExpectText("Welch t", t.Cell(2, 22), R.at("wt"));
    ExpectText("Welch df", t.Cell(3, 22), R.at("wdf"));
    ExpectText("Welch P", t.Cell(4, 22), R.at("wp"));
    ExpectText("Welch lower", t.Cell(2, 23), R.at("wlo"));
    ExpectText("Welch upper", t.Cell(3, 23), R.at("wup"));
    ASSERT_TRUE(pspp.count("Independent Samples Test"));
    const auto& ist = pspp.at("Independent Samples Test");
    const auto* eq = FindRow(ist, 1, "Equal variances assumed");
    const auto* ne = FindRow(ist, 1, "Equal variances not assumed");
    ASSERT_TRUE(eq && ne);
    // t, df, Sig, mean difference, SE, lower, upper from column 4 on
    const double sign = ParseNumber((*eq)[7]) < 0 ? -1 : 1;
    ExpectText("PSPP t", t.Cell(2, 19), sign * ParseNumber((*eq)[4]), 1, 2);
    EXPECT_EQ(t.Cell(3, 19), "d.f.=" + StatInt(static_cast<long long>(ParseNumber((*eq)[5]))));
    ExpectText("PSPP P", t.Cell(4, 19), ParseNumber((*eq)[6]), 1, 3);
    ExpectText("PSPP difference", t.Cell(2, 20), sign * ParseNumber((*eq)[7]), 100, 2);
    ExpectText("PSPP lower", t.Cell(2, 21), (sign > 0 ? ParseNumber((*eq)[9]) : -ParseNumber((*eq)[10])), 100, 2);
    ExpectText("PSPP upper", t.Cell(3, 21), (sign > 0 ? ParseNumber((*eq)[10]) : -ParseNumber((*eq)[9])), 100, 2);
    ExpectText("PSPP Welch t", t.Cell(2, 22), sign * ParseNumber((*ne)[4]), 1, 2);
    ExpectText("PSPP Welch df", t.Cell(3, 22), ParseNumber((*ne)[5]), 1, 2);

    // regression of y on x
    TStatTextTable r;
    WriteRegressionGrid(r, NumVar("x"), *x, NumVar("y"), *y, SumsOfProducts(*x, *y));
    ExpectText("b0", r.Cell(2, 16), R.at("b0"));
    ExpectText("SE(b0)", r.Cell(3, 16), R.at("seb0"));
    ExpectText("b0 lower", r.Cell(2, 17), R.at("b0lo"));
    ExpectText("b0 upper", r.Cell(3, 17), R.at("b0up"));
    ExpectText("b1", r.Cell(2, 19), R.at("b1"));
    ExpectText("SE(b1)", r.Cell(3, 19), R.at("seb1"));
    ExpectText("b1 lower", r.Cell(2, 20), R.at("b1lo"));
    ExpectText("b1 upper", r.Cell(3, 20), R.at("b1up"));
    ExpectText("texp", r.Cell(2, 22), R.at("rt"));
    ExpectText("P", r.Cell(4, 22), R.at("rp"));
    ExpectText("S2", r.Cell(2, 14), R.at("s2"));
    ExpectText("R2", r.Cell(2, 24), R.at("r2"));
    ExpectText("r", r.Cell(2, 27), R.at("r"));
    ASSERT_TRUE(pspp.count("Coefficients (y100)"));
    const auto& co = pspp.at("Coefficients (y100)");
    const auto* c0 = FindRow(co, 0, "(Constant)");
    const auto* c1 = FindRow(co, 0, "x");
    ASSERT_TRUE(c0 && c1);
    ExpectText("PSPP b0", r.Cell(2, 16), ParseNumber((*c0)[1]), 100, 2);
    ExpectText("PSPP SE(b0)", r.Cell(3, 16), ParseNumber((*c0)[2]), 100, 2);
    ExpectText("PSPP b0 lower", r.Cell(2, 17), ParseNumber((*c0)[6]), 100, 2);
    ExpectText("PSPP b0 upper", r.Cell(3, 17), ParseNumber((*c0)[7]), 100, 2);
    ExpectText("PSPP b1", r.Cell(2, 19), ParseNumber((*c1)[1]), 100, 2);
    ExpectText("PSPP SE(b1)", r.Cell(3, 19), ParseNumber((*c1)[2]), 100, 2);
    ExpectText("PSPP texp", r.Cell(2, 22), ParseNumber((*c1)[4]), 1, 2);
    ExpectText("PSPP P", r.Cell(4, 22), ParseNumber((*c1)[5]), 1, 3);
    ExpectText("PSPP b1 lower", r.Cell(2, 20), ParseNumber((*c1)[6]), 100, 2);
    ExpectText("PSPP b1 upper", r.Cell(3, 20), ParseNumber((*c1)[7]), 100, 2);
    ASSERT_TRUE(pspp.count("ANOVA (y100)"));
    const auto& an = pspp.at("ANOVA (y100)");
    const auto* reg = FindRow(an, 0, "Regression");
    const auto* tot = FindRow(an, 0, "Total");
    const auto* res = FindRow(an, 0, "Residual");
    ASSERT_TRUE(reg && tot && res);
    ExpectText("PSPP R2", r.Cell(2, 24), ParseNumber((*reg)[1]) / ParseNumber((*tot)[1]), 1, 5);
    ExpectText("PSPP S2", r.Cell(2, 14), ParseNumber((*res)[3]), 1e4, 2);
    ExpectText("PSPP (YY)", r.Cell(3, 12), ParseNumber((*tot)[1]), 1e4, 2);

    // 2 x 2 table
    std::vector<int> ca;
    std::vector<int> cb;
    for (int cell = 0; cell < 4; ++cell)
        for (int k = 0; k < kCells[cell]; ++k) {
            ca.push_back(cell / 2 + 1);
            cb.push_back(cell % 2 + 1);
        }
    const auto A = MakeCodes(ca);
    const auto B = MakeCodes(cb);
    const tCatVar defA = CatVar("A", {"a1", "a2"});
    const tCatVar defB = CatVar("B", {"b1", "b2"});
    const TContingencyTable table = CrossTable(*A, defA, *B, defB);
    TStatTextTable c;
    WriteContingencyGrid(c, defA, defB, table, TwoByTwoTest(table.R(), table.C(), table.O));
    EXPECT_EQ(c.Cell(2, 10), "OK");
    ExpectText("Emin", c.Cell(2, 11), R.at("emin"));
    ExpectText("chi-square", c.Cell(2, 12), R.at("chi"));
    ExpectText("Sig", c.Cell(2, 13), R.at("chip"));
    ASSERT_TRUE(pspp.count("Chi-Square Tests"));
    const auto* cc = FindRow(pspp.at("Chi-Square Tests"), 0, "Continuity Correction");
    ASSERT_TRUE(cc);
    ExpectText("PSPP continuity correction", c.Cell(2, 12), ParseNumber((*cc)[1]), 1, 2);
    ExpectText("PSPP Sig", c.Cell(2, 13), ParseNumber((*cc)[3]), 1, 3);
    ExpectText("OR", c.Cell(2, 14), R.at("or"));
    ExpectText("OR lower", c.Cell(2, 15), R.at("orlo"));
    ExpectText("OR upper", c.Cell(3, 15), R.at("orup"));
    ASSERT_TRUE(pspp.count("Variables in the Equation"));
    const auto* lr = FindRow(pspp.at("Variables in the Equation"), 1, "ra(1)");
    ASSERT_TRUE(lr);
    ExpectText("PSPP OR", c.Cell(2, 14), ParseNumber((*lr)[7]), 1, 2);
    ExpectText("PSPP OR lower", c.Cell(2, 15), ParseNumber((*lr)[8]), 1, 2);
    ExpectText("PSPP OR upper", c.Cell(3, 15), ParseNumber((*lr)[9]), 1, 2);
}
