#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>

namespace platform {

namespace {

DesktopOpener& Opener()
{
    static DesktopOpener opener;
    return opener;
}

} // namespace

bool IsDocumentFileName(const QString& fileName)
{
    static const QStringList documents = {
        // pictures
        QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
        QStringLiteral("bmp"), QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("webp"),
        QStringLiteral("svg"), QStringLiteral("ico"),
        // PDF and office documents
        QStringLiteral("pdf"), QStringLiteral("rtf"), QStringLiteral("doc"), QStringLiteral("docx"),
        QStringLiteral("odt"), QStringLiteral("ppt"), QStringLiteral("pptx"), QStringLiteral("pps"),
        QStringLiteral("ppsx"), QStringLiteral("odp"),
        // spreadsheets
        QStringLiteral("xls"), QStringLiteral("xlsx"), QStringLiteral("ods"), QStringLiteral("csv")};
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return documents.contains(suffix);
}

QUrl DesktopAddress(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return QUrl();
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    if (scheme == QLatin1String("mailto"))
        return url.path().contains(QLatin1Char('@')) ? url : QUrl();
    if (scheme == QLatin1String("file")) {
        const QFileInfo info(url.toLocalFile());
        static const QStringList pages = {QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("xhtml"),
                                          QStringLiteral("txt")};
        if (info.isDir() ? info.isReadable()
                         : info.isFile() && info.isReadable() && !info.isExecutable() &&
                               (IsDocumentFileName(info.fileName()) || pages.contains(info.suffix().toLower())))
            return url;
    }
    return QUrl();
}

bool OpenWithDesktop(const QString& address)
{
    const QUrl url = DesktopAddress(address);
    if (!url.isValid())
        return false;
    if (Opener())
        return Opener()(url);
    return QDesktopServices::openUrl(url);
}

void SetDesktopOpener(DesktopOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace platform
