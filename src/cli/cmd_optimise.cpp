// talvo-cli optimise PROJECT --receiver N --from X1,Y1 --to X2,Y2 --max-height H
//   --length-step DL --height-step DH [--target T]: run the calculate command, then the
// barrier optimisation; prints the best barrier "%.2f\t%.2f\t%.2f\t%.2f\t%.2f" (start X,
// start Y, end X, end Y, height) or the one message the optimisation window would show.
#include "cli/commands.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/progress_watcher.h"
#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/search_run_inputs.h"

namespace {

struct OptimiseArgs {
    std::string project;
    long long receiver = 0;  // counted from 1
    std::string from, to;    // "X,Y"
    COptDesign design;
    std::optional<double> target;  // default: the receiver's stored target level
};

std::string FormatBarrier(const COptBarrierResult& b)
{
    char buf[1600];
    std::snprintf(buf, sizeof buf, "%.2f\t%.2f\t%.2f\t%.2f\t%.2f", b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY,
                  b.m_dHeight);
    return buf;
}

// A search stopped by Ctrl+C or SIGTERM has no result: it says so on stderr (with the
// best barrier met so far, which need not be the optimum) and exits 128 + the signal.
[[noreturn]] void FailStopped(const COptOutcome& outcome, const COptBarrierResult& fields, int status)
{
    std::cerr << "talvo-cli optimise: 최적 방음벽 계산이 중단되었습니다.";
    if (outcome.m_bFound)
        std::cerr << " 중단 전까지 조건을 만족한 방음벽: " << FormatBarrier(fields);
    std::cerr << '\n';
    throw CLI::RuntimeError(status);
}

// Runs the worker body with Ctrl+C and SIGTERM as cancel and returns the line to print.
std::string Optimise(CMyTalvoDoc& doc, const COptDesign& design)
{
    CRunProgress progress;
    CProgressWatcher watcher(progress, "최적 방음벽 계산");
    const OptEvaluation evaluate = [](CMyTalvoDoc& d) {
        Calculate(d, SearchRunInputs(d));  // in optimisation mode it has nothing to report
        return d.m_dOptLevel;
    };
    const COptOutcome outcome = RunOptimisation(doc, design, progress, evaluate);
    watcher.Stop();
    COptBarrierResult fields;
    const std::string message = FinishOptimisation(doc, progress, outcome, fields);
    if (outcome.m_bCancelled)
        FailStopped(outcome, fields, watcher.ExitStatus());
    return message.empty() ? FormatBarrier(fields) : message;
}

void RunOptimiseCommand(OptimiseArgs args)
{
    COptDesign& design = args.design;
    if (!ParsePoint(args.from, design.m_dStartX, design.m_dStartY) ||
        !ParsePoint(args.to, design.m_dEndX, design.m_dEndY)) {
        std::cerr << "talvo-cli optimise: --from and --to take X,Y (two numbers and a comma)\n";
        throw CLI::RuntimeError(1);
    }
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "optimise");
    PrintMessages(Calculate(doc));
    const int index = ReceiverIndexFromNumber(doc, args.receiver);
    if (index >= 0 && args.target)
        doc.m_arrReceiver[static_cast<std::size_t>(index)].m_dTargetLevel = *args.target;
    if (const std::string refusal = CheckOptimisationStart(doc, index, design); !refusal.empty()) {
        std::cout << refusal << '\n';
        return;
    }
    PrepareOptimisation(doc, index, design);
    std::cout << Optimise(doc, design) << '\n';
}

}  // namespace

void RegisterOptimise(CLI::App& app)
{
    auto args = std::make_shared<OptimiseArgs>();
    CLI::App* cmd = app.add_subcommand(
        "optimise", "Calculate, then find the shortest and lowest barrier meeting a receiver's target");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    cmd->add_option("--receiver", args->receiver, "Receiver number, counted from 1")->required();
    cmd->add_option("--from", args->from, "Start of the longest barrier allowed, X,Y")->required();
    cmd->add_option("--to", args->to, "End of the longest barrier allowed, X,Y")->required();
    cmd->add_option("--max-height", args->design.m_dMaxHeight, "Largest installable height, m")
        ->required()
        ->check(kFiniteNumber);
    cmd->add_option("--length-step", args->design.m_dLengthStep, "Length step, m")->required()->check(kFiniteNumber);
    cmd->add_option("--height-step", args->design.m_dHeightStep, "Height step, m")->required()->check(kFiniteNumber);
    cmd->add_option("--target", args->target, "Target level in dB(A) (default: the receiver's)")->check(kFiniteNumber);
    cmd->callback([args]() { RunOptimiseCommand(*args); });
}
