#pragma once
// The main window: the multiple-document parent with the inspector panel
// (study tree above the property list), menus, tool bar and status bar. It
// creates every study, sample, web page and log window and keeps the tree.
#include "platform/xml_dom.h"
#include "shell/study_download.h"
#include "window_base/mdi_parent.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTableWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
#include "shell/log_window.h"
class TFMDIChild;
class TFNormales;
class TFPoblacion;
class TFProceso;
class TFWebNav;

namespace platform {
class XmlDocument;
}

struct TFMainOptions {
    // How long the splash stays (0 in tests).
    double SplashSeconds = 1.0;
    // Application folder; empty: the folder of the running program.
    QString ProgramFolder;
};

class TFMain : public TFMDIParent {
    Q_OBJECT
public:
    explicit TFMain(const TFMainOptions& Options = {}, QWidget* parent = nullptr);
    ~TFMain() override;

    // ---- start-up and the inspector panel
    void FormCreate() override;
    // Every activation: enables Open and Save, shows the inspector as its
    // action says, opens the welcome page while the welcome flag is set.
    void FormActivate();
    void ActionViewObjectInspectorExecute();
    void ToolButton1Click();
    void OI_Init();
    void OI_ShowHidePanels(QAbstractButton* Sender);
    void OI_PropertiesReset();
    void Credits1Click();
    void mSettingsClick();
    void ActionSaveExecute();
    void Checkfornewversion1Click();

    // ---- operations children call back
    void SetStatusLog(TFMDIChild* Child, bool Show) override;
    void ToolButton4Click() override;
    // A local file, or an http or https address fetched first (asynchronously).
    void OpenDataFile(const QString& FileName) override;
    // Size limit and timeout of the studies fetched from web servers.
    void SetStudyDownloadLimits(qint64 Bytes, int TimeoutMs);
    // Fetches still running.
    int StudyDownloadsRunning() const;
    void ActiveData_Set(TFMDIChild* Child) override;
    void ActiveData_DelNotify(TFMDIChild* Child) override;
    void NewChildForm_Muestra(TFMDIChild* PopulationWindow) override;
    void NewChildForm_Web(TFMDIChild* Sender, bool AsChild, const QString& URL) override;

    // ---- study tree
    QTreeWidgetItem* CreateNodoRaiz(const QString& Text);
    void NewBranchExecute();
    QTreeWidgetItem* TreeViewMainGetFolder(int MinLevel);
    // Document may be empty. A window whose study cannot be built is removed
    // again with its node and folder, and the error goes to the caller.
    TFPoblacion* NewDataForm_Poblacion(QObject* Sender, std::shared_ptr<platform::XmlDocument> Document,
                                       const QString& FileName);
    TFProceso* NewDataForm_Proceso(QObject* Sender);
    TFNormales* NewDataForm_Normales(QObject* Sender);
    void TreeViewMainClick();
    void TreeViewMainChange();
    // Runs while a node is about to be deleted, before it leaves the tree.
    void TreeViewMainDeletion();
    void ActionDeleteBranchExecute();
    void ActionTreeAutoExpandExecute();

    // ---- documents and web pages
    void ActionOpenExecute();
    TFWebNav* OpenLocalWebFile(QObject* Sender, const QString& FileName, QTreeWidgetItem* ParentNode);
    void WebMenuExecute();
    void GoToWebSite();
    void menuToolsClick(QAction* Sender);

    // ---- parts of the window
    QTreeWidget* TreeViewMain() const { return m_treeViewMain; }
    QTableWidget* PropertiesList() const { return OI_PropertiesList; }
    QWidget* ObjectInspector() const { return P_ObjectInspector; }
    QWidget* InspectorSplitterHandle() const;
    QWidget* TreePanel() const { return OI_TreeView; }
    QWidget* PropertiesPanel() const { return OI_Properties; }
    QAbstractButton* TreeTitleButton() const { return sbTreeView; }
    QAbstractButton* PropertiesTitleButton() const { return sbProperties; }
    QToolButton* AutoExpandButton() const { return ButAutoExpand; }
    int AutoExpandImage() const { return m_autoExpandImage; }
    bool AutoExpand() const { return m_autoExpand; }
    QString StatusPanel(int Index) const;
    int StudyCounter() const { return m_studyCounter; }
    TFLog* LogWindow() const { return m_logWindow.data(); }
    QMenu* Menu(const QString& Title) const;
    QAction* MenuAction(const QString& MenuTitle, const QString& ItemText) const;

    QAction* ActionOpen = nullptr;
    QAction* ActionSave = nullptr;
    QAction* ActionViewObjectInspector = nullptr;
    QAction* ActionDeleteBranch = nullptr;
    QAction* ActionTreeAutoExpand = nullptr;

protected:
    bool event(QEvent* e) override;

private:
    QString ProgramFolder() const;
    void BuildMenus();
    void BuildInspector();
    void ShowSplash();
    // Child windows now open (windows already closed are not counted).
    int ChildCount() const;
    // Places a new study window: root selected, new folder, counter up.
    QTreeWidgetItem* NewStudyFolder();
    void AddWindowNode(TFMDIChild* Window, QTreeWidgetItem* Parent, bool FirstChild, int Image,
                       int SelectedImage, bool WithPropertyList);
    // Shows a new child window titled TitleFormat with the number of windows
    // then shown, and links it under Parent in the study tree.
    void ShowNewChild(TFMDIChild* Window, const QString& TitleFormat, QTreeWidgetItem* Parent, int Image,
                      int SelectedImage, bool WithPropertyList);
    TFWebNav* CreateWebWindow(const QString& URL, const QString& Caption, TFMDIChild* OwnerWindow,
                              bool AskOnClose, QTreeWidgetItem* Parent, bool FirstChild);
    // Removes a window that could not be built, with its node and emptied folder.
    void DiscardChild(TFMDIChild* Window);
    void BringToFront(TFMDIChild* Window);
    void UpdateDeleteBranch();
    void SetStatusPanel(int Index, const QString& Text);
    void ShowLoadError(const QString& FileName, const QString& LocalFile, const char* Reason);
    // Opens the document Load gives as the study FileName (the wait window
    // shown while it loads); load errors are reported with LocalFile.
    void OpenStudy(const QString& FileName, const QString& LocalFile,
                   const std::function<platform::XmlDocument()>& Load);
    void FetchStudy(const QString& Address);

    TFMainOptions m_options;
    QSplitter* m_mainSplitter = nullptr;
    QWidget* P_ObjectInspector = nullptr;
    QWidget* OI_TreeView = nullptr;
    QWidget* OI_Properties = nullptr;
    QWidget* m_panelSplitter = nullptr;
    QAbstractButton* sbTreeView = nullptr;
    QAbstractButton* sbProperties = nullptr;
    QToolButton* ButAutoExpand = nullptr;
    QTreeWidget* m_treeViewMain = nullptr;
    QTableWidget* OI_PropertiesList = nullptr;
    QLabel* m_statusPanels[2] = {nullptr, nullptr};
    QAction* m_excelSheets = nullptr;
    QAction* m_documents = nullptr;
    QAction* m_resourcesCenter = nullptr;
    qint64 m_downloadLimit = TStudyDownload::kDefaultLimit;
    int m_downloadTimeoutMs = TStudyDownload::kDefaultTimeoutMs;
    QPointer<TFLog> m_logWindow;
    int m_studyCounter = 0;
    int m_autoExpandImage = 9;
    bool m_autoExpand = false;
};
