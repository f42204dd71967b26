#include "dialogs/barrier_exclusion_dialog.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Whole metres, cut toward zero; values beyond the integer range are held at its ends.
int WholeMetres(double value)
{
    constexpr double lo = -2147483648.0, hi = 2147483647.0;
    if (!(value == value))
        return 0;
    return static_cast<int>(std::clamp(value, lo, hi));
}

std::vector<int> SelectedRows(const QListWidget* list)
{
    std::vector<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            rows.push_back(row);
    return rows;
}

}  // namespace

QString ExclusionLine(int position, const CBarrier_Stage& b)
{
    return QString::asprintf("ID:%d , x시작:%d , y시작:%d , x끝:%d , y끝:%d , 높이:%f", position + 1,
                             WholeMetres(b.m_dStartX), WholeMetres(b.m_dStartY), WholeMetres(b.m_dEndX),
                             WholeMetres(b.m_dEndY), b.m_dHeight);
}

void CBarrierMarks::Mark(const std::vector<int>& positions)
{
    const std::size_t count = std::min(positions.size(), static_cast<std::size_t>(kMaxMarkedAtOnce));
    for (std::size_t i = 0; i < count; ++i) {
        const int p = positions[i];
        if (p < 0 || p >= static_cast<int>(m_marked.size()) || m_marked[static_cast<std::size_t>(p)])
            continue;
        m_marked[static_cast<std::size_t>(p)] = true;
        m_order.push_back(p);
    }
}

void CBarrierMarks::Unmark(const std::vector<int>& positions)
{
    for (int p : positions) {
        if (p >= 0 && p < static_cast<int>(m_marked.size()))
            m_marked[static_cast<std::size_t>(p)] = false;
        std::erase(m_order, p);
    }
}

CalcSelectorDlg::CalcSelectorDlg(const std::vector<CBarrier_Stage>& barriers, QWidget* parent)
    : QDialog(parent), m_marks(static_cast<int>(barriers.size()))
{
    setWindowTitle(QStringLiteral("특정방음벽 제외 계산"));
    auto* grid = new QGridLayout(this);
    m_pAll = new QListWidget(this);
    m_pExcluded = new QListWidget(this);
    for (QListWidget* list : {m_pAll, m_pExcluded})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (std::size_t i = 0; i < barriers.size(); ++i) {
        m_lines.push_back(ExclusionLine(static_cast<int>(i), barriers[i]));
        m_pAll->addItem(m_lines.back());
    }
    m_pMark = new QPushButton(QStringLiteral("->"), this);
    m_pUnmark = new QPushButton(QStringLiteral("<-"), this);
    m_pApply = new QPushButton(QStringLiteral("적용"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pMark);
    buttons->addWidget(m_pUnmark);
    buttons->addStretch(1);
    buttons->addWidget(m_pApply);
    grid->addWidget(new QLabel(QStringLiteral("전체 목록"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("계산에서 제외할 목록"), this), 0, 2);
    grid->addWidget(m_pAll, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(m_pExcluded, 1, 2);
    connect(m_pMark, &QPushButton::clicked, this, &CalcSelectorDlg::OnMark);
    connect(m_pUnmark, &QPushButton::clicked, this, &CalcSelectorDlg::OnUnmark);
    connect(m_pApply, &QPushButton::clicked, this, &QDialog::accept);
}

void CalcSelectorDlg::OnMark()
{
    m_marks.Mark(SelectedRows(m_pAll));
    RedrawExcluded();
}

// The right list shows the marked barriers in marking order, so its rows are positions
// in Marked().
void CalcSelectorDlg::OnUnmark()
{
    std::vector<int> positions;
    for (int row : SelectedRows(m_pExcluded))
        positions.push_back(m_marks.Marked()[static_cast<std::size_t>(row)]);
    m_marks.Unmark(positions);
    RedrawExcluded();
}

void CalcSelectorDlg::RedrawExcluded()
{
    m_pExcluded->clear();
    for (int p : m_marks.Marked())
        m_pExcluded->addItem(m_lines[static_cast<std::size_t>(p)]);
}
