#pragma once
// Shared pieces of the shell tests: a main window that records the calls of
// its children, and a fixture that checks no window outlives a test.
#include "testing/fake_dialogs.h"
#include "testing/fake_web_view.h"
#include "testing/modal_answer.h"
#include "window_base/mdi_child.h"
#include "window_base/mdi_parent.h"
#include "window_base/save_dialog.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class TestParent : public TFMDIParent {
public:
    void SetStatusLog(TFMDIChild*, bool) override {}
    void ToolButton4Click() override {}
    void OpenDataFile(const QString& FileName) override { Opened.append(FileName); }
    void ActiveData_Set(TFMDIChild* Child) override
    {
        TFMDIParent::ActiveData_Set(Child);
        ++ActiveDataSetCount;
    }
    void ActiveData_DelNotify(TFMDIChild* Child) override
    {
        TFMDIParent::ActiveData_DelNotify(Child);
        ++ActiveDataDelCount;
    }
    void NewChildForm_Muestra(TFMDIChild*) override {}
    void NewChildForm_Web(TFMDIChild*, bool, const QString& URL) override { WebPages.append(URL); }

    QStringList Opened;
    QStringList WebPages;
    int ActiveDataSetCount = 0;
    int ActiveDataDelCount = 0;
};

inline void ProcessDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Fake dialogs and fake web views installed; every top-level window made in
// the test is gone at its end.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_before = QApplication::topLevelWidgets().size();
        SetGlobalAskOnClose(true);
    }
    void TearDown() override
    {
        Parent.reset();
        ProcessDeferredDeletes();
        SetGlobalAskOnClose(true);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), m_before) << "a window outlived the test";
    }

    TestParent& MainWindow()
    {
        if (!Parent)
            Parent = std::make_unique<TestParent>();
        return *Parent;
    }

    platform::FakeDialogs Dialogs;
    platform::ScopedDialogs DialogsInForce{Dialogs};
    platform::ScopedWebViewFactory WebViews{
        [](QWidget* parent) { return new platform::FakeWebView(parent); }};
    std::unique_ptr<TestParent> Parent;
    // A save question that the test does not answer fails it and keeps the
    // data, instead of waiting for a user.
    platform::ModalAnswer UnansweredSaveQuestion{[](QDialog& dialog) -> std::optional<int> {
        if (!dynamic_cast<TFSaveDlg*>(&dialog) || !dialog.isVisible())
            return std::nullopt;
        ADD_FAILURE() << "a save question nobody answered";
        return TFSaveDlg::mrCancel;
    }};

private:
    qsizetype m_before = 0;
};
