#pragma once
// The class library's binary property format, as far as stored chart objects use
// it: value-type bytes, length-prefixed names and strings, lists and collections.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Value-type bytes of the binary format.
enum TValueType : std::uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6,
    vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13,
    vaCollection = 14, vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
    vaUTF8String = 20
};

class EFilerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};
class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// One property value as read.
struct TPropertyValue {
    TValueType Type = vaNull;
    std::int64_t Int = 0;
    std::string Str;  // strings and identifiers, UTF-8
    long double Float = 0;  // vaExtended, vaSingle
    bool IsInteger() const { return Type == vaInt8 || Type == vaInt16 || Type == vaInt32 || Type == vaInt64; }
    bool IsBoolean() const { return Type == vaFalse || Type == vaTrue; }
    bool IsString() const
    {
        return Type == vaString || Type == vaLString || Type == vaUTF8String || Type == vaWString;
    }
};

class TPropertyWriter {
public:
    void WriteValueType(TValueType t) { m_data.push_back(t); }
    void WriteListBegin() { WriteValueType(vaList); }
    void WriteListEnd() { WriteValueType(vaNull); }
    void WritePropName(const std::string& name);
    // Smallest integer type that holds the value.
    void WriteInteger(std::int64_t value);
    void WriteBoolean(bool value) { WriteValueType(value ? vaTrue : vaFalse); }
    void WriteString(const std::string& value);
    void WriteIdent(const std::string& value);
    // 80-bit extended, as the system stores Double properties.
    void WriteFloat(long double value);
    // A binary property value: its length as a 32-bit integer, then the bytes.
    void WriteBinary(std::span<const std::uint8_t> bytes);
    const std::vector<std::uint8_t>& Data() const { return m_data; }

private:
    void WriteBytes(const void* p, std::size_t n);
    std::vector<std::uint8_t> m_data;
};

// Reads from a byte range; every overrun, negative length or unknown value type
// raises EReadError.
class TPropertyReader {
public:
    explicit TPropertyReader(std::span<const std::uint8_t> data) : m_data(data) {}

    bool EndOfList() const { return m_pos < m_data.size() && m_data[m_pos] == vaNull; }
    bool AtEnd() const { return m_pos >= m_data.size(); }
    TValueType NextValue() const;
    TValueType ReadValueType();
    void ReadListBegin();
    void ReadListEnd();
    std::string ReadPropName();
    std::int64_t ReadInteger();
    std::string ReadString();
    // The bytes of a binary value (raises EReadError for any other value).
    std::span<const std::uint8_t> ReadBinary();
    TPropertyValue ReadValue();
    // Skips one value of any type.
    void SkipValue() { ReadValue(); }
    std::size_t Position() const { return m_pos; }

private:
    const std::uint8_t* Take(std::size_t n);
    std::int32_t ReadLength();
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
    int m_depth = 0;
};
