#include "render/section_ground_clip.h"

#include <algorithm>

#include <QPolygonF>

#include "drawing/section_geometry.h"
#include "drawing/view_projection.h"
#include "model/section_ground.h"

namespace {

constexpr double kSky = 1e5;  // pixels above the view's top: the air reaches past every map

class CGroundShapes {
public:
    CGroundShapes(const CViewProjection& proj, const CSectionPlane& plane) : m_proj(proj), m_plane(plane) {}

    QPointF At(double pos, double height) const
    {
        const CViewPoint p = m_proj.WorldToPixel(m_plane.Mirror(pos), height);
        return {p.x, p.y};
    }

    // The part of a piece's band between the piece and height 0 on one side of 0: above
    // (the body of a raise, the wall of a cut) or below (the air of a cut).
    QPainterPath Band(const CGroundPiece& p, bool above) const
    {
        auto side = [above](double h) { return above ? std::max(h, 0.0) : std::min(h, 0.0); };
        QPainterPath path;
        path.addPolygon(QPolygonF{At(p.u0, side(p.h0)), At(p.u1, side(p.h1)), At(p.u1, 0), At(p.u0, 0)});
        path.closeSubpath();
        return path;
    }

    // Everything above height 0 over the line's extent.
    QPainterPath Sky() const
    {
        const double start = m_plane.AxisStart(), end = start + m_plane.AxisLength();
        const QPointF a = At(start, 0), b = At(end, 0);
        QPainterPath path;
        path.addPolygon(QPolygonF{a, b, QPointF(b.x(), -kSky), QPointF(a.x(), -kSky)});
        path.closeSubpath();
        return path;
    }

    // The full height of the view over the stretch from..to.
    QPainterPath Strip(double from, double to) const
    {
        const double x0 = At(from, 0).x(), x1 = At(to, 0).x();
        QPainterPath path;
        path.addRect(QRectF(QPointF(std::min(x0, x1), -kSky), QPointF(std::max(x0, x1), kSky)));
        return path;
    }

private:
    const CViewProjection& m_proj;
    const CSectionPlane& m_plane;
};

}  // namespace

QPainterPath AboveGroundPath(const CViewProjection& proj, const CSectionPlane& plane, const CSectionGround& ground,
                             double from, double to)
{
    const CGroundShapes shapes(proj, plane);
    QPainterPath air = shapes.Sky();
    for (const CGroundPiece& p : ground.m_arrCut)
        air = air.united(shapes.Band(p, false));
    for (const CGroundPiece& p : ground.m_arrCut)
        air = air.subtracted(shapes.Band(p, true));
    for (const CGroundPiece& p : ground.m_arrRaise)
        air = air.subtracted(shapes.Band(p, true));
    return air.intersected(shapes.Strip(from, to));
}
