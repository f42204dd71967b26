#pragma once

// The options of talvo-cli map, shared by the command (cli/cmd_map.cpp) and its PNG
// painter (cli/map/, built only with Qt).

#include <optional>
#include <string>
#include <vector>

#include "maps/noise_map_refine.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;
struct CNoiseMapGrid;

struct MapArgs {
    std::string project;
    std::string output;
    std::optional<double> spacing, height;
    int band = 0;
    int threads = 0;
    int width = 1600;
    std::optional<int> heightPx;
    std::string sectionOutput;
    std::optional<double> sectionFrom, sectionTo;
    std::optional<double> sectionSpacing;  // --section-spacing; default: the project's, else from the plan spacing
    std::optional<double> exaggeration;    // --exaggeration: heights drawn N times larger, 1..10
    std::string crs;                       // --crs: the code written into GIS files
    std::string layer = "isobands";        // --layer: the layer of GeoJSON and Shapefile
    std::vector<double> levels;            // --levels: class edges; empty: the 5 dB classes
    std::string diff;                      // --diff: the project subtracted; empty: a plain map
    int diffStep = 1;                      // --diff-step: dB between the difference map's edges
    bool uniform = false;                  // --uniform: the shapes from the grid's nodes alone
    std::optional<double> finest;          // --finest: the finest size of the refinement, m
    std::string period = "day";            // --period: day or night
    bool exceedance = false;               // --exceedance: the level minus the project's limit
};

// Writes "talvo-cli map: WHAT: MESSAGE" to stderr and throws CLI::RuntimeError(1).
[[noreturn]] void FailMap(const std::string& what, const std::string& message);

// The spacing of the section grid: --section-spacing, else the project's section spacing,
// else the default that follows the plan spacing in use.
double SectionSpacingOf(const CMyTalvoDoc& doc, const MapArgs& args);

// Refines a computed grid for the options (--uniform, --finest) with its exact level
// function and the class edges it is drawn with; a refinement given up for its size is
// said on stderr, and the map is then drawn from its nodes.
void RefineMap(CNoiseMapGrid& grid, const CMapLevelAt& levelAt, const std::vector<double>& edges, const MapArgs& args);

// The period an exceedance map is judged in.
EPeriod ExceedancePeriod(const MapArgs& args);

// Paints the plan map (and the section map when asked) to PNG files (cli/map/map_png.cpp).
void WriteMapPngs(CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const MapArgs& args);
