#pragma once

// Round lengths for the plan view's scale bar and the section view's axis ticks:
// 1, 2 or 5 times a power of ten. Plain arithmetic.

#include <string>
#include <vector>

// The largest round length not above `limit` (metres); 0 for a limit that is not a
// positive finite number.
double RoundLengthAtMost(double limit);

// The smallest round length not below `limit`; 0 for an unusable limit.
double RoundLengthAtLeast(double limit);

// The multiples of step within [lo, hi], in order; at most kMaxTicks of them, none for
// an unusable step or range.
std::vector<double> TickValues(double lo, double hi, double step);

constexpr int kMaxTicks = 1000;

// A round length or tick value as the views label it: "500 m", "0.2 m", "-10 m".
std::string FormatMetres(double metres);
