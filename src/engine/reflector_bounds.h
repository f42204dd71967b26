#pragma once

// The reflectors that can reflect a source to one receiver, and a quick plan test that a
// source cannot be reflected by one of them, so that the cost of the reflection search
// follows the reflectors that really reflect. A reflection seen from the receiver comes
// from the image of the source in the reflector's plane, and the line from the source to
// the receiver's own image meets the plane at the same point: when that point lies beyond
// the reflector's ends (lengthened by the reflector's plan margin and a little more for the
// rounding), FindReflection would find no hit. A reflector reflecting on its outer face
// only cannot reflect to a receiver behind it or in its plane. The same test made for the
// plan box of a run of consecutive pieces passes over, for the whole run, the reflectors
// that reflect none of them. Built once per receiver; read-only afterwards.

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/propagation_reflection.h"
#include "model/engine_records.h"

// Where the sources lie that MayReflect passes for one reflector: the line from the
// receiver's image I through the source meets the reflector's line within the stretch from
// E1 to E2, so the source lies in the double cone with apex I between the lines I-E1 and
// I-E2, where cross(E1 - I, s - I) and cross(E2 - I, s - I) differ in sign (or vanish), or on
// the line through I along the reflector, where MayReflect cannot tell. Each of the three
// functions is linear in s: a * (s.x - I.x) + b * (s.y - I.y), a distance from its line
// times the length of (a, b).
struct CReflectionCone {
    double imageX, imageY;
    double a[3], b[3], slack[3];  // the lines I-E1, I-E2 and the one along the reflector
    bool anywhere;                // the image lies on the reflector's line: every source is kept
};

class CReflectorBounds {
public:
    // Keeps the reflectors from position `first` on that may reflect to r, ascending.
    void Build(const std::vector<CReflector>& reflectors, int first, const CMVector& r);

    // Positions of the reflectors kept, ascending.
    const std::vector<int>& Candidates() const { return m_arrIndex; }
    // False when the n-th kept reflector surely reflects nothing from s to the receiver.
    // Inline: every path asks it of every reflector kept.
    bool MayReflect(std::size_t n, const CMVector& s) const
    {
        const Bound& b = m_arrBound[n];
        // Where the line from the receiver's image through s meets the reflector's line:
        // start + u * dir, with u = cross(image - start, w) / cross(dir, w), w = s - image.
        const double wx = s.x - b.imageX, wy = s.y - b.imageY;
        const double denom = b.dirX * wy - b.dirY * wx;
        if (!(std::abs(denom) > 0.0))
            return true;  // along the line (or not a number): leave it to FindReflection
        const double u = ((b.imageX - b.startX) * wy - (b.imageY - b.startY) * wx) / denom;
        return !(u < b.from || u > b.to);
    }

    // Sorts out, for each run of kRunLength consecutive pieces (pieces[0..kRunLength-1],
    // and so on), the kept reflectors that may reflect some point of the run's plan box.
    // Call after Build, with the pieces the paths will come from.
    static constexpr std::size_t kRunLength = 16;
    void BuildRuns(const std::vector<CRoad_Segment>& pieces);
    // The kept reflectors from position 64 * chunk on (64 of them at most) that may reflect
    // the piece of that position in the pieces given to BuildRuns: bit k stands for position
    // 64 * chunk + k. Every reflector MayReflect passes for the piece has its bit set; all
    // bits are set when no runs were built.
    std::uint64_t RunBits(std::size_t piece, std::size_t chunk) const
    {
        if (m_arrRunBits.empty())
            return ChunkMask(chunk);
        return m_arrRunBits[piece / kRunLength * Chunks() + chunk];
    }
    // The number of chunks of 64 the kept reflectors fill.
    std::size_t Chunks() const { return (m_arrIndex.size() + 63) / 64; }

private:
    // The bits of the positions of the chunk that are kept reflectors.
    std::uint64_t ChunkMask(std::size_t chunk) const
    {
        const std::size_t count = m_arrIndex.size() - 64 * chunk;
        return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    }

    struct Bound {
        double imageX, imageY;  // the receiver mirrored in the reflector's plane
        double startX, startY;  // the reflector's start
        double dirX, dirY;      // unit direction start -> end
        double from, to;        // the stretch along it where a hit may lie, m from the start
    };
    std::vector<int> m_arrIndex;
    std::vector<Bound> m_arrBound;
    std::vector<std::uint64_t> m_arrRunBits;  // Chunks() words per run
    std::vector<CReflectionCone> m_arrCone;  // of each kept reflector, for BuildRuns
};
