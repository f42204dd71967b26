// "가져오기": the file menu item, the preview following the choices, and the entities
// added as one change on OK.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <ogrsf_frmts.h>

#include "app/command_table.h"
#include "app/import_command.h"
#include "app/main_frame.h"
#include "app/model_history.h"
#include "dialogs/crs_dialog.h"
#include "dialogs/environment_box.h"
#include "dialogs/import_dialog.h"
#include "gis/gis_ogr.h"
#include "helpers/recording_dialogs.h"
#include "model/document.h"

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void previewFollowsTheChoicesAndOkAddsTheBarriers();
    void unusableFeaturesAreShownAndOkStaysOff();
    void polygonsBecomeBuildingsWithTheFloorsAttributeChosen();
    void fileMenuOffersTheImport();
    void importIsOneUndoStep();
    void environmentPaneShowsAndChangesTheCoordinateSystem();
    void coordinateSystemIsCheckedByProjAndWrongCodesAreRefused();
};

namespace {

// A GeoPackage with one three-vertex line of height 4 m, without a coordinate system.
QString WriteLine(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("line.gpkg"));
    CGdalDataset ds = CreateVectorFile("GPKG", path.toStdString());
    OGRLayer* layer = ds->CreateLayer("wall", nullptr, wkbLineString, nullptr);
    OGRFieldDefn height("height", OFTReal);
    layer->CreateField(&height);
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetField("height", 4.0);
    OGRGeometry* g = nullptr;
    OGRGeometryFactory::createFromWkt("LINESTRING (0 50, 100 50, 100 150)", nullptr, &g);
    feature.SetGeometryDirectly(g);
    return layer->CreateFeature(&feature) == OGRERR_NONE ? path : QString();
}

}  // namespace

void TestImport::previewFollowsTheChoicesAndOkAddsTheBarriers()
{
    QTemporaryDir dir;
    CRecordingFileDialogs files;
    files.m_paths = {WriteLine(dir)};
    CMyTalvoDoc doc;
    int changes = 0;
    CImportCommand command(&doc, nullptr, [&changes](const QString&) { ++changes; });
    QStringList previews;
    QList<bool> okEnabled;
    command.m_runDialog = [&](CImportDialog& dialog) {
        for (int kind : {1, 2, 1}) {  // barriers; receivers (a line has no points); barriers
            dialog.KindBox()->setCurrentIndex(kind);
            previews.append(dialog.PreviewLabel()->text());
            okEnabled.append(dialog.OkButton()->isEnabled());
        }
        return true;
    };
    command.OnImport();
    QVERIFY2(previews.value(0).contains(QStringLiteral("방음벽 2개")), qPrintable(previews.value(0)));
    QCOMPARE(previews.value(1), QStringLiteral("가져올 점이 없습니다."));
    QCOMPARE(okEnabled, (QList<bool>{true, false, true}));
    QCOMPARE(changes, 1);
    QCOMPARE(doc.m_arrBarrier.size(), std::size_t(2));
    QCOMPARE(doc.m_arrBarrier[1].m_dEndY, 150.0);
    QCOMPARE(doc.m_arrBarrier[1].m_dHeight, 4.0);
    QVERIFY(doc.m_bModified);

    files.m_paths = {QString()};  // the file choice cancelled: nothing changes
    command.OnImport();
    QCOMPARE(changes, 1);
}

// The window reads with the same import as talvo-cli: a width that is no number and a
// negative height name their feature and field in the preview, and nothing can be added.
void TestImport::unusableFeaturesAreShownAndOkStaysOff()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roads.geojson"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"type":"FeatureCollection",)"
               R"("crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::5186"}},"features":[)"
               R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[[0,0],[1,1]]},)"
               R"("properties":{"width":"abc","height":-4}}]})");
    file.close();
    CRecordingFileDialogs files;
    files.m_paths = {path};
    CMyTalvoDoc doc;
    doc.m_settings.m_strCrs = "EPSG:5186";
    CImportCommand command(&doc, nullptr, [](const QString&) {});
    QStringList previews;
    QList<bool> okEnabled;
    command.m_runDialog = [&](CImportDialog& dialog) {
        for (int kind : {0, 1}) {  // roads, barriers
            dialog.KindBox()->setCurrentIndex(kind);
            previews.append(dialog.PreviewLabel()->text());
            okEnabled.append(dialog.OkButton()->isEnabled());
        }
        return true;
    };
    command.OnImport();
    QCOMPARE(previews.value(0), QStringLiteral("피처 1의 width 값 \"abc\"은(는) 숫자가 아닙니다."));
    QCOMPARE(previews.value(1), QStringLiteral("피처 1의 height 값(-4)은 0 이상이어야 합니다."));
    QCOMPARE(okEnabled, (QList<bool>{false, false}));
    QVERIFY(doc.m_arrRoad.empty() && doc.m_arrBarrier.empty());
}

void TestImport::polygonsBecomeBuildingsWithTheFloorsAttributeChosen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("blocks.geojson"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"type":"FeatureCollection",)"
               R"("crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::5186"}},"features":[)"
               R"({"type":"Feature","geometry":{"type":"MultiPolygon","coordinates":[)"
               R"([[[0,0],[0,30],[30,30],[30,0],[0,0]],[[10,10],[20,10],[20,20],[10,20],[10,10]]],)"
               R"([[[50,0],[50,10],[60,10],[60,0],[50,0]]]]},)"
               R"("properties":{"name":"101동","층수":7}}]})");
    file.close();
    CRecordingFileDialogs files;
    files.m_paths = {path};
    CMyTalvoDoc doc;
    doc.m_settings.m_strCrs = "EPSG:5186";
    CImportCommand command(&doc, nullptr, [](const QString&) {});
    QStringList previews;
    QList<bool> floorsFieldOn;
    QString kindAtStart;
    command.m_runDialog = [&](CImportDialog& dialog) {
        kindAtStart = dialog.KindBox()->currentText();  // chosen from the layer's polygons
        floorsFieldOn.append(dialog.FloorsField()->isEnabled());
        dialog.KindBox()->setCurrentIndex(3);
        floorsFieldOn.append(dialog.FloorsField()->isEnabled());
        previews.append(dialog.PreviewLabel()->text());  // no "floors" and no height
        dialog.FloorsField()->setText(QStringLiteral("층수"));
        emit dialog.FloorsField()->editingFinished();
        previews.append(dialog.PreviewLabel()->text());
        return dialog.OkButton()->isEnabled();
    };
    command.OnImport();
    QCOMPARE(kindAtStart, QStringLiteral("건물"));
    QCOMPARE(floorsFieldOn, (QList<bool>{true, true}));
    QCOMPARE(previews.value(0), QStringLiteral("피처 1의 floors 값(층수)도 height 값(높이)도 없습니다."));
    QCOMPARE(previews.value(1),
             QStringLiteral("건물 2개를 추가합니다. 다각형의 구멍 1개는 무시합니다.\n좌표계: EPSG:5186"));
    QCOMPARE(doc.m_arrBuilding.size(), std::size_t(2));
    QCOMPARE(doc.m_arrBuilding[1].m_nFloors, 7);
    QCOMPARE(doc.m_arrBuilding[1].m_pName, std::string("101동"));
    QCOMPARE(doc.m_arrBuilding[0].m_arrFootprint.size(), std::size_t(4));
}

void TestImport::fileMenuOffersTheImport()
{
    CMainFrame frame;
    QMenu* fileMenu = frame.menuBar()->actions().first()->menu();
    QStringList texts;
    for (QAction* action : fileMenu->actions())
        texts.append(action->text());
    const int import = int(texts.indexOf(QStringLiteral("가져오기(&I)...")));
    QVERIFY(import > 0);
    QCOMPARE(texts.at(import + 1), QStringLiteral("좌표계..."));
    QVERIFY(texts.at(import + 2).startsWith(QStringLiteral("수음점 저장")));
}

// An import is undone and redone as one step, and undoing it leaves the project unchanged.
void TestImport::importIsOneUndoStep()
{
    QTemporaryDir dir;
    CRecordingFileDialogs files;
    files.m_paths = {WriteLine(dir)};
    CMainFrame frame;
    auto* command = frame.findChild<CImportCommand*>();
    QVERIFY(command);
    command->m_runDialog = [](CImportDialog&) { return true; };
    command->OnImport();
    QCOMPARE(frame.Document().m_arrBarrier.size(), std::size_t(2));
    QCOMPARE(frame.History()->Stack()->undoText(), QStringLiteral("가져오기"));
    frame.Action(cmd::EditUndo)->trigger();
    QVERIFY(frame.Document().m_arrBarrier.empty());
    QVERIFY(!frame.Document().m_bModified);
    frame.Action(cmd::EditRedo)->trigger();
    QCOMPARE(frame.Document().m_arrBarrier.size(), std::size_t(2));
}

// The pane shows the code with the system's name; its "변경" runs the checked window and
// the change is one undo step.
void TestImport::environmentPaneShowsAndChangesTheCoordinateSystem()
{
    CMainFrame frame;
    CEnvironmentBox* pane = frame.EnvironmentBox();
    QCOMPARE(pane->CrsField()->text(), QStringLiteral("지역 좌표 (m)"));
    auto* command = frame.findChild<CImportCommand*>();
    QVERIFY(command);
    command->m_runCrsDialog = [](CCrsDialog& dialog) {
        dialog.CodeField()->setText(QStringLiteral("EPSG:5186"));
        return true;
    };
    pane->CrsButton()->click();
    QCOMPARE(frame.Document().m_settings.m_strCrs, std::string("EPSG:5186"));
    QVERIFY2(pane->CrsField()->text().startsWith(QStringLiteral("EPSG:5186 Korea 2000")),
             qPrintable(pane->CrsField()->text()));
    QCOMPARE(frame.History()->Stack()->undoText(), QStringLiteral("좌표계 변경"));
    frame.Action(cmd::EditUndo)->trigger();
    QVERIFY(frame.Document().m_settings.m_strCrs.empty());
    QCOMPARE(pane->CrsField()->text(), QStringLiteral("지역 좌표 (m)"));
}

void TestImport::coordinateSystemIsCheckedByProjAndWrongCodesAreRefused()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    int changes = 0;
    CImportCommand command(&doc, nullptr, [&changes](const QString&) { ++changes; });
    QString name;
    bool closedOnWrongCode = true;
    command.m_runCrsDialog = [&](CCrsDialog& dialog) {
        dialog.CodeField()->setText(QStringLiteral("EPSG:999999"));
        dialog.accept();  // refused: the dialog stays open
        closedOnWrongCode = dialog.result() == QDialog::Accepted;
        dialog.CodeField()->setText(QStringLiteral("EPSG:5186"));
        name = dialog.NameLabel()->text();
        return true;
    };
    command.OnCoordinateSystem();
    QVERIFY(!closedOnWrongCode);
    QCOMPARE(boxes.m_infos.size(), 1);
    QVERIFY(boxes.m_infos.first().contains(QStringLiteral("EPSG:999999")));
    QVERIFY2(name.contains(QStringLiteral("Korea 2000")), qPrintable(name));
    QCOMPARE(doc.m_settings.m_strCrs, std::string("EPSG:5186"));
    QCOMPARE(changes, 1);
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
