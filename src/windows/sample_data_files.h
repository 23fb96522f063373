#pragma once
// The sample's data files for other statistics packages: an SPSS syntax file
// that declares the chosen variables with their labels and carries the
// records inline, and delimited text (tab, ";" or " "). Lines end with CR LF;
// a file is windows-1252 when every character fits, else UTF-8. Files are
// replaced at once: a failed write leaves the old file.
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class TNTabEd;
class tPopulation;

// What the files read of the data sheet: data columns 1..Columns() and rows
// 1..Rows() with the column names and decimal places.
class TSampleSheetView {
public:
    // The sheet is not taken over and must outlive the view.
    explicit TSampleSheetView(const TNTabEd& sheet) : m_sheet(sheet) {}

    int Columns() const;
    int Rows() const;
    std::string ColName(int col) const;
    double Elem(int col, int row) const;
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

// Fixed point with Decimals places (0 for fewer), "." as decimal mark,
// right-aligned in at least 8 characters.
std::string SampleFileNumber(double Value, int Decimals);
// The number that text reads: Value as the sheet shows it and the files carry
// it (Value itself when the text is no number).
double SampleFileValue(double Value, int Decimals);

// The files' texts (UTF-8, CR LF line ends).
std::string SpssSyntaxText(const TSampleSheetView& Sheet, const std::vector<TSampleFileVariable>& Variables);
std::string TextTableText(const TSampleSheetView& Sheet, char Separator, bool DecimalComma);

// False, with the reason in error, when the file cannot be written; the old
// file then stays as it was.
bool WriteSpssSyntax(const QString& FileName, const TSampleSheetView& Sheet,
                     const std::vector<TSampleFileVariable>& Variables, QString* error = nullptr);
bool WriteTextTable(const QString& FileName, const TSampleSheetView& Sheet, char Separator, bool DecimalComma,
                    QString* error = nullptr);
