#include "chart/property_stream.h"

#include "base/utf8_text.h"

#include <cstring>
#include <limits>

namespace {

const char* const ReadErrorText = "Stream read error";

std::string Latin1ToUtf8(const std::uint8_t* p, std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        AppendUtf8(out, p[i]);
    return out;
}

// Little-endian UTF-16 code units; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::uint8_t* p, std::size_t units)
{
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t c = p[2 * i] | (p[2 * i + 1] << 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            const std::uint32_t d = p[2 * i + 2] | (p[2 * i + 3] << 8);
            if (d >= 0xDC00 && d < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

void TPropertyWriter::WriteBytes(const void* p, std::size_t n)
{
    auto* b = static_cast<const std::uint8_t*>(p);
    m_data.insert(m_data.end(), b, b + n);
}

void TPropertyWriter::WritePropName(const std::string& name)
{
    const auto n = static_cast<std::uint8_t>(name.size() > 255 ? 255 : name.size());
    m_data.push_back(n);
    WriteBytes(name.data(), n);
}

void TPropertyWriter::WriteInteger(std::int64_t value)
{
    // little-endian, as stored on the system
    if (value >= -128 && value <= 127) {
        WriteValueType(vaInt8);
        m_data.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    } else if (value >= -32768 && value <= 32767) {
        WriteValueType(vaInt16);
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        m_data.push_back(v & 0xFF);
        m_data.push_back(v >> 8);
    } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        WriteValueType(vaInt32);
        const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
        for (int i = 0; i < 4; ++i)
            m_data.push_back((v >> (8 * i)) & 0xFF);
    } else {
        WriteValueType(vaInt64);
        const auto v = static_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i)
            m_data.push_back((v >> (8 * i)) & 0xFF);
    }
}

void TPropertyWriter::WriteString(const std::string& value)
{
    bool ascii = true;
    for (unsigned char c : value)
        ascii = ascii && c < 0x80;
    if (ascii && value.size() <= 255) {
        WriteValueType(vaString);
        m_data.push_back(static_cast<std::uint8_t>(value.size()));
        WriteBytes(value.data(), value.size());
        return;
    }
    WriteValueType(vaUTF8String);
    const auto n = static_cast<std::uint32_t>(value.size());
    for (int i = 0; i < 4; ++i)
        m_data.push_back((n >> (8 * i)) & 0xFF);
    WriteBytes(value.data(), value.size());
}

void TPropertyWriter::WriteIdent(const std::string& value)
{
    WriteValueType(vaIdent);
    WritePropName(value);
}

void TPropertyWriter::WriteFloat(long double value)
{
    static_assert(std::numeric_limits<long double>::digits == 64, "80-bit extended expected");
    WriteValueType(vaExtended);
    WriteBytes(&value, 10);
}

const std::uint8_t* TPropertyReader::Take(std::size_t n)
{
    if (n > m_data.size() - m_pos)
        throw EReadError(ReadErrorText);
    const std::uint8_t* p = m_data.data() + m_pos;
    m_pos += n;
    return p;
}

TValueType TPropertyReader::NextValue() const
{
    if (m_pos >= m_data.size())
        throw EReadError(ReadErrorText);
    return static_cast<TValueType>(m_data[m_pos]);
}

TValueType TPropertyReader::ReadValueType()
{
    const std::uint8_t t = *Take(1);
    if (t > vaUTF8String)
        throw EReadError(ReadErrorText);
    return static_cast<TValueType>(t);
}

void TPropertyReader::ReadListBegin()
{
    if (ReadValueType() != vaList)
        throw EReadError(ReadErrorText);
}

void TPropertyReader::ReadListEnd()
{
    if (ReadValueType() != vaNull)
        throw EReadError(ReadErrorText);
}

std::string TPropertyReader::ReadPropName()
{
    const std::uint8_t n = *Take(1);
    const auto* p = Take(n);
    return std::string(reinterpret_cast<const char*>(p), n);
}

std::int32_t TPropertyReader::ReadLength()
{
    const std::uint8_t* p = Take(4);
    const std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    const auto n = static_cast<std::int32_t>(v);
    if (n < 0)
        throw EReadError(ReadErrorText);
    return n;
}

std::int64_t TPropertyReader::ReadInteger()
{
    TPropertyValue v = ReadValue();
    if (!v.IsInteger())
        throw EReadError(ReadErrorText);
    return v.Int;
}

std::string TPropertyReader::ReadString()
{
    TPropertyValue v = ReadValue();
    if (!v.IsString())
        throw EReadError(ReadErrorText);
    return v.Str;
}

void TPropertyWriter::WriteBinary(std::span<const std::uint8_t> bytes)
{
    WriteValueType(vaBinary);
    const auto n = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        m_data.push_back((n >> (8 * i)) & 0xFF);
    WriteBytes(bytes.data(), bytes.size());
}

std::span<const std::uint8_t> TPropertyReader::ReadBinary()
{
    if (ReadValueType() != vaBinary)
        throw EReadError(ReadErrorText);
    const std::int32_t n = ReadLength();
    return {Take(static_cast<std::size_t>(n)), static_cast<std::size_t>(n)};
}

TPropertyValue TPropertyReader::ReadValue()
{
    // nesting is bounded so that a hostile stream cannot exhaust the stack
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth)
        {
            if (++d > 64)
                throw EReadError(ReadErrorText);
        }
        ~Depth() { --d; }
    } depth(m_depth);
    TPropertyValue v;
    v.Type = ReadValueType();
    switch (v.Type) {
    case vaNull:
    case vaNil:
    case vaFalse:
    case vaTrue:
        v.Int = v.Type == vaTrue;
        break;
    case vaInt8:
        v.Int = static_cast<std::int8_t>(*Take(1));
        break;
    case vaInt16: {
        const std::uint8_t* p = Take(2);
        v.Int = static_cast<std::int16_t>(p[0] | (p[1] << 8));
        break;
    }
    case vaInt32: {
        const std::uint8_t* p = Take(4);
        v.Int = static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
        break;
    }
    case vaInt64: {
        const std::uint8_t* p = Take(8);
        std::uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = (u << 8) | p[i];
        v.Int = static_cast<std::int64_t>(u);
        break;
    }
    case vaString:
    case vaIdent: {
        const std::uint8_t n = *Take(1);
        v.Str.assign(reinterpret_cast<const char*>(Take(n)), n);
        break;
    }
    case vaLString:
    case vaUTF8String: {
        const std::int32_t n = ReadLength();
        const auto* p = Take(static_cast<std::size_t>(n));
        if (v.Type == vaLString)
            v.Str = Latin1ToUtf8(p, static_cast<std::size_t>(n));
        else
            v.Str.assign(reinterpret_cast<const char*>(p), n);
        break;
    }
    case vaWString: {
        const std::int32_t n = ReadLength();
        if (static_cast<std::size_t>(n) > (m_data.size() - m_pos) / 2)
            throw EReadError(ReadErrorText);
        const auto* p = Take(static_cast<std::size_t>(n) * 2);
        v.Str = Utf16ToUtf8(p, static_cast<std::size_t>(n));
        break;
    }
    case vaBinary: {
        const std::int32_t n = ReadLength();
        Take(static_cast<std::size_t>(n));
        break;
    }
    case vaExtended:
        std::memcpy(&v.Float, Take(10), 10);
        break;
    case vaSingle: {
        float f = 0;
        std::memcpy(&f, Take(4), 4);
        v.Float = f;
        break;
    }
    case vaCurrency:
    case vaDate:
        Take(8);
        break;
    case vaSet:
        while (true) {
            const std::uint8_t n = *Take(1);
            if (n == 0)
                break;
            Take(n);
        }
        break;
    case vaList:
        while (!EndOfList())
            ReadValue();
        ReadListEnd();
        break;
    case vaCollection:
        while (!EndOfList()) {
            if (NextValue() == vaInt8 || NextValue() == vaInt16 || NextValue() == vaInt32)
                ReadValue();
            ReadListBegin();
            while (!EndOfList()) {
                ReadPropName();
                ReadValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    }
    return v;
}
