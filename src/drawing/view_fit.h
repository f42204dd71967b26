#pragma once

// Fitting a view to its model: the box the model occupies in a view's world coordinates
// (plan: x, y in metres; section: the drawn, mirrored position and the height), and the
// zoom and pan that make that box fill the pane. Plain arithmetic, no window.

#include "drawing/view_navigation.h"
#include "drawing/view_projection.h"

class CMyTalvoDoc;

struct CWorldBox {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool valid = false;  // at least one finite point was added

    // Widens the box to hold (x, y); non-finite points are left out.
    void Add(double x, double y);
};

// The calculation area and every entity's footprint and points in plan metres.
CWorldBox PlanModelBox(const CMyTalvoDoc& doc);

// The section along axis (0: X = section X, 1: Y = section Y): the area's extent along
// the axis, drawn mirrored as the section view draws it, and the heights from the
// lowest ground to the top of the highest entity (at least 0 .. the receiver height).
CWorldBox SectionModelBox(const CMyTalvoDoc& doc, int axis);

// The zoom and pan that centre the box and make it fill the view less a margin on each
// side (a fraction of the view). unitView is the view's projection at zoom 1 without
// pan. A box of no size is taken as kMinFitSize metres wide and high.
CViewNavigation FitBox(const CViewProjection& unitView, const CWorldBox& box, double margin = 0.04);

// Pixels at the view's edges that the box must keep clear of (the section's axes).
struct CPixelInsets {
    double left = 0, top = 0, right = 0, bottom = 0;
};
// As FitBox, into the part of the view inside the insets (the margin a fraction of that part).
CViewNavigation FitBoxInside(const CViewProjection& unitView, const CWorldBox& box, const CPixelInsets& insets,
                             double margin = 0.04);

constexpr double kMinFitSize = 1.0;  // metres
