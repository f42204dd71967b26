#include "cli/period_option.h"

#include <iostream>

#include "engine/period_levels.h"
#include "model/document.h"

void AddPeriodOption(CLI::App* cmd, std::string& text)
{
    cmd->add_option("--period", text, "day (주간, 06-22 h; the default) or night (야간, 22-06 h)")
        ->check(CLI::IsMember({"day", "night"}));
}

EPeriod PeriodOf(const std::string& text) { return text == "night" ? EPeriod::kNight : EPeriod::kDay; }

bool SaysThereIsNoNightLevel(const CMyTalvoDoc& doc, EPeriod period)
{
    if (HasPeriodPowers(doc, period))
        return false;
    std::cerr << kMsgNoNightLevel << '\n';
    return true;
}
