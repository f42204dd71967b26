#pragma once

// --period day|night of the commands that print or map levels: which period's levels
// (주간 06-22 h by default, 야간 22-06 h).

#include <string>

#include <CLI/CLI.hpp>

#include "model/noise_limits.h"

class CMyTalvoDoc;

// Adds --period to cmd, storing "day" or "night" in text (which keeps "day" when not given).
void AddPeriodOption(CLI::App* cmd, std::string& text);

EPeriod PeriodOf(const std::string& text);

// At night with no road or tunnel that has night powers: writes kMsgNoNightLevel to stderr
// and returns true (the command then ends with status 1, as a refused calculation does).
bool SaysThereIsNoNightLevel(const CMyTalvoDoc& doc, EPeriod period);
