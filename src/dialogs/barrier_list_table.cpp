#include "dialogs/barrier_list_table.h"

#include <QHeaderView>

#include "dialogs/number_fields.h"

namespace {

constexpr int kVisibleRows = 4;  // the table's height in rows; more scroll

QString Ends(double x, double y) { return Fixed2(x) + QStringLiteral(", ") + Fixed2(y); }

QTableWidgetItem* Cell(const QString& text, bool excluded)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (excluded)
        item->setForeground(Qt::gray);
    return item;
}

}  // namespace

CBarrierListTable::CBarrierListTable(QWidget* parent) : QTableWidget(0, kColumnCount, parent)
{
    setObjectName(QStringLiteral("barrierList"));
    setHorizontalHeaderLabels({QStringLiteral("ID"), QStringLiteral("시작점 X, Y (m)"),
                               QStringLiteral("종료점 X, Y (m)"), QStringLiteral("높이 (m)"), QStringLiteral("계산")});
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMinimumHeight(horizontalHeader()->sizeHint().height() + kVisibleRows * verticalHeader()->defaultSectionSize());
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit BarrierClicked(row); });
}

void CBarrierListTable::ShowBarriers(const std::vector<CBarrier_Stage>& barriers, const std::vector<bool>& excluded)
{
    setRowCount(static_cast<int>(barriers.size()));
    for (std::size_t i = 0; i < barriers.size(); ++i) {
        const CBarrier_Stage& b = barriers[i];
        const bool out = i < excluded.size() && excluded[i];
        const int row = static_cast<int>(i);
        setItem(row, kId, Cell(QString::number(row + 1), out));
        setItem(row, kStart, Cell(Ends(b.m_dStartX, b.m_dStartY), out));
        setItem(row, kEnd, Cell(Ends(b.m_dEndX, b.m_dEndY), out));
        setItem(row, kHeight, Cell(Fixed2(b.m_dHeight), out));
        setItem(row, kCalculation, Cell(out ? QStringLiteral("제외") : QString(), out));
    }
}
