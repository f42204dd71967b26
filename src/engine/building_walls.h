#pragma once

// The buildings as the propagation sees them: every wall an obstacle of the screening and a
// reflector on its outer face, and the footprints, inside which no point has a level.
// Pure builders and a read-only lookup: safe on any thread once built.

#include <vector>

#include "engine/propagation_obstacle.h"
#include "engine/propagation_reflection.h"
#include "model/building.h"

// Every wall of every building, building by building and wall by wall in vertex order: a
// vertical rectangle from 0 up to the building's height above the base height, without a
// top device, of kind kObstacleWall. A wall's index counts the walls of all buildings in
// that order from 0; walls of no plan length (a footprint not cleaned) are left out.
std::vector<CObstacle> BuildWallObstacles(const std::vector<CBuilding>& buildings);

// The same walls as reflectors, with the building's absorption, reflecting on their outer
// face only. firstObstacle is the position of the first wall among the scene's obstacles
// (the walls come last there, in the same order).
std::vector<CReflector> BuildWallReflectors(const std::vector<CBuilding>& buildings, int firstObstacle);
