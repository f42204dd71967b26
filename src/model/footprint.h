#pragma once

// Plan geometry of building footprints: closed rings of vertices in X and Y (z ignored).

#include <vector>

#include "model/mvector.h"

// The ring without a repeated closing vertex and without zero-length edges (a vertex equal
// to the one before it is dropped).
std::vector<CMVector> CleanFootprint(const std::vector<CMVector>& ring);

// Twice the area with its sign: positive when the vertices run anticlockwise (X east, Y north).
double SignedDoubleArea(const std::vector<CMVector>& ring);

// At least 3 distinct vertices and an area (not every vertex on one line).
bool HasArea(const std::vector<CMVector>& ring);

// Two edges that are not neighbours meet, or two neighbours fold back over each other.
bool SelfCrosses(const std::vector<CMVector>& ring);

// Strictly inside the ring (even-odd rule); a point on the boundary is not.
bool StrictlyInside(const std::vector<CMVector>& ring, const CMVector& p);
// Within tolerance (m, in plan) of an edge of the ring.
bool OnBoundary(const std::vector<CMVector>& ring, const CMVector& p, double tolerance = 1e-9);
// Inside the ring or on its boundary: where no receiver may stand.
inline bool InsideOrOnFootprint(const std::vector<CMVector>& ring, const CMVector& p)
{
    return OnBoundary(ring, p) || StrictlyInside(ring, p);
}

// The interiors of two simple rings share some area. Rings that only touch along an edge or
// at a vertex (blocks built wall to wall) do not overlap.
bool FootprintsOverlap(const std::vector<CMVector>& a, const std::vector<CMVector>& b);

// Unit plan normal of the edge a->b pointing away from the inside of a ring whose signed
// double area is `orientation` (its sign is all that counts); zero for a zero-length edge.
CMVector OutwardNormal(const CMVector& a, const CMVector& b, double orientation);
