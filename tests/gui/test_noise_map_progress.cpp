// The noise map command around the computation: one progress over the plan and the section
// grid, cancel, the section picture, and a map removed as soon as the environment it was
// computed from changes (and by New and Open).
#include <QtTest>

#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <memory>

#include "app/environment_controller.h"
#include "app/main_frame.h"
#include "app/noise_map_commands.h"
#include "dialogs/environment_box.h"
#include "drawing/section_exaggeration.h"
#include "engine/source_pieces.h"
#include "helpers/environment_typing.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "maps/noise_map_refinement.h"
#include "model/document.h"
#include "model/run_progress.h"
#include "render/map_column.h"
#include "render/noise_map_image.h"
#include "render/noise_map_renderer.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kNoMap = QStringLiteral("소음지도를 먼저 계산하세요.");

// A road of 100 dB in every band along y = 100 across an open area 200 x 200 m, calculated;
// the section cuts across it at x = 100.
void BuildOpenRoad(CMyTalvoDoc& doc, double spacing)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaStartX = s.m_dAreaStartY = 0;
    s.m_dAreaEndX = s.m_dAreaEndY = 200;
    s.m_nSectionAxis = 0;
    s.m_dSectionX = 100;
    s.m_dReceiverSpacing = spacing;
    s.m_dReceiverHeight = 1.5;
    CRoad road;
    road.SetGeometry(0, 100, 200, 100, 0, 0, 8, 200, 20);
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(100);
    doc.m_arrRoad = {road};
    MakeSourcePieces(doc);
}

std::shared_ptr<CNoiseMap> ComputedMap(const CMyTalvoDoc& doc)
{
    CRunProgress progress;
    return ComputeViewsNoiseMap(doc, 0, progress, 2);
}

// The legend, drawn only with a map, shows its top and bottom swatches; at the view's top
// right corner, or in a picture's column.
bool ShowsLegend(const QImage& image, bool picture = false)
{
    const CNoiseMapLegend legend(0);
    const QPoint at = picture ? MapColumnLayout(MapImageLayout(image.size()).column, legend, 0).legend.topLeft()
                              : legend.Rect(image.size()).topLeft();
    return SameColour(image.pixelColor(legend.SwatchRectAt(at, 0).center()), legend.Entries().front().colour) &&
           SameColour(image.pixelColor(legend.SwatchRectAt(at, 10).center()), legend.Entries().back().colour);
}

// How many of the two views show a map: the plan view holds it, the section view paints it.
int ViewsShowingTheMap(CMainFrame& frame)
{
    return int(frame.PlanView()->IsShowingNoiseMap()) +
           int(ShowsLegend(frame.SectionView()->RenderImage(QSize(500, 300))));
}

}  // namespace

class TestNoiseMapProgress : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void oneRunCountsTheNodesOfBothGrids();
    void dialogRisesToOneHundredOnce();
    void cancelShowsNoMapAndNoMessage();
    void sectionPictureIsSavedOrRefused();
    void changedEnvironmentRemovesTheMap();
    void newAndOpenRemoveTheMap();
};

void TestNoiseMapProgress::oneRunCountsTheNodesOfBothGrids()
{
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 20);
    CRunProgress progress;
    const auto map = ComputeViewsNoiseMap(doc, 0, progress, 2);
    QVERIFY(map && map->section);
    // 11 x 11 plan nodes over 0..200 m; the section at its own 1 m: 201 x 31 nodes (0..30 m);
    // and the points both refinements computed between them.
    QVERIFY(map->plan.m_pRefinement && map->section->m_pRefinement);
    const auto refined =
        std::int64_t(map->plan.m_pRefinement->Keys().size() + map->section->m_pRefinement->Keys().size());
    QCOMPARE(progress.Total(), std::int64_t(11 * 11 + 201 * 31) + refined);
    QCOMPARE(progress.Done(), progress.Total());
    // A run cancelled before it starts computes no node of either grid.
    CRunProgress cancelled;
    cancelled.RequestCancel();
    QVERIFY(!ComputeViewsNoiseMap(doc, 0, cancelled, 2));
    QCOMPARE(cancelled.Done(), std::int64_t(0));
}

void TestNoiseMapProgress::dialogRisesToOneHundredOnce()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 2);
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    commands.m_chooseBand = []() -> std::optional<int> { return 0; };
    QList<int> shown;
    commands.m_onProgressTick = [&shown](QProgressDialog&, int percent) { shown << percent; };
    commands.OnNoiseMap();
    QVERIFY(plan.IsShowingNoiseMap());
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last(), 100);
    for (qsizetype i = 1; i < shown.size(); ++i)
        QVERIFY2(shown[i] >= shown[i - 1],
                 qPrintable(QStringLiteral("back from %1 to %2").arg(shown[i - 1]).arg(shown[i])));
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestNoiseMapProgress::cancelShowsNoMapAndNoMessage()
{
    // Cancel is pressed at the first tick, however far the run has come by then.
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 2);
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    commands.m_chooseBand = []() -> std::optional<int> { return 0; };
    int ticks = 0;
    commands.m_onProgressTick = [&ticks](QProgressDialog& dialog, int) {
        if (++ticks == 1)
            dialog.findChild<QPushButton*>()->click();
    };
    commands.OnNoiseMap();
    QCOMPARE(ticks, 1);  // no tick is shown after cancel
    QVERIFY(!plan.IsShowingNoiseMap());
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestNoiseMapProgress::sectionPictureIsSavedOrRefused()
{
    CRecordingMessageBox boxes;
    CRecordingFileDialogs files;
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("section.png"));
    files.m_paths = {good, dir.filePath(QStringLiteral("no-such-dir/section.png"))};
    CMyTalvoDoc doc;
    BuildOpenRoad(doc, 10);
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    commands.OnSaveSectionPng();
    QCOMPARE(boxes.m_infos, QStringList{kNoMap});
    QCOMPARE(files.m_nAsked, 0);
    plan.SetNoiseMap(ComputedMap(doc));
    commands.SaveSectionPngAction()->trigger();
    const QImage image(good);
    const CNoiseMapGrid& section = *plan.noiseMap()->section;
    QCOMPARE(image.size(), SectionMapImageSize(section, 0, 200, kDefaultSectionExaggeration, 1600));
    QVERIFY(ShowsLegend(image, true));
    commands.OnSaveSectionPng();  // the folder does not exist
    QCOMPARE(boxes.m_infos, QStringList({kNoMap, QStringLiteral("그림 파일을 쓸 수 없습니다.")}));
    // A plan map alone has no section to save.
    auto planOnly = std::make_shared<CNoiseMap>(*plan.noiseMap());
    planOnly->section.reset();
    plan.SetNoiseMap(planOnly);
    commands.OnSaveSectionPng();
    QCOMPARE(boxes.m_infos.last(), kNoMap);
    QCOMPARE(files.m_nAsked, 2);
}

void TestNoiseMapProgress::changedEnvironmentRemovesTheMap()
{
    CRecordingMessageBox boxes;
    CMainFrame frame;
    BuildOpenRoad(frame.Document(), 50);
    frame.ShowSettings();
    const auto map = ComputedMap(frame.Document());
    frame.PlanView()->SetNoiseMap(map);
    QCOMPARE(ViewsShowingTheMap(frame), 2);
    // The same value again, the project name and the receivers' visibility leave the map.
    TypeInto(frame, EEnvField::ReceiverSpacing, QStringLiteral("50.0"));
    TypeInto(frame, EEnvField::ProjectName, QStringLiteral("다른 이름"));
    TypeInto(frame, EEnvField::SectionY, QStringLiteral("30"));  // off the section axis in use
    QCOMPARE(ViewsShowingTheMap(frame), 2);
    const struct {
        EEnvField field;
        const char* text;
    } changes[] = {{EEnvField::ReceiverSpacing, "25"},
                   {EEnvField::AreaEndX, "300"},
                   {EEnvField::Temperature, "10"},
                   {EEnvField::ReceiverHeight, "4"},
                   {EEnvField::SectionX, "50"}};
    for (const auto& change : changes) {
        frame.statusBar()->clearMessage();
        frame.PlanView()->SetNoiseMap(map);
        TypeInto(frame, change.field, QString::fromLatin1(change.text));
        QVERIFY2(ViewsShowingTheMap(frame) == 0, change.text);
        QCOMPARE(frame.statusBar()->currentMessage(), CEnvironmentController::StaleMapMessage());
    }
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestNoiseMapProgress::newAndOpenRemoveTheMap()
{
    CRecordingMessageBox boxes;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("road.tlv"));
    CMainFrame frame;
    BuildOpenRoad(frame.Document(), 50);
    QVERIFY(frame.SaveTo(path));
    frame.PlanView()->SetNoiseMap(ComputedMap(frame.Document()));
    QCOMPARE(ViewsShowingTheMap(frame), 2);
    QVERIFY(frame.OpenProjectFile(path));
    QCOMPARE(ViewsShowingTheMap(frame), 0);
    frame.PlanView()->SetNoiseMap(ComputedMap(frame.Document()));
    QVERIFY(frame.NewProject());
    QCOMPARE(ViewsShowingTheMap(frame), 0);
}

QTEST_MAIN(TestNoiseMapProgress)
#include "test_noise_map_progress.moc"
