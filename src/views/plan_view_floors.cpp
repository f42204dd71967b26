// The façade receivers in the plan view and the per-floor table the plan view owns.

#include <algorithm>

#include "model/document.h"
#include "ui/message_box.h"
#include "views/floor_table_dialog.h"
#include "views/plan_view.h"

namespace {

const QString kFloorsNeedPrediction = QStringLiteral("소음해석을 먼저 수행하세요.");
const QString kNoFacadeResults =
    QStringLiteral("외벽 수음점의 계산 결과가 없습니다. 건물을 입력하고 소음해석을 수행하세요.");

}  // namespace

// The floor table is a child window: it goes while this view is still whole, because its
// closing clears the floor drawn on the plan.
CPlan_View::~CPlan_View() { delete m_pFloorDlg.data(); }

CFloorTableDlg* CPlan_View::FloorTable() const { return m_pFloorDlg; }

void CPlan_View::SetFacadeFloor(int floor)
{
    m_facade.m_nFloor = std::max(CFacadeDisplay::kTopFloor, floor);
    update();
}

void CPlan_View::SelectFacadeFloor(int building, int floor)
{
    m_facade.m_nSelectedBuilding = building;
    m_facade.m_nSelectedFloor = floor;
    update();
}

// The façade levels exist only after a calculation in this session: they are never saved.
void CPlan_View::OnFloorTable()
{
    if (m_pDoc->m_arrFacade.empty()) {
        MessageBoxes().Information(this, HasResults() ? kNoFacadeResults : kFloorsNeedPrediction);
        return;
    }
    if (m_pFloorDlg) {
        m_pFloorDlg->raise();
        m_pFloorDlg->activateWindow();
        return;
    }
    if (RefusedAsStale())
        return;
    m_pFloorDlg = new CFloorTableDlg(this);
    m_pFloorDlg->setAttribute(Qt::WA_DeleteOnClose, true);
    connect(m_pFloorDlg, &CFloorTableDlg::FloorSelected, this, &CPlan_View::SelectFacadeFloor);
    connect(m_pFloorDlg, &QObject::destroyed, this, [this] { SelectFacadeFloor(-1, 0); });
    RefreshFloorTable();
    m_pFloorDlg->show();
}

// After a calculation the table shows the new rows; after a change of the model it says its
// rows are stale. Rows already shown stay as they are, with their order and selection.
void CPlan_View::RefreshFloorTable()
{
    if (!m_pFloorDlg)
        return;
    m_pFloorDlg->SetStale(m_pDoc->m_bResultsStale);
    const std::uint64_t revision = m_pDoc->m_nResultsRevision;
    if (!m_pDoc->m_bResultsStale && m_pFloorDlg->Revision() != revision)
        m_pFloorDlg->SetRows(FloorRows(m_pDoc->m_arrFacade, m_pDoc->m_arrBuilding, m_pDoc->m_settings),
                             m_pDoc->m_arrBuilding, revision);
}
