// talvo-cli report PROJECT -o REPORT.pdf [--map-spacing S] [--band B]
// [--design X1,Y1,X2,Y2,H --design-receiver N]: calculates the project, computes its noise
// maps and writes the assessment report as a PDF, with the barrier design page when a
// barrier found by talvo-cli optimise is given. A refused
// calculation prints its message and writes nothing. Like talvo-cli map, this command
// paints with Qt: it lives in the small library talvo_cli_report and creates its
// QGuiApplication only while it writes.
#include "cli/commands.h"
#include "cli/offscreen_platform.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "io/output_file.h"
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
    std::string design;
    int designReceiver = 0;
};

[[noreturn]] void Fail(const std::string& what, const std::string& message)
{
    std::cerr << "talvo-cli report: " << what << ": " << message << '\n';
    throw CLI::RuntimeError(1);
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

// "X1,Y1,X2,Y2,H" (commas, or the tabs talvo-cli optimise prints) for receiver N (from 1).
std::optional<CReportDesign> ParseDesign(const ReportArgs& args, const CMyTalvoDoc& doc)
{
    if (args.design.empty())
        return std::nullopt;
    std::string text = args.design;
    for (char& c : text)
        if (c == ',' || c == '\t')
            c = ' ';
    std::istringstream in(text);
    COptBarrierResult b;
    in >> b.m_dStartX >> b.m_dStartY >> b.m_dEndX >> b.m_dEndY >> b.m_dHeight;
    std::string rest;
    const bool finite = std::isfinite(b.m_dStartX + b.m_dStartY + b.m_dEndX + b.m_dEndY + b.m_dHeight);
    if (in.fail() || (in >> rest) || !finite || !(b.m_dHeight > 0))
        Fail(args.design, "방음벽은 X1,Y1,X2,Y2,높이 (높이 > 0)로 주십시오.");
    if (args.designReceiver < 1 || std::size_t(args.designReceiver) > doc.m_arrReceiver.size())
        Fail(std::to_string(args.designReceiver), "그런 수음점이 없습니다.");
    return CReportDesign{b, args.designReceiver - 1};
}

void RunReport(const ReportArgs& args)
{
    if (NamesSameFile(args.project, args.output))
        Fail(args.output, "the output file is the project itself; name another file");
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        Fail(args.project, opened.message);
    TellWhatTheOpenLeftOut(doc, opened, "report", args.project);
    CalculateOrFail(doc, args.project);
    const std::optional<CReportDesign> design = ParseDesign(args, doc);
    CNoiseMap map;
    const double spacing = args.spacing.value_or(doc.m_settings.m_dReceiverSpacing);
    if (const std::string refusal = ComputeReportMaps(doc, spacing, args.band, map); !refusal.empty())
        Fail(args.project, refusal);
    PrepareCommandLineQt();
    int argc = 1;
    char name[] = "talvo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const CReportInput input{&doc, &map, QDateTime::currentDateTime(), design};
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
    CLI::Option* design = cmd->add_option(
        "--design", args->design, "A barrier to report as the design: X1,Y1,X2,Y2,H as talvo-cli optimise prints it");
    cmd->add_option("--design-receiver", args->designReceiver, "The receiver (from 1) the design is for")
        ->needs(design);
    design->needs("--design-receiver");
    cmd->callback([args]() { RunReport(*args); });
}
