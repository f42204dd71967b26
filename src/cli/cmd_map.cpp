// talvo-cli map PROJECT -o OUT [--spacing S] [--height H] [--band B] [--threads N]
// [--crs EPSG:n] [--layer NAME] [--levels L1,L2,...] [--width PX --height-px PX]
// [--section-output FILE.png [--section-from A --section-to B]] [--diff B.tlv [--diff-step 1|3]]
// [--uniform | --finest M] [--exceedance]:
// computes the plan noise map and writes it in the format the extension of OUT names: .png
// the picture (built with Qt only), .tif a GeoTIFF of the level, .gpkg/.geojson/.shp/.dxf/.kml
// the vector layers. With --diff the map is PROJECT's level minus B's on PROJECT's grid. The
// bands and iso-lines are refined where the classes change (noise_map_refine.h) unless
// --uniform; the GeoTIFF holds the grid's nodes either way. With --period night every map is
// of the night levels (the pictures' titles say "야간", the receivers layer carries no day
// levels), and a project without night powers is refused. With --exceedance the map is the
// level minus the period's limit of the project's criterion and zone, refined as the other maps.
#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/map_args.h"
#include "cli/period_option.h"
#include "cli/project_loading.h"
#include "drawing/section_exaggeration.h"
#include "engine/calc_scene.h"
#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "gis/gis_crs.h"
#include "gis/gis_map_layers.h"
#include "gis/gis_ogr.h"
#include "gis/gis_output.h"
#include "io/output_file.h"
#include "io/project_file.h"
#include "maps/map_workers.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_difference.h"
#include "maps/noise_map_exceedance.h"
#include "model/document.h"

namespace {

[[maybe_unused]] constexpr const char* kMsgNoPng = "이 talvo-cli는 Qt 없이 만들어져 PNG를 그릴 수 없습니다.";

// --exaggeration: a number from 1 to 10.
void CheckExaggeration(const MapArgs& args)
{
    if (!args.exaggeration)
        return;
    const double n = *args.exaggeration;
    if (!(n >= kMinSectionExaggeration && n <= kMaxSectionExaggeration))
        FailMap("--exaggeration", "세로 배율은 " + std::to_string(kMinSectionExaggeration) + "에서 " +
                                      std::to_string(kMaxSectionExaggeration) + " 사이여야 합니다.");
}

// --section-spacing (or the default) must give a section grid the node guard lets through.
void CheckSectionSpacing(const CMyTalvoDoc& doc, const MapArgs& args)
{
    if (!args.sectionSpacing && args.sectionOutput.empty())
        return;
    if (const std::string refusal = CheckSectionMap(doc.m_settings, SectionSpacingOf(doc, args)); !refusal.empty())
        FailMap("--section-spacing", refusal);
}

// The spacing and height of the map's nodes: the options, else the project's receiver grid.
struct CMapNodes {
    double spacing = 0, height = 0;
};

CMapNodes ChooseNodes(const CMyTalvoDoc& doc, const MapArgs& args)
{
    const CMapNodes nodes{args.spacing.value_or(doc.m_settings.m_dReceiverSpacing),
                          args.height.value_or(doc.m_settings.m_dReceiverHeight)};
    if (!std::isfinite(nodes.height))
        FailMap(args.project, "수음점 높이가 잘못되었습니다.");
    return nodes;
}

// A project's plan map with the scene it was computed from, which refining it reads.
struct CPlanMap {
    CNoiseMapGrid grid;
    std::unique_ptr<CCalcScene> scene;
};

// The plan map of the project opened from `path` over its calculation area.
CPlanMap ComputePlanMap(CMyTalvoDoc& doc, const std::string& path, const CMapNodes& nodes, const MapArgs& args)
{
    // The same input check and caps as every calculating command, before any piece is built.
    if (const std::string unusable = FindUnusableInput(doc); !unusable.empty())
        FailMap(path, unusable);
    doc.m_arrSegment.clear();
    MakeSourcePieces(doc);
    if (doc.m_arrSegment.empty())
        FailMap(path, "하나 이상의 도로를 입력하십시요");
    if (const std::string refusal = CheckNoiseMap(doc, nodes.spacing); !refusal.empty())
        FailMap(path, refusal);
    if (SaysThereIsNoNightLevel(doc, PeriodOf(args.period)))
        throw CLI::RuntimeError(1);
    CPlanMap map{PlanMapLayout(doc.m_settings, nodes.spacing, nodes.height, args.band),
                 std::make_unique<CCalcScene>(doc, CRunInputs{}, PeriodOf(args.period))};
    CRunProgress progress;
    ComputeNoiseMap(*map.scene, map.grid, progress, args.threads);
    return map;
}

// --diff: the other project mapped on the same nodes and subtracted from `a` node by node;
// refined with the difference of the two scenes' levels.
CNoiseMapGrid SubtractOtherProject(const CMyTalvoDoc& doc, const CPlanMap& a, const CMapNodes& nodes,
                                   const MapArgs& args)
{
    CMyTalvoDoc other;
    const CFileResult opened = OpenProject(other, args.diff);
    if (!opened.ok)
        FailMap(args.diff, opened.message);
    TellWhatTheOpenLeftOut(other, opened, "map", args.diff);
    if (!SameCalculationArea(doc.m_settings, other.m_settings))
        FailMap(args.diff, kMapMsgOtherArea);
    const CPlanMap b = ComputePlanMap(other, args.diff, nodes, args);
    CNoiseMapGrid difference;
    if (const std::string refusal = SubtractMapGrids(a.grid, b.grid, difference); !refusal.empty())
        FailMap(args.diff, refusal);
    RefineMap(difference, DifferenceLevelAt(SceneLevelAt(*a.scene, a.grid), SceneLevelAt(*b.scene, b.grid)),
              DifferenceMapScale(args.diffStep).edges, args);
    return difference;
}

// The class edges asked for, or those of the 5 dB classes on screen.
std::vector<double> ClassEdges(const MapArgs& args)
{
    if (args.levels.empty())
        return ScreenClassEdges();
    std::vector<double> edges = args.levels;
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

// The coordinate system of the files: --crs, which also names the project's, else the project's.
std::string ChooseCrs(CMyTalvoDoc& doc, const MapArgs& args)
{
    if (!args.crs.empty()) {
        const CCrsCheck check = CheckCrs(args.crs);
        if (!check.ok)
            FailMap(args.crs, check.message);
        doc.m_settings.m_strCrs = args.crs;
    }
    return doc.m_settings.m_strCrs;
}

// Writes the GIS file; the old file at the target stays until the new one is complete
// (gis_output.h).
void WriteGisFile(CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const MapArgs& args)
{
    const std::string crs = ChooseCrs(doc, args);
    if (PeriodOf(args.period) == EPeriod::kNight)
        for (CReceiverPoint& r : doc.m_arrReceiver)
            r.m_dLevel = r.m_dNightLevel;  // the map computes none; the file's levels are the day's
    CMapLayerRequest request{ClassEdges(args), crs, args.layer, {}};
    if (!args.diff.empty() || args.exceedance) {
        CMapScale scale = DifferenceMapScale(args.diffStep);
        request.edges = std::move(scale.edges);
        request.colours = std::move(scale.colours);
    }
    if (const std::string failure = WriteMapGisFile(doc, grid, request, args.output); !failure.empty())
        FailMap(args.output, failure);
}

// Every file an output writes: a shapefile's companions too.
std::vector<std::string> FilesWrittenFor(const std::string& output)
{
    return output.empty() ? std::vector<std::string>() : GisOutputFiles(output);
}

// An output naming a project read (PROJECT or the --diff one), also as a shapefile's
// companion, or a file the other output writes, would destroy it.
void RefuseOutputOverInput(const MapArgs& args)
{
    for (const std::string& output : {args.output, args.sectionOutput})
        for (const std::string& written : FilesWrittenFor(output))
            for (const std::string& input : {args.project, args.diff})
                if (!input.empty() && NamesSameFile(input, written))
                    FailMap(output, written == output ? "the output file is the project itself; name another file"
                                                      : "the output would replace " + written +
                                                            ", a project read; name another file");
    for (const std::string& written : FilesWrittenFor(args.output))
        if (!args.sectionOutput.empty() && NamesSameFile(args.sectionOutput, written))
            FailMap(args.sectionOutput, "-o writes this file too; name another file for the section picture");
}

bool GeoTiff(const std::string& output)
{
    const std::string ext = FileExtension(output);
    return ext == ".tif" || ext == ".tiff";
}

void RunMap(MapArgs args)
{
    DefaultMapThreads() = args.threads;
    const bool png = FileExtension(args.output) == ".png";
    if (!png && !IsMapGisFile(args.output))
        FailMap(args.output, "파일 형식을 알 수 없습니다 (.png, .tif, .gpkg, .geojson, .shp, .dxf, .kml).");
#ifndef TALVO_CLI_MAP
    if (png || !args.sectionOutput.empty())
        FailMap(png ? args.output : args.sectionOutput, kMsgNoPng);
#endif
    RefuseOutputOverInput(args);
    CheckExaggeration(args);
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        FailMap(args.project, opened.message);
    TellWhatTheOpenLeftOut(doc, opened, "map", args.project);
    CheckSectionSpacing(doc, args);
    const std::optional<double> limit = args.exceedance ? MapLimit(doc.m_settings, ExceedancePeriod(args)) : 0.0;
    if (!limit)
        FailMap(args.project, NoMapLimitMessage(ExceedancePeriod(args)));
    const CMapNodes nodes = ChooseNodes(doc, args);
    CPlanMap map = ComputePlanMap(doc, args.project, nodes, args);
    CNoiseMapGrid grid;
    if (!args.diff.empty()) {
        grid = SubtractOtherProject(doc, map, nodes, args);
    } else if (args.exceedance) {
        // Refined in the classes it is drawn in (the picture's 1 dB) or cut in.
        SubtractLimit(map.grid, *limit);
        if (!GeoTiff(args.output))
            RefineMap(map.grid, ExceedanceLevelAt(SceneLevelAt(*map.scene, map.grid), *limit),
                      DifferenceMapScale(png ? kDifferenceStepFine : args.diffStep).edges, args);
        grid = std::move(map.grid);
    } else {
        // A picture shows the 5 dB classes; the GIS layers are cut at the levels asked for;
        // a GeoTIFF holds the nodes alone.
        if (!GeoTiff(args.output))
            RefineMap(map.grid, SceneLevelAt(*map.scene, map.grid), png ? ScreenClassEdges() : ClassEdges(args), args);
        grid = std::move(map.grid);
    }
    if (!png)
        WriteGisFile(doc, grid, args);
    if (png || !args.sectionOutput.empty()) {
#ifdef TALVO_CLI_MAP
        if (!png)
            args.output.clear();
        WriteMapPngs(doc, grid, args);
#endif
    }
}

}  // namespace

void RefineMap(CNoiseMapGrid& grid, const CMapLevelAt& levelAt, const std::vector<double>& edges, const MapArgs& args)
{
    CRefineRequest request{!args.uniform, args.finest.value_or(0.0), edges};
    CRunProgress progress;
    if (RefineNoiseMap(grid, levelAt, request, progress, args.threads, kMaxMapNodes) == ERefineResult::TooManyPoints)
        std::cerr << "talvo-cli map: 경계 세분화에 계산할 점이 " << kMaxMapNodes
                  << "개를 넘어 격자점만으로 그립니다.\n";
}

double SectionSpacingOf(const CMyTalvoDoc& doc, const MapArgs& args)
{
    if (args.sectionSpacing)
        return *args.sectionSpacing;
    CProjectSettings settings = doc.m_settings;
    settings.m_dReceiverSpacing = args.spacing.value_or(settings.m_dReceiverSpacing);
    return SectionSpacing(settings);
}

EPeriod ExceedancePeriod(const MapArgs& args) { return PeriodOf(args.period); }

void FailMap(const std::string& what, const std::string& message)
{
    std::cerr << "talvo-cli map: " << what << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

void RegisterMap(CLI::App& app)
{
    auto args = std::make_shared<MapArgs>();
    CLI::App* cmd = app.add_subcommand("map", "Write the plan noise map of a project: PNG, GeoTIFF or GIS/CAD layers");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("-o,--output", args->output,
                    "File to write; its extension chooses the format: .png .tif .gpkg .geojson .shp .dxf .kml")
        ->required();
    cmd->add_option("--spacing", args->spacing, "Grid spacing in metres (default: the project's)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--height", args->height, "Grid height Z in metres (default: the project's)");
    cmd->add_option("--band", args->band, "0 overall level, 1..8 the octave bands 63 Hz .. 8 kHz")
        ->check(CLI::Range(0, 8));
    cmd->add_option("--threads", args->threads, "Threads (default: one per core)")->check(CLI::NonNegativeNumber);
    cmd->add_option("--crs", args->crs, "Coordinate system of the GIS file, e.g. EPSG:5186 (default: the project's)");
    cmd->add_option("--layer", args->layer,
                    "Layer of a .geojson or .shp file: isobands, isolines, receivers, model, buildings, facade")
        ->check(CLI::IsMember({"isobands", "isolines", "receivers", "model"}));
    CLI::Option* levels =
        cmd->add_option("--levels", args->levels, "Class edges in dB, e.g. 45,50,55 (default: 35,40,...,80)")
            ->delimiter(',')
            ->check(CLI::Range(-1000.0, 1000.0));
    cmd->add_option("--width", args->width, "Image width in pixels")->check(CLI::Range(200, 8000));
    cmd->add_option("--height-px", args->heightPx, "Image height in pixels (default: from the area)")
        ->check(CLI::Range(200, 8000));
    CLI::Option* section = cmd->add_option("--section-output,--section-png", args->sectionOutput,
                                           "Also render the section map along the project's section line to this PNG");
    cmd->add_option("--section-from", args->sectionFrom, "Start of the stretch of the section line shown (m)");
    cmd->add_option("--section-to", args->sectionTo, "End of the stretch of the section line shown (m)");
    cmd->add_option("--section-spacing", args->sectionSpacing,
                    "Section grid spacing along the line and in height, m (default: the finer of 1 m and "
                    "the plan spacing / 5)");
    cmd->add_option("--exaggeration", args->exaggeration,
                    "Heights of the section picture drawn N times larger than lengths, 1..10 (default: " +
                        std::to_string(kDefaultSectionExaggeration) + ")");
    CLI::Option* diff = cmd->add_option("--diff", args->diff,
                                        "Another project whose level is subtracted from PROJECT's at every node of "
                                        "PROJECT's grid (the calculation areas must be equal)")
                            ->excludes(levels)
                            ->excludes(section);
    CLI::Option* uniform = cmd->add_flag(
        "--uniform", args->uniform,
        "Draw the bands and iso-lines from the grid's nodes alone, without refining where the classes change");
    cmd->add_option("--finest", args->finest,
                    "Finest size of the refinement where the classes change, m: the spacing halved until it is "
                    "no larger (default: the spacing / 16; never below 0.05)")
        ->check(CLI::PositiveNumber)
        ->excludes(uniform);
    cmd->add_option("--diff-step", args->diffStep, "dB between the edges of the difference map: 1 or 3 (default 1)")
        ->check(CLI::IsMember({1, 3}))
        ->needs(diff);
    AddPeriodOption(cmd, args->period);
    CLI::Option* band = cmd->get_option("--band");
    cmd->add_flag("--exceedance", args->exceedance,
                  "Map the level minus the limit of the project's criterion in its zone, dB (overall level only)")
        ->excludes(diff)
        ->excludes(levels)
        ->excludes(section)
        ->excludes(band);
    cmd->callback([args]() { RunMap(*args); });
}
