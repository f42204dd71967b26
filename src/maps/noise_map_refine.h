#pragma once

// Adaptive refinement of a computed noise map. A square of four neighbouring nodes whose
// corners lie in different classes (a class edge crosses it) or differ by more than the
// class width gets the exact level at its centre and the midpoints of its sides and is
// divided into four, and so on down to the finest size, on sub-grids aligned with the
// uniform grid of that size; a square whose sides carry points of other classes (where a
// finer neighbour divided) is divided too. Squares with a corner without energy (inside a
// building, where no sound arrives) are never divided; points in the soil of a section are
// never computed but interpolated from the square's nodes, for the ground line to clip.
// An iso-line along a jump of the level then follows it within the finest size, at a small
// part of the cost of a uniform grid that fine.
//
// The refinement knows the map only through a level function, so plan maps, section maps
// and difference maps are refined alike. Every point is computed on its own, in rounds,
// so the result does not depend on the number of threads.

#include <cstdint>
#include <functional>
#include <vector>

#include "model/noise_map_grid.h"
#include "model/run_progress.h"

// The finest size by default: the grid spacing over this.
inline constexpr double kFinestDivisor = 16.0;
// Never finer than this, m.
inline constexpr double kSmallestFinest = 0.05;

// The exact level of the map at (u, v) of its grid's plane: kNoEnergy where no energy
// arrives, NaN where the point is not mapped (in the soil). Called from several threads
// at once.
using CMapLevelAt = std::function<double(double u, double v)>;

struct CRefineRequest {
    bool refine = true;         // false: the map is drawn from its nodes alone
    double finest = 0;          // m; 0 or less: the grid spacing / kFinestDivisor
    std::vector<double> edges;  // the class edges the map is drawn with, ascending
};

// The lattice steps per grid step for a finest size: the power of two N for which
// spacing / N is the largest size not above `finest` (spacing / 16 when it is 0 or less),
// halved while that lies below kSmallestFinest. 1: no refinement.
int RefineDivisions(const CNoiseMapGrid& grid, double finest);
// The size of the finest squares with N divisions, m.
double FinestSize(const CNoiseMapGrid& grid, int divisions);

enum class ERefineResult { Refined, Cancelled, TooManyPoints };

// Refines the computed grid (its levels set) for the request and sets its m_pRefinement;
// a request not to refine, or a finest size no finer than the grid, clears it. Points are
// counted onto `progress` (the total grows as the refinement finds more) and the run stops
// when it is cancelled. A refinement that would compute more than `maxPoints` points in
// all, the grid's nodes included, is given up: the grid is left without one.
ERefineResult RefineNoiseMap(CNoiseMapGrid& grid, const CMapLevelAt& levelAt, const CRefineRequest& request,
                             CRunProgress& progress, int threads, std::int64_t maxPoints);
