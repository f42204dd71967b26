#include "dialogs/optimise/opt_result_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString ResultNumber(double v) { return QString::asprintf("%.2f", v); }

QTableWidget* Grid(int rows, const QStringList& titles, QWidget* parent)
{
    auto* grid = new QTableWidget(rows, static_cast<int>(titles.size()), parent);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return grid;
}

void SetCell(QTableWidget* grid, int row, int column, double value)
{
    grid->setItem(row, column, new QTableWidgetItem(ResultNumber(value)));
}

QLineEdit* DisplayField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

}  // namespace

COptResultDlg::COptResultDlg(COptResult result, QWidget* parent) : QDialog(parent), m_result(std::move(result))
{
    setWindowTitle(QStringLiteral("방음벽 최적설계 결과"));
    setModal(false);
    m_pOk = new QPushButton(QStringLiteral("확인"), this);
    m_pCancel = new QPushButton(QStringLiteral("취소"), this);
    connect(m_pOk, &QPushButton::clicked, this, &COptResultDlg::RequestClose);
    connect(m_pCancel, &QPushButton::clicked, this, &COptResultDlg::RequestClose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildBarrierGroup());
    layout->addWidget(BuildReceiverGroup());
    layout->addLayout(buttons);

    ShowBarrier();
    for (int i = 1; i <= static_cast<int>(m_result.m_arrReceiver.size()); ++i)
        m_pChooser->addItem(QString::asprintf("%d", i));
    connect(m_pChooser, &QComboBox::currentIndexChanged, this, &COptResultDlg::ShowReceiver);
    if (!m_result.m_arrReceiver.empty()) {
        m_pChooser->setCurrentIndex(0);
        ShowReceiver(0);
    }
}

QWidget* COptResultDlg::BuildBarrierGroup()
{
    auto* group = new QGroupBox(QStringLiteral("최적 설계 결과"), this);
    m_pHeight = DisplayField(group);
    m_pArea = DisplayField(group);
    m_pCoordinates = Grid(2, {QStringLiteral("X (m)"), QStringLiteral("Y (m)")}, group);
    m_pCoordinates->setVerticalHeaderLabels({QStringLiteral("시작점"), QStringLiteral("종료점")});
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("방음벽 높이 (m)"), m_pHeight);
    form->addRow(QStringLiteral("방음벽 면적 (m^2)"), m_pArea);
    form->addRow(QStringLiteral("설치 지역 좌표"), m_pCoordinates);
    return group;
}

QWidget* COptResultDlg::BuildReceiverGroup()
{
    auto* group = new QGroupBox(QStringLiteral("방음벽 설치시 해당 수음점에서의 소음예측값"), this);
    m_pChooser = new QComboBox(group);
    m_pPosition = Grid(1, {QStringLiteral("X (m)"), QStringLiteral("Y (m)"), QStringLiteral("Z (m)")}, group);
    m_pLevels = Grid(1, {"63", "125", "250", "500", "1000", "2000", "4000", "8000", "Overall (A)"}, group);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("ID"), m_pChooser);
    form->addRow(QStringLiteral("수음점 위치 정보"), m_pPosition);
    form->addRow(m_pLevels);
    return group;
}

void COptResultDlg::ShowBarrier()
{
    m_pHeight->setText(ResultNumber(m_result.m_dHeight));
    m_pArea->setText(ResultNumber(m_result.m_dArea));
    SetCell(m_pCoordinates, 0, 0, m_result.m_dStartX);
    SetCell(m_pCoordinates, 0, 1, m_result.m_dStartY);
    SetCell(m_pCoordinates, 1, 0, m_result.m_dEndX);
    SetCell(m_pCoordinates, 1, 1, m_result.m_dEndY);
}

void COptResultDlg::ShowReceiver(int i)
{
    if (i < 0 || i >= static_cast<int>(m_result.m_arrReceiver.size()))
        return;
    const COptReceiver& receiver = m_result.m_arrReceiver[static_cast<std::size_t>(i)];
    for (int k = 0; k < 9; ++k)
        SetCell(m_pLevels, 0, k, receiver.m_dLevel[static_cast<std::size_t>(k)]);
    SetCell(m_pPosition, 0, 0, receiver.m_dX);
    SetCell(m_pPosition, 0, 1, receiver.m_dY);
    SetCell(m_pPosition, 0, 2, receiver.m_dZ);
}

void COptResultDlg::RequestClose()
{
    m_result.m_arrReceiver.clear();
    emit CloseRequested();
}

void COptResultDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    RequestClose();
}
