// talvo-cli report PROJECT -o REPORT.pdf [--map-spacing S] [--band B]: calculates the
// project, computes its noise maps and writes the assessment report as a PDF. A refused
// calculation prints its message and writes nothing. Like talvo-cli map, this command
// paints with Qt: it lives in the small library talvo_cli_report and creates its
// QGuiApplication only while it writes.
#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "engine/calculation.h"
#include "io/project_file.h"
#include "model/document.h"
#include "report/report_maps.h"
#include "report/report_writer.h"

namespace {

struct ReportArgs {
    std::string project;
    std::string output;
    std::optional<double> spacing;
    int band = 0;
};

[[noreturn]] void Fail(const std::string& what, const std::string& message)
{
    std::cerr << "talvo-cli report: " << what << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

// Without a display the offscreen platform draws; a platform chosen by the user stays.
void ChooseOffscreenWithoutDisplay()
{
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

// The calculation's messages go to stderr as talvo-cli calc prints them; a calculation
// that produced no result is refused with its message.
void CalculateOrFail(CMyTalvoDoc& doc, const std::string& path)
{
    const std::vector<std::string> messages = Calculate(doc);
    if (!doc.IsCalculated())
        Fail(path, messages.empty() ? std::string("계산할 수 없습니다.") : messages.front());
    for (const std::string& message : messages)
        std::cerr << message << '\n';
}

void RunReport(const ReportArgs& args)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        Fail(args.project, opened.message);
    CalculateOrFail(doc, args.project);
    CNoiseMap map;
    const double spacing = args.spacing.value_or(doc.m_settings.m_dReceiverSpacing);
    if (const std::string refusal = ComputeReportMaps(doc, spacing, args.band, map); !refusal.empty())
        Fail(args.project, refusal);
    ChooseOffscreenWithoutDisplay();
    int argc = 1;
    char name[] = "talvo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const CReportInput input{&doc, &map, QDateTime::currentDateTime(), std::nullopt};
    if (const std::string failure = WriteReportPdf(input, QString::fromStdString(args.output)); !failure.empty())
        Fail(args.output, failure);
}

}  // namespace

void RegisterReport(CLI::App& app)
{
    auto args = std::make_shared<ReportArgs>();
    CLI::App* cmd = app.add_subcommand("report", "Calculate a project and write its assessment report as a PDF");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("-o,--output", args->output, "PDF file to write")->required();
    cmd->add_option("--map-spacing", args->spacing, "Noise-map grid spacing in metres (default: the project's)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--band", args->band, "Noise map of 0 the overall level, 1..8 the octave bands 63 Hz .. 8 kHz")
        ->check(CLI::Range(0, 8));
    cmd->callback([args]() { RunReport(*args); });
}
