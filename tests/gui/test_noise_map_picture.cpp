// The plan noise map as a picture to hand in: the colours change where the iso-lines run,
// not at the cells' edges; the model and the level labels stay visible on every class
// colour; the legend, the scale bar and the north arrow keep clear of the map on screen and
// in the PNG, which has its title line.
#include <QtTest>

#include <cmath>
#include <memory>

#include "drawing/view_grid.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "render/map_column.h"
#include "render/noise_map_image.h"
#include "render/noise_map_renderer.h"
#include "render/view_colours.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

constexpr int kSide = 600;              // pixels, the scene of the view
constexpr double kRampStart = 30;       // dB at x = 0
constexpr double kRampPerMetre = 0.55;  // dB/m: every class crossed over 100 m
constexpr double kContrast = 150;       // RGB distance at which a shape stands out

// A square area 100 x 100 m without receivers shown.
void BuildArea(CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaEndX = 100;
    s.m_dAreaEndY = 100;
    s.m_bShowReceivers = false;
    s.m_strProjectName = "시험 지도";
}

// A plan map of the area on a 10 m grid, the level rising along x by `perMetre` from `start`.
std::shared_ptr<CNoiseMap> RampMap(double start, double perMetre)
{
    auto map = std::make_shared<CNoiseMap>();
    CNoiseMapGrid& g = map->plan;
    g.m_dEndU = g.m_dEndV = 100;
    g.m_dHeight = 1.5;
    for (int i = 0; i <= 10; ++i) {
        g.m_arrU.push_back(10.0 * i);
        g.m_arrV.push_back(10.0 * i);
    }
    for (double u : g.m_arrU)
        for (std::size_t r = 0; r < g.Rows(); ++r)
            g.m_arrLevel.push_back(start + perMetre * u);
    return map;
}

int ClassOf(const QColor& c)
{
    for (int k = 0; k < kLevelClassCount; ++k)
        if (SameColour(c, LevelClassQColor(k)))
            return k;
    return kNoLevelClass;
}

// The map as the plan view shows it, with the strip beside it, and the scene's projection.
QImage RenderView(CMyTalvoDoc& doc, std::shared_ptr<CNoiseMap> map, CViewProjection& proj, const char* name)
{
    CPlan_View view(&doc);
    view.SetNoiseMap(std::move(map));
    const QImage image = view.RenderImage(QSize(kSide + kMapColumnWidth, kSide));
    SaveRenderIfAsked(image, QString::fromLatin1(name));
    proj = PlanProjection(doc.m_settings, kSide, kSide, 0, 0, 1);
    return image;
}

double Distance(const QColor& a, const QColor& b)
{
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

// The box round every pixel of a class colour outside the legend's swatches.
QRect MapPixelsBox(const QImage& image, const CNoiseMapLegend& legend, QPoint legendAt)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            bool swatch = false;
            for (int i = 0; i < int(legend.Entries().size()); ++i)
                swatch = swatch || legend.SwatchRectAt(legendAt, i).contains(x, y);
            if (!swatch && ClassOf(image.pixelColor(x, y)) != kNoLevelClass)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

int DarkPixels(const QImage& image, const QRect& rect)
{
    int dark = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            dark += image.pixelColor(x, y).lightness() < 80;
    return dark;
}

// Pixels in rect that pass the test.
template <class Test>
int PixelsWhere(const QImage& image, const QRect& rect, Test test)
{
    int count = 0;
    for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y)
        for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x)
            count += test(image.pixelColor(x, y));
    return count;
}

int WhitePixels(const QImage& image, const QRect& rect)
{
    return PixelsWhere(image, rect, [](const QColor& c) { return SameColour(c, ViewColour::Halo()); });
}

int RedPixels(const QImage& image, const QRect& rect)
{
    return PixelsWhere(image, rect, [](const QColor& c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; });
}

bool ShowsSwatches(const QImage& image, const CNoiseMapLegend& legend, QPoint legendAt)
{
    bool all = true;
    for (int i = 0; i < int(legend.Entries().size()); ++i)
        all = all && SameColour(image.pixelColor(legend.SwatchRectAt(legendAt, i).center()),
                                legend.Entries()[std::size_t(i)].colour);
    return all;
}

}  // namespace

class TestNoiseMapPicture : public QObject {
    Q_OBJECT
private slots:
    void bandsChangeColourAtTheIsoLines();
    void modelStandsOutOnEveryClassColour();
    void legendKeepsClearOfTheMap();
    void levelLabelsKeepAWhiteHaloOnTheLoudestClass();
    void aLongLegendLeavesTheNorthArrowInView();
};

void TestNoiseMapPicture::bandsChangeColourAtTheIsoLines()
{
    // 51.5 dB at x = 0 rising 0.3 dB/m: the edges 55, 60, 70 and 75 dB lie at 11.7, 28.3,
    // 61.7 and 78.3 m, away from the nodes (every 10 m) and from the cell edges halfway.
    CMyTalvoDoc doc;
    BuildArea(doc);
    CViewProjection proj(1, 1, 1);
    const QImage image = RenderView(doc, RampMap(51.5, 0.3), proj, "noise_map_ramp.png");
    QVERIFY(proj.PixelsPerMetre() > 2);
    for (double edge : {55.0, 60.0, 70.0, 75.0}) {
        const double x = (edge - 51.5) / 0.3;
        const QString at = QStringLiteral("edge %1 dB").arg(edge);
        // 1.5 m either side of the iso-line, on the same side of the nearest cell edge.
        QVERIFY2(ClassOf(PixelAt(image, proj.WorldToPixel(x - 1.5, 50))) == LevelClass(edge - 1), qPrintable(at));
        QVERIFY2(ClassOf(PixelAt(image, proj.WorldToPixel(x + 1.5, 50))) == LevelClass(edge + 1), qPrintable(at));
    }
}

void TestNoiseMapPicture::modelStandsOutOnEveryClassColour()
{
    // Every class in a stripe across the area; a barrier runs along y = 50 over all of them.
    CMyTalvoDoc doc;
    BuildArea(doc);
    doc.m_settings.m_bShowReceivers = true;  // the grid's dots are still hidden under a map
    doc.m_settings.m_dReceiverSpacing = 10;
    doc.m_settings.m_dReceiverHeight = 1.5;
    CBarrier_Stage barrier;
    barrier.SetGeometry(0, 50, 100, 50, 4, 0);
    doc.m_arrBarrier.push_back(barrier);
    CViewProjection proj(1, 1, 1);
    const QImage image = RenderView(doc, RampMap(kRampStart, kRampPerMetre), proj, "noise_map_barrier.png");
    for (int k = 0; k < kLevelClassCount; ++k) {
        // The middle of class k's stripe.
        const double level = k == 0 ? kRampStart + 2 : LevelClassLow(k) + (k == kLevelClassCount - 1 ? 1 : 2.5);
        const double x = (level - kRampStart) / kRampPerMetre;
        const QColor around = LevelClassQColor(k);
        QCOMPARE(ClassOf(PixelAt(image, proj.WorldToPixel(x, 62))), k);
        const CViewPoint centre = proj.WorldToPixel(x, 50);
        double contrast = 0;
        for (int dy = -8; dy <= 8; ++dy)
            contrast = std::max(contrast, Distance(image.pixelColor(int(centre.x), int(centre.y) + dy), around));
        QVERIFY2(contrast > kContrast, qPrintable(QStringLiteral("barrier lost in class %1").arg(k)));
    }
    // No grid dot at nodes away from the iso-lines and the barrier.
    for (long long c : {2, 5, 7}) {
        const CViewPoint node = CViewGrid(doc.m_settings).PointAt(c, 2);
        QVERIFY(ClassOf(PixelAt(image, proj.WorldToPixel(node.x, node.y))) != kNoLevelClass);
    }
}

void TestNoiseMapPicture::legendKeepsClearOfTheMap()
{
    CMyTalvoDoc doc;
    BuildArea(doc);
    const auto map = RampMap(kRampStart, kRampPerMetre);
    const CNoiseMapLegend legend = CNoiseMapLegend::ForMap(map->plan);
    QCOMPARE(legend.Note(), QStringLiteral("전체, 높이 1.5 m"));
    QCOMPARE(legend.Entries().front().label, QStringLiteral("80 이상"));
    QCOMPARE(legend.Entries().back().label, QStringLiteral("35 미만"));

    // On screen, zoomed in so that the map fills the scene: it stops at the strip.
    CPlan_View view(&doc);
    view.SetNoiseMap(map);
    for (int i = 0; i < 30; ++i)
        view.ZoomIn();
    const QSize screen(kSide + kMapColumnWidth, kSide);
    const QImage shown = view.RenderImage(screen);
    const QRect column(kSide, 0, kMapColumnWidth, kSide);
    const CMapColumnLayout parts = MapColumnLayout(column, legend, 1);
    QVERIFY(ShowsSwatches(shown, legend, parts.legend.topLeft()));
    const QRect onScreen = MapPixelsBox(shown, legend, parts.legend.topLeft());
    QVERIFY(onScreen.width() > kSide * 9 / 10);
    QVERIFY(!onScreen.intersects(column));
    QVERIFY(DarkPixels(shown, parts.northArrow) > 20 && DarkPixels(shown, parts.scaleBar) > 20);

    // The PNG: the title on top, the map fitted left of the column.
    const QImage image = RenderPlanMapImage(doc, map->plan, PlanMapImageSize(doc, 700));
    SaveRenderIfAsked(image, "noise_map_layout.png");
    const CMapImageLayout layout = MapImageLayout(image.size());
    const QPoint legendAt = MapColumnLayout(layout.column, legend, 1).legend.topLeft();
    QVERIFY(ShowsSwatches(image, legend, legendAt));
    const QRect mapBox = MapPixelsBox(image, legend, legendAt);
    QVERIFY(mapBox.width() > layout.scene.width() / 2);
    QVERIFY(layout.scene.contains(mapBox));
    QVERIFY(!mapBox.intersects(layout.column) && !mapBox.intersects(layout.title));
    QVERIFY(DarkPixels(image, layout.title) > 100);
    const QString title = MapImageTitle(doc, map->plan, QDate(2026, 12, 9));
    QCOMPARE(title, QStringLiteral("시험 지도  |  평면 소음지도 dB(A) 전체, 높이 1.5 m  |  2026-12-09"));
}

void TestNoiseMapPicture::levelLabelsKeepAWhiteHaloOnTheLoudestClass()
{
    // The whole area in the class 65 - 70 dB, whose maroon hides red text; one receiver in
    // the middle, on the section line, labelled with its level.
    CMyTalvoDoc doc;
    BuildArea(doc);
    doc.m_settings.m_dReceiverHeight = 1.5;
    doc.m_settings.m_bReceiverHeightEmpty = false;
    doc.m_settings.m_dSectionX = 50;
    CReceiverPoint receiver;
    receiver.SetPosition(50, 50, 1.5);
    receiver.m_dLevel.fill(56.83);  // 65.86 dB overall
    doc.m_arrReceiver.push_back(receiver);
    doc.m_nCalculatedInFile = 1;
    const auto map = RampMap(67, 0);

    CPlan_View view(&doc);
    CSection_View section(&doc);
    view.SetSectionView(&section);
    view.SetResultDisplay(true, 0);
    view.SetNoiseMap(map);
    const QImage plan = view.RenderImage(QSize(kSide + kMapColumnWidth, kSide));
    SaveRenderIfAsked(plan, "noise_map_label.png");
    const CViewProjection proj = PlanProjection(doc.m_settings, kSide, kSide, 0, 0, 1);
    const CViewPoint at = proj.WorldToPixel(51, 50);  // where the label starts, less its nudge
    const QRect label(int(at.x) + 2, int(at.y) - 14, 50, 18);
    QVERIFY2(WhitePixels(plan, label) > 40, "no halo round the plan label");
    QVERIFY(RedPixels(plan, label) > 20);

    const QImage cut = section.RenderImage(QSize(kSide, kSide));
    SaveRenderIfAsked(cut, "section_label.png");
    QVERIFY2(WhitePixels(cut, cut.rect()) > 40, "no halo round the section label");

    // The picture saved from the views labels the same levels, with their halo.
    const QImage picture =
        RenderPlanMapImage(doc, map->plan, PlanMapImageSize(doc, 700), CMapStyle(), view.resultDisplay());
    const QRect scene = MapImageLayout(picture.size()).scene;
    const int receiverHalo = 7 * 7;
    QVERIFY2(WhitePixels(picture, scene) > receiverHalo + 40, "no labelled level in the picture");
    QVERIFY(RedPixels(picture, scene) > 20);
}

void TestNoiseMapPicture::aLongLegendLeavesTheNorthArrowInView()
{
    // A difference map against a file with a long name: the note wraps inside the legend.
    CMyTalvoDoc doc;
    BuildArea(doc);
    const auto map = RampMap(-5, 0.1);
    map->style = DifferenceMapStyle(1, 0);
    const QString other = QStringLiteral("highway-village-with-the-second-barrier-design.tlv");
    NameDifference(map->style, QStringLiteral("이 프로젝트"), other);
    const CNoiseMapLegend& legend = *map->style.legend;
    QCOMPARE(legend.Note(), QStringLiteral("전체\n이 프로젝트\n\u2212 ") + other);
    QVERIFY(legend.NoteHeight() > 3 * QFontMetrics(ViewFont()).height());
    QVERIFY(legend.Size().width() == CNoiseMapLegend::kWidth);

    // A view too short for the legend, the scale bar and the arrow one under the other.
    constexpr int kShort = 320;
    QVERIFY(MapColumnHeight(legend, 1) > kShort);
    CPlan_View view(&doc);
    view.SetNoiseMap(map);
    const QImage shown = view.RenderImage(QSize(kSide + kMapColumnWidth, kShort));
    SaveRenderIfAsked(shown, "noise_map_long_legend.png");
    const QRect column(kSide, 0, kMapColumnWidth, kShort);
    const CMapColumnLayout parts = MapColumnLayout(column, legend, 1);
    QVERIFY(column.contains(parts.northArrow) && column.contains(parts.scaleBar));
    QVERIFY(!parts.scaleBar.intersects(parts.northArrow));
    QVERIFY(DarkPixels(shown, parts.northArrow) > 20 && DarkPixels(shown, parts.scaleBar) > 20);
}

QTEST_MAIN(TestNoiseMapPicture)
#include "test_noise_map_picture.moc"
