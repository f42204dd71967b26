#pragma once

// The reflectors that can reflect a source to one receiver, and a quick plan test that a
// source cannot be reflected by one of them, so that the cost of the reflection search
// follows the reflectors that really reflect. A reflection seen from the receiver comes
// from the image of the source in the reflector's plane, and the line from the source to
// the receiver's own image meets the plane at the same point: when that point lies beyond
// the reflector's ends (lengthened by the reflector's plan margin and a little more for the
// rounding), FindReflection would find no hit. A reflector reflecting on its outer face
// only cannot reflect to a receiver behind it or in its plane. Built once per receiver;
// read-only afterwards.

#include <cmath>
#include <vector>

#include "engine/propagation_reflection.h"

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

private:
    struct Bound {
        double imageX, imageY;  // the receiver mirrored in the reflector's plane
        double startX, startY;  // the reflector's start
        double dirX, dirY;      // unit direction start -> end
        double from, to;        // the stretch along it where a hit may lie, m from the start
    };
    std::vector<int> m_arrIndex;
    std::vector<Bound> m_arrBound;
};
