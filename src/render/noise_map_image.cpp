#include "render/noise_map_image.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "drawing/picked_points.h"
#include "drawing/working_lists.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "model/noise_map_grid.h"
#include "render/map_column.h"
#include "render/noise_map_renderer.h"
#include "render/plan_painter.h"
#include "render/section_painter.h"
#include "render/view_colours.h"

namespace {

constexpr int kFrame = 40;        // pixels kept free round the area
constexpr int kTitleHeight = 28;  // pixels, the title line
constexpr int kTitlePadding = 8;  // pixels before the title's text
constexpr int kMinSide = 200, kMaxSide = 8000;
constexpr double kAnyScale = 1;  // pixels per metre: the column's height does not depend on it

// The height of the strip beside a plan or section map: its legend (the level classes' unless
// given) and, in plan, the scale bar and north arrow.
int ColumnHeight(CNoiseMapGrid::EKind kind, const CNoiseMapLegend* legend)
{
    CNoiseMapGrid grid;
    grid.m_kind = kind;
    return MapColumnHeight(legend ? *legend : CNoiseMapLegend::ForMap(grid),
                           kind == CNoiseMapGrid::EKind::Plan ? kAnyScale : 0);
}

void PaintTitle(QPainter& painter, const QRect& box, const QString& title)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font = ViewFont();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ViewColour::Black());
    painter.drawText(box.adjusted(kTitlePadding, 0, -kTitlePadding, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.restore();
}

// The zoom that fits the area into the scene.
CViewProjection FittedProjection(const CProjectSettings& s, QSize size)
{
    const CViewProjection plain = PlanProjection(s, size.width(), size.height(), 0, 0, 1);
    const double unitsPerPixel = 2 * plain.HalfX() / plain.Width();
    const double areaW = (s.m_dAreaEndX - s.m_dAreaStartX) * plain.Scale() / unitsPerPixel;
    const double areaH = (s.m_dAreaEndY - s.m_dAreaStartY) * plain.Scale() / unitsPerPixel;
    const double roomW = std::max(1, size.width() - 2 * kFrame);
    const double roomH = std::max(1, size.height() - 2 * kFrame);
    double zoom = std::min(roomW / areaW, roomH / areaH);
    if (!std::isfinite(zoom) || !(zoom > 0))
        zoom = 1;
    return PlanProjection(s, size.width(), size.height(), 0, 0, zoom);
}

// Paints the background and the title, and moves the painter to the scene's top left corner.
void StartMapImage(QPainter& painter, QSize size, const QString& title)
{
    painter.fillRect(QRect(QPoint(0, 0), size), ViewColour::Background());
    const CMapImageLayout layout = MapImageLayout(size);
    PaintTitle(painter, layout.title, title);
    painter.translate(layout.scene.topLeft());
}

}  // namespace

CMapImageLayout MapImageLayout(QSize size)
{
    const int width = std::max(1, size.width()), height = std::max(1, size.height());
    const int title = std::min(kTitleHeight, height / 2);
    const int sceneWidth = std::max(1, width - kMapColumnWidth);
    CMapImageLayout layout;
    layout.title = QRect(0, 0, width, title);
    layout.scene = QRect(0, title, sceneWidth, std::max(1, height - title));
    layout.column = QRect(sceneWidth, title, width - sceneWidth, layout.scene.height());
    return layout;
}

QString MapImageTitle(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QDate date, const QString& name)
{
    QString what = QString::fromStdString(NoiseMapUnit(grid.m_nBand));
    if (grid.m_nBand == 0)
        what += QStringLiteral(" 전체");
    QString map;
    if (grid.m_kind == CNoiseMapGrid::EKind::Plan)
        map = QStringLiteral("평면 %1 %2, 높이 %3 m").arg(name, what).arg(grid.m_dHeight, 0, 'f', 1);
    else
        map = QStringLiteral("단면 %1 %2, %3 = %4 m 단면")
                  .arg(name, what, grid.m_nSectionAxis == 1 ? QStringLiteral("Y") : QStringLiteral("X"))
                  .arg(grid.m_dFixed, 0, 'f', 1);
    QStringList parts;
    if (!doc.m_settings.m_strProjectName.empty())
        parts << QString::fromStdString(doc.m_settings.m_strProjectName);
    parts << map << date.toString(Qt::ISODate);
    return parts.join(QStringLiteral("  |  "));
}

QImage RenderPlanMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, QSize size, const CMapStyle& style,
                          const CResultDisplay& labels)
{
    CMyTalvoDoc shown = doc;
    shown.m_settings.m_bShowReceivers = false;
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    StartMapImage(painter, image.size(), MapImageTitle(doc, grid, QDate::currentDate(), style.name));
    const CViewProjection proj = FittedProjection(shown.m_settings, MapImageLayout(image.size()).scene.size());
    const CWorkingLists working;
    const CPickedPoints picked;
    CPlanPainter planPainter(painter, proj, shown, working, labels, picked);
    const CMapShapes shapes = MapShapes(grid, style.scale);
    planPainter.SetNoiseMap(&grid, &shapes);
    if (style.legend)
        planPainter.SetNoiseMapLegend(&*style.legend);
    planPainter.Paint();
    return image;
}

namespace {

constexpr double kSectionBelow = 3.0;  // m shown below the lowest ground of the map
constexpr double kSectionAbove = 2.0;  // m shown above the top of the map
constexpr int kAxisSpace = 24;         // pixels more on the left and below, for the axes' labels

// Heights the picture shows, metres: the map's range with some ground below and air above.
double SectionLow(const CNoiseMapGrid& section) { return section.m_dStartV - kSectionBelow; }
double SectionHigh(const CNoiseMapGrid& section) { return section.m_dEndV + kSectionAbove; }

// Zoom and offsets that put the stretch from..to and the map's heights, drawn `exaggeration`
// times higher than long, into the image right of the height axis and above the distance axis.
CViewProjection FittedSectionProjection(const CProjectSettings& s, const CNoiseMapGrid& section, double from, double to,
                                        double exaggeration, QSize size)
{
    const int axis = section.m_nSectionAxis;
    const CSectionPlane plane(s, axis);
    const CViewProjection plain = SectionProjection(s, axis, size.width(), size.height(), 0, 0, 1);
    const double unitsPerPixel = 2 * plain.HalfX() / plain.Width();
    const double low = SectionLow(section), high = SectionHigh(section);
    const double spanW = std::fabs(to - from) * plain.Scale() / unitsPerPixel;
    const double spanH = (high - low) * exaggeration * plain.Scale() / unitsPerPixel;
    const double roomW = std::max(1, size.width() - kAxisSpace - 2 * kFrame);
    const double roomH = std::max(1, size.height() - kAxisSpace - 2 * kFrame);
    double zoom = std::min(roomW / spanW, roomH / spanH);
    if (!std::isfinite(zoom) || !(zoom > 0))
        zoom = 1;
    const double scale = plain.Scale() * zoom;
    const double middle = plane.Mirror(0.5 * (from + to));
    const double panX = (middle - plane.AxisCentre()) * scale - 0.5 * kAxisSpace * unitsPerPixel;
    const double panY = 0.5 * (low + high) * scale * exaggeration - 0.5 * kAxisSpace * unitsPerPixel;
    CViewProjection proj = SectionProjection(s, axis, size.width(), size.height(), panX, panY, zoom);
    proj.SetVerticalExaggeration(exaggeration);
    return proj;
}

}  // namespace

CViewProjection SectionMapImageProjection(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                                          double exaggeration, QSize size)
{
    const QSize scene = MapImageLayout(size.expandedTo(QSize(1, 1))).scene.size();
    return FittedSectionProjection(doc.m_settings, section, from, to, exaggeration, scene);
}

QImage RenderSectionMapImage(const CMyTalvoDoc& doc, const CNoiseMapGrid& section, double from, double to,
                             double exaggeration, QSize size, const CMapStyle& style, const CResultDisplay& labels)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    StartMapImage(painter, image.size(), MapImageTitle(doc, section, QDate::currentDate(), style.name));
    const QSize scene = MapImageLayout(image.size()).scene.size();
    const CViewProjection proj = FittedSectionProjection(doc.m_settings, section, from, to, exaggeration, scene);
    const CWorkingLists working;
    CSectionPainter sectionPainter(painter, proj, doc, section.m_nSectionAxis, working, labels);
    const CMapShapes shapes = SectionMapShapes(section, style.scale);
    sectionPainter.SetNoiseMap(&section, &shapes);
    sectionPainter.SetNoiseMapStretch(from, to);
    if (style.legend)
        sectionPainter.SetNoiseMapLegend(&*style.legend);
    sectionPainter.Paint();
    return image;
}

QSize SectionMapImageSize(const CNoiseMapGrid& section, double from, double to, double exaggeration, int width,
                          const CNoiseMapLegend* legend)
{
    width = std::clamp(width, kMinSide, kMaxSide);
    const double roomW = width - kMapColumnWidth - kAxisSpace - 2 * kFrame;
    const double metres = (SectionHigh(section) - SectionLow(section)) * exaggeration;
    const double span = std::fabs(to - from);
    const double height = span > 0 ? roomW * metres / span + kAxisSpace + 2 * kFrame : width / 2.0;
    const double columnHeight = ColumnHeight(CNoiseMapGrid::EKind::Section, legend);
    const double total = kTitleHeight + std::max(height, columnHeight);
    return QSize(width, std::clamp(static_cast<int>(std::lround(total)), kMinSide, kMaxSide));
}

QSize PlanMapImageSize(const CMyTalvoDoc& doc, int width, const CNoiseMapLegend* legend)
{
    const CProjectSettings& s = doc.m_settings;
    width = std::clamp(width, kMinSide, kMaxSide);
    const double w = s.m_dAreaEndX - s.m_dAreaStartX, h = s.m_dAreaEndY - s.m_dAreaStartY;
    const double roomW = width - kMapColumnWidth - 2 * kFrame;
    double height = (w > 0 && h > 0) ? roomW * h / w + 2 * kFrame : width;
    height = kTitleHeight + std::max(height, double(ColumnHeight(CNoiseMapGrid::EKind::Plan, legend)));
    return QSize(width, std::clamp(static_cast<int>(std::lround(height)), kMinSide, kMaxSide));
}
