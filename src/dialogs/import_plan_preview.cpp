#include "dialogs/import_plan_preview.h"

#include <QPainter>

#include "drawing/picked_points.h"
#include "drawing/scene_projection.h"
#include "drawing/view_fit.h"
#include "drawing/working_lists.h"
#include "gis/gis_import.h"
#include "render/plan_painter.h"
#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr double kFitMargin = 0.08;     // of the widget on each side
constexpr double kImportLineWidth = 2;  // pixels
constexpr double kImportPointSize = 5;  // pixels
constexpr int kCaptionHeight = 38;      // pixels: two lines of text above the plan

bool InsideArea(const CProjectSettings& s, QPointF p)
{
    return p.x() >= s.m_dAreaStartX && p.x() <= s.m_dAreaEndX && p.y() >= s.m_dAreaStartY && p.y() <= s.m_dAreaEndY;
}

int CountOutside(const CProjectSettings& s, const CImportShapes& shapes)
{
    int outside = 0;
    for (const QLineF& line : shapes.lines)
        outside += !InsideArea(s, line.p1()) || !InsideArea(s, line.p2());
    for (const QPointF& point : shapes.points)
        outside += !InsideArea(s, point);
    for (const QPolygonF& outline : shapes.outlines)
        outside += std::any_of(outline.begin(), outline.end(), [&s](QPointF p) { return !InsideArea(s, p); });
    return outside;
}

// The project and the import together, in plan metres.
CWorldBox BoxOf(const CMyTalvoDoc& doc, const CImportShapes& shapes)
{
    CWorldBox box = PlanModelBox(doc);
    for (const QLineF& line : shapes.lines) {
        box.Add(line.x1(), line.y1());
        box.Add(line.x2(), line.y2());
    }
    for (const QPointF& point : shapes.points)
        box.Add(point.x(), point.y());
    for (const QPolygonF& outline : shapes.outlines)
        for (const QPointF& p : outline)
            box.Add(p.x(), p.y());
    return box;
}

QPointF Pixel(const CViewProjection& proj, QPointF world) { return ToQt(proj.WorldToPixel(world.x(), world.y())); }

}  // namespace

CImportShapes ImportShapesOf(const CImportResult& result)
{
    CImportShapes shapes;
    for (const CRoad& r : result.roads)
        shapes.lines.emplace_back(r.m_dStartX, r.m_dStartY, r.m_dEndX, r.m_dEndY);
    for (const CBarrier_Stage& b : result.barriers)
        shapes.lines.emplace_back(b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY);
    for (const CReceiverPoint& p : result.receivers)
        shapes.points.emplace_back(p.m_dX, p.m_dY);
    for (const CBuilding& b : result.buildings) {
        QPolygonF outline;
        for (const CMVector& v : b.m_arrFootprint)
            outline << QPointF(v.x, v.y);
        shapes.outlines.push_back(outline);
    }
    return shapes;
}

CImportPlanPreview::CImportPlanPreview(const CMyTalvoDoc& base, QWidget* parent) : QWidget(parent), m_base(base)
{
    m_base.m_settings.m_bShowReceivers = false;  // the grid's dots would only clutter a small plan
    setMinimumSize(280, 180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CImportPlanPreview::SetImport(const CImportShapes& shapes)
{
    m_import = shapes;
    m_nOutside = CountOutside(m_base.m_settings, m_import);
    update();
}

void CImportPlanPreview::paintEvent(QPaintEvent*) { Render(this); }

// The caption across the top, the plan fitted into the rest.
void CImportPlanPreview::Render(QPaintDevice* device) const
{
    const CProjectSettings& s = m_base.m_settings;
    const int w = device->width(), h = std::max(1, device->height() - kCaptionHeight);
    const CViewNavigation fit = FitBox(PlanProjection(s, w, h, 0, 0, 1), BoxOf(m_base, m_import), kFitMargin);
    const CViewProjection proj = PlanProjection(s, w, h, fit.m_dPanX, fit.m_dPanY, fit.m_dZoom);
    QPainter painter(device);
    painter.fillRect(QRect(0, 0, device->width(), kCaptionHeight), ViewColour::Background());
    PaintCaption(painter, QSize(w, kCaptionHeight));
    painter.translate(0, kCaptionHeight);
    const CWorkingLists working;
    const CResultDisplay results;
    const CPickedPoints picked;
    CPlanPainter(painter, proj, m_base, working, results, picked).Paint();
    PaintImport(painter, proj);
}

void CImportPlanPreview::PaintImport(QPainter& painter, const CViewProjection& proj) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = ViewColour::Highlight();
    for (const QPolygonF& outline : m_import.outlines) {
        QPolygonF pixels;
        for (const QPointF& p : outline)
            pixels << Pixel(proj, p);
        DrawPolygonHalo(painter, pixels);
        FillPolygon(painter, pixels, ink);
    }
    for (const QLineF& line : m_import.lines) {
        DrawLineHalo(painter, Pixel(proj, line.p1()), Pixel(proj, line.p2()), kImportLineWidth);
        DrawLine(painter, Pixel(proj, line.p1()), Pixel(proj, line.p2()), ink, kImportLineWidth);
    }
    for (const QPointF& point : m_import.points) {
        DrawPoint(painter, Pixel(proj, point), ViewColour::Halo(), kImportPointSize + 2 * kHaloWidth);
        DrawPoint(painter, Pixel(proj, point), ink, kImportPointSize);
    }
    painter.restore();
}

// What the colours mean, and a warning when the import reaches outside the area.
void CImportPlanPreview::PaintCaption(QPainter& painter, QSize size) const
{
    painter.save();
    painter.setFont(ViewFont());
    const QRect line(6, 4, size.width() - 12, 16);
    painter.fillRect(QRect(6, 8, 10, 8), ViewColour::Highlight());
    painter.setPen(ViewColour::Black());
    painter.drawText(line.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("가져올 것 (주황 사각형: 계산영역)"));
    if (m_nOutside > 0) {
        painter.setPen(QColor(176, 0, 0));
        painter.drawText(line.translated(0, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1개가 계산영역 밖에 있습니다.").arg(m_nOutside));
    }
    painter.restore();
}
