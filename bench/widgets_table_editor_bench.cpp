// The numeric table editor against Qt's own table view, both offscreen: a
// table of 10^5 rows x 10 columns, the same cells of an 800 x 600 view painted
// after a jump to row 50,000 and then page by page, both in each iteration; the clipboard text of 10^6 cells
// written and read back, beside a to_chars / from_chars loop over the same
// numbers.
#include <QAbstractTableModel>
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <charconv>
#include <memory>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "platform/clipboard.h"
#include "testing/memory_clipboard.h"
#include "widgets/table_editor.h"
#include "widgets/table_editor_texts.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;
constexpr int kJumpRow = 50000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

double CellValue(int col, int row) { return (row * 7919 + col * 104729) % 1000003 / 97.0 - 500.0; }

void Fill(TNTabEd& editor)
{
    editor.SetTableSize(kColumns, kRows);
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            editor.Data().Matrix().SetElem(c, r, CellValue(c, r));
}

// The same texts as the editor's cells (3 decimals, width 1).
class TSameTextsModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kRows; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return QString::fromStdString(FormatCellNumber(1, 3, CellValue(index.column() + 1, index.row() + 1)));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return (orientation == Qt::Horizontal ? QString("C-") : QString("R-")) + QString::number(section + 1);
    }
};

// A page down and the repaint of the editor beside the same for a QTableView
// showing the same cells (the editor's column widths, row height and header
// sizes), alternating in each iteration.
void BM_TableEditorPageDownBesideQTableView(benchmark::State& state)
{
    TNTabEd editor;
    Fill(editor);
    editor.resize(kWidth, kHeight);
    editor.show();
    editor.FocusCell(2, kJumpRow, true);
    editor.PaintNow();

    TSameTextsModel model;
    QTableView view;
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.horizontalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(editor.DefaultRowHeight());
    for (int c = 0; c < kColumns; ++c)
        view.setColumnWidth(c, editor.ColWidths(c + 1));
    view.verticalHeader()->setFixedWidth(editor.ColWidths(0));
    view.horizontalHeader()->setFixedHeight(editor.RowHeights(0));
    view.show();
    // as many whole rows on a page as the editor shows
    for (int h = kHeight; view.verticalScrollBar()->pageStep() > editor.VisibleRowCount() && h > kHeight / 2; --h)
        view.resize(kWidth, h);
    view.scrollTo(model.index(kJumpRow - 1, 0), QAbstractItemView::PositionAtTop);
    // the cells and both headers, as the editor paints them
    QImage image(view.size(), QImage::Format_RGB32);
    const QPoint cells(editor.ColWidths(0), editor.RowHeights(0));
    const auto render = [&] {
        view.viewport()->render(&image, cells);
        view.horizontalHeader()->render(&image, QPoint(cells.x(), 0));
        view.verticalHeader()->render(&image, QPoint(0, cells.y()));
    };
    render();
    QScrollBar* bar = view.verticalScrollBar();
    bench::TimeBoth(
        state,
        [&] {
            editor.HandleKeyDown(Qt::Key_PageDown, {});
            if (editor.Row() >= kRows)
                editor.FocusCell(2, kJumpRow, true);
            editor.PaintNow();
        },
        [&] {
            bar->setValue(bar->value() + bar->pageStep());
            if (bar->value() >= bar->maximum())
                bar->setValue(kJumpRow - 1);
            render();
        },
        "editor_ms", "qtableview_ms");
    state.counters["editor_rows"] = editor.VisibleRowCount();
    state.counters["qtableview_rows"] = bar->pageStep();
}
BENCHMARK(BM_TableEditorPageDownBesideQTableView)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);

struct TClipboardFixture {
    platform::MemoryClipboard clipboard;
    std::unique_ptr<TNTabEd> editor;
    TClipboardFixture()
    {
        platform::SetClipboard(&clipboard);
        editor = std::make_unique<TNTabEd>();
        Fill(*editor);
        editor->SelectAllData();
    }
    ~TClipboardFixture()
    {
        editor.reset();
        platform::SetClipboard(nullptr);
    }
};

void BM_TableEditorCopy(benchmark::State& state)
{
    TClipboardFixture f;
    std::size_t bytes = 0;
    for (auto _ : state) {
        f.editor->CopySelection();
        bytes += static_cast<std::size_t>(f.clipboard.Text().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_TableEditorCopy)->Unit(benchmark::kMillisecond);

void BM_TableEditorExtract(benchmark::State& state)
{
    TClipboardFixture f;
    f.editor->CopySelection();
    const auto bytes = static_cast<std::int64_t>(f.clipboard.Text().size());
    for (auto _ : state)
        f.editor->ExtractFromClipboard();
    state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_TableEditorExtract)->Unit(benchmark::kMillisecond);

// The reference: the same 10^6 numbers written with to_chars in the copy's
// layout, then read back with from_chars.
std::string ReferenceText()
{
    std::string text;
    char buffer[64];
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            text += c == 1 ? ' ' : '\t';
            const auto res = std::to_chars(buffer, buffer + sizeof buffer, CellValue(c, r), std::chars_format::scientific, 13);
            text.append(buffer, res.ptr);
        }
        text += "\r\n";
    }
    return text;
}

void BM_ToCharsWrite(benchmark::State& state)
{
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ReferenceText();
        bytes += static_cast<std::int64_t>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ToCharsWrite)->Unit(benchmark::kMillisecond);

void BM_FromCharsRead(benchmark::State& state)
{
    const std::string text = ReferenceText();
    std::vector<double> values(static_cast<std::size_t>(kRows) * kColumns);
    for (auto _ : state) {
        const char* p = text.data();
        const char* end = p + text.size();
        std::size_t i = 0;
        while (p < end && i < values.size()) {
            while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
                ++p;
            const auto res = std::from_chars(p, end, values[i++]);
            p = res.ptr == p ? p + 1 : res.ptr;
        }
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_FromCharsRead)->Unit(benchmark::kMillisecond);

}  // namespace
