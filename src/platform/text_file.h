#pragma once
// Whole text files read and written in the encoding they came in: a BOM
// names it, else UTF-8 when the bytes are valid UTF-8, else ISO-8859-1.
// Writing goes through QSaveFile, so a failed write leaves the old file.
#include <QString>
#include <QStringConverter>

namespace platform {

struct TextFileEncoding {
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    bool bom = false;
};

// False (with error set) when the file cannot be read.
bool ReadTextFile(const QString& path, QString& text, TextFileEncoding& encoding, QString* error = nullptr);
// False (with error set) when the file cannot be written; the target is
// then unchanged. Text that the encoding cannot hold is written as UTF-8.
bool WriteTextFile(const QString& path, const QString& text, const TextFileEncoding& encoding,
                   QString* error = nullptr);

// The text in windows-1252 when every character has a byte there, else the
// whole text in UTF-8 after a BOM (so that readers tell the two apart).
QByteArray AnsiOrUtf8Bytes(const QString& text);
// As WriteTextFile, the bytes of AnsiOrUtf8Bytes.
bool WriteAnsiOrUtf8File(const QString& path, const QString& text, QString* error = nullptr);

} // namespace platform
