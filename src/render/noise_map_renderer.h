#pragma once

// Draws a computed noise map onto a painter in a view's projection: the isobands filled in
// their class colours, the iso-lines along their edges and a legend in the top right
// corner. Shared by the plan view, the section view and talvo-cli; needs no display.
// Squares with a node without energy are left out, so the area or the background shows
// through.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "drawing/view_projection.h"
#include "engine/noise_map_shapes.h"
#include "model/noise_map_grid.h"

class CSectionPlane;

// A map as the views show it: the plan grid and, when it was computed, the section grid,
// with the shapes drawn of them. Set the grids first; the shapes are worked out once, by
// PrepareShapes (on any thread, before the map is shared) or on first use.
struct CNoiseMap {
    CNoiseMapGrid plan;
    std::optional<CNoiseMapGrid> section;

    void PrepareShapes(const CMapScale& scale = ClassMapScale());
    const CMapShapes& PlanShapes() const;
    // Nullptr without a section grid.
    const CMapShapes* SectionShapes() const;

private:
    mutable std::optional<CMapShapes> m_planShapes, m_sectionShapes;
};

QColor LevelClassQColor(int levelClass);
inline QColor IsoLineColour() { return QColor(40, 40, 40); }

// The plan map's bands and iso-lines, world metres through the projection.
void PaintPlanNoiseMap(QPainter& painter, const CViewProjection& proj, const CMapShapes& shapes);

// The section map's bands and iso-lines: positions along the line are mirrored about the
// middle of the area as the section view draws them; heights are metres.
void PaintSectionNoiseMap(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane,
                          const CMapShapes& shapes);

struct CLegendEntry {
    QString label;
    QColor colour;
};

// The legend: the unit as its title, then the classes from the highest down.
class CNoiseMapLegend {
public:
    explicit CNoiseMapLegend(int band);

    QString Title() const { return m_strTitle; }
    const std::vector<CLegendEntry>& Entries() const { return m_arrEntry; }

    // Where the legend sits on a device of this size, and the swatch of entry i.
    QRect Rect(QSize device) const;
    QRect SwatchRect(QSize device, int i) const;

    void Paint(QPainter& painter, QSize device) const;

    static constexpr int kMargin = 8, kPadding = 6, kRowHeight = 15, kSwatchWidth = 22, kWidth = 104, kTitleHeight = 18;

private:
    QString m_strTitle;
    std::vector<CLegendEntry> m_arrEntry;
};
