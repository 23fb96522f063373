#pragma once
// The pixels of curved shapes by their size: the one-pixel outline and the
// fill inside it of an ellipse, rounded rectangle, pie or chord, worked out
// once relative to the shape's box and moved to each place it is drawn. Kept
// per thread; emptied when it grows past its limit.
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/raster_geometry.h"

namespace platform {

// A shape by its kind and its geometry relative to its box's corner.
struct CurveShapeKey {
    int kind = 0;
    int width = 0;
    int height = 0;
    std::array<int, 5> extra{};  // corner size, radial points, direction
    friend bool operator==(const CurveShapeKey&, const CurveShapeKey&) = default;
};

// A shape's pixels relative to its box's corner.
struct CurveRaster {
    bool built = false;
    bool shiftable = false;             // the outline moves exactly with the box
    std::vector<Point> vertices;        // the outline's rounded points
    std::vector<Point> outline;         // its pixels, each once, in drawing order
    std::array<bool, 2> fillReady{};    // by poly-fill mode
    bool fillShiftable = true;          // the fill moves exactly with the box
    std::array<SpanList, 2> fill;       // the fill inside the outline, by poly-fill mode
};

class CurveRasterCache {
public:
    // The thread's cache.
    static CurveRasterCache& ForThread();
    // Off: shapes, and solid wide-pen lines, are drawn without their caches
    // (the reference for comparisons).
    static void SetEnabled(bool enabled);
    static bool Enabled();

    // The shape's entry; a new one is not built yet.
    CurveRaster& Find(const CurveShapeKey& key);
    // Counts the pixels an entry holds against the limit.
    void Grew(std::size_t items);

private:
    struct Hash {
        std::size_t operator()(const CurveShapeKey& k) const;
    };
    std::unordered_map<CurveShapeKey, CurveRaster, Hash> m_entries;
    std::size_t m_items = 0;
};

}  // namespace platform
