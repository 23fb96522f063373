#include "windows/sample_data_files.h"

#include "core/population_model.h"
#include "core/study_document.h"
#include "platform/xml_dom.h"
#include "widgets/table_editor.h"
#include "widgets/table_editor_texts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

struct TColumn {
    std::string name;
    int decimals;
    std::vector<double> values;
};

// A data sheet as the sample window fills it: one column per chosen variable.
std::unique_ptr<TNTabEd> Sheet(const std::vector<TColumn>& columns)
{
    auto sheet = std::make_unique<TNTabEd>(nullptr, "SampleData");
    const int rows = columns.empty() ? 0 : static_cast<int>(columns.front().values.size());
    sheet->SetTableSize(static_cast<int>(columns.size()), rows);
    for (int c = 1; c <= static_cast<int>(columns.size()); ++c) {
        const TColumn& column = columns[static_cast<std::size_t>(c - 1)];
        sheet->SetColName(c, column.name);
        sheet->SetDecPlaces(c, column.decimals);
        for (int r = 1; r <= rows; ++r)
            sheet->SetElem(c, r, column.values[static_cast<std::size_t>(r - 1)]);
    }
    return sheet;
}

TSampleFileVariable Categorical(std::string name, std::string label, std::vector<TSampleFileLevel> levels)
{
    return {true, std::move(name), std::move(label), std::move(levels)};
}

TSampleFileVariable Quantitative(std::string name, std::string description)
{
    return {false, std::move(name), std::move(description), {}};
}

// Two categorical and two quantitative variables with accents, apostrophes
// and a name with a blank; two records.
struct MixedSample {
    std::unique_ptr<TNTabEd> sheet = Sheet({{"Sexo", 0, {2, 1}},
                                            {"Zona", 0, {1, 2}},
                                            {"Peso", 1, {64.27, 72.46}},
                                            {"Talla media", 0, {172, 168.4}}});
    std::vector<TSampleFileVariable> variables = {
        Categorical("Sexo", "Sexo del sujeto", {{1, "Hombre"}, {2, "Mujer"}}),
        Categorical("Zona", "Zona d'estudi", {{1, "Àrea urbana"}, {2, "L'Horta"}}),
        Quantitative("Peso", "Peso corporal"),
        Quantitative("Talla media", "Talla en cm, según 'ficha'"),
    };
};

// The same bytes in windows-1252 (\xC0 = À, \xFA = ú).
const std::string kMixedSps = "DATA LIST FREE  /  Sexo (COMMA8.0) Zona (COMMA8.0)\r\n"
                              " Peso (COMMA8.1) Talla_media (COMMA8.0).\r\n"
                              " \r\n"
                              "VARIABLE LABELS \r\n"
                              " Sexo 'Sexo del sujeto'   Zona 'Zona d''estudi'  \r\n"
                              " Peso 'Peso corporal'   Talla_media 'Talla en cm, seg\xFAn ''ficha'''  .\r\n"
                              "\r\n"
                              "VALUE LABELS \r\n"
                              "   /Sexo 1 'Hombre' 2 'Mujer'   /Zona 1 '\xC0rea urbana' 2 'L''Horta'.\r\n"
                              "BEGIN DATA\r\n"
                              "        2        1     64.3      172\r\n"
                              "        1        2     72.5      168\r\n"
                              "END DATA.\r\n";

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

class SampleDataFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SampleDataFiles, SpssFileOfTheDocumentedSample)
{
    // Sexo (levels 1 Hombre, 2 Mujer), Peso with 1 decimal, one record (2, 64.27)
    auto sheet = Sheet({{"Sexo", 0, {2}}, {"Peso", 1, {64.27}}});
    const std::vector<TSampleFileVariable> variables = {
        Categorical("Sexo", "Sexo del sujeto", {{1, "Hombre"}, {2, "Mujer"}}), Quantitative("Peso", "Peso corporal")};
    ASSERT_TRUE(WriteSpssSyntax(Path("s.sps"), TSampleSheetView(*sheet), variables));
    EXPECT_EQ(ReadBytes(Path("s.sps")), QByteArray("DATA LIST FREE  /  Sexo (COMMA8.0)\r\n"
                                                   " Peso (COMMA8.1).\r\n"
                                                   " \r\n"
                                                   "VARIABLE LABELS \r\n"
                                                   " Sexo 'Sexo del sujeto'  \r\n"
                                                   " Peso 'Peso corporal'  .\r\n"
                                                   "\r\n"
                                                   "VALUE LABELS \r\n"
                                                   "   /Sexo 1 'Hombre' 2 'Mujer'.\r\n"
                                                   "BEGIN DATA\r\n"
                                                   "        2     64.3\r\n"
                                                   "END DATA.\r\n"));
}

TEST_F(SampleDataFiles, SpssFileDoublesApostrophesAndWritesValidNames)
{
    MixedSample sample;
    ASSERT_TRUE(WriteSpssSyntax(Path("m.sps"), TSampleSheetView(*sample.sheet), sample.variables));
    EXPECT_EQ(ReadBytes(Path("m.sps")), Bytes(kMixedSps));
}

TEST_F(SampleDataFiles, SpssFileWithoutCategoricalVariablesKeepsTheLabels)
{
    // no empty line inside VARIABLE LABELS, no VALUE LABELS command
    auto sheet = Sheet({{"Peso", 1, {64.27, 70}}});
    ASSERT_TRUE(WriteSpssSyntax(Path("q.sps"), TSampleSheetView(*sheet), {Quantitative("Peso", "Peso corporal")}));
    EXPECT_EQ(ReadBytes(Path("q.sps")), QByteArray("DATA LIST FREE  / \r\n"
                                                   " Peso (COMMA8.1).\r\n"
                                                   " \r\n"
                                                   "VARIABLE LABELS \r\n"
                                                   " Peso 'Peso corporal'  .\r\n"
                                                   "\r\n"
                                                   "BEGIN DATA\r\n"
                                                   "     64.3\r\n"
                                                   "     70.0\r\n"
                                                   "END DATA.\r\n"));
}

TEST_F(SampleDataFiles, SpssFileWithoutQuantitativeVariablesOrRecords)
{
    auto sheet = Sheet({{"Sexo", 0, {}}});
    ASSERT_TRUE(WriteSpssSyntax(Path("c.sps"), TSampleSheetView(*sheet),
                                {Categorical("Sexo", "Sexo", {{1, "Hombre"}, {2, "Mujer"}})}));
    EXPECT_EQ(ReadBytes(Path("c.sps")), QByteArray("DATA LIST FREE  /  Sexo (COMMA8.0)\r\n"
                                                   ".\r\n"
                                                   " \r\n"
                                                   "VARIABLE LABELS \r\n"
                                                   " Sexo 'Sexo'  \r\n"
                                                   ".\r\n"
                                                   "\r\n"
                                                   "VALUE LABELS \r\n"
                                                   "   /Sexo 1 'Hombre' 2 'Mujer'.\r\n"
                                                   "BEGIN DATA\r\n"
                                                   "END DATA.\r\n"));
}

TEST_F(SampleDataFiles, NegativeDecimalsWriteTheNumberOfTheExponentForm)
{
    // the sheet shows 6.4E+01 and 5.7E-01
    auto sheet = Sheet({{"Peso", 1, {64.27, 0.5723}}});
    sheet->SetDecPlaces(1, -1);
    ASSERT_EQ(sheet->GetDecPlaces(1), -1);
    const std::string text = SpssSyntaxText(TSampleSheetView(*sheet), {Quantitative("Peso", "Peso")});
    EXPECT_NE(text.find(" Peso (COMMA8.0).\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BEGIN DATA\r\n       64\r\n     0.57\r\nEND DATA."), std::string::npos) << text;
    EXPECT_EQ(TextTableText(TSampleSheetView(*sheet), ';', true), "\"Peso\";\r\n      64;\r\n    0,57;\r\n");
}

TEST_F(SampleDataFiles, AValueBelowTheColumnsPrecisionIsWrittenAsTheSheetShowsIt)
{
    // 0 decimals: 0.4 shows 4.0E-01, -0.004 -4.0E-03; 1234567890 shows 1.2E+09, too wide
    // for the cell, and is written whole
    auto sheet = Sheet({{"x", 0, {0.4, -0.004, 1234567890, 3.6}}});
    ASSERT_EQ(TrimBlanks(sheet->CellText(1, 1)), "4.0E-01");
    EXPECT_EQ(TextTableText(TSampleSheetView(*sheet), '\t', false),
              "\"x\"\t\r\n    0.40\t\r\n -0.0040\t\r\n1234567890\t\r\n       4\t\r\n");
}

TEST_F(SampleDataFiles, EmptyAndNanCellsAreMissingValues)
{
    auto sheet = Sheet({{"Sexo", 0, {2, 1, 1}}, {"Peso", 1, {64.27, 70.1, 58.0}}});
    sheet->SetMark(2, 1, cmEmpty);
    sheet->SetMark(1, 2, cmNotANumber);
    sheet->SetMark(2, 3, cmEmpty | cmNotANumber | cmMarkA);
    sheet->SetMark(1, 3, cmMarkB); // marks A and B leave a cell valid
    const TSampleSheetView view(*sheet);
    const std::string spss = SpssSyntaxText(view, {Categorical("Sexo", "Sexo", {}), Quantitative("Peso", "Peso")});
    EXPECT_NE(spss.find("BEGIN DATA\r\n        2        .\r\n        .     70.1\r\n        1        .\r\nEND DATA."),
              std::string::npos)
        << spss;
    EXPECT_EQ(TextTableText(view, ';', false), "\"Sexo\";\"Peso\";\r\n       2;;\r\n;    70.1;\r\n       1;;\r\n");
    EXPECT_EQ(TextTableText(view, '\t', false),
              "\"Sexo\"\t\"Peso\"\t\r\n       2\t\t\r\n\t    70.1\t\r\n       1\t\t\r\n");
    // blanks would close an empty field up: an empty quoted one
    EXPECT_EQ(TextTableText(view, ' ', true),
              "\"Sexo\" \"Peso\" \r\n       2       \"\" \r\n      \"\"     70,1 \r\n       1       \"\" \r\n");
}

TEST_F(SampleDataFiles, TheHeadingsNameTheSpssVariables)
{
    // headings renamed on the sheet; the labels stay the study's
    auto sheet = Sheet({{"Género", 0, {1}}, {"Peso neto", 1, {64.27}}});
    const std::string text =
        SpssSyntaxText(TSampleSheetView(*sheet), {Categorical("Sexo", "Sexo del sujeto", {{1, "Hombre"}}),
                                                  Quantitative("Peso", "Peso corporal")});
    EXPECT_EQ(text.substr(0, text.find("BEGIN DATA")), "DATA LIST FREE  /  Género (COMMA8.0)\r\n"
                                                       " Peso_neto (COMMA8.1).\r\n"
                                                       " \r\n"
                                                       "VARIABLE LABELS \r\n"
                                                       " Género 'Sexo del sujeto'  \r\n"
                                                       " Peso_neto 'Peso corporal'  .\r\n"
                                                       "\r\n"
                                                       "VALUE LABELS \r\n"
                                                       "   /Género 1 'Hombre'.\r\n");
}

TEST_F(SampleDataFiles, ManyDecimalsWidenTheInputFormat)
{
    // PSPP refuses COMMA8.10: the width grows to hold the decimals
    auto sheet = Sheet({{"x", 10, {1.25}}, {"y", 6, {1.25}}});
    const std::string text =
        SpssSyntaxText(TSampleSheetView(*sheet), {Quantitative("x", "x"), Quantitative("y", "y")});
    EXPECT_NE(text.find(" x (COMMA12.10) y (COMMA8.6).\r\n"), std::string::npos) << text;
    // at 10 decimals the sheet shows 1.3E+00, too wide for the cell: the file keeps every decimal
    EXPECT_NE(text.find(" 1.2500000000 1.250000\r\n"), std::string::npos) << text;
}

TEST_F(SampleDataFiles, ControlCharactersInLabelsBecomeOneBlank)
{
    auto sheet = Sheet({{"Peso", 0, {1}}});
    const std::string text =
        SpssSyntaxText(TSampleSheetView(*sheet), {Quantitative("Peso", "Peso\r\ncorporal\tdel sujeto")});
    EXPECT_NE(text.find(" Peso 'Peso corporal del sujeto'  .\r\n"), std::string::npos) << text;
}

TEST_F(SampleDataFiles, DelimitedTexts)
{
    MixedSample sample;
    const TSampleSheetView view(*sample.sheet);
    ASSERT_TRUE(WriteTextTable(Path("m.xls"), view, '\t', false));
    ASSERT_TRUE(WriteTextTable(Path("m.csv"), view, ';', false));
    ASSERT_TRUE(WriteTextTable(Path("m.txt"), view, ' ', false));
    EXPECT_EQ(ReadBytes(Path("m.xls")), QByteArray("\"Sexo\"\t\"Zona\"\t\"Peso\"\t\"Talla media\"\t\r\n"
                                                   "       2\t       1\t    64.3\t     172\t\r\n"
                                                   "       1\t       2\t    72.5\t     168\t\r\n"));
    EXPECT_EQ(ReadBytes(Path("m.csv")), QByteArray("\"Sexo\";\"Zona\";\"Peso\";\"Talla media\";\r\n"
                                                   "       2;       1;    64.3;     172;\r\n"
                                                   "       1;       2;    72.5;     168;\r\n"));
    EXPECT_EQ(ReadBytes(Path("m.txt")), QByteArray("\"Sexo\" \"Zona\" \"Peso\" \"Talla media\" \r\n"
                                                   "       2        1     64.3      172 \r\n"
                                                   "       1        2     72.5      168 \r\n"));
}

TEST_F(SampleDataFiles, DecimalCommaChangesDelimitedTextOnly)
{
    auto sheet = Sheet({{"Sexo", 0, {2}}, {"Peso", 1, {64.27}}});
    const TSampleSheetView view(*sheet);
    ASSERT_TRUE(WriteTextTable(Path("s.csv"), view, ';', true));
    EXPECT_EQ(ReadBytes(Path("s.csv")), QByteArray("\"Sexo\";\"Peso\";\r\n       2;    64,3;\r\n"));
    // the SPSS text has no such option
    EXPECT_NE(SpssSyntaxText(view, {Categorical("Sexo", "", {}), Quantitative("Peso", "")}).find("    64.3\r\n"),
              std::string::npos);
}

TEST_F(SampleDataFiles, QuoteInAColumnNameIsDoubledInTheHeader)
{
    auto sheet = Sheet({{"a\"b", 0, {1}}});
    EXPECT_EQ(TextTableText(TSampleSheetView(*sheet), ';', false), "\"a\"\"b\";\r\n       1;\r\n");
}

TEST_F(SampleDataFiles, TextBeyondWindows1252IsWrittenAsUtf8)
{
    auto sheet = Sheet({{"Łódź", 0, {3}}});
    ASSERT_TRUE(WriteTextTable(Path("u.csv"), TSampleSheetView(*sheet), ';', false));
    EXPECT_EQ(ReadBytes(Path("u.csv")), QByteArray("\xEF\xBB\xBF\"\xC5\x81\xC3\xB3\x64\xC5\xBA\";\r\n       3;\r\n"));
}

TEST_F(SampleDataFiles, FailedWriteReportsWhy)
{
    auto sheet = Sheet({{"x", 0, {1}}});
    QString error;
    EXPECT_FALSE(WriteTextTable(Path("missing/x.csv"), TSampleSheetView(*sheet), ';', false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(Path("missing/x.csv")));
}

TEST(SpssNames, ValidNamesStayAsTheyAre)
{
    const std::vector<std::string> names = {"Peso", "Año", "@ok", "x.y", "v_1", "Talla_media", std::string(64, 'a')};
    EXPECT_EQ(SpssNames(names), names);
}

TEST(SpssNames, InvalidNamesAreMended)
{
    EXPECT_EQ(SpssNames({"Talla media", "a-b", "1a", "#x", "$y", "_z", "", "BY", "with", "x.", "Ñu!"}),
              (std::vector<std::string>{"Talla_media", "a_b", "V1a", "V#x", "V$y", "V_z", "V", "VBY", "Vwith", "x_",
                                        "Ñu_"}));
}

TEST(SpssNames, LongNamesAreCutTo64Bytes)
{
    // 40 "ñ" take 80 bytes: 32 of them fit
    std::string enye;
    for (int i = 0; i < 40; ++i)
        enye += "ñ";
    std::string expected;
    for (int i = 0; i < 32; ++i)
        expected += "ñ";
    EXPECT_EQ(SpssNames({std::string(70, 'a'), enye}), (std::vector<std::string>{std::string(64, 'a'), expected}));
}

TEST(SpssNames, TakenNamesAreNumbered)
{
    // a valid name keeps its name before a mended one takes it; case is ignored
    EXPECT_EQ(SpssNames({"Talla media", "Peso", "Talla_media", "Peso", "peso", std::string(70, 'b'),
                         std::string(66, 'b')}),
              (std::vector<std::string>{"Talla_media_2", "Peso", "Talla_media", "Peso_2", "peso_3",
                                        std::string(64, 'b'), std::string(62, 'b') + "_2"}));
}

TEST(ChosenFileVariables, FollowTheWindowsFlagsInSheetOrder)
{
    const platform::XmlDocument document =
        platform::XmlDocument::LoadFromFile(VEXA_SOURCE_DIR "/resources/xml/estudio_alturas_pesos.xml");
    tPopulation model(GetVexa(document));
    ASSERT_EQ(model.CatVarCount, 2);
    ASSERT_GE(model.NumVarCount, 2);
    model.CatVars[0].Selected = true; // another window's choice: not used
    // window flags: categorical Deporte, quantitative Peso (second numeric variable)
    std::vector<bool> chosen(static_cast<std::size_t>(model.CatVarCount + model.NumVarCount), false);
    chosen[1] = true;
    chosen[static_cast<std::size_t>(model.CatVarCount) + 1] = true;
    const std::vector<TSampleFileVariable> variables = ChosenFileVariables(model, chosen);
    ASSERT_EQ(variables.size(), 2u);
    EXPECT_TRUE(variables[0].Categorical);
    EXPECT_EQ(variables[0].Name, "Deporte");
    EXPECT_EQ(variables[0].Label, "Práctica deportiva habitual");
    ASSERT_EQ(variables[0].Levels.size(), 2u);
    EXPECT_EQ(variables[0].Levels[0].Id, 1);
    EXPECT_EQ(variables[0].Levels[0].Label, "Sí");
    EXPECT_EQ(variables[0].Levels[1].Id, 2);
    EXPECT_EQ(variables[0].Levels[1].Label, "No");
    EXPECT_FALSE(variables[1].Categorical);
    EXPECT_EQ(variables[1].Name, "Peso");
    EXPECT_EQ(variables[1].Label, "Peso corporal en kilogramos");
    EXPECT_TRUE(variables[1].Levels.empty());
    EXPECT_TRUE(model.CatVars[0].Selected);
    EXPECT_FALSE(model.CatVars[1].Selected);
}

// ---- read back by PSPP ----------------------------------------------------

namespace {

using TCsvTable = std::vector<std::vector<std::string>>;

// One CSV record of PSPP's output: fields separated by ",", quoted fields
// with "" for a quote.
std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// PSPP's CSV output by table title ("Table: Variables" gives "Variables"),
// heading row included.
std::map<std::string, TCsvTable> CsvTables(const QByteArray& output)
{
    std::map<std::string, TCsvTable> tables;
    TCsvTable* current = nullptr;
    for (const QByteArray& raw : output.split('\n')) {
        const std::string line = raw.trimmed().toStdString();
        if (line.rfind("Table: ", 0) == 0)
            current = &tables[line.substr(7)];
        else if (line.empty())
            current = nullptr;
        else if (current)
            current->push_back(CsvFields(line));
    }
    return tables;
}

// Runs the sample's syntax file through PSPP, then the test's commands.
class SampleDataFilesPspp : public SampleDataFiles {
protected:
    void SetUp() override
    {
        m_pspp = QStandardPaths::findExecutable("pspp");
        if (m_pspp.isEmpty())
            GTEST_SKIP() << "pspp is not on the path";
    }

    // PSPP's tables; a failed run or an error message fails the test.
    std::map<std::string, TCsvTable> ReadBack(const QString& spsFile, const std::string& commands)
    {
        QFile f(Path("driver.sps"));
        if (!f.open(QIODevice::WriteOnly)) {
            ADD_FAILURE() << "cannot write the driver";
            return {};
        }
        f.write(("INCLUDE FILE='" + spsFile.toStdString() + "' ENCODING='Auto,windows-1252'.\n" + commands).c_str());
        f.close();
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(m_pspp, {"-O", "format=csv", Path("driver.sps")});
        EXPECT_TRUE(process.waitForFinished(60000));
        Output = process.readAll();
        EXPECT_EQ(process.exitCode(), 0) << Output.toStdString();
        EXPECT_FALSE(Output.contains("error")) << Output.toStdString();
        return CsvTables(Output);
    }

    QByteArray Output;

private:
    QString m_pspp;
};

} // namespace

// Each file is read by GNU PSPP 1.6 with
//   pspp -O format=csv driver.sps
// where driver.sps holds
//   INCLUDE FILE='<file>.sps' ENCODING='Auto,windows-1252'.
// followed by DISPLAY DICTIONARY, LIST and DESCRIPTIVES commands (below).
TEST_F(SampleDataFilesPspp, ReadsBackNamesLabelsAndValues)
{
    MixedSample sample;
    ASSERT_TRUE(WriteSpssSyntax(Path("m.sps"), TSampleSheetView(*sample.sheet), sample.variables));
    auto tables = ReadBack(Path("m.sps"), "DISPLAY DICTIONARY.\n"
                                          "LIST.\n"
                                          "DESCRIPTIVES Peso Talla_media /STATISTICS=MEAN MIN MAX.\n");

    const TCsvTable& dictionary = tables["Variables"];
    ASSERT_EQ(dictionary.size(), 5u) << Output.toStdString();
    const std::vector<std::pair<std::string, std::string>> labels = {{"Sexo", "Sexo del sujeto"},
                                                                     {"Zona", "Zona d'estudi"},
                                                                     {"Peso", "Peso corporal"},
                                                                     {"Talla_media", "Talla en cm, según 'ficha'"}};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(dictionary[i + 1][0], labels[i].first);
        EXPECT_EQ(dictionary[i + 1][2], labels[i].second);
    }

    // rows: variable label (first level only), value, level label
    const TCsvTable& levels = tables["Value Labels"];
    ASSERT_EQ(levels.size(), 5u) << Output.toStdString();
    EXPECT_EQ(levels[1], (std::vector<std::string>{"Sexo del sujeto", "1", "Hombre"}));
    EXPECT_EQ(levels[2], (std::vector<std::string>{"", "2", "Mujer"}));
    EXPECT_EQ(levels[3], (std::vector<std::string>{"Zona d'estudi", "1", "Àrea urbana"}));
    EXPECT_EQ(levels[4], (std::vector<std::string>{"", "2", "L'Horta"}));

    const TCsvTable& data = tables["Data List"];
    ASSERT_EQ(data.size(), 3u) << Output.toStdString();
    EXPECT_EQ(data[0], (std::vector<std::string>{"Sexo", "Zona", "Peso", "Talla_media"}));
    EXPECT_EQ(data[1], (std::vector<std::string>{"2", "1", "64.3", "172"}));
    EXPECT_EQ(data[2], (std::vector<std::string>{"1", "2", "72.5", "168"}));

    // heading, then N, mean, minimum, maximum per variable: the written values
    const TCsvTable& descriptives = tables["Descriptive Statistics"];
    ASSERT_GE(descriptives.size(), 3u) << Output.toStdString();
    EXPECT_EQ(descriptives[1][0], "Peso corporal");
    EXPECT_EQ(descriptives[1][1], "2");
    EXPECT_NEAR(std::stod(descriptives[1][2]), (64.3 + 72.5) / 2, 0.05);
    EXPECT_EQ(descriptives[1][3], "64.3");
    EXPECT_EQ(descriptives[1][4], "72.5");
    EXPECT_EQ(descriptives[2][0], "Talla en cm, según 'ficha'");
    EXPECT_NEAR(std::stod(descriptives[2][2]), 170.0, 0.5);
    EXPECT_EQ(descriptives[2][3], "168");
    EXPECT_EQ(descriptives[2][4], "172");
}

TEST_F(SampleDataFilesPspp, KeepsTheLabelsWithoutCategoricalVariables)
{
    // a label beyond windows-1252 makes the file UTF-8
    auto sheet = Sheet({{"Peso", 1, {64.27, 70.04}}, {"Talla", 0, {172, 168}}});
    ASSERT_TRUE(WriteSpssSyntax(Path("q.sps"), TSampleSheetView(*sheet),
                                {Quantitative("Peso", "Peso de Łukasz"), Quantitative("Talla", "Talla")}));
    ASSERT_TRUE(ReadBytes(Path("q.sps")).startsWith("\xEF\xBB\xBF"));
    auto tables = ReadBack(Path("q.sps"), "DISPLAY DICTIONARY.\n"
                                          "DESCRIPTIVES ALL /STATISTICS=MEAN MIN MAX.\n");
    const TCsvTable& dictionary = tables["Variables"];
    ASSERT_EQ(dictionary.size(), 3u) << Output.toStdString();
    EXPECT_EQ(dictionary[1][2], "Peso de Łukasz");
    EXPECT_EQ(dictionary[2][2], "Talla");
    const TCsvTable& descriptives = tables["Descriptive Statistics"];
    ASSERT_GE(descriptives.size(), 3u) << Output.toStdString();
    EXPECT_NEAR(std::stod(descriptives[1][2]), (64.3 + 70.0) / 2, 0.05);
    EXPECT_EQ(descriptives[1][3], "64.3");
    EXPECT_EQ(descriptives[1][4], "70.0");
}
