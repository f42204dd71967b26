#pragma once

// What makes a building unusable, as the message that names it. The input window and the
// calculation's input check both ask here, so they refuse the same buildings alike.

#include <string>
#include <vector>

#include "model/building.h"

// "건물 2 (101동)": the 1-based position and the name when there is one.
std::string BuildingLabel(const std::vector<CBuilding>& buildings, std::size_t index);

// The first problem of building `index` among `buildings`, or empty: fewer than 3 distinct
// vertices (or no area), a footprint that crosses itself, too many vertices, a vertex that
// is not a finite number, floors outside 1..kMaxBuildingFloors, a floor height that is not a
// positive finite number, or an overlap with an earlier or later building.
std::string BuildingProblem(const std::vector<CBuilding>& buildings, std::size_t index);

// The first problem of any building, in order, or empty.
std::string FindUnusableBuilding(const std::vector<CBuilding>& buildings);
