#include "chart/chart_strings.h"

const TPropertyTable<TChartStrings>& TChartStrings::Properties()
{
    using S = TChartStrings;
    static const TPropertyTable<S> table = TPropertyTable<S>::Of().Defined(
        "Strings",
        [](const S& s, TPropertyWriter& w) {
            w.WriteListBegin();
            for (const std::string& line : s.m_lines)
                w.WriteString(line);
            w.WriteListEnd();
        },
        [](S& s, TPropertyReader& r) {
            std::vector<std::string> lines;
            r.ReadListBegin();
            while (!r.EndOfList())
                lines.push_back(StringValue(r.ReadValue()));
            r.ReadListEnd();
            s.SetLines(lines);
        },
        [](const S& s) { return !s.m_lines.empty(); });
    return table;
}

void TChartStrings::SetLines(const std::vector<std::string>& Value)
{
    if (m_lines == Value)
        return;
    m_lines = Value;
    Changed();
}

void TChartStrings::Add(const std::string& Line)
{
    m_lines.push_back(Line);
    Changed();
}

void TChartStrings::Clear()
{
    if (m_lines.empty())
        return;
    m_lines.clear();
    Changed();
}

std::string TChartStrings::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += '\r';
        text += m_lines[i];
    }
    return text;
}
