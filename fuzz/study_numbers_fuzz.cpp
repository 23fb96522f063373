// Reads arbitrary text as the study document's numbers: the tolerant decimal
// reading (a comma counts as the point), whole numbers of attributes and
// element texts, colour names and the time texts built from a number. A
// number read agrees with the C library's reading of the same text.
#include "core/text_routines.h"
#include "platform/xml_dom.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::size_t g_sink = 0;

void CheckDecimal(std::string_view text)
{
    const double v = TextToFloat(text);
    if (v == kInvalidNumber)
        return;
    if (!std::isfinite(v))
        std::abort();
    // the same text with a point, read by strtod in the "C" locale
    std::string dotted(text);
    if (const auto comma = dotted.find(','); comma != std::string::npos)
        dotted[comma] = '.';
    if (dotted.find('\0') != std::string::npos)
        std::abort();  // a NUL is no part of a number
    if (std::fabs(v) >= DBL_MIN) {
        char* end = nullptr;
        const double reference = std::strtod(dotted.c_str(), &end);
        if (reference != v)
            std::abort();
    }
    g_sink += FormatTimeHMS(v).size();
}

void CheckInteger(std::string_view text)
{
    platform::XmlDocument doc = platform::XmlDocument::LoadFromBytes("<a/>");
    platform::XmlElement a = doc.DocumentElement();
    a.SetAttribute("v", text);
    a.SetText(text);
    for (int kind = 0; kind < 2; ++kind) {
        int v = 0;
        try {
            v = kind == 0 ? a.AttributeInteger("v") : a.TextInteger();
        } catch (const platform::XmlConversionError&) {
            continue;
        }
        const std::string stored = kind == 0 ? a.AttributeText("v") : a.Text();
        if (stored.find_first_not_of(" \t\r\n") == std::string::npos)
            continue;  // no text at all reads as 0
        errno = 0;
        const long reference = std::strtol(stored.c_str(), nullptr, 10);
        if (errno != 0 || reference != v)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckDecimal(text);
    CheckInteger(text);
    g_sink += static_cast<std::size_t>(ColorNameToColor(text));
    g_sink += DistributionKind(text);
    std::string url;
    AppDirURL(text, url);
    g_sink += url.size();
    return 0;
}
