// talvo-cli optimise PROJECT --receiver N --from X1,Y1 --to X2,Y2 --max-height H
//   --length-step DL --height-step DH [--target T]: run the calculate command, then the
// barrier optimisation; prints the best barrier "%.2f\t%.2f\t%.2f\t%.2f\t%.2f" (start X,
// start Y, end X, end Y, height) or the one message the optimisation window would show.
// With --receivers LIST or --building N [--floors A-B] in place of --receiver, the barrier
// is designed for that set against its limits in the --period (day or night), and the
// design table follows the line (optimise_set.h).
#include "cli/commands.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/optimise_set.h"
#include "cli/progress_watcher.h"
#include "cli/project_loading.h"
#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/barrier_optimisation.h"
#include "optimise/search_run_inputs.h"

namespace {

struct OptimiseArgs {
    std::string project;
    std::optional<long long> receiver;  // counted from 1; none: a design set instead
    std::string receivers;              // "1,3,5-7"
    int building = 0;                   // counted from 1
    std::string floors;                 // "A-B"
    std::string period = "day";
    std::string from, to;  // "X,Y"
    COptDesign design;
    std::optional<double> target;  // default: the receiver's stored target level
};

[[noreturn]] void FailArguments(const std::string& message)
{
    std::cerr << "talvo-cli optimise: " << message << '\n';
    throw CLI::RuntimeError(1);
}

// The design set the arguments name; none for the one-receiver search.
std::optional<CDesignTarget> SetTarget(const OptimiseArgs& args)
{
    if (args.receivers.empty() && args.building == 0) {
        if (!args.receiver)
            FailArguments(
                "name the receiver (--receiver N), receivers (--receivers LIST) or a building (--building N)");
        return std::nullopt;
    }
    CDesignTarget target;
    target.m_dTarget = args.target;
    target.m_ePeriod = args.period == "night" ? EPeriod::kNight : EPeriod::kDay;
    if (args.building == 0) {
        if (!ParseReceiverList(args.receivers, target.m_arrReceiver))
            FailArguments("--receivers takes numbers from 1 and ranges, such as 1,3,5-7");
        return target;
    }
    target.m_eKind = CDesignTarget::EKind::kBuilding;
    target.m_nBuilding = args.building - 1;
    if (!args.floors.empty() && !ParseFloorRange(args.floors, target.m_nFirstFloor, target.m_nLastFloor))
        FailArguments("--floors takes a floor or a range of floors from 1, such as 3 or 1-10");
    return target;
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
    const std::optional<CDesignTarget> target = SetTarget(args);
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.project, "optimise");
    PrintMessages(Calculate(doc));
    if (target) {
        RunSetOptimiseCommand(doc, *target, design);
        return;
    }
    const int index = ReceiverIndexFromNumber(doc, *args.receiver);
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
    CLI::App* cmd = app.add_subcommand("optimise",
                                       "Calculate, then find the shortest and lowest barrier meeting a receiver's "
                                       "target, or the limits of several receivers or of a building's floors");
    cmd->add_option("PROJECT", args->project, "Project file")->required();
    CLI::Option* receiver = cmd->add_option("--receiver", args->receiver, "Receiver number, counted from 1");
    CLI::Option* receivers = cmd->add_option("--receivers", args->receivers,
                                             "Design for several receivers (numbers from 1 and ranges: 1,3,5-7)");
    CLI::Option* building =
        cmd->add_option("--building", args->building, "Design for the façades of building N (from 1)")
            ->check(CLI::PositiveNumber);
    cmd->add_option("--floors", args->floors, "Only these floors of the building: A-B or A")->needs(building);
    CLI::Option* period =
        cmd->add_option("--period", args->period, "Period of the levels and limits of a set: day or night")
            ->check(CLI::IsMember({"day", "night"}));
    receiver->excludes(receivers, building, period);
    receivers->excludes(building);
    cmd->add_option("--from", args->from, "Start of the longest barrier allowed, X,Y")->required();
    cmd->add_option("--to", args->to, "End of the longest barrier allowed, X,Y")->required();
    cmd->add_option("--max-height", args->design.m_dMaxHeight, "Largest installable height, m")
        ->required()
        ->check(kFiniteNumber);
    cmd->add_option("--length-step", args->design.m_dLengthStep, "Length step, m")->required()->check(kFiniteNumber);
    cmd->add_option("--height-step", args->design.m_dHeightStep, "Height step, m")->required()->check(kFiniteNumber);
    cmd->add_option("--target", args->target,
                    "Target level in dB(A) (default: the receiver's; for a set, every row's in place of its own "
                    "target and the criterion's limit)")
        ->check(kFiniteNumber);
    cmd->callback([args]() { RunOptimiseCommand(*args); });
}
