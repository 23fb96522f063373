#pragma once
// Running outside tools from tests: whether a program is on the path, and
// PSPP's CSV output (pspp -O format=csv) read back as rows of fields by table.
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

inline bool OnPath(const char* program)
{
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Fields of one CSV line; quotes group, carriage returns are dropped.
inline std::vector<std::string> SplitCsv(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else if (c != '\r')
            field += c;
    }
    fields.push_back(field);
    return fields;
}

using TPsppTables = std::map<std::string, std::vector<std::vector<std::string>>>;

// Rows of each table of the output, by the table's title.
inline TPsppTables ReadPsppCsv(const std::string& file)
{
    TPsppTables tables;
    std::ifstream in(file);
    std::string line;
    std::string title;
    while (std::getline(in, line)) {
        if (line.rfind("Table: ", 0) == 0)
            title = line.substr(7);
        else if (!line.empty() && !title.empty())
            tables[title].push_back(SplitCsv(line));
    }
    return tables;
}
