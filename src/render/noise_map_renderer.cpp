#include "render/noise_map_renderer.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "drawing/section_geometry.h"
#include "engine/noise_map_difference.h"
#include "model/noise_level_classes.h"
#include "render/view_colours.h"

namespace {

constexpr double kIsoLineWidth = 1.0;  // pixels

using ToPixel = std::function<QPointF(double, double)>;

void AddRing(QPainterPath& path, const CMapRing& ring, const ToPixel& toPixel)
{
    if (ring.size() < 3)
        return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(ring.size()));
    for (const CMapPoint& p : ring)
        polygon.append(toPixel(p.u, p.v));
    path.addPolygon(polygon);
    path.closeSubpath();
}

// Fills every band as one path, its holes cut out. Without antialiasing neighbouring bands
// meet exactly, with no seam of background between them.
void FillBands(QPainter& painter, const std::vector<CIsoband>& bands, const ToPixel& toPixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const CIsoband& band : bands) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const CMapPolygon& polygon : band.polygons) {
            AddRing(path, polygon.exterior, toPixel);
            for (const CMapRing& hole : polygon.holes)
                AddRing(path, hole, toPixel);
        }
        painter.fillPath(path, QColor(QString::fromStdString(band.colour)));
    }
    painter.restore();
}

void DrawIsoLines(QPainter& painter, const std::vector<CIsoSegment>& lines, const ToPixel& toPixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Flat ends: the segments of one line meet end to end, and the overlap of square ends
    // would darken a dot at every square's side.
    painter.setPen(QPen(IsoLineColour(), kIsoLineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const CIsoSegment& s : lines)
        painter.drawLine(toPixel(s.u0, s.v0), toPixel(s.u1, s.v1));
    painter.restore();
}

void PaintShapes(QPainter& painter, const CMapShapes& shapes, const ToPixel& toPixel)
{
    FillBands(painter, shapes.bands, toPixel);
    DrawIsoLines(painter, shapes.lines, toPixel);
}

}  // namespace

QColor LevelClassQColor(int levelClass) { return QColor(QString::fromLatin1(LevelClassColour(levelClass))); }

CMapStyle DifferenceMapStyle(double step, int band)
{
    CMapStyle style;
    style.scale = DifferenceMapScale(step);
    std::vector<std::string> labels = DifferenceScaleLabels(style.scale);
    // The open ends in words: a narrow "<" or ">=" reads poorly beside the Korean glyphs.
    if (labels.size() >= 2) {
        labels.front() = labels.front().substr(std::string("< ").size()) + " 미만";
        labels.back() = labels.back().substr(std::string(">= ").size()) + " 이상";
    }
    std::vector<CLegendEntry> entries;
    for (std::size_t k = labels.size(); k-- > 0;)
        entries.push_back({QString::fromStdString(labels[k]), QColor(QString::fromStdString(style.scale.colours[k]))});
    style.legend.emplace(QStringLiteral("차이 dB(A)"), std::move(entries));
    style.legend->SetNote(band == 0
                              ? QStringLiteral("전체")
                              : QString::fromStdString(NoiseMapUnit(band)).remove(QStringLiteral("dB(A)")).trimmed());
    style.name = QStringLiteral("차이 지도");
    return style;
}

void NameDifference(CMapStyle& style, const QString& minuend, const QString& subtrahend)
{
    if (!style.legend)
        return;
    const QString operands = QStringLiteral("%1\n\u2212 %2").arg(minuend, subtrahend);
    const QString note = style.legend->Note();
    style.legend->SetNote(note.isEmpty() ? operands : note + QLatin1Char('\n') + operands);
}

void CNoiseMap::PrepareShapes()
{
    m_planShapes = MapShapes(plan, style.scale);
    if (section)
        m_sectionShapes = SectionMapShapes(*section, style.scale);
    else
        m_sectionShapes.reset();
}

const CMapShapes& CNoiseMap::PlanShapes() const
{
    if (!m_planShapes)
        m_planShapes = MapShapes(plan, style.scale);
    return *m_planShapes;
}

const CMapShapes* CNoiseMap::SectionShapes() const
{
    if (!section)
        return nullptr;
    if (!m_sectionShapes)
        m_sectionShapes = SectionMapShapes(*section, style.scale);
    return &*m_sectionShapes;
}

void PaintPlanNoiseMap(QPainter& painter, const CViewProjection& proj, const CMapShapes& shapes)
{
    PaintShapes(painter, shapes, [&](double u, double v) {
        const CViewPoint p = proj.WorldToPixel(u, v);
        return QPointF(p.x, p.y);
    });
}

void PaintSectionNoiseMap(QPainter& painter, const CViewProjection& proj, const CSectionPlane& plane,
                          const CMapShapes& shapes)
{
    PaintShapes(painter, shapes, [&](double u, double v) {
        const CViewPoint p = proj.WorldToPixel(plane.Mirror(u), v);
        return QPointF(p.x, p.y);
    });
}

namespace {

// The class labels as the legend shows them: words rather than "<" and ">=", which some
// Korean faces draw as wide angle brackets.
QString LegendClassLabel(int levelClass)
{
    if (levelClass == 0)
        return QStringLiteral("%1 미만").arg(LevelClassHigh(0));
    if (levelClass == kLevelClassCount - 1)
        return QStringLiteral("%1 이상").arg(LevelClassLow(levelClass));
    return QString::fromStdString(LevelClassLabel(levelClass));
}

}  // namespace

CNoiseMapLegend::CNoiseMapLegend(QString title, std::vector<CLegendEntry> entries)
    : m_strTitle(std::move(title)), m_arrEntry(std::move(entries))
{
}

CNoiseMapLegend::CNoiseMapLegend(int band) : m_strTitle(QString::fromStdString(NoiseMapUnit(band)))
{
    for (int k = kLevelClassCount - 1; k >= 0; --k)
        m_arrEntry.push_back({LegendClassLabel(k), LevelClassQColor(k)});
}

CNoiseMapLegend CNoiseMapLegend::ForMap(const CNoiseMapGrid& grid)
{
    CNoiseMapLegend legend(grid.m_nBand);
    QStringList note;
    if (grid.m_nBand == 0)
        note << QStringLiteral("전체");
    if (grid.m_kind == CNoiseMapGrid::EKind::Plan)
        note << QStringLiteral("높이 %1 m").arg(grid.m_dHeight, 0, 'f', 1);
    else
        note << QStringLiteral("단면");
    legend.SetNote(note.join(QStringLiteral(", ")));
    return legend;
}

namespace {

constexpr int kNoteWidth = CNoiseMapLegend::kWidth - 2 * CNoiseMapLegend::kPadding;

// Lays the note out in lines of the legend's width: broken at its line feeds and spaces, and
// inside a word (a long file name) only where it must be. Returns the height taken.
double LayOutNote(QTextLayout& layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFont(ViewFont());
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(kNoteWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

QString NoteText(QString note) { return note.replace(QLatin1Char('\n'), QChar::LineSeparator); }

}  // namespace

int CNoiseMapLegend::NoteHeight() const
{
    if (m_strNote.isEmpty())
        return 0;
    QTextLayout layout(NoteText(m_strNote));
    return std::max(kTitleHeight, int(std::ceil(LayOutNote(layout))) + kPadding);
}

QSize CNoiseMapLegend::Size() const
{
    return QSize(kWidth, 2 * kPadding + kTitleHeight + int(m_arrEntry.size()) * kRowHeight + NoteHeight());
}

QRect CNoiseMapLegend::Rect(QSize device) const
{
    return QRect(QPoint(device.width() - kMargin - kWidth, kMargin), Size());
}

QRect CNoiseMapLegend::SwatchRect(QSize device, int i) const { return SwatchRectAt(Rect(device).topLeft(), i); }

QRect CNoiseMapLegend::SwatchRectAt(QPoint topLeft, int i) const
{
    const int top = topLeft.y() + kPadding + kTitleHeight + i * kRowHeight;
    return QRect(topLeft.x() + kPadding, top + 1, kSwatchWidth, kRowHeight - 3);
}

void CNoiseMapLegend::Paint(QPainter& painter, QSize device) const { PaintAt(painter, Rect(device).topLeft()); }

void CNoiseMapLegend::PaintAt(QPainter& painter, QPoint topLeft) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ViewFont());
    const QRect box(topLeft, Size());
    const int textWidth = kWidth - 2 * kPadding;
    painter.setPen(QPen(ViewColour::Black(), 1));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(box);
    painter.drawText(QRect(box.left() + kPadding, box.top() + kPadding, textWidth, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_strTitle);
    for (std::size_t i = 0; i < m_arrEntry.size(); ++i) {
        const QRect swatch = SwatchRectAt(topLeft, int(i));
        painter.fillRect(swatch, m_arrEntry[i].colour);
        painter.setPen(QPen(IsoLineColour(), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatch);
        painter.setPen(ViewColour::Black());
        const QRect text(swatch.right() + kPadding, swatch.top() - 1, kWidth - kSwatchWidth - 3 * kPadding, kRowHeight);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_arrEntry[i].label);
    }
    if (!m_strNote.isEmpty()) {
        const int top = box.top() + kPadding + kTitleHeight + int(m_arrEntry.size()) * kRowHeight;
        QTextLayout layout(NoteText(m_strNote));
        LayOutNote(layout);
        layout.draw(&painter, QPointF(box.left() + kPadding, top + 2));
    }
    painter.restore();
}
