#pragma once
// Handing an address to the desktop (the user's browser, mail program or
// document viewer). Only web and mail addresses and local documents are
// handed over; tests install an opener that records instead.
#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// A document the desktop opens in a viewer or an office program, by its
// name's extension: pictures, PDF, office documents and spreadsheets. Never
// a program, script or launcher.
bool IsDocumentFileName(const QString& fileName);
// The address as the desktop would receive it, or an invalid QUrl when it
// is none of: http/https with a host, mailto with an address, file naming an
// existing document or page (a readable, not executable file of a document
// type, a web page or plain text) or folder.
QUrl DesktopAddress(const QString& address);
// Hands the address to the desktop. Failed runs when the address is not
// acceptable or the desktop could not open it: at once, or once the
// desktop's opener has said so (it finds no program for the document).
void OpenWithDesktop(const QString& address, std::function<void()> Failed);

using DesktopOpener = std::function<bool(const QUrl&)>;
// Installs an opener; an empty one brings back QDesktopServices.
void SetDesktopOpener(DesktopOpener opener);

} // namespace platform
