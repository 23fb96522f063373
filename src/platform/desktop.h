#pragma once
// Handing an address to the desktop (the user's browser, mail program or
// document viewer). Only web and mail addresses and local documents are
// handed over; tests install an opener that records instead.
#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// The address as the desktop would receive it, or an invalid QUrl when it
// is none of: http/https with a host, mailto with an address, file naming an
// existing document (a readable file that is not a program) or folder.
QUrl DesktopAddress(const QString& address);
// Hands the address to the desktop; false when it is not acceptable or the
// desktop could not open it.
bool OpenWithDesktop(const QString& address);

using DesktopOpener = std::function<bool(const QUrl&)>;
// Installs an opener; an empty one brings back QDesktopServices.
void SetDesktopOpener(DesktopOpener opener);

} // namespace platform
