#include "platform/curve_raster_cache.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<bool> g_enabled{true};

// Entries and stored pixels kept before the cache starts again.
constexpr std::size_t kMaxEntries = 4096;
constexpr std::size_t kMaxItems = std::size_t{4} << 20;

}  // namespace

CurveRasterCache& CurveRasterCache::ForThread()
{
    thread_local CurveRasterCache cache;
    return cache;
}

void CurveRasterCache::SetEnabled(bool enabled) { g_enabled.store(enabled, std::memory_order_relaxed); }

bool CurveRasterCache::Enabled() { return g_enabled.load(std::memory_order_relaxed); }

std::size_t CurveRasterCache::Hash::operator()(const CurveShapeKey& k) const
{
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](int v) {
        h ^= static_cast<std::uint32_t>(v);
        h *= 1099511628211ull;
    };
    mix(k.kind);
    mix(k.width);
    mix(k.height);
    for (int v : k.extra)
        mix(v);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

CurveRaster& CurveRasterCache::Find(const CurveShapeKey& key)
{
    auto it = m_entries.find(key);
    if (it != m_entries.end())
        return it->second;
    if (m_entries.size() >= kMaxEntries || m_items >= kMaxItems) {
        m_entries.clear();
        m_items = 0;
    }
    return m_entries[key];
}

void CurveRasterCache::Grew(std::size_t items) { m_items += items; }

}  // namespace platform
