#include "report/report_map_figures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "drawing/picked_points.h"
#include "drawing/section_exaggeration.h"
#include "drawing/working_lists.h"
#include "model/document.h"
#include "render/map_column.h"
#include "render/noise_map_image.h"
#include "render/plan_painter.h"
#include "render/section_painter.h"
#include "render/view_colours.h"

namespace {

constexpr int kNarrowest = 200;     // pixels: a figure never gets narrower
constexpr int kKeyMapFrame = 40;    // pixels the fitted plan keeps free round the area
constexpr double kNumberNudge = 2;  // pixels between a receiver and its number
constexpr double kNumberPadding = 1.5;

using Draw = std::function<void(QPainter&)>;

int Pixels(double mm) { return std::max(kNarrowest, int(std::floor(mm / kFigurePixelMm))); }

// The widest width up to `widest` whose height fits into `room` pixels (heights grow with
// the width, nearly in proportion).
int FitWidth(int widest, double room, const std::function<int(int)>& heightOf)
{
    int width = widest;
    for (int i = 0; i < 6; ++i) {
        const int height = heightOf(width);
        if (height <= room || width <= kNarrowest)
            break;
        width = std::max(kNarrowest, int(std::floor(width * room / height)) - 1);
    }
    return width;
}

// A figure of `pixels` whose drawing is scaled onto the rectangle the text gives it, with a
// thin frame round it.
CMapFigure Figure(QSize pixels, Draw draw)
{
    CMapFigure figure;
    figure.sizeMm = QSizeF(pixels) * kFigurePixelMm;
    figure.paint = [pixels, draw = std::move(draw)](QPainter& painter, const QRectF& rect) {
        painter.translate(rect.topLeft());
        painter.scale(rect.width() / pixels.width(), rect.height() / pixels.height());
        draw(painter);
        painter.setClipping(false);
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(0, 0), QSizeF(pixels)));
    };
    return figure;
}

const CNoiseMapLegend* LegendOf(const CNoiseMap& map) { return map.style.legend ? &*map.style.legend : nullptr; }

// The picture size the map pictures would have at this width, less their title line.
QSize WithoutTitle(QSize image) { return QSize(image.width(), MapImageLayout(image).scene.height()); }

// Where a receiver's number goes: beside it to the upper right, else to the lower right,
// upper left or lower left, whichever first keeps clear of the numbers placed before.
QRectF PlaceNumber(QPointF at, QSizeF size, const std::vector<QRectF>& placed)
{
    const double n = kNumberNudge;
    const QPointF corners[] = {{at.x() + n, at.y() - n - size.height()},
                               {at.x() + n, at.y() + n},
                               {at.x() - n - size.width(), at.y() - n - size.height()},
                               {at.x() - n - size.width(), at.y() + n}};
    for (const QPointF& corner : corners) {
        const QRectF box(corner, size);
        if (std::none_of(placed.begin(), placed.end(), [&](const QRectF& other) { return other.intersects(box); }))
            return box;
    }
    return QRectF(corners[0], size);
}

// The receivers' numbers on white boxes; `marked` ones in red.
void DrawNumbers(QPainter& painter, const CViewProjection& proj, const CMyTalvoDoc& doc,
                 const std::vector<bool>& marked)
{
    painter.setFont(ViewFont());
    const QFontMetricsF metrics(painter.font());
    std::vector<QRectF> placed;
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i) {
        const CReceiverPoint& r = doc.m_arrReceiver[i];
        const CViewPoint p = proj.WorldToPixel(r.m_dX, r.m_dY);
        const QString text = QString::number(i + 1);
        const QSizeF size(metrics.horizontalAdvance(text) + 2 * kNumberPadding, metrics.height());
        const QRectF box = PlaceNumber(QPointF(p.x, p.y), size, placed);
        placed.push_back(box);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ViewColour::Halo());
        painter.drawRect(box);
        const bool over = i < marked.size() && marked[i];
        painter.setPen(over ? ViewColour::Red() : ViewColour::Black());
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

}  // namespace

CMapFigure PlanMapFigure(const CMyTalvoDoc& doc, const CNoiseMap& map, QSizeF roomMm)
{
    const CNoiseMapLegend* legend = LegendOf(map);
    const auto sizeAt = [&doc, legend](int width) { return WithoutTitle(PlanMapImageSize(doc, width, legend)); };
    const int width =
        FitWidth(Pixels(roomMm.width()), roomMm.height() / kFigurePixelMm, [&](int w) { return sizeAt(w).height(); });
    const QSize pixels = sizeAt(width);
    const QSize scene(pixels.width() - kMapColumnWidth, pixels.height());
    return Figure(pixels, [&doc, &map, scene](QPainter& painter) {
        const CViewProjection proj = PlanMapSceneProjection(doc.m_settings, scene);
        const CWorkingLists working;
        const CResultDisplay results;
        const CPickedPoints picked;
        CPlanPainter plan(painter, proj, doc, working, results, picked);
        plan.SetNoiseMap(&map.plan, &map.PlanShapes());
        plan.SetNoiseMapLegend(LegendOf(map));
        plan.Paint();
    });
}

CMapFigure SectionMapFigure(const CMyTalvoDoc& doc, const CNoiseMap& map, QSizeF roomMm)
{
    const CNoiseMapGrid& section = *map.section;
    const double from = section.m_dStartU, to = section.m_dEndU;
    const double exaggeration = kDefaultSectionExaggeration;
    const CNoiseMapLegend* legend = LegendOf(map);
    const auto imageAt = [&, legend](int width) {
        return SectionMapImageSize(section, from, to, exaggeration, width, legend);
    };
    const int width = FitWidth(Pixels(roomMm.width()), roomMm.height() / kFigurePixelMm,
                               [&](int w) { return WithoutTitle(imageAt(w)).height(); });
    const QSize image = imageAt(width);
    return Figure(WithoutTitle(image), [&doc, &map, image, from, to, exaggeration](QPainter& painter) {
        const CNoiseMapGrid& grid = *map.section;
        const CViewProjection proj = SectionMapImageProjection(doc, grid, from, to, exaggeration, image);
        const CWorkingLists working;
        const CResultDisplay results;
        CSectionPainter painterOfSection(painter, proj, doc, grid.m_nSectionAxis, working, results);
        painterOfSection.SetNoiseMap(&grid, map.SectionShapes());
        painterOfSection.SetNoiseMapStretch(from, to);
        painterOfSection.SetNoiseMapLegend(LegendOf(map));
        painterOfSection.Paint();
    });
}

CMapFigure KeyMapFigure(const CMyTalvoDoc& doc, const std::vector<bool>& marked, QSizeF roomMm)
{
    const CProjectSettings& s = doc.m_settings;
    const double w = s.m_dAreaEndX - s.m_dAreaStartX, h = s.m_dAreaEndY - s.m_dAreaStartY;
    const double aspect = (w > 0 && h > 0 && std::isfinite(w / h)) ? h / w : 0.5;
    const int roomW = Pixels(roomMm.width()), roomH = Pixels(roomMm.height());
    int height = int(std::lround((roomW - 2 * kKeyMapFrame) * aspect)) + 2 * kKeyMapFrame;
    int width = roomW;
    if (height > roomH) {
        height = roomH;
        width = std::clamp(int(std::lround((roomH - 2 * kKeyMapFrame) / aspect)) + 2 * kKeyMapFrame, kNarrowest, roomW);
    }
    // The plan as the view draws it, without the receiver grid's dots.
    auto shown = std::make_shared<CMyTalvoDoc>(doc);
    shown->m_settings.m_bShowReceivers = false;
    const QSize pixels(width, height);
    return Figure(pixels, [shown, marked, pixels](QPainter& painter) {
        const CViewProjection proj = PlanMapSceneProjection(shown->m_settings, pixels);
        const CWorkingLists working;
        const CResultDisplay results;
        const CPickedPoints picked;
        CPlanPainter plan(painter, proj, *shown, working, results, picked);
        plan.SetShowAllHeights(true);
        plan.Paint();
        DrawNumbers(painter, proj, *shown, marked);
    });
}
