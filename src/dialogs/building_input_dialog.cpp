#include "dialogs/building_input_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "dialogs/absorption_preset_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/building_vertex_table.h"
#include "dialogs/id_list.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "dialogs/zone_delegate.h"
#include "model/building_check.h"
#include "model/footprint.h"
#include "ui/message_box.h"

namespace {

const QString kBuildingAbsorptionEmptyBox = QStringLiteral("0.00");
const QStringList kListHeaders = {QStringLiteral("ID"),       QStringLiteral("이름"),     QStringLiteral("층수"),
                                  QStringLiteral("층고 (m)"), QStringLiteral("높이 (m)"), QStringLiteral("꼭짓점"),
                                  QStringLiteral("지역")};

QTableWidgetItem* BuildingCell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

CBuildingInputDlg::CBuildingInputDlg(const std::vector<CBuilding>& buildings, const double& baseHeight, QWidget* parent)
    : CEntityInputDlg(QStringLiteral("건물 입력"), "", parent), m_dBaseHeight(baseHeight), m_list(buildings)
{
    BuildForm();
    RefreshList();
    Start();
}

CBuildingInputDlg::~CBuildingInputDlg() { delete m_pPresets.data(); }

PresetDataDlg* CBuildingInputDlg::PresetPicker() const { return m_pPresets; }

const std::vector<CMVector>& CBuildingInputDlg::FootprintDraft() const { return m_form.m_pVertices->Draft(); }

void CBuildingInputDlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    AddIdRow(layout, m_form, QStringLiteral("이름"));
    m_form.m_pDescription->setPlaceholderText(QStringLiteral("예: 101동"));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(MakeListTable(), 1);
    left->addWidget(MakeStoreyGroup());
    columns->addLayout(left, 3);
    columns->addWidget(MakeFootprintGroup(), 2);
    layout->addLayout(columns, 1);
    layout->addWidget(MakeAbsorptionGroup());
    layout->addWidget(MakeButtonRow());
}

QWidget* CBuildingInputDlg::MakeListTable()
{
    m_form.m_pList = new QTableWidget(0, int(kListHeaders.size()), this);
    m_form.m_pList->setHorizontalHeaderLabels(kListHeaders);
    m_form.m_pList->verticalHeader()->hide();
    m_form.m_pList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_form.m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_form.m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_form.m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_form.m_pList->setMinimumHeight(120);
    connect(m_form.m_pList, &QTableWidget::cellClicked, this, [this](int row, int) { OnListClicked(row); });
    return m_form.m_pList;
}

QWidget* CBuildingInputDlg::MakeStoreyGroup()
{
    auto* group = new QGroupBox(QStringLiteral("건물"), this);
    auto* grid = new QGridLayout(group);
    m_form.m_pFloors = AddLabelledField(grid, 0, 0, QStringLiteral("층수"), group);
    m_form.m_pFloorHeight = AddLabelledField(grid, 0, 2, QStringLiteral("층고 (m)"), group);
    m_form.m_pHeight = AddLabelledField(grid, 1, 0, QStringLiteral("높이 (m)"), group);
    m_form.m_pBaseHeight = AddLabelledField(grid, 1, 2, QStringLiteral("기준높이"), group);
    m_form.m_pGroundFactor = AddLabelledField(grid, 2, 0, QStringLiteral("중간영역 지면계수"), group);
    m_form.m_pAreaFactor = AddLabelledField(grid, 2, 2, QStringLiteral("수음영역 지면계수"), group);
    m_form.m_pZone = new QComboBox(group);
    m_form.m_pZone->setObjectName(QStringLiteral("buildingZone"));
    m_form.m_pZone->setToolTip(QStringLiteral("외벽 수음점을 평가할 기준의 지역입니다."));
    grid->addWidget(new QLabel(QStringLiteral("지역"), group), 3, 0);
    grid->addWidget(m_form.m_pZone, 3, 1, 1, 3);
    for (QLineEdit* shown : {m_form.m_pHeight, m_form.m_pBaseHeight})
        shown->setReadOnly(true);
    for (QLineEdit* field : {m_form.m_pFloors, m_form.m_pFloorHeight})
        connect(field, &QLineEdit::textEdited, this, &CBuildingInputDlg::ShowHeight);
    return group;
}

QWidget* CBuildingInputDlg::MakeAbsorptionGroup()
{
    auto* group = new QGroupBox(QStringLiteral("흡음률"), this);
    auto* layout = new QVBoxLayout(group);
    auto* description = new QGridLayout;
    m_form.m_pAbsorptionDesc = AddLabelledField(description, 0, 0, QStringLiteral("설명"), group);
    layout->addLayout(description);
    m_form.m_pAbsorption = new CBandRowWidget(QStringLiteral("흡 음 률"), CBandRowWidget::EOverall::Hidden,
                                              QStringLiteral("중심 주파수"), group);
    m_form.m_pAbsorption->SetStyle(AbsorptionRowStyle(kBuildingAbsorptionEmptyBox));
    layout->addWidget(m_form.m_pAbsorption);
    connect(m_form.m_pAbsorption, &CBandRowWidget::EditingChanged, this, &CBuildingInputDlg::OnAbsorptionEditing);
    return group;
}

QWidget* CBuildingInputDlg::MakeFootprintGroup()
{
    auto* group = new QGroupBox(QStringLiteral("평면 (꼭짓점 순서대로)"), this);
    auto* layout = new QVBoxLayout(group);
    m_form.m_pVertices = new CVertexTable(group);
    m_form.m_pShape = new QLabel(group);
    m_form.m_pShape->setWordWrap(true);
    layout->addWidget(m_form.m_pVertices, 1);
    layout->addWidget(m_form.m_pShape);
    connect(m_form.m_pVertices, &CVertexTable::VerticesChanged, this, &CBuildingInputDlg::OnShapeChanged);
    return group;
}

QWidget* CBuildingInputDlg::MakeButtonRow()
{
    QHBoxLayout* layout = nullptr;
    QWidget* row = NewRowPanel(this, layout);
    layout->addStretch(1);
    m_form.m_pApply = AddCommandButton(layout, QStringLiteral("적용(&A)"), row);
    m_form.m_pOk = AddCommandButton(layout, QStringLiteral("확인(&D)"), row);
    m_form.m_pCopy = AddCommandButton(layout, QStringLiteral("복사(&O)"), row);
    m_form.m_pCancel = AddCommandButton(layout, QStringLiteral("취소(&C)"), row);
    m_form.m_pDelete = AddCommandButton(layout, QStringLiteral("제거(&X)"), row);
    ConnectCommands(m_form);
    return row;
}

std::optional<CBuilding> CBuildingInputDlg::BuildFromForm()
{
    CBuilding b;
    CFormReader reader(this);
    reader.IntInRange(m_form.m_pFloors, b.m_nFloors, 1, kMaxBuildingFloors);
    reader.Double(m_form.m_pFloorHeight, b.m_dFloorHeight);
    reader.Double(m_form.m_pGroundFactor, b.m_dGroundFactor);
    reader.Double(m_form.m_pAreaFactor, b.m_dAreaFactor);
    const auto absorption = reader.Ok() ? ReadBandRow(this, m_form.m_pAbsorption) : std::nullopt;
    const auto ring = absorption ? m_form.m_pVertices->Read(this) : std::nullopt;
    if (!ring)
        return std::nullopt;
    b.m_dAbsorption = *absorption;
    b.m_arrFootprint = CleanFootprint(*ring);
    b.m_pName = m_form.m_pDescription->text().trimmed().toStdString();
    b.m_pAbsorptionDesc = m_form.m_pAbsorptionDesc->text().toStdString();
    b.m_strZone = m_form.m_pZone->currentData().toString().toStdString();
    return b;
}

std::pair<std::vector<CBuilding>, std::size_t> CBuildingInputDlg::WithEdited(const CBuilding& building) const
{
    std::vector<CBuilding> list = m_list;
    const int index = EditedIndex();
    const std::size_t at = index < 0 || index >= Count() ? list.size() : std::size_t(index);
    if (at == list.size())
        list.push_back(building);
    else
        list[at] = building;
    return {std::move(list), at};
}

// The building is checked against the others before the owner is asked to store it.
bool CBuildingInputDlg::ReadPending()
{
    m_pending.reset();
    if (EditedIndex() < 0 && !m_form.m_pVertices->HasEntries())
        return true;
    std::optional<CBuilding> building = BuildFromForm();
    if (!building)
        return false;
    const auto [list, at] = WithEdited(*building);
    if (const std::string problem = BuildingProblem(list, at); !problem.empty()) {
        MessageBoxes().Information(this, QString::fromStdString(problem));
        return false;
    }
    m_pending = std::move(building);
    m_nPendingIndex = EditedIndex();
    return true;
}

EStoreResult CBuildingInputDlg::StorePendingInList()
{
    if (!m_pending)
        return EStoreResult::Ignored;
    const bool append = m_nPendingIndex < 0 || m_nPendingIndex >= Count();
    if (append)
        m_list.push_back(*m_pending);
    else
        m_list[std::size_t(m_nPendingIndex)] = *m_pending;
    m_pending.reset();
    RefreshList();
    return append ? EStoreResult::Appended : EStoreResult::Replaced;
}

bool CBuildingInputDlg::RemoveFromList(int index)
{
    if (index < 0 || index >= Count())
        return false;
    m_list.erase(m_list.begin() + index);
    RefreshList();
    return true;
}

void CBuildingInputDlg::RefreshList()
{
    QTableWidget* table = m_form.m_pList;
    const QSignalBlocker block(table);
    table->setRowCount(Count());
    for (int i = 0; i < Count(); ++i) {
        const CBuilding& b = m_list[std::size_t(i)];
        table->setItem(i, 0, BuildingCell(QString::number(i + 1), true));
        table->setItem(i, 1, BuildingCell(QString::fromStdString(b.m_pName), false));
        table->setItem(i, 2, BuildingCell(QString::number(b.m_nFloors), true));
        table->setItem(i, 3, BuildingCell(Fixed2(b.m_dFloorHeight), true));
        table->setItem(i, 4, BuildingCell(Fixed2(b.Height()), true));
        table->setItem(i, 5, BuildingCell(QString::number(b.m_arrFootprint.size()), true));
        table->setItem(i, 6, BuildingCell(QString::fromStdString(b.m_strZone), false));
    }
}

void CBuildingInputDlg::OnListClicked(int row)
{
    if (row >= 0 && row < Count())
        m_form.m_pId->setCurrentIndex(row + 1);
}

void CBuildingInputDlg::Load(int index)
{
    const CBuilding& b = m_list[std::size_t(index)];
    m_form.m_pDescription->setText(QString::fromStdString(b.m_pName));
    m_form.m_pFloors->setText(QString::number(b.m_nFloors));
    m_form.m_pFloorHeight->setText(Fixed2(b.m_dFloorHeight));
    m_form.m_pGroundFactor->setText(Fixed2(b.m_dGroundFactor));
    m_form.m_pAreaFactor->setText(Fixed2(b.m_dAreaFactor));
    m_form.m_pAbsorptionDesc->setText(QString::fromStdString(b.m_pAbsorptionDesc));
    ShowZone(b.m_strZone);
    m_form.m_pAbsorption->SetValues(b.m_dAbsorption);
    m_form.m_pVertices->SetVertices(b.m_arrFootprint);
    m_form.m_pList->selectRow(index);
    ShowHeight();
    emit FormChanged();
}

// A new building has the defaults of the model: one floor of 3 m, ground factors 1, and
// walls with windows (absorption 0.2).
void CBuildingInputDlg::ResetForm()
{
    const CBuilding defaults;
    m_form.m_pDescription->clear();
    m_form.m_pFloors->setText(QString::number(defaults.m_nFloors));
    m_form.m_pFloorHeight->setText(Fixed2(defaults.m_dFloorHeight));
    m_form.m_pGroundFactor->setText(Fixed2(defaults.m_dGroundFactor));
    m_form.m_pAreaFactor->setText(Fixed2(defaults.m_dAreaFactor));
    m_form.m_pAbsorptionDesc->clear();
    ShowZone(defaults.m_strZone);
    m_form.m_pAbsorption->SetValues(defaults.m_dAbsorption);
    m_form.m_pVertices->SetVertices({});
    m_form.m_pList->clearSelection();
    ShowHeight();
    emit FormChanged();
}

void CBuildingInputDlg::ClearBeforeCommit() {}

void CBuildingInputDlg::SetCriterion(ECriterion criterion)
{
    m_eCriterion = criterion;
    ShowZone(m_form.m_pZone->currentData().toString().toStdString());
}

// "프로젝트 지역" and the criterion's zones; a zone the criterion does not know is offered as
// it is, so that loading and storing a building never changes its zone.
void CBuildingInputDlg::ShowZone(const std::string& zone)
{
    QComboBox* box = m_form.m_pZone;
    box->clear();
    box->addItem(QStringLiteral("프로젝트 지역"), QString());
    for (const CZoneLimit& z : CriterionZones(m_eCriterion))
        box->addItem(ZoneText(m_eCriterion, z.m_pZone), QString::fromUtf8(z.m_pZone));
    int index = box->findData(QString::fromStdString(zone));
    if (index < 0) {
        box->addItem(QString::fromStdString(zone), QString::fromStdString(zone));
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void CBuildingInputDlg::ShowHeight()
{
    const auto floors = ParseInt(m_form.m_pFloors->text());
    const auto floorHeight = ParseDouble(m_form.m_pFloorHeight->text());
    m_form.m_pHeight->setText(floors && floorHeight ? Fixed2(*floors * *floorHeight) : QString());
    m_form.m_pBaseHeight->setText(Fixed2(m_dBaseHeight));
}

// Says under the vertex list what the footprint is, or what the store would refuse.
void CBuildingInputDlg::OnShapeChanged()
{
    const std::vector<CMVector>& draft = FootprintDraft();
    CBuilding probe;
    probe.m_arrFootprint = draft;
    const auto [list, at] = WithEdited(probe);
    const std::string problem = draft.empty() ? std::string() : BuildingProblem(list, at);
    const std::vector<CMVector> ring = CleanFootprint(draft);
    const QString shape =
        QStringLiteral("꼭짓점 %1개, 면적 %2 m²").arg(ring.size()).arg(Fixed2(std::fabs(SignedDoubleArea(ring)) / 2));
    m_form.m_pShape->setText(problem.empty() ? shape : QString::fromStdString(problem));
    m_form.m_pShape->setStyleSheet(problem.empty() ? QString() : QStringLiteral("color: #b00000"));
    emit FormChanged();
}

void CBuildingInputDlg::OnAbsorptionEditing(bool editing)
{
    SetWidgetsEnabled({m_form.m_pId, m_form.m_pApply, m_form.m_pOk, m_form.m_pCopy, m_form.m_pCancel, m_form.m_pDelete,
                       m_form.m_pList},
                      !editing);
    if (editing && !m_pPresets) {
        m_pPresets = new PresetDataDlg(QStringLiteral("건물 벽의 흡음률"), BuildingAbsorptionPresets(), this);
        connect(m_pPresets, &PresetDataDlg::PresetChosen, this, [this](const Bands& absorption) {
            for (int j = 0; j < kBandCount; ++j)
                m_form.m_pAbsorption->EditBox(j)->setText(QString::asprintf("%f", absorption[std::size_t(j)]));
        });
        m_pPresets->show();
    } else if (!editing && m_pPresets) {
        delete m_pPresets.data();
    }
}
