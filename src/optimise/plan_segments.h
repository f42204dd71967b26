#pragma once

// Plan geometry of the candidate barriers' line: how near a path passes to a barrier, and
// the image of a source in the barrier's plane. Heights are ignored. Pure.

#include "model/mvector.h"

// A barrier's plan line from a to b.
struct CPlanSegment {
    CMVector a, b;
};

// Smallest plan distance between the segments p->q and s; 0 when they cross.
double PlanSegmentDistance(const CMVector& p, const CMVector& q, const CPlanSegment& s);

// p mirrored in the vertical plane through s (an s of no plan length leaves p as it is).
CMVector MirrorInPlan(const CMVector& p, const CPlanSegment& s);
