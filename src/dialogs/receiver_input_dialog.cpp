#include "dialogs/receiver_input_dialog.h"

#include <utility>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "dialogs/same_receiver_step_dialog.h"
#include "dialogs/zone_delegate.h"
#include "io/number_text.h"
#include "ui/message_box.h"

namespace {

const QStringList kHeaders = {QStringLiteral("ID"),
                              QStringLiteral("X"),
                              QStringLiteral("Y"),
                              QStringLiteral("Z"),
                              QStringLiteral("중간영역\n지면계수"),
                              QStringLiteral("수음영역\n지면계수"),
                              QStringLiteral("목표\n(dB(A))"),
                              QStringLiteral("지역")};

CReceiverValues ValuesOf(const CReceiverPoint& r)
{
    return {r.m_dX, r.m_dY, r.m_dZ, r.m_dGroundFactor, r.m_dAreaFactor};
}

void Assign(CReceiverPoint& r, const CReceiverValues& v)
{
    r.SetPosition(v.m_dX, v.m_dY, v.m_dZ);
    r.SetGroundFactors(v.m_dGroundFactor, v.m_dAreaFactor);
}

// A cell's number as the table shows it (two decimals).
double Shown(double value) { return Fixed2(value).toDouble(); }

}  // namespace

CInput_Receiver_Point::CInput_Receiver_Point(std::vector<CReceiverPoint> receivers, QWidget* parent)
    : QDialog(parent), m_arrReceiver(std::move(receivers))
{
    setWindowTitle(QStringLiteral("수음점 입력"));
    setModal(false);
    BuildForm();
    FillTable();
    ResetForm();
}

void CInput_Receiver_Point::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    m_pEqualSpacing = menuBar->addMenu(QStringLiteral("옵션"))->addAction(QStringLiteral("직선 등간격 입력"));
    layout->setMenuBar(menuBar);
    m_pTable = new QTableWidget(0, kColumnCount, this);
    m_pTable->setHorizontalHeaderLabels(kHeaders);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Only the target and zone cells are editable (their items' flags say so).
    m_pTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    m_pZoneDelegate = new CZoneDelegate(this);
    m_pTable->setItemDelegateForColumn(kColZone, m_pZoneDelegate);
    m_pTable->horizontalHeaderItem(kColTarget)
        ->setToolTip(QStringLiteral("주간 설계 목표 레벨. 비우면 평가 기준의 값을 따릅니다."));
    m_pTable->horizontalHeaderItem(kColZone)->setToolTip(
        QStringLiteral("평가 기준의 지역. 비우면 프로젝트의 지역을 따릅니다."));
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(m_pTable, 1);

    auto* form = new QGridLayout;
    m_pId = new QLineEdit(this);
    form->addWidget(new QLabel(kHeaders[kColId], this), 0, kColId);
    form->addWidget(m_pId, 1, kColId);
    for (int c = kColX; c < kFormColumnCount; ++c) {
        m_fields[static_cast<std::size_t>(c)] = new QLineEdit(this);
        form->addWidget(new QLabel(kHeaders[c], this), 0, c);
        form->addWidget(m_fields[static_cast<std::size_t>(c)], 1, c);
    }
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    m_pApply = AddCommandButton(buttons, QStringLiteral("적용(&A)"), this);
    m_pOk = AddCommandButton(buttons, QStringLiteral("확인(&D)"), this);
    m_pCancel = AddCommandButton(buttons, QStringLiteral("취소(&C)"), this);
    m_pDelete = AddCommandButton(buttons, QStringLiteral("제거(&X)"), this);
    layout->addLayout(buttons);

    connect(m_pApply, &QPushButton::clicked, this, &CInput_Receiver_Point::StoreForm);
    connect(m_pOk, &QPushButton::clicked, this, &CInput_Receiver_Point::OnOk);
    connect(m_pCancel, &QPushButton::clicked, this, &CInput_Receiver_Point::reject);
    connect(m_pDelete, &QPushButton::clicked, this, &CInput_Receiver_Point::DeleteRow);
    connect(m_pEqualSpacing, &QAction::triggered, this, &CInput_Receiver_Point::AddEquallySpaced);
    connect(m_pTable, &QTableWidget::cellClicked, this, &CInput_Receiver_Point::OnRowClicked);
    connect(m_pTable, &QTableWidget::cellChanged, this, &CInput_Receiver_Point::OnCellChanged);
    connect(m_pId, &QLineEdit::textChanged, this, &CInput_Receiver_Point::ListChanged);  // the highlight follows
}

QLineEdit* CInput_Receiver_Point::ValueField(int column) const { return m_fields[static_cast<std::size_t>(column)]; }

int CInput_Receiver_Point::EditedIndex() const
{
    const CInputId id = ParseIdText(m_pId->text(), static_cast<int>(m_arrReceiver.size()));
    return id.IsExisting() ? id.m_nIndex : -1;
}

void CInput_Receiver_Point::FillTable()
{
    m_pTable->setRowCount(static_cast<int>(m_arrReceiver.size()));
    for (int row = 0; row < m_pTable->rowCount(); ++row)
        ShowRow(row);
}

void CInput_Receiver_Point::ShowRow(int row)
{
    const QSignalBlocker block(m_pTable);
    const CReceiverValues v = ValuesOf(m_arrReceiver[static_cast<std::size_t>(row)]);
    const QStringList texts = {QString::number(row + 1),  Fixed2(v.m_dX),         Fixed2(v.m_dY), Fixed2(v.m_dZ),
                               Fixed2(v.m_dGroundFactor), Fixed2(v.m_dAreaFactor)};
    for (int c = 0; c < kFormColumnCount; ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        m_pTable->setItem(row, c, item);
    }
    ShowLimitCells(row);
}

// The target ("%.2f", empty for none) and the zone (empty: the project's), editable.
void CInput_Receiver_Point::ShowLimitCells(int row)
{
    const QSignalBlocker block(m_pTable);
    const CReceiverPoint& r = m_arrReceiver[static_cast<std::size_t>(row)];
    m_pTable->setItem(row, kColTarget,
                      new QTableWidgetItem(r.m_dTargetLevel > 0 ? Fixed2(r.m_dTargetLevel) : QString()));
    m_pTable->setItem(row, kColZone, new QTableWidgetItem(QString::fromStdString(r.m_strZone)));
}

void CInput_Receiver_Point::SetCriterion(ECriterion criterion) { m_pZoneDelegate->SetCriterion(criterion); }

// A target typed into its cell: empty (or 0) is none; anything but a positive number is
// refused with a message and the cell shows the target it had.
void CInput_Receiver_Point::OnCellChanged(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(m_arrReceiver.size()) || (column != kColTarget && column != kColZone))
        return;
    CReceiverPoint& r = m_arrReceiver[static_cast<std::size_t>(row)];
    const QString text = m_pTable->item(row, column)->text().trimmed();
    if (column == kColZone) {
        r.m_strZone = text.toStdString();
    } else if (text.isEmpty()) {
        r.m_dTargetLevel = 0;
    } else if (const auto value = ParseDouble(text); value && *value >= 0) {
        r.m_dTargetLevel = *value;
    } else {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgBadTarget));
    }
    ShowLimitCells(row);
    emit ListChanged();
}

void CInput_Receiver_Point::ResetForm()
{
    m_pId->setText(QString::fromLatin1(kNewId));
    for (int c = kColX; c < kFormColumnCount; ++c)
        m_fields[static_cast<std::size_t>(c)]->setText(c >= kColGround ? QStringLiteral("1") : QStringLiteral("0"));
}

bool CInput_Receiver_Point::ReadForm(CInputId& id, CReceiverValues& v)
{
    id = ParseIdText(m_pId->text(), static_cast<int>(m_arrReceiver.size()));
    if (id.m_eKind == CInputId::EKind::Invalid) {
        MessageBoxes().Information(this, InvalidIdMessage(static_cast<int>(m_arrReceiver.size())));
        return false;
    }
    CFormReader reader(this);
    reader.Double(ValueField(kColX), v.m_dX);
    reader.Double(ValueField(kColY), v.m_dY);
    reader.Double(ValueField(kColZ), v.m_dZ);
    reader.Double(ValueField(kColGround), v.m_dGroundFactor);
    reader.Double(ValueField(kColArea), v.m_dAreaFactor);
    if (reader.Ok())
        m_lastRead = v;
    return reader.Ok();
}

// A row is the same receiver when the numbers its X, Y and Z cells show equal the form's.
bool CInput_Receiver_Point::IsDuplicate(const CReceiverValues& v, int editedIndex) const
{
    for (int i = 0; i < static_cast<int>(m_arrReceiver.size()); ++i) {
        const CReceiverPoint& r = m_arrReceiver[static_cast<std::size_t>(i)];
        if (i != editedIndex && Shown(r.m_dX) == v.m_dX && Shown(r.m_dY) == v.m_dY && Shown(r.m_dZ) == v.m_dZ)
            return true;
    }
    return false;
}

bool CInput_Receiver_Point::StoreForm()
{
    CInputId id;
    CReceiverValues v;
    if (!ReadForm(id, v))
        return false;
    const bool atOrigin = TruncateToInt(v.m_dX) == 0 && TruncateToInt(v.m_dY) == 0 && TruncateToInt(v.m_dZ) == 0;
    if (atOrigin && MessageBoxes().Question(this, QString::fromUtf8(kMsgZeroReceiver), QString(),
                                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (IsDuplicate(v, id.m_nIndex)) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgDuplicateReceiver));
        return false;
    }
    if (id.IsNew())
        m_arrReceiver.emplace_back();
    const int row = id.IsNew() ? static_cast<int>(m_arrReceiver.size()) - 1 : id.m_nIndex;
    Assign(m_arrReceiver[static_cast<std::size_t>(row)], v);
    m_pTable->setRowCount(static_cast<int>(m_arrReceiver.size()));
    ShowRow(row);
    ResetForm();
    emit ListChanged();
    return true;
}

bool CInput_Receiver_Point::DeleteRow()
{
    const int count = static_cast<int>(m_arrReceiver.size());
    const CInputId id = ParseIdText(m_pId->text(), count);
    if (id.m_eKind == CInputId::EKind::Invalid)
        MessageBoxes().Information(this, InvalidIdMessage(count));
    if (!id.IsExisting())
        return false;
    m_arrReceiver.erase(m_arrReceiver.begin() + id.m_nIndex);
    FillTable();
    ResetForm();
    emit RowDeleted();
    return true;
}

void CInput_Receiver_Point::AddEquallySpaced()
{
    CSameReceiverStep form(this);
    if (m_runModal(form) != QDialog::Accepted)
        return;
    CReceiverValues v = m_lastRead;
    if (const auto g = ParseDouble(ValueField(kColGround)->text()))
        v.m_dGroundFactor = *g;
    if (const auto a = ParseDouble(ValueField(kColArea)->text()))
        v.m_dAreaFactor = *a;
    for (const Point3& p : EqualSpacingPoints(form.Line())) {
        v.m_dX = p[0];
        v.m_dY = p[1];
        v.m_dZ = p[2];
        Assign(m_arrReceiver.emplace_back(), v);
    }
    FillTable();
    emit ListChanged();
}

// A store refused by the user or as a duplicate still leads to the commit question.
void CInput_Receiver_Point::OnOk()
{
    CInputId id;
    CReceiverValues v;
    if (!ReadForm(id, v))
        return;
    StoreForm();
    emit CommitRequested();
}

void CInput_Receiver_Point::OnRowClicked(int row)
{
    const QTableWidgetItem* idItem = m_pTable->item(row, kColId);
    m_pId->setText(idItem && !idItem->text().isEmpty() ? idItem->text() : QString::fromLatin1(kNewId));
    for (int c = kColX; c < kFormColumnCount; ++c) {
        const QTableWidgetItem* item = m_pTable->item(row, c);
        ValueField(c)->setText(item ? item->text() : QString());
    }
    emit ListChanged();
}

void CInput_Receiver_Point::reject() { emit CancelRequested(); }

void CInput_Receiver_Point::keyPressEvent(QKeyEvent* event)
{
    if (!SwallowEscape(event))
        QDialog::keyPressEvent(event);
}
