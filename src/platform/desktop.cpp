#include "platform/desktop.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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

void OpenWithDesktop(const QString& address, std::function<void()> Failed)
{
    const auto fail = [&Failed] {
        if (Failed)
            Failed();
    };
    const QUrl url = DesktopAddress(address);
    if (!url.isValid()) {
        fail();
        return;
    }
    if (Opener()) {
        if (!Opener()(url))
            fail();
        return;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener ends with an error when it finds no program for
    // the document; started detached, as the desktop services start it, it
    // would fail unseen. In a bare session it waits for the program it
    // started, so it runs unowned: it outlives this program, and an error
    // long after it started is the program's own, not a failure to open.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        constexpr qint64 kOpeningMs = 10000;
        auto* process = new QProcess;
        process->setProgram(opener);
        process->setArguments({QString::fromLatin1(url.toEncoded())});
        process->setStandardInputFile(QProcess::nullDevice());
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer started;
        started.start();
        QObject::connect(process, &QProcess::finished, process,
                         [process, Failed, started](int code, QProcess::ExitStatus status) {
                             process->deleteLater();
                             if ((status != QProcess::NormalExit || code != 0) && started.elapsed() < kOpeningMs &&
                                 Failed)
                                 Failed();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process, [process, Failed](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            process->deleteLater();
            if (Failed)
                Failed();
        });
        process->start();
        return;
    }
#endif
    if (!QDesktopServices::openUrl(url))
        fail();
}

void SetDesktopOpener(DesktopOpener opener)
{
    Opener() = std::move(opener);
}

} // namespace platform
