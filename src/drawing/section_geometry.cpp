#include "drawing/section_geometry.h"

#include <algorithm>
#include <cmath>

#include "model/project_settings.h"

namespace {

CMVector Plan(const CMVector& v) { return {v.x, v.y, 0}; }

double TriangleArea(const CMVector& a, const CMVector& b, const CMVector& c)
{
    return 0.5 * Length(Cross(b - a, c - a));
}

}  // namespace

CSectionPlane::CSectionPlane(const CProjectSettings& s, int axis) : m_nAxis(axis == 1 ? 1 : 0)
{
    const double h = kHalfHeight;
    if (m_nAxis == 1) {
        m_dFixed = s.m_dSectionY;
        m_dAxisStart = s.m_dAreaStartX;
        m_dAxisEnd = s.m_dAreaEndX;
        m_corner[0] = {s.m_dAreaEndX, m_dFixed, -h};
        m_corner[1] = {s.m_dAreaStartX, m_dFixed, -h};
        m_corner[2] = {s.m_dAreaStartX, m_dFixed, h};
        m_corner[3] = {s.m_dAreaEndX, m_dFixed, h};
    } else {
        m_dFixed = s.m_dSectionX;
        m_dAxisStart = s.m_dAreaStartY;
        m_dAxisEnd = s.m_dAreaEndY;
        m_corner[0] = {m_dFixed, s.m_dAreaStartY, -h};
        m_corner[1] = {m_dFixed, s.m_dAreaEndY, -h};
        m_corner[2] = {m_dFixed, s.m_dAreaEndY, h};
        m_corner[3] = {m_dFixed, s.m_dAreaStartY, h};
    }
    // A degenerate area gives a zero normal, and then nothing crosses.
    const CMVector n = ::Cross(m_corner[1] - m_corner[0], m_corner[2] - m_corner[1]);
    const double len = Length(n);
    m_normal = len > 0 ? n / len : CMVector();
}

std::optional<CSectionCrossing> CSectionPlane::Cross(const CMVector& p, const CMVector& q) const
{
    const double fp = m_nAxis == 1 ? p.y : p.x;
    const double fq = m_nAxis == 1 ? q.y : q.x;
    if (m_dFixed < std::min(fp, fq) || m_dFixed > std::max(fp, fq))
        return std::nullopt;
    const double dp = Dot(m_corner[0] - Plan(p), m_normal);
    const double dt = Dot(Plan(q) - Plan(p), m_normal);
    if (dt == 0 || !(std::fabs(dt) > std::fabs(dp)))
        return std::nullopt;
    const double f = dp / dt;
    const CMVector at = p + (q - p) * f;
    return CSectionCrossing{m_nAxis == 1 ? at.x : at.y, at.z};
}

bool CSectionPlane::Contains(const CMVector& point) const
{
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += TriangleArea(point, m_corner[i], m_corner[(i + 1) % 4]);
    const double area = Length(m_corner[1] - m_corner[0]) * Length(m_corner[2] - m_corner[1]);
    return std::fabs(sum - area) <= kAreaTol;
}

std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossOutline(const CSectionPlane& plane,
                                                                          const COutline& outline)
{
    std::vector<CSectionCrossing> found;
    for (std::size_t i = 0; i < outline.size() && found.size() < 2; ++i) {
        if (auto c = plane.Cross(outline[i], outline[(i + 1) % outline.size()]))
            found.push_back(*c);
    }
    if (found.size() < 2)
        return std::nullopt;
    return std::make_pair(found[0], found[1]);
}

std::optional<std::pair<CSectionCrossing, CSectionCrossing>> CrossSides(const CSectionPlane& plane, const CMVector& a0,
                                                                        const CMVector& a1, const CMVector& b0,
                                                                        const CMVector& b1)
{
    const auto a = plane.Cross(a0, a1);
    const auto b = plane.Cross(b0, b1);
    if (!a || !b)
        return std::nullopt;
    return std::make_pair(*a, *b);
}

void SortProfile(std::vector<CProfileRecord>& records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const CProfileRecord& a, const CProfileRecord& b) { return a.pos < b.pos; });
}
