#pragma once

// The section view's scales: distance along the section line under the scene and height
// on the left, with ticks every round number of metres. Distances are the coordinates
// along the line (X or Y), though the view draws them mirrored.

#include <QRectF>

class QPainter;
class CViewProjection;
class CSectionPlane;

void PaintSectionAxes(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane);

// The part of a scene w x h pixels inside the axes: right of the height axis, below its
// title's row, above the distance axis. A map drawn there covers none of their labels.
QRectF SectionPlotRect(int w, int h);
