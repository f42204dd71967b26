// talvo-cli grid PROJECT -o FILE [--spacing S] [--height H] [--threads N]: run the calculate
// command, then write the predicted level on the receiver grid of the calculation area.
#include "cli/commands.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/progress_watcher.h"
#include "cli/project_loading.h"
#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "io/receiver_export.h"
#include "model/document.h"

namespace {

struct GridArgs {
    std::string project;
    std::string output;
    double spacing = CProjectSettings().m_dReceiverSpacing;  // the new-project spacing
    std::optional<double> height;  // default: the receiver height the project loads with
    int threads = 0;               // 0: every core
};

[[noreturn]] void Fail(const std::string& message, int status = 1)
{
    std::cerr << message << '\n';
    throw CLI::RuntimeError(status);
}

CExportOutcome Export(const CMyTalvoDoc& doc, const CReceiverGrid& grid, std::ofstream& out, int threads)
{
    const CCalcScene scene(doc);
    const PointLevelProvider levels = [&scene](double x, double y, double z) {
        return scene.PointLevels(x, y, z);
    };
    CRunProgress progress;
    CProgressWatcher watcher(progress, "수음점 정보를 저장중입니다.");
    CExportOutcome outcome = RunReceiverExport(grid, levels, out, progress, threads);
    watcher.Stop();
    return outcome;
}

void RunGrid(const GridArgs& args)
{
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "grid");
    PrintMessages(Calculate(doc));
    doc.m_settings.m_dReceiverSpacing = args.spacing;
    if (args.height)
        doc.m_settings.m_dReceiverHeight = *args.height;
    const CReceiverGrid grid = CReceiverGrid::FromSettings(doc.m_settings);
    if (const std::string refusal = CheckReceiverExport(doc, grid); !refusal.empty())
        Fail(refusal);
    std::ofstream out;
    if (const std::string failure = CreateExportFile(args.output, out); !failure.empty())
        Fail(failure);
    const CExportOutcome outcome = Export(doc, grid, out, args.threads);
    if (outcome.status == CExportOutcome::Status::Failed)
        Fail(outcome.message);
    if (outcome.status == CExportOutcome::Status::Cancelled)
        Fail("저장 작업이 취소되었습니다. " + std::to_string(outcome.lines) + "줄을 저장했습니다.", 130);
}

}  // namespace

void RegisterGrid(CLI::App& app)
{
    auto args = std::make_shared<GridArgs>();
    CLI::App* cmd = app.add_subcommand(
        "grid", "Calculate, then write the level on a receiver grid over the calculation area");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("-o,--output", args->output, "Text file to write")->required();
    cmd->add_option("--spacing", args->spacing, "Grid spacing in metres (default 50)")
        ->check(kFiniteNumber);
    cmd->add_option("--height", args->height, "Receiver height Z in metres (default: the project's)")
        ->check(kFiniteNumber);
    cmd->add_option("--threads", args->threads, "Threads computing points (default: every core)")
        ->check(CLI::Range(1, 1024));
    cmd->callback([args]() { RunGrid(*args); });
}
