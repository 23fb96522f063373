#include "chart/controls/chart_list_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <vector>

#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/controls/confirm_question.h"
#include "chart/controls/series_icons.h"
#include "chart/drawing_utils.h"
#include "chart/plot_canvas_3d.h"
#include "chart/plot_procs.h"
#include "chart/series_types.h"
#include "platform/dialogs.h"

namespace {

constexpr TColor kHighlight = 0xFF00000D;        // clHighlight
constexpr TColor kHighlightText = 0xFF00000E;    // clHighlightText
constexpr TColor kInactiveCaption = 0xFF000003;  // clInactiveCaption
constexpr int kCheckSize = 13;

// The in-place title editor: hands its keys to the list first.
class TTitleEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<bool(int Key)> OnKey;

protected:
    void keyPressEvent(QKeyEvent* Event) override
    {
        if (OnKey && OnKey(Event->key()))
            return;
        QLineEdit::keyPressEvent(Event);
    }
};

std::string ItemTextOf(const TChartSeries& s)
{
    std::string t = s.TitleOrName();
    const char sep = LineSeparator();
    for (char& c : t)
        if (c == sep || c == '\r' || c == '\n')
            c = ' ';
    return t;
}

}  // namespace

TChartListBox::TChartListBox(QWidget* Parent)
    : platform::TCustomListBox(Parent), m_plotCanvas(std::make_unique<TPlotCanvas3D>(&Canvas()))
{
    SetItemHeight(24);
    SetMultiSelect(true);
}

TChartListBox::~TChartListBox()
{
    m_destroying = true;
    delete m_titleEdit;
    m_titleEdit = nullptr;
    SetChart(nullptr);
}

// ---- chart ----

void TChartListBox::SetChart(TCustomChart* Value)
{
    if (Value == m_chart && (Value || !m_chartGone))
        return;
    if (m_chartGone)
        QObject::disconnect(m_chartGone);
    m_chartGone = {};
    if (m_chart && !m_chart->Destroying())
        m_chart->RemoveListener(this);
    m_chart = Value;
    if (Value) {
        Value->Listeners().Add(this);
        m_chartGone = QObject::connect(Value, &QObject::destroyed, this, [this] {
            m_chartGone = {};
            m_chart = nullptr;
            ClearItems();
        });
        FillSeries(nullptr);
    } else if (!m_destroying) {
        ClearItems();
    }
}

void TChartListBox::TakeLegendCheckStyle()
{
    if (m_chart && m_chart->Legend()->CheckBoxes())
        m_checkStyle = m_chart->Legend()->CheckBoxesStyle();
}

void TChartListBox::FillSeries(TChartSeries* Keep)
{
    ClearItems();
    if (!m_chart)
        return;
    for (const auto& [title, series] : FillSeriesItems(m_chart->SeriesList()))
        AddItem(ItemTextOf(*series), series);
    TakeLegendCheckStyle();
    const int keep = Keep ? IndexOfObject(Keep) : -1;
    if (keep >= 0)
        SetItemIndex(keep);
    else if (Count() > 0)
        SetItemIndex(0);
    if (OnOtherItemsChange)
        OnOtherItemsChange(*this);
    if (OnRefresh)
        OnRefresh(*this);
}

void TChartListBox::HandleChartEvent(TPlotEvent& Event)
{
    if (m_destroying)
        return;
    if (dynamic_cast<TPlotView3DEvent*>(&Event)) {
        Invalidate();
        return;
    }
    auto* e = dynamic_cast<TPlotSeriesEvent*>(&Event);
    if (!e)
        return;
    auto* series = dynamic_cast<TChartSeries*>(e->Series);
    switch (e->Event) {
    case TSeriesNotice::Added:
    case TSeriesNotice::Exchanged:
        FillSeries(SelectedSeries());
        break;
    case TSeriesNotice::Removed: {
        const int index = IndexOfObject(e->Series);
        if (index < 0)
            break;
        DeleteItem(index);
        if (OnRemovedSeries && e->Series)
            OnRemovedSeries(*this, *e->Series);
        break;
    }
    case TSeriesNotice::TitleChanged:
        if (series)
            SetItemText(IndexOfObject(series), ItemTextOf(*series));
        break;
    case TSeriesNotice::ColorChanged:
        Invalidate();
        break;
    case TSeriesNotice::ActiveChanged:
        TakeLegendCheckStyle();
        Invalidate();
        break;
    case TSeriesNotice::DataChanged:
        break;
    }
}

// ---- settings ----

void TChartListBox::SetCheckStyle(TCheckBoxesStyle Value)
{
    if (Value == m_checkStyle)
        return;
    m_checkStyle = Value;
    if (Value == cbsRadio) {
        bool first = true;
        for (int i = 0; i < Count(); ++i) {
            TChartSeries* s = SeriesAt(i);
            if (!s || !s->Active())
                continue;
            if (!first)
                s->SetActive(false);
            first = false;
        }
    }
    Invalidate();
}

void TChartListBox::SetFontSeriesColor(bool Value)
{
    if (Value == m_fontSeriesColor)
        return;
    m_fontSeriesColor = Value;
    Invalidate();
}

void TChartListBox::SetColumnVisible(TChartListBoxColumn Column, bool Value)
{
    if (m_columns[Column].Visible == Value)
        return;
    m_columns[Column].Visible = Value;
    Invalidate();
}

int TChartListBox::ColumnLeft(TChartListBoxColumn Column) const
{
    int left = 0;
    for (int c = 0; c < Column; ++c)
        if (m_columns[static_cast<std::size_t>(c)].Visible)
            left += m_columns[static_cast<std::size_t>(c)].Width;
    return left;
}

int TChartListBox::ColumnAt(int X) const
{
    for (int c = lcIcon; c <= lcTitle; ++c)
        if (InColumn(static_cast<TChartListBoxColumn>(c), X))
            return c;
    return -1;
}

bool TChartListBox::InColumn(TChartListBoxColumn Column, int X) const
{
    const TColumn& c = m_columns[Column];
    const int left = ColumnLeft(Column);
    return c.Visible && X >= left && X < left + c.Width;
}

TChartSeries* TChartListBox::SeriesAt(int Index) const { return qobject_cast<TChartSeries*>(ItemObject(Index)); }

TChartSeries* TChartListBox::SelectedSeries() const { return SeriesAt(ItemIndex()); }

bool TChartListBox::ShowsColor(const TChartSeries& Series) const { return Series.ShowColorInList(); }

// ---- drawing ----

void TChartListBox::DrawItem(int Index, const platform::Rect& R, unsigned State)
{
    using namespace platform;
    DrawingDevice& dc = Canvas();
    TChartSeries* series = SeriesAt(Index);
    const bool selected = (State & (odSelected | odFocused)) != 0;
    const TColor back = selected ? (Focused() ? kHighlight : kInactiveCaption) : Color();
    dc.FillRectWith(R, BrushDesc::Solid(back));
    // only the title shows the selection
    const int titleLeft = ColumnLeft(lcTitle);
    dc.FillRectWith({R.left, R.top, titleLeft - 2, R.bottom}, BrushDesc::Solid(Color()));
    if (!series)
        return;
    if (m_columns[lcIcon].Visible)
        DrawSeriesIcon(dc, *series, ColumnLeft(lcIcon), R.top);
    if (m_columns[lcColor].Visible && ShowsColor(*series)) {
        const int l = ColumnLeft(lcColor) - 2;
        PaintSeriesLegend(*series, dc, TRect{l + 4, R.top + 4, l + m_columns[lcColor].Width - 4, R.bottom - 4});
    }
    if (m_columns[lcActive].Visible) {
        m_plotCanvas->AttachCanvas(&dc);
        DrawCheckBox(ColumnLeft(lcActive) + 2, R.top + (R.bottom - R.top - kCheckSize) / 2, *m_plotCanvas,
                     series->Active(), m_checkStyle == cbsCheck);
    }
    if (m_columns[lcTitle].Visible) {
        dc.SelectFont(Font());
        const TColor ink = selected ? kHighlightText : m_fontSeriesColor ? series->SeriesColor() : FontColor();
        dc.SetTextColor(ink);
        dc.SetBkMode(BackMode::Transparent);
        dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
        const int y = R.top + (ItemHeight() - dc.GetTextExtent("W").cy) / 2;
        dc.TextOut(titleLeft + 1, y, ItemText(Index));
    }
}

// ---- mouse and keys ----

void TChartListBox::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    platform::TCustomListBox::MouseDown(Button, Shift, X, Y);
    const bool onItem = ItemAtPos(X, Y) >= 0;
    if (m_enableDragSeries && Button == Qt::LeftButton && !(Shift & (Qt::ShiftModifier | Qt::ControlModifier)) &&
        !m_doubleClicked && InColumn(lcTitle, X) && onItem)
        ArmDrag(X, Y);
    // a click on an item
    if (Button == Qt::LeftButton && onItem && OnRefresh)
        OnRefresh(*this);
}

void TChartListBox::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    platform::TCustomListBox::MouseMove(Shift, X, Y);
    if (Dragging())
        return;
    if ((m_enableChangeType && InColumn(lcIcon, X)) || (m_enableChangeColor && InColumn(lcColor, X)))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TChartListBox::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const bool dropped = Dragging();
    platform::TCustomListBox::MouseUp(Button, Shift, X, Y);
    m_doubleClicked = false;
    if (TitleEditing())
        EndTitleEdit(true);
    if (dropped || ItemIndex() < 0)
        return;
    const int item = ItemAtPos(X, Y);
    TChartSeries* series = SeriesAt(item);
    if (series && InColumn(lcActive, X)) {
        if (m_checkStyle == cbsRadio) {
            for (int i = 0; i < Count(); ++i)
                if (TChartSeries* s = SeriesAt(i))
                    s->SetActive(i == item);
        } else {
            series->SetActive(!series->Active());
        }
        if (!series->ParentChart())
            Invalidate();
        if (OnChangeActive)
            OnChangeActive(*this, *series);
    }
    if (OnOtherItemsChange)
        OnOtherItemsChange(*this);
}

void TChartListBox::DblClick(Qt::KeyboardModifiers, int X, int Y)
{
    m_doubleClicked = true;
    const int item = ItemAtPos(X, Y);
    TChartSeries* series = SeriesAt(item);
    if (!series || !Selected(item))
        return;
    if (InColumn(lcColor, X)) {
        if (!m_enableChangeColor || !ShowsColor(*series))
            return;
        TColor c = series->SeriesColor();
        if (!EditColor(this, c))
            return;
        series->SetSeriesColor(c);
        series->SetColorEachPoint(false);
        if (OnChangeColor)
            OnChangeColor(*this, *series);
    } else if (InColumn(lcTitle, X)) {
        if (OnDblClickSeries)
            OnDblClickSeries(*this, item);
    } else if (InColumn(lcIcon, X) && m_enableChangeType && OnChangeSeriesType) {
        OnChangeSeriesType(*this, *series);
    }
}

void TChartListBox::KeyUp(int& Key, Qt::KeyboardModifiers)
{
    switch (Key) {
    case Qt::Key_Delete:
        if (m_allowDeleteSeries)
            DeleteSeries();
        break;
    case Qt::Key_F2:
        if (SelectedSeries())
            StartTitleEdit();
        break;
    case Qt::Key_Insert:
        if (m_allowAddSeries && OnAddSeries)
            OnAddSeries(*this);
        break;
    default:
        return;
    }
    Key = 0;
}

bool TChartListBox::DragOver(int, int) { return m_enableDragSeries; }

void TChartListBox::DragDrop(int X, int Y)
{
    const int current = ItemIndex();
    const int target = ItemAtPos(X, Y);
    if (target < 0 || target == current || current < 0)
        return;
    TChartSeries* moved = SeriesAt(current);
    TChartSeries* other = SeriesAt(target);
    if (!moved || !other)
        return;
    ExchangeItems(current, target);
    if (m_chart)
        m_chart->ExchangeSeries(moved, other);
    if (OnChangeOrder)
        OnChangeOrder(*this, *moved, *other);
    if (isVisible())
        setFocus();
    SetItemIndex(IndexOfObject(moved));
    if (OnRefresh)
        OnRefresh(*this);
}

// ---- delete and title edit ----

void TChartListBox::DeleteSeries()
{
    if (MultiSelect() && SelCount() == 0 && ItemIndex() >= 0)
        SetSelected(ItemIndex(), true);
    // collect first: each deletion removes its item and renumbers the rest
    std::vector<QPointer<TChartSeries>> doomed;
    if (MultiSelect()) {
        for (int i = 0; i < Count(); ++i)
            if (Selected(i) && SeriesAt(i))
                doomed.emplace_back(SeriesAt(i));
    } else if (TChartSeries* s = SelectedSeries()) {
        doomed.emplace_back(s);
    }
    if (doomed.empty())
        return;
    if (m_askDelete) {
        const std::string name = doomed.size() > 1 ? PlotMsgSelectedSeries : ItemTextOf(*doomed.front());
        unsetCursor();
        if (!DeleteQuestion(name, this))
            return;
    }
    for (const QPointer<TChartSeries>& s : doomed)
        delete s.data();
    if (Count() > 0)
        SetItemIndex(0);
    if (OnRefresh)
        OnRefresh(*this);
}

bool TChartListBox::TitleEditing() const { return m_titleEdit && m_titleEdit->isVisibleTo(this); }

void TChartListBox::StartTitleEdit()
{
    TChartSeries* series = SelectedSeries();
    if (!series)
        return;
    if (!m_titleEdit) {
        auto* edit = new TTitleEdit(this);
        edit->OnKey = [this](int Key) {
            switch (Key) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_F2:
                EndTitleEdit(true);
                return true;
            case Qt::Key_Escape:
                EndTitleEdit(false);
                return true;
            default:
                return false;
            }
        };
        m_titleEdit = edit;
    }
    const platform::Rect r = ItemRect(ItemIndex());
    const QPoint origin = ClientOrigin();
    m_titleEdit->setGeometry(origin.x() + ColumnLeft(lcTitle) - 2, origin.y() + r.top, m_columns[lcTitle].Width,
                             ItemHeight());
    m_titleEdit->setText(QString::fromStdString(series->Title()));
    m_titleEdit->show();
    m_titleEdit->selectAll();
    m_titleEdit->setFocus();
}

void TChartListBox::EndTitleEdit(bool Accept)
{
    if (!TitleEditing())
        return;
    m_titleEdit->hide();
    if (Accept)
        if (TChartSeries* series = SelectedSeries())
            series->SetTitle(m_titleEdit->text().toStdString());
    if (isVisible())
        setFocus();
    Invalidate();
}
