// talvo-cli map PROJECT -o FILE.png [--spacing S] [--height H] [--band B] [--threads N]
// [--width PX --height-px PX] [--section-output FILE.png [--section-from A --section-to B]]:
// computes the plan noise map and renders it with the model and
// the legend to a PNG, without a display. This command needs Qt's painting: it lives in
// the small library talvo_cli_map and creates its QGuiApplication only while it runs.
#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "engine/calc_scene.h"
#include "engine/noise_map_compute.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "model/document.h"
#include "render/noise_map_image.h"

namespace {

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
};

[[noreturn]] void Fail(const std::string& what, const std::string& message)
{
    std::cerr << "talvo-cli map: " << what << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

// Without a display the offscreen platform draws; a platform chosen by the user stays.
void ChooseOffscreenWithoutDisplay()
{
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

CNoiseMapGrid ComputePlanMap(CMyTalvoDoc& doc, const MapArgs& args)
{
    const double spacing = args.spacing.value_or(doc.m_settings.m_dReceiverSpacing);
    const double height = args.height.value_or(doc.m_settings.m_dReceiverHeight);
    if (!std::isfinite(height))
        Fail(args.project, "수음점 높이가 잘못되었습니다.");
    doc.m_arrSegment.clear();
    MakeSourcePieces(doc);
    if (doc.m_arrSegment.empty())
        Fail(args.project, "하나 이상의 도로를 입력하십시요");
    if (const std::string refusal = CheckNoiseMap(doc, spacing); !refusal.empty())
        Fail(args.project, refusal);
    const CCalcScene scene(doc);
    CNoiseMapGrid grid = PlanMapLayout(doc.m_settings, spacing, height, args.band);
    CRunProgress progress;
    ComputeNoiseMap(scene, grid, progress, args.threads);
    return grid;
}

// The section map along the project's section line, the whole line or the stretch asked for.
void RenderSection(CMyTalvoDoc& doc, const MapArgs& args)
{
    const double spacing = args.spacing.value_or(doc.m_settings.m_dReceiverSpacing);
    const CCalcScene scene(doc);
    CNoiseMapGrid grid = SectionMapLayout(doc.m_settings, spacing, args.band);
    CRunProgress progress;
    ComputeNoiseMap(scene, grid, progress, args.threads);
    const double from = args.sectionFrom.value_or(grid.m_dStartU);
    const double to = args.sectionTo.value_or(grid.m_dEndU);
    QSize size = SectionMapImageSize(grid, from, to, args.width);
    if (args.heightPx)
        size.setHeight(*args.heightPx);
    const QImage image = RenderSectionMapImage(doc, grid, from, to, size);
    if (!image.save(QString::fromStdString(args.sectionOutput), "PNG"))
        Fail(args.sectionOutput, "PNG 파일을 쓸 수 없습니다.");
}

void RunMap(const MapArgs& args)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        Fail(args.project, opened.message);
    const CNoiseMapGrid grid = ComputePlanMap(doc, args);
    ChooseOffscreenWithoutDisplay();
    int argc = 1;
    char name[] = "talvo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QSize size = PlanMapImageSize(doc, args.width);
    if (args.heightPx)
        size.setHeight(*args.heightPx);
    const QImage image = RenderPlanMapImage(doc, grid, size);
    if (!image.save(QString::fromStdString(args.output), "PNG"))
        Fail(args.output, "PNG 파일을 쓸 수 없습니다.");
    if (!args.sectionOutput.empty())
        RenderSection(doc, args);
}

}  // namespace

void RegisterMap(CLI::App& app)
{
    auto args = std::make_shared<MapArgs>();
    CLI::App* cmd = app.add_subcommand("map", "Render the plan noise map of a project to a PNG");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("-o,--output", args->output, "PNG file to write")->required();
    cmd->add_option("--spacing", args->spacing, "Grid spacing in metres (default: the project's)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--height", args->height, "Grid height Z in metres (default: the project's)");
    cmd->add_option("--band", args->band, "0 overall level, 1..8 the octave bands 63 Hz .. 8 kHz")
        ->check(CLI::Range(0, 8));
    cmd->add_option("--threads", args->threads, "Threads (default: one per core)")->check(CLI::NonNegativeNumber);
    cmd->add_option("--width", args->width, "Image width in pixels")->check(CLI::Range(200, 8000));
    cmd->add_option("--height-px", args->heightPx, "Image height in pixels (default: from the area)")
        ->check(CLI::Range(200, 8000));
    cmd->add_option("--section-output", args->sectionOutput,
                    "Also render the section map along the project's section line to this PNG");
    cmd->add_option("--section-from", args->sectionFrom, "Start of the stretch of the section line shown (m)");
    cmd->add_option("--section-to", args->sectionTo, "End of the stretch of the section line shown (m)");
    cmd->callback([args]() { RunMap(*args); });
}
