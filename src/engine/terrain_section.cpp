#include "engine/terrain_section.h"

#include <cmath>
#include <optional>

#include "engine/input_check.h"
#include "model/document.h"
#include "model/trans_matrix.h"

namespace {

constexpr double kPlaneInset = 0.001;       // keeps the plane off the area's edges, m
constexpr double kOutlineMinExtent = 0.01;  // shorter crossings get no outline record, m

double ClampSectionX(double x0, double areaEndX)
{
    if (x0 <= 0.0)
        return kPlaneInset;
    if (x0 >= areaEndX)
        return x0 - kPlaneInset;
    return x0;
}

// Y values where the plane X = x0 meets the edge a-b (both ends when the edge lies in it).
void CrossEdge(const CMVector& a, const CMVector& b, double x0, std::vector<double>& ys)
{
    const double da = a.x - x0, db = b.x - x0;
    if (a.x == b.x) {
        if (da == 0.0)
            ys.insert(ys.end(), {a.y, b.y});
        return;
    }
    if (da * db > 0.0)
        return;
    const double t = -da / (b.x - a.x);
    ys.push_back(a.y + t * (b.y - a.y));
}

// y clamped to [lo, hi]; a NaN (a damaged body) lands on hi and so crosses nothing.
double KeepWithin(double y, double lo, double hi) { return std::fmax(lo, std::fmin(hi, y)); }

int NormalisedDirection(const CSlope& body) { return body.m_nDirection == 1 ? 1 : 0; }

// Rising-side flag of an outline record: the direction, inverted when the crossing
// runs against it (embankment: direction 0 with y1 > y2, or 1 with y1 < y2; a cutting
// the other way round).
int RisingSide(int direction, const CFootprintCrossing& c, bool cutting)
{
    const bool descending = c.y1 > c.y2;
    const bool against = (direction == 0) == (cutting ? !descending : descending);
    return against ? 1 - direction : direction;
}

// The stretch of Y the section spans: the calculation area.
struct SectionSpan {
    double x0, yMin, yMax, baseHeight;
};

template <class Body>
void AddBody(const Body& body, int index, int side, const SectionSpan& span, bool cutting,
             std::vector<CSurface_info>& intervals, std::vector<CPoint_info>& outline)
{
    // A body whose values are not numbers (a damaged file) stands nowhere.
    if (!HasFiniteGeometry(body) || !std::isfinite(span.baseHeight))
        return;
    const CFootprintCrossing c = CrossFootprint(body, side, span.x0, span.yMin, span.yMax);
    if (!c.crosses)
        return;
    CSurface_info interval;
    interval.m_dUpperY = std::fmax(c.y1, c.y2);
    interval.m_dLowerY = std::fmin(c.y1, c.y2);
    interval.m_dHeight = 0.5 * body.m_dHeight - span.baseHeight;
    interval.m_dSectionX = span.x0;
    intervals.push_back(interval);
    if (!(std::fabs(c.y2 - c.y1) > kOutlineMinExtent))
        return;
    CPoint_info record;
    record.m_dY1 = c.y1;
    record.m_dY2 = c.y2;
    record.m_dHeight = body.m_dHeight;
    record.m_nRisingSide = RisingSide(NormalisedDirection(body), c, cutting);
    record.m_nIndex = index;
    outline.push_back(record);
}

// Height of the first interval containing y.
std::optional<double> HeightAt(const std::vector<CSurface_info>& intervals, double y)
{
    for (const CSurface_info& s : intervals)
        if (s.m_dLowerY <= y && y <= s.m_dUpperY)
            return s.m_dHeight;
    return std::nullopt;
}

}  // namespace

CFootprintCrossing CrossFootprint(const CSlope& body, int side, double x0, double yMin, double yMax)
{
    const double w = side * body.m_dWidth;
    auto place = [&body](double x, double y) {
        return PlaceLocal(body.m_dStartX, body.m_dStartY, body.m_dAngle, CMVector(x, y, 0.0));
    };
    const CMVector p0 = place(0.0, 0.0), p1 = place(body.m_dLength, 0.0);
    const CMVector p2 = place(body.m_dLength, w), p3 = place(0.0, w);
    std::vector<double> ys;
    CrossEdge(p0, p1, x0, ys);
    CrossEdge(p1, p2, x0, ys);
    CrossEdge(p2, p3, x0, ys);
    CrossEdge(p3, p0, x0, ys);
    CFootprintCrossing c;
    if (ys.empty())
        return c;
    // The footprint is convex: every crossing lies on one chord, and the crossing
    // farthest from the first one found is its other end.
    c.y1 = ys.front();
    c.y2 = c.y1;
    for (double y : ys)
        if (std::fabs(y - c.y1) > std::fabs(c.y2 - c.y1))
            c.y2 = y;
    c.y1 = KeepWithin(c.y1, yMin, yMax);
    c.y2 = KeepWithin(c.y2, yMin, yMax);
    c.crosses = c.y1 != c.y2;
    return c;
}

void CTerrainSection::Build(double x0, const std::vector<CSungto>& embankments, const std::vector<CJulto>& cuttings,
                            const CProjectSettings& settings)
{
    m_dSectionX = ClampSectionX(x0, settings.m_dAreaEndX);
    m_dBaseHeight = settings.m_dBaseHeight;
    const SectionSpan span{m_dSectionX, std::fmin(settings.m_dAreaStartY, settings.m_dAreaEndY),
                           std::fmax(settings.m_dAreaStartY, settings.m_dAreaEndY), m_dBaseHeight};
    m_arrEmbankment.clear();
    m_arrCutting.clear();
    m_arrEmbankmentOutline.clear();
    m_arrCuttingOutline.clear();
    for (std::size_t i = 0; i < embankments.size(); ++i) {
        const int side = NormalisedDirection(embankments[i]) == 1 ? -1 : 1;
        AddBody(embankments[i], static_cast<int>(i), side, span, false, m_arrEmbankment, m_arrEmbankmentOutline);
    }
    for (std::size_t i = 0; i < cuttings.size(); ++i) {
        const int side = NormalisedDirection(cuttings[i]) == 1 ? 1 : -1;
        AddBody(cuttings[i], static_cast<int>(i), side, span, true, m_arrCutting, m_arrCuttingOutline);
    }
}

void CTerrainSection::Build(double x0, const CMyTalvoDoc& doc)
{
    Build(x0, doc.m_arrEmbankment, doc.m_arrCutting, doc.m_settings);
}

double CTerrainSection::GroundHeight(double y) const
{
    // Absence is kept apart from every height: an interval lying at exactly -1 m
    // is ground like any other.
    const std::optional<double> fill = HeightAt(m_arrEmbankment, y);
    const std::optional<double> cut = HeightAt(m_arrCutting, y);
    if (fill && cut)
        return std::fmax(*fill, *cut);
    if (fill)
        return *fill;
    if (cut)
        return *cut;
    return -m_dBaseHeight;
}

void StoreTerrainSection(CMyTalvoDoc& doc, double x0)
{
    CTerrainSection section;
    section.Build(x0, doc);
    doc.m_arrEmbankmentSection = section.EmbankmentIntervals();
    doc.m_arrCuttingSection = section.CuttingIntervals();
    doc.m_arrEmbankmentOutline = section.EmbankmentOutline();
    doc.m_arrCuttingOutline = section.CuttingOutline();
}
