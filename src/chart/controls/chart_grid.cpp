#include "chart/controls/chart_grid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/drawing_utils.h"
#include "chart/plot_procs.h"
#include "chart/series_types.h"
#include "core/date_time.h"
#include "core/number_format.h"
#include "platform/dialogs.h"

namespace {

constexpr int kIndexColWidth = 30;
constexpr int kColorColWidth = 40;
constexpr int kRowHeight = 16;
constexpr int kTitleRowHeight = 20;
constexpr int kSymbolInset = 4;
constexpr int kSymbolSize = 12;

std::string_view TrimControls(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

// A plain decimal number ("-1.5", "2e-3"); nothing for any other text.
std::optional<double> ParseNumber(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || s.front() == '+')
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// Reads digits at s[i...]: false when there are none.
bool ReadInt(std::string_view s, std::size_t& i, int& out)
{
    const std::size_t start = i;
    out = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 6)
        out = out * 10 + (s[i++] - '0');
    return i > start;
}

// "m/d/yyyy", "h:nn[:ss] [AM|PM]" or both, by the default settings' separators.
std::optional<double> ParseDateTime(std::string_view s)
{
    const TFormatSettings& fs = DefaultFormatSettings();
    const char dateSep = fs.DateSeparator.empty() ? '/' : fs.DateSeparator[0];
    const char timeSep = fs.TimeSeparator.empty() ? ':' : fs.TimeSeparator[0];
    std::size_t i = 0;
    double result = 0;
    bool any = false;
    if (s.find(dateSep) != std::string_view::npos) {
        int m = 0, d = 0, y = 0;
        if (!ReadInt(s, i, m) || i >= s.size() || s[i++] != dateSep || !ReadInt(s, i, d) || i >= s.size() ||
            s[i++] != dateSep || !ReadInt(s, i, y))
            return std::nullopt;
        TDateTime date = 0;
        if (!TryEncodeDate(y, m, d, date))
            return std::nullopt;
        result = date;
        any = true;
        while (i < s.size() && s[i] == ' ')
            ++i;
    }
    if (i < s.size()) {
        int h = 0, n = 0, sec = 0;
        if (!ReadInt(s, i, h) || i >= s.size() || s[i++] != timeSep || !ReadInt(s, i, n))
            return std::nullopt;
        if (i < s.size() && s[i] == timeSep && !(++i, ReadInt(s, i, sec)))
            return std::nullopt;
        while (i < s.size() && s[i] == ' ')
            ++i;
        const std::string_view rest = s.substr(i);
        auto same = [](std::string_view a, const std::string& b) {
            return !b.empty() && a.size() == b.size() &&
                   std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                       return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
                   });
        };
        if (same(rest, fs.TimePMString)) {
            if (h < 1 || h > 12)
                return std::nullopt;
            h = h % 12 + 12;
        } else if (same(rest, fs.TimeAMString)) {
            if (h < 1 || h > 12)
                return std::nullopt;
            h %= 12;
        } else if (!rest.empty()) {
            return std::nullopt;
        }
        TDateTime time = 0;
        if (!TryEncodeTime(h, n, sec, 0, time))
            return std::nullopt;
        result += result < 0 ? -time : time;
        any = true;
    }
    if (!any)
        return std::nullopt;
    return result;
}

// The shortest text that reads back as the same double.
std::string PlainNumberText(double v)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? std::string(buffer, end) : FloatToStr(v);
}

std::string DateTimeText(double v)
{
    return v >= 1 ? DateTimeToStr(v) : FormatDateTime("tt", v);
}

std::string TitleText(const TChartSeries& s)
{
    std::string t = s.TitleOrName();
    const char sep = LineSeparator();
    for (char& c : t)
        if (c == sep || c == '\r' || c == '\n' || c == ColumnSeparator)
            c = ' ';
    return t;
}

bool HasDataSource(const TChartSeries& s) { return s.DataSourceCount() > 0 || s.FunctionType(); }

}  // namespace

TCustomChartGrid::TCustomChartGrid(QWidget* Parent) : platform::TCustomGrid(Parent)
{
    SetGridLineWidth(1);
    SetFixedCols(1);
    SetFixedRows(2);
    SetOptions(platform::goVertLine | platform::goHorzLine | platform::goRangeSelect |
               platform::goDrawFocusSelected | platform::goRowSizing | platform::goColSizing |
               platform::goEditing | platform::goTabs | platform::goThumbTracking);
    SetDefaultRowHeight(kRowHeight);
    RecalcDimensions();
    SetRowHeights(0, kTitleRowHeight);
}

TCustomChartGrid::~TCustomChartGrid()
{
    m_destroying = true;
    SetSeries(nullptr);
    SetChart(nullptr);
}

void TCustomChartGrid::Loaded()
{
    SetDefaultRowHeight(kRowHeight);
    SetRowHeights(0, kTitleRowHeight);
}

// ---- binding ----

void TCustomChartGrid::ListenTo(TCustomChart* Chart)
{
    if (Chart)
        Chart->Listeners().Add(this);
}

void TCustomChartGrid::StopListening(TCustomChart* Chart)
{
    if (Chart && !Chart->Destroying())
        Chart->RemoveListener(this);
}

TCustomChart* TCustomChartGrid::SeriesChart() const
{
    // null once the chart's destructor has begun
    return dynamic_cast<TCustomChart*>(m_seriesChart.data());
}

void TCustomChartGrid::ResetCurrentCell()
{
    if (m_destroying)
        return;
    RecalcDimensions();
    FocusCell(std::min(ColCount() - 1, 1), FirstDataRow, true);
    Invalidate();
}

void TCustomChartGrid::SetChart(TCustomChart* Value)
{
    if (Value == m_chart && (Value || !m_chartGone))
        return;
    if (m_chartGone)
        QObject::disconnect(m_chartGone);
    StopListening(m_chart);
    m_chart = Value;
    if (Value) {
        if (m_series)
            SetSeries(nullptr);
        ListenTo(Value);
        // the chart's series go with it: forget them before they dangle
        m_chartGone = QObject::connect(Value, &QObject::destroyed, this, [this] {
            m_chartGone = {};
            m_chart = nullptr;
            m_shown.clear();
            m_columns.clear();
            ResetCurrentCell();
        });
    }
    ResetCurrentCell();
}

void TCustomChartGrid::SetSeries(TChartSeries* Value)
{
    if (Value == m_series && (Value || !m_seriesGone))
        return;
    if (m_seriesGone)
        QObject::disconnect(m_seriesGone);
    m_seriesGone = {};
    StopListening(SeriesChart());
    m_seriesChart = nullptr;
    m_series = Value;
    if (Value) {
        if (m_chart)
            SetChart(nullptr);
        m_seriesGone = QObject::connect(Value, &QObject::destroyed, this, [this] {
            m_seriesGone = {};
            m_series = nullptr;
            StopListening(SeriesChart());
            m_seriesChart = nullptr;
            m_shown.clear();
            m_columns.clear();
            ResetCurrentCell();
        });
        auto* chart = dynamic_cast<TCustomChart*>(Value->ParentChart());
        m_seriesChart = chart;
        ListenTo(chart);
    }
    ResetCurrentCell();
}

void TCustomChartGrid::SetShowColors(bool Value)
{
    if (Value == m_showColors)
        return;
    m_showColors = Value;
    RecalcDimensions();
    Invalidate();
}

void TCustomChartGrid::SetShowLabels(bool Value)
{
    if (Value == m_showLabels)
        return;
    m_showLabels = Value;
    RecalcDimensions();
    Invalidate();
}

void TCustomChartGrid::SetShowXValues(TChartGridShow Value)
{
    if (Value == m_showXValues)
        return;
    m_showXValues = Value;
    RecalcDimensions();
    Invalidate();
}

void TCustomChartGrid::HandleChartEvent(TPlotEvent& Event)
{
    auto* e = dynamic_cast<TPlotSeriesEvent*>(&Event);
    if (!e || m_destroying)
        return;
    switch (e->Event) {
    case TSeriesNotice::TitleChanged:
    case TSeriesNotice::ColorChanged:
    case TSeriesNotice::ActiveChanged:
        Invalidate();
        return;
    case TSeriesNotice::Removed:
        // the series is still in the chart's list while it is announced
        std::erase(m_shown, e->Series);
        if (m_series == e->Series)
            m_shown.clear();
        RecalcDimensions(e->Series);
        break;
    default:
        RecalcDimensions();
        break;
    }
    Invalidate();
}

// ---- column map ----

void TCustomChartGrid::RecalcDimensions() { RecalcDimensions(nullptr); }

void TCustomChartGrid::RecalcDimensions(const TCustomChartSeries* Leaving)
{
    m_shown.clear();
    if (m_series) {
        if (m_series.data() != Leaving)
            m_shown.push_back(m_series);
    } else if (m_chart) {
        for (int i = 0; i < m_chart->SeriesCount(); ++i)
            if (m_chart->Series(i) != Leaving)
                m_shown.push_back(m_chart->Series(i));
    }
    std::vector<TSeriesColumns> previous;
    previous.swap(m_columns);
    int col = FirstSeriesColumn();
    int rows = 1;
    for (TChartSeries* s : m_shown) {
        TSeriesColumns entry{s, col, 0, false};
        const auto old = std::find_if(previous.begin(), previous.end(),
                                      [s](const TSeriesColumns& e) { return e.Series == s; });
        if (old != previous.end()) {
            entry.Sequential = old->Sequential;
            entry.Checked = old->Checked;
            entry.Rewrites = old->Rewrites;
        } else {
            entry.Rewrites = s->NotMandatoryValueList().RewriteCount() + 1;  // forces a full check
        }
        if (m_showXValues == cgsAuto)
            CheckSequentialX(entry);
        entry.ShowX = m_showXValues == cgsYes || (m_showXValues == cgsAuto && !entry.Sequential);
        entry.Count = s->ValuesListCount() - 1 + (entry.ShowX ? 1 : 0);
        m_columns.push_back(entry);
        col += entry.Count;
        rows = std::max(rows, s->Count());
    }
    SetColCount(col);
    SetRowCount(FirstDataRow + rows);
    SetColWidths(0, kIndexColWidth);
    if (m_showColors && ColCount() >= 2)
        SetColWidths(1, kColorColWidth);
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TCustomChartGrid::CheckSequentialX(TSeriesColumns& Entry)
{
    const TChartSeries& s = *Entry.Series;
    const TChartValueList& x = s.NotMandatoryValueList();
    const int n = x.Count();
    if (!s.XStored()) {
        Entry.Sequential = true;
        Entry.Checked = 0;
        Entry.Rewrites = x.RewriteCount() + 1;
        return;
    }
    int from = 0;
    if (x.RewriteCount() == Entry.Rewrites && n >= Entry.Checked) {
        if (!Entry.Sequential)
            return;  // the points that broke the rule are still there
        from = Entry.Checked;
    }
    bool sequential = true;
    const double* v = x.Data();
    for (int i = from; i < n; ++i)
        if (v[i] != i) {
            sequential = false;
            break;
        }
    Entry.Sequential = sequential;
    Entry.Checked = n;
    Entry.Rewrites = x.RewriteCount();
}

int TCustomChartGrid::FirstSeriesColumn() const { return 1 + (m_showColors ? 1 : 0) + (m_showLabels ? 1 : 0); }

int TCustomChartGrid::LabelsColumn() const
{
    if (!m_showLabels)
        return -1;
    return m_showColors ? 2 : 1;
}

int TCustomChartGrid::ColumnEntry(int Col) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (Col >= m_columns[i].FirstCol && Col < m_columns[i].FirstCol + m_columns[i].Count)
            return static_cast<int>(i);
    return -1;
}

bool TCustomChartGrid::SeriesShowsX(int ShownIndex) const
{
    return ShownIndex >= 0 && ShownIndex < static_cast<int>(m_columns.size()) &&
           m_columns[static_cast<std::size_t>(ShownIndex)].ShowX;
}

bool TCustomChartGrid::ColumnSeries(int Col, TChartSeries*& ASeries, int& ListIndex) const
{
    ASeries = nullptr;
    ListIndex = -1;
    const int e = ColumnEntry(Col);
    if (e < 0)
        return false;
    const TSeriesColumns& c = m_columns[static_cast<std::size_t>(e)];
    const int k = Col - c.FirstCol + 1;  // from 1 inside the series
    ASeries = c.Series;
    if (c.ShowX)
        ListIndex = k - 1;
    else
        ListIndex = c.Series->YMandatory() ? k : k - 1;
    return true;
}

TChartSeries* TCustomChartGrid::ColorSeries() const
{
    return m_columns.empty() ? nullptr : m_columns.front().Series;
}

TChartSeries* TCustomChartGrid::LabelSeries(int Index) const
{
    if (m_series)
        return m_series;
    for (TChartSeries* s : m_shown)
        if (Index < s->Count())
            return s;
    return nullptr;
}

// ---- texts and drawing ----

std::string TCustomChartGrid::CellText(int Col, int Row) const
{
    if (Row == 1) {
        if (Col == 0)
            return "#";
        if (Col == LabelsColumn())
            return PlotMsgText;
        if (Col == ColorsColumn())
            return PlotMsgStyleColors;
        TChartSeries* s = nullptr;
        int list = -1;
        if (ColumnSeries(Col, s, list))
            return s->ValuesList(list).Name();
        return {};
    }
    if (Row < FirstDataRow)
        return {};
    const int index = Row - FirstDataRow;
    if (Col == 0)
        return std::to_string(index);
    if (Col == LabelsColumn()) {
        const TChartSeries* s = LabelSeries(index);
        return s && index < s->Labels().Count() ? s->Labels().Label(index) : std::string();
    }
    TChartSeries* s = nullptr;
    int list = -1;
    if (!ColumnSeries(Col, s, list) || index >= s->Count())
        return {};
    const TChartValueList& values = s->ValuesList(list);
    const double v = values.Value(index);
    return values.DateTime() ? DateTimeText(v) : FormatFloat(s->ValueFormat(), v);
}

void TCustomChartGrid::DrawTitleCell(int Col, const platform::Rect& Rect)
{
    const int e = ColumnEntry(Col);
    if (e < 0 || m_columns[static_cast<std::size_t>(e)].FirstCol != Col)
        return;
    TChartSeries& s = *m_columns[static_cast<std::size_t>(e)].Series;
    platform::DrawingDevice& dc = Canvas();
    const TRect symbol{Rect.left + kSymbolInset, Rect.top + kSymbolInset, Rect.left + kSymbolInset + kSymbolSize,
                       Rect.top + kSymbolInset + kSymbolSize};
    PaintSeriesLegend(s, dc, symbol);
    dc.SelectFont(Font());
    dc.SetTextColor(FontColor());
    dc.SetBkMode(platform::BackMode::Transparent);
    dc.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    dc.ExtTextOut(Rect.left + 18, Rect.top + 4, platform::TextOutOptions::Clipped, &Rect, TitleText(s));
    dc.SetBkMode(platform::BackMode::Opaque);
}

void TCustomChartGrid::DrawCell(int Col, int Row, const platform::Rect& Rect, unsigned State)
{
    platform::DrawingDevice& dc = Canvas();
    if ((State & platform::gdFixed) || Row == 1)
        dc.FillRectWith(Rect, platform::BrushDesc::Solid(FixedColor()));
    if (Row == 0) {
        DrawTitleCell(Col, Rect);
        return;
    }
    if (Col == ColorsColumn() && Row >= FirstDataRow) {
        const int index = Row - FirstDataRow;
        TChartSeries* s = ColorSeries();
        const TColor c = s && index < s->Count() ? s->GetValueColor(index) : clNone;
        dc.FillRectWith(Rect, platform::BrushDesc::Solid(c == clNone ? Color() : c));
        return;
    }
    const std::string text = CellText(Col, Row);
    if (text.empty())
        return;
    using namespace platform;
    const bool value = Row >= FirstDataRow && Col >= FirstSeriesColumn();
    if (value) {
        dc.SetTextAlign(TextAlign::Right | TextAlign::Top);
        dc.ExtTextOut(Rect.right - 2, Rect.top + 2, TextOutOptions::Clipped, &Rect, text);
    } else {
        dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
        const int dy = Row == 1 ? 4 : 3;
        dc.ExtTextOut(Rect.left + 2, Rect.top + dy, TextOutOptions::Clipped, &Rect, text);
    }
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
}

void TCustomChartGrid::TopLeftChanged()
{
    Invalidate();
    platform::TCustomGrid::TopLeftChanged();
}

// ---- editing ----

bool TCustomChartGrid::SelectCell(int Col, int Row) { return Col > 0 && Row >= FirstDataRow; }

bool TCustomChartGrid::EditingAllowed()
{
    const int col = Col();
    const int row = Row();
    if (!(Options() & platform::goEditing) || col <= 0 || row < FirstDataRow || col == ColorsColumn() ||
        col >= ColCount())
        return false;
    TChartSeries* s = nullptr;
    int list = -1;
    if (ColumnSeries(col, s, list) && HasDataSource(*s))
        return false;
    bool allow = true;
    if (OnEditingCell)
        OnEditingCell(*this, col, row, allow);
    return allow;
}

bool TCustomChartGrid::CanEditShow() { return platform::TCustomGrid::CanEditShow() && EditingAllowed(); }

std::string TCustomChartGrid::GetEditText(int Col, int Row)
{
    const int index = Row - FirstDataRow;
    TChartSeries* s = nullptr;
    int list = -1;
    if (index >= 0 && ColumnSeries(Col, s, list)) {
        // a missing or null point edits as empty; a value as its full-precision plain text
        if (index >= s->Count() || s->IsNull(index))
            return {};
        const TChartValueList& values = s->ValuesList(list);
        const double v = values.Value(index);
        return values.DateTime() ? DateTimeText(v) : PlainNumberText(v);
    }
    return CellText(Col, Row);
}

void TCustomChartGrid::SetEditText(int Col, int Row, const std::string& Value)
{
    const int index = Row - FirstDataRow;
    if (Col <= 0 || index < 0)
        return;
    if (Col == LabelsColumn()) {
        for (TChartSeries* s : std::vector<TChartSeries*>(m_shown)) {
            s->SetModified(true);
            while (s->Count() <= index)
                s->AddNull();
            s->Labels().SetLabel(index, Value);
            s->Repaint();
        }
    } else if (Col != ColorsColumn()) {
        TChartSeries* s = nullptr;
        int list = -1;
        if (!ColumnSeries(Col, s, list))
            return;
        const std::string_view text = TrimControls(Value);
        std::optional<double> v;
        if (!text.empty()) {
            // convert before touching the series: a bad text changes nothing
            const bool dateTime = s->ValuesList(list).DateTime();
            v = dateTime ? ParseDateTime(text) : ParseNumber(text);
            if (!v) {
                // the conversion error, as the user sees it; the old value stays
                const std::string quoted = "'" + std::string(text) + "'";
                platform::ShowError(QString::fromStdString(
                                        quoted + (dateTime ? " is not a valid date and time"
                                                           : " is not a valid floating point value")),
                                    this);
                return;
            }
        }
        for (TChartSeries* shown : m_shown)
            shown->SetModified(true);
        s->BeginUpdate();
        while (s->Count() <= index)
            s->AddNull();
        if (v) {
            const bool wasNull = s->IsNull(index);
            s->ValuesList(list).SetValue(index, *v);
            if (wasNull)
                s->SetValueColor(index, clDefault);
        } else {
            s->SetValueColor(index, clNone);
        }
        s->EndUpdate();  // dependants and the chart's listeners hear of it
        if (m_chart)
            m_chart->Invalidate();
        else
            s->Repaint();
    }
    Invalidate();
    if (OnSetEditText)
        OnSetEditText(*this, Col, Row, Value);
}

void TCustomChartGrid::StartEditing()
{
    if (CanEditShow())
        ShowEditor();
}

// ---- keys ----

void TCustomChartGrid::InsertRow()
{
    if (m_shown.empty())
        return;
    for (TChartSeries* s : std::vector<TChartSeries*>(m_shown)) {
        s->BeginUpdate();
        s->AddNullXY(s->Count(), 0);
        s->EndUpdate();
    }
    RecalcDimensions();
    FocusCell(Col(), RowCount() - 1, true);
    Invalidate();
}

bool TCustomChartGrid::RemoveLastRow()
{
    const int index = Row() - FirstDataRow;
    TChartSeries* s = nullptr;
    int list = -1;
    // in the label or colour column, the first series decides
    if (!ColumnSeries(Col(), s, list))
        ColumnSeries(FirstSeriesColumn(), s, list);
    if (!s || index < 0 || index >= s->Count() || !s->IsNull(index) ||
        (index < s->Labels().Count() && !s->Labels().Label(index).empty()))
        return false;
    // the padded point of each series on that row goes; points with a value or a label stay
    for (TChartSeries* shown : std::vector<TChartSeries*>(m_shown)) {
        if (index != shown->Count() - 1 || !shown->IsNull(index) ||
            (index < shown->Labels().Count() && !shown->Labels().Label(index).empty()))
            continue;
        shown->BeginUpdate();
        shown->Delete(index);
        shown->EndUpdate();
    }
    RecalcDimensions();
    FocusCell(Col(), std::max(FirstDataRow, index + FirstDataRow - 1), true);
    Invalidate();
    return true;
}

void TCustomChartGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    if (Shift & Qt::ControlModifier) {
        platform::TCustomGrid::KeyDown(Key, Shift);
        return;
    }
    const bool inColors = Col() == ColorsColumn() && Row() >= FirstDataRow;
    const bool lastRow = Row() == RowCount() - 1;
    switch (Key) {
    case Qt::Key_Escape:
        if (!EditorMode())
            break;
        CancelEditor();  // nothing was written while the editor was open
        Key = 0;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!inColors)
            break;
        ChangeColor();
        Key = 0;
        return;
    case Qt::Key_F2:
        if (inColors)
            ChangeColor();
        else
            StartEditing();
        Key = 0;
        return;
    case Qt::Key_Insert:
        if (!(Options() & platform::goEditing))
            break;
        InsertRow();
        Key = 0;
        return;
    case Qt::Key_Up:
        if (lastRow && RemoveLastRow()) {
            Key = 0;
            return;
        }
        break;
    case Qt::Key_Down:
        if (lastRow) {
            Key = 0;
            return;
        }
        break;
    case Qt::Key_Delete:
        StartEditing();
        break;
    default:
        break;
    }
    platform::TCustomGrid::KeyDown(Key, Shift);
}

// ---- colours and mouse ----

bool TCustomChartGrid::ChangeColor()
{
    TChartSeries* s = ColorSeries();
    const int index = Row() - FirstDataRow;
    if (!s || index < 0 || index >= s->Count())
        return false;
    TColor c = s->GetValueColor(index);
    if (!EditColor(this, c))
        return false;
    s->SetValueColor(index, c);
    s->SetModified(true);
    InvalidateCell(Col(), Row());
    if (OnChangeColor)
        OnChangeColor(*this);
    return true;
}

bool TCustomChartGrid::OverSeriesIcon(int X, int Y, TChartSeries*& ASeries) const
{
    ASeries = nullptr;
    int col = -1, row = -1;
    if (!MouseToCell(X, Y, col, row) || row != 0)
        return false;
    const int e = ColumnEntry(col);
    if (e < 0 || m_columns[static_cast<std::size_t>(e)].FirstCol != col)
        return false;
    const platform::Rect r = CellRect(col, row);
    const int l = r.left + kSymbolInset;
    const int t = r.top + kSymbolInset;
    if (X < l || X >= l + kSymbolSize || Y < t || Y >= t + kSymbolSize)
        return false;
    ASeries = m_columns[static_cast<std::size_t>(e)].Series;
    return true;
}

void TCustomChartGrid::DblClick(Qt::KeyboardModifiers Shift, int X, int Y)
{
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    TChartSeries* s = nullptr;
    if (col == ColorsColumn() && row >= FirstDataRow && (Options() & platform::goEditing)) {
        ChangeColor();
    } else if (m_iconClick && OverSeriesIcon(X, Y, s)) {
        TColor c = s->SeriesColor();
        if (EditColor(this, c))
            s->SetSeriesColor(c);
    } else {
        platform::TCustomGrid::DblClick(Shift, X, Y);
    }
}

void TCustomChartGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    bool hand = false;
    if (Options() & platform::goEditing) {
        int col = -1, row = -1;
        TChartSeries* s = nullptr;
        if (MouseToCell(X, Y, col, row) && col == ColorsColumn() && row >= FirstDataRow) {
            TChartSeries* cs = ColorSeries();
            hand = cs && row - FirstDataRow < cs->Count();
        } else {
            hand = OverSeriesIcon(X, Y, s);
        }
    }
    if (hand)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    platform::TCustomGrid::MouseMove(Shift, X, Y);
}

void TCustomChartGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const bool sizing = Sizing();
    platform::TCustomGrid::MouseUp(Button, Shift, X, Y);
    TChartSeries* s = nullptr;
    int col = -1, row = -1;
    if (Button != Qt::LeftButton || sizing || OverSeriesIcon(X, Y, s) || !MouseToCell(X, Y, col, row) ||
        row >= FirstDataRow || col < 2 || RowCount() <= FirstDataRow)
        return;
    const platform::GridRect whole{col, FirstDataRow, col, RowCount() - 1};
    if (Selection() == whole) {
        const int current = Row();
        SetSelection({col, current, col, current});
    } else {
        SetSelection(whole);
    }
}
