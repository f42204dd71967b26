#include "render/noise_map_image.h"

#include <algorithm>
#include <cmath>

#include "drawing/picked_points.h"
#include "drawing/working_lists.h"
#include "model/document.h"
#include "model/noise_map_grid.h"
#include "render/noise_map_renderer.h"
#include "render/plan_painter.h"
#include "render/section_painter.h"

namespace {

constexpr int kFrame = 40;  // pixels kept free round the area
constexpr int kLegendSpace = CNoiseMapLegend::kWidth + 2 * CNoiseMapLegend::kMargin;
constexpr int kMinSide = 200, kMaxSide = 8000;

// The zoom and horizontal offset that fit the area into the image left of the legend.
CViewProjection FittedProjection(const CProjectSettings& s, QSize size)
{
    const CViewProjection plain = PlanProjection(s, size.width(), size.height(), 0, 0, 1);
    const double unitsPerPixel = 2 * plain.HalfX() / plain.Width();
    const double areaW = (s.m_dAreaEndX - s.m_dAreaStartX) * plain.Scale() / unitsPerPixel;
    const double areaH = (s.m_dAreaEndY - s.m_dAreaStartY) * plain.Scale() / unitsPerPixel;
    const double roomW = std::max(1, size.width() - kLegendSpace - 2 * kFrame);
    const double roomH = std::max(1, size.height() - 2 * kFrame);
    double zoom = std::min(roomW / areaW, roomH / areaH);
    if (!std::isfinite(zoom) || !(zoom > 0))
        zoom = 1;
    const double panX = 0.5 * kLegendSpace * unitsPerPixel;
    return PlanProjection(s, size.width(), size.height(), panX, 0, zoom);
}

}  // namespace

QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size, const CMapStyle& style)
{
    CMyTalvoDoc shown = doc;
    shown.m_settings.m_bShowReceivers = false;
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    const CViewProjection proj = FittedProjection(shown.m_settings, image.size());
    const CWorkingLists working;
    const CResultDisplay results;
    const CPickedPoints picked;
    CPlanPainter planPainter(painter, proj, shown, working, results, picked);
    const CMapShapes shapes = MapShapes(grid, style.scale);
    planPainter.SetNoiseMap(&grid, &shapes);
    if (style.legend)
        planPainter.SetNoiseMapLegend(&*style.legend);
    planPainter.Paint();
    return image;
}

namespace {

constexpr double kSectionBelow = 8.0;  // m shown below the ground line
constexpr double kSectionAbove = 4.0;  // m shown above the top of the map

// Zoom and offsets that put the stretch from..to and the map's heights into the image.
CViewProjection FittedSectionProjection(const CProjectSettings& s, int axis, double from, double to, double top,
                                        QSize size)
{
    const CSectionPlane plane(s, axis);
    const CViewProjection plain = SectionProjection(s, axis, size.width(), size.height(), 0, 0, 1);
    const double unitsPerPixel = 2 * plain.HalfX() / plain.Width();
    const double low = -kSectionBelow, high = top + kSectionAbove;
    const double spanW = std::fabs(to - from) * plain.Scale() / unitsPerPixel;
    const double spanH = (high - low) * plain.Scale() / unitsPerPixel;
    const double roomW = std::max(1, size.width() - kLegendSpace - 2 * kFrame);
    const double roomH = std::max(1, size.height() - 2 * kFrame);
    double zoom = std::min(roomW / spanW, roomH / spanH);
    if (!std::isfinite(zoom) || !(zoom > 0))
        zoom = 1;
    const double scale = plain.Scale() * zoom;
    const double middle = plane.Mirror(0.5 * (from + to));
    const double panX = (middle - plane.AxisCentre()) * scale + 0.5 * kLegendSpace * unitsPerPixel;
    const double panY = 0.5 * (low + high) * scale;
    return SectionProjection(s, axis, size.width(), size.height(), panX, panY, zoom);
}

}  // namespace

QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to, QSize size,
                             const CMapStyle& style)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    const int axis = section.m_nSectionAxis;
    const CViewProjection proj = FittedSectionProjection(doc.m_settings, axis, from, to, section.m_dEndV, image.size());
    const CWorkingLists working;
    const CResultDisplay results;
    CSectionPainter sectionPainter(painter, proj, doc, axis, working, results);
    const CMapShapes shapes = MapShapes(section, style.scale);
    sectionPainter.SetNoiseMap(&section, &shapes);
    if (style.legend)
        sectionPainter.SetNoiseMapLegend(&*style.legend);
    sectionPainter.Paint();
    return image;
}

QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, int width,
                          const CNoiseMapLegend* legend)
{
    width = std::clamp(width, kMinSide, kMaxSide);
    const double roomW = width - kLegendSpace - 2 * kFrame;
    const double metres = section.m_dEndV + kSectionAbove + kSectionBelow;
    const double span = std::fabs(to - from);
    const double height = span > 0 ? roomW * metres / span + 2 * kFrame : width / 2.0;
    const double legendHeight = (legend ? *legend : CNoiseMapLegend(0)).Rect(QSize(width, 0)).bottom() + kFrame;
    return QSize(width, std::clamp(static_cast<int>(std::lround(std::max(height, legendHeight))), kMinSide, kMaxSide));
}

QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width, const CNoiseMapLegend* legend)
{
    const CProjectSettings& s = doc.m_settings;
    width = std::clamp(width, kMinSide, kMaxSide);
    const double w = s.m_dAreaEndX - s.m_dAreaStartX, h = s.m_dAreaEndY - s.m_dAreaStartY;
    const double roomW = width - kLegendSpace - 2 * kFrame;
    double height = (w > 0 && h > 0) ? roomW * h / w + 2 * kFrame : width;
    const QRect legendRect = (legend ? *legend : CNoiseMapLegend(0)).Rect(QSize(width, 0));
    height = std::max(height, double(legendRect.bottom() + kFrame));
    return QSize(width, std::clamp(static_cast<int>(std::lround(height)), kMinSide, kMaxSide));
}
