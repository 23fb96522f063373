// What a shown sample window's data sheet shows is what its saved files
// carry and what its statistics page counts: cells emptied with "Toggle
// Empty State" or typed as no number ("-nan-") are missing values, a value
// below the column's shown precision is the number the sheet shows, and a
// renamed heading names the variable in every file.
#include "sample_input.h"

#include "widgets/table_editor_texts.h"
#include "windows/sample_save_menu.h"
#include "windows/statistics_frame.h"
#include "windows/statistics_string_grid.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace sample_study;

namespace {

// The data fields of a saved file, by row: the SPSS data lines split at
// blanks, the delimited lines at their separator (the last, empty field
// after the closing separator dropped); fields trimmed of blanks.
std::vector<QStringList> DataFields(const QString& file, char separator)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    std::vector<QStringList> rows;
    if (separator == 0) {
        const qsizetype begin = lines.indexOf(QStringLiteral("BEGIN DATA"));
        const qsizetype end = lines.indexOf(QStringLiteral("END DATA."));
        for (qsizetype i = begin + 1; begin >= 0 && i < end; ++i)
            rows.push_back(lines[i].split(u' ', Qt::SkipEmptyParts));
        return rows;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QStringList fields;
        if (separator == ' ') {
            fields = lines[i].split(u' ', Qt::SkipEmptyParts);
        } else {
            fields = lines[i].split(QLatin1Char(separator));
            fields.removeLast();
        }
        for (QString& field : fields)
            field = field.trimmed();
        rows.push_back(fields);
    }
    return rows;
}

// The number a cell of the sheet shows, nothing for an empty or "-nan-" one.
std::optional<double> ShownValue(const TNTabEd& sheet, int col, int row)
{
    const std::string text = sheet.CellText(col, row);
    if (text.empty() || text == "-nan-")
        return std::nullopt;
    return std::stod(text);
}

// A page's text: Prefix, then the value to the 3 decimals the page shows.
void ExpectFigure(const std::string& cell, const std::string& prefix, double value)
{
    ASSERT_EQ(cell.rfind(prefix, 0), 0u) << "\"" << cell << "\"";
    EXPECT_NEAR(std::stod(cell.substr(prefix.size())), value, 0.0005 + 1e-9) << "\"" << cell << "\"";
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Max(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

double Mean(const std::vector<double>& v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return sum / static_cast<double>(v.size());
}

class SampleSheet : public SampleWindowInput {
protected:
    // Saves the sheet from the "Save as" menu item of the kind (1 .sps,
    // 2 .xls, 3 .csv, 4 .txt) as Name; its path.
    QString Saved(TFMuestra* w, int kind, const QString& name)
    {
        const QString file = Dir.filePath(name);
        Dialogs.QueueFile(file);
        w->SaveMenu()->SaveItem(kind)->trigger();
        EXPECT_TRUE(QFile::exists(file)) << name.toStdString();
        return file;
    }
    // Each file kind of the sheet, saved, with its separator (0 for SPSS).
    struct TSavedFile {
        QString path;
        char separator;
        QString missing;
    };
    std::vector<TSavedFile> SavedInEveryKind(TFMuestra* w, const QString& stem)
    {
        return {{Saved(w, 1, stem + ".sps"), 0, QStringLiteral(".")},
                {Saved(w, 2, stem + ".xls"), '\t', QString()},
                {Saved(w, 3, stem + ".csv"), ';', QString()},
                {Saved(w, 4, stem + ".txt"), ' ', QStringLiteral("\"\"")}};
    }
    // Every file carries, cell by cell, the number the sheet shows, and its
    // missing-value text where the sheet shows none.
    static void ExpectTheSheetsNumbers(const TNTabEd& sheet, const TSavedFile& file)
    {
        const std::vector<QStringList> rows = DataFields(file.path, file.separator);
        ASSERT_EQ(static_cast<int>(rows.size()), sheet.NrOfRows()) << file.path.toStdString();
        for (int r = 1; r <= sheet.NrOfRows(); ++r) {
            const QStringList& fields = rows[static_cast<std::size_t>(r - 1)];
            ASSERT_EQ(fields.size(), sheet.NrOfColumns()) << file.path.toStdString() << " row " << r;
            for (int c = 1; c <= sheet.NrOfColumns(); ++c) {
                const QString& field = fields[c - 1];
                const std::optional<double> shown = ShownValue(sheet, c, r);
                if (!shown) {
                    EXPECT_EQ(field.toStdString(), file.missing.toStdString())
                        << file.path.toStdString() << " cell " << c << ":" << r;
                    continue;
                }
                bool number = false;
                const double written = field.toDouble(&number);
                EXPECT_TRUE(number) << file.path.toStdString() << " \"" << field.toStdString() << "\"";
                EXPECT_NEAR(written, *shown, 1e-9 * std::max(1.0, std::fabs(*shown)))
                    << file.path.toStdString() << " cell " << c << ":" << r << " shows \"" << sheet.CellText(c, r)
                    << "\", the file \"" << field.toStdString() << "\"";
            }
        }
    }
    QTemporaryDir Dir;
};

} // namespace

TEST_F(SampleSheet, EmptyAndNanCellsAreMissingInTheFilesAndLeftOutOfTheFigures)
{
    TFMuestra* w = RecordsOnDataPage({"Sexo", "Peso"}, 12);
    TNTabEd* sheet = w->SampleData();
    const int sexo = 1, peso = 2;
    const double hidden = sheet->GetElem(peso, 5);
    ToggleEmpty(sheet, peso, 2);
    TypeInCell(sheet, peso, 5, QStringLiteral("abc"));
    ToggleEmpty(sheet, sexo, 7);
    ASSERT_EQ(sheet->CellText(peso, 2), "");
    ASSERT_EQ(sheet->CellText(peso, 5), "-nan-");
    ASSERT_EQ(sheet->GetElem(peso, 5), hidden);
    ASSERT_EQ(sheet->CellText(sexo, 7), "");
    EXPECT_TRUE(w->Modified());

    for (const TSavedFile& file : SavedInEveryKind(w, QStringLiteral("missing")))
        ExpectTheSheetsNumbers(*sheet, file);

    // the weights the sheet shows, and the records that show both variables
    std::vector<double> weights;
    std::vector<double> byGroup[2];
    for (int r = 1; r <= 12; ++r) {
        const std::optional<double> weight = ShownValue(*sheet, peso, r);
        const std::optional<double> group = ShownValue(*sheet, sexo, r);
        if (weight)
            weights.push_back(*weight);
        if (weight && group)
            byGroup[*group == 1 ? 0 : 1].push_back(*weight);
    }
    ASSERT_EQ(weights.size(), 10u);
    ASSERT_EQ(byGroup[0].size() + byGroup[1].size(), 9u);
    ASSERT_GE(byGroup[0].size(), 2u);
    ASSERT_GE(byGroup[1].size(), 2u);

    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeX);
    const TStatStringGrid& q = *w->StatisticsFrame()->Grid(1);
    EXPECT_EQ(q.Cells(2, 3), "10");
    ExpectFigure(q.Cells(2, 4), "min=", Min(weights));
    ExpectFigure(q.Cells(3, 4), "max=", Max(weights));
    ExpectFigure(q.Cells(2, 5), "Mean=", Mean(weights));

    ChooseIn(w->StatVars2(), "Sexo");
    ASSERT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    const TStatStringGrid& g = *w->StatisticsFrame()->Grid(3);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(g.Cells(2 + k, 6), std::to_string(byGroup[k].size())) << k;
        ExpectFigure(g.Cells(2 + k, 9), "", Mean(byGroup[k]));
    }
    // the categories of the same records
    const TStatStringGrid& c = *w->StatisticsFrame()->Grid(1);
    int at = 0;
    for (int r = 1; r < 40 && !at; ++r)
        if (c.Cells(1, r) == "# Category:")
            at = r;
    ASSERT_GT(at, 0);
    EXPECT_EQ(c.Cells(3, at + 1), "n=9");
}

TEST_F(SampleSheet, TheOldValueTypedOverNanClearsTheMark)
{
    TFMuestra* w = RecordsOnDataPage({"Peso"}, 12);
    TNTabEd* sheet = w->SampleData();
    const std::string text = TrimBlanks(sheet->CellText(1, 3));
    ASSERT_NE(text.find('.'), std::string::npos) << text;
    std::string comma = text;
    comma[comma.find('.')] = ',';

    for (const std::string& typed : {text, comma}) {
        const double value = sheet->GetElem(1, 3);
        TypeInCell(sheet, 1, 3, QStringLiteral("abc"));
        ASSERT_EQ(sheet->CellText(1, 3), "-nan-");
        ASSERT_EQ(sheet->GetElem(1, 3), value);
        TypeInCell(sheet, 1, 3, QString::fromStdString(typed));
        EXPECT_TRUE(sheet->ElemIsValid(1, 3)) << typed;
        EXPECT_EQ(TrimBlanks(sheet->CellText(1, 3)), text) << typed;
    }
    // the record counts again
    ClickTab(w, 3);
    ChooseIn(w->StatVars1(), "Peso");
    EXPECT_EQ(w->StatisticsFrame()->Grid(1)->Cells(2, 3), "12");
}

TEST_F(SampleSheet, AValueBelowTheShownPrecisionIsOneNumberEverywhere)
{
    TFMuestra* w = RecordsOnDataPage({"Peso"}, 12);
    TNTabEd* sheet = w->SampleData();
    // 0 decimals, then -1 (the exponent form for every value)
    const struct {
        int decimals;
        const char* typed;
        int row;
    } steps[] = {{0, "0.4", 1}, {-1, "0.57", 2}};
    for (const auto& step : steps) {
        ClickTab(w, 2);
        StepPrecision(sheet, 1);
        ASSERT_EQ(sheet->GetDecPlaces(1), step.decimals);
        TypeInCell(sheet, 1, step.row, QString::fromLatin1(step.typed));
        // the sheet shows the value, not 0 or 1
        ASSERT_NE(sheet->CellText(1, step.row).find('E'), std::string::npos) << sheet->CellText(1, step.row);
        ASSERT_NEAR(*ShownValue(*sheet, 1, step.row), std::stod(step.typed), 1e-12);

        const QString stem = QStringLiteral("precision%1").arg(step.decimals + 1);
        for (const TSavedFile& file : SavedInEveryKind(w, stem))
            ExpectTheSheetsNumbers(*sheet, file);

        std::vector<double> weights;
        for (int r = 1; r <= 12; ++r)
            weights.push_back(*ShownValue(*sheet, 1, r));
        ClickTab(w, 3);
        ChooseIn(w->StatVars1(), "Peso");
        const TStatStringGrid& q = *w->StatisticsFrame()->Grid(1);
        ExpectFigure(q.Cells(2, 4), "min=", Min(weights));
        ExpectFigure(q.Cells(3, 4), "max=", Max(weights));
        ExpectFigure(q.Cells(2, 5), "Mean=", Mean(weights));
    }
}

TEST_F(SampleSheet, ARenamedHeadingNamesTheVariableInEveryFile)
{
    TFMuestra* w = RecordsOnDataPage({"Sexo", "Peso"}, 12);
    TNTabEd* sheet = w->SampleData();
    TypeHeading(sheet, 1, QStringLiteral("Género"));
    TypeHeading(sheet, 2, QStringLiteral("Peso neto"));
    const std::vector<TSavedFile> files = SavedInEveryKind(w, QStringLiteral("renamed"));

    QFile sps(files[0].path);
    ASSERT_TRUE(sps.open(QIODevice::ReadOnly));
    // windows-1252: "é" is one byte
    const QStringList lines = QString::fromLatin1(sps.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("DATA LIST FREE  /  Género (COMMA8.0)"));
    EXPECT_EQ(lines[1], QStringLiteral(" Peso_neto (COMMA8.1)."));
    EXPECT_EQ(lines[4], QStringLiteral(" Género 'Sexo del sujeto'  "));
    EXPECT_EQ(lines[5], QStringLiteral(" Peso_neto 'Peso corporal'  ."));
    EXPECT_EQ(lines[8], QStringLiteral("   /Género 1 'Hombre' 2 'Mujer'."));
    const QString headers[] = {QStringLiteral("\"Género\"\t\"Peso neto\"\t"), QStringLiteral("\"Género\";\"Peso neto\";"),
                               QStringLiteral("\"Género\" \"Peso neto\" ")};
    for (int k = 1; k <= 3; ++k) {
        QFile f(files[static_cast<std::size_t>(k)].path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromLatin1(f.readLine()).chopped(2), headers[k - 1]) << k;
    }
}
