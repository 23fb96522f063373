#pragma once
// A sample window driven as a user drives it on a shown window: clicks on
// tabs, buttons and list items, keys in the combo boxes.
#include "sample_study.h"

#include "widgets/table_editor.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <string>

namespace sample_study {

inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

inline void ClickOn(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    Settle();
}

inline void ClickTab(TFMuestra* w, int index)
{
    QTabBar* bar = w->PageControl()->tabBar();
    ASSERT_TRUE(w->PageControl()->isTabVisible(index));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    Settle();
    ASSERT_EQ(w->PageControl()->currentIndex(), index);
}

// Typing the name in a closed combo box picks its item, as a user does.
inline void ChooseIn(QComboBox* combo, const QString& text)
{
    ASSERT_GE(combo->findText(text), 0) << text.toStdString();
    combo->setFocus();
    QTest::qWait(QApplication::keyboardInputInterval() + 50);  // a new search, not the end of the last one
    QTest::keyClicks(combo, text);
    Settle();
    ASSERT_EQ(combo->currentText(), text);
}

inline void ClickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    Settle();
}

inline QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

template <typename T>
T* Child(TFMuestra* w, const char* name)
{
    return w->findChild<T*>(QString::fromLatin1(name));
}

inline std::string Fixed3(double v, int width)
{
    std::string text = QString::number(v, 'f', 3).toStdString();
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), ' ') + text;
}

inline std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Types Text into data cell (Col, Row) of a table editor and presses Enter.
// A click on a cell opens its editor when the cell is already the current
// one; otherwise the first key opens it. The editor takes the other keys.
inline void TypeInCell(TNTabEd* table, int Col, int Row, const QString& Text)
{
    const platform::Rect r = table->CellRect(Col + table->AttribColShown(), Row + table->AttribRowShown());
    ASSERT_FALSE(r.IsEmpty());
    ASSERT_FALSE(Text.isEmpty());
    QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(r.left + 4, r.top + 4));
    Settle();
    qsizetype next = 0;
    if (table->EditorMode()) {
        QTest::keyClick(table->InplaceEditor(), Qt::Key_A, Qt::ControlModifier);
    } else {
        QTest::keyClick(table, Text[0].toLatin1());
        next = 1;
    }
    Settle();
    ASSERT_TRUE(table->EditorMode());
    QWidget* editor = table->InplaceEditor();
    for (; next < Text.size(); ++next)
        QTest::keyClick(editor, Text[next].toLatin1());
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
}

inline void TypeInCell(TNTabEd* table, int Row, const QString& Text) { TypeInCell(table, 1, Row, Text); }

// Clicks the item named Item (its object name) in an open popup menu.
inline void ClickMenuItem(QMenu* menu, const char* Item)
{
    ASSERT_TRUE(menu->isVisible());
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String(Item))
            item = a;
    ASSERT_NE(item, nullptr) << Item;
    ASSERT_TRUE(item->isEnabled()) << Item;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    Settle();
}

// Selects data cell (Col, Row) with a click, right-clicks it and clicks the
// item named Item in the data menu that opens.
inline void ChooseFromDataMenu(TNTabEd* table, int Col, int Row, const char* Item)
{
    const platform::Rect r = table->CellRect(Col + table->AttribColShown(), Row + table->AttribRowShown());
    ASSERT_FALSE(r.IsEmpty());
    const QPoint at(r.left + 4, r.top + 4);
    QTest::mouseClick(table, Qt::LeftButton, {}, at);
    Settle();
    QTest::mouseClick(table, Qt::RightButton, {}, at);
    Settle();
    ClickMenuItem(table->PopupData(), Item);
}

// "Toggle Empty State" on data cell (Col, Row).
inline void ToggleEmpty(TNTabEd* table, int Col, int Row) { ChooseFromDataMenu(table, Col, Row, "DIt12"); }

// Right-clicks the heading of data column Col and clicks the item named Item
// in the menu that opens.
inline void ChooseFromHeadingMenu(TNTabEd* sheet, int Col, const char* Item)
{
    const platform::Rect r = sheet->CellRect(Col + sheet->AttribColShown(), 0);
    ASSERT_FALSE(r.IsEmpty());
    QTest::mouseClick(sheet, Qt::RightButton, {}, QPoint(r.left + 4, r.top + 4));
    Settle();
    ClickMenuItem(sheet->PopupHeading(), Item);
}

// "Change Precision" on data column Col; the menu opens again for the next
// step, and Esc closes it.
inline void StepPrecision(TNTabEd* sheet, int Col)
{
    ChooseFromHeadingMenu(sheet, Col, "HIt2");
    ASSERT_TRUE(sheet->PopupHeading()->isVisible());
    QTest::keyClick(sheet->PopupHeading(), Qt::Key_Escape);
    Settle();
    ASSERT_FALSE(sheet->PopupHeading()->isVisible());
}

// "Edit Heading" on data column Col: the text typed over the old one, then Key.
inline void TypeHeading(TNTabEd* sheet, int Col, const QString& Text, Qt::Key Key = Qt::Key_Return)
{
    ChooseFromHeadingMenu(sheet, Col, "HIt1");
    QLineEdit* edit = sheet->HeadingEdit();
    ASSERT_TRUE(sheet->HeadingEditing());
    ASSERT_TRUE(edit->isVisible());
    ASSERT_EQ(edit->text().toStdString(), sheet->GetColName(Col));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : Text) {
        if (c.unicode() < 128)
            QTest::keyClick(edit, c.toLatin1());
        else  // a key of a keyboard with that letter
            QTest::sendKeyEvent(QTest::Click, edit, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), {});
    }
    QTest::keyClick(edit, Key);
    Settle();
    ASSERT_FALSE(edit->isVisible());
}

class SampleWindowInput : public SampleWindowFixture {
protected:
    TFMuestra* Shown()
    {
        MainWindow().resize(1280, 1024);
        MainWindow().show();
        TFMuestra* w = NewSample();
        w->show();
        w->resize(1100, 760);
        Settle();
        return w;
    }
    // Design page: the names observed, size n, "Get sample" clicked.
    void GetSample(TFMuestra* w, const QStringList& names, int n)
    {
        Observe(w, names);
        SetSize(w, 1, n);
        ClickOn(w->GetSampleButton());
        ASSERT_EQ(w->PageControl()->currentIndex(), 1);
    }
    // A shown window with n records of the names ("Add all"), on its data page.
    TFMuestra* RecordsOnDataPage(const QStringList& names, int n)
    {
        TFMuestra* w = Shown();
        GetSample(w, names, n);
        ClickOn(Child<QToolButton>(w, "ToolButton2"));
        EXPECT_EQ(w->SampleData()->NrOfRows(), n);
        ClickTab(w, 2);
        return w;
    }
};

} // namespace sample_study
