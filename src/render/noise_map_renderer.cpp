#include "render/noise_map_renderer.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "drawing/section_geometry.h"
#include "engine/noise_map_isolines.h"
#include "model/noise_level_classes.h"
#include "render/view_colours.h"

namespace {

constexpr double kIsoLineWidth = 1.0;  // pixels

// Pixel position of every cell edge along one axis, rounded so that neighbouring cells
// share their border pixel exactly and no seam shows.
std::vector<int> EdgePixels(const std::vector<double>& edges, const std::function<double(double)>& toPixel)
{
    std::vector<int> pixels;
    pixels.reserve(edges.size());
    for (double e : edges)
        pixels.push_back(static_cast<int>(std::lround(toPixel(e))));
    return pixels;
}

QRect Between(int x0, int x1, int y0, int y1)
{
    return QRect(QPoint(std::min(x0, x1), std::min(y0, y1)), QPoint(std::max(x0, x1) - 1, std::max(y0, y1) - 1));
}

// Fills the cells: runs of one class up a column are filled as one rectangle.
void FillCells(QPainter& painter, const CNoiseMapGrid& grid, const std::vector<int>& px, const std::vector<int>& py)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t c = 0; c < grid.Columns(); ++c) {
        std::size_t r = 0;
        while (r < grid.Rows()) {
            const int cls = LevelClass(grid.Level(c, r));
            std::size_t end = r + 1;
            while (end < grid.Rows() && LevelClass(grid.Level(c, end)) == cls)
                ++end;
            if (cls != kNoLevelClass)
                painter.fillRect(Between(px[c], px[c + 1], py[r], py[end]), LevelClassQColor(cls));
            r = end;
        }
    }
    painter.restore();
}

void DrawIsoLines(QPainter& painter, const CNoiseMapGrid& grid, const std::function<QPointF(double, double)>& toPixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(IsoLineColour(), kIsoLineWidth));
    for (const CIsoSegment& s : ClassEdgeIsoSegments(grid))
        painter.drawLine(toPixel(s.u0, s.v0), toPixel(s.u1, s.v1));
    painter.restore();
}

}  // namespace

QColor LevelClassQColor(int levelClass) { return QColor(QString::fromLatin1(LevelClassColour(levelClass))); }

void PaintPlanNoiseMap(QPainter& painter, const CViewProjection& proj, const CNoiseMapGrid& grid)
{
    if (grid.Empty())
        return;
    const auto px = EdgePixels(grid.CellEdgesU(), [&](double u) { return proj.WorldToPixel(u, 0).x; });
    const auto py = EdgePixels(grid.CellEdgesV(), [&](double v) { return proj.WorldToPixel(0, v).y; });
    FillCells(painter, grid, px, py);
    DrawIsoLines(painter, grid, [&](double u, double v) {
        const CViewPoint p = proj.WorldToPixel(u, v);
        return QPointF(p.x, p.y);
    });
}

void PaintSectionNoiseMap(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane,
                          const CNoiseMapGrid& grid)
{
    if (grid.Empty())
        return;
    auto toPixel = [&](double u, double v) { return proj.WorldToPixel(plane.Mirror(u), v); };
    const auto px = EdgePixels(grid.CellEdgesU(), [&](double u) { return toPixel(u, 0).x; });
    const auto py = EdgePixels(grid.CellEdgesV(), [&](double v) { return toPixel(0, v).y; });
    FillCells(painter, grid, px, py);
    DrawIsoLines(painter, grid, [&](double u, double v) {
        const CViewPoint p = toPixel(u, v);
        return QPointF(p.x, p.y);
    });
}

CNoiseMapLegend::CNoiseMapLegend(int band) : m_strTitle(QString::fromStdString(NoiseMapUnit(band)))
{
    for (int k = kLevelClassCount - 1; k >= 0; --k)
        m_arrEntry.push_back({QString::fromStdString(LevelClassLabel(k)), LevelClassQColor(k)});
}

QRect CNoiseMapLegend::Rect(QSize device) const
{
    const int height = 2 * kPadding + kTitleHeight + int(m_arrEntry.size()) * kRowHeight;
    return QRect(device.width() - kMargin - kWidth, kMargin, kWidth, height);
}

QRect CNoiseMapLegend::SwatchRect(QSize device, int i) const
{
    const QRect box = Rect(device);
    const int top = box.top() + kPadding + kTitleHeight + i * kRowHeight;
    return QRect(box.left() + kPadding, top + 1, kSwatchWidth, kRowHeight - 3);
}

void CNoiseMapLegend::Paint(QPainter& painter, QSize device) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ViewFont());
    const QRect box = Rect(device);
    painter.setPen(QPen(ViewColour::Black(), 1));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.drawText(QRect(box.left() + kPadding, box.top() + kPadding, kWidth - 2 * kPadding, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_strTitle);
    for (std::size_t i = 0; i < m_arrEntry.size(); ++i) {
        const QRect swatch = SwatchRect(device, int(i));
        painter.fillRect(swatch, m_arrEntry[i].colour);
        painter.setPen(QPen(IsoLineColour(), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatch);
        const QRect text(swatch.right() + kPadding, swatch.top() - 1, kWidth - kSwatchWidth - 3 * kPadding, kRowHeight);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_arrEntry[i].label);
    }
    painter.restore();
}
