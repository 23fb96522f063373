#pragma once
// A main window over a scratch application folder (welcome page and the
// sample studies beside it), with fake dialogs and web views; every window
// made in a test is gone at its end.
#include "../support/shell_test_support.h"
#include "shell/about_box.h"
#include "shell/main_window.h"
#include "shell/shell_images.h"
#include "window_base/study_node.h"
#include "window_base/wait_scope.h"
#include "testing/modal_answer.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}

inline QString SourceFile(const QString& relative)
{
    return QStringLiteral(VEXA_SOURCE_DIR "/") + relative;
}

class MainWindowFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(Folder.isValid());
        QDir(Folder.path()).mkpath(QStringLiteral("xml"));
        for (const QString& name : QDir(SourceFile(QStringLiteral("resources/xml"))).entryList({"*.xml"}, QDir::Files))
            QFile::copy(SourceFile(QStringLiteral("resources/xml/")) + name, XmlFile(name));
        WriteFile(QStringLiteral("vexainit.htm"), "<html><body>Welcome</body></html>");
        AboutAnswer = std::make_unique<platform::ScopedModalAnswer<TFAbout>>([this](TFAbout& box) {
            AboutShown = true;
            AboutPageInFront = box.CurrentPage();
            return 1;
        });
    }
    void TearDown() override
    {
        Main.reset();
        AboutAnswer.reset();
        ShellFixture::TearDown();
    }

    TFMain& CreateMain()
    {
        Main = std::make_unique<TFMain>(TFMainOptions{0.0, Folder.path()});
        return *Main;
    }

    QString AppFolder() const { return Folder.path() + QLatin1Char('/'); }
    QString XmlFile(const QString& name) const { return AppFolder() + QStringLiteral("xml/") + name; }
    QString WriteFile(const QString& relative, const QByteArray& bytes)
    {
        const QString path = AppFolder() + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return path;
    }

    // Opens a file through File "Open..." with the dialog answering it.
    void OpenThroughDialog(const QString& file)
    {
        Dialogs.QueueFile(file);
        Main->ActionOpenExecute();
    }

    QTreeWidgetItem* Root() const { return Main->RootNode(); }
    // Child windows still open.
    QList<TFMDIChild*> OpenChildren() const
    {
        QList<TFMDIChild*> out;
        for (QMdiSubWindow* w : Main->MDIArea()->subWindowList())
            if (auto* c = qobject_cast<TFMDIChild*>(w); c && !c->isHidden())
                out.append(c);
        return out;
    }
    static QStringList ChildTexts(const QTreeWidgetItem* node)
    {
        QStringList out;
        for (int i = 0; node && i < node->childCount(); ++i)
            out.append(node->child(i)->text(0));
        return out;
    }
    static std::pair<int, int> Images(const QTreeWidgetItem* node)
    {
        return {NodeImageIndex(node), NodeSelectedImageIndex(node)};
    }

    QTemporaryDir Folder;
    std::unique_ptr<TFMain> Main;
    bool AboutShown = false;
    int AboutPageInFront = 0;
    std::unique_ptr<platform::ScopedModalAnswer<TFAbout>> AboutAnswer;
};
