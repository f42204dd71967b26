// The tunnel window driven through its widgets: the compute with the engine's tunnel
// emission over the plan length, storage per whole tunnel, duplicates and loading.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/night_source_panel.h"
#include "dialogs/pavement_selector.h"
#include "dialogs/traffic_group.h"
#include "dialogs/tunnel_input_dialog.h"
#include "engine/emission.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"

using namespace inputtest;

namespace {

constexpr double kLevelTol = 0.01;

struct CPortals {
    double sx, sy, sz, ex, ey, ez;
};

double Cell(const CBandRowWidget* row, int band) { return row->CellText(band).toDouble(); }

}  // namespace

class TestTunnelInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    const CTunnelFormWidgets& Open()
    {
        m_coordinator->OpenTunnelInput();
        return m_coordinator->TunnelWindow()->Form();
    }
    const CTunnelFormWidgets& Form() { return m_coordinator->TunnelWindow()->Form(); }
    const std::vector<CTunnel>& Working() { return m_coordinator->TunnelWindow()->WorkingList(); }
    void SetPortals(const CPortals& p)
    {
        const double start[] = {p.sx, p.sy, p.sz}, end[] = {p.ex, p.ey, p.ez};
        for (std::size_t a = 0; a < 3; ++a) {
            SetNumber(Form().m_start[a], start[a]);
            SetNumber(Form().m_end[a], end[a]);
        }
    }
    // A 10 m by 7 m box tunnel with trucks and cars.
    void SetCrossSectionAndTraffic()
    {
        SetNumber(Form().m_pWidth, 10);
        SetNumber(Form().m_pHeight, 7);
        for (int k = 0; k < kVehicleClassCount; ++k) {
            SetNumber(Form().m_pTraffic->SpeedField(k), 80);
            SetNumber(Form().m_pTraffic->VolumeField(k), 100);
        }
    }
    Bands Levels()
    {
        Bands levels{};
        for (int j = 0; j < kBandCount; ++j)
            levels[static_cast<std::size_t>(j)] = Cell(Form().m_pLevels, j);
        return levels;
    }

private slots:
    void init() { SetUpInputWindows(); }
    void cleanup() { TearDownInputWindows(); }

    void formOffersTwoPavementsFormsAndWallMaterials()
    {
        const auto& form = Open();
        QCOMPARE(m_coordinator->TunnelWindow()->windowTitle(), QStringLiteral("터널입력(검증 작업 중 입니다.)"));
        QCOMPARE(form.m_pPavement->StateList()->count(), 2);
        QCOMPARE(form.m_pPavement->StateList()->itemText(1), QStringLiteral("콘크리트 포장"));
        form.m_pPavement->StateList()->setCurrentIndex(1);
        QCOMPARE(form.m_pPavement->DetailList()->count(), 5);
        QCOMPARE(form.m_pForm->itemText(1), QStringLiteral("방원형"));
        QCOMPARE(form.m_pWall->itemText(2), QStringLiteral("전면흡음형"));
        QCOMPARE(form.m_pLanes->text(), QStringLiteral("2"));
        QCOMPARE(form.m_pDescription->text(), QStringLiteral("도로에 대한 설명을 입력하세요"));
    }

    void zeroHeightIsRefusedBeforeAnyTrafficCheck()
    {
        const auto& form = Open();
        SetPortals({0, 0, 0, 100, 0, 0});
        SetNumber(form.m_pWidth, 10);
        Click(form.m_pCompute);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgNoTunnelSize}));
        QCOMPARE(form.m_pLevels->CellText(0), QStringLiteral("0.00"));
        SetPortals({0, 0, 0, 0, 0, 0});
        Click(form.m_pCompute);
        QCOMPARE(m_boxes->m_texts.last(), QString::fromUtf8(kMsgNoTunnelGeometry));
    }

    void gradientCapsOnlyTheLargeTrucks()
    {
        const auto& form = Open();
        SetPortals({0, 0, 0, 100, 0, 0});
        SetCrossSectionAndTraffic();
        SetNumber(form.m_pGradient, 8);
        Click(form.m_pCompute);
        QVERIFY(m_boxes->m_texts.isEmpty());
        QCOMPARE(form.m_pTraffic->SpeedField(0)->text(), QStringLiteral("40.00"));
        QCOMPARE(form.m_pTraffic->SpeedField(1)->text(), QStringLiteral("80.00"));
        QCOMPARE(form.m_pTraffic->VolumeField(1)->text(), QStringLiteral("100.00"));
    }

    void nightTrafficGivesTheSameEmissionAsTheSameDayTraffic()
    {
        Open();
        SetPortals({0, 0, 0, 60, 80, 0});
        SetCrossSectionAndTraffic();
        Click(Form().m_pCompute);
        CNightSourcePanel* night = Form().m_pNight;
        night->TrafficBox()->setChecked(true);
        for (int k = 0; k < kVehicleClassCount; ++k) {
            SetNumber(night->Traffic()->SpeedField(k), 80);
            SetNumber(night->Traffic()->VolumeField(k), 100);
        }
        Click(night->ComputeButton());
        for (int j = 0; j < kBandCount; ++j)
            QVERIFY(std::abs(Cell(night->Levels(), j) - Levels()[static_cast<std::size_t>(j)]) < kLevelTol);
        Click(Form().m_pApply);
        QCOMPARE(Working().size(), std::size_t(1));
        QVERIFY(Working()[0].m_bNightTraffic && Working()[0].m_bNightPower);
        QVERIFY(std::abs(Working()[0].m_dNightPowerLevel[5] - Working()[0].m_dUserPowerLevel[5]) < kLevelTol);
    }

    void portalHeightsChangeNeitherLengthNorSpectrum()
    {
        Open();
        SetPortals({0, 0, 0, 60, 80, 0});
        SetCrossSectionAndTraffic();
        Click(Form().m_pCompute);
        const Bands level = Levels();
        SetPortals({0, 0, 5, 60, 80, 40});
        Click(Form().m_pCompute);
        for (int j = 0; j < kBandCount; ++j)
            QVERIFY(std::abs(Levels()[static_cast<std::size_t>(j)] - level[static_cast<std::size_t>(j)]) < kLevelTol);
        Click(Form().m_pApply);
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(Working()[0].m_dLength, 100.0);  // 60-80-100 in plan; Z left out
        // Stored for the whole tunnel: the cell plus 10 lg 100 = 20 dB.
        QVERIFY(std::abs(Working()[0].m_dUserPowerLevel[3] - (level[3] + 20.0)) < kLevelTol);
        QVERIFY(std::abs(Cell(Form().m_pLevels, 3) - level[3]) < kLevelTol);  // reloaded per metre
    }

    void reversedPortalsAreDuplicatesButAnotherEndHeightIsNot()
    {
        Open();
        SetPortals({0, 0, 1, 100, 0, 2});
        Click(Form().m_pApply);
        Form().m_pId->setCurrentIndex(0);
        SetPortals({100, 0, 2, 0, 0, 1});
        Click(Form().m_pApply);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateTunnel}));
        SetPortals({0, 0, 1, 100, 0, 3});
        Click(Form().m_pApply);
        QCOMPARE(Working().size(), std::size_t(2));
        QCOMPARE(m_boxes->m_texts.size(), 1);
    }

    void portalsOnOnePlanPointAreRefused()
    {
        Open();
        SetPortals({10, 10, 0, 10, 10, 30});
        Click(Form().m_pApply);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgTunnelWithoutLength}));
        QVERIFY(Working().empty());
    }

    void loadingShowsLevelsPerMetreAndTheTunnelsChoices()
    {
        CTunnel t;
        t.m_dEndX = 100;
        t.m_dLength = 100;
        t.m_pKey = t.MakeIdentity();
        t.m_nLaneCount = 3;
        t.m_nTunnelForm = 1;
        t.m_nWallMaterial = 2;
        t.m_nPavementState = 1;
        t.m_nPavementDetail = 4;
        t.m_nVehicleClassMode = 1;
        t.m_dSpeed[4] = 100;
        t.m_dUserPowerLevel.fill(90);
        m_doc.m_arrTunnel.push_back(t);
        const auto& form = Open();
        form.m_pId->setCurrentIndex(1);
        QCOMPARE(form.m_pLevels->CellText(0), QStringLiteral("70.00"));
        QCOMPARE(form.m_pLanes->text(), QStringLiteral("3"));
        QCOMPARE(form.m_pForm->currentIndex(), 1);
        QCOMPARE(form.m_pWall->currentIndex(), 2);
        QCOMPARE(form.m_pPavement->DetailList()->currentText(), QStringLiteral("RAND"));
        QCOMPARE(form.m_pTraffic->SpeedField(4)->text(), QStringLiteral("100.00"));
    }

    void commitReplacesTheTunnelsAndEmptiesTheDerivedLists()
    {
        m_doc.m_arrTunnel.resize(1);
        m_doc.m_arrEmbankmentSection.resize(3);
        const auto& form = Open();
        form.m_pId->setCurrentIndex(1);
        Click(form.m_pDelete);
        SetPortals({0, 0, 0, 50, 0, 0});
        Click(form.m_pOk);
        QVERIFY(m_coordinator->TunnelWindow() == nullptr);
        QCOMPARE(m_doc.m_arrTunnel.size(), std::size_t(1));
        QCOMPARE(m_doc.m_arrTunnel[0].m_dLength, 50.0);
        QVERIFY(m_doc.m_arrEmbankmentSection.empty());
    }
};

QTEST_MAIN(TestTunnelInput)
#include "test_tunnel_input.moc"
