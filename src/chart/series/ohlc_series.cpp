#include "chart/series/ohlc_series.h"

#include <algorithm>
#include <cmath>

#include "chart/chart_messages.h"
#include "chart/plot_function.h"
#include "platform/clock.h"

TOHLCSeries::TOHLCSeries(QObject* Owner) : TCustomSeries(Owner)
{
    // date-time is the list's default here: not streamed unless cleared
    XValues().InitDateTime(true);
    XValues().SetName(ProMsgStyleDate);
    YValues().SetName(ProMsgStyleClose);
    m_high = &CreateValueList(ProMsgStyleHigh);
    m_low = &CreateValueList(ProMsgStyleLow);
    m_open = &CreateValueList(ProMsgStyleOpen);
}

int TOHLCSeries::ListIndex(const TChartValueList* List) const
{
    for (int i = 0; i < ValuesListCount(); ++i)
        if (&ValuesList(i) == List)
            return i;
    return -1;
}

void TOHLCSeries::SetHighValues(const TChartValueList& Value)
{
    AssignValueList(ListIndex(m_high), Value);
}

void TOHLCSeries::SetLowValues(const TChartValueList& Value)
{
    AssignValueList(ListIndex(m_low), Value);
}

void TOHLCSeries::SetOpenValues(const TChartValueList& Value)
{
    AssignValueList(ListIndex(m_open), Value);
}

int TOHLCSeries::AddOHLC(double ADate, double AOpen, double AHigh, double ALow, double AClose)
{
    m_high->TempValue = AHigh;
    m_low->TempValue = ALow;
    m_open->TempValue = AOpen;
    return AddXY(ADate, AClose);
}

double TOHLCSeries::MaxYValue() const
{
    return std::max({CloseValues().MaxValue(), m_open->MaxValue(), m_high->MaxValue(), m_low->MaxValue()});
}

double TOHLCSeries::MinYValue() const
{
    return std::min({CloseValues().MinValue(), m_open->MinValue(), m_high->MinValue(), m_low->MinValue()});
}

void TOHLCSeries::AddSampleValues(int NumValues, bool)
{
    if (NumValues <= 0)
        return;
    // one point a day from today; prices between 0 and 1000
    const double yMin = 0;
    const double range = 1000;
    double date = std::floor(platform::CurrentClock().Now());
    double open = RandomValue(static_cast<int>(range)) + yMin;
    const double drift = range / 50;
    for (int i = 0; i < NumValues; ++i) {
        const double close = open + RandomValue(static_cast<int>(drift * 2)) - drift;
        const double spread = RandomValue(static_cast<int>(drift)) + 1;
        double high, low;
        if (close <= open) {
            high = open + spread + RandomValue(3);
            low = close - spread - RandomValue(3);
        } else {
            high = close + spread + RandomValue(3);
            low = open - spread - RandomValue(3);
        }
        AddOHLC(date, open, high, low, close);
        date += 1;
        open = close + RandomValue(10) - 5;
    }
}

bool TOHLCSeries::IsValidSourceOf(const QObject* Source) const
{
    if (FunctionType())
        return TCustomSeries::IsValidSourceOf(Source);
    return qobject_cast<const TOHLCSeries*>(Source) && Source != this;
}

const TPropertyTable<TCustomChartElement>& TOHLCSeries::Properties()
{
    using S = TOHLCSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomSeries::Properties())
            .Object(
                "CloseValues", [](const S& s) { return &s.CloseValues(); }, [](S& s) { return &s.CloseValues(); },
                nullptr, TChartValueList::Properties())
            .Object(
                "DateValues", [](const S& s) { return &s.DateValues(); }, [](S& s) { return &s.DateValues(); },
                nullptr, TChartValueList::Properties())
            .Object(
                "HighValues", [](const S& s) { return &s.HighValues(); }, [](S& s) { return &s.HighValues(); },
                nullptr, TChartValueList::Properties())
            .Object(
                "LowValues", [](const S& s) { return &s.LowValues(); }, [](S& s) { return &s.LowValues(); },
                nullptr, TChartValueList::Properties())
            .Object(
                "OpenValues", [](const S& s) { return &s.OpenValues(); }, [](S& s) { return &s.OpenValues(); },
                nullptr, TChartValueList::Properties());
    return table;
}
