#include "dialogs/barrier_input_dialog.h"

#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/absorption_preset_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/barrier_exclusion_dialog.h"
#include "dialogs/barrier_list_table.h"
#include "dialogs/bridge_settings.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"

namespace {

constexpr int kBarrierKeyCoordinates = 4;
const QString kAbsorptionEmptyBox = QStringLiteral("0.00");

}  // namespace

std::string ReversedBarrierKey(const CBarrier_Stage& b)
{
    return MakeKey({b.m_dEndX, b.m_dEndY, b.m_dStartX, b.m_dStartY});
}

CBarrier_Design_Dlg::CBarrier_Design_Dlg(const std::vector<CBarrier_Stage>& barriers, const double& baseHeight,
                                         QWidget* parent)
    : CEntityInputDlgOf(QStringLiteral("방음벽 입력"), kMsgDuplicateBarrier, barriers,
                        {ReversedBarrierKey, kBarrierKeyCoordinates}, parent),
      m_dBaseHeight(baseHeight)
{
    BuildForm();
    Start();
    ShowExclusion({}, false);
}

CBarrier_Design_Dlg::~CBarrier_Design_Dlg() { delete m_pPresets.data(); }

PresetDataDlg* CBarrier_Design_Dlg::PresetPicker() const { return m_pPresets; }

void CBarrier_Design_Dlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    AddIdRow(layout, m_form);
    m_form.m_pList = new CBarrierListTable(this);
    connect(m_form.m_pList, &CBarrierListTable::BarrierClicked, this,
            [this](int position) { m_form.m_pId->setCurrentIndex(position + 1); });
    layout->addWidget(m_form.m_pList);
    layout->addWidget(MakeGeometryGroup());
    layout->addWidget(MakeAbsorptionGroup());
    layout->addWidget(MakeButtonRow());
}

QWidget* CBarrier_Design_Dlg::MakeGeometryGroup()
{
    QGridLayout* grid = nullptr;
    QWidget* group = NewGridPanel(this, grid);
    grid->addWidget(new QLabel(QStringLiteral("시작점"), group), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("종료점"), group), 1, 0);
    m_form.m_pStartX = AddLabelledField(grid, 0, 1, QStringLiteral("X (m)"), group);
    m_form.m_pStartY = AddLabelledField(grid, 0, 3, QStringLiteral("Y (m)"), group);
    m_form.m_pEndX = AddLabelledField(grid, 1, 1, QStringLiteral("X (m)"), group);
    m_form.m_pEndY = AddLabelledField(grid, 1, 3, QStringLiteral("Y (m)"), group);
    m_form.m_pHeight = AddLabelledField(grid, 2, 0, QStringLiteral("방음벽높이"), group);
    m_form.m_pBaseHeight = AddLabelledField(grid, 2, 2, QStringLiteral("기준높이"), group);
    m_form.m_pBaseHeight->setReadOnly(true);
    m_form.m_pAttenuator = new QComboBox(group);
    for (const QString& name : AttenuatorNames())
        m_form.m_pAttenuator->addItem(name);
    grid->addWidget(new QLabel(QStringLiteral("감쇠기 종류"), group), 3, 0);
    grid->addWidget(m_form.m_pAttenuator, 3, 1);
    return group;
}

QWidget* CBarrier_Design_Dlg::MakeAbsorptionGroup()
{
    auto* group = new QGroupBox(QStringLiteral("흡음률"), this);
    auto* layout = new QVBoxLayout(group);
    auto* description = new QGridLayout;
    m_form.m_pAbsorptionDesc = AddLabelledField(description, 0, 0, QStringLiteral("설명"), group);
    layout->addLayout(description);
    m_form.m_pAbsorption = new CBandRowWidget(QStringLiteral("흡 음 률"), CBandRowWidget::EOverall::Hidden,
                                              QStringLiteral("중심 주파수"), group);
    m_form.m_pAbsorption->SetStyle(AbsorptionRowStyle(kAbsorptionEmptyBox));
    layout->addWidget(m_form.m_pAbsorption);
    connect(m_form.m_pAbsorption, &CBandRowWidget::EditingChanged, this, &CBarrier_Design_Dlg::OnAbsorptionEditing);
    return group;
}

QWidget* CBarrier_Design_Dlg::MakeButtonRow()
{
    QHBoxLayout* layout = nullptr;
    QWidget* row = NewRowPanel(this, layout);
    m_form.m_pExclude = AddCommandButton(layout, QStringLiteral("고르기"), row);
    m_form.m_pRelease = AddCommandButton(layout, QStringLiteral("제외 해제"), row);
    m_form.m_pRelease->setEnabled(false);
    layout->addStretch(1);
    m_form.m_pApply = AddCommandButton(layout, QStringLiteral("적용(&A)"), row);
    m_form.m_pOk = AddCommandButton(layout, QStringLiteral("확인(&D)"), row);
    m_form.m_pCopy = AddCommandButton(layout, QStringLiteral("복사(&O)"), row);
    m_form.m_pCancel = AddCommandButton(layout, QStringLiteral("취소(&C)"), row);
    m_form.m_pDelete = AddCommandButton(layout, QStringLiteral("제거(&X)"), row);
    connect(m_form.m_pExclude, &QPushButton::clicked, this, &CBarrier_Design_Dlg::OnExclude);
    connect(m_form.m_pRelease, &QPushButton::clicked, this, &CBarrier_Design_Dlg::ExclusionReleased);
    ConnectCommands(m_form);
    return row;
}

// The barrier as a store would keep it; empty (after the message) when a field does not read.
std::optional<CBarrier_Stage> CBarrier_Design_Dlg::BuildFromForm()
{
    CFormReader reader(this);
    double sx = 0, sy = 0, ex = 0, ey = 0, height = 0;
    reader.Double(m_form.m_pStartX, sx);
    reader.Double(m_form.m_pStartY, sy);
    reader.Double(m_form.m_pEndX, ex);
    reader.Double(m_form.m_pEndY, ey);
    reader.Double(m_form.m_pHeight, height);
    const auto absorption = reader.Ok() ? ReadBandRow(this, m_form.m_pAbsorption) : std::nullopt;
    if (!absorption)
        return std::nullopt;
    CBarrier_Stage barrier;
    barrier.SetGeometry(sx, sy, ex, ey, height, m_form.m_pAttenuator->currentIndex());
    barrier.SetAbsorption(*absorption);
    barrier.SetDescription(m_form.m_pDescription->text().toStdString());
    barrier.SetAbsorptionDesc(m_form.m_pAbsorptionDesc->text().toStdString());
    barrier.m_pKey = barrier.MakeIdentity();
    barrier.ComputeAngle();
    return barrier;
}

void CBarrier_Design_Dlg::ClearBeforeCommit() { m_form.m_pAbsorption->Reset(); }

void CBarrier_Design_Dlg::Show(const CBarrier_Stage& barrier)
{
    m_form.m_pStartX->setText(Fixed2(barrier.m_dStartX));
    m_form.m_pStartY->setText(Fixed2(barrier.m_dStartY));
    m_form.m_pEndX->setText(Fixed2(barrier.m_dEndX));
    m_form.m_pEndY->setText(Fixed2(barrier.m_dEndY));
    m_form.m_pHeight->setText(Fixed2(barrier.m_dHeight));
    const bool knownAttenuator = barrier.m_nAttenuator >= 0 && barrier.m_nAttenuator < kAttenuatorCount;
    m_form.m_pAttenuator->setCurrentIndex(knownAttenuator ? barrier.m_nAttenuator : 0);
    m_form.m_pDescription->setText(QString::fromStdString(barrier.m_pDescription));
    m_form.m_pAbsorptionDesc->setText(QString::fromStdString(barrier.m_pAbsorptionDesc));
    m_form.m_pAbsorption->SetValues(barrier.m_dAbsorption);
    RefreshBaseHeight();
    emit FormChanged();
}

void CBarrier_Design_Dlg::ResetForm()
{
    m_form.m_pDescription->setText(QString::fromUtf8(kDefaultBarrierDescription));
    for (QLineEdit* field : {m_form.m_pStartX, m_form.m_pStartY, m_form.m_pEndX, m_form.m_pEndY, m_form.m_pHeight})
        field->setText(QStringLiteral("0"));
    m_form.m_pAttenuator->setCurrentIndex(0);
    m_form.m_pAbsorptionDesc->setText(QString::fromUtf8(kDefaultAbsorptionDescription));
    m_form.m_pAbsorption->Reset();
    RefreshBaseHeight();
    emit FormChanged();
}

void CBarrier_Design_Dlg::RefreshBaseHeight() { m_form.m_pBaseHeight->setText(Fixed2(m_dBaseHeight)); }

// The selector always starts from the working list with nothing marked; only "적용"
// hands its marks on.
void CBarrier_Design_Dlg::OnExclude()
{
    CalcSelectorDlg selector(WorkingList(), this);
    if (m_runModal(selector) == QDialog::Accepted)
        emit ExclusionChosen(selector.Marked());
}

void CBarrier_Design_Dlg::ShowExclusion(const std::vector<bool>& excluded, bool releasable)
{
    m_bReleasable = releasable;
    m_form.m_pList->ShowBarriers(WorkingList(), excluded);
    m_form.m_pRelease->setEnabled(releasable && m_form.m_pExclude->isEnabled());
}

void CBarrier_Design_Dlg::OnAbsorptionEditing(bool editing)
{
    SetWidgetsEnabled({m_form.m_pId, m_form.m_pApply, m_form.m_pOk, m_form.m_pCopy, m_form.m_pCancel, m_form.m_pDelete,
                       m_form.m_pExclude, m_form.m_pList},
                      !editing);
    m_form.m_pRelease->setEnabled(m_bReleasable && !editing);
    if (editing && !m_pPresets) {
        m_pPresets = new PresetDataDlg(this);
        connect(m_pPresets, &PresetDataDlg::PresetChosen, this, &CBarrier_Design_Dlg::OnPresetChosen);
        m_pPresets->show();
    } else if (!editing && m_pPresets) {
        delete m_pPresets.data();
    }
}

void CBarrier_Design_Dlg::OnPresetChosen(const Bands& absorption)
{
    for (int j = 0; j < kBandCount; ++j)
        m_form.m_pAbsorption->EditBox(j)->setText(QString::asprintf("%f", absorption[static_cast<std::size_t>(j)]));
}
