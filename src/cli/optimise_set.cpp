#include "cli/optimise_set.h"

#include <charconv>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/progress_watcher.h"
#include "optimise/set_optimisation.h"

namespace {

bool ParseNumber(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 1;
}

// "A-B" or "A" into two numbers from 1 with A <= B.
bool ParseRange(const std::string& text, int& first, int& last)
{
    const auto dash = text.find('-');
    if (dash == std::string::npos) {
        if (!ParseNumber(text, first))
            return false;
        last = first;
        return true;
    }
    return ParseNumber(text.substr(0, dash), first) && ParseNumber(text.substr(dash + 1), last) && first <= last;
}

}  // namespace

std::string FormatBarrier(const COptBarrierResult& b)
{
    char buf[1600];
    std::snprintf(buf, sizeof buf, "%.2f\t%.2f\t%.2f\t%.2f\t%.2f", b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY,
                  b.m_dHeight);
    return buf;
}

bool ParseReceiverList(const std::string& text, std::vector<int>& receivers)
{
    // A range wider than any project is a typing error, not a request for a billion rows.
    constexpr int kMaxRange = 100000;
    receivers.clear();
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        int first = 0, last = 0;
        if (!ParseRange(text.substr(from, comma - from), first, last) || last - first > kMaxRange)
            return false;
        for (int n = first; n <= last; ++n)
            receivers.push_back(n - 1);
        from = comma + 1;
    }
    return !receivers.empty();
}

bool ParseFloorRange(const std::string& text, int& first, int& last) { return ParseRange(text, first, last); }

void RunSetOptimiseCommand(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design)
{
    if (const std::string refusal = CheckSetOptimisationStart(doc, target, design); !refusal.empty()) {
        std::cout << refusal << '\n';
        return;
    }
    CRunProgress progress;
    CProgressWatcher watcher(progress, "최적 방음벽 계산");
    const CSetOutcome outcome = RunSetOptimisation(doc, target, design, progress);
    watcher.Stop();
    COptBarrierResult fields;
    const std::string message = FinishSetOptimisation(progress, outcome, fields);
    if (outcome.m_run.m_bCancelled) {
        std::cerr << "talvo-cli optimise: 최적 방음벽 계산이 중단되었습니다.";
        if (outcome.m_run.m_bFound)
            std::cerr << " 중단 전까지 조건을 만족한 방음벽: " << FormatBarrier(fields);
        std::cerr << '\n';
        throw CLI::RuntimeError(watcher.ExitStatus());
    }
    if (outcome.m_run.m_bFound) {
        std::cout << FormatBarrier(fields) << '\n';
        if (!message.empty())
            std::cerr << message << '\n';  // the rows left out; the table marks them too
    } else {
        std::cout << message << '\n';
    }
    std::cout << DesignTableText(outcome.m_table);
}
