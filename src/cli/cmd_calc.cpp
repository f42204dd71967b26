// talvo-cli calc PROJECT [--save OUT] [--limits]: run the calculate command and print the
// result table, with --limits followed by each receiver's limit and exceedance; the
// command's messages go to stderr. A calculation that is refused (by the input
// check, or for want of roads or receivers) exits with status 1.
#include "cli/commands.h"

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
    bool limits = false;
};

void Fail(const std::string& path, const std::string& message)
{
    std::cerr << "talvo-cli calc: " << path << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

void RunCalc(const CalcArgs& args)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.project);
    if (!opened.ok)
        Fail(args.project, opened.message);
    TellWhatTheOpenLeftOut(doc, opened, "calc", args.project);
    // A refused calculation makes no results: its message, the table of what the project
    // held, the save if asked for (keeping stored results), then exit status 1. The file's
    // own results never count here: an opened project has no calculation records.
    for (const std::string& message : Calculate(doc))
        std::cerr << message << '\n';
    const bool refused = !doc.IsCalculated();
    std::string table = ResultTableText(doc);
    if (args.limits)
        table = AppendColumns(table, kLimitColumnsHeader, ReceiverLimitCells(doc, EPeriod::kDay));
    std::cout << table << std::flush;
    if (!args.save.empty()) {
        const CFileResult saved = SaveProject(doc, args.save);
        if (!saved.ok)
            Fail(args.save, saved.message);
    }
    if (refused)
        throw CLI::RuntimeError(1);
}

}  // namespace

void RegisterCalc(CLI::App& app)
{
    auto args = std::make_shared<CalcArgs>();
    CLI::App* cmd = app.add_subcommand("calc", "Calculate the receiver levels of a project and print them");
    cmd->add_option("PROJECT", args->project, "Project file to calculate")->required();
    cmd->add_option("--save", args->save, "Write the project with its results to this file");
    cmd->add_flag("--limits", args->limits,
                  "Add each receiver's limit (its target, else the project criterion's) and its exceedance");
    cmd->callback([args]() { RunCalc(*args); });
}
