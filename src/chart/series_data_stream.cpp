// The binary "Data" property of a series: a flags byte, the point count and
// one record per point (little-endian; labels as windows-1252 bytes).
#include <cstring>

#include "base/utf8_text.h"
#include "chart/chart_series.h"

namespace {

enum : std::uint8_t { dfX = 1, dfColors = 2, dfLabels = 4, dfPositions = 8 };
constexpr std::size_t kPositionSize = 34;

class TDataWriter {
public:
    void Reserve(std::size_t n) { m_out.reserve(n); }
    void Byte(std::uint8_t b) { m_out.push_back(b); }
    void Int32(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            m_out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void Double(double v)
    {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i)
            m_out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void Bytes(const std::string& s) { m_out.insert(m_out.end(), s.begin(), s.end()); }
    std::vector<std::uint8_t> Take() { return std::move(m_out); }

private:
    std::vector<std::uint8_t> m_out;
};

class TDataReader {
public:
    explicit TDataReader(std::span<const std::uint8_t> d) : m_d(d) {}
    std::size_t Left() const { return m_d.size() - m_pos; }
    std::uint8_t Byte() { return *Take(1); }
    std::int32_t Int32()
    {
        const std::uint8_t* p = Take(4);
        return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
    }
    double Double()
    {
        const std::uint8_t* p = Take(8);
        std::uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = (u << 8) | p[i];
        double v;
        std::memcpy(&v, &u, 8);
        return v;
    }
    std::string Bytes(std::size_t n)
    {
        const std::uint8_t* p = Take(n);
        return std::string(reinterpret_cast<const char*>(p), n);
    }

private:
    const std::uint8_t* Take(std::size_t n)
    {
        if (n > Left())
            throw EReadError("Stream read error");
        const std::uint8_t* p = m_d.data() + m_pos;
        m_pos += n;
        return p;
    }
    std::span<const std::uint8_t> m_d;
    std::size_t m_pos = 0;
};

void WritePosition(TDataWriter& w, const TSeriesMarkPosition& p)
{
    w.Int32(p.ArrowFrom.X);
    w.Int32(p.ArrowFrom.Y);
    w.Byte(p.ArrowFix ? 1 : 0);
    w.Int32(p.ArrowTo.X);
    w.Int32(p.ArrowTo.Y);
    w.Byte(p.Custom ? 1 : 0);
    w.Int32(p.Height);
    w.Int32(p.LeftTop.X);
    w.Int32(p.LeftTop.Y);
    w.Int32(p.Width);
}

void ReadPosition(TDataReader& r, TSeriesMarkPosition& p)
{
    p.ArrowFrom.X = r.Int32();
    p.ArrowFrom.Y = r.Int32();
    p.ArrowFix = r.Byte() != 0;
    p.ArrowTo.X = r.Int32();
    p.ArrowTo.Y = r.Int32();
    p.Custom = r.Byte() != 0;
    p.Height = r.Int32();
    p.LeftTop.X = r.Int32();
    p.LeftTop.Y = r.Int32();
    p.Width = r.Int32();
}

}  // namespace

std::vector<std::uint8_t> TChartSeries::WriteData() const
{
    const int n = Count();
    const TChartValueList& x = NotMandatoryValueList();
    const TChartValueList& value = MandatoryValueList();
    // every point decides, not only the first ones
    std::uint8_t flags = 0;
    if (n > 0 && HasNonSequentialX())
        flags |= dfX;
    const TColor seriesColor = SeriesColor();
    for (int i = 0; i < n && m_colors; ++i) {
        const TColor c = ValueColor(i);
        if (c != clDefault && c != seriesColor) {
            flags |= dfColors;
            break;
        }
    }
    if (m_labels.Count() > 0 && m_labels.AnyNonEmpty(n - 1))
        flags |= dfLabels;
    if (m_marks->ExistCustom())
        flags |= dfPositions;

    TDataWriter w;
    const std::size_t record = 8 + ((flags & dfX) ? 8 : 0) + ((flags & dfColors) ? 4 : 0) +
                               ((flags & dfLabels) ? 1 : 0) + 8 * static_cast<std::size_t>(ValuesListCount() - 2) +
                               ((flags & dfPositions) ? kPositionSize : 0);
    w.Reserve(5 + record * static_cast<std::size_t>(n));
    w.Byte(flags);
    w.Int32(n);
    const TSeriesMarkPosition defaultPosition;
    for (int i = 0; i < n; ++i) {
        if (flags & dfX)
            w.Double(x.Value(i));
        w.Double(value.Value(i));
        if (flags & dfColors)
            w.Int32(static_cast<std::int32_t>(ValueColor(i)));
        if (flags & dfLabels) {
            // at most 255 bytes, cut between characters
            const std::string bytes = Utf8ToWindows1252(m_labels.Label(i), 255);
            w.Byte(static_cast<std::uint8_t>(bytes.size()));
            w.Bytes(bytes);
        }
        for (int k = 2; k < ValuesListCount(); ++k)
            w.Double(ValuesList(k).Value(i));
        if (flags & dfPositions) {
            const TSeriesMarkPosition* p = m_marks->Position(i);
            WritePosition(w, p ? *p : defaultPosition);
        }
    }
    return w.Take();
}

void TChartSeries::ReadData(std::span<const std::uint8_t> Data)
{
    Clear();
    const int lock = m_updateLock;
    BeginUpdate();
    try {
        TDataReader r(Data);
        const std::uint8_t flags = r.Byte();
        const std::int32_t n = r.Int32();
        const int extra = ValuesListCount() - 2;
        const std::size_t smallest = 8 + ((flags & dfX) ? 8 : 0) + ((flags & dfColors) ? 4 : 0) +
                                     ((flags & dfLabels) ? 1 : 0) + 8 * static_cast<std::size_t>(extra) +
                                     ((flags & dfPositions) ? kPositionSize : 0);
        if (n < 0 || static_cast<std::size_t>(n) > r.Left() / smallest)
            throw EReadError("Stream read error");
        for (int i = 0; i < n; ++i) {
            double a = (flags & dfX) ? r.Double() : static_cast<double>(i);
            double b = r.Double();
            if (!YMandatory())
                std::swap(a, b);
            const TColor color = (flags & dfColors) ? static_cast<TColor>(r.Int32()) : clDefault;
            std::string label;
            if (flags & dfLabels)
                label = Windows1252ToUtf8(r.Bytes(r.Byte()));
            for (int k = 0; k < extra; ++k)
                ValuesList(k + 2).TempValue = r.Double();
            AddXY(a, b, label, color);
            if (flags & dfPositions) {
                auto p = std::make_unique<TSeriesMarkPosition>();
                ReadPosition(r, *p);
                m_marks->AppendPosition(std::move(p));
            }
        }
        if (r.Left() != 0)
            throw EReadError("Stream read error");
    } catch (...) {
        m_updateLock = lock;
        Clear();
        throw;
    }
    EndUpdate();
    m_updateLock = lock;
    m_streamedData = true;
}
