#pragma once

// The air of the section along the section line, in pixels: the area above the ground line
// over the stretch from..to of the line (positions along it), with the cuttings' air added and the embankments' bodies
// and the cuttings' walls taken out. The section noise map is clipped by it, so no colour
// shows in the soil.

#include <QPainterPath>

class CSectionPlane;
class CViewProjection;
struct CSectionGround;

QPainterPath AboveGroundPath(const CViewProjection& proj, const CSectionPlane& plane, const CSectionGround& ground,
                             double from, double to);
