// The noise map in the views: a straight road in the open rendered in plan, whose colour
// classes step down away from the road; the section map placed (mirrored) like the
// section view's model; the legend; model input refused while a map is shown; the
// difference map of a barrier left out.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "app/input_window_coordinator.h"
#include "app/model_windows.h"
#include "app/noise_map_commands.h"
#include "dialogs/difference_map_dialog.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/noise_map_compute.h"
#include "engine/noise_map_difference.h"
#include "engine/source_pieces.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "io/project_file.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "model/section_ground.h"
#include "render/map_column.h"
#include "render/noise_map_image.h"
#include "render/noise_map_renderer.h"
#include "render/section_ground_clip.h"
#include "render/section_painter.h"
#include "render/view_colours.h"
#include "ui/message_box.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

// A road of 100 dB in every band along y = roadY across an open area 200 x 200 m; the
// section cuts across it at x = 100.
void BuildOpenRoad(CMyTalvoDoc& doc, double roadY)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 200;
    s.m_nSectionAxis = 0;
    s.m_dSectionX = 100;
    s.m_bShowReceivers = false;
    CRoad road;
    road.SetGeometry(0, roadY, 200, roadY, 0, 0, 8, 200, 20);
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(100);
    doc.m_arrRoad.push_back(road);
    MakeSourcePieces(doc);
}

std::shared_ptr<CNoiseMap> ComputeMap(const CMyTalvoDoc& doc, double spacing)
{
    const CCalcScene scene(doc);
    auto map = std::make_shared<CNoiseMap>();
    map->plan = PlanMapLayout(doc.m_settings, spacing, 1.5, 0);
    CRunProgress progress;
    ComputeNoiseMap(scene, map->plan, progress, 2);
    map->section = SectionMapLayout(doc.m_settings, CSectionGround{}, spacing, 0);
    ComputeNoiseMap(scene, *map->section, progress, 2);
    return map;
}

// The class whose colour shows at p or a few pixels beside it (an iso-line may cover p).
int ClassAt(const QImage& image, const CViewPoint& p)
{
    for (int dx : {0, 3, -3, 6, -6}) {
        const QPoint at(int(p.x) + dx, int(p.y));
        if (!image.rect().contains(at))
            continue;
        const QColor c = image.pixelColor(at);
        for (int k = 0; k < kLevelClassCount; ++k)
            if (SameColour(c, LevelClassQColor(k)))
                return k;
    }
    return kNoLevelClass;
}

}  // namespace

class TestNoiseMap : public QObject {
    Q_OBJECT
private slots:
    void planClassesStepDownAwayFromTheRoad();
    void sectionMapIsMirroredLikeTheModel();
    void sectionMapShowsOnlyInTheAir();
    void legendListsTheClassesFromTheTop();
    void modelInputRefusedWhileAMapIsShown();
    void standaloneImageFitsTheArea();
    void commandComputesShowsAndSaves();
    void differenceWithoutAnExcludedBarrierIsItsInsertionLoss();
    void differenceAgainstAFileLeavesTheSessionExclusionOut();
};

void TestNoiseMap::planClassesStepDownAwayFromTheRoad()
{
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    CPlan_View view(&doc);
    view.SetNoiseMap(ComputeMap(doc, 2));
    const QImage image = view.RenderImage(QSize(600 + kMapColumnWidth, 600));
    SaveRenderIfAsked(image, "noise_map_plan.png");
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 600, 0, 0, 1);
    int previous = kLevelClassCount;
    QList<int> seen;
    for (double d : {10.0, 20.0, 40.0, 70.0, 98.0}) {
        const int north = ClassAt(image, proj.WorldToPixel(60, 100 + d));
        const int south = ClassAt(image, proj.WorldToPixel(60, 100 - d));
        QVERIFY2(north != kNoLevelClass, qPrintable(QStringLiteral("no class at %1 m").arg(d)));
        QCOMPARE(north, south);  // the road lies in the middle
        QVERIFY2(north <= previous, qPrintable(QStringLiteral("class rises at %1 m").arg(d)));
        previous = north;
        seen << north;
    }
    QVERIFY(seen.front() > seen.back() + 1);  // more than one step over the area
    // The road is drawn over the map.
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(60, 100)), ViewColour::Road()));
}

void TestNoiseMap::sectionMapIsMirroredLikeTheModel()
{
    // The road off centre at y = 60: along the section (positions in y) the levels differ
    // at y = 40 and y = 160, and the view draws position p at the mirrored place.
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 60);
    auto map = ComputeMap(doc, 5);
    const CNoiseMapGrid& section = *map->section;
    const int near = LevelClass(section.Level(8, 2));  // y = 40, z = 10
    const int far = LevelClass(section.Level(32, 2));  // y = 160, z = 10
    QVERIFY(near > far);
    CSection_View view(&doc);
    view.SetNoiseMap(map);
    const QImage image = view.RenderImage(QSize(800 + kMapColumnWidth, 400));
    SaveRenderIfAsked(image, "noise_map_section.png");
    const CViewProjection proj = SectionProjection(doc.m_settings, 0, 800, 400, 0, 0, 1);
    const CSectionPlane plane(doc.m_settings, 0);
    QCOMPARE(ClassAt(image, proj.WorldToPixel(plane.Mirror(40), 10)), near);
    QCOMPARE(ClassAt(image, proj.WorldToPixel(plane.Mirror(160), 10)), far);
    // Nothing is painted above the top of the grid.
    QCOMPARE(ClassAt(image, proj.WorldToPixel(plane.Mirror(100), 45)), kNoLevelClass);
}

void TestNoiseMap::sectionMapShowsOnlyInTheAir()
{
    // Across the road at y = 100: an embankment with its 6 m crest at y = 50 and its foot at
    // y = 70, and a cutting with its 4 m deep floor at y = 150 and its rim at y = 140. The
    // grid reaches down to the cut's floor, so without the mask it would fill the soil.
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    CSungto fill;
    fill.SetGeometry(0, 50, 200, 50, 6, 20, 200);
    fill.ComputeAngle();
    doc.m_arrEmbankment.push_back(fill);
    CJulto cut;
    cut.SetGeometry(0, 150, 200, 150, -4, 10, 200);
    cut.ComputeAngle();
    doc.m_arrCutting.push_back(cut);
    const CSectionGround ground = DocumentSectionGround(doc);
    CNoiseMapGrid section = SectionMapLayout(doc.m_settings, ground, 1, 0);
    const CCalcScene scene(doc);
    CRunProgress progress;
    ComputeNoiseMap(scene, section, progress, 2);
    const double exaggeration = 5;
    const QSize size = SectionMapImageSize(section, 0, 200, exaggeration, 1600);
    const QImage image = RenderSectionMapImage(doc, section, 0, 200, exaggeration, size);
    SaveRenderIfAsked(image, "noise_map_section_ground.png");
    const CViewProjection proj = SectionMapImageProjection(doc, section, 0, 200, exaggeration, size);
    const CSectionPlane plane(doc.m_settings, 0);
    const QPoint origin = MapImageLayout(size).scene.topLeft();
    auto at = [&](double y, double z) {
        const CViewPoint p = proj.WorldToPixel(plane.Mirror(y), z);
        return CViewPoint{p.x + origin.x(), p.y + origin.y()};
    };
    QVERIFY(ClassAt(image, at(100, 10)) != kNoLevelClass);    // the air above flat ground
    QVERIFY(ClassAt(image, at(148, -1.5)) != kNoLevelClass);  // the air in the cut
    QCOMPARE(ClassAt(image, at(100, -2)), kNoLevelClass);     // below the ground line
    QCOMPARE(ClassAt(image, at(30, -3)), kNoLevelClass);
    // The clip alone, whatever the model draws over it: the embankment's body and the
    // cut's wall are soil, the air over the crest and in the cut is not.
    const QPainterPath air = AboveGroundPath(proj, plane, ground, 0, 200);
    auto inAir = [&](double y, double z) {
        const CViewPoint p = proj.WorldToPixel(plane.Mirror(y), z);
        return air.contains(QPointF(p.x, p.y));
    };
    QVERIFY(!inAir(55, 2));
    QVERIFY(!inAir(65, 0.5));
    QVERIFY(inAir(55, 5));
    QVERIFY(!inAir(142, -3.5));
    QVERIFY(inAir(148, -1.5));
    QVERIFY(!inAir(100, -0.5));
}

void TestNoiseMap::legendListsTheClassesFromTheTop()
{
    const CNoiseMapLegend legend(0);
    QCOMPARE(legend.Title(), QStringLiteral("dB(A)"));
    QCOMPARE(int(legend.Entries().size()), kLevelClassCount);
    QCOMPARE(legend.Entries().front().label, QStringLiteral("80 이상"));
    QCOMPARE(legend.Entries()[1].label, QStringLiteral("75 - 80"));
    QCOMPARE(legend.Entries().back().label, QStringLiteral("35 미만"));
    QCOMPARE(legend.Entries().front().colour, QColor(0x00, 0x00, 0x66));
    QCOMPARE(legend.Entries().back().colour, QColor(0xC0, 0xFF, 0xC0));
    QCOMPARE(CNoiseMapLegend(5).Title(), QStringLiteral("dB(A) 1K Hz"));
    // Drawn in the top right corner of the view, in the strip kept for it, swatches in the
    // class colours.
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    CPlan_View view(&doc);
    view.SetNoiseMap(ComputeMap(doc, 20));
    const QImage image = view.RenderImage(QSize(500, 400));
    const QRect box = legend.Rect(image.size());
    QVERIFY(box.right() < 500 && box.left() > 250 && box.top() < 20);
    for (int i : {0, 5, 10}) {
        const QPoint centre = legend.SwatchRect(image.size(), i).center();
        QVERIFY(SameColour(image.pixelColor(centre), legend.Entries()[std::size_t(i)].colour));
    }
}

void TestNoiseMap::modelInputRefusedWhileAMapIsShown()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    CPlan_View plan(&doc);
    CModelWindows planWindows(&doc, &plan);
    CSection_View section(&doc);
    plan.SetSectionView(&section);
    plan.SetNoiseMap(ComputeMap(doc, 50));
    QVERIFY(plan.IsShowingNoiseMap());
    planWindows.OnInputRoad();  // the questions are answered No: refused
    planWindows.OnInputReceiver();
    QCOMPARE(boxes.m_questions, QStringList(2, QString::fromUtf8(kMsgRemoveResults)));
    QVERIFY(plan.IsShowingNoiseMap());
    QVERIFY(!planWindows.InputWindows()->IsAnyInputOpen());
    // "예": the map is removed from both views and the window opens.
    boxes.m_answers = {QMessageBox::Yes};
    planWindows.OnInputBarrier();
    QVERIFY(!plan.IsShowingNoiseMap());
    QVERIFY(planWindows.InputWindows()->BarrierWindow() != nullptr);
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestNoiseMap::standaloneImageFitsTheArea()
{
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    auto map = ComputeMap(doc, 10);
    const QSize size = PlanMapImageSize(doc, 600);
    QVERIFY(size.height() >= 200 && size.height() <= 600);
    const QImage image = RenderPlanMapImage(doc, map->plan, size);
    SaveRenderIfAsked(image, "noise_map_image.png");
    // The middle of the image left of the legend shows the road, the corners of the
    // area's picture show map colours, the legend is there.
    int coloured = 0;
    for (int x = 0; x < image.width(); x += 7)
        coloured += ClassAt(image, {double(x), image.height() / 3.0}) != kNoLevelClass;
    QVERIFY(coloured > image.width() / 7 / 2);
    const CNoiseMapLegend legend(0);
    const QPoint legendAt = MapColumnLayout(MapImageLayout(image.size()).column, legend, 1).legend.topLeft();
    QVERIFY(SameColour(image.pixelColor(legend.SwatchRectAt(legendAt, 3).center()), legend.Entries()[3].colour));
}

void TestNoiseMap::commandComputesShowsAndSaves()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    int asked = 0;
    commands.m_chooseBand = [&asked]() -> std::optional<int> {
        ++asked;
        return std::nullopt;
    };
    commands.OnNoiseMap();  // nothing calculated yet
    QCOMPARE(boxes.m_infos, QStringList({QStringLiteral("소음해석을 먼저 수행하세요.")}));
    QCOMPARE(asked, 0);
    BuildOpenRoad(doc, 100);
    doc.m_settings.m_dReceiverSpacing = 25;
    doc.m_settings.m_dReceiverHeight = 1.5;
    commands.OnNoiseMap();  // band choice cancelled
    QCOMPARE(asked, 1);
    QVERIFY(!plan.IsShowingNoiseMap());
    commands.OnSaveGridCsv();  // no map to save
    QCOMPARE(boxes.m_infos.last(), QStringLiteral("소음지도를 먼저 계산하세요."));
    commands.m_chooseBand = []() -> std::optional<int> { return 4; };
    commands.OnNoiseMap();
    QVERIFY(plan.IsShowingNoiseMap());
    QCOMPARE(plan.noiseMap()->plan.m_nBand, 4);
    QCOMPARE(plan.noiseMap()->plan.Columns(), std::size_t(9));
    QVERIFY(plan.noiseMap()->section.has_value());
    QTemporaryDir dir;
    CRecordingFileDialogs files;
    files.m_paths = QStringList({dir.filePath(QStringLiteral("map.csv")), dir.filePath(QStringLiteral("map.png")),
                                 dir.filePath(QStringLiteral("no-such-dir/map.geojson"))});
    commands.OnSaveGridCsv();
    QFile csv(dir.filePath(QStringLiteral("map.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readLine(), QByteArray("x,y,z,level\n"));
    commands.OnSaveMapPng();
    QVERIFY(!QImage(dir.filePath(QStringLiteral("map.png"))).isNull());
    const int before = int(boxes.m_infos.size());
    commands.OnSaveGridGeoJson();
    QCOMPARE(int(boxes.m_infos.size()), before + 1);  // the failure is reported
}

void TestNoiseMap::differenceWithoutAnExcludedBarrierIsItsInsertionLoss()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    doc.m_settings.m_dReceiverSpacing = 10;
    doc.m_settings.m_dReceiverHeight = 1.5;
    CBarrier_Stage barrier;  // 4 m high, 10 m north of the road
    barrier.SetGeometry(20, 110, 180, 110, 4, 0);
    doc.m_arrBarrier.push_back(barrier);
    doc.m_arrExcludedBarrier = {0};
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    commands.m_runDifferenceDialog = [](QDialog& dialog) {
        auto& form = static_cast<CDifferenceMapDialog&>(dialog);
        form.StepBox()->setCurrentIndex(1);  // 3 dB
        form.accept();
        return form.result();
    };
    commands.OnDifferenceMap();
    QVERIFY(boxes.m_infos.isEmpty());
    QVERIFY(plan.IsShowingNoiseMap());
    const CNoiseMap& map = *plan.noiseMap();
    QVERIFY(map.style.legend.has_value());
    QCOMPARE(map.style.legend->Title(), QStringLiteral("차이 dB(A)"));
    // The legend says what was subtracted: this project without the barrier left out.
    QCOMPARE(map.style.legend->Note(), QStringLiteral("전체\n이 프로젝트\n\u2212 방음벽 1 제외"));
    QCOMPARE(map.style.scale.edges, DifferenceMapScale(3).edges);
    QCOMPARE(doc.m_arrExcludedBarrier, std::vector<int>{0});  // still chosen for the next calculation

    // Expected: the level with the barrier minus the level of the project without it.
    CMyTalvoDoc with = doc, without = doc;
    with.m_arrExcludedBarrier.clear();
    without.m_arrExcludedBarrier.clear();
    without.m_arrBarrier.clear();
    const CCalcScene withScene(with), withoutScene(without);
    const CNoiseMapGrid& grid = map.plan;
    int screened = 0;
    for (std::size_t c = 0; c < grid.Columns(); ++c)
        for (std::size_t r = 0; r < grid.Rows(); ++r) {
            const CMVector p = grid.PointAt(c, r);
            const double loss = MapLevel(withScene.PointLevels(p.x, p.y, p.z), 0) -
                                MapLevel(withoutScene.PointLevels(p.x, p.y, p.z), 0);
            QVERIFY2(std::fabs(grid.Level(c, r) - loss) < 1e-9, qPrintable(QStringLiteral("%1, %2").arg(p.x).arg(p.y)));
            screened += (p.y > 120 && loss < -3) ? 1 : 0;
        }
    QVERIFY(screened > 10);

    // The view shows the reduction in blue and the difference legend beside it.
    const QImage image = plan.RenderImage(QSize(600, 600));
    SaveRenderIfAsked(image, "difference_map_plan.png");
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 600, 0, 0, 1);
    const QColor behind = PixelAt(image, proj.WorldToPixel(100, 140));
    QVERIFY2(behind.blue() > behind.red() + 40, qPrintable(Describe(behind)));
    const CNoiseMapLegend& legend = *map.style.legend;
    QVERIFY(SameColour(image.pixelColor(legend.SwatchRect(image.size(), 0).center()), legend.Entries()[0].colour));
}

// A file holds no exclusion, so this project against its own file is no change anywhere,
// as talvo-cli map --diff draws it, even while a barrier is excluded in the session.
void TestNoiseMap::differenceAgainstAFileLeavesTheSessionExclusionOut()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 100);
    doc.m_settings.m_dReceiverSpacing = 10;
    doc.m_settings.m_dReceiverHeight = 1.5;
    CBarrier_Stage barrier;  // 4 m high, 10 m north of the road
    barrier.SetGeometry(20, 110, 180, 110, 4, 0);
    doc.m_arrBarrier.push_back(barrier);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("same.tlv"));
    QVERIFY(SaveProject(doc, path.toStdString()).ok);
    doc.m_arrExcludedBarrier = {0};

    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    QString said;
    commands.m_runDifferenceDialog = [&](QDialog& dialog) {
        auto& form = static_cast<CDifferenceMapDialog&>(dialog);
        form.OtherProjectButton()->setChecked(true);
        form.PathField()->setText(path);
        said = form.ExclusionLine()->text();
        form.accept();
        return form.result();
    };
    commands.OnDifferenceMap();
    QVERIFY(said.contains(QStringLiteral("방음벽 제외(방음벽 1)는 적용하지 않습니다")));
    QVERIFY2(boxes.m_infos.isEmpty(), qPrintable(boxes.m_infos.join(QStringLiteral("; "))));
    QVERIFY(plan.IsShowingNoiseMap());
    const CNoiseMap& map = *plan.noiseMap();
    QVERIFY(map.style.name.contains(QStringLiteral("방음벽 제외 없이")));
    for (std::size_t c = 0; c < map.plan.Columns(); ++c)
        for (std::size_t r = 0; r < map.plan.Rows(); ++r)
            QVERIFY2(std::fabs(map.plan.Level(c, r)) < 1e-6, qPrintable(QString::number(map.plan.Level(c, r))));
    QCOMPARE(doc.m_arrExcludedBarrier, std::vector<int>{0});  // still in force for this project
}

QTEST_MAIN(TestNoiseMap)
#include "test_noise_map.moc"
