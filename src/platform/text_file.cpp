#include "platform/text_file.h"

#include "base/windows_1252.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

bool ReadTextFile(const QString& path, QString& text, TextFileEncoding& encoding, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        encoding.encoding = *bom;
        encoding.bom = true;
        QStringDecoder decoder(*bom);
        text = decoder.decode(bytes);
        return true;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError()) {
        encoding = TextFileEncoding{QStringConverter::Utf8, false};
        text = decoded;
        return true;
    }
    encoding = TextFileEncoding{QStringConverter::Latin1, false};
    text = QString::fromLatin1(bytes);
    return true;
}

namespace {

// Replaces the file with the bytes at once; false leaves it as it was.
// The buffer is flushed before the commit: QSaveFile would commit a file
// whose last buffered bytes could not be written.
bool CommitBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool WriteTextFile(const QString& path, const QString& text, const TextFileEncoding& encoding,
                   QString* error)
{
    QByteArray bytes;
    {
        QStringEncoder encoder(encoding.encoding, encoding.bom ? QStringConverter::Flag::WriteBom
                                                                : QStringConverter::Flag::Default);
        bytes = encoder.encode(text);
        if (encoder.hasError()) {
            QStringEncoder utf8(QStringConverter::Utf8);
            bytes = utf8.encode(text);
        }
    }
    return CommitBytes(path, bytes, error);
}

QByteArray AnsiOrUtf8Bytes(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const int b = ch.isSurrogate() ? -1 : Windows1252Byte(ch.unicode());
        if (b < 0)
            return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        bytes.append(static_cast<char>(b));
    }
    return bytes;
}

bool WriteAnsiOrUtf8File(const QString& path, const QString& text, QString* error)
{
    return CommitBytes(path, AnsiOrUtf8Bytes(text), error);
}

} // namespace platform
