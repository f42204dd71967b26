#pragma once

// What a noise map draws of its grid: the isobands filled in their colours and the
// iso-lines along their edges, over the whole extent of the grid (its outer nodes carried
// to the extent's edges). A fine map takes seconds to cut into bands, so a view works its
// shapes out once per map, not per repaint. Thread-safe: plain functions of their arguments.

#include <string>
#include <vector>

#include "maps/noise_map_isobands.h"
#include "maps/noise_map_isolines.h"
#include "model/noise_map_grid.h"

// How a map's values are classed: ascending edges and the colour of every band between
// them, colours[0] below edges[0] up to colours[edges.size()] at and above the last edge.
struct CMapScale {
    std::vector<double> edges;
    std::vector<std::string> colours;  // "#RRGGBB", edges.size() + 1 of them
};

// The 5 dB classes of the screen.
CMapScale ClassMapScale();

struct CMapShapes {
    std::vector<CIsoband> bands;     // lowest first, in the grid's (u, v)
    std::vector<CIsoSegment> lines;  // at every edge of the scale
};

// The shapes follow the grid's refinement where it has one; they are worked out on `threads`
// workers (<= 0: one per core) and are the same for any number.
CMapShapes MapShapes(const CNoiseMapGrid& grid, const CMapScale& scale, int threads = 0);
// The shapes of a section map, whose nodes in the soil carry no level: the bands are spun one
// grid step into the soil (ReachingOneStepFurther), for the ground line to clip them.
CMapShapes SectionMapShapes(const CNoiseMapGrid& grid, const CMapScale& scale, int threads = 0);

// Gives every band the colour of its place in the scale (the band holding its lower end).
void ColourBands(std::vector<CIsoband>& bands, const CMapScale& scale);
// The colour of the band just above edge i of the scale, for the iso-line drawn along it.
std::string EdgeColour(const CMapScale& scale, std::size_t edge);
