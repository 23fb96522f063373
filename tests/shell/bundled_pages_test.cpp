// Every page a bundled study document or page links to is shipped. The
// program folder holds resources/app with resources/xml as its "xml" folder.
#include "platform/xml_dom.h"
#include "windows/population_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <vector>

namespace {

const QString Resources = QStringLiteral(VEXA_SOURCE_DIR "/resources/");

// The shipped file at a path relative to the program folder.
QString Shipped(const QString& relative)
{
    const QString clean = QDir::cleanPath(relative);
    if (clean.startsWith(QLatin1String("xml/")))
        return Resources + clean;
    return Resources + QStringLiteral("app/") + clean;
}

bool IsPage(const QString& address)
{
    const QString path = QUrl(address).path().toLower();
    return path.endsWith(QLatin1String(".htm")) || path.endsWith(QLatin1String(".html"));
}

// Relative addresses of files (no scheme, no fragment-only link), without query or fragment.
bool LocalTarget(const QString& address, QString& target)
{
    const QUrl url(address);
    if (!url.scheme().isEmpty() || address.startsWith(QLatin1Char('#')) || address.isEmpty())
        return false;
    target = url.path();
    return !target.isEmpty();
}

// Addresses with a leading "{appdir}" are expanded only when ExpandAppDir is
// set (as the program does for tab messages); elsewhere they stand as typed.
QStringList Dangling(const QString& fromFolder, const QStringList& addresses, const QString& from,
                     bool ExpandAppDir = true)
{
    QStringList missing;
    for (const QString& address : addresses) {
        QString target;
        if (ExpandAppDir && address.startsWith(QLatin1String("{appdir}/")))
            target = address.mid(9);
        else if (address.startsWith(QLatin1Char('{')))
            target = address;  // used as it stands: a folder named with braces
        else if (LocalTarget(address, target))
            target = fromFolder.isEmpty() ? target : fromFolder + QLatin1Char('/') + target;
        else
            continue;
        if (!QFileInfo::exists(Shipped(target)))
            missing.append(from + QStringLiteral(" -> ") + address);
    }
    return missing;
}

// The addresses of a document outside its start-up messages.
void CollectHrefs(const platform::XmlElement& root, QStringList& out)
{
    std::vector<platform::XmlElement> pending{root};
    while (!pending.empty()) {
        const platform::XmlElement e = pending.back();
        pending.pop_back();
        if (e.Name() == "msginit")
            continue;
        for (const platform::XmlAttribute& a : e.Attributes()) {
            const QString value = QString::fromStdString(a.Text());
            if (a.Name() == "href" && (value.startsWith(QLatin1String("{appdir}")) || IsPage(value)))
                out.append(value);
        }
        for (const platform::XmlNode& n : e.ChildNodes())
            if (n.Kind() == platform::XmlNodeKind::Element)
                pending.push_back(n.Element());
    }
}

} // namespace

// The start-up messages of a study document: the page each one shows, as the
// population window reads them (only tab messages expand "{appdir}"; the
// others are addresses relative to the program folder, its working folder).
QStringList DanglingMessages(const platform::XmlElement& root, const QString& from, int& messages)
{
    QStringList missing;
    const platform::XmlElement msges = root.Child("system").Child("msges");
    TMessageKind kind = TMessageKind::Win;
    for (const platform::XmlElement& item : msges.Children("msginit")) {
        kind = MessageKindOf(item.AttributeText("loc"), kind);
        const QString href = QString::fromStdString(item.AttributeText("href"));
        const QString where = from + QStringLiteral(" (") + QString::fromStdString(item.AttributeText("lbl")) +
                              QStringLiteral(")");
        ++messages;
        // a page window without an address is not opened
        if (kind == TMessageKind::Form && href.isEmpty())
            continue;
        // every message window shows its page; its caption alone is never seen
        if (href.isEmpty()) {
            missing.append(where + QStringLiteral(" -> no page"));
            continue;
        }
        missing += Dangling(QString(), {href}, where, kind == TMessageKind::Tab);
    }
    return missing;
}

TEST(BundledPages, EveryPageAStudyDocumentNamesIsShipped)
{
    QStringList missing;
    int documents = 0;
    int messages = 0;
    for (const QFileInfo& file : QDir(Resources + QStringLiteral("xml")).entryInfoList({QStringLiteral("*.xml")})) {
        const auto doc = platform::XmlDocument::LoadFromFile(QFile::encodeName(file.filePath()).toStdString());
        missing += DanglingMessages(doc.DocumentElement(), file.fileName(), messages);
        ++documents;
    }
    EXPECT_GE(documents, 3);
    EXPECT_GE(messages, 6);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
}

TEST(BundledPages, OtherPagesAStudyDocumentNamesAreShipped)
{
    QStringList missing;
    for (const QFileInfo& file : QDir(Resources + QStringLiteral("xml")).entryInfoList({QStringLiteral("*.xml")})) {
        const auto doc = platform::XmlDocument::LoadFromFile(QFile::encodeName(file.filePath()).toStdString());
        QStringList hrefs;
        CollectHrefs(doc.DocumentElement(), hrefs);
        missing += Dangling(QStringLiteral("xml"), hrefs, file.fileName());
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
}

TEST(BundledPages, AWindowMessageNamingAnAppDirPageIsFound)
{
    // the rule of the test itself: "{appdir}" stands only in tab messages
    const auto doc = platform::XmlDocument::LoadFromBytes(
        "<vexa><system><msges>"
        "<msginit loc=\"win\" lbl=\"W\" href=\"{appdir}/Docs/alturas_bienvenida.htm\"/>"
        "<msginit loc=\"msg\" lbl=\"M\" href=\"\"/>"
        "<msginit loc=\"tab\" lbl=\"T\" href=\"{appdir}/Docs/alturas_guia.htm\"/>"
        "<msginit loc=\"other\" lbl=\"O\" href=\"{appdir}/Docs/alturas_guia.htm\"/>"
        "<msginit loc=\"form\" lbl=\"F\" href=\"\"/>"
        "</msges></system></vexa>");
    int messages = 0;
    const QStringList missing = DanglingMessages(doc.DocumentElement(), QStringLiteral("d"), messages);
    EXPECT_EQ(messages, 5);
    EXPECT_EQ(missing, (QStringList{QStringLiteral("d (W) -> {appdir}/Docs/alturas_bienvenida.htm"),
                                    QStringLiteral("d (M) -> no page")}));
}

TEST(BundledPages, EveryLocalLinkOfTheShippedPagesExists)
{
    const QRegularExpression link(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                  QRegularExpression::CaseInsensitiveOption);
    QStringList missing;
    int links = 0;
    const QDir app(Resources + QStringLiteral("app"));
    QDirIterator it(app.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString page = it.next();
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        QStringList addresses;
        for (auto m = link.globalMatch(text); m.hasNext();)
            addresses.append(m.next().captured(1));
        links += int(addresses.size());
        QString folder = QFileInfo(app.relativeFilePath(page)).path();
        if (folder == QLatin1String("."))
            folder.clear();
        missing += Dangling(folder, addresses, app.relativeFilePath(page));
    }
    EXPECT_GE(links, 10);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
}
