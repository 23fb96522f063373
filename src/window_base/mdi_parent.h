#pragma once
// Base of the main window: a QMainWindow whose central widget is the MDI
// area holding every child window, with the operations children call back.
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class QMdiArea;
class QTreeWidgetItem;
class TFMDIChild;

class TFMDIParent : public QMainWindow {
    Q_OBJECT
public:
    // Runs the base creation step (TFMDIParent::FormCreate).
    explicit TFMDIParent(QWidget* parent = nullptr);
    ~TFMDIParent() override;

    QMdiArea* MDIArea() const { return m_mdiArea; }

    // Virtual operations, in slot order. A derived FormCreate runs
    // TFMDIParent::FormCreate first and is called by the derived constructor.
    virtual void FormCreate();
    virtual void SetStatusLog(TFMDIChild* Child, bool Show) = 0;
    virtual void ToolButton4Click() = 0;
    // FileName is a local path, or the whole address of a link followed in a
    // web page (a "file:" URL for a local study).
    virtual void OpenDataFile(const QString& FileName) = 0;
    virtual void ActiveData_Set(TFMDIChild* Child);
    virtual void ActiveData_DelNotify(TFMDIChild* Child);
    virtual void NewChildForm_Muestra(TFMDIChild* PopulationWindow) = 0;
    virtual void NewChildForm_Web(TFMDIChild* Sender, bool AsChild, const QString& URL) = 0;
    // Empties the sub-panel list; also run by the destructor.
    virtual void FormDestroy();

    TFMDIChild* ActiveData() const;

    // Root node of the study tree and the log window's node (not owned: the
    // tree owns its nodes).
    QTreeWidgetItem* RootNode() const { return m_rootNode; }
    void SetRootNode(QTreeWidgetItem* node) { m_rootNode = node; }
    QTreeWidgetItem* LogNode() const { return m_logNode; }
    void SetLogNode(QTreeWidgetItem* node) { m_logNode = node; }

    // Set: the welcome page opens at the next activation.
    bool WelcomeFlag() const { return m_welcomeFlag; }
    void SetWelcomeFlag(bool value) { m_welcomeFlag = value; }

    // The inspector's sub-panels, in index order.
    QList<QPointer<QWidget>>& SubPanels() { return m_subPanels; }

protected:
    // Quitting asks every question the child windows' closing asks, then
    // closes them all; a Cancel, or a child that stays, keeps the program
    // running with its windows.
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* m_mdiArea = nullptr;
    QPointer<TFMDIChild> m_activeData;
    QTreeWidgetItem* m_rootNode = nullptr;
    QTreeWidgetItem* m_logNode = nullptr;
    bool m_welcomeFlag = false;
    QList<QPointer<QWidget>> m_subPanels;
};
