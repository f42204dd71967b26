#include "render/excluded_mark.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include "render/view_colours.h"

namespace {

constexpr double kPadding = 2.0;  // pixels round the text

QColor TagInk() { return ViewColour::Rgb(0.35, 0.35, 0.35); }

}  // namespace

void DrawExcludedMark(QPainter& painter, QPointF at)
{
    const QString text = QString::fromUtf8(kExcludedTag);
    const QFontMetricsF metrics(painter.font());
    const QRectF box(at.x(), at.y() - metrics.height() - 2 * kPadding, metrics.horizontalAdvance(text) + 2 * kPadding,
                     metrics.height() + 2 * kPadding);
    painter.setPen(QPen(TagInk(), 1.0));
    painter.setBrush(ViewColour::Halo());
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
}
