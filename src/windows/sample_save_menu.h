#pragma once
// The sample window's "Save as" drop-down button and its menu: the file kind
// by tag (1 SPSS syntax, 2 tab-separated ".xls", 3 ";"-separated ".csv",
// 4 blank-separated ".txt"), the file name from the save dialog, the decimal
// comma option. After a save the button repeats the last kind.
#include "platform/dialogs.h"
#include "windows/sample_data_files.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

class TSampleSaveMenu : public QObject {
public:
    using TVariablesSource = std::function<std::vector<TSampleFileVariable>()>;

    // The button and menu are children of parent; the sheet is not taken over
    // and must outlive this object. Variables gives the chosen variables at
    // each save.
    TSampleSaveMenu(QWidget* parent, const TNTabEd& sheet, TVariablesSource variables);

    QToolButton* ToolButtonSave() const { return m_button; }
    QMenu* PopupMenuSave() const { return m_menu; }
    // The menu item of a file kind (tags 1 to 4), nullptr for other tags.
    QAction* SaveItem(int tag) const;
    QAction* DecimalsCommaDelimited() const { return m_decimalComma; }

    bool DecimalComma() const { return FDecimalComma; }
    // The kind the button saves (0: it opens the menu) and its image.
    int Tag() const { return m_tag; }
    int ImageIndex() const { return m_imageIndex; }
    // The save dialog's settings as the last save left them.
    const platform::FileDialogRequest& SaveDialog1() const { return m_dialog; }

    // What the button or a menu item with this tag does.
    void SaveData(int tag);
    void DecimalsCommaDelimitedClick();

    // Writes the kind of tag into the file; false after showing why it failed.
    bool WriteFile(int tag, const QString& fileName);
    // The kind a file name's extension asks for (case ignored); SPSS syntax
    // for any other.
    static int KindOfFile(const QString& fileName);
    // The save dialog's filter with every kind.
    static QString AllKindsFilter();

    // Run after a save by the button or the menu, with the file written.
    std::function<void(const QString& fileName)> OnSaved;

private:
    QWidget* m_parent;
    const TNTabEd& m_sheet;
    TVariablesSource m_variables;
    QToolButton* m_button = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_items[4] = {};
    QAction* m_decimalComma = nullptr;
    platform::FileDialogRequest m_dialog;
    bool FDecimalComma = false;
    int m_tag = 0;
    int m_imageIndex = 0;
};
