#include "dialogs/road_input_dialog.h"

#include <cmath>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/id_list.h"
#include "dialogs/message_box.h"
#include "dialogs/number_fields.h"
#include "dialogs/pavement_selector.h"
#include "dialogs/road_kind_panel.h"
#include "dialogs/traffic_group.h"
#include "engine/emission.h"

namespace {

constexpr int kRoadKeyCoordinates = 6;
constexpr double kMaxGradient = 90.0;  // per cent

std::string ReversedKey(const CRoad& road)
{
    return MakeKey({road.m_dEndX, road.m_dEndY, road.m_dEndZ, road.m_dStartX, road.m_dStartY, road.m_dStartZ});
}

// 10*lg(length): what turns a level per metre into the level of the whole road.
double LengthTerm(double length) { return 10.0 * std::log10(length); }

// Per-metre level of a stored road band; no energy stays no energy.
double PerMetreLevel(double stored, double length)
{
    return HasEnergy(stored) && length > 0.0 ? stored - LengthTerm(length) : kNoEnergy;
}

QLineEdit* AddField(QGridLayout* grid, int row, int column, const QString& label, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    grid->addWidget(new QLabel(label, parent), row, column);
    grid->addWidget(field, row, column + 1);
    return field;
}

}  // namespace

Input_Road_dlg::Input_Road_dlg(const std::vector<CRoad>& roads, QWidget* parent)
    : QDialog(parent), m_arrRoad(roads)
{
    setWindowTitle(QStringLiteral("도로 입력"));
    setModal(false);
    BuildForm();
    FillIdList(m_form.m_pId, static_cast<int>(m_arrRoad.size()));
    ResetForm();
}

void Input_Road_dlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    m_form.m_pId = new QComboBox(this);
    top->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 0);
    top->addWidget(m_form.m_pId, 0, 1);
    m_form.m_pDescription = AddField(top, 0, 2, QStringLiteral("설명"), this);
    layout->addLayout(top);
    layout->addWidget(MakeGeometryGroup());
    m_form.m_pPavement = new CPavementSelector(this);
    layout->addWidget(m_form.m_pPavement);
    m_form.m_pKind = new CRoadKindPanel(this);
    layout->addWidget(m_form.m_pKind);
    m_form.m_pTraffic = new CTrafficGroup(this);
    layout->addWidget(m_form.m_pTraffic);
    m_form.m_pCompute = new QPushButton(QStringLiteral("단위길이당 음향파워레벨 산정"), this);
    layout->addWidget(m_form.m_pCompute);
    layout->addWidget(new QLabel(QStringLiteral("사용자 정의 음향파워레벨 (dBA/m)"), this));
    m_form.m_pLevels = new CBandRowWidget(QString(), CBandRowWidget::EOverall::Shown, QString(), this);
    layout->addWidget(m_form.m_pLevels);
    layout->addWidget(MakeButtonRow());

    connect(m_form.m_pId, &QComboBox::currentIndexChanged, this, &Input_Road_dlg::OnIdSelected);
    connect(m_form.m_pCompute, &QPushButton::clicked, this, &Input_Road_dlg::OnCompute);
    connect(m_form.m_pLevels, &CBandRowWidget::EditingChanged, this, &Input_Road_dlg::OnLevelEditing);
}

QWidget* Input_Road_dlg::MakeGeometryGroup()
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList axes = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    grid->addWidget(new QLabel(QStringLiteral("도로 시작점 (m)"), group), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("도로 종료점 (m)"), group), 1, 0);
    for (int a = 0; a < 3; ++a) {
        m_form.m_start[static_cast<std::size_t>(a)] = AddField(grid, 0, 1 + 2 * a, axes[a], group);
        m_form.m_end[static_cast<std::size_t>(a)] = AddField(grid, 1, 1 + 2 * a, axes[a], group);
    }
    m_form.m_pWidth = AddField(grid, 2, 0, QStringLiteral("도로 폭 (m)"), group);
    m_form.m_pSourceCount = AddField(grid, 2, 2, QStringLiteral("이산 소음원 개수"), group);
    m_form.m_pGradient = AddField(grid, 2, 4, QStringLiteral("도로 경사도 (%)"), group);
    return group;
}

QWidget* Input_Road_dlg::MakeButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const QString& text, auto slot) {
        auto* button = new QPushButton(text, row);
        button->setAutoDefault(false);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    m_form.m_pApply = add(QStringLiteral("적용(&A)"), &Input_Road_dlg::OnApply);
    m_form.m_pOk = add(QStringLiteral("확인(&D)"), &Input_Road_dlg::OnOk);
    m_form.m_pCopy = add(QStringLiteral("복사(O)"), &Input_Road_dlg::OnCopy);
    m_form.m_pCancel = add(QStringLiteral("취소(&C)"), &Input_Road_dlg::reject);
    m_form.m_pDelete = add(QStringLiteral("제거(&X)"), &Input_Road_dlg::DeleteRequested);
    return row;
}

void Input_Road_dlg::SetModalRunner(ModalRunner runner) { m_form.m_pKind->SetModalRunner(std::move(runner)); }

int Input_Road_dlg::EditedIndex() const { return SelectedPosition(m_form.m_pId); }

// Everything but the level row, in the order the fields are read (first failure wins).
bool Input_Road_dlg::ReadForm(CFormReader& reader, CRoad& road) const
{
    double* start[] = {&road.m_dStartX, &road.m_dStartY, &road.m_dStartZ};
    double* end[] = {&road.m_dEndX, &road.m_dEndY, &road.m_dEndZ};
    for (std::size_t a = 0; a < 3; ++a)
        if (!reader.Double(m_form.m_start[a], *start[a]) || !reader.Double(m_form.m_end[a], *end[a]))
            return false;
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
std::optional<CRoad> Input_Road_dlg::BuildRoadFromForm()
{
    CRoad road;
    CFormReader reader(this);
    if (!ReadForm(reader, road))
        return std::nullopt;
    const auto levels = m_form.m_pLevels->Values();
    if (!levels) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgEnterNumber));
        return std::nullopt;
    }
    road.SetKey(road.MakeIdentity());
    road.m_dLength = road.Length3D();
    road.ComputeAngle();
    const bool ignored = road.m_pKey == ZeroKey(kRoadKeyCoordinates);
    if (!ignored && !(road.m_dLength > 0.0)) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgRoadWithoutLength));
        return std::nullopt;
    }
    for (std::size_t j = 0; j < kBandCount; ++j)
        road.m_dUserPowerLevel[j] = ignored ? (*levels)[j] : (*levels)[j] + LengthTerm(road.m_dLength);
    return road;
}

void Input_Road_dlg::OnCompute()
{
    CRoad road;
    CFormReader reader(this);
    if (!ReadForm(reader, road))
        return;
    const CEmissionResult result = ComputeEmission(EmissionInputOf(road));
    if (!result.ok) {
        MessageBoxes().Information(this, QString::fromUtf8(result.message.c_str()));
        return;
    }
    m_form.m_pTraffic->Show(result.m_dSpeed, road.m_dVolume);
    m_form.m_pLevels->SetValues(result.m_dLevel);
}

void Input_Road_dlg::OnApply()
{
    m_pendingRoad = BuildRoadFromForm();
    m_nPendingIndex = EditedIndex();
    if (m_pendingRoad)
        emit StoreRequested();
}

// A store refused as a duplicate does not hold the commit back; a form that does not read does.
void Input_Road_dlg::OnOk()
{
    m_pendingRoad = BuildRoadFromForm();
    m_nPendingIndex = EditedIndex();
    if (!m_pendingRoad)
        return;
    m_form.m_pLevels->Reset();
    emit CommitRequested();
}

void Input_Road_dlg::OnCopy() { SelectPosition(m_form.m_pId, -1); }

EStoreResult Input_Road_dlg::StorePending()
{
    if (!m_pendingRoad)
        return EStoreResult::Ignored;
    const CRoad road = *std::exchange(m_pendingRoad, std::nullopt);
    const EStoreResult result = StoreEntity(m_arrRoad, road, m_nPendingIndex, ReversedKey(road), kRoadKeyCoordinates);
    if (ShowStoreResult(result, this, m_form.m_pId, kMsgDuplicateRoad))
        LoadRoad(EditedIndex());
    return result;
}

bool Input_Road_dlg::DeleteSelected()
{
    if (!RemoveEntity(m_arrRoad, EditedIndex()))
        return false;
    DropLastIdAndSelectNew(m_form.m_pId);
    ResetForm();
    return true;
}

void Input_Road_dlg::OnIdSelected()
{
    const int index = EditedIndex();
    if (index < 0)
        ResetForm();
    else
        LoadRoad(index);
}

void Input_Road_dlg::LoadRoad(int index)
{
    if (index < 0 || index >= static_cast<int>(m_arrRoad.size()))
        return;
    const CRoad& road = m_arrRoad[static_cast<std::size_t>(index)];
    const double start[] = {road.m_dStartX, road.m_dStartY, road.m_dStartZ};
    const double end[] = {road.m_dEndX, road.m_dEndY, road.m_dEndZ};
    for (std::size_t a = 0; a < 3; ++a) {
        m_form.m_start[a]->setText(Fixed2(start[a]));
        m_form.m_end[a]->setText(Fixed2(end[a]));
    }
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
    Bands perMetre{};
    for (std::size_t j = 0; j < kBandCount; ++j)
        perMetre[j] = PerMetreLevel(road.m_dUserPowerLevel[j], road.m_dLength);
    m_form.m_pLevels->SetValues(perMetre);
    emit FormChanged();
}

void Input_Road_dlg::ResetForm()
{
    m_form.m_pDescription->setText(QString::fromUtf8(kDefaultRoadDescription));
    for (std::size_t a = 0; a < 3; ++a) {
        m_form.m_start[a]->setText(QStringLiteral("0"));
        m_form.m_end[a]->setText(QStringLiteral("0"));
    }
    m_form.m_pWidth->setText(QStringLiteral("3.6"));
    m_form.m_pSourceCount->setText(QStringLiteral("185"));
    m_form.m_pGradient->setText(QStringLiteral("0.00"));
    m_form.m_pPavement->Reset();
    m_form.m_pKind->Reset();
    m_form.m_pTraffic->Reset();
    m_form.m_pLevels->Reset();
    emit FormChanged();
}

void Input_Road_dlg::OnLevelEditing(bool editing)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_form.m_pId, m_form.m_pCompute, m_form.m_pApply, m_form.m_pOk,
                                                      m_form.m_pCopy, m_form.m_pCancel, m_form.m_pDelete})
        w->setEnabled(!editing);
}

void Input_Road_dlg::reject() { emit CloseRequested(); }

void Input_Road_dlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
