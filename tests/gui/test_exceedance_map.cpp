// Maps of a period and the exceedance map: the level of the chosen period minus the
// project criterion's limit at every node, the night taken from the night powers, and the
// refusals when there is nothing to judge by.
#include <QtTest>

#include <cmath>
#include <memory>

#include "app/noise_map_commands.h"
#include "engine/calc_scene.h"
#include "engine/source_pieces.h"
#include "helpers/recording_dialogs.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_difference.h"
#include "maps/noise_map_exceedance.h"
#include "model/document.h"
#include "render/noise_map_renderer.h"
#include "views/plan_view.h"

namespace {

// A road of 100 dB in every band along y = 100 across an open area 200 x 200 m, calculated
// as far as the maps need.
void BuildOpenRoad(CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 200;
    s.m_dSectionX = 100;
    s.m_dReceiverSpacing = 20;
    s.m_dReceiverHeight = 1.5;
    s.m_bShowReceivers = false;
    CRoad road;
    road.SetGeometry(0, 100, 200, 100, 0, 0, 8, 200, 20);
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(100);
    doc.m_arrRoad.push_back(road);
    MakeSourcePieces(doc);
}

// Fails unless every node of the shown plan map is the day level there plus `offset`.
void CompareWithDayLevels(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, double offset)
{
    const CCalcScene scene(doc);
    for (std::size_t c = 0; c < grid.Columns(); ++c)
        for (std::size_t r = 0; r < grid.Rows(); ++r) {
            const CMVector p = grid.PointAt(c, r);
            const double expected = MapLevel(scene.PointLevels(p.x, p.y, p.z), 0) + offset;
            QVERIFY2(
                std::fabs(grid.Level(c, r) - expected) < 1e-9,
                qPrintable(QStringLiteral("%1, %2: %3 not %4").arg(p.x).arg(p.y).arg(grid.Level(c, r)).arg(expected)));
        }
}

}  // namespace

class TestExceedanceMap : public QObject {
    Q_OBJECT
private slots:
    void exceedanceIsTheLevelMinusTheZonesLimit();
    void nightMapsUseTheNightPowers();
};

void TestExceedanceMap::exceedanceIsTheLevelMinusTheZonesLimit()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc);
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    int asked = 0;
    commands.m_choosePeriod = [&asked]() -> std::optional<EPeriod> {
        ++asked;
        return EPeriod::kNight;
    };
    commands.OnExceedanceMap();
    QCOMPARE(boxes.m_infos, QStringList({QString::fromStdString(NoMapLimitMessage(EPeriod::kDay))}));
    QVERIFY(!plan.IsShowingNoiseMap());

    doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kTrafficManagement);
    doc.m_settings.m_strZone = "나";  // 73 by day
    commands.ExceedanceAction()->trigger();
    QCOMPARE(asked, 0);  // no night powers: the day without asking
    QVERIFY(plan.IsShowingNoiseMap());
    const CNoiseMap& map = *plan.noiseMap();
    QCOMPARE(map.style.legend->Title(), QStringLiteral("초과 dB(A)"));
    QCOMPARE(map.style.legend->Note(), QStringLiteral("주간 기준 73 dB(A)"));
    QCOMPARE(map.style.scale.edges, DifferenceMapScale(kDifferenceStepFine).edges);
    CompareWithDayLevels(doc, map.plan, -73.0);
    QVERIFY(map.section.has_value());
    QVERIFY(map.plan.Level(5, 5) > 0);  // next to the road the limit is exceeded
}

void TestExceedanceMap::nightMapsUseTheNightPowers()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    BuildOpenRoad(doc);
    doc.m_settings.m_dNightTrafficRatio = 0.1;  // every night power 10 dB below the day's
    doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kApartmentOutdoor);  // no night limit
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    std::optional<EPeriod> answer;
    commands.m_choosePeriod = [&answer]() { return answer; };
    commands.m_chooseBand = []() -> std::optional<int> { return 0; };
    commands.OnNoiseMap();  // the period's choice cancelled
    QVERIFY(!plan.IsShowingNoiseMap());

    answer = EPeriod::kNight;
    commands.OnNoiseMap();
    QVERIFY(plan.IsShowingNoiseMap());
    QCOMPARE(plan.noiseMap()->style.name, QStringLiteral("소음지도 (야간)"));
    CompareWithDayLevels(doc, plan.noiseMap()->plan, -10.0);

    commands.OnExceedanceMap();  // the housing rule has no night limit
    QCOMPARE(boxes.m_infos, QStringList({QString::fromStdString(NoMapLimitMessage(EPeriod::kNight))}));
    doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kRoadsideStandard);
    doc.m_settings.m_strZone = "라";  // 70 at night
    commands.OnExceedanceMap();
    QCOMPARE(plan.noiseMap()->style.legend->Note(), QStringLiteral("야간 기준 70 dB(A)"));
    CompareWithDayLevels(doc, plan.noiseMap()->plan, -10.0 - 70.0);
    // The document's own powers stay the day's.
    QCOMPARE(doc.m_arrRoad[0].m_dUserPowerLevel[0], 100.0);
}

QTEST_MAIN(TestExceedanceMap)
#include "test_exceedance_map.moc"
