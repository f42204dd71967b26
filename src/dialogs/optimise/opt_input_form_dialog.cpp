// The controls of the barrier optimisation window and its receiver list.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/optimise/design_table_widget.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "dialogs/optimise/opt_target_panel.h"
#include "model/document.h"

namespace {

constexpr int kVisibleReceiverRows = 6;

QLineEdit* NumberField(QWidget* parent, bool readOnly = false)
{
    auto* field = new QLineEdit(QStringLiteral("0"), parent);
    field->setReadOnly(readOnly);
    return field;
}

QPushButton* Button(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// Rows of "label field" pairs under a group title.
QGroupBox* FieldGroup(const QString& title, const QStringList& labels, QLineEdit* const* fields, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < labels.size(); ++i) {
        grid->addWidget(new QLabel(labels[i], group), i, 0);
        grid->addWidget(fields[i], i, 1);
    }
    return group;
}

}  // namespace

QString COptInputDlg::RowText(int row, double x, double y, double z, double target)
{
    return QString::asprintf("%10d%21.2f%21.2f%21.2f%21.2f", row, x, y, z, target);
}

void COptInputDlg::BuildControls()
{
    setWindowTitle(QStringLiteral("검증 작업 중입니다."));
    m_pReceivers = new QListWidget(this);
    m_pReceivers->setFont(QFont(QStringLiteral("Monospace")));
    // Several rows, and the whole row up to the target column without scrolling sideways.
    const QFontMetrics metrics(m_pReceivers->font());
    m_pReceivers->setMinimumWidth(metrics.horizontalAdvance(RowText(99999, -99999.99, -99999.99, 999.99, 999.99)) +
                                  4 * metrics.averageCharWidth() +
                                  m_pReceivers->verticalScrollBar()->sizeHint().width());
    m_pReceivers->setMinimumHeight(kVisibleReceiverRows * metrics.height() + 2 * m_pReceivers->frameWidth());
    m_pLengthSearch = Button(QStringLiteral("방음벽 연장 계산"), this);
    m_pMessage = new QLineEdit(this);
    m_pMessage->setReadOnly(true);
    m_pRun = Button(QStringLiteral("최적 방음벽 계산"), this);
    m_pBar = new QProgressBar(this);
    m_pBar->setRange(0, 100);
    m_pBar->setValue(0);
    m_pRunStatus = new QLabel(this);
    m_pRunStatus->setObjectName(QStringLiteral("runStatus"));
    m_pApply = Button(QStringLiteral("방음벽 적용"), this);
    m_pClose = Button(QStringLiteral("닫기"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pApply);
    buttons->addWidget(m_pClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("최적화대상 수음점"), this));
    auto* titles = new QLabel(QStringLiteral("%1%2%3%4%5")
                                  .arg(QStringLiteral("ID"), 10)
                                  .arg(QStringLiteral("X"), 21)
                                  .arg(QStringLiteral("Y"), 21)
                                  .arg(QStringLiteral("Z"), 21)
                                  .arg(QStringLiteral("Target dBA"), 21),
                              this);
    titles->setFont(m_pReceivers->font());
    layout->addWidget(titles);
    layout->addWidget(m_pReceivers);
    layout->addWidget(m_pLengthSearch);
    layout->addWidget(m_pMessage);
    m_pTargetPanel = new COptTargetPanel(*m_pDoc, this);
    layout->addWidget(m_pTargetPanel);
    layout->addWidget(BuildDesignGroup());
    layout->addWidget(m_pRun);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pRunStatus);
    layout->addWidget(BuildResultGroup());
    m_pDesignCaption = new QLabel(QStringLiteral("설계 결과: 방음벽 설치 전후 (층은 가장 시끄러운 외벽 수음점)"), this);
    m_pDesignTable = new CDesignTableWidget(this);
    m_pDesignCaption->setVisible(false);
    m_pDesignTable->setVisible(false);
    layout->addWidget(m_pDesignCaption);
    layout->addWidget(m_pDesignTable, 1);
    layout->addLayout(buttons);

    connect(m_pLengthSearch, &QPushButton::clicked, this, &COptInputDlg::StartLengthSearch);
    connect(m_pRun, &QPushButton::clicked, this, &COptInputDlg::StartOrCancelOptimisation);
    connect(m_pApply, &QPushButton::clicked, this, &COptInputDlg::ApplyOptimalBarrier);
    connect(m_pClose, &QPushButton::clicked, this, &COptInputDlg::Close);
    connect(m_pReceivers, &QListWidget::currentRowChanged, this, &COptInputDlg::OnReceiverSelected);
}

QWidget* COptInputDlg::BuildDesignGroup()
{
    for (QLineEdit*& field : m_design)
        field = NumberField(this);
    m_pBaseHeight = NumberField(this, true);
    auto* group = new QWidget(this);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FieldGroup(QStringLiteral("방음벽 설계 조건"),
                                 {QStringLiteral("시작점 X (m)"), QStringLiteral("시작점 Y (m)"),
                                  QStringLiteral("종료점 X (m)"), QStringLiteral("종료점 Y (m)")},
                                 m_design, group));
    QLineEdit* const heights[] = {m_pBaseHeight, m_design[kMaxHeight], m_design[kLengthStep], m_design[kHeightStep]};
    layout->addWidget(FieldGroup(QString(),
                                 {QStringLiteral("기준높이(m)"), QStringLiteral("설치가능최대높이(m)"),
                                  QStringLiteral("길이방향 계산간격(m)"), QStringLiteral("높이방향 계산간격(m)")},
                                 heights, group));
    return group;
}

QWidget* COptInputDlg::BuildResultGroup()
{
    for (QLineEdit*& field : m_resultFields)
        field = NumberField(this);
    return FieldGroup(QStringLiteral("최적 방음벽"),
                      {QStringLiteral("시작점 X (m)"), QStringLiteral("시작점 Y (m)"), QStringLiteral("종료점 X (m)"),
                       QStringLiteral("종료점 Y (m)"), QStringLiteral("방음벽높이(m)")},
                      m_resultFields, this);
}

// One row per receiver, in the document's order; checked when it is marked for optimisation.
void COptInputDlg::FillReceiverList()
{
    m_pReceivers->clear();
    for (std::size_t i = 0; i < m_pDoc->m_arrReceiver.size(); ++i) {
        const CReceiverPoint& r = m_pDoc->m_arrReceiver[i];
        auto* item = new QListWidgetItem(RowText(static_cast<int>(i) + 1, r.m_dX, r.m_dY, r.m_dZ, r.m_dTargetLevel));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(r.m_nOptTarget == 1 ? Qt::Checked : Qt::Unchecked);
        m_pReceivers->addItem(item);
    }
    m_pReceivers->setCurrentRow(-1);
    m_pBaseHeight->setText(QString::asprintf("%.2f", m_pDoc->m_settings.m_dBaseHeight));
}
