#pragma once
// Lines of a chart text (titles, legend title), streamed as "Strings": a list
// of strings. Any change calls OnChange.
#include <functional>
#include <string>
#include <vector>

#include "chart/property_model.h"

class TChartStrings {
public:
    explicit TChartStrings(std::function<void()> OnChange = {}) : m_onChange(std::move(OnChange)) {}

    static const TPropertyTable<TChartStrings>& Properties();

    int Count() const { return static_cast<int>(m_lines.size()); }
    bool Empty() const { return m_lines.empty(); }
    const std::string& operator[](int Index) const { return m_lines[static_cast<std::size_t>(Index)]; }
    const std::vector<std::string>& Lines() const { return m_lines; }
    void SetLines(const std::vector<std::string>& Value);
    void Add(const std::string& Line);
    void Clear();
    // The lines joined by carriage returns.
    std::string Text() const;

    void Assign(const TChartStrings& Source) { SetLines(Source.m_lines); }

private:
    void Changed()
    {
        if (m_onChange)
            m_onChange();
    }
    std::function<void()> m_onChange;
    std::vector<std::string> m_lines;
};
