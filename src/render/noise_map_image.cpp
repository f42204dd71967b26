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

QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size)
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
    const CMapShapes shapes = MapShapes(grid, ClassMapScale());
    planPainter.SetNoiseMap(&grid, &shapes);
    planPainter.Paint();
    return image;
}

namespace {

constexpr double kSectionBelow = 3.0;  // m shown below the lowest ground of the map
constexpr double kSectionAbove = 2.0;  // m shown above the top of the map
constexpr int kAxisSpace = 24;         // pixels more on the left and below, for the axes' labels

// Heights the picture shows, metres: the map's range with some ground below and air above.
double SectionLow(const CNoiseMapGrid& section) { return section.m_dStartV - kSectionBelow; }
double SectionHigh(const CNoiseMapGrid& section) { return section.m_dEndV + kSectionAbove; }

// Zoom and offsets that put the stretch from..to and the map's heights, drawn `exaggeration`
// times higher than long, into the image right of the height axis and above the distance axis.
CViewProjection FittedSectionProjection(const CProjectSettings& s, const CNoiseMapGrid& section, double from, double to,
                                        double exaggeration, QSize size)
{
    const int axis = section.m_nSectionAxis;
    const CSectionPlane plane(s, axis);
    const CViewProjection plain = SectionProjection(s, axis, size.width(), size.height(), 0, 0, 1);
    const double unitsPerPixel = 2 * plain.HalfX() / plain.Width();
    const double low = SectionLow(section), high = SectionHigh(section);
    const double spanW = std::fabs(to - from) * plain.Scale() / unitsPerPixel;
    const double spanH = (high - low) * exaggeration * plain.Scale() / unitsPerPixel;
    const double roomW = std::max(1, size.width() - kLegendSpace - kAxisSpace - 2 * kFrame);
    const double roomH = std::max(1, size.height() - kAxisSpace - 2 * kFrame);
    double zoom = std::min(roomW / spanW, roomH / spanH);
    if (!std::isfinite(zoom) || !(zoom > 0))
        zoom = 1;
    const double scale = plain.Scale() * zoom;
    const double middle = plane.Mirror(0.5 * (from + to));
    const double panX = (middle - plane.AxisCentre()) * scale + 0.5 * (kLegendSpace - kAxisSpace) * unitsPerPixel;
    const double panY = 0.5 * (low + high) * scale * exaggeration - 0.5 * kAxisSpace * unitsPerPixel;
    CViewProjection proj = SectionProjection(s, axis, size.width(), size.height(), panX, panY, zoom);
    proj.SetVerticalExaggeration(exaggeration);
    return proj;
}

}  // namespace

CViewProjection SectionMapImageProjection(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                                          double exaggeration, QSize size)
{
    return FittedSectionProjection(doc.m_settings, section, from, to, exaggeration, size.expandedTo(QSize(1, 1)));
}

QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                             double exaggeration, QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    const CViewProjection proj = FittedSectionProjection(doc.m_settings, section, from, to, exaggeration, image.size());
    const CWorkingLists working;
    const CResultDisplay results;
    CSectionPainter sectionPainter(painter, proj, doc, section.m_nSectionAxis, working, results);
    const CMapShapes shapes = SectionMapShapes(section, ClassMapScale());
    sectionPainter.SetNoiseMap(&section, &shapes);
    sectionPainter.SetNoiseMapStretch(from, to);
    sectionPainter.Paint();
    return image;
}

QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, double exaggeration, int width)
{
    width = std::clamp(width, kMinSide, kMaxSide);
    const double roomW = width - kLegendSpace - kAxisSpace - 2 * kFrame;
    const double metres = (SectionHigh(section) - SectionLow(section)) * exaggeration;
    const double span = std::fabs(to - from);
    const double height = span > 0 ? roomW * metres / span + kAxisSpace + 2 * kFrame : width / 2.0;
    const CNoiseMapLegend legend(0);
    const double legendHeight = legend.Rect(QSize(width, 0)).bottom() + kFrame;
    return QSize(width, std::clamp(static_cast<int>(std::lround(std::max(height, legendHeight))), kMinSide, kMaxSide));
}

QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width)
{
    const CProjectSettings& s = doc.m_settings;
    width = std::clamp(width, kMinSide, kMaxSide);
    const double w = s.m_dAreaEndX - s.m_dAreaStartX, h = s.m_dAreaEndY - s.m_dAreaStartY;
    const double roomW = width - kLegendSpace - 2 * kFrame;
    double height = (w > 0 && h > 0) ? roomW * h / w + 2 * kFrame : width;
    const CNoiseMapLegend legend(0);
    height = std::max(height, double(legend.Rect(QSize(width, 0)).bottom() + kFrame));
    return QSize(width, std::clamp(static_cast<int>(std::lround(height)), kMinSide, kMaxSide));
}
