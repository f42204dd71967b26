#pragma once

// Draws the section view's scene onto a painter: the cut along the section line with
// the ground (embankments, the profile between them, cuttings), tunnels, roads with
// their deck barriers, buildings, noise barriers and the receivers on the line, then the
// axis arrow and the receiver-height markers. Positions along the axis are drawn mirrored
// about the middle of the area; heights are metres with 0 on the view's middle line.

#include <QPainter>
#include <vector>

#include "drawing/scene_projection.h"
#include "drawing/section_geometry.h"
#include "drawing/view_projection.h"
#include "drawing/working_lists.h"
#include "render/plan_painter.h"

class CMyTalvoDoc;
class CNoiseMapLegend;
struct CMapShapes;
struct CNoiseMapGrid;
struct CProjectSettings;

class CSectionPainter {
public:
    CSectionPainter(QPainter& painter, const CViewProjection& proj, const CMyTalvoDoc& doc, int axis,
                    const CWorkingLists& working, const CResultDisplay& results);
    // A section noise map to paint under the model, with its legend; nullptr: none.
    // The map's grid and the shapes drawn of it (both or neither). The legend goes into a
    // strip kMapColumnWidth pixels wide right of the projection's rectangle.
    void SetNoiseMap(const CNoiseMapGrid* map, const CMapShapes* shapes)
    {
        m_pNoiseMap = shapes ? map : nullptr;
        m_pNoiseMapShapes = map ? shapes : nullptr;
    }
    // Shows the map only over the stretch from..to of the line (positions along it);
    // by default over the whole line.
    void SetNoiseMapStretch(double from, double to)
    {
        m_dMapFrom = from;
        m_dMapTo = to;
    }
    // The legend drawn beside the map instead of the 5 dB classes' (a difference map's);
    // nullptr: the classes'. The painter does not own it.
    void SetNoiseMapLegend(const CNoiseMapLegend* legend) { m_pNoiseMapLegend = legend; }
    void Paint();

private:
    struct CDeckBarrier {
        CSectionCrossing at;
        double height = 0;
        bool highlighted = false;
    };

    void PaintNoiseMapInTheAir();
    QPointF At(double pos, double height) const;  // mirrored position and height to pixels
    QColor Colour(EEntityKind kind, std::size_t index, const QColor& normal) const;
    void FillQuad(const CSectionCrossing& a, const CSectionCrossing& b, double topA, double topB, const QColor& colour);
    void DrawEmbankments();
    void DrawProfileFill();
    void DrawCuttings();
    void DrawBaselines();
    // The stretches from..to of the line where a cut lowers the ground, in order.
    std::vector<std::pair<double, double>> CutSpans(double start, double end) const;
    void DrawBaseHeightLabel(QPointF end);
    void DrawTunnels();
    void DrawRoads();
    void GatherDeckBarriers(const CRoad& road, bool highlighted);
    void DrawBarriers();
    void DrawBarrier(double pos, double bottom, double top, const QColor& colour);
    void DrawBuildings();
    void DrawReceivers();
    void DrawOverlay();
    void DrawMarker(double apexX, double apexY, double dx);

    QPainter& m_painter;
    const CViewProjection& m_proj;
    const CProjectSettings& m_settings;
    const CSectionPlane m_plane;
    const CWorkingLists& m_working;
    const CSceneLists m_lists;
    const std::vector<bool> m_excludedBarriers;  // drawn greyed with "제외"
    const CResultDisplay& m_results;
    const bool m_bStaleResults;                // level labels are drawn muted
    std::vector<CProfileRecord> m_arrProfile;  // rebuilt on every paint
    std::vector<CDeckBarrier> m_arrDeckBarrier;
    const CNoiseMapGrid* m_pNoiseMap = nullptr;
    const CMapShapes* m_pNoiseMapShapes = nullptr;
    double m_dMapFrom, m_dMapTo;  // the stretch of the line the map shows over
    const CNoiseMapLegend* m_pNoiseMapLegend = nullptr;
};
