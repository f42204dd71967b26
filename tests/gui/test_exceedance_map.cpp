// Maps of a period and the exceedance map: the level of the chosen period minus the
// project criterion's limit at every node, the night taken from the night powers (the
// levels talvo-cli map --period night writes), and the refusals when there is nothing to
// judge by.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

#include "app/noise_map_commands.h"
#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "engine/source_pieces.h"
#include "gis/gis_ogr.h"
#include "helpers/recording_dialogs.h"
#include "io/project_file.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_difference.h"
#include "maps/noise_map_exceedance.h"
#include "maps/noise_map_refinement.h"
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

// Fails unless the plan map is refined in its 1 dB classes and every point the refinement
// computed holds the day level there plus `offset`.
void CompareRefinementWithDayLevels(const CMyTalvoDoc& doc, const CNoiseMapGrid& grid, double offset)
{
    QVERIFY(grid.m_pRefinement);
    QVERIFY(grid.m_pRefinement->Evaluations() > 0);
    const CNoiseMapGrid drawn = DrawnMapGrid(grid);
    const CMapLattice lattice(drawn);
    const CCalcScene scene(doc);
    const auto keys = grid.m_pRefinement->Keys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const double x = lattice.U(std::uint32_t(keys[k] >> 32)), y = lattice.V(std::uint32_t(keys[k]));
        const double expected = MapLevel(scene.PointLevels(x, y, grid.m_dHeight), 0) + offset;
        QVERIFY2(
            std::fabs(grid.m_pRefinement->Levels()[k] - expected) < 1e-9,
            qPrintable(
                QStringLiteral("%1, %2: %3 not %4").arg(x).arg(y).arg(grid.m_pRefinement->Levels()[k]).arg(expected)));
    }
}

// The levels of the GeoTIFF talvo-cli map writes, with its pixel geometry.
struct CRaster {
    double t[6] = {};
    int width = 0, height = 0;
    std::vector<float> pixels;

    // The pixel whose centre is (x, y); its row and column must lie within the raster.
    float At(double x, double y) const
    {
        const int column = static_cast<int>(std::lround((x - t[0]) / t[1] - 0.5));
        const int row = static_cast<int>(std::lround((y - t[3]) / t[5] - 0.5));
        return column >= 0 && column < width && row >= 0 && row < height
                   ? pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + column]
                   : std::nanf("");
    }
};

bool ReadRaster(const QString& path, CRaster& raster)
{
    GDALAllRegister();
    CGdalDataset tif(GDALDataset::Open(path.toStdString().c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!tif || tif->GetGeoTransform(raster.t) != CE_None)
        return false;
    raster.width = tif->GetRasterXSize();
    raster.height = tif->GetRasterYSize();
    raster.pixels.resize(static_cast<std::size_t>(raster.width) * static_cast<std::size_t>(raster.height));
    return tif->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, raster.width, raster.height, raster.pixels.data(),
                                           raster.width, raster.height, GDT_Float32, 0, 0) == CE_None;
}

// The village example on a 20 m grid, its road with night powers of its own shape, so that
// the night is no day level shifted by a constant.
QString NightVillage(const QTemporaryDir& dir)
{
    CMyTalvoDoc doc;
    if (!OpenProject(doc, TALVO_EXAMPLES "/highway-village.tlv").ok)
        return {};
    doc.m_settings.m_dReceiverSpacing = 20;
    CRoad& road = doc.m_arrRoad[0];
    road.m_bNightPower = true;
    road.m_dNightPowerLevel = {70, 76, 80, 84, 86, 83, 77, 70};
    const QString path = dir.filePath(QStringLiteral("night.tlv"));
    return SaveProject(doc, path.toStdString()).ok ? path : QString();
}

}  // namespace

class TestExceedanceMap : public QObject {
    Q_OBJECT
private slots:
    void exceedanceIsTheLevelMinusTheZonesLimit();
    void nightMapsUseTheNightPowers();
    void nightMapIsTheCommandLinesNightMap();
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
    CompareRefinementWithDayLevels(doc, map.plan, -73.0);
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

// The desktop's night map of a project and talvo-cli map --period night of its file give
// the same level at every node (the GeoTIFF holds them to the hundredth).
void TestExceedanceMap::nightMapIsTheCommandLinesNightMap()
{
    constexpr double kTiffTol = 0.005 + 1e-4;  // hundredths, stored as Float32
    QTemporaryDir dir;
    const QString path = NightVillage(dir);
    QVERIFY(!path.isEmpty());
    const QString tif = dir.filePath(QStringLiteral("night.tif"));
    QProcess cli;
    cli.start(QStringLiteral(TALVO_CLI), {QStringLiteral("map"), path, QStringLiteral("--period"),
                                          QStringLiteral("night"), QStringLiteral("-o"), tif});
    QVERIFY(cli.waitForFinished(300000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    CRaster raster;
    QVERIFY(ReadRaster(tif, raster));

    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    QVERIFY(OpenProject(doc, path.toStdString()).ok);
    Calculate(doc);
    CPlan_View plan(&doc);
    CNoiseMapCommands commands(&doc, &plan, nullptr);
    commands.m_choosePeriod = []() -> std::optional<EPeriod> { return EPeriod::kNight; };
    commands.m_chooseBand = []() -> std::optional<int> { return 0; };
    commands.OnNoiseMap();
    QVERIFY(plan.IsShowingNoiseMap());
    const CNoiseMapGrid& grid = plan.noiseMap()->plan;
    QCOMPARE(static_cast<int>(grid.Columns()), raster.width);
    QCOMPARE(static_cast<int>(grid.Rows()), raster.height);
    const CCalcScene day(doc);
    double largestShift = 0, smallestShift = 1e9;
    for (std::size_t c = 0; c < grid.Columns(); ++c)
        for (std::size_t r = 0; r < grid.Rows(); ++r) {
            const CMVector p = grid.PointAt(c, r);
            QVERIFY2(std::fabs(grid.Level(c, r) - raster.At(p.x, p.y)) <= kTiffTol,
                     qPrintable(QStringLiteral("%1, %2: %3 not %4")
                                    .arg(p.x)
                                    .arg(p.y)
                                    .arg(grid.Level(c, r))
                                    .arg(raster.At(p.x, p.y))));
            const double shift = MapLevel(day.PointLevels(p.x, p.y, p.z), 0) - grid.Level(c, r);
            largestShift = std::max(largestShift, shift);
            smallestShift = std::min(smallestShift, shift);
        }
    QVERIFY(largestShift - smallestShift > 0.1);  // the night's own spectrum, not a shifted day
}

QTEST_MAIN(TestExceedanceMap)
#include "test_exceedance_map.moc"
