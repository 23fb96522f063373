#include "core/variable_records.h"

#include <stdexcept>

namespace {

bool validPosition(int position, std::size_t count)
{
    return position >= 1 && static_cast<std::size_t>(position) <= count;
}

} // namespace

const tLevels* tCatVar::Level(int position) const
{
    return validPosition(position, Levels.size()) ? &Levels[static_cast<std::size_t>(position) - 1] : nullptr;
}

tLevels* tCatVar::Level(int position)
{
    return validPosition(position, Levels.size()) ? &Levels[static_cast<std::size_t>(position) - 1] : nullptr;
}

void TTraceList::Add(std::string line)
{
    m_lines.push_back(std::move(line));
}

void TTraceList::Clear()
{
    m_lines.clear();
}

int TTraceList::Count() const
{
    return static_cast<int>(m_lines.size());
}

const std::string& TTraceList::Strings(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_lines.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return m_lines[static_cast<std::size_t>(index)];
}

TTraceList& TraceList()
{
    // Never destroyed, so late users at shut-down still find it.
    static TTraceList* list = new TTraceList;
    return *list;
}
