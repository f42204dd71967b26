#pragma once

// Receivers equally spaced on a straight line: the points S + t*(E - S) for
// t = 0, s/L, 2s/L, ... while t < 1 (L = |E - S| in three dimensions), followed by E.
// A spacing that is not greater than 0 gives no points. Pure function; any thread.

#include <array>
#include <cstddef>
#include <vector>

using Point3 = std::array<double, 3>;

struct CEqualSpacingLine {
    Point3 m_start{};
    Point3 m_end{};
    double m_dSpacing = 0;  // m
};

// More points than this are refused by the input window (a spacing far too small).
constexpr std::size_t kMaxEqualSpacingPoints = 10000;

// How many points EqualSpacingPoints gives, computed without making them.
std::size_t EqualSpacingCount(const CEqualSpacingLine& line);
std::vector<Point3> EqualSpacingPoints(const CEqualSpacingLine& line);
