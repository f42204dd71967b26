#include "maps/noise_map_band_rings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

std::uint64_t SideKey(std::uint32_t from, std::uint32_t to) { return (std::uint64_t(from) << 32) | to; }
std::uint32_t SideFrom(std::uint64_t key) { return std::uint32_t(key >> 32); }
std::uint32_t SideTo(std::uint64_t key) { return std::uint32_t(key & 0xFFFFFFFFU); }

// Bits of a coordinate, with -0 the same point as +0.
std::uint64_t CoordinateBits(double x) { return std::bit_cast<std::uint64_t>(x == 0.0 ? 0.0 : x); }

// The turn from direction (ax, ay) to (bx, by), in (-pi, pi]; left turns are positive.
double Turn(double ax, double ay, double bx, double by) { return std::atan2(ax * by - ay * bx, ax * bx + ay * by); }

bool Collinear(const CMapPoint& a, const CMapPoint& b, const CMapPoint& c)
{
    return (a.u == b.u && b.u == c.u) || (a.v == b.v && b.v == c.v);
}

// Drops the points in the middle of a straight run along a grid line (the outer edge of
// the map, the sides of squares wholly in the band), then closes the ring.
CMapRing Tidy(const std::vector<CMapPoint>& open)
{
    CMapRing ring;
    const std::size_t n = open.size();
    for (std::size_t i = 0; i < n; ++i)
        if (!Collinear(open[(i + n - 1) % n], open[i], open[(i + 1) % n]))
            ring.push_back(open[i]);
    if (ring.size() < 3)
        ring = open;
    ring.push_back(ring.front());
    return ring;
}

bool Inside(const CMapRing& ring, const CMapPoint& p)
{
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const CMapPoint &a = ring[i], &b = ring[j];
        if ((a.v > p.v) != (b.v > p.v) && p.u < (b.u - a.u) * (p.v - a.v) / (b.v - a.v) + a.u)
            in = !in;
    }
    return in;
}

struct CBox {
    double u0 = std::numeric_limits<double>::infinity(), v0 = u0, u1 = -u0, v1 = -u0;
    bool Holds(const CMapPoint& p) const { return p.u >= u0 && p.u <= u1 && p.v >= v0 && p.v <= v1; }
};

CBox BoxOf(const CMapRing& ring)
{
    CBox box;
    for (const CMapPoint& p : ring) {
        box.u0 = std::min(box.u0, p.u);
        box.u1 = std::max(box.u1, p.u);
        box.v0 = std::min(box.v0, p.v);
        box.v1 = std::max(box.v1, p.v);
    }
    return box;
}

bool Lower(const CMapPoint& a, const CMapPoint& b) { return a.u < b.u || (a.u == b.u && a.v < b.v); }

// Turns a closed ring to start (and end) at its lowest point.
void StartAtLowest(CMapRing& ring)
{
    if (ring.size() < 2)
        return;
    ring.pop_back();
    std::rotate(ring.begin(), std::min_element(ring.begin(), ring.end(), Lower), ring.end());
    ring.push_back(ring.front());
}

}  // namespace

double RingArea(const CMapRing& ring)
{
    double twice = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        twice += ring[i].u * ring[i + 1].v - ring[i + 1].u * ring[i].v;
    return 0.5 * twice;
}

std::uint32_t CBandRingBuilder::VertexId(const CMapPoint& p)
{
    const auto key = std::make_pair(CoordinateBits(p.u), CoordinateBits(p.v));
    const auto [it, added] = m_ids.try_emplace(key, std::uint32_t(m_points.size()));
    if (added)
        m_points.push_back(p);
    return it->second;
}

void CBandRingBuilder::AddPiece(const std::vector<CMapPoint>& piece)
{
    std::vector<std::uint32_t> ids;
    for (const CMapPoint& p : piece)
        ids.push_back(VertexId(p));
    for (std::size_t i = 0; i < ids.size(); ++i)
        AddSide(ids[i], ids[(i + 1) % ids.size()]);
}

void CBandRingBuilder::AddSide(std::uint32_t a, std::uint32_t b)
{
    if (a == b)
        return;
    if (m_sides.erase(SideKey(b, a)) == 0)
        m_sides.emplace(SideKey(a, b), true);
}

void CBandRingBuilder::Join(const CBandRingBuilder& other)
{
    for (const auto& side : other.m_sides)
        AddSide(VertexId(other.m_points[SideFrom(side.first)]), VertexId(other.m_points[SideTo(side.first)]));
}

// The side among `next` that turns most to the left after coming from `from` to `at`.
std::size_t CBandRingBuilder::LeftmostSide(std::uint32_t from, std::uint32_t at,
                                           const std::vector<std::uint32_t>& next) const
{
    std::size_t best = 0;
    double bestTurn = -10;
    const CMapPoint &p = m_points[from], &q = m_points[at];
    for (std::size_t k = 0; k < next.size(); ++k) {
        const CMapPoint& r = m_points[next[k]];
        const double turn = Turn(q.u - p.u, q.v - p.v, r.u - q.u, r.v - q.v);
        if (turn > bestTurn) {
            bestTurn = turn;
            best = k;
        }
    }
    return best;
}

// Chains the sides left into rings, interior on the left. Where several sides leave one
// vertex (patches meeting at a point), the sharpest left turn is taken: around a vertex
// the sides alternate in and out, so this pairs each side coming in with one going out,
// every ring stays simple and patches touching at a point stay apart. A ring closes when
// that choice leads back onto its first side.
std::vector<CMapRing> CBandRingBuilder::Rings() const
{
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> leaving;
    for (const auto& side : m_sides)
        leaving[SideFrom(side.first)].push_back(SideTo(side.first));
    std::vector<std::uint32_t> starts;
    for (const auto& entry : leaving)
        starts.push_back(entry.first);
    std::vector<CMapRing> rings;
    for (const std::uint32_t s : starts) {
        while (!leaving[s].empty()) {
            const std::uint32_t first = leaving[s].back();
            std::vector<CMapPoint> open{m_points[s]};
            std::uint32_t from = s, at = first;
            for (std::size_t steps = 0; steps <= m_sides.size(); ++steps) {
                std::vector<std::uint32_t>& next = leaving[at];
                if (next.empty())
                    break;  // an open outline: cannot happen for pieces that tile
                const std::size_t best = LeftmostSide(from, at, next);
                const std::uint32_t to = next[best];
                next.erase(next.begin() + std::ptrdiff_t(best));
                if (at == s && to == first)
                    break;
                open.push_back(m_points[at]);
                from = at;
                at = to;
            }
            std::vector<std::uint32_t>& rest = leaving[s];  // the first side, when the ring broke off
            rest.erase(std::remove(rest.begin(), rest.end(), first), rest.end());
            if (open.size() >= 3)
                rings.push_back(Tidy(open));
        }
    }
    return rings;
}

std::vector<CMapPolygon> CBandRingBuilder::Polygons() const
{
    std::vector<CMapPolygon> polygons;
    std::vector<CMapRing> holes;
    std::vector<CMapRing> rings = Rings();
    for (CMapRing& ring : rings)
        StartAtLowest(ring);
    std::sort(rings.begin(), rings.end(), [](const CMapRing& a, const CMapRing& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), Lower);
    });
    for (CMapRing& ring : rings) {
        if (RingArea(ring) > 0)
            polygons.push_back({std::move(ring), {}});
        else
            holes.push_back(std::move(ring));
    }
    std::vector<CBox> boxes;
    std::vector<double> areas;
    for (const CMapPolygon& p : polygons) {
        boxes.push_back(BoxOf(p.exterior));
        areas.push_back(RingArea(p.exterior));
    }
    for (CMapRing& hole : holes) {
        // The middle of a side of the hole lies inside its exterior, never on it: the
        // outlines share no side.
        const CMapPoint probe{0.5 * (hole[0].u + hole[1].u), 0.5 * (hole[0].v + hole[1].v)};
        std::size_t owner = polygons.size();
        for (std::size_t k = 0; k < polygons.size(); ++k)
            if (boxes[k].Holds(probe) && (owner == polygons.size() || areas[k] < areas[owner]) &&
                Inside(polygons[k].exterior, probe))
                owner = k;
        if (owner < polygons.size())
            polygons[owner].holes.push_back(std::move(hole));
    }
    return polygons;
}
