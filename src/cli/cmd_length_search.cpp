// talvo-cli length-search PROJECT --receiver N [--target T]: the barrier length search for
// one receiver; prints its message (or the refusal) as one line on stdout.
#include "cli/commands.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/length_search.h"
#include "optimise/search_run_inputs.h"

namespace {

struct LengthSearchArgs {
    std::string project;
    long long receiver = 0;        // counted from 1
    std::optional<double> target;  // default: the receiver's stored target level
};

void RunLengthSearchCommand(const LengthSearchArgs& args)
{
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "length-search");
    const int index = ReceiverIndexFromNumber(doc, args.receiver);
    if (index >= 0 && args.target)
        doc.m_arrReceiver[static_cast<std::size_t>(index)].m_dTargetLevel = *args.target;
    const PredictionRun predict = [](CMyTalvoDoc& d) { PrintMessages(Calculate(d, SearchRunInputs(d))); };
    std::cout << RunLengthSearch(doc, index, predict) << '\n';
}

}  // namespace

void RegisterLengthSearch(CLI::App& app)
{
    auto args = std::make_shared<LengthSearchArgs>();
    CLI::App* cmd = app.add_subcommand("length-search",
                                       "The longest barrier that matters for one receiver (runs its own prediction)");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("--receiver", args->receiver, "Receiver number, counted from 1")->required();
    cmd->add_option("--target", args->target, "Target level in dB(A) (default: the receiver's)")->check(kFiniteNumber);
    cmd->callback([args]() { RunLengthSearchCommand(*args); });
}
