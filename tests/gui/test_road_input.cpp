// The road input window driven through its widgets, with the plan view's coordination
// of its requests (store, commit, delete, close) on a document.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "dialogs/band_correction_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/bridge_settings_dialog.h"
#include "dialogs/night_source_panel.h"
#include "dialogs/pavement_selector.h"
#include "dialogs/road_input_dialog.h"
#include "dialogs/road_kind_panel.h"
#include "dialogs/traffic_group.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"

using namespace inputtest;

namespace {

constexpr double kLevelTol = 0.01;

struct CRoadEnds {
    double sx, sy, sz, ex, ey, ez;
};

CRoad StoredRoad(const CRoadEnds& e, double level)
{
    CRoad road;
    road.SetGeometry(e.sx, e.sy, e.ex, e.ey, e.sz, e.ez, 3.6, 0, 185);
    road.m_dLength = road.Length3D();
    road.SetKey(road.MakeIdentity());
    road.m_nVehicleClassMode = 1;
    road.m_dUserPowerLevel.fill(level);
    return road;
}

double Cell(const CBandRowWidget* row, int band) { return row->CellText(band).toDouble(); }

}  // namespace

class TestRoadInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    Input_Road_dlg* Open()
    {
        m_coordinator->OpenRoadInput();
        return m_coordinator->RoadWindow();
    }
    const CRoadFormWidgets& Form() { return m_coordinator->RoadWindow()->Form(); }
    void SetEnds(const CRoadEnds& e)
    {
        const double start[] = {e.sx, e.sy, e.sz}, end[] = {e.ex, e.ey, e.ez};
        for (int a = 0; a < 3; ++a) {
            SetNumber(Form().m_start[a], start[a]);
            SetNumber(Form().m_end[a], end[a]);
        }
    }
    void SetTraffic(int vehicleClass, double speed, double volume)
    {
        SetNumber(Form().m_pTraffic->SpeedField(vehicleClass), speed);
        SetNumber(Form().m_pTraffic->VolumeField(vehicleClass), volume);
    }
    void StoreNew(const CRoadEnds& e)
    {
        Click(Form().m_pCopy);
        SetEnds(e);
        Click(Form().m_pApply);
    }
    const std::vector<CRoad>& Working() { return m_coordinator->RoadWindow()->WorkingList(); }

private slots:
    void init() { SetUpInputWindows(); }
    void cleanup() { TearDownInputWindows(); }

    void opensWithTheDefaultForm()
    {
        Open();
        QCOMPARE(Form().m_pId->currentText(), QString("NEW"));
        QCOMPARE(Form().m_pDescription->text(), QString("도로에 대한 설명을 입력하세요"));
        QCOMPARE(Form().m_pWidth->text(), QString("3.6"));
        QCOMPARE(Form().m_pSourceCount->text(), QString("185"));
        QCOMPARE(Form().m_pGradient->text(), QString("0.00"));
        QCOMPARE(Form().m_pTraffic->ModeList()->currentText(), QString("5차종 분류"));
        QCOMPARE(Form().m_pPavement->DetailList()->currentText(), QString("DGA"));
        QCOMPARE(Form().m_pLevels->OverallText(), QString("0.00"));
        QVERIFY(Form().m_pKind->KindButtons()->button(kRoadKindOrdinary)->isChecked());
        QVERIFY(!Form().m_pKind->KindButton()->isVisibleTo(m_coordinator->RoadWindow()));
    }

    void pavementRefillsItsDetails()
    {
        Open();
        Form().m_pPavement->StateList()->setCurrentIndex(1);
        QCOMPARE(Form().m_pPavement->DetailList()->count(), 5);
        QCOMPARE(Form().m_pPavement->DetailList()->currentText(), QString("H30"));
        Form().m_pPavement->StateList()->setCurrentIndex(2);
        QCOMPARE(Form().m_pPavement->DetailList()->currentText(), QString("POR"));
    }

    void duplicatesInBothDirectionsAreRefused()
    {
        Open();
        StoreNew({0, 0, 0, 100, 0, 0});
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(Form().m_pId->currentText(), QString("1"));
        StoreNew({100, 0, 0, 0, 0, 0});
        StoreNew({0, 0, 0, 100, 0, 0});
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateRoad, kMsgDuplicateRoad}));
    }

    void keysEqualToTwoDecimalsAreDuplicates()
    {
        Open();
        StoreNew({10.001, 0, 0, 50, 0, 0});
        StoreNew({10.004, 0, 0, 50, 0, 0});
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateRoad}));
        StoreNew({10.006, 0, 0, 50, 0, 0});  // "10.01": another road
        QCOMPARE(Working().size(), std::size_t(2));
    }

    void editingARoadWithoutMovingItIsNoDuplicate()
    {
        Open();
        StoreNew({0, 0, 0, 100, 0, 0});
        StoreNew({0, 10, 0, 100, 10, 0});
        Form().m_pId->setCurrentIndex(1);
        QCOMPARE(Form().m_start[0]->text(), QString("0.00"));
        SetText(Form().m_pWidth, "7.5");
        Click(Form().m_pApply);
        QVERIFY(m_boxes->m_texts.isEmpty());
        QCOMPARE(Working().size(), std::size_t(2));
        QCOMPARE(Working()[0].m_dWidth, 7.5);
        QCOMPARE(m_coordinator->HighlightedRoad(), 0);
    }

    void deletingRoadTwoOfThreeMovesTheLastUp()
    {
        Open();
        for (double y : {0.0, 10.0, 20.0})
            StoreNew({0, y, 0, 100, y, 0});
        Form().m_pId->setCurrentIndex(2);
        QSignalSpy repaint(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        Click(Form().m_pDelete);
        QVERIFY(repaint.count() >= 1);
        QCOMPARE(Working().size(), std::size_t(2));
        QCOMPARE(Working()[1].m_dStartY, 20.0);
        QCOMPARE(Form().m_pId->count(), 3);  // "NEW", "1", "2"
        QCOMPARE(Form().m_pId->itemText(2), QString("2"));
        QCOMPARE(Form().m_pId->currentText(), QString("NEW"));
        QCOMPARE(Form().m_pWidth->text(), QString("3.6"));
    }

    void allZeroStoreDoesNothing()
    {
        Open();
        Click(Form().m_pApply);
        QVERIFY(Working().empty());
        QVERIFY(m_boxes->m_texts.isEmpty());
        QCOMPARE(Form().m_pId->count(), 1);
    }

    void computeShowsClampedSpeeds()
    {
        Open();
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(0, 80, 0);      // no trucks: speed 0
        SetTraffic(4, 150, 1000);  // cars above 130 km/h
        Click(Form().m_pCompute);
        QVERIFY(m_boxes->m_texts.isEmpty());
        QCOMPARE(Form().m_pTraffic->SpeedField(0)->text(), QString("0.00"));
        QCOMPARE(Form().m_pTraffic->SpeedField(4)->text(), QString("130.00"));
        QCOMPARE(Form().m_pTraffic->VolumeField(4)->text(), QString("1000.00"));
    }

    void computeShowsTheCarLevelsAndOverall()
    {
        // Cars on DGA at 100 km/h, 1000 per hour: L = A + B*lg(100) + 10*lg(1000/(1000*100))
        // = A + 2B - 20; 63 Hz: -7.9 + 85.2 - 20 = 57.3; 500 Hz: 50.8 + 47.2 - 20 = 78.0.
        Open();
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(4, 100, 1000);
        Click(Form().m_pCompute);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 0) - 57.3) < kLevelTol);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 3) - 78.0) < kLevelTol);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 4) - 84.7) < kLevelTol);
        // Energy sum of 57.3, 65.1, 72.3, 78.0, 84.7, 81.6, 74.5, 67.2.
        QVERIFY(qAbs(Form().m_pLevels->OverallText().toDouble() - 87.46) < kLevelTol);
    }

    void computeRefusalsChangeNothing()
    {
        Open();
        SetTraffic(4, 100, 1000);
        Click(Form().m_pCompute);
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(4, 100, 0);
        SetTraffic(0, 0, 0);
        Click(Form().m_pCompute);
        QCOMPARE(m_boxes->m_texts,
                 QStringList({"도로 형상 정보를 입력하여 주십시오.", "도로 음향 파워 정보를 입력하여 주십시오."}));
        QCOMPARE(Form().m_pLevels->CellText(0), QString("0.00"));
    }

    void invalidFieldsShowTheirMessages()
    {
        Open();
        SetEnds({0, 0, 0, 100, 0, 0});
        SetText(Form().m_start[1], "abc");
        Click(Form().m_pApply);
        SetText(Form().m_start[1], "0");
        SetText(Form().m_pSourceCount, "1.5");
        Click(Form().m_pApply);
        SetText(Form().m_pSourceCount, "185");
        SetText(Form().m_pGradient, "95");
        Click(Form().m_pCompute);
        QCOMPARE(m_boxes->m_texts,
                 QStringList({"숫자를 입력하십시오.", "정수를 입력하십시오.", "0에서 90 사이의 숫자를 입력하십시오."}));
        QVERIFY(Working().empty());
    }

    void storingAddsTheLengthToTheLevelRow()
    {
        // 70 dB per metre on a 100 m road is 70 + 10*lg(100) = 90 dB for the road.
        Open();
        SetEnds({0, 0, 0, 100, 0, 0});
        Click(Form().m_pLevels->ToggleButton());
        QVERIFY(!Form().m_pOk->isEnabled());
        QVERIFY(!Form().m_pId->isEnabled());
        QCOMPARE(Form().m_pLevels->ToggleButton()->text(), QString("저장(&S)"));
        for (int j = 0; j < kBandCount; ++j)
            SetText(Form().m_pLevels->EditBox(j), j == 7 ? "" : "70");
        Click(Form().m_pLevels->ToggleButton());
        QVERIFY(Form().m_pOk->isEnabled());
        QCOMPARE(Form().m_pLevels->CellText(7), QString("0.00"));
        Click(Form().m_pApply);
        QCOMPARE(Working().size(), std::size_t(1));
        QVERIFY(qAbs(Working()[0].m_dUserPowerLevel[0] - 90.0) < kLevelTol);
        QVERIFY(qAbs(Working()[0].m_dUserPowerLevel[7] - 20.0) < kLevelTol);
    }

    void nightTrafficAndPowersSitBesideTheDays()
    {
        Open();
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(4, 100, 1000);
        Click(Form().m_pCompute);
        CNightSourcePanel* night = Form().m_pNight;
        QVERIFY(!night->Traffic()->isEnabled() && !night->Levels()->isEnabled());
        night->TrafficBox()->setChecked(true);
        SetNumber(night->Traffic()->SpeedField(4), 100);
        SetNumber(night->Traffic()->VolumeField(4), 100);  // a tenth of the day's cars
        Click(night->ComputeButton());
        QVERIFY(m_boxes->m_texts.isEmpty());
        QVERIFY(night->PowerBox()->isChecked());
        for (int j = 0; j < kBandCount; ++j)
            QVERIFY(qAbs(Cell(night->Levels(), j) - (Cell(Form().m_pLevels, j) - 10.0)) < kLevelTol);
        Click(Form().m_pApply);
        QCOMPARE(Working().size(), std::size_t(1));
        const CRoad stored = Working()[0];
        QVERIFY(stored.m_bNightTraffic && stored.m_bNightPower);
        QCOMPARE(stored.m_dNightVolume[4], 100.0);
        // Per metre plus 10*lg(100 m), as the day's.
        QVERIFY(qAbs(stored.m_dNightPowerLevel[3] - (stored.m_dUserPowerLevel[3] - 10.0)) < kLevelTol);

        Form().m_pTraffic->ModeList()->setCurrentIndex(kTwoClassMode);
        QCOMPARE(night->Traffic()->Mode(), kTwoClassMode);  // one class mode for both periods
        Form().m_pId->setCurrentIndex(0);
        QVERIFY(!night->TrafficBox()->isChecked());  // a new road has no night of its own
        Form().m_pId->setCurrentIndex(1);
        QCOMPARE(night->Traffic()->Mode(), kFiveClassMode);
        QVERIFY(night->TrafficBox()->isChecked());
        QCOMPARE(night->Traffic()->VolumeField(4)->text(), QString("100.00"));
        night->PowerBox()->setChecked(false);  // the night powers then come from the ratio
        Click(Form().m_pApply);
        QVERIFY(!Working()[0].m_bNightPower);
        QVERIFY(Working()[0].m_bNightTraffic);
    }

    void loadingARoadShowsLevelsPerMetre()
    {
        m_doc.m_arrRoad.push_back(StoredRoad({0, 0, 0, 100, 0, 0}, 90.0));
        Open();
        Form().m_pId->setCurrentIndex(1);
        QCOMPARE(Form().m_pLevels->CellText(0), QString("70.00"));
        QCOMPARE(Form().m_pLevels->CellText(7), QString("70.00"));
        // Eight equal bands: 70 + 10*lg(8) = 79.03.
        QCOMPARE(Form().m_pLevels->OverallText(), QString("79.03"));
        QCOMPARE(Form().m_end[0]->text(), QString("100.00"));
    }

    void bridgeTypeReachesTheEmission()
    {
        // Trucks 100 + 100 per hour at 80 km/h on a "콘크리트I형교" (C = 34.9 dB):
        // L = 10*lg(200/80000) + 30*lg(80) + 34.9 = 65.97; 2000 Hz: L - 10*lg(2) = 62.96.
        Open();
        m_coordinator->RoadWindow()->SetModalRunner([](QDialog& form) {
            auto& bridge = dynamic_cast<CBridgeType&>(form);
            bridge.TypeButtons()->button(4)->click();
            bridge.accept();
            return bridge.result();
        });
        Form().m_pKind->KindButtons()->button(kRoadKindBridge)->click();
        QCOMPARE(Form().m_pKind->KindButton()->text(), QString("교량 설정"));
        Click(Form().m_pKind->KindButton());
        QCOMPARE(Form().m_pKind->BridgeCaption()->text(), QString("콘크리트I형교"));
        QVERIFY(!Form().m_pKind->BridgePicture()->pixmap().isNull());
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(0, 80, 100);
        SetTraffic(1, 80, 100);
        Click(Form().m_pCompute);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 5) - 62.96) < kLevelTol);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 0) - 65.97) < kLevelTol);
        Click(Form().m_pApply);
        QCOMPARE(Working()[0].m_nBridgeType, 4);
        QCOMPARE(Working()[0].m_nRoadInfo, kRoadKindBridge);
    }

    void cancelledBridgeSettingsKeepTheForm()
    {
        m_doc.m_arrRoad.push_back(StoredRoad({0, 0, 0, 100, 0, 0}, 90.0));
        m_doc.m_arrRoad[0].m_nRoadInfo = kRoadKindBridge;
        m_doc.m_arrRoad[0].m_dLeftBarrierHeight = 2.0;
        Open();
        m_coordinator->RoadWindow()->SetModalRunner([](QDialog& form) {
            auto& bridge = dynamic_cast<CBridgeType&>(form);
            bridge.HeightField(0)->setText("5");
            bridge.TypeButtons()->button(3)->click();
            bridge.reject();
            return bridge.result();
        });
        Form().m_pId->setCurrentIndex(1);
        Click(Form().m_pKind->KindButton());
        Click(Form().m_pApply);
        QCOMPARE(Working()[0].m_dLeftBarrierHeight, 2.0);
        QCOMPARE(Working()[0].m_nBridgeType, 0);
    }

    void bandCorrectionsAddToTheComputation()
    {
        Open();
        int calls = 0;
        QString shownAtFirst;
        m_coordinator->RoadWindow()->SetModalRunner([&calls, &shownAtFirst](QDialog& form) {
            auto& corrections = dynamic_cast<CInputAddition&>(form);
            if (calls++ == 0)
                shownAtFirst = corrections.Field(3)->text();
            corrections.Field(3)->setText(calls == 1 ? "3" : "9");
            if (calls == 1)
                corrections.accept();
            else
                corrections.reject();
            return corrections.result();
        });
        Form().m_pKind->KindButtons()->button(kRoadKindEmbankment)->click();
        QCOMPARE(Form().m_pKind->KindButton()->text(), QString("보정치 수정"));
        Click(Form().m_pKind->KindButton());
        Click(Form().m_pKind->KindButton());  // edited, then cancelled
        QCOMPARE(shownAtFirst, QString("0.00"));
        QCOMPARE(Form().m_pKind->CorrectionTable()->item(0, 3)->text(), QString("3.00"));
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(4, 100, 1000);
        Click(Form().m_pCompute);
        QVERIFY(qAbs(Cell(Form().m_pLevels, 3) - 81.0) < kLevelTol);  // 78.0 + 3
    }

    void twoClassRoadsKeepTheirTwoClasses()
    {
        Open();
        Form().m_pTraffic->ModeList()->setCurrentIndex(kTwoClassMode);
        SetEnds({0, 0, 0, 100, 0, 0});
        SetTraffic(0, 90, 50);
        SetTraffic(1, 110, 700);
        Click(Form().m_pApply);
        const CRoad& road = Working()[0];
        QCOMPARE(road.m_nVehicleClassMode, 0);
        QCOMPARE(road.m_dSpeed[1], 110.0);
        QCOMPARE(road.m_dVolume[4], 0.0);
        Click(Form().m_pCopy);
        Form().m_pId->setCurrentIndex(1);
        QCOMPARE(Form().m_pTraffic->Mode(), kTwoClassMode);
        QCOMPARE(Form().m_pTraffic->VolumeField(1)->text(), QString("700.00"));
    }

    void okCommitsEvenAfterARefusedStore()
    {
        m_doc.m_arrRoad.push_back(StoredRoad({0, 0, 0, 100, 0, 0}, 90.0));
        Open();
        StoreNew({0, 50, 0, 100, 50, 0});
        Click(Form().m_pCopy);
        SetEnds({100, 0, 0, 0, 0, 0});
        Click(Form().m_pOk);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateRoad}));
        QVERIFY(m_coordinator->RoadWindow() == nullptr);
        QCOMPARE(m_doc.m_arrRoad.size(), std::size_t(2));
        QCOMPARE(m_doc.m_arrRoad[1].m_dStartY, 50.0);
        QVERIFY(m_doc.m_bModified);
    }

    void cancelLeavesTheDocumentUnchanged()
    {
        m_doc.m_arrRoad.push_back(StoredRoad({0, 0, 0, 100, 0, 0}, 90.0));
        Open();
        StoreNew({0, 50, 0, 100, 50, 0});
        Form().m_pId->setCurrentIndex(1);
        Click(Form().m_pDelete);
        Click(Form().m_pCancel);
        QVERIFY(m_coordinator->RoadWindow() == nullptr);
        QCOMPARE(m_doc.m_arrRoad.size(), std::size_t(1));
        QCOMPARE(m_doc.m_arrRoad[0].m_dUserPowerLevel[0], 90.0);
        QVERIFY(!m_doc.m_bModified);
    }

    void escapeDoesNothing()
    {
        Input_Road_dlg* window = Open();
        QSignalSpy close(window, &Input_Road_dlg::CloseRequested);
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(close.count(), 0);
        QCOMPARE(m_coordinator->RoadWindow(), window);
        QVERIFY(window->isVisible());
    }

    // An auto-default compute button can become the window's default and take Enter
    // from every field, as the tunnel window's never does.
    void enterInAFieldDoesNotCompute()
    {
        Input_Road_dlg* window = Open();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        SetTraffic(4, 100, 1000);
        QSignalSpy compute(Form().m_pCompute, &QPushButton::clicked);
        Form().m_pCompute->setFocus();
        for (QLineEdit* field : {Form().m_pWidth, Form().m_pTraffic->VolumeField(4)}) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(compute.count(), 0);
        QCOMPARE(Form().m_pLevels->OverallText(), QString("0.00"));
        QVERIFY(!Form().m_pCompute->autoDefault() && !Form().m_pCompute->isDefault());
    }

    void aRoadWithoutLengthIsRefused()
    {
        Open();
        StoreNew({5, 5, 1, 5, 5, 1});
        QVERIFY(Working().empty());
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgRoadWithoutLength}));
    }
};

QTEST_MAIN(TestRoadInput)
#include "test_road_input.moc"
