#pragma once

// Where the plan and section views place the world in a client area of w x h pixels,
// for the view's pan offsets and zoom. Plain arithmetic, shared by the painters, the
// views' picking and the noise-map images.

#include "drawing/view_projection.h"

struct CProjectSettings;

// The projection of the plan view: S = 2 / max(W, H), the middle of the calculation area
// at the centre.
CViewProjection PlanProjection(const CProjectSettings& settings, int w, int h, double panX, double panY, double zoom);

// The projection of the section view: S = 2 / (area end Y - area start Y) in both
// orientations, the middle of the area's extent along the axis at the centre and height 0
// on the middle line.
CViewProjection SectionProjection(const CProjectSettings& settings, int axis, int w, int h, double panX, double panY,
                                  double zoom);
