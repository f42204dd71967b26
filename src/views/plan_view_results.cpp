// The result windows the plan view owns: the band chooser for the labels and the
// modeless result table, which turns its pages through this view.

#include <algorithm>

#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "ui/message_box.h"
#include "views/plan_view.h"
#include "views/result_chooser_dialog.h"
#include "views/result_table_dialog.h"

namespace {

const QString kRunPredictionFirst = QStringLiteral("소음해석을 먼저 수행하세요.");
const QString kTableOpen = QStringLiteral("소음예측 결과창이 이미 열려 있습니다.");
const QString kStartOfData = QStringLiteral("데이터의 시작 지점입니다.");
const QString kEndOfData = QStringLiteral("데이터의 마지막 지점입니다.");
constexpr int kPageSize = CResultDlg::kRows;

}  // namespace

CResultDlg* CPlan_View::ResultTable() const { return m_pResultDlg; }

bool CPlan_View::HasResults() const { return m_pDoc->HasResults(); }

bool CPlan_View::RefusedAsStale()
{
    if (!m_pDoc->m_bResultsStale)
        return false;
    MessageBoxes().Information(this, QString::fromUtf8(kMsgStaleResults));
    return true;
}

void CPlan_View::ShowResultState()
{
    if (m_pResultDlg) {
        m_pResultDlg->SetStale(m_pDoc->m_bResultsStale);
        m_pResultDlg->SetExclusionNote(QString::fromStdString(ExclusionNote(*m_pDoc)));
    }
    RefreshFloorTable();
    RepaintBoth();
}

void CPlan_View::OnResultDisplay()
{
    if (!HasResults()) {
        MessageBoxes().Information(this, kRunPredictionFirst);
        return;
    }
    CResultWindow chooser(this);
    const int choice = m_runModal ? m_runModal(chooser) : chooser.exec();
    ApplyResultChoice(choice, chooser.Band());
}

// Stale labels may be removed but not shown anew.
void CPlan_View::ApplyResultChoice(int choice, int band)
{
    if (choice == CResultWindow::Show && !RefusedAsStale())
        SetResultDisplay(true, band);
    else if (choice == CResultWindow::Remove)
        SetResultDisplay(false, m_results.m_nResultBand);  // empties the picked labels too
}

void CPlan_View::RemoveOutput()
{
    if (m_pResultDlg)
        OnResultTableRequest(CResultDlg::kClose);
    SetResultDisplay(false, m_results.m_nResultBand);  // also the picked levels and the map
}

void CPlan_View::OnResultChart()
{
    if (!HasResults()) {
        MessageBoxes().Information(this, kRunPredictionFirst);
        return;
    }
    if (m_pResultDlg) {
        MessageBoxes().Information(this, kTableOpen);
        return;
    }
    if (RefusedAsStale())
        return;
    m_pResultDlg = new CResultDlg(this);
    m_pResultDlg->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_pResultDlg, &CResultDlg::Request, this, &CPlan_View::OnResultTableRequest);
    FillResultPage();
    m_pResultDlg->show();
}

// Receivers page .. min(N, page + 100) - 1 into a cleared table.
void CPlan_View::FillResultPage()
{
    m_pResultDlg->SetStale(m_pDoc->m_bResultsStale);
    m_pResultDlg->SetExclusionNote(QString::fromStdString(ExclusionNote(*m_pDoc)));
    m_pResultDlg->ClearRows();
    const int count = static_cast<int>(m_pDoc->m_arrReceiver.size());
    const int end = std::min(count, m_nResultPage + kPageSize);
    for (int i = m_nResultPage; i < end; ++i)
        m_pResultDlg->FillRow(m_pDoc->m_arrReceiver[static_cast<std::size_t>(i)], i, m_nResultPage);
    m_pResultDlg->SetPaging(m_nResultPage > 0, count > m_nResultPage + kPageSize);
}

void CPlan_View::OnResultTableRequest(int code)
{
    if (!m_pResultDlg)
        return;
    const int count = static_cast<int>(m_pDoc->m_arrReceiver.size());
    if (code == CResultDlg::kPrevious) {
        m_nResultPage -= kPageSize;
        if (m_nResultPage < 0) {
            m_nResultPage = 0;
            MessageBoxes().Information(m_pResultDlg, kStartOfData);
            return;
        }
        FillResultPage();
    } else if (code == CResultDlg::kNext) {
        if (count < m_nResultPage + kPageSize) {
            MessageBoxes().Information(m_pResultDlg, kEndOfData);
            return;
        }
        m_nResultPage += kPageSize;
        FillResultPage();
    } else if (code == CResultDlg::kClose) {
        m_nResultPage = 0;
        m_pResultDlg->hide();
        m_pResultDlg->deleteLater();
        m_pResultDlg = nullptr;
    }
}
