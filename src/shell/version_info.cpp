#include "shell/version_info.h"

#include <QDir>

namespace {

QString g_programTitle;
QString g_buildDate;
QString g_applicationFolder;
QString g_documentsFolder;
QString g_spreadsheetsFolder;

} // namespace

void InitializeVersionInfo()
{
    g_programTitle.clear();
    g_buildDate.clear();
    ProgramTitle();
    BuildDate();
    g_applicationFolder.clear();
    g_documentsFolder.clear();
    g_spreadsheetsFolder.clear();
}

const QString& ProgramTitle()
{
    if (g_programTitle.isEmpty())
        g_programTitle = ProgramName + QLatin1Char(' ') + ProgramVersion;
    return g_programTitle;
}

const QString& BuildDate()
{
    if (g_buildDate.isEmpty())
        g_buildDate = BuildMonth + QLatin1Char('/') + BuildYear;
    return g_buildDate;
}

const QString& ApplicationFolder()
{
    return g_applicationFolder;
}

const QString& DocumentsFolder()
{
    return g_documentsFolder;
}

const QString& SpreadsheetsFolder()
{
    return g_spreadsheetsFolder;
}

void SetApplicationFolder(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.isEmpty() && !f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    g_applicationFolder = f;
    g_documentsFolder = f + QStringLiteral("Docs");
    g_spreadsheetsFolder = f + QStringLiteral("Excel");
}
