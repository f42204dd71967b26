#pragma once

// The obstacles a path ending at one receiver can cross, found by the path's direction
// seen from the receiver, so that the cost of a screening follows the obstacles near the
// path rather than all of them. The plan around the receiver is cut into sectors; each
// lists, in the obstacles' own order, every obstacle whose line (lengthened a little at
// both ends, and its arc widened by 1e-5 rad) passes through it. An obstacle passing within 1 m
// of the receiver is listed in every sector. A path from the receiver crosses an
// obstacle's line only at a point in the path's own direction, so every obstacle it can
// cross is listed in its sector. Built once per receiver; read-only afterwards. The lists
// lie one after another in one array, so a build reuses its storage and allocates nothing
// once it has grown to the scene.

#include <array>
#include <span>
#include <vector>

#include "engine/propagation_obstacle.h"

class CObstacleSectors {
public:
    static constexpr int kSectorCount = 256;

    void Build(const std::vector<CObstacle>& obstacles, const CMVector& receiver);
    // The positions of the obstacles a path from the receiver to s may cross, ascending.
    std::span<const int> Candidates(const CMVector& s) const;

private:
    // The sectors an obstacle is listed in: every sector from `first` on, `count` of them
    // (wrapping round), or all.
    struct Arc {
        int first, count;
    };
    Arc ArcOf(const CObstacle& o) const;

    CMVector m_vReceiver;
    std::vector<int> m_arrAll;                       // for a direction that cannot be formed
    std::vector<Arc> m_arrArc;                       // of each obstacle
    std::array<int, kSectorCount + 1> m_arrStart{};  // sector k lists m_arrList[start[k], start[k + 1])
    std::vector<int> m_arrList;
};
