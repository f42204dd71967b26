#pragma once

// The small plan in the import dialog: the project as the plan view draws it, with what the
// import would add drawn over it in the highlight colour, the whole fitted into the widget,
// so that features landing far from the calculation area (another coordinate system, a
// wrong --crs) show at a glance. It counts the features that reach outside the area.

#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QWidget>
#include <vector>

#include "drawing/view_projection.h"
#include "model/document.h"

struct CImportResult;

// What an import adds, in plan metres: lines (roads, barriers), points (receivers) and
// outlines (footprints).
struct CImportShapes {
    std::vector<QLineF> lines;
    std::vector<QPointF> points;
    std::vector<QPolygonF> outlines;
    bool Empty() const { return lines.empty() && points.empty() && outlines.empty(); }
};

CImportShapes ImportShapesOf(const CImportResult& result);

class CImportPlanPreview : public QWidget {
    Q_OBJECT
public:
    // base: the project the features would be added to (copied).
    explicit CImportPlanPreview(const CMyTalvoDoc& base, QWidget* parent = nullptr);

    void SetImport(const CImportShapes& shapes);
    const CImportShapes& Import() const { return m_import; }
    // Lines, points and outlines of the import with any point outside the calculation area.
    int OutsideArea() const { return m_nOutside; }

    // Paints the plan into any paint device at its size (the widget, tests, screenshots).
    void Render(QPaintDevice* device) const;
    QSize sizeHint() const override { return {420, 280}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintImport(QPainter& painter, const CViewProjection& proj) const;
    void PaintCaption(QPainter& painter, QSize size) const;

    CMyTalvoDoc m_base;
    CImportShapes m_import;
    int m_nOutside = 0;
};
