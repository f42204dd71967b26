#pragma once

// Gathering the pieces of one isoband into polygons: a side two pieces share is dropped,
// the sides left over are chained into rings, and each hole goes to the smallest exterior
// around it. Vertices are matched by their exact coordinates, which neighbouring squares
// compute identically on the sides they share.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "maps/noise_map_isobands.h"

class CBandRingBuilder {
public:
    // A convex piece, counter-clockwise, not closed.
    void AddPiece(const std::vector<CMapPoint>& piece);
    // Adds the pieces another builder gathered (of other squares of the same band).
    void Join(const CBandRingBuilder& other);
    // The polygons of every piece added so far. Each ring starts at its lowest point (least
    // u, then least v) and the rings come in the order of those points, so the polygons do
    // not depend on the order the pieces came in.
    std::vector<CMapPolygon> Polygons() const;

private:
    struct CKeyHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const
        {
            return std::hash<std::uint64_t>()(k.first * 0x9E3779B97F4A7C15ULL ^ k.second);
        }
    };

    std::uint32_t VertexId(const CMapPoint& p);
    void AddSide(std::uint32_t a, std::uint32_t b);
    std::size_t LeftmostSide(std::uint32_t from, std::uint32_t at, const std::vector<std::uint32_t>& next) const;
    std::vector<CMapRing> Rings() const;

    std::vector<CMapPoint> m_points;
    std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, std::uint32_t, CKeyHash> m_ids;
    // Directed sides (from << 32 | to) of the outline; a side added against one already
    // present cancels it.
    std::unordered_map<std::uint64_t, bool> m_sides;
};
