#include "render/section_axes.h"

#include <algorithm>

#include <QPainter>

#include "drawing/scale_marks.h"
#include "drawing/section_geometry.h"
#include "drawing/view_projection.h"
#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr double kMinTickGap = 70;  // pixels between labelled ticks
constexpr double kTickLength = 5;   // pixels
constexpr double kLeftMargin = 44;  // pixels left of the height axis, for its labels
constexpr double kBottomMargin = 18;
constexpr double kTitleRow = 22;  // pixels at the top kept for the height axis's title

QString TickText(double metres) { return QString::fromStdString(FormatMetres(metres)).chopped(2); }

void PaintDistanceAxis(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane)
{
    const double y = proj.Height() - kBottomMargin;
    const QColor ink = ViewColour::Black();
    DrawLine(painter, {kLeftMargin, y}, {double(proj.Width()), y}, ink);
    // Positions at the two edges of the pane, unmirrored.
    const double a = plane.Mirror(proj.PixelToWorld(kLeftMargin, y).x);
    const double b = plane.Mirror(proj.PixelToWorld(proj.Width(), y).x);
    const double step = RoundLengthAtLeast(kMinTickGap / proj.PixelsPerMetre());
    for (double pos : TickValues(std::min(a, b), std::max(a, b), step)) {
        const double x = proj.WorldToPixel(plane.Mirror(pos), 0).x;
        DrawLine(painter, {x, y}, {x, y + kTickLength}, ink);
        DrawLabel(painter, {x + 2, y + kBottomMargin - 3}, TickText(pos), ink);
    }
    const QString title = plane.Axis() == 1 ? QStringLiteral("X (m)") : QStringLiteral("Y (m)");
    DrawLabel(painter, {proj.Width() - 40.0, y - 4}, title, ink);
}

void PaintHeightAxis(QPainter& painter, const CViewProjection& proj)
{
    const double x = kLeftMargin;
    const double bottom = proj.Height() - kBottomMargin;
    const QColor ink = ViewColour::Black();
    DrawLine(painter, {x, 0}, {x, bottom}, ink);
    const double low = proj.PixelToWorld(x, bottom).y, high = proj.PixelToWorld(x, 0).y;
    const double step = RoundLengthAtLeast(kMinTickGap / 2 / proj.PixelsPerMetreUp());
    for (double h : TickValues(low, high, step)) {
        const double y = proj.WorldToPixel(0, h).y;
        if (y < kTitleRow)  // a label there would run into the title or off the top
            continue;
        DrawLine(painter, {x - kTickLength, y}, {x, y}, ink);
        DrawLabel(painter, {4, y + 4}, TickText(h), ink);
    }
    DrawLabel(painter, {x + 4, 14}, QStringLiteral("높이 (m)"), ink);
}

}  // namespace

QRectF SectionPlotRect(int w, int h)
{
    return QRectF(kLeftMargin, kTitleRow, std::max(1.0, w - kLeftMargin), std::max(1.0, h - kTitleRow - kBottomMargin));
}

void PaintSectionAxes(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane)
{
    painter.save();
    painter.setFont(ViewFont());
    PaintDistanceAxis(painter, proj, plane);
    PaintHeightAxis(painter, proj);
    painter.restore();
}
