#pragma once

// The one walk along an axis of a grid of points: the receiver export, the noise map's
// nodes and the plan view's receiver dots and picking all take their positions from it,
// so a point drawn or picked lies exactly where the export writes it.
// Thread-safe: a plain function of its arguments.

#include <vector>

// Values start, start + s, (start + s) + s, ... while not beyond end: repeated addition of
// the spacing, never start + i * s (the two drift apart by rounding over a long axis).
// Empty when end lies before start. The walk also stops when an addition no longer moves
// the value, so it always ends; callers refuse such spacings before walking.
std::vector<double> WalkAxis(double start, double end, double spacing);
