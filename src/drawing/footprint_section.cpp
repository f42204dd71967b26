#include "drawing/footprint_section.h"

#include <algorithm>
#include <cmath>

std::vector<std::pair<double, double>> FootprintSpans(const CSectionPlane& plane, const std::vector<CMVector>& ring)
{
    const bool alongX = plane.Axis() == 1;
    const double fixed = plane.Fixed();
    std::vector<double> crossings;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const CMVector& a = ring[k];
        const CMVector& b = ring[(k + 1) % ring.size()];
        const double fa = alongX ? a.y : a.x, fb = alongX ? b.y : b.x;
        if ((fa <= fixed) == (fb <= fixed))
            continue;
        const double pa = alongX ? a.x : a.y, pb = alongX ? b.x : b.y;
        const double at = pa + (fixed - fa) / (fb - fa) * (pb - pa);
        if (std::isfinite(at))
            crossings.push_back(at);
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<std::pair<double, double>> spans;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
        if (crossings[i + 1] > crossings[i])
            spans.emplace_back(crossings[i], crossings[i + 1]);
    return spans;
}
