#include "dialogs/road_kind_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/band_correction_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/bridge_settings_dialog.h"
#include "dialogs/number_fields.h"

namespace {

QTableWidget* MakeCorrectionTable(QWidget* parent)
{
    auto* table = new QTableWidget(1, kBandCount, parent);
    QStringList headers;
    for (const char* centre : BandCentreLabels())
        headers << QString::fromLatin1(centre);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + table->rowHeight(0) + 4);
    for (int j = 0; j < kBandCount; ++j)
        table->setItem(0, j, new QTableWidgetItem(QStringLiteral("0.00")));
    return table;
}

}  // namespace

CRoadKindPanel::CRoadKindPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("도로 정보"), this);
    auto* radios = new QHBoxLayout(group);
    m_pKinds = new QButtonGroup(this);
    const QStringList kinds = {QStringLiteral("일반"), QStringLiteral("교량"), QStringLiteral("성토"),
                               QStringLiteral("절토")};
    for (int k = 0; k < kinds.size(); ++k) {
        auto* radio = new QRadioButton(kinds[k], group);
        m_pKinds->addButton(radio, k);
        radios->addWidget(radio);
    }
    layout->addWidget(group);

    auto* row = new QHBoxLayout;
    m_pKindButton = new QPushButton(this);
    m_pBridgeCaption = new QLabel(this);
    m_pBridgePicture = new QLabel(this);
    row->addWidget(m_pKindButton);
    row->addWidget(m_pBridgePicture);
    row->addWidget(m_pBridgeCaption, 1);
    layout->addLayout(row);
    m_pCorrections = MakeCorrectionTable(this);
    layout->addWidget(m_pCorrections);

    connect(m_pKinds, &QButtonGroup::idClicked, this, [this](int kind) {
        SetKind(kind);
        emit KindChanged(kind);
    });
    connect(m_pKindButton, &QPushButton::clicked, this, &CRoadKindPanel::OnKindButton);
    Reset();
}

void CRoadKindPanel::SetKind(int kind)
{
    m_nKind = kind >= kRoadKindOrdinary && kind <= kRoadKindCutting ? kind : kRoadKindOrdinary;
    m_pKinds->button(m_nKind)->setChecked(true);
    Refresh();
}

void CRoadKindPanel::SetBridge(const CBridgeSettings& bridge)
{
    m_bridge = bridge;
    Refresh();
}

void CRoadKindPanel::SetCorrections(const Bands& corrections)
{
    m_dCorrection = corrections;
    Refresh();
}

void CRoadKindPanel::Reset()
{
    m_bridge.m_nBridgeType = 0;
    m_dCorrection = {};
    SetKind(kRoadKindOrdinary);
}

void CRoadKindPanel::Refresh()
{
    const bool bridge = m_nKind == kRoadKindBridge;
    const bool slope = m_nKind == kRoadKindEmbankment || m_nKind == kRoadKindCutting;
    m_pKindButton->setVisible(bridge || slope);
    m_pKindButton->setText(bridge ? QStringLiteral("교량 설정") : QStringLiteral("보정치 수정"));
    m_pBridgeCaption->setVisible(bridge);
    m_pBridgePicture->setVisible(bridge);
    m_pBridgeCaption->setText(BridgeTypeCaption(m_bridge.m_nBridgeType));
    m_pBridgePicture->setPixmap(BridgeTypePicture(m_bridge.m_nBridgeType, QSize(80, 40)));
    m_pCorrections->setVisible(slope);
    for (int j = 0; j < kBandCount; ++j)
        m_pCorrections->item(0, j)->setText(Fixed2(m_dCorrection[static_cast<std::size_t>(j)]));
}

void CRoadKindPanel::OnKindButton()
{
    if (m_nKind == kRoadKindBridge)
        EditBridge();
    else if (m_nKind == kRoadKindEmbankment || m_nKind == kRoadKindCutting)
        EditCorrections();
}

void CRoadKindPanel::EditBridge()
{
    CBridgeType form(m_bridge, this);
    if (m_runModal(form) == QDialog::Accepted)
        SetBridge(form.Settings());
}

void CRoadKindPanel::EditCorrections()
{
    CInputAddition form(m_dCorrection, this);
    if (m_runModal(form) == QDialog::Accepted)
        SetCorrections(form.Corrections());
}
