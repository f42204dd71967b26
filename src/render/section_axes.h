#pragma once

// The section view's scales: distance along the section line under the scene and height
// on the left, with ticks every round number of metres. Distances are the coordinates
// along the line (X or Y), though the view draws them mirrored.

class QPainter;
class CViewProjection;
class CSectionPlane;

void PaintSectionAxes(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane);
