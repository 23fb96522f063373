#pragma once
// Errors the chart engine raises, with texts of its message table.
#include <stdexcept>

class ChartException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class AxisException : public ChartException {
public:
    using ChartException::ChartException;
};
