#include "dialogs/optimise/opt_input_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include "dialogs/optimise/design_table_widget.h"
#include "dialogs/optimise/opt_target_panel.h"
#include "dialogs/target_level_dialog.h"
#include "model/document.h"
#include "optimise/barrier_apply.h"
#include "optimise/opt_receiver.h"
#include "ui/message_box.h"

namespace {

constexpr int kSearchTickMs = 100;

double ReadNumber(const QLineEdit* field)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(field->text().trimmed(), &ok);
    return ok ? value : 0.0;
}

QString SearchNumber(double v) { return QString::asprintf("%.2f", v); }

// The target-level question "설계목표소음레벨 (dBA)", run modally.
std::optional<double> AskTargetLevelModal(QWidget* parent, double current)
{
    CInput_Opt_dB form(current, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.TargetLevel();
}

}  // namespace

COptInputDlg::COptInputDlg(CMyTalvoDoc* doc, QWidget* parent)
    : QDialog(parent),
      m_pDoc(doc),
      m_evaluate(CalculateCommandEvaluation()),
      m_predict(CalculateCommandRun()),
      m_askTarget(AskTargetLevelModal)
{
    setModal(false);
    BuildControls();
    FillReceiverList();
    m_timer.setInterval(kSearchTickMs);
    connect(&m_timer, &QTimer::timeout, this, &COptInputDlg::OnProgressTimer);
    connect(this, &COptInputDlg::WorkerFinished, this, &COptInputDlg::OnWorkerFinished, Qt::QueuedConnection);
}

COptInputDlg::~COptInputDlg()
{
    if (m_worker.joinable()) {
        m_pProgress->RequestCancel();
        m_worker.join();
    }
}

// Selecting a checked row asks for its target level; 0 is stored but leaves the row text.
void COptInputDlg::OnReceiverSelected(int row)
{
    QListWidgetItem* item = m_pReceivers->item(row);
    if (!item || item->checkState() != Qt::Checked || row >= static_cast<int>(m_pDoc->m_arrReceiver.size()))
        return;
    CReceiverPoint& receiver = m_pDoc->m_arrReceiver[static_cast<std::size_t>(row)];
    const std::optional<double> level = m_askTarget(this, receiver.m_dTargetLevel);
    if (!level)
        return;
    receiver.m_dTargetLevel = *level;
    if (*level != 0)
        item->setText(RowText(row + 1, receiver.m_dX, receiver.m_dY, receiver.m_dZ, *level));
    item->setCheckState(Qt::Checked);
    m_pMessage->clear();
}

int COptInputDlg::CheckedReceiver() const
{
    std::vector<bool> checked(static_cast<std::size_t>(m_pReceivers->count()));
    for (std::size_t row = 0; row < checked.size(); ++row)
        checked[row] = m_pReceivers->item(static_cast<int>(row))->checkState() == Qt::Checked;
    return ChooseOptReceiver(checked);
}

std::vector<int> COptInputDlg::CheckedReceivers() const
{
    std::vector<int> rows;
    for (int row = 0; row < m_pReceivers->count(); ++row)
        if (m_pReceivers->item(row)->checkState() == Qt::Checked)
            rows.push_back(row);
    return rows;
}

COptDesign COptInputDlg::ReadDesign() const
{
    return {ReadNumber(m_design[kStartX]),    ReadNumber(m_design[kStartY]),    ReadNumber(m_design[kEndX]),
            ReadNumber(m_design[kEndY]),      ReadNumber(m_design[kMaxHeight]), ReadNumber(m_design[kLengthStep]),
            ReadNumber(m_design[kHeightStep])};
}

void COptInputDlg::StartLengthSearch()
{
    const int receiver = CheckedReceiver();
    if (receiver < 0) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgSelectOneReceiver));
        return;
    }
    m_pMessage->clear();  // an earlier search's message must not outlive this search
    m_pMessage->setText(QString::fromStdString(RunLengthSearch(*m_pDoc, receiver, m_predict)));
    emit LengthSearchPredicted();
}

void COptInputDlg::StartOrCancelOptimisation()
{
    if (IsRunning())
        AskCancel();
    else
        StartOptimisation();
}

void COptInputDlg::StartOptimisation()
{
    if (m_pTargetPanel->Kind() != COptTargetPanel::kOneReceiver) {
        StartSetOptimisation();
        return;
    }
    const int receiver = CheckedReceiver();
    const COptDesign design = ReadDesign();
    std::string refusal = m_pDoc->m_arrSegment.empty() ? kMsgRunPredictionFirst : "";
    if (refusal.empty() && receiver < 0)
        refusal = kMsgSelectOneReceiver;
    if (refusal.empty())
        refusal = CheckOptimisationStart(*m_pDoc, receiver, design);
    if (!refusal.empty()) {
        MessageBoxes().Information(this, QString::fromStdString(refusal));
        return;
    }
    PrepareOptimisation(*m_pDoc, receiver, design);
    m_runDesign = design;
    m_bSetRun = false;
    StartWorker([this] { m_outcome = RunOptimisation(*m_pRunDoc, m_runDesign, *m_pProgress, m_evaluate); });
}

void COptInputDlg::StartSetOptimisation()
{
    const COptDesign design = ReadDesign();
    const std::optional<CDesignTarget> target = m_pTargetPanel->Target(CheckedReceivers());
    if (!target)
        return;  // the target typed does not read, and the panel has said so
    const std::string refusal = CheckSetOptimisationStart(*m_pDoc, *target, design);
    if (!refusal.empty()) {
        MessageBoxes().Information(this, QString::fromStdString(refusal));
        return;
    }
    m_runDesign = design;
    m_runTarget = *target;
    m_bSetRun = true;
    StartWorker([this] { m_setOutcome = RunSetOptimisation(*m_pRunDoc, m_runTarget, m_runDesign, *m_pProgress); });
}

// The worker runs on its own copy of the document with a fresh progress.
void COptInputDlg::StartWorker(std::function<void()> run)
{
    m_pMessage->clear();
    m_pRunStatus->clear();
    ShowDesignTable(false);  // the last table does not belong to this run's barrier
    m_pRunDoc = std::make_unique<CMyTalvoDoc>(*m_pDoc);
    m_pProgress = std::make_unique<CRunProgress>();
    SetRunning(true);
    m_timer.start();
    m_worker = std::thread([this, run = std::move(run)] {
        run();
        emit WorkerFinished();
    });
}

void COptInputDlg::AskCancel()
{
    const auto answer = MessageBoxes().Question(this, QStringLiteral("계산 작업을 취소하시겠습니까?"),
                                                QStringLiteral("작업취소"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        m_pProgress->RequestCancel();
}

void COptInputDlg::OnProgressTimer() { m_pBar->setValue(m_pProgress->Percent()); }

void COptInputDlg::OnWorkerFinished()
{
    if (m_worker.joinable())
        m_worker.join();
    m_timer.stop();
    const std::string message = m_bSetRun ? FinishSetRun() : FinishOneReceiverRun();
    m_pRunDoc.reset();
    const bool cancelled = m_pProgress->CancelRequested();
    m_pBar->setValue(cancelled ? m_pProgress->Percent() : 100);
    m_pRunStatus->setText(cancelled ? QStringLiteral("최적 방음벽 계산을 취소했습니다.")
                                    : QStringLiteral("최적 방음벽 계산을 마쳤습니다."));
    ShowResult();
    SetRunning(false);
    if (!message.empty())
        MessageBoxes().Information(this, QString::fromStdString(message));
    emit OptimisationFinished();
}

std::string COptInputDlg::FinishOneReceiverRun()
{
    m_pDoc->m_OptBarrier = m_pRunDoc->m_OptBarrier;  // the last candidate
    m_pDoc->m_dOptLevel = m_pRunDoc->m_dOptLevel;
    const std::string message = FinishOptimisation(*m_pDoc, *m_pProgress, m_outcome, m_result);
    m_bHasResult = m_outcome.m_bFound;
    return message;
}

std::string COptInputDlg::FinishSetRun()
{
    const std::string message = FinishSetOptimisation(*m_pProgress, m_setOutcome, m_result);
    m_bHasResult = m_setOutcome.m_run.m_bFound;
    m_pDesignTable->SetTable(m_setOutcome.m_table);
    ShowDesignTable(true);
    return message;
}

const CDesignTable* COptInputDlg::LastDesignTable() const { return m_bDesignShown ? &m_setOutcome.m_table : nullptr; }

void COptInputDlg::ShowDesignTable(bool show)
{
    m_bDesignShown = show;
    m_pDesignCaption->setVisible(show);
    m_pDesignTable->setVisible(show);
}

void COptInputDlg::SetRunning(bool running)
{
    m_pTargetPanel->setEnabled(!running);
    m_pRun->setText(running ? QStringLiteral("계산 취소") : QStringLiteral("최적 방음벽 계산"));
    for (QPushButton* button : {m_pLengthSearch, m_pClose, m_pApply})
        button->setEnabled(!running);
}

void COptInputDlg::ShowResult()
{
    const double values[] = {m_result.m_dStartX, m_result.m_dStartY, m_result.m_dEndX, m_result.m_dEndY,
                             m_result.m_dHeight};
    for (int i = 0; i < 5; ++i)
        m_resultFields[i]->setText(SearchNumber(values[i]));
}

void COptInputDlg::ApplyOptimalBarrier()
{
    if (IsRunning())
        return;
    const std::string refusal = ApplyOptimisedBarrier(*m_pDoc, m_result, m_bHasResult);
    if (!refusal.empty()) {
        MessageBoxes().Information(this, QString::fromStdString(refusal));
        return;
    }
    m_pDoc->CommitModelChange();
    emit BarrierApplied();
}

void COptInputDlg::ShowNotice(const QString& text) { m_pMessage->setText(text); }

void COptInputDlg::Close()
{
    if (IsRunning())
        return;
    ClearOptBarrier(*m_pDoc);
    emit CloseRequested();
}

// Enter and Escape do nothing here: a run must not lose its window.
void COptInputDlg::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

// The close box closes as "닫기" does, and not while a run is under way.
void COptInputDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Close();
}
