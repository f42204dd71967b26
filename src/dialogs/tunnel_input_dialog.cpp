#include "dialogs/tunnel_input_dialog.h"

#include <cmath>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/night_source_panel.h"
#include "dialogs/number_fields.h"
#include "dialogs/pavement_selector.h"
#include "dialogs/traffic_group.h"
#include "engine/emission.h"
#include "ui/message_box.h"

namespace {

constexpr int kTunnelKeyCoordinates = 6;
constexpr double kMaxTunnelGradient = 90.0;  // per cent
constexpr int kMaxLanes = 100;

double PlanLength(const CTunnel& t) { return std::hypot(t.m_dEndX - t.m_dStartX, t.m_dEndY - t.m_dStartY); }

// Tunnels are paved with asphalt or concrete only.
void KeepTunnelPavements(CPavementSelector* pavement)
{
    QComboBox* states = pavement->StateList();
    while (states->count() > 2)
        states->removeItem(states->count() - 1);
    states->setItemText(0, QStringLiteral("아스팔트 포장"));
    states->setItemText(1, QStringLiteral("콘크리트 포장"));
}

QComboBox* AddChoice(QGridLayout* grid, int row, const QString& label, const QStringList& entries, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(entries);
    grid->addWidget(new QLabel(label, parent), row, 0);
    grid->addWidget(list, row, 1);
    return list;
}

}  // namespace

std::string ReversedTunnelKey(const CTunnel& t)
{
    return MakeKey({t.m_dEndX, t.m_dEndY, t.m_dEndZ, t.m_dStartX, t.m_dStartY, t.m_dStartZ});
}

CInputTunnelDlg::CInputTunnelDlg(const std::vector<CTunnel>& tunnels, QWidget* parent)
    : CEntityInputDlgOf(QStringLiteral("터널입력(검증 작업 중 입니다.)"), kMsgDuplicateTunnel, tunnels,
                        {ReversedTunnelKey, kTunnelKeyCoordinates}, parent)
{
    BuildForm();
    Start();
}

void CInputTunnelDlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    AddIdRow(layout, m_form);
    layout->addWidget(MakeGeometryGroup());
    m_form.m_pPavement = new CPavementSelector(this);
    KeepTunnelPavements(m_form.m_pPavement);
    layout->addWidget(m_form.m_pPavement);
    layout->addWidget(MakeSectionGroup());
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

    connect(m_form.m_pCompute, &QPushButton::clicked, this, &CInputTunnelDlg::OnCompute);
    connect(m_form.m_pLevels, &CBandRowWidget::EditingChanged, this, &CInputTunnelDlg::OnLevelEditing);
    connect(m_form.m_pNight, &CNightSourcePanel::editingChanged, this, &CInputTunnelDlg::OnLevelEditing);
    connect(m_form.m_pNight, &CNightSourcePanel::computeRequested, this, &CInputTunnelDlg::OnNightCompute);
    connect(m_form.m_pTraffic->ModeList(), &QComboBox::currentIndexChanged, this,
            [this] { m_form.m_pNight->FollowMode(m_form.m_pTraffic->Mode()); });
}

QWidget* CInputTunnelDlg::MakeGeometryGroup()
{
    QGridLayout* grid = nullptr;
    QWidget* group = NewGridPanel(this, grid);
    AddEndRows(grid, group, QStringLiteral("터널 시작점 (m)"), QStringLiteral("터널 종료점 (m)"), m_form.m_start,
               m_form.m_end);
    m_form.m_pLanes = AddLabelledField(grid, 2, 0, QStringLiteral("터널 차선"), group);
    m_form.m_pGradient = AddLabelledField(grid, 2, 2, QStringLiteral("도로 경사도(%)"), group);
    return group;
}

QWidget* CInputTunnelDlg::MakeSectionGroup()
{
    QGridLayout* grid = nullptr;
    QWidget* group = NewGridPanel(this, grid);
    m_form.m_pForm =
        AddChoice(grid, 0, QStringLiteral("터널 형태"), {QStringLiteral("박스형"), QStringLiteral("방원형")}, group);
    m_form.m_pWall =
        AddChoice(grid, 1, QStringLiteral("벽면 재질"),
                  {QStringLiteral("콘크리트형"), QStringLiteral("측면흡음형"), QStringLiteral("전면흡음형")}, group);
    m_form.m_pWidth = AddLabelledField(grid, 0, 2, QStringLiteral("터널 폭 (m)"), group);
    m_form.m_pHeight = AddLabelledField(grid, 1, 2, QStringLiteral("터널 높이 (m)"), group);
    return group;
}

QWidget* CInputTunnelDlg::MakeButtonRow()
{
    QHBoxLayout* layout = nullptr;
    QWidget* row = NewRowPanel(this, layout);
    m_form.m_pOk = AddCommandButton(layout, QStringLiteral("확인(&D)"), row);
    m_form.m_pApply = AddCommandButton(layout, QStringLiteral("적용(&A)"), row);
    m_form.m_pCancel = AddCommandButton(layout, QStringLiteral("취소(&C)"), row);
    m_form.m_pDelete = AddCommandButton(layout, QStringLiteral("제거(&X)"), row);
    ConnectCommands(m_form);
    return row;
}

// Everything but the level row, in the order the fields are read (first failure wins).
bool CInputTunnelDlg::ReadForm(CFormReader& reader, CTunnel& t) const
{
    ReadEnds(reader, m_form.m_start, m_form.m_end, {&t.m_dStartX, &t.m_dStartY, &t.m_dStartZ},
             {&t.m_dEndX, &t.m_dEndY, &t.m_dEndZ});
    reader.IntInRange(m_form.m_pLanes, t.m_nLaneCount, 1, kMaxLanes);
    reader.DoubleInRange(m_form.m_pGradient, t.m_dGradient, 0.0, kMaxTunnelGradient);
    reader.Double(m_form.m_pWidth, t.m_dWidth);
    reader.Double(m_form.m_pHeight, t.m_dHeight);
    if (!reader.Ok() || !m_form.m_pTraffic->Read(reader, t.m_dSpeed, t.m_dVolume))
        return false;
    t.m_nVehicleClassMode = m_form.m_pTraffic->Mode();
    t.m_nPavementState = m_form.m_pPavement->State();
    t.m_nPavementDetail = m_form.m_pPavement->Detail();
    t.m_nTunnelForm = m_form.m_pForm->currentIndex();
    t.m_nWallMaterial = m_form.m_pWall->currentIndex();
    t.m_pDescription = m_form.m_pDescription->text().toStdString();
    t.m_dLength = PlanLength(t);
    return true;
}

void CInputTunnelDlg::OnCompute()
{
    CTunnel tunnel;
    CFormReader reader(this);
    if (ReadForm(reader, tunnel))
        ShowComputedLevels(this, EmissionInputOf(tunnel), m_form.m_pTraffic, m_form.m_pLevels);
}

// The tunnel as a store would keep it: the cells as they stand plus 10*lg(plan length).
std::optional<CTunnel> CInputTunnelDlg::BuildFromForm()
{
    CTunnel tunnel;
    CFormReader reader(this);
    if (!ReadForm(reader, tunnel))
        return std::nullopt;
    const auto perMetre = ReadBandRow(this, m_form.m_pLevels);
    if (!perMetre)
        return std::nullopt;
    tunnel.m_pKey = tunnel.MakeIdentity();
    tunnel.ComputeAngle();
    const bool ignored = tunnel.m_pKey == ZeroKey(kTunnelKeyCoordinates);
    const auto levels = WholeLengthLevels(this, *perMetre, ignored, tunnel.m_dLength, kMsgTunnelWithoutLength);
    if (!levels)
        return std::nullopt;
    tunnel.m_dUserPowerLevel = *levels;
    const auto night = m_form.m_pNight->Read(this, reader);
    if (!night)
        return std::nullopt;
    tunnel.m_bNightTraffic = night->m_bTraffic;
    tunnel.m_dNightSpeed = night->m_dSpeed;
    tunnel.m_dNightVolume = night->m_dVolume;
    tunnel.m_bNightPower = night->m_bPower;
    if (night->m_bPower) {
        const auto nightLevels =
            WholeLengthLevels(this, night->m_dPerMetre, ignored, tunnel.m_dLength, kMsgTunnelWithoutLength);
        if (!nightLevels)
            return std::nullopt;
        tunnel.m_dNightPowerLevel = *nightLevels;
    }
    return tunnel;
}

// The night powers come from the same emission as the day's, of the night traffic.
void CInputTunnelDlg::OnNightCompute()
{
    CTunnel tunnel;
    CFormReader reader(this);
    if (!ReadForm(reader, tunnel))
        return;
    if (const auto night = m_form.m_pNight->Read(this, reader))
        m_form.m_pNight->ComputeNight(this, tunnel, *night);
}

void CInputTunnelDlg::ClearBeforeCommit() { m_form.m_pLevels->Reset(); }

void CInputTunnelDlg::Show(const CTunnel& t)
{
    ShowEnds(m_form.m_start, m_form.m_end, {t.m_dStartX, t.m_dStartY, t.m_dStartZ}, {t.m_dEndX, t.m_dEndY, t.m_dEndZ});
    m_form.m_pWidth->setText(Fixed2(t.m_dWidth));
    m_form.m_pHeight->setText(Fixed2(t.m_dHeight));
    m_form.m_pGradient->setText(Fixed2(t.m_dGradient));
    m_form.m_pDescription->setText(QString::fromStdString(t.m_pDescription));
    m_form.m_pForm->setCurrentIndex(t.m_nTunnelForm == 1 ? 1 : 0);
    m_form.m_pWall->setCurrentIndex(t.m_nWallMaterial >= 0 && t.m_nWallMaterial < 3 ? t.m_nWallMaterial : 0);
    m_form.m_pPavement->Set(t.m_nPavementState, t.m_nPavementDetail);
    // A two-class tunnel comes back with its two classes, so that storing it again does
    // not turn it into a five-class tunnel with stale traffic.
    m_form.m_pTraffic->SetMode(t.m_nVehicleClassMode);
    m_form.m_pTraffic->Show(t.m_dSpeed, t.m_dVolume);
    m_form.m_pLanes->setText(QString::number(t.m_nLaneCount));
    m_form.m_pLevels->SetValues(PerMetreLevels(t.m_dUserPowerLevel, t.m_dLength));
    m_form.m_pNight->Show({t.m_bNightTraffic, t.m_dNightSpeed, t.m_dNightVolume, t.m_bNightPower,
                           PerMetreLevels(t.m_dNightPowerLevel, t.m_dLength)});
    emit FormChanged();
}

void CInputTunnelDlg::ResetForm()
{
    m_form.m_pDescription->setText(QString::fromUtf8(kDefaultTunnelDescription));
    ClearEnds(m_form.m_start, m_form.m_end);
    m_form.m_pLanes->setText(QStringLiteral("2"));
    m_form.m_pGradient->setText(QStringLiteral("0.00"));
    m_form.m_pWidth->setText(QStringLiteral("0"));
    m_form.m_pHeight->setText(QStringLiteral("0"));
    m_form.m_pForm->setCurrentIndex(0);
    m_form.m_pWall->setCurrentIndex(0);
    m_form.m_pPavement->Reset();
    m_form.m_pTraffic->Reset();
    m_form.m_pLevels->Reset();
    m_form.m_pNight->Reset();
    emit FormChanged();
}

void CInputTunnelDlg::OnLevelEditing(bool editing)
{
    SetWidgetsEnabled(
        {m_form.m_pId, m_form.m_pCompute, m_form.m_pApply, m_form.m_pOk, m_form.m_pCancel, m_form.m_pDelete}, !editing);
}
