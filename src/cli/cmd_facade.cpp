// talvo-cli facade PROJECT [--floors] [--period day|night] [-o OUT]: run the calculate
// command and print the levels of the buildings' façade receivers in the period, or with
// --floors one line per building and floor; the command's messages go to stderr. A
// calculation that is refused, or that has no façade receivers to compute, exits with
// status 1, and so does the night when no road or tunnel has night powers (writing no
// table). With --limits each line is followed by the limit of its building in the period and
// the exceedance. With -o the table is written beside OUT and renamed into place only when
// complete.
#include "cli/commands.h"

#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/period_option.h"
#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "engine/facade_table.h"
#include "engine/input_check.h"
#include "engine/limit_columns.h"
#include "io/output_file.h"
#include "model/document.h"

namespace {

struct FacadeArgs {
    std::string project;
    std::string output;
    bool floors = false;
    std::string period = "day";
    bool limits = false;
};

[[noreturn]] void FailFacade(const std::string& message)
{
    std::cerr << message << '\n';
    throw CLI::RuntimeError(1);
}

void WriteOutput(const FacadeArgs& args, const std::string& text)
{
    if (args.output.empty()) {
        std::cout << text << std::flush;
        return;
    }
    COutputFile file;
    if (const std::string failure = file.Create(args.output); !failure.empty())
        FailFacade(failure);
    file.Stream() << text;
    if (const std::string failure = file.Commit(); !failure.empty())
        FailFacade(failure);
}

void RunFacade(const FacadeArgs& args)
{
    if (!args.output.empty() && IsSameFile(args.project, args.output))
        FailFacade("talvo-cli facade: " + args.output +
                   ": the output file is the project itself; name another file with -o");
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "facade");
    const bool refused = !FindUnusableInput(doc).empty();
    PrintMessages(Calculate(doc));
    if (refused || doc.m_arrSegment.empty())
        throw CLI::RuntimeError(1);  // the calculation has said why
    if (doc.m_arrFacade.empty())
        FailFacade("외벽 수음점이 없습니다. 하나 이상의 건물을 입력하십시오.");
    const EPeriod period = PeriodOf(args.period);
    if (SaysThereIsNoNightLevel(doc, period))
        throw CLI::RuntimeError(1);
    std::string table =
        args.floors ? FloorTableText(doc.m_arrFacade, period) : FacadeTableText(doc.m_arrFacade, period);
    if (args.limits)
        table = AppendColumns(table, kLimitColumnsHeader,
                              args.floors ? FloorLimitCells(doc, period) : FacadeLimitCells(doc, period));
    WriteOutput(args, table);
}

}  // namespace

void RegisterFacade(CLI::App& app)
{
    auto args = std::make_shared<FacadeArgs>();
    CLI::App* cmd = app.add_subcommand(
        "facade", "Calculate, then print the levels of the façade receivers of every building and floor");
    cmd->add_option("PROJECT", args->project, "Project file to calculate")->required();
    cmd->add_flag("--floors", args->floors,
                  "One line per building and floor: façade points, highest level and where, lowest level");
    cmd->add_flag("--limits", args->limits,
                  "Add the limit of each line's building (the project criterion's, else the housing rule's) and "
                  "the exceedance of its level");
    cmd->add_option("-o,--output", args->output, "Text file to write instead of standard output");
    AddPeriodOption(cmd, args->period);
    cmd->callback([args]() { RunFacade(*args); });
}
