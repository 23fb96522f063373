// Pastes arbitrary clipboard text into the numeric table editor ("Extract"
// reads the numbers out of it), then copies a block and pastes it elsewhere.
// The first four bytes choose the table's size and the selected cell. Every
// cell keeps a finite value; a copy of a table without empty cells at full
// precision (14 digits) extracts back to the same values within that precision.
#include "qt_fuzz_application.h"

#include "memory_clipboard.h"
#include "widgets/table_editor.h"

#include <QApplication>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

TMemoryClipboard g_clipboard;

void CheckFinite(const TNTabEd& Editor)
{
    for (int c = 1; c <= Editor.NrOfColumns(); ++c)
        for (int r = 1; r <= Editor.NrOfRows(); ++r)
            if (Editor.ElemIsValid(c, r) && !std::isfinite(Editor.GetElem(c, r)))
                std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartFuzzApplication(argc, argv);
    platform::SetClipboard(&g_clipboard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int columns = 1 + data[0] % 12;
    const int rows = 1 + data[1] % 40;
    const int col = 1 + data[2] % columns;
    const int row = 1 + data[3] % rows;
    TNTabEd editor;
    editor.SetTableSize(columns, rows);
    const int gridCol = col + editor.AttribColShown();
    const int gridRow = row + editor.AttribRowShown();
    editor.SetSelection({gridCol, gridRow, gridCol, gridRow});
    g_clipboard.SetText(QString::fromUtf8(reinterpret_cast<const char*>(data + 4), static_cast<int>(size - 4)));
    editor.ExtractFromClipboard();
    CheckFinite(editor);

    // the whole table at full precision, extracted again at the top left
    // ("####" of an empty cell is no number: compared only without them)
    bool whole = true;
    for (int c = 1; c <= columns; ++c)
        for (int r = 1; r <= rows; ++r)
            whole = whole && editor.ElemIsValid(c, r);
    editor.SetClipboardUseFullPrec(true);
    editor.SelectAllData();
    editor.CopySelection();
    TNTabEd copy;
    copy.SetTableSize(columns, rows);
    copy.SetSelection({1 + copy.AttribColShown(), 1 + copy.AttribRowShown(), 1 + copy.AttribColShown(),
                       1 + copy.AttribRowShown()});
    copy.ExtractFromClipboard();
    for (int c = 1; c <= columns && whole; ++c)
        for (int r = 1; r <= rows; ++r)
            if (editor.ElemIsValid(c, r)) {
                const double was = editor.GetElem(c, r);
                if (!(std::fabs(copy.GetElem(c, r) - was) <= 1e-13 * std::fabs(was) + 1e-300))
                    std::abort();
            }

    // the copied block pasted at the chosen cell
    editor.SetSelection({gridCol, gridRow, gridCol, gridRow});
    editor.PasteClip();
    CheckFinite(editor);
    return 0;
}
