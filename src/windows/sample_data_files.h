#pragma once
// The sample's data files for other statistics packages: an SPSS syntax file
// that declares the chosen variables with their labels and carries the
// records inline, and delimited text (tab, ";" or " "). Lines end with CR LF;
// a file is windows-1252 when every character fits, else UTF-8. Files are
// replaced at once: a failed write leaves the old file.
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TNTabEd;
class tPopulation;

// The number a cell shows: its value as the sheet's text reads (fixed at the
// column's decimals, or the exponent form where the sheet falls back to it),
// with the decimals of that number's fixed-point text.
struct TShownNumber {
    double Value = 0.0;
    int Decimals = 0;
};

// What a cell holding Value shows at Decimals in a sheet of field width
// NumWidth. A value the sheet cannot show (all "*") is taken at the column's
// decimals.
TShownNumber ShownNumber(double Value, int Decimals, int NumWidth);

// What the files and the statistics page read of the data sheet: data
// columns 1..Columns() and rows 1..Rows() with the headings, the decimal
// places and the numbers the cells show.
class TSampleSheetView {
public:
    // The sheet is not taken over and must outlive the view.
    explicit TSampleSheetView(const TNTabEd& sheet) : m_sheet(sheet) {}

    int Columns() const;
    int Rows() const;
    std::string ColName(int col) const;
    // The number the cell shows; nothing for an empty or "-nan-" cell (a
    // missing value).
    std::optional<TShownNumber> Number(int col, int row) const;
    int DecPlaces(int col) const;

private:
    const TNTabEd& m_sheet;
};

struct TSampleFileLevel {
    std::int32_t Id = 0;
    std::string Label;
};

// One chosen variable as the SPSS file declares it; variable i describes
// sheet column i + 1.
struct TSampleFileVariable {
    bool Categorical = false;
    std::string Name;
    // The label of a categorical variable, the description text of a quantitative one.
    std::string Label;
    std::vector<TSampleFileLevel> Levels;
};

// The chosen variables in the sheet's column order: categorical ones in model
// order, then quantitative ones. Chosen holds a window's own flags, one per
// variable, categorical ones first; the model's selected flags are not used.
std::vector<TSampleFileVariable> ChosenFileVariables(const tPopulation& Model, const std::vector<bool>& Chosen);

// Names SPSS and PSPP accept, one per name: characters that cannot stand in a
// name become "_", a name that does not start with a letter (or "@") or is a
// reserved word gets "V" in front, names are cut to 64 bytes and a name
// already taken (case ignored) is numbered "_2", "_3", ... Valid names that
// are not taken stay as they are.
std::vector<std::string> SpssNames(const std::vector<std::string>& Names);

// The shown number in fixed point with its decimals, "." as decimal mark,
// right-aligned in at least 8 characters.
std::string SampleFileNumber(const TShownNumber& Number);

// The files' texts (UTF-8, CR LF line ends). Each variable is named by its
// column's heading (the SPSS file makes it a valid name) and each cell
// written as the number it shows; a missing cell is "." in the SPSS data, an
// empty field in delimited text (an empty quoted field "" where blanks
// separate).
std::string SpssSyntaxText(const TSampleSheetView& Sheet, const std::vector<TSampleFileVariable>& Variables);
std::string TextTableText(const TSampleSheetView& Sheet, char Separator, bool DecimalComma);

// False, with the reason in error, when the file cannot be written; the old
// file then stays as it was.
bool WriteSpssSyntax(const QString& FileName, const TSampleSheetView& Sheet,
                     const std::vector<TSampleFileVariable>& Variables, QString* error = nullptr);
bool WriteTextTable(const QString& FileName, const TSampleSheetView& Sheet, char Separator, bool DecimalComma,
                    QString* error = nullptr);
