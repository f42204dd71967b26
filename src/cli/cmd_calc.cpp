// talvo-cli calc PROJECT [--period day|night] [--save OUT] [--limits]: run the calculate
// command and print the result table of the period, with --limits followed by each
// receiver's limit and exceedance in that period; the command's messages go to stderr. A
// calculation that is refused (by the input check, or for want of roads or receivers) exits
// with status 1, and so does a night table when no road or tunnel has night powers (after
// its message and the table, whose levels are all "-").
#include "cli/commands.h"

#include "cli/period_option.h"
#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "engine/limit_columns.h"
#include "engine/result_table.h"
#include "io/project_file.h"
#include "model/document.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace {

struct CalcArgs {
    std::string project;
    std::string save;
    std::string period = "day";
    bool limits = false;
};

void FailCalc(const std::string& path, const std::string& message)
{
    std::cerr << "talvo-cli calc: " << path << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

void RunCalc(const CalcArgs& args)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        FailCalc(args.project, opened.message);
    TellWhatTheOpenLeftOut(doc, opened, "calc", args.project);
    // A refused calculation makes no results: its message, the table of what the project
    // held, the save if asked for (keeping stored results), then exit status 1. The file's
    // own results never count here: an opened project has no calculation records.
    for (const std::string& message : Calculate(doc))
        std::cerr << message << '\n';
    const bool refused = !doc.IsCalculated();
    const EPeriod period = PeriodOf(args.period);
    const bool noLevel = !refused && SaysThereIsNoNightLevel(doc, period);
    std::string table = ResultTableText(doc, period);
    if (args.limits)
        table = AppendColumns(table, kLimitColumnsHeader, ReceiverLimitCells(doc, period));
    std::cout << table << std::flush;
    if (!args.save.empty()) {
        const CFileResult saved = SaveProject(doc, args.save);
        if (!saved.ok)
            FailCalc(args.save, saved.message);
    }
    if (refused || noLevel)
        throw CLI::RuntimeError(1);
}

}  // namespace

void RegisterCalc(CLI::App& app)
{
    auto args = std::make_shared<CalcArgs>();
    CLI::App* cmd = app.add_subcommand("calc", "Calculate the receiver levels of a project and print them");
    cmd->add_option("PROJECT", args->project, "Project file to calculate")->required();
    cmd->add_option("--save", args->save, "Write the project with its results to this file");
    AddPeriodOption(cmd, args->period);
    cmd->add_flag("--limits", args->limits,
                  "Add each receiver's limit (its target, else the project criterion's) and its exceedance");
    cmd->callback([args]() { RunCalc(*args); });
}
