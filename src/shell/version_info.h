#pragma once
// Program name, version and build date, and the folders beside the program.
// The texts are joined once at start-up (InitializeVersionInfo).
#include <QString>

inline const QString ProgramName = QStringLiteral("Vexa");
inline const QString ProgramVersion = QStringLiteral("1.0");
inline const QString BuildMonth = QStringLiteral("2");
inline const QString BuildYear = QStringLiteral("2011");

// Builds the program title and the build date and clears the folder texts.
void InitializeVersionInfo();

// "Vexa 1.0"
const QString& ProgramTitle();
// "2/2011"
const QString& BuildDate();

// Folder of the running program, with a trailing separator; "Docs" and
// "Excel" inside it (without a trailing separator).
const QString& ApplicationFolder();
const QString& DocumentsFolder();
const QString& SpreadsheetsFolder();
// Sets the application folder (with or without a trailing separator) and the
// two folders inside it.
void SetApplicationFolder(const QString& folder);
