#pragma once
// The fuzzer's bytes read one at a time; past the end every byte is 0.
#include <cstddef>
#include <cstdint>

class TFuzzBytes {
public:
    TFuzzBytes(const std::uint8_t* Data, std::size_t Size) : m_data(Data), m_size(Size) {}
    bool More() const { return m_pos < m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
