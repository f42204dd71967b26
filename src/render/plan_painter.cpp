#include "render/plan_painter.h"

#include <algorithm>

#include "drawing/entity_outline.h"
#include "drawing/view_grid.h"
#include "model/bands.h"
#include "model/document.h"
#include "render/excluded_mark.h"
#include "render/map_column.h"
#include "render/noise_map_renderer.h"
#include "render/view_colours.h"
#include "render/view_draw.h"

namespace {

constexpr double kBarrierHalfWidth = 0.2;          // m, the strip drawn along a barrier
constexpr double kMarkerSize = 0.03;               // view units, section-line triangles
constexpr long long kMaxGridPointsDrawn = 200000;  // a denser grid would only blacken the area
constexpr double kLabelNudge = 3;                  // pixels between a receiver and its level text
constexpr double kScaleBarMargin = 12;             // pixels from the bottom left corner
constexpr double kScaleBarShare = 0.25;            // the bar spans at most this share of the width
constexpr double kDeckBarrierWidth = 1.5;          // pixels
constexpr double kBarrierLineWidth = 2.0;          // pixels
constexpr double kReceiverSize = 3.0;              // pixels, a receiver at the pane's height

}  // namespace

CPlanPainter::CPlanPainter(QPainter& painter, const CViewProjection& proj, const CMyTalvoDoc& doc,
                           const CWorkingLists& working, const CResultDisplay& results, const CPickedPoints& picked)
    : m_painter(painter),
      m_proj(proj),
      m_settings(doc.m_settings),
      m_working(working),
      m_lists(ResolveLists(doc, working)),
      m_excludedBarriers(ExcludedBarriersToDraw(doc, working)),
      m_results(results),
      m_picked(picked),
      m_bStaleResults(doc.m_bResultsStale),
      m_arrFacade(doc.m_arrFacade)
{
}

// With a map the scene keeps to the projection's rectangle and the strip right of it holds
// the legend, the scale bar and the north arrow, so that none of them covers the map.
void CPlanPainter::Paint()
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setFont(ViewFont());
    const QRect scene(0, 0, m_proj.Width(), m_proj.Height());
    m_painter.setClipRect(scene);
    m_painter.fillRect(scene, ViewColour::Background());
    DrawArea();
    if (m_pNoiseMap)
        PaintPlanNoiseMap(m_painter, m_proj, *m_pNoiseMapShapes);
    DrawSlopes();
    DrawTunnels();
    DrawRoads();
    DrawBarriers();
    DrawBuildings();
    DrawGrid();
    DrawReceivers();
    DrawFacade();
    if (m_results.m_bShowResults)
        DrawResultLabels();
    DrawAxisGlyph();
    DrawSectionMarkers();
    m_painter.setClipping(false);
    if (m_pNoiseMap) {
        const QRect column(scene.right() + 1, 0, kMapColumnWidth, scene.height());
        const CNoiseMapLegend legend = m_pNoiseMapLegend ? *m_pNoiseMapLegend : CNoiseMapLegend::ForMap(*m_pNoiseMap);
        PaintMapColumn(m_painter, column, legend, m_proj.PixelsPerMetre());
    } else {
        DrawScaleBar();
        if (m_bFacadeDrawn) {
            CNoiseMapLegend legend(0);
            legend.SetNote(FacadeLegendNote(*m_facade));
            legend.Paint(m_painter, scene.size());
        }
    }
    m_painter.restore();
}

QColor CPlanPainter::Colour(EEntityKind kind, std::size_t index, const QColor& normal) const
{
    return m_working.IsHighlighted(kind, index) ? ViewColour::Highlight() : normal;
}

void CPlanPainter::DrawArea()
{
    const double xs = m_settings.m_dAreaStartX, xe = m_settings.m_dAreaEndX;
    const double ys = m_settings.m_dAreaStartY, ye = m_settings.m_dAreaEndY;
    const COutline area = {CMVector(xs, ys, 0), CMVector(xe, ys, 0), CMVector(xe, ye, 0), CMVector(xs, ye, 0)};
    FillPolygon(m_painter, OutlineToPixels(m_proj, area), ViewColour::Area());
}

void CPlanPainter::DrawSlopes()
{
    // The strip next to the axis is drawn over the footprint; a highlight recolours
    // only the footprint.
    for (std::size_t i = 0; i < m_lists.cuttings.size(); ++i) {
        const CJulto& c = m_lists.cuttings[i];
        FillPolygon(m_painter, OutlineToPixels(m_proj, SlopeSurface(c, true)),
                    Colour(EEntityKind::Cutting, i, ViewColour::Cutting()));
        FillPolygon(m_painter, OutlineToPixels(m_proj, SlopeCrestStrip(c, true)), ViewColour::Crest());
    }
    for (std::size_t i = 0; i < m_lists.embankments.size(); ++i) {
        const CSungto& e = m_lists.embankments[i];
        FillPolygon(m_painter, OutlineToPixels(m_proj, SlopeSurface(e, false)),
                    Colour(EEntityKind::Embankment, i, ViewColour::Embankment()));
        FillPolygon(m_painter, OutlineToPixels(m_proj, SlopeCrestStrip(e, false)), ViewColour::Crest());
    }
}

void CPlanPainter::DrawTunnels()
{
    for (std::size_t i = 0; i < m_lists.tunnels.size(); ++i) {
        const CTunnel& t = m_lists.tunnels[i];
        const COutline body = FrameOf(t).Rectangle(-t.m_dWidth / 2, t.m_dWidth / 2);
        FillPolygon(m_painter, OutlineToPixels(m_proj, body),
                    Colour(EEntityKind::Tunnel, i, ViewColour::Tunnel(t.m_nTunnelForm)));
    }
}

void CPlanPainter::DrawRoads()
{
    for (std::size_t i = 0; i < m_lists.roads.size(); ++i) {
        const CRoad& r = m_lists.roads[i];
        const QPolygonF deck = OutlineToPixels(m_proj, FrameOf(r).Rectangle(-r.m_dWidth / 2, r.m_dWidth / 2));
        if (m_pNoiseMap)
            DrawPolygonHalo(m_painter, deck);
        FillPolygon(m_painter, deck, Colour(EEntityKind::Road, i, ViewColour::Road()));
    }
    // Deck barriers go over every deck, so that a neighbouring road cannot hide them.
    for (std::size_t i = 0; i < m_lists.roads.size(); ++i)
        DrawRoadBarriers(m_lists.roads[i], Colour(EEntityKind::Road, i, ViewColour::Barrier()));
}

void CPlanPainter::DrawRoadBarriers(const CRoad& road, const QColor& colour)
{
    if (road.m_nRoadInfo != 1)
        return;
    const CLineFrame frame = FrameOf(road);
    const double len = frame.PlanLength();
    for (const CDeckBarrierLine& line : DeckBarrierLines(road)) {
        const CMVector a = frame.Place(0, line.across), b = frame.Place(len, line.across);
        const QPointF pa = ToQt(m_proj.WorldToPixel(a.x, a.y)), pb = ToQt(m_proj.WorldToPixel(b.x, b.y));
        if (m_pNoiseMap)
            DrawLineHalo(m_painter, pa, pb, kDeckBarrierWidth);
        DrawLine(m_painter, pa, pb, colour, kDeckBarrierWidth);
    }
}

void CPlanPainter::DrawBarriers()
{
    for (std::size_t i = 0; i < m_lists.barriers.size(); ++i) {
        const CBarrier_Stage& b = m_lists.barriers[i];
        const bool excluded = m_excludedBarriers[i];
        const QColor colour =
            Colour(EEntityKind::Barrier, i, excluded ? ViewColour::ExcludedBarrier() : ViewColour::Barrier());
        const QPolygonF strip = OutlineToPixels(m_proj, FrameOf(b).Rectangle(-kBarrierHalfWidth, kBarrierHalfWidth));
        const QPointF start = ToQt(m_proj.WorldToPixel(b.m_dStartX, b.m_dStartY));
        const QPointF end = ToQt(m_proj.WorldToPixel(b.m_dEndX, b.m_dEndY));
        if (m_pNoiseMap) {
            DrawPolygonHalo(m_painter, strip);
            DrawLineHalo(m_painter, start, end, kBarrierLineWidth);
        }
        FillPolygon(m_painter, strip, colour);
        DrawLine(m_painter, start, end, colour, kBarrierLineWidth);
        if (excluded)
            DrawExcludedMark(m_painter, (start + end) / 2 + QPointF(kLabelNudge, -kLabelNudge));
    }
}

void CPlanPainter::DrawBuildings()
{
    PaintPlanBuildings(m_painter, m_proj, m_lists.buildings, m_working, m_pNoiseMap != nullptr);
    if (m_working.pFootprintDraft)
        PaintFootprintDraft(m_painter, m_proj, *m_working.pFootprintDraft);
}

void CPlanPainter::DrawFacade()
{
    m_bFacadeDrawn = m_facade && PaintFacadePoints(m_painter, m_proj, m_arrFacade, *m_facade, m_bStaleResults);
}

void CPlanPainter::DrawGrid()
{
    if (!GridShown(m_settings))
        return;
    const CViewGrid grid(m_settings);
    const CGridIndexRange columns = grid.ColumnsIn(m_proj, -2, m_proj.Width() + 2);
    const CGridIndexRange rows = grid.RowsIn(m_proj, -2, m_proj.Height() + 2);
    if (columns.Empty() || rows.Empty())
        return;
    // The dots would only clutter a noise map; the picked levels stay.
    const long long count = (columns.last - columns.first + 1) * (rows.last - rows.first + 1);
    if (count <= kMaxGridPointsDrawn && !m_pNoiseMap) {
        for (long long c = columns.first; c <= columns.last; ++c) {
            for (long long r = rows.first; r <= rows.last; ++r) {
                const CViewPoint p = grid.PointAt(c, r);
                DrawPoint(m_painter, ToQt(m_proj.WorldToPixel(p.x, p.y)), ViewColour::Black());
            }
        }
    }
    for (std::size_t i = 0; i < m_picked.Count(); ++i) {
        if (const auto p = grid.PointOf(m_picked.NameAt(i))) {
            DrawHaloLabel(m_painter, ToQt(m_proj.WorldToPixel(p->x + 1, p->y + 1)),
                          QString::fromStdString(m_picked.LabelAt(i)),
                          ViewColour::LevelLabel(ViewColour::Blue(), m_bStaleResults));
        }
    }
}

bool CPlanPainter::AtGridHeight(const CReceiverPoint& receiver) const
{
    return receiver.m_dZ == m_settings.m_dReceiverHeight;
}

void CPlanPainter::DrawReceivers()
{
    // Muted ones first, so that a receiver at the pane's height is never hidden under one.
    for (bool shown : {false, true}) {
        for (const CReceiverPoint& r : m_lists.receivers) {
            if ((m_bShowAllHeights || AtGridHeight(r)) != shown)
                continue;
            const QColor colour = shown ? ViewColour::Red() : ViewColour::MutedReceiver();
            const QPointF at = ToQt(m_proj.WorldToPixel(r.m_dX, r.m_dY));
            const double size = shown ? kReceiverSize : kReceiverSize + 1;
            if (m_pNoiseMap)
                DrawPoint(m_painter, at, ViewColour::Halo(), size + 2 * kHaloWidth);
            DrawPoint(m_painter, at, colour, size);
        }
    }
}

void CPlanPainter::DrawResultLabels()
{
    if (m_settings.m_bReceiverHeightEmpty)
        return;
    for (const CReceiverPoint& r : m_lists.receivers) {
        if (!m_bShowAllHeights && !AtGridHeight(r))
            continue;
        const QPointF at = ToQt(m_proj.WorldToPixel(r.m_dX + 1, r.m_dY)) + QPointF(kLabelNudge, 0);
        DrawHaloLabel(m_painter, at, QString::fromStdString(ResultLabel(r, m_results.m_nResultBand)),
                      ViewColour::LevelLabel(ViewColour::Red(), m_bStaleResults));
    }
}

void CPlanPainter::DrawAxisGlyph()
{
    auto at = [this](double ux, double uy) { return ToQt(m_proj.OverlayToPixel(ux, uy)); };
    const QColor red = ViewColour::Red();
    DrawLine(m_painter, at(-0.01, -0.01), at(-0.01, 0.34), red);
    DrawLine(m_painter, at(-0.01, -0.01), at(0.34, -0.01), red);
    DrawLine(m_painter, at(-0.01, 0.34), at(-0.04, 0.31), red);
    DrawLine(m_painter, at(0.34, -0.01), at(0.31, -0.04), red);
    DrawLabel(m_painter, at(-0.05, -0.05), QStringLiteral("0"), red);
    DrawLabel(m_painter, at(-0.08, 0.32), QStringLiteral("y"), red);
    DrawLabel(m_painter, at(0.32, -0.08), QStringLiteral("x"), red);
}

void CPlanPainter::DrawMarker(double apexX, double apexY, double dx, double dy)
{
    // (dx, dy): from the apex to the middle of the base; the base spans as much across.
    auto at = [this](double ux, double uy) { return ToQt(m_proj.OverlayToPixel(ux, uy)); };
    const double bx = apexX + dx, by = apexY + dy;
    QPolygonF triangle;
    triangle << at(apexX, apexY) << at(bx - dy, by - dx) << at(bx + dy, by + dx);
    FillPolygon(m_painter, triangle, ViewColour::Marker());
}

void CPlanPainter::DrawSectionMarkers()
{
    const double s = m_proj.Scale();
    const double xs = m_settings.m_dAreaStartX * s, xe = m_settings.m_dAreaEndX * s;
    const double ys = m_settings.m_dAreaStartY * s, ye = m_settings.m_dAreaEndY * s;
    const double m = kMarkerSize;
    if (m_settings.m_nSectionAxis == 1) {
        const double y = m_settings.m_dSectionY * s;
        DrawMarker(xs - m, y, -m, 0);
        DrawMarker(xe + m, y, m, 0);
    } else {
        const double x = m_settings.m_dSectionX * s;
        DrawMarker(x, ys - m, 0, -m);
        DrawMarker(x, ye + m, 0, m);
    }
}

// A round length in metres with end ticks, at the bottom left, so distances on the plan
// can be judged at any zoom.
void CPlanPainter::DrawScaleBar()
{
    ::DrawScaleBar(m_painter, QPointF(kScaleBarMargin, m_proj.Height() - kScaleBarMargin),
                   m_proj.Width() * kScaleBarShare, m_proj.PixelsPerMetre());
}
