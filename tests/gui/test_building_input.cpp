// The building window driven through its widgets: a footprint typed or pasted as rows,
// the refusals that name the building, the one undo step a commit makes, the exact
// vertices an unrelated edit keeps, and the footprint the views draw while it is edited.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/building_input_dialog.h"
#include "dialogs/building_vertex_table.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"

using namespace inputtest;

namespace {

struct CXY {
    double x, y;
};

}  // namespace

class TestBuildingInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    CBuildingInputDlg* Window() { return m_coordinator->BuildingWindow(); }
    const CBuildingFormWidgets& Open()
    {
        m_coordinator->OpenBuildingInput();
        return Window()->Form();
    }
    const std::vector<CBuilding>& Working() { return Window()->WorkingList(); }
    void TypeVertices(const std::vector<CXY>& ring)
    {
        QTableWidget* table = Window()->Form().m_pVertices->Table();
        table->setRowCount(0);
        for (const CXY& v : ring) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setItem(row, 0, new QTableWidgetItem(QString::number(v.x)));
            table->setItem(row, 1, new QTableWidgetItem(QString::number(v.y)));
        }
    }
    void StoreNew(const QString& name, int floors, const std::vector<CXY>& ring)
    {
        const auto& form = Window()->Form();
        form.m_pId->setCurrentIndex(0);
        SetText(form.m_pDescription, name);
        SetNumber(form.m_pFloors, floors);
        TypeVertices(ring);
        Click(form.m_pApply);
    }

private slots:
    void init() { SetUpInputWindows(); }
    void cleanup() { TearDownInputWindows(); }

    void aNewFormStartsWithTheModelsDefaultsAndStoresNothingWithoutVertices()
    {
        const auto& form = Open();
        QCOMPARE(form.m_pFloors->text(), QStringLiteral("1"));
        QCOMPARE(form.m_pFloorHeight->text(), QStringLiteral("3.00"));
        QCOMPARE(form.m_pGroundFactor->text(), QStringLiteral("1.00"));
        QCOMPARE(form.m_pAbsorption->CellText(7), QStringLiteral("0.200"));
        Click(form.m_pApply);
        QVERIFY(Working().empty());
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void storedBuildingsAreListedAndCommittedAsOneNamedStep()
    {
        const auto& form = Open();
        StoreNew(QStringLiteral("101동"), 15, {{0, 0}, {60, 0}, {60, 14}, {0, 14}});
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(Working()[0].m_pName, std::string("101동"));
        QCOMPARE(Working()[0].Height(), 45.0);
        QCOMPARE(form.m_pList->rowCount(), 1);
        QCOMPARE(form.m_pList->item(0, 4)->text(), QStringLiteral("45.00"));
        QCOMPARE(form.m_pId->currentText(), QStringLiteral("1"));
        StoreNew(QStringLiteral("102동"), 20, {{0, 30}, {60, 30}, {60, 44}, {0, 44}});
        form.m_pList->cellClicked(0, 0);  // a click on the list loads that building
        QCOMPARE(form.m_pId->currentText(), QStringLiteral("1"));
        QCOMPARE(form.m_pFloors->text(), QStringLiteral("15"));
        QVERIFY(m_doc.m_arrBuilding.empty());  // only the commit touches the document

        QSignalSpy committed(m_coordinator.get(), &CInputWindowCoordinator::ModelCommitted);
        Click(form.m_pOk);
        QCOMPARE(committed.count(), 1);
        QCOMPARE(committed.at(0).at(0).toString(), QStringLiteral("건물 2개 추가"));
        QCOMPARE(m_doc.m_arrBuilding.size(), std::size_t(2));
        QVERIFY(m_coordinator->BuildingWindow() == nullptr);
        QVERIFY(m_doc.m_bResultsStale || !m_doc.HasResults());
    }

    void aZoneChosenForABuildingKeepsTheResults()
    {
        CBuilding block;
        block.m_arrFootprint = {{0, 0, 0}, {60, 0, 0}, {60, 14, 0}, {0, 14, 0}};
        m_doc.m_arrBuilding = {block};
        m_doc.m_nCalculatedInFile = 1;
        m_doc.m_settings.m_nCriterion = static_cast<int>(ECriterion::kRoadsideStandard);
        const auto& form = Open();
        form.m_pList->cellClicked(0, 0);
        QCOMPARE(form.m_pZone->count(), 5);  // "프로젝트 지역", 가, 나, 다, 라
        QCOMPARE(form.m_pZone->currentData().toString(), QString());
        form.m_pZone->setCurrentIndex(form.m_pZone->findData(QStringLiteral("라")));
        Click(form.m_pApply);
        QCOMPARE(Working()[0].m_strZone, std::string("라"));
        QCOMPARE(form.m_pList->item(0, 6)->text(), QStringLiteral("라"));
        Click(form.m_pOk);
        QCOMPARE(m_doc.m_arrBuilding[0].m_strZone, std::string("라"));
        QVERIFY(m_doc.m_bModified);
        QVERIFY(m_doc.HasCurrentResults());  // a zone judges the levels; it does not change them
    }

    void unusableFootprintsAreRefusedNamingTheBuilding()
    {
        const auto& form = Open();
        StoreNew(QStringLiteral("101동"), 10, {{0, 0}, {40, 0}, {40, 10}, {0, 10}});
        StoreNew({}, 5, {{0, 20}, {10, 30}, {10, 20}, {0, 30}});                       // a bow tie
        StoreNew({}, 5, {{0, 20}, {10, 20}, {0, 20}});                                 // two distinct vertices
        StoreNew(QStringLiteral("102동"), 5, {{30, 5}, {50, 5}, {50, 15}, {30, 15}});  // into 101동
        QCOMPARE(m_boxes->m_texts,
                 QStringList({QStringLiteral("건물 2의 평면이 스스로 교차합니다."),
                              QStringLiteral("건물 2의 평면은 한 직선 위에 있지 않은 서로 다른 꼭짓점이 3개 "
                                             "이상이어야 합니다."),
                              QStringLiteral("건물 2 (102동)이(가) 건물 1 (101동)와(과) 겹칩니다.")}));
        QCOMPARE(Working().size(), std::size_t(1));
        // "확인" with a refused footprint keeps the window open and the document as it was.
        Click(form.m_pOk);
        QVERIFY(m_coordinator->BuildingWindow() != nullptr);
        QVERIFY(m_doc.m_arrBuilding.empty());
        // Blocks built wall to wall touch without overlapping.
        StoreNew(QStringLiteral("102동"), 5, {{40, 0}, {60, 0}, {60, 10}, {40, 10}});
        QCOMPARE(Working().size(), std::size_t(2));
    }

    void aFloorEditKeepsTheSurveyedVerticesAndAnEditedCellIsRead()
    {
        CBuilding surveyed;
        surveyed.m_arrFootprint = {
            {326123.123456789, 451234.987654321, 0}, {326163.1, 451234.987654321, 0}, {326163.1, 451250.5, 0}};
        m_doc.m_arrBuilding = {surveyed};
        const auto& form = Open();
        form.m_pId->setCurrentIndex(1);
        QCOMPARE(form.m_pVertices->Table()->item(0, 0)->text(), QStringLiteral("326123.12"));
        SetNumber(form.m_pFloors, 7);
        Click(form.m_pApply);
        QCOMPARE(Working()[0].m_nFloors, 7);
        QCOMPARE(Working()[0].m_arrFootprint, surveyed.m_arrFootprint);
        form.m_pVertices->Table()->item(2, 1)->setText(QStringLiteral("451260"));
        Click(form.m_pApply);
        QCOMPARE(Working()[0].m_arrFootprint[2].y, 451260.0);
        QCOMPARE(Working()[0].m_arrFootprint[0].x, 326123.123456789);
        form.m_pVertices->Table()->item(1, 0)->setText(QStringLiteral("12,5"));
        Click(form.m_pApply);
        QCOMPARE(m_boxes->m_texts, QStringList(QStringLiteral("숫자를 입력하십시오.")));
        QCOMPARE(form.m_pVertices->Table()->currentRow(), 1);
    }

    void pastedRowsBecomeVerticesAndTheViewsDrawTheDraft()
    {
        const auto& form = Open();
        const CWorkingLists lists = m_coordinator->WorkingLists();
        QVERIFY(lists.pBuildings == &Working());
        QVERIFY(lists.pFootprintDraft != nullptr);
        QCOMPARE(lists.highlightKind, EEntityKind::Building);
        QSignalSpy repaints(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        const int added = form.m_pVertices->PasteText(QStringLiteral("X\tY\r\n10\t20\n30,20\n30 40 2.5\nnote\n"));
        QCOMPARE(added, 3);
        QVERIFY(repaints.count() >= 1);
        const std::vector<CMVector>& draft = *m_coordinator->WorkingLists().pFootprintDraft;
        QCOMPARE(draft.size(), std::size_t(3));
        QCOMPARE(draft[2].x, 30.0);
        QCOMPARE(draft[2].y, 40.0);
        QVERIFY(form.m_pShape->text().contains(QStringLiteral("면적 200.00 m²")));
        form.m_pVertices->Table()->selectRow(1);
        Click(form.m_pVertices->RemoveButton());
        QCOMPARE(m_coordinator->WorkingLists().pFootprintDraft->size(), std::size_t(2));
        QVERIFY(form.m_pShape->text().contains(QStringLiteral("3개 이상")));
    }

    void aSecondOpenSaysTheWindowIsOpenAndResultsRefuseIt()
    {
        Open();
        m_coordinator->OpenBuildingInput();
        QCOMPARE(m_boxes->m_texts, QStringList(QString::fromUtf8(kMsgBuildingWindowOpen)));
        m_coordinator->CloseAll();
        m_coordinator->SetResultsShownQuery([] { return true; });
        m_coordinator->OpenBuildingInput();
        QVERIFY(m_coordinator->BuildingWindow() == nullptr);
        QCOMPARE(m_boxes->m_texts.last(), QString::fromUtf8(kMsgRemoveResults));
    }
};

QTEST_MAIN(TestBuildingInput)
#include "test_building_input.moc"
