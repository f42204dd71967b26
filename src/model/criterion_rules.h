#pragma once

// How the criterion fields of the environment pane change the project settings. Plain C++:
// the pane and the main frame apply the results.

#include <string>

#include "model/noise_limits.h"
#include "model/project_settings.h"

// Takes the criterion. The project's zone stays when the criterion has it; otherwise it
// becomes the criterion's first zone (none for a criterion without zones), so that a
// criterion chosen always judges something.
void ChooseCriterion(CProjectSettings& settings, ECriterion criterion);

// A user-defined limit typed: empty is none, a finite number is the limit. False, and the
// settings unchanged, for any other text.
bool ApplyUserLimit(CProjectSettings& settings, EPeriod period, const std::string& text);

// The night traffic ratio typed: empty is none, a finite number of 0 or more is the ratio.
// False, and the settings unchanged, for any other text.
bool ApplyNightTrafficRatio(CProjectSettings& settings, const std::string& text);
