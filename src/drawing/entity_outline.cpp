#include "drawing/entity_outline.h"

#include <cmath>

#include "model/trans_matrix.h"

double CLineFrame::Heading() const { return PlanHeading(endX - startX, endY - startY); }

double CLineFrame::PlanLength() const { return std::hypot(endX - startX, endY - startY); }

CMVector CLineFrame::Place(double along, double across, double z) const
{
    CMVector p = PlaceLocal(startX, startY, Heading(), CMVector(along, across, 0));
    p.z = z;
    return p;
}

COutline CLineFrame::Rectangle(double across0, double across1) const
{
    const double len = PlanLength();
    return {Place(0, across0), Place(len, across0), Place(len, across1), Place(0, across1)};
}

std::vector<CDeckBarrierLine> DeckBarrierLines(const CRoad& road)
{
    const CDeckBarrierLine edges[] = {{road.m_dLeftBarrierHeight, road.m_dWidth / 2},
                                      {road.m_dCentreBarrierHeight, 0},
                                      {road.m_dRightBarrierHeight, -road.m_dWidth / 2}};
    std::vector<CDeckBarrierLine> standing;
    for (const CDeckBarrierLine& edge : edges)
        if (edge.height > 0)  // NaN heights stand no barrier either
            standing.push_back(edge);
    return standing;
}

int SlopeSide(const CSlope& slope, bool cutting)
{
    const bool towardsRight = cutting ? slope.m_nDirection != 1 : slope.m_nDirection == 1;
    return towardsRight ? -1 : +1;
}

COutline SlopeSurface(const CSlope& slope, bool cutting)
{
    const CLineFrame frame = FrameOf(slope);
    const double len = frame.PlanLength();
    const double across = SlopeSide(slope, cutting) * slope.m_dWidth;
    const double h = slope.m_dHeight;
    return {frame.Place(0, 0, h), frame.Place(len, 0, h), frame.Place(len, across, 0), frame.Place(0, across, 0)};
}

COutline SlopeCrestStrip(const CSlope& slope, bool cutting)
{
    return FrameOf(slope).Rectangle(0, SlopeSide(slope, cutting) * slope.m_dWidth / 3.5);
}
