#include "dialogs/road_input_dialog.h"

#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/night_source_panel.h"
#include "dialogs/number_fields.h"
#include "dialogs/pavement_selector.h"
#include "dialogs/road_kind_panel.h"
#include "dialogs/traffic_group.h"
#include "engine/emission.h"
#include "ui/message_box.h"

namespace {

constexpr int kRoadKeyCoordinates = 6;
constexpr double kMaxGradient = 90.0;  // per cent

std::string ReversedKey(const CRoad& road)
{
    return MakeKey({road.m_dEndX, road.m_dEndY, road.m_dEndZ, road.m_dStartX, road.m_dStartY, road.m_dStartZ});
}

}  // namespace

Input_Road_dlg::Input_Road_dlg(const std::vector<CRoad>& roads, QWidget* parent)
    : CEntityInputDlgOf(QStringLiteral("도로 입력"), kMsgDuplicateRoad, roads, {ReversedKey, kRoadKeyCoordinates},
                        parent)
{
    BuildForm();
    Start();
}

void Input_Road_dlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    AddIdRow(layout, m_form);
    layout->addWidget(MakeGeometryGroup());
    m_form.m_pPavement = new CPavementSelector(this);
    layout->addWidget(m_form.m_pPavement);
    m_form.m_pKind = new CRoadKindPanel(this);
    layout->addWidget(m_form.m_pKind);
    // The day's traffic and powers on the left, the night's beside them.
    auto* periods = new QHBoxLayout;
    auto* day = new QVBoxLayout;
    m_form.m_pTraffic = new CTrafficGroup(this);
    day->addWidget(m_form.m_pTraffic);
    AddLevelRows(day, this, m_form.m_pCompute, m_form.m_pLevels);
    day->addStretch(1);
    periods->addLayout(day, 1);
    m_form.m_pNight = new CNightSourcePanel(this);
    periods->addWidget(m_form.m_pNight, 1);
    layout->addLayout(periods);
    layout->addWidget(MakeButtonRow());

    connect(m_form.m_pCompute, &QPushButton::clicked, this, &Input_Road_dlg::OnCompute);
    connect(m_form.m_pLevels, &CBandRowWidget::EditingChanged, this, &Input_Road_dlg::OnLevelEditing);
    connect(m_form.m_pNight, &CNightSourcePanel::editingChanged, this, &Input_Road_dlg::OnLevelEditing);
    connect(m_form.m_pNight, &CNightSourcePanel::computeRequested, this, &Input_Road_dlg::OnNightCompute);
    connect(m_form.m_pTraffic->ModeList(), &QComboBox::currentIndexChanged, this,
            [this] { m_form.m_pNight->FollowMode(m_form.m_pTraffic->Mode()); });
}

QWidget* Input_Road_dlg::MakeGeometryGroup()
{
    QGridLayout* grid = nullptr;
    QWidget* group = NewGridPanel(this, grid);
    AddEndRows(grid, group, QStringLiteral("도로 시작점 (m)"), QStringLiteral("도로 종료점 (m)"), m_form.m_start,
               m_form.m_end);
    m_form.m_pWidth = AddLabelledField(grid, 2, 0, QStringLiteral("도로 폭 (m)"), group);
    m_form.m_pSourceCount = AddLabelledField(grid, 2, 2, QStringLiteral("이산 소음원 개수"), group);
    m_form.m_pGradient = AddLabelledField(grid, 2, 4, QStringLiteral("도로 경사도 (%)"), group);
    return group;
}

QWidget* Input_Road_dlg::MakeButtonRow()
{
    QHBoxLayout* layout = nullptr;
    QWidget* row = NewRowPanel(this, layout);
    m_form.m_pApply = AddCommandButton(layout, QStringLiteral("적용(&A)"), row);
    m_form.m_pOk = AddCommandButton(layout, QStringLiteral("확인(&D)"), row);
    m_form.m_pCopy = AddCommandButton(layout, QStringLiteral("복사(O)"), row);
    m_form.m_pCancel = AddCommandButton(layout, QStringLiteral("취소(&C)"), row);
    m_form.m_pDelete = AddCommandButton(layout, QStringLiteral("제거(&X)"), row);
    ConnectCommands(m_form);
    return row;
}

void Input_Road_dlg::SetModalRunner(ModalRunner runner) { m_form.m_pKind->SetModalRunner(std::move(runner)); }

// Everything but the level row, in the order the fields are read (first failure wins).
bool Input_Road_dlg::ReadForm(CFormReader& reader, CRoad& road) const
{
    ReadEnds(reader, m_form.m_start, m_form.m_end, {&road.m_dStartX, &road.m_dStartY, &road.m_dStartZ},
             {&road.m_dEndX, &road.m_dEndY, &road.m_dEndZ});
    reader.Double(m_form.m_pWidth, road.m_dWidth);
    reader.IntInRange(m_form.m_pSourceCount, road.m_nSourceCount, 1, kMaxSourceCount);
    reader.DoubleInRange(m_form.m_pGradient, road.m_dGradient, 0.0, kMaxGradient);
    if (!reader.Ok() || !m_form.m_pTraffic->Read(reader, road.m_dSpeed, road.m_dVolume))
        return false;
    road.SetPavement(m_form.m_pTraffic->Mode(), m_form.m_pPavement->State(), m_form.m_pPavement->Detail());
    road.m_nRoadInfo = m_form.m_pKind->Kind();
    m_form.m_pKind->Bridge().ApplyTo(road);
    road.m_dCorrection = m_form.m_pKind->Corrections();
    road.SetDescription(m_form.m_pDescription->text().toStdString());
    return true;
}

// The road as a store would keep it: the cells as they stand plus 10*lg(length).
std::optional<CRoad> Input_Road_dlg::BuildFromForm()
{
    CRoad road;
    CFormReader reader(this);
    if (!ReadForm(reader, road))
        return std::nullopt;
    const auto perMetre = ReadBandRow(this, m_form.m_pLevels);
    if (!perMetre)
        return std::nullopt;
    road.SetKey(road.MakeIdentity());
    road.m_dLength = road.Length3D();
    road.ComputeAngle();
    const bool ignored = road.m_pKey == ZeroKey(kRoadKeyCoordinates);
    const auto levels = WholeLengthLevels(this, *perMetre, ignored, road.m_dLength, kMsgRoadWithoutLength);
    if (!levels)
        return std::nullopt;
    road.m_dUserPowerLevel = *levels;
    const auto night = m_form.m_pNight->Read(this, reader);
    if (!night)
        return std::nullopt;
    road.m_bNightTraffic = night->m_bTraffic;
    road.m_dNightSpeed = night->m_dSpeed;
    road.m_dNightVolume = night->m_dVolume;
    road.m_bNightPower = night->m_bPower;
    if (night->m_bPower) {
        const auto nightLevels =
            WholeLengthLevels(this, night->m_dPerMetre, ignored, road.m_dLength, kMsgRoadWithoutLength);
        if (!nightLevels)
            return std::nullopt;
        road.m_dNightPowerLevel = *nightLevels;
    }
    return road;
}

// The night powers come from the same emission as the day's, of the night traffic.
void Input_Road_dlg::OnNightCompute()
{
    CRoad road;
    CFormReader reader(this);
    if (!ReadForm(reader, road))
        return;
    if (const auto night = m_form.m_pNight->Read(this, reader))
        m_form.m_pNight->ComputeNight(this, road, *night);
}

void Input_Road_dlg::OnCompute()
{
    CRoad road;
    CFormReader reader(this);
    if (ReadForm(reader, road))
        ShowComputedLevels(this, EmissionInputOf(road), m_form.m_pTraffic, m_form.m_pLevels);
}

void Input_Road_dlg::ClearBeforeCommit() { m_form.m_pLevels->Reset(); }

void Input_Road_dlg::Show(const CRoad& road)
{
    ShowEnds(m_form.m_start, m_form.m_end, {road.m_dStartX, road.m_dStartY, road.m_dStartZ},
             {road.m_dEndX, road.m_dEndY, road.m_dEndZ});
    m_form.m_pWidth->setText(Fixed2(road.m_dWidth));
    m_form.m_pGradient->setText(Fixed2(road.m_dGradient));
    m_form.m_pKind->SetBridge(CBridgeSettings::FromRoad(road));
    m_form.m_pKind->SetCorrections(road.m_dCorrection);
    m_form.m_pKind->SetKind(road.m_nRoadInfo);
    // A two-class road comes back in two-class mode with its two classes, so that storing
    // it again does not turn it into a five-class road with stale traffic.
    m_form.m_pTraffic->SetMode(road.m_nVehicleClassMode);
    m_form.m_pTraffic->Show(road.m_dSpeed, road.m_dVolume);
    m_form.m_pPavement->Set(road.m_nPavementState, road.m_nPavementDetail);
    m_form.m_pSourceCount->setText(QString::number(road.m_nSourceCount));
    m_form.m_pDescription->setText(QString::fromStdString(road.m_pDescription));
    m_form.m_pLevels->SetValues(PerMetreLevels(road.m_dUserPowerLevel, road.m_dLength));
    m_form.m_pNight->Show({road.m_bNightTraffic, road.m_dNightSpeed, road.m_dNightVolume, road.m_bNightPower,
                           PerMetreLevels(road.m_dNightPowerLevel, road.m_dLength)});
    emit FormChanged();
}

void Input_Road_dlg::ResetForm()
{
    m_form.m_pDescription->setText(QString::fromUtf8(kDefaultRoadDescription));
    ClearEnds(m_form.m_start, m_form.m_end);
    m_form.m_pWidth->setText(QStringLiteral("3.6"));
    m_form.m_pSourceCount->setText(QStringLiteral("185"));
    m_form.m_pGradient->setText(QStringLiteral("0.00"));
    m_form.m_pPavement->Reset();
    m_form.m_pKind->Reset();
    m_form.m_pTraffic->Reset();
    m_form.m_pLevels->Reset();
    m_form.m_pNight->Reset();
    emit FormChanged();
}

void Input_Road_dlg::OnLevelEditing(bool editing)
{
    SetWidgetsEnabled({m_form.m_pId, m_form.m_pCompute, m_form.m_pApply, m_form.m_pOk, m_form.m_pCopy, m_form.m_pCancel,
                       m_form.m_pDelete},
                      !editing);
}
