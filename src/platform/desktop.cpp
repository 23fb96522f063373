#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace platform {

namespace {

DesktopOpener& Opener()
{
    static DesktopOpener opener;
    return opener;
}

} // namespace

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
        if (info.isDir() ? info.isReadable() : info.isFile() && info.isReadable() && !info.isExecutable())
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
