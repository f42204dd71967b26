#include "views/noise_map_image.h"

#include <algorithm>
#include <cmath>

#include "model/document.h"
#include "model/noise_map_grid.h"
#include "views/noise_map_renderer.h"
#include "views/picked_points.h"
#include "views/plan_painter.h"
#include "views/working_lists.h"

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
    planPainter.SetNoiseMap(&grid);
    planPainter.Paint();
    return image;
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
