#pragma once

// Where the section line runs through a building: the stretches of the line inside its
// footprint. The section view draws the building as a block over each of them, from the
// reference height up to the building's height. Plain arithmetic.

#include <utility>
#include <vector>

#include "drawing/section_geometry.h"
#include "model/mvector.h"

// Positions along the section's horizontal axis (X or Y, metres) where the line enters and
// leaves the ring, as (enter, leave) pairs in ascending order. A line along an edge or
// through a vertex counts the way a scan line does (an edge holds its lower end and not its
// upper one), so every span has both ends; a line that misses the ring gives none.
std::vector<std::pair<double, double>> FootprintSpans(const CSectionPlane& plane, const std::vector<CMVector>& ring);
