#pragma once

// The ground along one vertical plane X = x0 across the site.
//
// The ground is flat at absolute height 0 except on embankments (fill) and cuttings
// (cut). Cut by the plane X = x0, each body's plan footprint gives one interval of Y
// carrying one height, the mean height of its slope: 0.5 * m_dHeight, stored relative
// to the base height like every height of the engine.
//
// Footprints: a rectangle from the start point along the heading, of the plan length,
// and of the body's width on one side of its axis. In the body's own frame (y to the
// left of the axis) an embankment extends to -width for m_nDirection 1 and to +width
// for 0; a cutting is mirrored: to -width for 0 and to +width for 1.
//
// Thread safety: a CTerrainSection is a plain value that never touches the document;
// give each worker thread its own. GroundHeight is const and safe to share once built.

#include <vector>

#include "model/engine_records.h"
#include "model/entities.h"
#include "model/project_settings.h"

class CMyTalvoDoc;

class CTerrainSection {
public:
    // Rebuilds the section for the plane X = x0, kept inside the calculation area
    // (x0 <= 0 becomes 0.001, x0 >= its end X becomes x0 - 0.001). The section spans
    // the area in Y: a footprint reaching past the area keeps the part inside it. A body
    // with a value that is not a finite number is left out.
    // Reads the area and the base height from settings.
    void Build(double x0, const std::vector<CSungto>& embankments, const std::vector<CJulto>& cuttings,
               const CProjectSettings& settings);
    // The same with the document's bodies and settings.
    void Build(double x0, const CMyTalvoDoc& doc);

    // Ground height under (x0, y) relative to the base height: the higher of the
    // embankment and the cutting interval containing y, else absolute ground 0.
    double GroundHeight(double y) const;

    double SectionX() const { return m_dSectionX; }
    const std::vector<CSurface_info>& EmbankmentIntervals() const { return m_arrEmbankment; }
    const std::vector<CSurface_info>& CuttingIntervals() const { return m_arrCutting; }
    const std::vector<CPoint_info>& EmbankmentOutline() const { return m_arrEmbankmentOutline; }
    const std::vector<CPoint_info>& CuttingOutline() const { return m_arrCuttingOutline; }

private:
    double m_dSectionX = 0;
    double m_dBaseHeight = 0;
    std::vector<CSurface_info> m_arrEmbankment, m_arrCutting;
    std::vector<CPoint_info> m_arrEmbankmentOutline, m_arrCuttingOutline;
};

// Where the plane X = x0 crosses a body's footprint: the two crossing points of Y,
// in the order met along the footprint's edges (axis, end edge, outer side, start
// edge), each kept within [yMin, yMax]. crosses is false when the plane misses the
// footprint there or only touches it.
struct CFootprintCrossing {
    bool crosses = false;
    double y1 = 0, y2 = 0;
};
// side: +1 when the footprint extends to +width in the body's frame, -1 for -width.
CFootprintCrossing CrossFootprint(const CSlope& body, int side, double x0, double yMin, double yMax);

// Builds the section at x0 and stores its lists in the document's
// m_arrEmbankmentSection, m_arrCuttingSection, m_arrEmbankmentOutline and
// m_arrCuttingOutline (each emptied first).
void StoreTerrainSection(CMyTalvoDoc& doc, double x0);
