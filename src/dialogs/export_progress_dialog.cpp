#include "dialogs/export_progress_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/message_box.h"

namespace {

constexpr int kTickMs = 100;

}  // namespace

CProgressDlg::CProgressDlg(const CReceiverGrid& grid, ExportLevelsFactory levels, QWidget* parent)
    : QDialog(parent), m_grid(grid), m_levels(std::move(levels))
{
    setWindowTitle(QStringLiteral("수음점 저장"));
    m_pBar = new QProgressBar(this);
    m_pBar->setRange(0, 100);
    m_pBar->setValue(0);
    m_pButton = new QPushButton(QStringLiteral("시작"), this);
    m_pButton->setAutoDefault(false);
    m_pStatus = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pButton, 0, Qt::AlignHCenter);
    connect(m_pButton, &QPushButton::clicked, this, &CProgressDlg::OnButton);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CProgressDlg::UpdateProgress);
    connect(this, &CProgressDlg::WorkerFinished, this, &CProgressDlg::OnWorkerFinished, Qt::QueuedConnection);
}

CProgressDlg::~CProgressDlg()
{
    if (m_worker.joinable()) {
        m_progress.RequestCancel();
        m_worker.join();
    }
}

bool CProgressDlg::OpenOutput(const std::string& path, std::string& message)
{
    message = CreateExportFile(path, m_out);
    return message.empty();
}

void CProgressDlg::OnButton()
{
    if (m_bFinished)
        return;
    if (!m_bStarted)
        Start();
    else
        AskCancel();
}

void CProgressDlg::Start()
{
    m_bStarted = true;
    setWindowTitle(QStringLiteral("수음점 정보를 저장중입니다."));
    m_timer.start();
    m_worker = std::thread([this] {
        const PointLevelProvider levels = m_levels();
        m_outcome = RunReceiverExport(m_grid, levels, m_out, m_progress, 0);
        emit WorkerFinished();
    });
    m_pButton->setText(QStringLiteral("취소"));
}

void CProgressDlg::AskCancel()
{
    const auto answer = MessageBoxes().Question(this, QStringLiteral("저장 작업을 취소하시겠습니까?"),
                                                QStringLiteral("작업취소"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        m_progress.RequestCancel();
}

void CProgressDlg::UpdateProgress()
{
    const auto done = m_progress.Done();
    const auto total = m_progress.Total();
    const int percent = m_progress.Percent();
    m_pBar->setValue(percent);
    m_pStatus->setText(QStringLiteral("%1 / %2 ( %3% )").arg(done).arg(total).arg(percent));
}

void CProgressDlg::OnWorkerFinished()
{
    if (m_worker.joinable())
        m_worker.join();
    m_bFinished = true;
    m_out.close();
    m_timer.stop();
    UpdateProgress();
    if (m_outcome.status == CExportOutcome::Status::Failed)
        MessageBoxes().Information(this, QString::fromStdString(m_outcome.message));
    emit ExportFinished();
    accept();
}

// The close box does what the button does: it starts the export, or offers to cancel.
void CProgressDlg::closeEvent(QCloseEvent* event)
{
    if (m_bFinished) {
        event->accept();
        return;
    }
    event->ignore();
    OnButton();
}

// Escape would close the window under the running export.
void CProgressDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}
