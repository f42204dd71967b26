// "가져오기" chooses what a layer becomes from the layer itself (points receivers, lines with
// traffic attributes roads, other lines barriers, polygons buildings) and shows where the features land on a
// small plan of the project, counting those outside the calculation area.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <ogrsf_frmts.h>

#include "dialogs/import_dialog.h"
#include "dialogs/import_plan_preview.h"
#include "gis/gis_ogr.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "render/view_colours.h"

namespace {

// A GeoPackage in dir named `name` with one layer of the geometries (WKT) and the fields,
// each set to 5.
QString WriteLayer(const QTemporaryDir& dir, const char* name, std::initializer_list<const char*> wkts,
                   std::initializer_list<const char*> fields = {})
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    CGdalDataset ds = CreateVectorFile("GPKG", path.toStdString());
    OGRLayer* layer = ds->CreateLayer("input", nullptr, wkbUnknown, nullptr);
    for (const char* field : fields) {
        OGRFieldDefn definition(field, OFTReal);
        layer->CreateField(&definition);
    }
    for (const char* wkt : wkts) {
        OGRFeature feature(layer->GetLayerDefn());
        for (const char* field : fields)
            feature.SetField(field, 5.0);  // a width, speed, volume, height or number of floors
        OGRGeometry* g = nullptr;
        OGRGeometryFactory::createFromWkt(wkt, nullptr, &g);
        feature.SetGeometryDirectly(g);
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            return {};
    }
    return path;
}

// A project of 200 x 200 m without a coordinate system.
CMyTalvoDoc SmallProject()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = doc.m_settings.m_dAreaEndY = 200;
    doc.m_settings.m_dSectionX = 100;
    return doc;
}

int PixelsOf(const QImage& image, const QColor& colour, int fromRow)
{
    int count = 0;
    for (int y = fromRow; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += SameColour(image.pixelColor(x, y), colour);
    return count;
}

}  // namespace

class TestImportPreview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void theLayerChoosesWhatItBecomes();
    void thePlanShowsWhereTheFeaturesLand();
};

void TestImportPreview::theLayerChoosesWhatItBecomes()
{
    QTemporaryDir dir;
    const CMyTalvoDoc doc = SmallProject();
    const QString points = WriteLayer(dir, "points.gpkg", {"POINT (10 20)", "POINT (30 40)"});
    CImportDialog receivers(doc, points);
    QCOMPARE(receivers.KindBox()->currentText(), QStringLiteral("수음점"));
    QVERIFY2(receivers.PreviewLabel()->text().contains(QStringLiteral("수음점 2개")),
             qPrintable(receivers.PreviewLabel()->text()));
    QCOMPARE(receivers.PlanPreview()->Import().points.size(), std::size_t(2));

    const QString traffic = WriteLayer(dir, "roads.gpkg", {"LINESTRING (0 100, 200 100)"}, {"speed1", "volume1"});
    CImportDialog roads(doc, traffic);
    QCOMPARE(roads.KindBox()->currentText(), QStringLiteral("도로"));
    QVERIFY(roads.findChild<QLabel*>() != nullptr);
    bool said = false;
    for (const QLabel* label : roads.findChildren<QLabel*>())
        said = said || label->text() == QStringLiteral("레이어: 점 0개, 선 1개, 면 0개 (교통량 속성 있음)");
    QVERIFY(said);

    const QString walls = WriteLayer(dir, "walls.gpkg", {"LINESTRING (0 50, 200 50)"}, {"height"});
    CImportDialog barriers(doc, walls);
    QCOMPARE(barriers.KindBox()->currentText(), QStringLiteral("방음벽"));
    // The user's choice still holds: the same lines as roads.
    barriers.KindBox()->setCurrentIndex(0);
    QCOMPARE(barriers.Preview().roads.size(), std::size_t(1));

    const QString blocks =
        WriteLayer(dir, "blocks.gpkg", {"POLYGON ((20 20, 60 20, 60 50, 20 50, 20 20))"}, {"floors"});
    CImportDialog buildings(doc, blocks);
    QCOMPARE(buildings.KindBox()->currentText(), QStringLiteral("건물"));
    QCOMPARE(buildings.PlanPreview()->Import().outlines.size(), std::size_t(1));
}

void TestImportPreview::thePlanShowsWhereTheFeaturesLand()
{
    QTemporaryDir dir;
    CMyTalvoDoc doc = SmallProject();
    CBarrier_Stage existing;
    existing.SetGeometry(20, 150, 180, 150, 3, 0);
    doc.m_arrBarrier.push_back(existing);
    // One line inside the area, one a kilometre away from it.
    const QString path =
        WriteLayer(dir, "walls.gpkg", {"LINESTRING (20 60, 180 60)", "LINESTRING (1200 1200, 1300 1200)"});
    CImportDialog dialog(doc, path);
    CImportPlanPreview* plan = dialog.PlanPreview();
    QCOMPARE(plan->Import().lines.size(), std::size_t(2));
    QCOMPARE(plan->OutsideArea(), 1);

    QImage image(420, 280, QImage::Format_RGB32);
    plan->Render(&image);
    SaveRenderIfAsked(image, "import_preview.png");
    constexpr int kBelowCaption = 40;  // rows of the caption, with its colour swatch
    QVERIFY(PixelsOf(image, ViewColour::Highlight(), kBelowCaption) > 40);  // both new lines
    QVERIFY(PixelsOf(image, ViewColour::Barrier(), kBelowCaption) > 10);    // the barrier there already
    QVERIFY(PixelsOf(image, ViewColour::Area(), kBelowCaption) > 100);      // the area, small beside the far line

    // Without the far line everything lies in the area, which then fills the plan.
    plan->SetImport(CImportShapes{{QLineF(20, 60, 180, 60)}, {}, {}});
    QCOMPARE(plan->OutsideArea(), 0);
    QImage inside(420, 280, QImage::Format_RGB32);
    plan->Render(&inside);
    QVERIFY(PixelsOf(inside, ViewColour::Area(), kBelowCaption) >
            10 * PixelsOf(image, ViewColour::Area(), kBelowCaption));
}

QTEST_MAIN(TestImportPreview)
#include "test_import_preview.moc"
