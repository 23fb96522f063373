#pragma once
// Base of every document window: a QMdiSubWindow linked to the main window,
// to its node in the study tree and to the property list, with file
// settings and the ask-before-closing protocol.
#include "window_base/mdi_parent.h"

#include <QList>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTableWidget>
#include <QTreeWidget>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace platform {
class XmlDocument;
}

// The program-wide ask-before-closing switch (true at start-up); "Don't ask
// again" in the save question turns it off for every window.
bool GlobalAskOnClose();
void SetGlobalAskOnClose(bool value);

enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TFMDIChild;

// Closing several windows as one: every question their closing asks is
// answered before any of them closes, and a Cancel at any question leaves
// them all as they were.
class TClosingRound {
public:
    TClosingRound() = default;
    // Windows let go that are still open ask again when they close later.
    ~TClosingRound();
    TClosingRound(const TClosingRound&) = delete;
    TClosingRound& operator=(const TClosingRound&) = delete;

    // Asks for each open window in turn; false at the first one kept, and
    // then nothing is changed but what a save wrote. True: the windows close
    // without asking again.
    bool Ask(const QList<TFMDIChild*>& Windows);
    // Asks, then closes the windows in order; true when every one has closed.
    bool Close(const QList<TFMDIChild*>& Windows);

private:
    QList<QPointer<TFMDIChild>> m_agreed;
    QList<bool> m_askedBefore;
};

// Kind byte: 0 takes part in the active-data bookkeeping, 3 does not.
constexpr std::uint8_t ChildKindActiveData = 0;
constexpr std::uint8_t ChildKindPassive = 3;

class TFMDIChild : public QMdiSubWindow {
    Q_OBJECT
public:
    // Adds the window to the owner's MDI area (the creator shows it) and runs
    // the base creation step. The window is freed when it closes.
    explicit TFMDIChild(TFMDIParent* Owner);
    ~TFMDIChild() override;

    // Virtual operations, in slot order.
    virtual void FormCreate();
    // Writes the window's data to FileName. Answers false (after showing why)
    // or throws when the data could not be written. Windows that save must
    // override it; the base one throws.
    virtual bool SaveToFile();
    virtual void AssignParentForm(TFMDIParent* Parent);
    // Source is shared, not owned by the window alone.
    virtual void SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name);
    virtual void ShowProperties();
    // The lists are not taken over; they must outlive their use here.
    virtual void SetPropertyLists(const QStringList* Keys, const QStringList* Values);

    // Handlers of the window's own events; derived windows keep or extend them.
    virtual void FormActivate();
    virtual void FormClose(TCloseAction& Action);
    virtual void FormCloseQuery(bool& CanClose);
    // The questions closing this window would ask, its own and those of the
    // windows that close with it, without closing anything: the windows let
    // go are added to Agreed (once each); false at the first one kept.
    virtual bool AskBeforeClosing(QList<QPointer<TFMDIChild>>& Agreed);

    void SetFileSettings(const QString& FileName, const QString& DefaultExt, const QString& Filter);
    // Asks for a file name (save dialog); true when the user confirmed.
    bool SaveFile();

    bool AskOnClose() const { return FAskOnClose; }
    void SetAskOnClose(bool value) { FAskOnClose = value; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool FreeNodeOnClose() const { return FFreeNodeOnClose; }
    void SetFreeNodeOnClose(bool value) { FFreeNodeOnClose = value; }

    const QString& FileName() const { return FFileName; }
    const QString& DefaultExt() const { return FDefaultExt; }
    const QString& Filter() const { return FFilter; }
    const QString& DefaultFileName() const { return m_defaultFileName; }
    void SetDefaultFileName(const QString& name) { m_defaultFileName = name; }

    std::uint8_t Kind() const { return m_kind; }
    void SetKind(std::uint8_t kind) { m_kind = kind; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    bool Registered() const { return m_registered; }
    void SetRegistered(bool value) { m_registered = value; }

    const std::shared_ptr<platform::XmlDocument>& DataSource() const { return m_dataSource; }
    const QString& DataName() const { return m_dataName; }

    TFMDIParent* ParentForm() const { return m_parentForm.data(); }
    TFMDIChild* OwnerWindow() const { return m_ownerWindow.data(); }
    void SetOwnerWindow(TFMDIChild* window) { m_ownerWindow = window; }

    // Links the window to the study tree and to its node (one call).
    void SetTreeLinks(QTreeWidget* Tree, QTreeWidgetItem* Node);
    QTreeWidget* DataTree() const { return m_dataTree.data(); }
    // This window's node while the tree still holds it, else nullptr.
    QTreeWidgetItem* TreeNode() const;
    void SetPropertyEditor(QTableWidget* editor) { m_propertyEditor = editor; }
    QTableWidget* PropertyEditor() const { return m_propertyEditor.data(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The save question with Question after the window's name and SaveCaption
    // on its first button: true when the data were saved or are to be
    // discarded, false when they stay (Cancel, or a save that did not happen).
    bool AskToSave(const QString& Question, const QString& SaveCaption = QString());

private:
    bool FAskOnClose = true;
    bool FModified = false;
    bool FFreeNodeOnClose = true;
    QString FFileName;
    QString m_defaultFileName;
    QString FDefaultExt;
    QString FFilter;
    std::uint8_t m_kind = ChildKindPassive;
    bool m_registered = false;
    int m_tag = 0;
    std::shared_ptr<platform::XmlDocument> m_dataSource;
    QString m_dataName;
    QPointer<QTreeWidget> m_dataTree;
    QPointer<TFMDIParent> m_parentForm;
    QPointer<TFMDIChild> m_ownerWindow;
    QTreeWidgetItem* m_treeNode = nullptr; // owned by the tree; checked before use
    QPointer<QTableWidget> m_propertyEditor;
    const QStringList* m_keys = nullptr;
    const QStringList* m_values = nullptr;
};
