// The section view with a section map shown: the fitted view holds the whole map inside its
// axes, the reference height's line is named, and the air of a cutting is mapped down to
// its floor.
#include <QtTest>

#include "app/noise_map_commands.h"
#include "drawing/scene_projection.h"
#include "drawing/section_geometry.h"
#include "drawing/section_ground_cut.h"
#include "engine/source_pieces.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "render/map_column.h"
#include "render/noise_map_renderer.h"
#include "render/section_axes.h"
#include "render/view_colours.h"
#include "views/section_view.h"

namespace {

constexpr QSize kViewSize(800, 300);

// A road of 100 dB at 4 m below the ground along y = 100, in a cutting 30 m wide from
// y = 85 (at 0) down to y = 115 (at -4), across an area 200 x 200 m cut at x = 100.
void BuildCuttingProject(CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 200;
    s.m_nSectionAxis = 0;
    s.m_dSectionX = 100;
    s.m_dReceiverSpacing = 20;
    s.m_dReceiverHeight = 1.5;
    CJulto cut;
    cut.SetGeometry(0, 115, 200, 115, -4, 30, 200);
    doc.m_arrCutting.push_back(cut);
    s.m_dBaseHeight = -4;
    CRoad road;
    road.SetGeometry(0, 100, 200, 100, -4, -4, 8, 200, 20);
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(100);
    doc.m_arrRoad.push_back(road);
    MakeSourcePieces(doc);
}

// A view of the document fitted with its section map shown, five times higher than long.
struct CMapView {
    explicit CMapView(CMyTalvoDoc& doc) : view(&doc)
    {
        CRunProgress progress;
        map = ComputeViewsNoiseMap(doc, 0, progress, 2);
        view.resize(kViewSize);
        view.SetVerticalExaggeration(5);
        view.FitAll();
        view.SetNoiseMap(map);
    }
    // The scene's projection as the view paints it: the legend's strip off its width.
    CViewProjection Projection(const CMyTalvoDoc& doc) const
    {
        CViewProjection proj =
            SectionProjection(doc.m_settings, view.SectionAxis(), kViewSize.width() - kMapColumnWidth,
                              kViewSize.height(), view.panX(), view.panY(), view.zoom());
        proj.SetVerticalExaggeration(view.VerticalExaggeration());
        return proj;
    }
    QPointF Pixel(const CMyTalvoDoc& doc, double pos, double height) const
    {
        const CSectionPlane plane(doc.m_settings, view.SectionAxis());
        const CViewPoint p = Projection(doc).WorldToPixel(plane.Mirror(pos), height);
        return {p.x, p.y};
    }
    CSection_View view;
    std::shared_ptr<CNoiseMap> map;
};

bool IsClassColour(const QColor& c)
{
    for (int k = 0; k < kLevelClassCount; ++k)
        if (SameColour(c, LevelClassQColor(k)))
            return true;
    return false;
}

}  // namespace

class TestSectionViewMap : public QObject {
    Q_OBJECT
private slots:
    void fittedViewHoldsTheWholeMapInsideTheAxes();
    void referenceHeightLineIsNamed();
    void airOfACuttingIsMappedDownToItsFloor();
};

void TestSectionViewMap::fittedViewHoldsTheWholeMapInsideTheAxes()
{
    CMyTalvoDoc doc;
    BuildCuttingProject(doc);
    CMapView shown(doc);
    QVERIFY(shown.map && shown.map->section);
    const CNoiseMapGrid& section = *shown.map->section;
    const QRectF plot = SectionPlotRect(shown.Projection(doc).Width(), kViewSize.height());
    // The map's corners, its top 30 m over the lowest ground included.
    for (const QPointF corner :
         {shown.Pixel(doc, section.m_dStartU, section.m_dEndV), shown.Pixel(doc, section.m_dEndU, section.m_dEndV),
          shown.Pixel(doc, section.m_dEndU, section.m_dStartV)})
        QVERIFY2(plot.contains(corner), qPrintable(QStringLiteral("%1, %2").arg(corner.x()).arg(corner.y())));
    // Zoomed in and panned, the map still leaves the axes' title and labels alone.
    shown.view.ZoomIn();
    shown.view.ZoomIn();
    shown.view.OffsetBy(0.5, -0.5);
    const QImage image = shown.view.RenderImage(kViewSize);
    SaveRenderIfAsked(image, QStringLiteral("section_map_fitted.png"));
    for (int y = 0; y < kViewSize.height(); y += 3)
        for (int x = 0; x < int(plot.left()); x += 3)
            QVERIFY2(!IsClassColour(image.pixelColor(x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
    for (int x = 0; x < int(plot.right()); x += 3)
        QVERIFY(!IsClassColour(image.pixelColor(x, 5)));
}

void TestSectionViewMap::referenceHeightLineIsNamed()
{
    // The label's ink lies over the far (left) end of the line at -4 m; without a reference
    // height below the ground there is no second line and no label.
    CMyTalvoDoc doc;
    BuildCuttingProject(doc);
    CMapView shown(doc);
    const auto inkOverTheLeftEnd = [&](const QImage& image) {
        const QPointF end = shown.Pixel(doc, doc.m_settings.m_dAreaEndY, doc.m_settings.m_dBaseHeight);
        int ink = 0;
        for (int x = int(end.x()) + 2; x < int(end.x()) + 50; ++x)
            for (int y = int(end.y()) - 14; y < int(end.y()) - 2; ++y)
                ink += image.pixelColor(x, y).lightness() < 80;
        return ink;
    };
    const QImage labelled = shown.view.RenderImage(kViewSize);
    SaveRenderIfAsked(labelled, QStringLiteral("section_map_base_height.png"));
    QVERIFY(inkOverTheLeftEnd(labelled) > 10);
    doc.m_settings.m_dBaseHeight = 0;
    QCOMPARE(inkOverTheLeftEnd(shown.view.RenderImage(kViewSize)), 0);
}

void TestSectionViewMap::airOfACuttingIsMappedDownToItsFloor()
{
    CMyTalvoDoc doc;
    BuildCuttingProject(doc);
    CMapView shown(doc);
    const QImage image = shown.view.RenderImage(kViewSize);
    SaveRenderIfAsked(image, QStringLiteral("section_map_cutting.png"));
    // In the cut's air: just over its floor at the deep side, halfway along its slope, and
    // on the ground line that is not there over the cut. Beside the cut and under its
    // slope the soil stays bare.
    const CSectionGround ground = DocumentSectionGround(doc);
    QCOMPARE(ground.m_arrCut.size(), std::size_t(1));
    CGroundPiece slope = ground.m_arrCut[0];
    if (slope.h0 > slope.h1)
        slope = {slope.u1, slope.h1, slope.u0, slope.h0};  // from the floor up
    const auto along = [&](double t) { return slope.u0 + t * (slope.u1 - slope.u0); };
    // The map shows at the point or a few pixels beside it (an iso-line may cover it).
    const auto mapped = [&](double pos, double height) {
        const QPoint p = shown.Pixel(doc, pos, height).toPoint();
        for (int dx : {0, 2, -2, 4, -4})
            if (IsClassColour(image.pixelColor(p + QPoint(dx, 0))))
                return true;
        return false;
    };
    QVERIFY(mapped(along(0.05), slope.h0 + 0.4));
    QVERIFY(mapped(along(0.5), 0.5 * slope.h0 + 0.3));
    QVERIFY(mapped(along(0.7), 0.0));
    QVERIFY(!mapped(along(0.5), 0.5 * slope.h0 - 1.5));
    QVERIFY(!mapped(along(1.4), -1.0));
}

QTEST_MAIN(TestSectionViewMap)
#include "test_section_view_map.moc"
