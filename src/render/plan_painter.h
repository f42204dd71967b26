#pragma once

// Draws the plan view's scene onto a painter: the calculation area, the model seen
// from above, the receiver grid with its picked labels, the receivers and their result
// labels, and the axis glyph and section markers. Later drawing covers earlier, so the
// shapes go from the ground upwards: area, slopes, tunnels, roads, barriers, buildings,
// points, text.

#include <QPainter>
#include <optional>
#include <vector>

#include "drawing/picked_points.h"
#include "drawing/result_label.h"
#include "drawing/scene_projection.h"
#include "drawing/view_projection.h"
#include "drawing/working_lists.h"
#include "render/noise_map_renderer.h"
#include "render/plan_buildings.h"

class CMyTalvoDoc;
class CNoiseMapLegend;
struct CMapShapes;
struct CNoiseMapGrid;
struct CProjectSettings;

// What the result display shows: levels at the receivers, and which band.
struct CResultDisplay {
    bool m_bShowResults = false;
    int m_nResultBand = 0;  // 0 overall, 1..8 the bands 63 Hz .. 8 kHz
};

class CPlanPainter {
public:
    CPlanPainter(QPainter& painter, const CViewProjection& proj, const CMyTalvoDoc& doc, const CWorkingLists& working,
                 const CResultDisplay& results, const CPickedPoints& picked);
    // A noise map to paint over the area, under the model, with its legend; nullptr: none.
    // The map's grid and the shapes drawn of it (both or neither). The model is then drawn
    // with light halos, the receiver grid without its dots, and the legend, scale bar and
    // north arrow in a strip kMapColumnWidth pixels wide right of the projection's
    // rectangle (the device must be that much wider).
    void SetNoiseMap(const CNoiseMapGrid* map, const CMapShapes* shapes)
    {
        m_pNoiseMap = shapes ? map : nullptr;
        m_pNoiseMapShapes = map ? shapes : nullptr;
    }
    // The legend drawn beside the map instead of the 5 dB classes' (a difference map's);
    // nullptr: the classes'. The painter does not own it.
    void SetNoiseMapLegend(const CNoiseMapLegend* legend) { m_pNoiseMapLegend = legend; }
    // Receivers at another height than the pane's receiver height are drawn muted, and
    // without their level; with all heights shown they are drawn as the others.
    void SetShowAllHeights(bool show) { m_bShowAllHeights = show; }
    // Draws the façade receivers of the last calculation as the display chooses (the views
    // do; pictures of a noise map show the buildings only).
    void SetFacadeDisplay(const CFacadeDisplay& display) { m_facade = display; }
    void Paint();

private:
    void DrawArea();
    void DrawSlopes();
    void DrawTunnels();
    void DrawRoads();
    void DrawRoadBarriers(const CRoad& road, const QColor& colour);
    void DrawBarriers();
    void DrawBuildings();
    void DrawFacade();
    void DrawGrid();
    void DrawReceivers();
    void DrawResultLabels();
    void DrawAxisGlyph();
    void DrawSectionMarkers();
    void DrawMarker(double apexX, double apexY, double dx, double dy);
    void DrawScaleBar();
    QColor Colour(EEntityKind kind, std::size_t index, const QColor& normal) const;
    bool AtGridHeight(const CReceiverPoint& receiver) const;

    QPainter& m_painter;
    const CViewProjection& m_proj;
    const CProjectSettings& m_settings;
    const CWorkingLists& m_working;
    const CSceneLists m_lists;
    const std::vector<bool> m_excludedBarriers;  // drawn greyed with "제외"
    const CResultDisplay& m_results;
    const CPickedPoints& m_picked;
    const bool m_bStaleResults;  // level labels are drawn muted
    const CNoiseMapGrid* m_pNoiseMap = nullptr;
    const CMapShapes* m_pNoiseMapShapes = nullptr;
    const CNoiseMapLegend* m_pNoiseMapLegend = nullptr;
    bool m_bShowAllHeights = false;
    const std::vector<CFacadeReceiver>& m_arrFacade;
    std::optional<CFacadeDisplay> m_facade;
    bool m_bFacadeDrawn = false;
};
