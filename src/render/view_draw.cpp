#include "render/view_draw.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "drawing/scale_marks.h"
#include "render/view_colours.h"

QPolygonF OutlineToPixels(const CViewProjection& proj, const COutline& outline)
{
    QPolygonF polygon;
    for (const CMVector& corner : outline)
        polygon << ToQt(proj.WorldToPixel(corner.x, corner.y));
    return polygon;
}

void FillPolygon(QPainter& painter, const QPolygonF& polygon, const QColor& colour)
{
    // The one-pixel edge in the fill colour keeps shapes narrower than a pixel visible.
    painter.setPen(QPen(colour, 0));
    painter.setBrush(colour);
    painter.drawPolygon(polygon);
}

void DrawLine(QPainter& painter, QPointF a, QPointF b, const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(a, b);
}

void DrawLineHalo(QPainter& painter, QPointF a, QPointF b, double width)
{
    QPen pen(ViewColour::Halo(), width + 2 * kHaloWidth);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(a, b);
}

void DrawPolygonHalo(QPainter& painter, const QPolygonF& polygon)
{
    QPen pen(ViewColour::Halo(), 2 * kHaloWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(polygon);
}

void DrawPoint(QPainter& painter, QPointF p, const QColor& colour, double size)
{
    painter.fillRect(QRectF(p.x() - size / 2, p.y() - size / 2, size, size), colour);
}

void DrawLabel(QPainter& painter, QPointF p, const QString& text, const QColor& colour)
{
    painter.setPen(colour);
    painter.drawText(p, text);
}

void DrawHaloLabel(QPainter& painter, QPointF p, const QString& text, const QColor& colour)
{
    QPainterPath glyphs;
    glyphs.addText(p, painter.font(), text);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(glyphs,
                       QPen(ViewColour::Halo(), 2 * kLabelHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(glyphs, colour);
    painter.restore();
}

void DrawScaleBar(QPainter& painter, QPointF start, double room, double pixelsPerMetre)
{
    const double metres = RoundLengthAtMost(room / pixelsPerMetre);
    if (!(metres > 0))
        return;
    const double x0 = start.x(), y = start.y();
    const double x1 = x0 + metres * pixelsPerMetre;
    const QColor ink = ViewColour::Black();
    DrawLine(painter, {x0, y}, {x1, y}, ink, 2.0);
    DrawLine(painter, {x0, y - 5}, {x0, y + 1}, ink);
    DrawLine(painter, {x1, y - 5}, {x1, y + 1}, ink);
    DrawLabel(painter, {x0, y - 8}, QString::fromStdString(FormatMetres(metres)), ink);
}
