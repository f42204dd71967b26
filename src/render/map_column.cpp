#include "render/map_column.h"

#include <algorithm>

#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr int kMargin = CNoiseMapLegend::kMargin;
constexpr int kScaleBarHeight = 34;    // pixels: the length's text above the bar
constexpr int kNorthArrowHeight = 56;  // pixels: "N" above the arrow
constexpr int kArrowHalfWidth = 9;

// An arrow pointing up, its left half filled, with "N" above it.
void PaintNorthArrow(QPainter& painter, const QRect& box)
{
    const double cx = box.center().x() + 0.5, top = box.top() + 20, bottom = box.bottom() - 2;
    const QColor ink = ViewColour::Black();
    QPolygonF left, right;
    left << QPointF(cx, top) << QPointF(cx - kArrowHalfWidth, bottom) << QPointF(cx, bottom - 8);
    right << QPointF(cx, top) << QPointF(cx + kArrowHalfWidth, bottom) << QPointF(cx, bottom - 8);
    FillPolygon(painter, left, ink);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(ink, 1));
    painter.drawPolygon(right);
    painter.setPen(ink);
    painter.drawText(QRectF(box.left(), box.top(), box.width(), 18), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("N"));
}

}  // namespace

CMapColumnLayout MapColumnLayout(const QRect& column, const CNoiseMapLegend& legend, double pixelsPerMetre)
{
    CMapColumnLayout layout;
    layout.legend =
        QRect(column.left() + kMargin, column.top() + kMargin, legend.Size().width(), legend.Size().height());
    if (!(pixelsPerMetre > 0))
        return layout;
    const int width = column.width() - 2 * kMargin;
    // Below the legend when the strip is tall enough; else at the strip's foot, over the
    // legend's end, so that a long legend never pushes the north arrow out of sight.
    const int below = layout.legend.bottom() + kMargin;
    const int foot = column.bottom() - kMargin - kNorthArrowHeight - kMargin - kScaleBarHeight + 1;
    const int top = std::max(column.top() + kMargin, std::min(below, foot));
    layout.scaleBar = QRect(layout.legend.left(), top, width, kScaleBarHeight);
    layout.northArrow = QRect(layout.legend.left(), layout.scaleBar.bottom() + kMargin, width, kNorthArrowHeight);
    return layout;
}

int MapColumnHeight(const CNoiseMapLegend& legend, double pixelsPerMetre)
{
    constexpr int kRoomForAll = 1 << 20;  // pixels: every part in its place below the legend
    const CMapColumnLayout layout = MapColumnLayout(QRect(0, 0, kMapColumnWidth, kRoomForAll), legend, pixelsPerMetre);
    return (layout.northArrow.isNull() ? layout.legend.bottom() : layout.northArrow.bottom()) + kMargin + 1;
}

void PaintMapColumn(QPainter& painter, const QRect& column, const CNoiseMapLegend& legend, double pixelsPerMetre)
{
    painter.save();
    painter.setClipRect(column);
    painter.fillRect(column, ViewColour::Background());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(ViewFont());
    const CMapColumnLayout layout = MapColumnLayout(column, legend, pixelsPerMetre);
    if (!layout.scaleBar.isNull() && layout.scaleBar.top() <= layout.legend.bottom()) {
        painter.save();  // the legend's end gives way to the scale bar and the arrow
        painter.setClipRect(column.intersected(
            QRect(column.left(), column.top(), column.width(), layout.scaleBar.top() - kMargin - column.top())));
        legend.PaintAt(painter, layout.legend.topLeft());
        painter.restore();
    } else {
        legend.PaintAt(painter, layout.legend.topLeft());
    }
    if (!layout.scaleBar.isNull()) {
        DrawScaleBar(painter, QPointF(layout.scaleBar.left(), layout.scaleBar.bottom() - 4), layout.scaleBar.width(),
                     pixelsPerMetre);
        PaintNorthArrow(painter, layout.northArrow);
    }
    painter.restore();
}
