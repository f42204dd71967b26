#pragma once

// What makes a building unusable, as the message that names it. The input window and the
// calculation's input check both ask here, so they refuse the same buildings alike.

#include <string>
#include <vector>

#include "model/building.h"

struct CProjectSettings;

// Most façade receivers one calculation derives (every point of every wall times the
// floors, counted before the points inside footprints are left out): far beyond any real
// estate; each one is a receiver of the whole calculation.
constexpr long long kMaxFacadeReceivers = 1000000;

// Farthest a façade receiver may stand from its wall, m: it hears that façade, not the
// street beyond it.
constexpr double kMaxFacadeDistance = 1000.0;

// "건물 2 (101동)": the 1-based position and the name when there is one.
std::string BuildingLabel(const std::vector<CBuilding>& buildings, std::size_t index);

// The first problem of building `index` among `buildings`, or empty: fewer than 3 distinct
// vertices (or no area), a footprint that crosses itself, too many vertices, a vertex that
// is not a finite number, floors outside 1..kMaxBuildingFloors, a floor height that is not a
// positive finite number, a building higher than kMaxBuildingHeight, ground factors or
// absorption that are not finite numbers, or an overlap with an earlier or later building.
std::string BuildingProblem(const std::vector<CBuilding>& buildings, std::size_t index);

// The first problem of any building, in order, or empty.
std::string FindUnusableBuilding(const std::vector<CBuilding>& buildings);

// The façade receivers the buildings would have with these settings, before the points
// inside footprints are left out: on every wall max(1, ceil(L / spacing)) points times the
// floors. A count beyond any integer (a spacing of almost nothing) is infinite.
double FacadeReceiverCount(const std::vector<CBuilding>& buildings, const CProjectSettings& settings);

// With buildings, the first problem of the façade receiver settings, or empty: a spacing or
// distance that is not a finite number above 0, a height above the floor that is not a
// finite number of at least 0 (as the environment pane takes them), a distance above
// kMaxFacadeDistance or a height above kMaxBuildingHeight, or more than
// kMaxFacadeReceivers receivers. Without buildings the settings are not used and never a problem.
std::string FindUnusableFacade(const std::vector<CBuilding>& buildings, const CProjectSettings& settings);
