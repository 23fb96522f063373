// The popup menus of the table editor and their actions: marks, clearing,
// the internal copy and paste, the clipboard as text, selections, precision.
#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <algorithm>

#include "core/component_errors.h"
#include "platform/clipboard.h"
#include "platform/qt_drawing_device.h"
#include "widgets/table_editor.h"
#include "widgets/table_editor_texts.h"

using platform::GridRect;
using platform::Rect;

namespace {

constexpr int kClipboardFullPrecisionWidth = 22;

// The 13 x 13 check box glyph of the read-only item.
QIcon CheckBoxIcon(bool checked)
{
    platform::QtDrawingDevice device(13, 13);
    device.DrawCheckBox({0, 0, 13, 13}, checked, false);
    return QIcon(QPixmap::fromImage(device.Image().copy()));
}

}  // namespace

// ---------------------------------------------------------------- menus

void TNTabEd::BuildPopups()
{
    m_popupData = new QMenu(this);
    m_popupData->setObjectName("PopupDTAction");
    static const char* const kDataCaptions[] = {"Mark as type A", "Mark as type B", "Unmark type A",
                                                "Unmark type B",  "Unmark All",     "Clear",
                                                "Copy",           "Paste",          "Data Read-Only",
                                                "Extract from Clipboard", "Select All", "Toggle Empty State"};
    static const char* const kSubPrefixes[] = {"M1It", "M2It", "U1It", "U2It"};
    static const char* const kScopeCaptions[] = {"Range", "Column", "Row", "All"};
    for (int i = 0; i < 12; ++i) {
        QAction* item = nullptr;
        if (i < 4) {
            auto* sub = new QMenu(kDataCaptions[i], m_popupData);
            item = sub->menuAction();
            m_popupData->addMenu(sub);
            const std::uint8_t bit = (i % 2 == 0) ? cmMarkA : cmMarkB;
            const bool on = i < 2;
            for (int s = 0; s < 4; ++s) {
                QAction* scopeItem = sub->addAction(kScopeCaptions[s]);
                scopeItem->setObjectName(QString(kSubPrefixes[i]) + QString::number(s + 1));
                const auto scope = static_cast<TMarkScope>(s);
                QObject::connect(scopeItem, &QAction::triggered, this, [this, scope, bit, on] { MarkCells(scope, bit, on); });
            }
        } else {
            item = m_popupData->addAction(kDataCaptions[i]);
        }
        item->setObjectName("DIt" + QString::number(i + 1));
        switch (i + 1) {
        case 5: QObject::connect(item, &QAction::triggered, this, [this] { UnmarkAll(); }); break;
        case 6: QObject::connect(item, &QAction::triggered, this, [this] { ClearSelection(); }); break;
        case 7: QObject::connect(item, &QAction::triggered, this, [this] { CopySelection(); }); break;
        case 8:
            m_pasteItem = item;
            QObject::connect(item, &QAction::triggered, this, [this] { PasteClip(); });
            break;
        case 9:
            m_readOnlyItem = item;
            QObject::connect(item, &QAction::triggered, this, [this] { ToggleDataReadOnly(); });
            break;
        case 10: QObject::connect(item, &QAction::triggered, this, [this] { ExtractFromClipboard(); }); break;
        case 11: QObject::connect(item, &QAction::triggered, this, [this] { SelectAllData(); }); break;
        case 12: QObject::connect(item, &QAction::triggered, this, [this] { ToggleEmptyState(); }); break;
        default: break;
        }
    }
    m_pasteItem->setEnabled(false);
    QObject::connect(m_popupData, &QMenu::aboutToShow, this,
                     [this] { m_pasteItem->setEnabled(m_hasClipCopy && (m_popupDataMask & (1u << 7))); });

    m_popupHeading = new QMenu(this);
    m_popupHeading->setObjectName("PopupHTAction");
    static const char* const kHeadingCaptions[] = {"Edit Heading", "Change Precision", "Select Column", "Select Row"};
    for (int i = 0; i < 4; ++i) {
        QAction* item = m_popupHeading->addAction(kHeadingCaptions[i]);
        item->setObjectName("HIt" + QString::number(i + 1));
    }
    const auto items = m_popupHeading->actions();
    QObject::connect(items[0], &QAction::triggered, this, [this] { EditHeading(); });
    QObject::connect(items[1], &QAction::triggered, this, [this] {
        ChangePrecision();
        // the menu opens again, so that the user may step on
        m_invertedCell = m_lastClicked;
        update();
        m_popupHeading->popup(m_headingPopupAt);
    });
    QObject::connect(items[2], &QAction::triggered, this, [this] { SelectColumn(); });
    QObject::connect(items[3], &QAction::triggered, this, [this] { SelectRow(); });
    QObject::connect(m_popupHeading, &QMenu::aboutToHide, this, [this] {
        m_invertedCell = {-1, -1};
        update();
    });
}

void TNTabEd::OpenPopup(int gridCol, int gridRow, int x, int y)
{
    if (gridCol == 0 && gridRow == 0) {
        OpenCommentEditor();
        return;
    }
    const bool dataCol = gridCol > m_attribColShown;
    const bool dataRow = gridRow > m_attribRowShown;
    if (dataCol && dataRow) {
        m_readOnlyItem->setIcon(CheckBoxIcon(m_dataReadOnly));
        const auto items = m_popupData->actions();
        for (int i = 0; i < items.size(); ++i)
            items[i]->setEnabled((m_popupDataMask >> i) & 1u);
        m_popupData->popup(mapToGlobal(QPoint(x + 10, y - 20)));
        return;
    }
    // a heading; the label cells and the attribute intersection have no popup
    if (!dataCol && !dataRow)
        return;
    const auto items = m_popupHeading->actions();
    items[0]->setEnabled(m_popupHeadingMask & 1u);
    items[1]->setEnabled(dataCol && (m_popupHeadingMask & 2u));
    items[2]->setEnabled(dataCol && (m_popupHeadingMask & 4u));
    items[3]->setEnabled(dataRow && (m_popupHeadingMask & 8u));
    const Rect r = CellRect(gridCol, gridRow);
    m_invertedCell = {gridCol, gridRow};
    update();
    m_headingPopupAt = mapToGlobal(QPoint(r.left + 20, r.top + 20));
    m_popupHeading->popup(m_headingPopupAt);
}

// ---------------------------------------------------------------- selections

GridRect TNTabEd::DataSelection() const
{
    if (!HasScrollableCells())
        return {1, 1, 0, 0};
    const GridRect s = Selection();
    return {s.left - m_attribColShown, s.top - m_attribRowShown, s.right - m_attribColShown,
            s.bottom - m_attribRowShown};
}

void TNTabEd::SelectDataRect(int left, int top, int right, int bottom)
{
    if (!HasScrollableCells())
        return;
    SetSelection({left + m_attribColShown, top + m_attribRowShown, right + m_attribColShown,
                  bottom + m_attribRowShown});
    HighlightHeadings();
}

void TNTabEd::SelectAllData() { SelectDataRect(1, 1, NrOfColumns(), NrOfRows()); }

void TNTabEd::SelectColumn()
{
    const int c = m_lastClicked.col - m_attribColShown;
    if (c >= 1 && c <= NrOfColumns())
        SelectDataRect(c, 1, c, NrOfRows());
}

void TNTabEd::SelectRow()
{
    const int r = m_lastClicked.row - m_attribRowShown;
    if (r >= 1 && r <= NrOfRows())
        SelectDataRect(1, r, NrOfColumns(), r);
}

// ---------------------------------------------------------------- marks and clearing

void TNTabEd::MarkCells(TMarkScope scope, std::uint8_t markBit, bool on)
{
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    GridRect area = sel;
    if (scope == msColumn || scope == msAll) {
        area.top = 1;
        area.bottom = NrOfRows();
    }
    if (scope == msRow || scope == msAll) {
        area.left = 1;
        area.right = NrOfColumns();
    }
    {
        TBulkChange bulk(*this);
        for (int c = area.left; c <= area.right; ++c)
            for (int r = area.top; r <= area.bottom; ++r) {
                const std::uint8_t m = m_data->GetMark(c, r);
                m_data->SetMark(c, r, static_cast<std::uint8_t>(on ? (m | markBit) : (m & ~markBit)));
            }
    }
    update();
    Notify();
}

void TNTabEd::UnmarkAll()
{
    {
        TBulkChange bulk(*this);
        m_data->ClearUpperMarkBits();
    }
    update();
    Notify();
}

void TNTabEd::ClearSelection()
{
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    {
        TBulkChange bulk(*this);
        for (int c = sel.left; c <= sel.right; ++c)
            for (int r = sel.top; r <= sel.bottom; ++r) {
                m_data->SetElem(c, r, 0);
                m_data->SetMark(c, r, 0);
            }
    }
    Changed();
}

void TNTabEd::ToggleEmptyState()
{
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    {
        TBulkChange bulk(*this);
        for (int c = sel.left; c <= sel.right; ++c)
            for (int r = sel.top; r <= sel.bottom; ++r)
                m_data->SetMark(c, r, static_cast<std::uint8_t>(m_data->GetMark(c, r) ^ cmEmpty));
    }
    Changed();
}

void TNTabEd::ToggleDataReadOnly()
{
    SetDataReadOnly(!m_dataReadOnly);
    Notify();
}

void TNTabEd::ChangePrecision()
{
    const int c = m_lastClicked.col - m_attribColShown;
    if (c < 1 || c > NrOfColumns())
        return;
    int d = GetDecPlaces(c) - 1;
    if (d < -1)
        d = 10;
    m_decPlaces[static_cast<std::size_t>(c - 1)] = static_cast<std::int8_t>(d);
    update();
    Notify();
    if (OnPrecisionChanged)
        OnPrecisionChanged();
}

// ---------------------------------------------------------------- copy and paste

void TNTabEd::CopySelection()
{
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    const int columns = sel.right - sel.left + 1;
    const int rows = sel.bottom - sel.top + 1;
    try {
        m_clipTable->Resize(columns, rows);
    } catch (const std::exception&) {
        throw ERukNTabedError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(columns) * rows * (m_clipboardUseFullPrec ? 23 : 8));
    for (int r = sel.top; r <= sel.bottom; ++r) {
        for (int c = sel.left; c <= sel.right; ++c) {
            const double value = m_data->GetElem(c, r);
            const std::uint8_t mark = m_data->GetMark(c, r);
            m_clipTable->SetElem(c - sel.left + 1, r - sel.top + 1, value);
            m_clipTable->SetMark(c - sel.left + 1, r - sel.top + 1, mark);
            text += c == sel.left ? ' ' : '\t';
            if (mark & (cmNotANumber | cmEmpty))
                text += "####";
            else if (m_clipboardUseFullPrec)
                text += FormatNumber(kClipboardFullPrecisionWidth, -1, value);
            else
                text += FormatNumber(1, GetDecPlaces(c), value);
        }
        text += "\r\n";
    }
    platform::CurrentClipboard().SetText(QString::fromStdString(text));
    m_hasClipCopy = true;
    m_pasteItem->setEnabled(m_popupDataMask & (1u << 7));
}

void TNTabEd::PasteClip()
{
    if (!m_hasClipCopy)
        return;
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    const int columns = m_clipTable->NrOfColumns();
    const int rows = m_clipTable->NrOfRows();
    {
        TBulkChange bulk(*this);
        for (int c = 1; c <= columns; ++c)
            for (int r = 1; r <= rows; ++r) {
                // cells beyond the table are left out by the table itself
                m_data->SetElem(sel.left + c - 1, sel.top + r - 1, m_clipTable->GetElem(c, r));
                m_data->SetMark(sel.left + c - 1, sel.top + r - 1, m_clipTable->GetMark(c, r));
            }
    }
    Changed();
    // the pasted block, kept inside the table
    SelectDataRect(sel.left, sel.top, std::min(sel.left + columns - 1, NrOfColumns()),
                   std::min(sel.top + rows - 1, NrOfRows()));
}

void TNTabEd::ExtractFromClipboard()
{
    const GridRect sel = DataSelection();
    if (sel.right < sel.left)
        return;
    std::string text = platform::CurrentClipboard().Text().toStdString();
    if (text.empty())
        return;
    for (char& ch : text)
        if (ch == '\t' || ch == '\r')
            ch = ' ';
    text += ' ';
    const auto startsNumber = [](char ch) { return ch == '+' || ch == '-' || ch == '.' || (ch >= '0' && ch <= '9'); };
    int columnOffset = 0;
    int rowOffset = 0;
    int widest = 0;
    int lastRow = -1;
    {
        TBulkChange bulk(*this);
        std::size_t pos = 0;
        const auto skipToNumber = [&] {
            while (pos < text.size() && !startsNumber(text[pos])) {
                if (text[pos] == '\n') {
                    ++rowOffset;
                    columnOffset = 0;
                }
                ++pos;
            }
        };
        skipToNumber();
        while (pos < text.size()) {
            const std::optional<double> number = ScanNumber(text, true, dsEither, pos);
            const int c = sel.left + columnOffset;
            const int r = sel.top + rowOffset;
            const std::uint8_t mark = m_data->GetMark(c, r);
            if (number) {
                m_data->SetElem(c, r, *number);
                m_data->SetMark(c, r, static_cast<std::uint8_t>(mark & ~(cmNotANumber | cmEmpty)));
            } else {
                // no number: an empty cell, never a valid 0
                m_data->SetMark(c, r, static_cast<std::uint8_t>(mark | cmEmpty));
            }
            ++columnOffset;
            widest = std::max(widest, columnOffset);
            lastRow = rowOffset;
            skipToNumber();
        }
    }
    Changed();
    if (lastRow < 0)
        return;
    // the extracted block, kept inside the table
    SelectDataRect(sel.left, sel.top, std::min(sel.left + widest - 1, NrOfColumns()),
                   std::min(sel.top + lastRow, NrOfRows()));
}
