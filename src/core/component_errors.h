#pragma once
// Exceptions of the instrument and container component library. Every message
// reads: Component "<name>": <text>.
#include <stdexcept>
#include <string>
#include <string_view>

// Base class; never raised itself.
class ERukError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ERukVectorError : public ERukError {
public:
    using ERukError::ERukError;
};

class ERukMatrixError : public ERukError {
public:
    using ERukError::ERukError;
};

class ERukDataTableError : public ERukError {
public:
    using ERukError::ERukError;
};

class ERukNTabedError : public ERukError {
public:
    using ERukError::ERukError;
};

// Component "<name>": <text>
std::string ComponentMessage(std::string_view componentName, std::string_view text);

// The failure texts the containers use.
inline constexpr std::string_view kNotEnoughMemoryOnHeap = "not enough memory on heap";
inline constexpr std::string_view kNotEnoughMemory = "not enough memory";
inline constexpr std::string_view kFailedToInitialize = "failed to initialize (out of memory)";
