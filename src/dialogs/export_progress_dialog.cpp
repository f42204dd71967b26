#include "dialogs/export_progress_dialog.h"

#include <filesystem>

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
    // Appending changes nothing in a file that exists; a probe made here is removed again.
    std::error_code error;
    const bool existed = std::filesystem::exists(path, error);
    std::ofstream probe(path, std::ios::binary | std::ios::app);
    if (!probe.is_open()) {
        message = CreateExportFile(path, probe);  // the writer's own wording
        return false;
    }
    probe.close();
    if (!existed)
        std::filesystem::remove(path, error);
    m_strPath = path;
    message.clear();
    return true;
}

QString CProgressDlg::DoneMessage(const CExportOutcome& outcome, const QString& path)
{
    const QString lines = QString::number(outcome.lines);
    switch (outcome.status) {
    case CExportOutcome::Status::Finished:
        return QStringLiteral("수음점 저장 완료: %1줄을 %2에 저장했습니다.").arg(lines, path);
    case CExportOutcome::Status::Cancelled:
        return QStringLiteral("저장 작업이 취소되었습니다. %1줄을 저장했습니다.").arg(lines);
    case CExportOutcome::Status::Failed: break;
    }
    return QString::fromStdString(outcome.message);
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
    if (const std::string failure = CreateExportFile(m_strPath, m_out); !failure.empty()) {
        m_bFinished = true;
        MessageBoxes().Information(this, QString::fromStdString(failure));
        reject();
        return;
    }
    m_bStarted = true;
    setWindowTitle(QStringLiteral("수음점 정보를 저장중입니다."));
    m_timer.start();
    m_worker = std::thread([this] {
        const PointLevelProvider levels = m_levels();
        m_outcome = RunReceiverExport(m_grid, levels, m_out, m_progress, 0);
        emit WorkerFinished();
    });
    m_pButton->setText(QStringLiteral("취소"));
    UpdateProgress();  // at once: the click shows it was taken
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
    const bool counting = total > 0 || m_bFinished;
    m_pBar->setRange(0, counting ? 100 : 0);  // 0..0: busy while the scene is built
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
