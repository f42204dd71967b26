#include "drawing/view_fit.h"

#include <algorithm>
#include <cmath>

#include "drawing/entity_outline.h"
#include "drawing/section_geometry.h"
#include "model/document.h"

void CWorldBox::Add(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    if (!valid) {
        x0 = x1 = x;
        y0 = y1 = y;
        valid = true;
        return;
    }
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
}

namespace {

void AddOutline(CWorldBox& box, const COutline& outline)
{
    for (const CMVector& corner : outline)
        box.Add(corner.x, corner.y);
}

template <typename T>
void AddLines(CWorldBox& box, const std::vector<T>& entities)
{
    for (const T& e : entities)
        AddOutline(box, FrameOf(e).Rectangle(-e.m_dWidth / 2, e.m_dWidth / 2));
}

template <typename T>
void AddSlopes(CWorldBox& box, const std::vector<T>& slopes, bool cutting)
{
    for (const T& s : slopes)
        AddOutline(box, SlopeSurface(s, cutting));
}

// Every height the section may draw, whether or not the entity crosses the line: the
// view then keeps its vertical scale while the section line moves.
void AddHeights(CWorldBox& box, const CMyTalvoDoc& doc, double pos)
{
    const CProjectSettings& s = doc.m_settings;
    for (double h : {0.0, s.m_dBaseHeight, s.m_dReceiverHeight})
        box.Add(pos, h);
    for (const CRoad& r : doc.m_arrRoad) {
        const double deck = std::max({r.m_dLeftBarrierHeight, r.m_dCentreBarrierHeight, r.m_dRightBarrierHeight, 0.0});
        box.Add(pos, std::min(r.m_dStartZ, r.m_dEndZ));
        box.Add(pos, std::max(r.m_dStartZ, r.m_dEndZ) + deck);
    }
    for (const CTunnel& t : doc.m_arrTunnel)
        box.Add(pos, std::max(t.m_dStartZ, t.m_dEndZ) + t.m_dHeight);
    for (const CBarrier_Stage& b : doc.m_arrBarrier)
        box.Add(pos, s.m_dBaseHeight + b.m_dHeight);
    for (const CSungto& e : doc.m_arrEmbankment)
        box.Add(pos, e.m_dHeight);
    for (const CJulto& c : doc.m_arrCutting)
        box.Add(pos, c.m_dHeight);
    for (const CReceiverPoint& r : doc.m_arrReceiver)
        box.Add(pos, r.m_dZ);
    for (const CBuilding& b : doc.m_arrBuilding)
        box.Add(pos, s.m_dBaseHeight + b.Height());
}

}  // namespace

CWorldBox PlanModelBox(const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    CWorldBox box;
    box.Add(s.m_dAreaStartX, s.m_dAreaStartY);
    box.Add(s.m_dAreaEndX, s.m_dAreaEndY);
    AddLines(box, doc.m_arrRoad);
    AddLines(box, doc.m_arrTunnel);
    AddSlopes(box, doc.m_arrEmbankment, false);
    AddSlopes(box, doc.m_arrCutting, true);
    for (const CBarrier_Stage& b : doc.m_arrBarrier) {
        box.Add(b.m_dStartX, b.m_dStartY);
        box.Add(b.m_dEndX, b.m_dEndY);
    }
    for (const CReceiverPoint& r : doc.m_arrReceiver)
        box.Add(r.m_dX, r.m_dY);
    for (const CBuilding& b : doc.m_arrBuilding)
        for (const CMVector& v : b.m_arrFootprint)
            box.Add(v.x, v.y);
    return box;
}

CWorldBox SectionModelBox(const CMyTalvoDoc& doc, int axis)
{
    const CSectionPlane plane(doc.m_settings, axis);
    CWorldBox box;
    const double start = plane.Mirror(plane.AxisStart());
    const double end = plane.Mirror(plane.AxisStart() + plane.AxisLength());
    AddHeights(box, doc, start);
    box.Add(end, box.valid ? box.y0 : 0);
    return box;
}

CViewNavigation FitBox(const CViewProjection& unitView, const CWorldBox& box, double margin)
{
    return FitBoxInside(unitView, box, CPixelInsets{}, margin);
}

CViewNavigation FitBoxInside(const CViewProjection& unitView, const CWorldBox& box, const CPixelInsets& insets,
                             double margin)
{
    CViewNavigation nav;
    if (!box.valid)
        return nav;
    const double cx = 0.5 * (box.x0 + box.x1), cy = 0.5 * (box.y0 + box.y1);
    const double w = std::max(box.x1 - box.x0, kMinFitSize), h = std::max(box.y1 - box.y0, kMinFitSize);
    const CViewPoint low = unitView.WorldToView(cx - w / 2, cy - h / 2);
    const CViewPoint high = unitView.WorldToView(cx + w / 2, cy + h / 2);
    // The part of the view inside the insets, in view units, and its centre.
    const double width = std::max(1.0, unitView.Width() - insets.left - insets.right);
    const double height = std::max(1.0, unitView.Height() - insets.top - insets.bottom);
    const double unitsPerPixel = 2 * unitView.HalfX() / unitView.Width();
    const CViewPoint middle = unitView.PixelToView(insets.left + width / 2, insets.top + height / 2);
    const double usable = 1 - 2 * margin;
    const double zoom = std::min(width * unitsPerPixel * usable / std::abs(high.x - low.x),
                                 height * unitsPerPixel * usable / std::abs(high.y - low.y));
    if (!std::isfinite(zoom) || !(zoom > 0))
        return nav;
    const CViewPoint centre = unitView.WorldToView(cx, cy);
    nav.m_dZoom = std::clamp(zoom, CViewNavigation::kMinFreeZoom, CViewNavigation::kMaxFreeZoom);
    nav.m_dPanX = centre.x * nav.m_dZoom - middle.x;
    nav.m_dPanY = centre.y * nav.m_dZoom - middle.y;
    nav.Release();
    return nav;
}
