#include "render/plan_buildings.h"

#include <QFontMetricsF>
#include <algorithm>
#include <map>

#include "model/bands.h"
#include "model/noise_level_classes.h"
#include "render/noise_map_renderer.h"
#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr double kEdgeWidth = 1.5;      // pixels, a footprint's edge
constexpr double kFacadePoint = 5.0;    // pixels, a façade receiver
constexpr double kSelectedPoint = 9.0;  // pixels, a receiver of the floor selected in the table
constexpr double kVertexMark = 4.0;     // pixels, a vertex of the footprint being edited

QPolygonF RingToPixels(const CViewProjection& proj, const std::vector<CMVector>& ring)
{
    QPolygonF polygon;
    for (const CMVector& v : ring)
        polygon << ToQt(proj.WorldToPixel(v.x, v.y));
    return polygon;
}

// The area-weighted centre of the ring, or the mean of its vertices when it has no area.
QPointF LabelCentre(const QPolygonF& ring)
{
    double area = 0, cx = 0, cy = 0;
    for (int i = 0; i < ring.size(); ++i) {
        const QPointF& a = ring[i];
        const QPointF& b = ring[(i + 1) % ring.size()];
        const double cross = a.x() * b.y() - b.x() * a.y();
        area += cross;
        cx += (a.x() + b.x()) * cross;
        cy += (a.y() + b.y()) * cross;
    }
    if (area != 0)
        return {cx / (3 * area), cy / (3 * area)};
    QPointF sum;
    for (const QPointF& p : ring)
        sum += p;
    return ring.isEmpty() ? sum : sum / ring.size();
}

QString FloorText(const CBuilding& b)
{
    const QString floors = QStringLiteral("%1층").arg(b.m_nFloors);
    return b.m_pName.empty() ? floors : QString::fromStdString(b.m_pName) + QLatin1Char(' ') + floors;
}

// The label centred on the footprint: with the name when the footprint is wide enough on
// screen, else the floor count alone, else nothing.
void DrawFloorLabel(QPainter& painter, const QPolygonF& ring, const CBuilding& b, const QColor& colour)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF box = ring.boundingRect();
    if (box.height() < metrics.height())
        return;
    for (const QString& text : {FloorText(b), QStringLiteral("%1층").arg(b.m_nFloors)}) {
        const double width = metrics.horizontalAdvance(text);
        if (box.width() < width + 4)
            continue;
        DrawLabel(painter, LabelCentre(ring) + QPointF(-width / 2, metrics.ascent() / 2 - 1), text, colour);
        return;
    }
}

// Each building's highest floor among the receivers, by building.
std::map<int, int> TopFloors(const std::vector<CFacadeReceiver>& receivers)
{
    std::map<int, int> top;
    for (const CFacadeReceiver& r : receivers)
        top[r.m_nBuilding] = std::max(top[r.m_nBuilding], r.m_nFloor);
    return top;
}

void DrawFacadePoint(QPainter& painter, QPointF at, const QColor& fill, double size)
{
    DrawPoint(painter, at, ViewColour::Black(), size + 2);
    DrawPoint(painter, at, fill, size);
}

}  // namespace

void PaintPlanBuildings(QPainter& painter, const CViewProjection& proj, const std::vector<CBuilding>& buildings,
                        const CWorkingLists& working, bool overMap)
{
    for (std::size_t i = 0; i < buildings.size(); ++i) {
        const CBuilding& b = buildings[i];
        if (b.m_arrFootprint.size() < 3)
            continue;
        const QPolygonF ring = RingToPixels(proj, b.m_arrFootprint);
        const bool edited = working.IsHighlighted(EEntityKind::Building, i);
        if (overMap)
            DrawPolygonHalo(painter, ring);
        painter.setPen(QPen(edited ? ViewColour::Highlight() : ViewColour::BuildingEdge(), kEdgeWidth));
        painter.setBrush(edited ? ViewColour::Highlight().lighter(150) : ViewColour::Building());
        painter.drawPolygon(ring);
        DrawFloorLabel(painter, ring, b, ViewColour::Black());
    }
}

void PaintFootprintDraft(QPainter& painter, const CViewProjection& proj, const std::vector<CMVector>& draft)
{
    if (draft.empty())
        return;
    const QPolygonF ring = RingToPixels(proj, draft);
    QPen pen(ViewColour::Highlight(), 2.0, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (ring.size() > 1)
        painter.drawPolygon(ring);
    for (int i = 0; i < ring.size(); ++i) {
        DrawPoint(painter, ring[i], ViewColour::Highlight(), kVertexMark);
        DrawLabel(painter, ring[i] + QPointF(4, -4), QString::number(i + 1), ViewColour::Highlight());
    }
}

bool PaintFacadePoints(QPainter& painter, const CViewProjection& proj, const std::vector<CFacadeReceiver>& receivers,
                       const CFacadeDisplay& display, bool stale)
{
    const std::map<int, int> top =
        display.m_nFloor == CFacadeDisplay::kTopFloor ? TopFloors(receivers) : std::map<int, int>{};
    bool drawn = false;
    auto colourOf = [stale](const CFacadeReceiver& r) {
        return stale ? ViewColour::Muted() : LevelClassQColor(LevelClass(EnergySum(r.m_dLevel)));
    };
    for (const CFacadeReceiver& r : receivers) {
        const int floor = display.m_nFloor == CFacadeDisplay::kTopFloor ? top.at(r.m_nBuilding) : display.m_nFloor;
        if (r.m_nFloor != floor || !HasEnergy(EnergySum(r.m_dLevel)))
            continue;
        DrawFacadePoint(painter, ToQt(proj.WorldToPixel(r.m_vPos.x, r.m_vPos.y)), colourOf(r), kFacadePoint);
        drawn = true;
    }
    if (!display.HasSelection())
        return drawn;
    for (const CFacadeReceiver& r : receivers) {
        if (r.m_nBuilding != display.m_nSelectedBuilding || r.m_nFloor != display.m_nSelectedFloor ||
            !HasEnergy(EnergySum(r.m_dLevel)))
            continue;
        const QPointF at = ToQt(proj.WorldToPixel(r.m_vPos.x, r.m_vPos.y));
        DrawPoint(painter, at, ViewColour::Highlight(), kSelectedPoint + 6);
        DrawFacadePoint(painter, at, colourOf(r), kSelectedPoint);
        drawn = true;
    }
    return drawn;
}

QString FacadeLegendNote(const CFacadeDisplay& display)
{
    if (display.m_nFloor == CFacadeDisplay::kTopFloor)
        return QStringLiteral("외벽 최고층");
    return QStringLiteral("외벽 %1층").arg(display.m_nFloor);
}
