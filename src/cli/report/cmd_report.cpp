// talvo-cli report PROJECT -o REPORT.pdf [--map-spacing S] [--band B]
// [--design X1,Y1,X2,Y2,H (--design-receiver N | --design-receivers LIST |
// --design-building N [--design-floors A-B]) [--design-period day|night] [--design-target T]]:
// calculates the project, computes its noise maps and writes the assessment report as a PDF,
// with the barrier design page when a barrier found by talvo-cli optimise is given, for one
// receiver or for the set it was designed for (its rows before and after). A refused
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

#include "cli/optimise_set.h"
#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "io/output_file.h"
#include "io/project_file.h"
#include "model/document.h"
#include "optimise/design_table.h"
#include "report/report_map_grid.h"
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
    std::string designReceivers;  // "1,3,5-7"
    int designBuilding = 0;       // counted from 1
    std::string designFloors;     // "A-B"
    std::string designPeriod = "day";
    std::optional<double> designTarget;
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

// "X1,Y1,X2,Y2,H", with commas or the tabs talvo-cli optimise prints.
COptBarrierResult ParseBarrier(const ReportArgs& args)
{
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
    return b;
}

// The set the barrier was designed for, as talvo-cli optimise names it.
CDesignTarget SetTarget(const ReportArgs& args)
{
    CDesignTarget target;
    target.m_dTarget = args.designTarget;
    target.m_ePeriod = args.designPeriod == "night" ? EPeriod::kNight : EPeriod::kDay;
    if (args.designBuilding == 0) {
        if (!ParseReceiverList(args.designReceivers, target.m_arrReceiver))
            Fail(args.designReceivers, "--design-receivers takes numbers from 1 and ranges, such as 1,3,5-7");
        return target;
    }
    target.m_eKind = CDesignTarget::EKind::kBuilding;
    target.m_nBuilding = args.designBuilding - 1;
    if (!args.designFloors.empty() && !ParseFloorRange(args.designFloors, target.m_nFirstFloor, target.m_nLastFloor))
        Fail(args.designFloors, "--design-floors takes a floor or a range of floors from 1, such as 3 or 1-10");
    return target;
}

// The set's rows before and after the barrier; the rows even the full design barrier
// cannot help are known only to the search, so here a row over its limit is just over it.
CReportDesign SetDesign(const ReportArgs& args, const CMyTalvoDoc& doc, const COptBarrierResult& barrier)
{
    const CDesignTarget target = SetTarget(args);
    if (const std::string refusal = CheckDesignTarget(doc, target); !refusal.empty())
        Fail(args.project, refusal);
    const CDesignTable table = ComputeDesignTable(doc, target, barrier);
    if (table.m_arrRow.empty())
        Fail(args.project, kMsgNoFacadePoints);
    return ReportDesignOf(table);
}

// The barrier for receiver N (from 1), or for a set of receivers or a building's floors.
std::optional<CReportDesign> ParseDesign(const ReportArgs& args, const CMyTalvoDoc& doc)
{
    if (args.design.empty())
        return std::nullopt;
    const COptBarrierResult b = ParseBarrier(args);
    const int named = (args.designReceiver != 0) + !args.designReceivers.empty() + (args.designBuilding != 0);
    if (named != 1)
        Fail(args.design,
             "name what the barrier was designed for: --design-receiver, --design-receivers or "
             "--design-building");
    if (args.designReceiver == 0)
        return SetDesign(args, doc, b);
    if (args.designReceiver < 1 || std::size_t(args.designReceiver) > doc.m_arrReceiver.size())
        Fail(std::to_string(args.designReceiver), "그런 수음점이 없습니다.");
    CReportDesign design;
    design.barrier = b;
    design.receiver = args.designReceiver - 1;
    return design;
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
    const double spacing = args.spacing.value_or(ReportMapSpacing(doc.m_settings));
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
    cmd->add_option("--map-spacing", args->spacing,
                    "Noise-map grid spacing in metres (default: about 200 nodes across the area)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--band", args->band, "Noise map of 0 the overall level, 1..8 the octave bands 63 Hz .. 8 kHz")
        ->check(CLI::Range(0, 8));
    CLI::Option* design = cmd->add_option(
        "--design", args->design, "A barrier to report as the design: X1,Y1,X2,Y2,H as talvo-cli optimise prints it");
    cmd->add_option("--design-receiver", args->designReceiver, "The receiver (from 1) the design is for")
        ->needs(design);
    cmd->add_option("--design-receivers", args->designReceivers, "The receivers (1,3,5-7) the design is for")
        ->needs(design);
    CLI::Option* building =
        cmd->add_option("--design-building", args->designBuilding, "The building (from 1) the design is for")
            ->needs(design)
            ->check(CLI::PositiveNumber);
    cmd->add_option("--design-floors", args->designFloors, "The floors (A-B) of the building the design is for")
        ->needs(building);
    cmd->add_option("--design-period", args->designPeriod, "The period a set's design is judged in: day or night")
        ->check(CLI::IsMember({"day", "night"}))
        ->needs(design);
    cmd->add_option("--design-target", args->designTarget, "The target level of every row of a set's design")
        ->check(kFiniteNumber)
        ->needs(design);
    cmd->callback([args]() { RunReport(*args); });
}
