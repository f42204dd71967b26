#pragma once

// Plan outlines of the line entities, built in each entity's own frame (origin at the
// start point, x along start->end, y to the left) and placed in the plan. Shared by the
// plan view (footprints) and the section view (edges cut by the section plane).

#include <array>
#include <vector>

#include "model/entities.h"
#include "model/mvector.h"

// Four corners in order around a rectangle; z carries a height where one applies.
using COutline = std::array<CMVector, 4>;

struct CLineFrame {
    double startX = 0, startY = 0, endX = 0, endY = 0;
    double Heading() const;
    double PlanLength() const;
    // A point of the entity's frame placed in the plan (z passes through).
    CMVector Place(double along, double across, double z = 0) const;
    // The rectangle 0..length along the line and across0..across1 across it.
    COutline Rectangle(double across0, double across1) const;
};

template <typename T>
CLineFrame FrameOf(const T& e)
{
    return {e.m_dStartX, e.m_dStartY, e.m_dEndX, e.m_dEndY};
}

// A barrier line along a bridge deck: its height above the deck and its offset across
// the road's axis (left edge +width/2, centre 0, right edge -width/2).
struct CDeckBarrierLine {
    double height = 0;
    double across = 0;
};

// The barriers standing on a road's deck (left, centre, right; those higher than 0).
// Whether the road is a bridge at all is the caller's test.
std::vector<CDeckBarrierLine> DeckBarrierLines(const CRoad& road);

// Side of the axis a slope's footprint lies on: +1 (left, +width) or -1 (right, -width).
// An embankment lies to -width for direction 1, to +width otherwise; a cutting the
// other way round.
int SlopeSide(const CSlope& slope, bool cutting);

// The footprint of an embankment or cutting. Its surface lies at the slope's height
// along the axis (where the road runs, on the fill or in the cut) and at 0 along the
// far side, where it meets the surrounding ground; the corners carry those heights.
COutline SlopeSurface(const CSlope& slope, bool cutting);

// The strip of a slope's footprint next to its axis, width / 3.5 wide.
COutline SlopeCrestStrip(const CSlope& slope, bool cutting);
