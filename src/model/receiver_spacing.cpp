#include "model/receiver_spacing.h"

#include <cmath>

namespace {

double LineLength(const CEqualSpacingLine& line)
{
    const double dx = line.m_end[0] - line.m_start[0];
    const double dy = line.m_end[1] - line.m_start[1];
    const double dz = line.m_end[2] - line.m_start[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool HasSpacing(const CEqualSpacingLine& line) { return std::isfinite(line.m_dSpacing) && line.m_dSpacing > 0.0; }

}  // namespace

std::size_t EqualSpacingCount(const CEqualSpacingLine& line)
{
    if (!HasSpacing(line))
        return 0;
    const double steps = std::ceil(LineLength(line) / line.m_dSpacing);  // the t below 1
    if (!std::isfinite(steps) || steps > static_cast<double>(kMaxEqualSpacingPoints))
        return kMaxEqualSpacingPoints + 1;
    return static_cast<std::size_t>(std::fmax(steps, 1.0)) + 1;
}

std::vector<Point3> EqualSpacingPoints(const CEqualSpacingLine& line)
{
    std::vector<Point3> points;
    if (!HasSpacing(line) || EqualSpacingCount(line) > kMaxEqualSpacingPoints)
        return points;
    const double length = LineLength(line);
    for (std::size_t i = 0;; ++i) {
        // t from the step number, not by adding, so that rounding does not drift.
        const double t = length > 0.0 ? static_cast<double>(i) * line.m_dSpacing / length : (i == 0 ? 0.0 : 1.0);
        if (!(t < 1.0))
            break;
        Point3 p;
        for (std::size_t a = 0; a < 3; ++a)
            p[a] = line.m_start[a] + t * (line.m_end[a] - line.m_start[a]);
        points.push_back(p);
    }
    points.push_back(line.m_end);
    return points;
}
