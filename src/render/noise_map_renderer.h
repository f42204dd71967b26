#pragma once

// Draws a computed noise map onto a painter in a view's projection: the isobands filled in
// their class colours and the iso-lines along their edges; and its legend. Shared by the plan view, the section view
// and talvo-cli; needs no display. Squares with a node without energy are left out, so the area or the background shows
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

// A map's legend: a title (the unit), one swatch and label per entry from the top down and
// a note under them (what is shown: the band, the height; wrapped to the legend's width). It sits at the top of the
// strip that a view or a picture keeps beside the map, never over it.
class CNoiseMapLegend {
public:
    // A legend of its own: the title over the entries, listed from the top down.
    CNoiseMapLegend(QString title, std::vector<CLegendEntry> entries);
    // The level classes, the highest first, titled with the band's unit.
    explicit CNoiseMapLegend(int band);
    // The classes of a computed map, noted with its band and, in plan, its height.
    static CNoiseMapLegend ForMap(const CNoiseMapGrid& grid);

    QString Title() const { return m_strTitle; }
    const std::vector<CLegendEntry>& Entries() const { return m_arrEntry; }
    QString Note() const { return m_strNote; }
    void SetNote(QString note) { m_strNote = std::move(note); }

    QSize Size() const;
    // Pixels the note takes, wrapped to the legend's width; 0 without a note.
    int NoteHeight() const;
    // Where the legend sits on a device of this size (its top right corner, inside the strip
    // a view keeps for it), and the swatch of entry i there.
    QRect Rect(QSize device) const;
    QRect SwatchRect(QSize device, int i) const;
    // The swatch of entry i of a legend whose top left corner is at topLeft.
    QRect SwatchRectAt(QPoint topLeft, int i) const;

    void Paint(QPainter& painter, QSize device) const;
    void PaintAt(QPainter& painter, QPoint topLeft) const;

    static constexpr int kMargin = 8, kPadding = 6, kRowHeight = 15, kSwatchWidth = 22, kWidth = 112, kTitleHeight = 18;

private:
    QString m_strTitle, m_strNote;
    std::vector<CLegendEntry> m_arrEntry;
};

// How a map is classed and explained: the scale its bands are cut at and the legend beside
// it. The noise map's own style is the 5 dB classes with their legend for the grid's band.
struct CMapStyle {
    CMapScale scale = ClassMapScale();
    std::optional<CNoiseMapLegend> legend;      // nullopt: the 5 dB classes' legend
    QString name = QStringLiteral("소음지도");  // what a picture's title calls the map
};

// The style of a difference map in steps of 1 or 3 dB: the diverging scale and its legend,
// titled "차이 dB(A)" (with the band for one octave band).
CMapStyle DifferenceMapStyle(double step, int band);
// Names in a difference map's legend what was subtracted from what ("A.tlv", "− B.tlv").
void NameDifference(CMapStyle& style, const QString& minuend, const QString& subtrahend);

// A map as the views show it: the plan grid and, when it was computed, the section grid,
// with the shapes drawn of them in the map's style. Set the grids and the style first; the
// shapes are worked out once, by PrepareShapes (on any thread, before the map is shared)
// or on first use.
struct CNoiseMap {
    CNoiseMapGrid plan;
    std::optional<CNoiseMapGrid> section;
    CMapStyle style;

    void PrepareShapes();
    const CMapShapes& PlanShapes() const;
    // Nullptr without a section grid.
    const CMapShapes* SectionShapes() const;

private:
    mutable std::optional<CMapShapes> m_planShapes, m_sectionShapes;
};
