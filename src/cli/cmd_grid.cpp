// talvo-cli grid PROJECT -o FILE [--spacing S] [--height H] [--threads N] [--tile K/N]
// [--period day|night]: run the calculate command, then write the predicted level of the
// period on the receiver grid of the calculation area, or only on tile K of N of it; a night
// grid of a project without night powers is refused before anything is computed.
// talvo-cli grid PROJECT --plan N prints how the grid would be cut into N tiles, computing
// nothing.
#include "cli/commands.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/period_option.h"
#include "cli/progress_watcher.h"
#include "cli/project_loading.h"
#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "io/grid_tiles.h"
#include "io/output_file.h"
#include "io/receiver_export.h"
#include "model/document.h"

namespace {

struct GridArgs {
    std::string project;
    std::string output;
    double spacing = CProjectSettings().m_dReceiverSpacing;  // the new-project spacing
    std::optional<double> height;                            // default: the receiver height the project loads with
    int threads = 0;                                         // 0: every core
    std::optional<std::string> tile;                         // "K/N"; none: the whole grid
    std::optional<long long> plan;                           // print the cut into this many tiles instead of computing
    std::string period = "day";
};

[[noreturn]] void FailGrid(const std::string& message, int status = 1)
{
    std::cerr << message << '\n';
    throw CLI::RuntimeError(status);
}

// Exports the whole grid, or only the columns of tile when one is given. stopStatus gets
// the exit status of a run stopped by a signal.
CExportOutcome Export(const CMyTalvoDoc& doc, const CReceiverGrid& grid, const std::optional<CGridTile>& tile,
                      std::ofstream& out, const GridArgs& args, int& stopStatus)
{
    const int threads = args.threads;
    const CCalcScene scene(doc, {}, PeriodOf(args.period));
    const PointLevelProvider levels = [&scene](double x, double y, double z) { return scene.PointLevels(x, y, z); };
    CRunProgress progress;
    CProgressWatcher watcher(progress, "수음점 정보를 저장중입니다.");
    CExportOutcome outcome =
        tile ? RunReceiverExportColumns(grid, tile->m_nFirstColumn, tile->m_nColumns, levels, out, progress, threads)
             : RunReceiverExport(grid, levels, out, progress, threads);
    watcher.Stop();
    stopStatus = watcher.ExitStatus();
    return outcome;
}

[[noreturn]] void FailArgument(const std::string& message) { FailGrid("talvo-cli grid: " + message); }

// The project's receiver grid with the spacing and height of the command line.
CReceiverGrid GridOf(CMyTalvoDoc& doc, const GridArgs& args)
{
    doc.m_settings.m_dReceiverSpacing = args.spacing;
    if (args.height)
        doc.m_settings.m_dReceiverHeight = *args.height;
    return CReceiverGrid::FromSettings(doc.m_settings);
}

// Tile K of N of the grid; refuses N above the number of columns. A grid that cannot be
// walked is left to the export's own checks.
std::optional<CGridTile> TileOrFail(const CReceiverGrid& grid, const std::optional<CTileSpec>& tileSpec)
{
    if (!tileSpec || !CheckReceiverGrid(grid).empty())
        return std::nullopt;
    const std::size_t columns = GridColumnXs(grid).size();
    if (const std::string refusal = CheckTileCount(columns, tileSpec->m_nCount); !refusal.empty())
        FailArgument(refusal);
    return TileColumns(columns, tileSpec->m_nCount, tileSpec->m_nTile);
}

void RunPlan(const GridArgs& args)
{
    if (*args.plan < 1)
        FailArgument("--plan takes the number of tiles N, at least 1, not " + std::to_string(*args.plan));
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "grid");
    const CReceiverGrid grid = GridOf(doc, args);
    if (const std::string refusal = CheckReceiverGrid(grid); !refusal.empty())
        FailGrid(refusal);
    if (const std::string refusal = CheckTileCount(GridColumnXs(grid).size(), *args.plan); !refusal.empty())
        FailArgument("--plan: " + refusal);
    std::cout << FormatTilePlan(PlanGridTiles(grid, *args.plan)) << std::flush;
}

// The tile asked for with --tile K/N, if any.
std::optional<CTileSpec> TileSpecOrFail(const GridArgs& args)
{
    if (!args.tile)
        return std::nullopt;
    CTileSpec tileSpec;
    if (const std::string refusal = ParseTileSpec(*args.tile, tileSpec); !refusal.empty())
        FailArgument(refusal);
    return tileSpec;
}

// An output naming the project itself would destroy it.
void RefuseOutputOverInput(const GridArgs& args)
{
    if (IsSameFile(args.project, args.output))
        FailArgument(args.output + ": the output file is the project itself; name another file with -o");
}

// What a stopped run computed goes to OUT.partial; OUT stays as it was.
[[noreturn]] void FailStopped(COutputFile& file, const GridArgs& args, const CExportOutcome& outcome, int status)
{
    const std::string kept = file.KeepPartial();
    const std::string lines = std::to_string(outcome.lines) + "줄";
    FailGrid("저장 작업이 취소되었습니다. " +
                 (kept.empty() ? lines + "을 저장하지 못했습니다. "
                               : "계산한 " + lines + "을 " + kept + "에 저장했습니다. ") +
                 args.output + "은(는) 그대로 두었습니다.",
             status);
}

void RunExport(const GridArgs& args)
{
    const std::optional<CTileSpec> tileSpec = TileSpecOrFail(args);
    if (args.output.empty())
        FailArgument("-o FILE is required (or --plan N to print the tiles)");
    RefuseOutputOverInput(args);
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "grid");
    const CReceiverGrid grid = GridOf(doc, args);
    if (const std::string refusal = CheckReceiverGrid(grid); !refusal.empty())
        FailGrid(refusal);  // an unusable grid is refused before the calculation, not after it
    const std::optional<CGridTile> tile = TileOrFail(grid, tileSpec);
    if (SaysThereIsNoNightLevel(doc, PeriodOf(args.period)))
        throw CLI::RuntimeError(1);
    PrintMessages(Calculate(doc));
    if (const std::string refusal = CheckReceiverExport(doc, grid); !refusal.empty())
        FailGrid(refusal);
    COutputFile file;
    if (const std::string failure = file.Create(args.output); !failure.empty())
        FailGrid(failure);
    int stopStatus = 0;
    const CExportOutcome outcome = Export(doc, grid, tile, file.Stream(), args, stopStatus);
    if (outcome.status == CExportOutcome::Status::Failed)
        FailGrid(outcome.message);
    if (outcome.status == CExportOutcome::Status::Cancelled)
        FailStopped(file, args, outcome, stopStatus);
    if (const std::string failure = file.Commit(); !failure.empty())
        FailGrid(failure);
}

void RunGrid(const GridArgs& args)
{
    if (args.plan)
        RunPlan(args);
    else
        RunExport(args);
}

}  // namespace

void RegisterGrid(CLI::App& app)
{
    auto args = std::make_shared<GridArgs>();
    CLI::App* cmd =
        app.add_subcommand("grid", "Calculate, then write the level on a receiver grid over the calculation area");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    CLI::Option* output = cmd->add_option("-o,--output", args->output, "Text file to write");
    cmd->add_option("--spacing", args->spacing, "Grid spacing in metres (default 50)")->check(kFiniteNumber);
    cmd->add_option("--height", args->height, "Receiver height Z in metres (default: the project's)")
        ->check(kFiniteNumber);
    cmd->add_option("--threads", args->threads, "Threads computing points (default: every core)")
        ->check(CLI::Range(1, 1024));
    CLI::Option* tile =
        cmd->add_option("--tile", args->tile, "Compute only tile K of N (K/N, K from 1): whole columns of x");
    CLI::Option* plan = cmd->add_option("--plan", args->plan,
                                        "Print the points, columns and each tile's first and last x and points "
                                        "for N tiles (tab-separated), computing nothing");
    plan->excludes(output)->excludes(tile);
    AddPeriodOption(cmd, args->period);
    cmd->callback([args]() { RunGrid(*args); });
}
