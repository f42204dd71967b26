#include "dialogs/optimise/design_table_widget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>

#include "dialogs/number_fields.h"

namespace {

const QStringList kTitles = {QStringLiteral("구분"),          QStringLiteral("수음점"),
                             QStringLiteral("기준 dB(A)"),    QStringLiteral("설치 전 dB(A)"),
                             QStringLiteral("설치 후 dB(A)"), QStringLiteral("삽입손실 dB"),
                             QStringLiteral("판정")};
const QColor kExceedsBackground(255, 216, 216);
const QColor kLeftOutBackground(224, 224, 224);

QStringList Cells(const CDesignTableRow& row)
{
    return {QString::fromStdString(row.m_strName),
            QString::number(row.m_nPoints),
            row.m_limit ? Fixed2(row.m_limit->m_dValue) : QStringLiteral("-"),
            LevelText(row.m_dBefore),
            LevelText(row.m_dAfter),
            LevelText(row.InsertionLoss()),
            QString::fromUtf8(DesignCheckText(row.m_eCheck))};
}

}  // namespace

CDesignTableWidget::CDesignTableWidget(QWidget* parent) : QTableWidget(0, int(kTitles.size()), parent)
{
    setHorizontalHeaderLabels(kTitles);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* copy = new QAction(QStringLiteral("복사(&C)"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &CDesignTableWidget::CopyToClipboard);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(copy);
}

void CDesignTableWidget::SetTable(const CDesignTable& table)
{
    clearContents();
    setRowCount(int(table.m_arrRow.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const CDesignTableRow& row = table.m_arrRow[std::size_t(r)];
        const QStringList cells = Cells(row);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (row.m_eCheck == EDesignCheck::kExceeds)
                item->setBackground(kExceedsBackground);
            else if (row.m_eCheck == EDesignCheck::kOutOfReach)
                item->setBackground(kLeftOutBackground);
            setItem(r, c, item);
        }
    }
}

QString CDesignTableWidget::TableText() const
{
    QString text = kTitles.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << (item(r, c) ? item(r, c)->text() : QString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void CDesignTableWidget::CopyToClipboard() const { QApplication::clipboard()->setText(TableText()); }
