#include "report/report_map_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest round value (1, 2, 2.5, 4, 5 times a power of ten) not above `most`.
double RoundDown(double most)
{
    const double decade = std::pow(10.0, std::floor(std::log10(most)));
    double best = decade;
    for (double step : {1.0, 2.0, 2.5, 4.0, 5.0})
        if (step * decade <= most * (1 + 1e-12))
            best = step * decade;
    return best;
}

}  // namespace

double ReportMapSpacing(const CProjectSettings& s)
{
    const double width = s.m_dAreaEndX - s.m_dAreaStartX, depth = s.m_dAreaEndY - s.m_dAreaStartY;
    const double longer = std::max(width, depth);
    if (!std::isfinite(longer) || !(longer > 0) || !std::isfinite(width + depth))
        return s.m_dReceiverSpacing;
    // Round values lie at most twice apart, so the grid has at most twice the nodes asked
    // for across either side: about 160,000 in all, far below the maps' node limit.
    return RoundDown(longer / kReportMapNodesAcross);
}
