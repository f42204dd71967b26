#pragma once

// talvo-cli optimise for a design set: --receivers LIST or --building N [--floors A-B],
// with --period day|night. Shared by cmd_optimise.cpp.

#include <optional>
#include <string>

#include "optimise/barrier_optimisation.h"
#include "optimise/design_target.h"

class CMyTalvoDoc;

// "1,3,5-7" into 0-based receiver positions, in the order given; false when the text is not
// a list of numbers and ranges from 1.
bool ParseReceiverList(const std::string& text, std::vector<int>& receivers);

// "A-B" or "A" into floors from 1; false when the text is not of that form.
bool ParseFloorRange(const std::string& text, int& first, int& last);

// A barrier's line as both optimise commands print it: start X, Y, end X, Y and height,
// "%.2f" and tab-separated.
std::string FormatBarrier(const COptBarrierResult& b);

// Runs the search on the calculated doc and prints its result: the best barrier (or the
// message the optimisation window would show) on one line, then the design table. A refusal
// is printed alone. A run stopped by a signal throws CLI::RuntimeError(128 + signal).
void RunSetOptimiseCommand(const CMyTalvoDoc& doc, const CDesignTarget& target, const COptDesign& design);
