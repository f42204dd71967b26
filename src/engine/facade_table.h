#pragma once

// The façade receivers' results as text, tab separated, each line ended by "\n", numbers
// "%.2f" and building, wall, point and floor numbers counted from 1; a level without energy
// shows as kNoEnergyMark.
// - Every receiver, in the order building, wall, point along the wall, floor, after
//   kFacadeTableHeader: its numbers, X, Y, Z (absolute), the eight bands and the overall level.
// - One line per building and floor, after kFloorTableHeader: the number of façade points,
//   the highest overall level with the wall and point where it is, and the lowest.

#include <string>
#include <vector>

#include "model/facade_receivers.h"
#include "model/noise_limits.h"

extern const char* const kFacadeTableHeader;  // "building\twall\tpoint\tfloor\tX(m)\t...\tOverall"
extern const char* const kFloorTableHeader;   // "building\tfloor\tpoints\tmax\twall\tpoint\tmin"

// The night tables have the same layouts with the night levels.
std::string FacadeTableText(const std::vector<CFacadeReceiver>& receivers, EPeriod period = EPeriod::kDay);
std::string FloorTableText(const std::vector<CFacadeReceiver>& receivers, EPeriod period = EPeriod::kDay);
