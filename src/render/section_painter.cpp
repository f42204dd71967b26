#include "render/section_painter.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "drawing/entity_outline.h"
#include "drawing/footprint_section.h"
#include "drawing/section_ground_cut.h"
#include "model/document.h"
#include "render/excluded_mark.h"
#include "render/map_column.h"
#include "render/noise_map_renderer.h"
#include "render/section_axes.h"
#include "render/section_ground_clip.h"
#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr double kSectionBarrierHalfWidth = 0.2;  // m, the strip drawn around a barrier
constexpr double kRoadThickness = 0.2;            // m, the strip drawn above a road's line
constexpr double kSectionMarkerSize = 0.03;       // view units
constexpr double kSectionLabelNudge = 4;          // pixels between a receiver and its level text

}  // namespace

CSectionPainter::CSectionPainter(QPainter& painter, const CViewProjection& proj, const CMyTalvoDoc& doc, int axis,
                                 const CWorkingLists& working, const CResultDisplay& results)
    : m_painter(painter),
      m_proj(proj),
      m_settings(doc.m_settings),
      m_plane(doc.m_settings, axis),
      m_working(working),
      m_lists(ResolveLists(doc, working)),
      m_excludedBarriers(ExcludedBarriersToDraw(doc, working)),
      m_results(results),
      m_bStaleResults(doc.m_bResultsStale),
      m_dMapFrom(m_plane.AxisStart()),
      m_dMapTo(m_plane.AxisStart() + m_plane.AxisLength())
{
}

void CSectionPainter::Paint()
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setFont(ViewFont());
    const QRect scene(0, 0, m_proj.Width(), m_proj.Height());
    m_painter.setClipRect(scene);
    m_painter.fillRect(scene, ViewColour::Background());
    m_arrProfile.clear();
    m_arrDeckBarrier.clear();
    if (m_pNoiseMap)
        PaintNoiseMapInTheAir();
    DrawEmbankments();
    DrawProfileFill();
    DrawBaselines();
    DrawCuttings();
    DrawTunnels();
    DrawRoads();
    DrawBuildings();
    DrawBarriers();
    DrawReceivers();
    DrawOverlay();
    PaintSectionAxes(m_painter, m_proj, m_plane);
    m_painter.setClipping(false);
    // The legend keeps to the strip right of the scene, never over the map.
    if (m_pNoiseMap)
        PaintMapColumn(m_painter, QRect(scene.right() + 1, 0, kMapColumnWidth, scene.height()),
                       m_pNoiseMapLegend ? *m_pNoiseMapLegend : CNoiseMapLegend::ForMap(*m_pNoiseMap), 0);
    m_painter.restore();
}

// The map shows in the air only: clipped by the ground the view draws, so no colour lies in
// an embankment, a cutting's wall or below the ground line.
void CSectionPainter::PaintNoiseMapInTheAir()
{
    const CSectionGround ground = CutSectionGround(m_plane, m_lists.embankments, m_lists.cuttings);
    m_painter.save();
    // Inside the axes only: the map never hides their labels, wherever it is panned.
    m_painter.setClipRect(SectionPlotRect(m_proj.Width(), m_proj.Height()), Qt::IntersectClip);
    m_painter.setClipPath(AboveGroundPath(m_proj, m_plane, ground, m_dMapFrom, m_dMapTo), Qt::IntersectClip);
    PaintSectionNoiseMap(m_painter, m_proj, m_plane, *m_pNoiseMapShapes);
    m_painter.restore();
}

QPointF CSectionPainter::At(double pos, double height) const
{
    return ToQt(m_proj.WorldToPixel(m_plane.Mirror(pos), height));
}

QColor CSectionPainter::Colour(EEntityKind kind, std::size_t index, const QColor& normal) const
{
    return m_working.IsHighlighted(kind, index) ? ViewColour::Highlight() : normal;
}

void CSectionPainter::FillQuad(const CSectionCrossing& a, const CSectionCrossing& b, double topA, double topB,
                               const QColor& colour)
{
    QPolygonF quad;
    quad << At(a.pos, a.height) << At(b.pos, b.height) << At(b.pos, topB) << At(a.pos, topA);
    FillPolygon(m_painter, quad, colour);
}

void CSectionPainter::DrawEmbankments()
{
    for (std::size_t i = 0; i < m_lists.embankments.size(); ++i) {
        const auto cut = CrossOutline(m_plane, SlopeSurface(m_lists.embankments[i], false));
        if (!cut)
            continue;
        const auto& [a, b] = *cut;
        FillQuad(a, b, 0, 0, Colour(EEntityKind::Embankment, i, ViewColour::Area()));
        m_arrProfile.push_back({a.pos, a.height, false});
        m_arrProfile.push_back({b.pos, b.height, false});
    }
}

void CSectionPainter::DrawProfileFill()
{
    // The ground between neighbouring embankment crossings, so that the two slopes of
    // a fill and the road body between them show as one.
    SortProfile(m_arrProfile);
    for (std::size_t i = 1; i < m_arrProfile.size(); ++i) {
        const CProfileRecord& a = m_arrProfile[i - 1];
        const CProfileRecord& b = m_arrProfile[i];
        FillQuad({a.pos, 0}, {b.pos, 0}, a.height, b.height, ViewColour::Area());
    }
}

void CSectionPainter::DrawCuttings()
{
    for (std::size_t i = 0; i < m_lists.cuttings.size(); ++i) {
        const auto cut = CrossOutline(m_plane, SlopeSurface(m_lists.cuttings[i], true));
        if (!cut)
            continue;
        const auto& [a, b] = *cut;
        m_arrProfile.push_back({a.pos, a.height, true});
        m_arrProfile.push_back({b.pos, b.height, true});
        // The ground line is gone where the cut is, the soil beside the slope remains. Over a
        // map the line was never drawn there (DrawBaselines): the cut's air is mapped.
        if (!m_pNoiseMap)
            DrawLine(m_painter, At(a.pos, 0), At(b.pos, 0), ViewColour::Background(), 2.0);
        const double floor = std::min(a.height, b.height);
        FillQuad(a, b, floor, floor, Colour(EEntityKind::Cutting, i, ViewColour::Area()));
    }
}

// The ground line at 0 (over a map, not across the cuts, whose air the map shows) and the
// line at the reference height, named at its end (the far end of the line, drawn on the
// left) so that it is not taken for a second ground.
void CSectionPainter::DrawBaselines()
{
    const double start = m_plane.AxisStart(), end = start + m_plane.AxisLength();
    const double base = m_settings.m_dBaseHeight;
    double from = start;
    if (m_pNoiseMap) {
        for (const auto& [cutFrom, cutTo] : CutSpans(start, end)) {
            if (cutFrom > from)
                DrawLine(m_painter, At(from, 0), At(cutFrom, 0), ViewColour::Area(), 1.5);
            from = std::max(from, cutTo);
        }
    }
    DrawLine(m_painter, At(from, 0), At(end, 0), ViewColour::Area(), 1.5);
    DrawLine(m_painter, At(start, base), At(end, base), ViewColour::Area(), 1.5);
    if (base != 0 && std::isfinite(base))
        DrawBaseHeightLabel(At(end, base));
}

std::vector<std::pair<double, double>> CSectionPainter::CutSpans(double start, double end) const
{
    std::vector<std::pair<double, double>> spans;
    for (const CGroundPiece& p : CutSectionGround(m_plane, m_lists.embankments, m_lists.cuttings).m_arrCut)
        if (std::min(p.h0, p.h1) < 0)
            spans.emplace_back(std::clamp(std::min(p.u0, p.u1), start, end),
                               std::clamp(std::max(p.u0, p.u1), start, end));
    std::sort(spans.begin(), spans.end());
    return spans;
}

// Over the line, clear of the height axis's labels, with a light halo for the map that
// may reach down to it in a cutting.
void CSectionPainter::DrawBaseHeightLabel(QPointF end)
{
    const double left = std::max(end.x(), SectionPlotRect(m_proj.Width(), m_proj.Height()).left());
    QPainterPath text;
    text.addText(QPointF(left + kSectionLabelNudge, end.y() - kSectionLabelNudge), m_painter.font(),
                 QStringLiteral("기준높이"));
    m_painter.save();
    m_painter.strokePath(text, QPen(ViewColour::Halo(), 2 * kHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.fillPath(text, ViewColour::Black());
    m_painter.restore();
}

void CSectionPainter::DrawTunnels()
{
    for (std::size_t i = 0; i < m_lists.tunnels.size(); ++i) {
        const CTunnel& t = m_lists.tunnels[i];
        const auto cut = CrossLongSides(m_plane, t);
        if (!cut)
            continue;
        const auto& [a, b] = *cut;
        const QColor colour = Colour(EEntityKind::Tunnel, i, ViewColour::Tunnel(t.m_nTunnelForm));
        FillQuad(a, b, a.height + t.m_dHeight, b.height + t.m_dHeight, colour);
        DrawLine(m_painter, At(a.pos, a.height), At(b.pos, b.height), colour);
    }
}

void CSectionPainter::DrawRoads()
{
    for (std::size_t i = 0; i < m_lists.roads.size(); ++i) {
        const CRoad& r = m_lists.roads[i];
        auto cut = CrossLongSides(m_plane, r);
        if (!cut)
            cut = AlongAxis(m_plane, r);  // the section runs on the road
        if (!cut)
            continue;
        const auto& [a, b] = *cut;
        const bool highlighted = m_working.IsHighlighted(EEntityKind::Road, i);
        const QColor colour = highlighted ? ViewColour::Highlight() : ViewColour::Road();
        FillQuad(a, b, a.height + kRoadThickness, b.height + kRoadThickness, colour);
        DrawLine(m_painter, At(a.pos, a.height), At(b.pos, b.height), colour, 1.5);
        if (r.m_nRoadInfo == 1)
            GatherDeckBarriers(r, highlighted);
    }
}

void CSectionPainter::GatherDeckBarriers(const CRoad& road, bool highlighted)
{
    const CLineFrame f = FrameOf(road);
    const double len = f.PlanLength();
    for (const CDeckBarrierLine& line : DeckBarrierLines(road)) {
        // A deck barrier stands on the deck where the section cuts it.
        if (const auto at =
                m_plane.Cross(f.Place(0, line.across, road.m_dStartZ), f.Place(len, line.across, road.m_dEndZ)))
            m_arrDeckBarrier.push_back({*at, line.height, highlighted});
    }
}

void CSectionPainter::DrawBarriers()
{
    const double base = m_settings.m_dBaseHeight;
    for (std::size_t i = 0; i < m_lists.barriers.size(); ++i) {
        const CBarrier_Stage& b = m_lists.barriers[i];
        const auto at = m_plane.Cross({b.m_dStartX, b.m_dStartY, 0}, {b.m_dEndX, b.m_dEndY, 0});
        if (!at)
            continue;
        const bool excluded = m_excludedBarriers[i];
        DrawBarrier(at->pos, base, base + b.m_dHeight,
                    Colour(EEntityKind::Barrier, i, excluded ? ViewColour::ExcludedBarrier() : ViewColour::Barrier()));
        if (excluded)
            DrawExcludedMark(m_painter,
                             At(at->pos, base + b.m_dHeight) + QPointF(kSectionLabelNudge, -kSectionLabelNudge));
    }
    for (const CDeckBarrier& d : m_arrDeckBarrier) {
        DrawBarrier(d.at.pos, d.at.height, d.at.height + d.height,
                    d.highlighted ? ViewColour::Highlight() : ViewColour::Barrier());
    }
}

void CSectionPainter::DrawBarrier(double pos, double bottom, double top, const QColor& colour)
{
    QPolygonF strip;
    strip << At(pos - kSectionBarrierHalfWidth, bottom) << At(pos + kSectionBarrierHalfWidth, bottom)
          << At(pos + kSectionBarrierHalfWidth, top) << At(pos - kSectionBarrierHalfWidth, top);
    // Over a map a light halo keeps the barrier visible on every class colour.
    if (m_pNoiseMap) {
        DrawPolygonHalo(m_painter, strip);
        DrawLineHalo(m_painter, At(pos, bottom), At(pos, top), 2.0);
    }
    FillPolygon(m_painter, strip, colour);
    DrawLine(m_painter, At(pos, bottom), At(pos, top), colour, 2.0);
}

// A building is cut like a barrier: a block from the reference height up to its height over
// each stretch of the line inside its footprint.
void CSectionPainter::DrawBuildings()
{
    const double base = m_settings.m_dBaseHeight;
    for (std::size_t i = 0; i < m_lists.buildings.size(); ++i) {
        const CBuilding& b = m_lists.buildings[i];
        const bool edited = m_working.IsHighlighted(EEntityKind::Building, i);
        for (const auto& [from, to] : FootprintSpans(m_plane, b.m_arrFootprint)) {
            QPolygonF block;
            block << At(from, base) << At(to, base) << At(to, base + b.Height()) << At(from, base + b.Height());
            if (m_pNoiseMap)
                DrawPolygonHalo(m_painter, block);
            m_painter.setPen(QPen(edited ? ViewColour::Highlight() : ViewColour::BuildingEdge(), 1.5));
            m_painter.setBrush(edited ? ViewColour::Highlight().lighter(150) : ViewColour::Building());
            m_painter.drawPolygon(block);
        }
    }
}

void CSectionPainter::DrawReceivers()
{
    for (const CReceiverPoint& r : m_lists.receivers) {
        if (!m_plane.Contains({r.m_dX, r.m_dY, r.m_dZ}))
            continue;
        const double pos = m_plane.Axis() == 1 ? r.m_dX : r.m_dY;
        DrawLine(m_painter, At(pos, 0), At(pos, r.m_dZ), ViewColour::Red(), 2.0);
        DrawPoint(m_painter, At(pos, r.m_dZ), ViewColour::Black());
        if (m_results.m_bShowResults) {
            DrawHaloLabel(m_painter, At(pos, r.m_dZ) + QPointF(kSectionLabelNudge, -kSectionLabelNudge),
                          QString::fromStdString(ResultLabel(r, m_results.m_nResultBand)),
                          ViewColour::LevelLabel(ViewColour::Red(), m_bStaleResults));
        }
    }
}

void CSectionPainter::DrawMarker(double apexX, double apexY, double dx)
{
    auto at = [this](double ux, double uy) { return ToQt(m_proj.OverlayToPixel(ux, uy)); };
    QPolygonF triangle;
    triangle << at(apexX, apexY) << at(apexX + dx, apexY - kSectionMarkerSize)
             << at(apexX + dx, apexY + kSectionMarkerSize);
    FillPolygon(m_painter, triangle, ViewColour::Marker());
}

void CSectionPainter::DrawOverlay()
{
    auto at = [this](double ux, double uy) { return ToQt(m_proj.OverlayToPixel(ux, uy)); };
    const double s = m_proj.Scale();
    const double start = m_plane.AxisStart() * s;
    const double end = (m_plane.AxisStart() + m_plane.AxisLength()) * s;
    // The axis arrow points back over the extent: drawn mirrored, positions grow leftwards.
    const bool alongX = m_plane.Axis() == 1;
    const QColor colour = alongX ? ViewColour::Black() : ViewColour::Red();
    DrawLine(m_painter, at(end + 0.1, 0), at(end + 0.45, 0), colour);
    DrawLine(m_painter, at(end + 0.1, 0), at(end + 0.13, 0.03), colour);
    DrawLine(m_painter, at(end + 0.1, 0), at(end + 0.13, -0.03), colour);
    DrawLabel(m_painter, at(end + 0.47, -0.02), alongX ? QStringLiteral("x") : QStringLiteral("y"), colour);
    DrawLabel(m_painter, at(m_plane.Mirror(0) * s - 0.01, -0.07), QStringLiteral("0"), colour);
    const double height = m_settings.m_dReceiverHeight * m_proj.VerticalScale();
    DrawMarker(start - kSectionMarkerSize, height, -kSectionMarkerSize);
    DrawMarker(end + kSectionMarkerSize, height, kSectionMarkerSize);
}
