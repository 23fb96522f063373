#include "windows/sample_data_files.h"

#include "core/population_model.h"
#include "platform/text_file.h"
#include "widgets/table_editor.h"
#include "widgets/table_editor_texts.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr const char* kLineEnd = "\r\n";
// Field width of the numbers and of the input formats.
constexpr int kFieldWidth = 8;
constexpr std::size_t kMaxNameBytes = 64;

// Words that cannot name a variable in SPSS syntax.
constexpr std::array<const char*, 13> kReservedWords = {"ALL", "AND", "BY", "EQ", "GE", "GT", "LE",
                                                        "LT",  "NE",  "NOT", "OR", "TO", "WITH"};

bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }

bool CanStartName(char32_t c) { return c == '@' || QChar::isLetter(c); }

bool CanContinueName(char32_t c)
{
    return CanStartName(c) || QChar::isMark(c) || IsAsciiDigit(c) || c == '.' || c == '_' || c == '#' || c == '$';
}

bool IsReservedWord(const QString& name)
{
    const QString upper = name.toUpper();
    return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                       [&](const char* word) { return upper == QLatin1String(word); });
}

// The longest start of the text that takes at most maxBytes in UTF-8.
QString CutToBytes(const QString& text, std::size_t maxBytes)
{
    QString out;
    std::size_t bytes = 0;
    for (const char32_t c : text.toUcs4()) {
        const std::size_t size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        out += QString::fromUcs4(&c, 1);
    }
    return out;
}

// A period at the end would close the command.
QString WithoutFinalPeriod(QString name)
{
    if (name.endsWith(QLatin1Char('.')))
        name.back() = QLatin1Char('_');
    return name;
}

QString ValidSpssName(const QString& name)
{
    QString out;
    for (const char32_t c : name.toUcs4())
        out += CanContinueName(c) ? QString::fromUcs4(&c, 1) : QStringLiteral("_");
    const QList<uint> codes = out.toUcs4();
    if (out.isEmpty() || !CanStartName(codes.front()) || IsReservedWord(out))
        out.prepend(QLatin1Char('V'));
    return WithoutFinalPeriod(CutToBytes(out, kMaxNameBytes));
}

// SPSS names ignore case.
QString NameKey(const QString& name) { return name.toCaseFolded(); }

// Blanks for line breaks and other control characters (a run gives one
// blank), apostrophes doubled: the text inside '...'.
std::string QuotedText(const std::string& text)
{
    std::string out = "'";
    bool control = false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 32) {
            if (!control)
                out += ' ';
            control = true;
            continue;
        }
        control = false;
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

// The input format of a column: COMMA with the field width 8, wider when the
// decimals need it.
std::string InputFormat(int decimals)
{
    const int places = std::max(decimals, 0);
    return "(COMMA" + std::to_string(std::max(kFieldWidth, places + 2)) + "." + std::to_string(places) + ")";
}

// A missing cell in the SPSS data: the system-missing value.
constexpr const char* kSpssMissing = ".";

std::string PadLeft(std::string text, int width)
{
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string HeaderName(const std::string& name)
{
    std::string out = "\"";
    for (const char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

} // namespace

int TSampleSheetView::Columns() const { return m_sheet.NrOfColumns(); }

int TSampleSheetView::Rows() const { return m_sheet.NrOfRows(); }

std::string TSampleSheetView::ColName(int col) const { return m_sheet.GetColName(col); }

std::optional<TShownNumber> TSampleSheetView::Number(int col, int row) const
{
    const double value = m_sheet.GetElem(col, row);
    if (!m_sheet.ElemIsValid(col, row) || !std::isfinite(value))
        return std::nullopt;
    return ShownNumber(value, m_sheet.GetDecPlaces(col), m_sheet.NumWidth());
}

int TSampleSheetView::DecPlaces(int col) const { return m_sheet.GetDecPlaces(col); }

std::vector<TSampleFileVariable> ChosenFileVariables(const tPopulation& Model, const std::vector<bool>& Chosen)
{
    auto chosen = [&](std::size_t i) { return i < Chosen.size() && Chosen[i]; };
    std::vector<TSampleFileVariable> variables;
    for (std::size_t k = 0; k < Model.CatVars.size(); ++k) {
        if (!chosen(k))
            continue;
        const tCatVar& var = Model.CatVars[k];
        TSampleFileVariable v{true, var.Name, var.Label, {}};
        for (const tLevels& level : var.Levels)
            v.Levels.push_back({level.Id, level.Label});
        variables.push_back(std::move(v));
    }
    for (std::size_t j = 0; j < Model.NumVarDefs.size(); ++j) {
        if (!chosen(Model.CatVars.size() + j))
            continue;
        const tNumVarDef& def = Model.NumVarDefs[j];
        variables.push_back({false, def.Name, def.Description, {}});
    }
    return variables;
}

std::vector<std::string> SpssNames(const std::vector<std::string>& Names)
{
    std::vector<QString> names;
    std::vector<bool> done(Names.size(), false);
    QSet<QString> taken;
    for (const std::string& name : Names)
        names.push_back(ValidSpssName(QString::fromUtf8(name)));
    // valid names first, so that a changed name never takes one of theirs
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == QString::fromUtf8(Names[i]) && !taken.contains(NameKey(names[i]))) {
            taken.insert(NameKey(names[i]));
            done[i] = true;
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (done[i])
            continue;
        QString name = names[i];
        for (int n = 2; taken.contains(NameKey(name)); ++n) {
            const QString suffix = QLatin1Char('_') + QString::number(n);
            name = CutToBytes(names[i], kMaxNameBytes - static_cast<std::size_t>(suffix.size())) + suffix;
        }
        taken.insert(NameKey(name));
        names[i] = name;
    }
    std::vector<std::string> result;
    for (const QString& name : names)
        result.push_back(name.toStdString());
    return result;
}

TShownNumber ShownNumber(double Value, int Decimals, int NumWidth)
{
    const std::string text = TrimBlanks(FormatCellNumber(NumWidth, Decimals, Value));
    double read = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (ec == std::errc() && end == text.data() + text.size()) {
        // places after the point, moved by the exponent of the exponent form
        const std::size_t e = text.find('E');
        const std::size_t point = text.find('.');
        int places = point == std::string::npos
                         ? 0
                         : static_cast<int>((e == std::string::npos ? text.size() : e) - point - 1);
        int exponent = -1;
        if (e != std::string::npos) {
            const char* from = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
            if (std::from_chars(from, text.data() + text.size(), exponent).ec != std::errc())
                exponent = 0;
            places -= exponent;
        }
        // an exponent form of a value too wide for the cell keeps only two
        // digits: the value at the column's decimals loses none
        if (exponent < 0)
            return {read, std::max(places, 0)};
    }
    const int places = std::max(Decimals, 0);
    const std::string fixed = FormatNumber(1, places, Value);
    const auto [fixedEnd, fixedEc] = std::from_chars(fixed.data(), fixed.data() + fixed.size(), read);
    return {fixedEc == std::errc() && fixedEnd == fixed.data() + fixed.size() ? read : Value, places};
}

std::string SampleFileNumber(const TShownNumber& Number)
{
    return FormatNumber(kFieldWidth, Number.Decimals, Number.Value);
}

std::string SpssSyntaxText(const TSampleSheetView& Sheet, const std::vector<TSampleFileVariable>& Variables)
{
    // variable i is column i + 1; a column without variable is not written
    const std::size_t count = std::min(Variables.size(), static_cast<std::size_t>(std::max(Sheet.Columns(), 0)));
    auto column = [](std::size_t i) { return static_cast<int>(i) + 1; };
    // named by the headings the sheet shows
    std::vector<std::string> headings;
    for (std::size_t i = 0; i < count; ++i)
        headings.push_back(Sheet.ColName(column(i)));
    const std::vector<std::string> names = SpssNames(headings);

    std::string categorical, quantitative, categoricalLabels, quantitativeLabels, valueLabels;
    for (std::size_t i = 0; i < count; ++i) {
        const TSampleFileVariable& v = Variables[i];
        const std::string label = " " + names[i] + " " + QuotedText(v.Label) + "  ";
        if (v.Categorical) {
            categorical += " " + names[i] + " " + InputFormat(0);
            categoricalLabels += label;
            if (!v.Levels.empty()) {
                valueLabels += "   /" + names[i];
                for (const TSampleFileLevel& level : v.Levels)
                    valueLabels += " " + std::to_string(level.Id) + " " + QuotedText(level.Label);
            }
        } else {
            quantitative += " " + names[i] + " " + InputFormat(Sheet.DecPlaces(column(i)));
            quantitativeLabels += label;
        }
    }

    std::string text = "DATA LIST FREE  / " + categorical + kLineEnd;
    text += quantitative + "." + kLineEnd;
    text += std::string(" ") + kLineEnd;
    // an empty line would end a command early, and an empty command is an error
    if (count > 0) {
        text += std::string("VARIABLE LABELS ") + kLineEnd;
        if (!categoricalLabels.empty())
            text += categoricalLabels + kLineEnd;
        text += quantitativeLabels + "." + kLineEnd;
    }
    text += kLineEnd;
    if (!valueLabels.empty()) {
        text += std::string("VALUE LABELS ") + kLineEnd;
        text += valueLabels + "." + kLineEnd;
    }
    text += std::string("BEGIN DATA") + kLineEnd;
    for (int r = 1; r <= Sheet.Rows(); ++r) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::optional<TShownNumber> number = Sheet.Number(column(i), r);
            text += " " + (number ? SampleFileNumber(*number) : PadLeft(kSpssMissing, kFieldWidth));
        }
        text += kLineEnd;
    }
    text += std::string("END DATA.") + kLineEnd;
    return text;
}

std::string TextTableText(const TSampleSheetView& Sheet, char Separator, bool DecimalComma)
{
    std::string text;
    for (int c = 1; c <= Sheet.Columns(); ++c)
        text += HeaderName(Sheet.ColName(c)) + Separator;
    text += kLineEnd;
    // blanks would close up an empty field: there it is an empty quoted one
    const std::string missing = Separator == ' ' ? PadLeft("\"\"", kFieldWidth) : std::string();
    for (int r = 1; r <= Sheet.Rows(); ++r) {
        for (int c = 1; c <= Sheet.Columns(); ++c) {
            const std::optional<TShownNumber> shown = Sheet.Number(c, r);
            std::string number = shown ? SampleFileNumber(*shown) : missing;
            if (DecimalComma)
                std::replace(number.begin(), number.end(), '.', ',');
            text += number + Separator;
        }
        text += kLineEnd;
    }
    return text;
}

bool WriteSpssSyntax(const QString& FileName, const TSampleSheetView& Sheet,
                     const std::vector<TSampleFileVariable>& Variables, QString* error)
{
    return platform::WriteAnsiOrUtf8File(FileName, QString::fromStdString(SpssSyntaxText(Sheet, Variables)), error);
}

bool WriteTextTable(const QString& FileName, const TSampleSheetView& Sheet, char Separator, bool DecimalComma,
                    QString* error)
{
    return platform::WriteAnsiOrUtf8File(FileName, QString::fromStdString(TextTableText(Sheet, Separator, DecimalComma)),
                                         error);
}
