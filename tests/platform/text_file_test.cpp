#include "platform/text_file.h"

#include "../support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(TextFileAnsiOrUtf8, TextThatFitsIsWindows1252)
{
    // é is 0xE9, € 0x80, the curly quotes 0x93 and 0x94
    EXPECT_EQ(platform::AnsiOrUtf8Bytes(QStringLiteral("Pé€ “x”\r\n")), QByteArray("P\xE9\x80 \x93x\x94\r\n"));
    EXPECT_EQ(platform::AnsiOrUtf8Bytes(QString()), QByteArray());
}

TEST(TextFileAnsiOrUtf8, OneCharacterBeyondMakesTheWholeTextUtf8)
{
    EXPECT_EQ(platform::AnsiOrUtf8Bytes(QStringLiteral("é Ł")), QByteArray("\xEF\xBB\xBF\xC3\xA9 \xC5\x81"));
    // a character outside the basic plane
    EXPECT_EQ(platform::AnsiOrUtf8Bytes(QString::fromUtf8("\xF0\x9F\x98\x80")),
              QByteArray("\xEF\xBB\xBF\xF0\x9F\x98\x80"));
}

TEST(TextFileWrite, WriteThatFailsHalfwayLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(platform::WriteAnsiOrUtf8File(path, QStringLiteral("old")));
    QString error;
    {
        const FileSizeLimit limit(10);
        EXPECT_FALSE(platform::WriteAnsiOrUtf8File(path, QString(100, QLatin1Char('x')), &error));
        EXPECT_FALSE(platform::WriteTextFile(path, QString(100, QLatin1Char('y')), platform::TextFileEncoding{}));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
    ASSERT_TRUE(platform::WriteAnsiOrUtf8File(path, QStringLiteral("new")));
    EXPECT_EQ(ReadBytes(path), QByteArray("new"));
}
