#include "render/noise_map_renderer.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

#include "drawing/section_geometry.h"
#include "engine/noise_map_difference.h"
#include "model/noise_level_classes.h"
#include "render/view_colours.h"

namespace {

constexpr double kIsoLineWidth = 1.0;  // pixels

using ToPixel = std::function<QPointF(double, double)>;

void AddRing(QPainterPath& path, const CMapRing& ring, const ToPixel& toPixel)
{
    if (ring.size() < 3)
        return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(ring.size()));
    for (const CMapPoint& p : ring)
        polygon.append(toPixel(p.u, p.v));
    path.addPolygon(polygon);
    path.closeSubpath();
}

// Fills every band as one path, its holes cut out. Without antialiasing neighbouring bands
// meet exactly, with no seam of background between them.
void FillBands(QPainter& painter, const std::vector<CIsoband>& bands, const ToPixel& toPixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const CIsoband& band : bands) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const CMapPolygon& polygon : band.polygons) {
            AddRing(path, polygon.exterior, toPixel);
            for (const CMapRing& hole : polygon.holes)
                AddRing(path, hole, toPixel);
        }
        painter.fillPath(path, QColor(QString::fromStdString(band.colour)));
    }
    painter.restore();
}

void DrawIsoLines(QPainter& painter, const std::vector<CIsoSegment>& lines, const ToPixel& toPixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(IsoLineColour(), kIsoLineWidth));
    for (const CIsoSegment& s : lines)
        painter.drawLine(toPixel(s.u0, s.v0), toPixel(s.u1, s.v1));
    painter.restore();
}

void PaintShapes(QPainter& painter, const CMapShapes& shapes, const ToPixel& toPixel)
{
    FillBands(painter, shapes.bands, toPixel);
    DrawIsoLines(painter, shapes.lines, toPixel);
}

}  // namespace

QColor LevelClassQColor(int levelClass) { return QColor(QString::fromLatin1(LevelClassColour(levelClass))); }

CMapStyle DifferenceMapStyle(double step, int band)
{
    CMapStyle style;
    style.scale = DifferenceMapScale(step);
    const std::vector<std::string> labels = DifferenceScaleLabels(style.scale);
    std::vector<CLegendEntry> entries;
    for (std::size_t k = labels.size(); k-- > 0;)
        entries.push_back({QString::fromStdString(labels[k]), QColor(QString::fromStdString(style.scale.colours[k]))});
    style.legend.emplace(QStringLiteral("차이 ") + QString::fromStdString(NoiseMapUnit(band)), std::move(entries));
    return style;
}

void CNoiseMap::PrepareShapes(const CMapScale& scale)
{
    style.scale = scale;
    PrepareShapes();
}

void CNoiseMap::PrepareShapes()
{
    m_planShapes = MapShapes(plan, style.scale);
    if (section)
        m_sectionShapes = MapShapes(*section, style.scale);
    else
        m_sectionShapes.reset();
}

const CMapShapes& CNoiseMap::PlanShapes() const
{
    if (!m_planShapes)
        m_planShapes = MapShapes(plan, style.scale);
    return *m_planShapes;
}

const CMapShapes* CNoiseMap::SectionShapes() const
{
    if (!section)
        return nullptr;
    if (!m_sectionShapes)
        m_sectionShapes = MapShapes(*section, style.scale);
    return &*m_sectionShapes;
}

void PaintPlanNoiseMap(QPainter& painter, const CViewProjection& proj, const CMapShapes& shapes)
{
    PaintShapes(painter, shapes, [&](double u, double v) {
        const CViewPoint p = proj.WorldToPixel(u, v);
        return QPointF(p.x, p.y);
    });
}

void PaintSectionNoiseMap(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane,
                          const CMapShapes& shapes)
{
    PaintShapes(painter, shapes, [&](double u, double v) {
        const CViewPoint p = proj.WorldToPixel(plane.Mirror(u), v);
        return QPointF(p.x, p.y);
    });
}

CNoiseMapLegend::CNoiseMapLegend(int band) : m_strTitle(QString::fromStdString(NoiseMapUnit(band)))
{
    for (int k = kLevelClassCount - 1; k >= 0; --k)
        m_arrEntry.push_back({QString::fromStdString(LevelClassLabel(k)), LevelClassQColor(k)});
}

CNoiseMapLegend::CNoiseMapLegend(QString title, std::vector<CLegendEntry> entries)
    : m_strTitle(std::move(title)), m_arrEntry(std::move(entries))
{
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
