// Buildings in the views and the result windows: footprints in plan and in the section,
// the façade points of the floor chosen in the pane coloured by their level class, the
// per-floor table (sorting, copy, CSV, the floor it selects in the plan), the pane's façade
// settings as undoable edits, and the per-floor part of the report.

#include <cmath>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "app/main_frame.h"
#include "app/model_history.h"
#include "app/model_windows.h"
#include "dialogs/building_input_dialog.h"
#include "dialogs/environment_box.h"
#include "drawing/section_geometry.h"
#include "helpers/environment_typing.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "io/floor_table.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "render/noise_map_renderer.h"
#include "render/view_colours.h"
#include "report/report_parts.h"
#include "views/floor_table_dialog.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

CBuilding Block(const char* name, int floors, double x0, double y0, double x1, double y1)
{
    CBuilding b;
    b.m_pName = name;
    b.m_nFloors = floors;
    b.m_arrFootprint = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    return b;
}

// One façade point in front of wall 1 (the south wall) of each block, at every floor. The
// first block's level rises 2 dB a floor from 46 dB(A), so that floors 11 and 12 reach 65;
// the second block's stays at 50.
void FillFacade(CMyTalvoDoc& doc)
{
    doc.m_arrFacade.clear();
    for (int b = 0; b < int(doc.m_arrBuilding.size()); ++b) {
        const CBuilding& building = doc.m_arrBuilding[std::size_t(b)];
        const CMVector a = building.m_arrFootprint[0], e = building.m_arrFootprint[1];
        for (int f = 1; f <= building.m_nFloors; ++f) {
            CFacadeReceiver r;
            r.m_nBuilding = b;
            r.m_nFloor = f;
            r.m_vPos = {0.5 * (a.x + e.x), a.y - 1, (f - 1) * 3.0 + 1.5};
            r.m_dLevel.fill(kNoEnergy);
            r.m_dLevel[4] = b == 0 ? 44 + 2 * f : 50;
            doc.m_arrFacade.push_back(r);
        }
    }
}

// Area 200 x 100 m with the section line at Y = 67 through 101동 (12 floors of 3 m).
void BuildProject(CMyTalvoDoc& doc)
{
    doc.m_settings.m_dAreaEndX = 200;
    doc.m_settings.m_dAreaEndY = 100;
    doc.m_settings.m_nSectionAxis = 1;
    doc.m_settings.m_dSectionY = 67;
    doc.m_arrBuilding = {Block("101동", 12, 40, 60, 100, 74), Block("102동", 3, 130, 20, 160, 40)};
    FillFacade(doc);
}

QColor ClassColour(double level) { return LevelClassQColor(LevelClass(level)); }

}  // namespace

class TestBuildingViews : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }

    void planDrawsFootprintsAndTheChosenFloorsFacadePoints()
    {
        CMyTalvoDoc doc;
        BuildProject(doc);
        CPlan_View view(&doc);
        const CViewProjection proj = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1);
        QImage image = view.RenderImage({600, 400});
        SaveRenderIfAsked(image, QStringLiteral("plan_buildings.png"));
        QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(45, 70)), ViewColour::Building()));
        // The top floor of each block by default: 101동's 12th floor at 68 dB(A).
        QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(70, 59)), ClassColour(68)));
        QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(145, 19)), ClassColour(50)));
        view.SetFacadeFloor(2);
        image = view.RenderImage({600, 400});
        QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(70, 59)), ClassColour(48)));
        // A block lower than the floor chosen shows no point.
        view.SetFacadeFloor(5);
        image = view.RenderImage({600, 400});
        QVERIFY(!SameColour(PixelAt(image, proj.WorldToPixel(145, 19)), ClassColour(50)));
        // The floor the table selects is ringed in the highlight colour over the others.
        view.SelectFacadeFloor(1, 3);
        image = view.RenderImage({600, 400});
        const CViewPoint selected = proj.WorldToPixel(145, 19);
        QVERIFY(SameColour(PixelAt(image, selected), ClassColour(50)));
        QVERIFY(ColourNear(image, {selected.x + 6.5, selected.y}, ViewColour::Highlight()));
        doc.m_bResultsStale = true;
        image = view.RenderImage({600, 400});
        QVERIFY(SameColour(PixelAt(image, selected), ViewColour::Muted()));
    }

    // Grid levels can be picked once the façade receivers are calculated, ordinary
    // receivers or not.
    void aProjectOfBuildingsAlonePicksGridLevels()
    {
        CMyTalvoDoc doc;
        BuildProject(doc);
        doc.m_settings.m_dReceiverSpacing = 50;
        CPlan_View view(&doc);
        view.resize(600, 400);
        const CViewPoint node = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1).WorldToPixel(150, 50);
        QVERIFY(view.PickAt({node.x, node.y}));
        doc.m_arrFacade.clear();
        QVERIFY(!view.PickAt({node.x, node.y}));
    }

    void badFootprintsDrawWithoutHarm()
    {
        const double nan = std::nan(""), huge = 1e300;
        CMyTalvoDoc doc;
        BuildProject(doc);
        doc.m_arrBuilding.push_back(Block("", 1000, -huge, -huge, huge, huge));
        doc.m_arrBuilding.push_back(Block("", -3, nan, 0, 10, nan));
        doc.m_arrBuilding.back().m_dFloorHeight = -huge;
        doc.m_arrFacade[0].m_vPos = {nan, huge, nan};
        doc.m_arrFacade[0].m_nBuilding = 99;
        const std::vector<CMVector> draft = {{huge, -huge, 0}, {nan, 1, 0}};
        CWorkingLists lists;
        lists.pFootprintDraft = &draft;
        CPlan_View plan(&doc);
        CSection_View section(&doc);
        plan.SetSectionView(&section);
        plan.SetWorkingLists(lists);
        QVERIFY(!plan.RenderImage({300, 200}).isNull());
        QVERIFY(!section.RenderImage({300, 200}).isNull());
        plan.FitAll();
        section.FitAll();
        QVERIFY(!plan.RenderImage({300, 200}).isNull());
    }

    void sectionCutsTheBlockFromTheReferenceHeightToItsTop()
    {
        CMyTalvoDoc doc;
        BuildProject(doc);
        doc.m_settings.m_dBaseHeight = -2;
        CSection_View view(&doc);
        view.SetVerticalExaggeration(1);
        const QImage image = view.RenderImage({600, 400});
        SaveRenderIfAsked(image, QStringLiteral("section_buildings.png"));
        const CViewProjection proj = SectionProjection(doc.m_settings, 1, 600, 400, 0, 0, 1);
        const CSectionPlane plane(doc.m_settings, 1);
        auto at = [&](double x, double h) { return PixelAt(image, proj.WorldToPixel(plane.Mirror(x), h)); };
        QVERIFY(SameColour(at(70, 20), ViewColour::Building()));
        QVERIFY(SameColour(at(70, -1), ViewColour::Building()));     // from the reference height
        QVERIFY(SameColour(at(70, 35), ViewColour::Background()));   // above -2 + 36 m
        QVERIFY(SameColour(at(110, 20), ViewColour::Background()));  // beside it
        QVERIFY(SameColour(at(145, 2), ViewColour::Background()));   // 102동 is off the line
    }

    void floorTableSortsCopiesSavesAndSelectsTheFloorInPlan()
    {
        CRecordingMessageBox boxes;
        CRecordingFileDialogs files;
        CMyTalvoDoc doc;
        BuildProject(doc);
        CPlan_View view(&doc);
        const std::vector<CFacadeReceiver> facade = std::exchange(doc.m_arrFacade, {});
        view.OnFloorTable();
        doc.m_nCalculatedInFile = 1;  // levels read from a file: the façade levels are never saved
        view.OnFloorTable();
        QCOMPARE(boxes.m_texts, QStringList({QStringLiteral("소음해석을 먼저 수행하세요."),
                                             QStringLiteral("외벽 수음점의 계산 결과가 없습니다. 건물을 입력하고 "
                                                            "소음해석을 수행하세요.")}));
        doc.m_arrFacade = facade;
        view.OnFloorTable();
        CFloorTableDlg* table = view.FloorTable();
        QVERIFY(table != nullptr);
        QTableWidget* grid = table->Grid();
        QCOMPARE(grid->rowCount(), 15);
        QCOMPARE(grid->item(11, kFloorColMax)->text(), QStringLiteral("68.00"));
        // Without a criterion the housing rule: 65 reached from floor 11.
        QCOMPARE(grid->item(11, kFloorColJudgement)->text(), QStringLiteral("주간 초과"));
        QCOMPARE(grid->item(11, kFloorColDayExcess)->text(), QStringLiteral("+3.00"));
        QCOMPARE(grid->item(9, kFloorColJudgement)->text(), QString());
        QCOMPARE(grid->item(11, 0)->background().color(), QColor(255, 216, 216));
        // Sorted by the highest level as numbers.
        grid->sortItems(kFloorColMax, Qt::AscendingOrder);
        QCOMPARE(grid->item(0, kFloorColMax)->text(), QStringLiteral("46.00"));
        QCOMPARE(grid->item(2, kFloorColMax)->text(), QStringLiteral("50.00"));
        QCOMPARE(grid->item(14, kFloorColMax)->text(), QStringLiteral("68.00"));
        const QStringList lines = table->TableText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QVERIFY(lines[1].startsWith(QStringLiteral("1\t101동\t1\t1\t46.00\t1\t1\t46.00\t")));
        grid->selectRow(14);
        QCOMPARE(view.facadeDisplay().m_nSelectedBuilding, 0);
        QCOMPARE(view.facadeDisplay().m_nSelectedFloor, 12);

        QTemporaryDir dir;
        files.m_paths = {dir.filePath(QStringLiteral("floors.csv"))};
        table->CsvButton()->click();
        QFile csv(dir.filePath(QStringLiteral("floors.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count('\n'), 16);
        table->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(view.FloorTable() == nullptr);
        QCOMPARE(view.facadeDisplay().m_nSelectedBuilding, -1);
    }

    void paneFacadeSettingsAreUndoableAndRefuseWhatTheyCannotTake()
    {
        CRecordingMessageBox boxes;
        CMainFrame frame;
        CMyTalvoDoc& doc = frame.Document();
        CEnvironmentBox* pane = frame.EnvironmentBox();
        QCOMPARE(pane->Field(EEnvField::FacadeSpacing)->text(), QStringLiteral("10.00"));
        TypeInto(frame, EEnvField::FacadeSpacing, QStringLiteral("7.5"));
        QCOMPARE(doc.m_settings.m_dFacadeSpacing, 7.5);
        QCOMPARE(frame.History()->Stack()->undoText(), QStringLiteral("외벽 수음점 간격 변경"));
        TypeInto(frame, EEnvField::FacadeDistance, QStringLiteral("0"));
        QCOMPARE(doc.m_settings.m_dFacadeDistance, 1.0);
        QVERIFY(!pane->FacadeWarning()->isHidden());
        emit pane->Field(EEnvField::FacadeDistance)->editingFinished();
        QCOMPARE(pane->Field(EEnvField::FacadeDistance)->text(), QStringLiteral("1.00"));
        QVERIFY(pane->FacadeWarning()->isHidden());
        frame.History()->Stack()->undo();
        QCOMPARE(doc.m_settings.m_dFacadeSpacing, 10.0);
        // The floor drawn is a view preference: no step.
        const int steps = frame.History()->Stack()->count();
        pane->FacadeFloorBox()->setValue(4);
        QCOMPARE(frame.PlanView()->facadeDisplay().m_nFloor, 4);
        QCOMPARE(frame.History()->Stack()->count(), steps);
        pane->FacadeFloorBox()->setValue(0);
        QCOMPARE(pane->FacadeFloorBox()->text(), QStringLiteral("최고층"));
    }

    // The example project with its apartment blocks beside the highway: every block inside
    // the fitted plan, listed in the building window, and after a calculation one table row
    // per block and floor. With TALVO_SAVE_RENDERS set, the README's pictures are saved.
    void exampleBlocksShowInTheWindowsAndThePlan()
    {
        CRecordingMessageBox boxes;
        CMainFrame frame;
        frame.resize(1400, 900);
        frame.show();
        QVERIFY(frame.OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/highway-apartments.tlv")));
        const CMyTalvoDoc& doc = frame.Document();
        QCOMPARE(doc.m_arrBuilding.size(), std::size_t(4));
        const QImage plan = frame.PlanView()->grab().toImage();
        const CPlan_View* view = frame.PlanView();
        const CViewProjection proj =
            PlanProjection(doc.m_settings, plan.width(), plan.height(), view->panX(), view->panY(), view->zoom());
        for (const CBuilding& b : doc.m_arrBuilding) {
            const CMVector& corner = b.m_arrFootprint[0];
            QVERIFY(SameColour(PixelAt(plan, proj.WorldToPixel(corner.x + 3, corner.y + 3)), ViewColour::Building()));
        }
        frame.RunCalculation();
        SaveRenderIfAsked(frame.grab().toImage(), QStringLiteral("main-window-apartments.png"));
        frame.PlanView()->SelectFacadeFloor(-1, 0);
        if (!doc.m_arrFacade.empty()) {
            frame.PlanView()->OnFloorTable();
            CFloorTableDlg* table = frame.PlanView()->FloorTable();
            QVERIFY(table != nullptr);
            QCOMPARE(table->Grid()->rowCount(), 15 + 20 + 12 + 18);
            table->Grid()->selectRow(19);
            table->resize(820, 560);
            SaveRenderIfAsked(table->grab().toImage(), QStringLiteral("floor-table.png"));
            SaveRenderIfAsked(frame.PlanView()->grab().toImage(), QStringLiteral("plan-facade.png"));
            table->close();
        }
        frame.PlanView()->SetResultDisplay(false, 0);
        frame.Windows()->InputWindows()->OpenBuildingInput();
        CBuildingInputDlg* window = frame.Windows()->InputWindows()->BuildingWindow();
        QVERIFY(window != nullptr);
        QCOMPARE(window->Form().m_pList->rowCount(), 4);
        window->Form().m_pId->setCurrentIndex(3);
        window->adjustSize();
        window->resize(std::max(window->width(), 980), window->height());
        SaveRenderIfAsked(window->grab().toImage(), QStringLiteral("building-window.png"));
    }

    void reportListsEveryFloorAndMarksThoseReaching65()
    {
        CMyTalvoDoc doc;
        BuildProject(doc);
        const QString html = FloorsHtml(doc);
        QCOMPARE(html.count(QStringLiteral("<tr>")), 1 + 15);
        QCOMPARE(html.count(QStringLiteral("65 이상")), 2);  // floors 11 and 12 of 101동
        QVERIFY(html.contains(QStringLiteral("<b>66.0</b>")));
        QVERIFY(html.contains(QStringLiteral("벽 1, 점 1")));
        doc.m_arrFacade.clear();
        QVERIFY(FloorsHtml(doc).contains(QStringLiteral("결과가 없습니다")));
        QVERIFY(InputsHtml(doc).contains(QStringLiteral("102동")));
    }
};

QTEST_MAIN(TestBuildingViews)
#include "test_building_views.moc"
