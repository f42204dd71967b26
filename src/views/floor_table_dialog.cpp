#include "views/floor_table_dialog.h"

#include <cmath>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include "io/floor_table.h"
#include "model/bands.h"
#include "model/document.h"  // the stale-results text
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace {

constexpr int kSortRole = Qt::UserRole;          // the number a numeric column sorts by
constexpr int kBuildingRole = Qt::UserRole + 1;  // on the first cell: the row's building (from 0)
constexpr int kFloorRole = Qt::UserRole + 2;     // and its floor
const QColor kLimitBackground(255, 216, 216);
const QColor kFloorExceedingText(176, 0, 0);
// Column widths in pixels at 96 dpi, in EFloorColumn order; wide enough for their titles.
constexpr int kColumnWidths[kFloorColumnCount] = {48, 96, 40, 72, 72, 60, 60, 72, 72, 72, 72, 72, 72, 110};

const QString kFloorGeometryKey = QStringLiteral("FloorTable/geometry");
const QString kFloorColumnsKey = QStringLiteral("FloorTable/columns");

// A cell that sorts by its number when it has one ("-" sorts below every level). The
// building column sorts by building and then floor.
class CSortItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant a = data(kSortRole), b = other.data(kSortRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        return QTableWidgetItem::operator<(other);
    }
};

// Levels, limits and exceedances without a value sort below every number.
double OrLowest(double value) { return std::isfinite(value) ? value : -1e300; }
double OrLowest(const std::optional<double>& value) { return value ? *value : -1e300; }
double OrLowest(const std::optional<CLimit>& limit) { return limit ? limit->m_dValue : -1e300; }

double SortValue(const CFloorRow& floor, int column)
{
    const CFloorSummary& row = floor.m_day;
    switch (column) {
    case kFloorColBuilding: return double(row.m_nBuilding) * (kMaxBuildingFloors + 1) + row.m_nFloor;
    case kFloorColFloor: return row.m_nFloor;
    case kFloorColPoints: return row.m_nPoints;
    case kFloorColMax: return OrLowest(row.m_dMax);
    case kFloorColMaxWall: return row.m_nMaxWall;
    case kFloorColMaxPoint: return row.m_nMaxPoint;
    case kFloorColMin: return OrLowest(row.m_dMin);
    case kFloorColDayLimit: return OrLowest(floor.m_dayLimit);
    case kFloorColDayExcess: return OrLowest(Exceedance(row.m_dMax, floor.m_dayLimit));
    case kFloorColNightMax: return OrLowest(floor.m_dNightMax);
    case kFloorColNightLimit: return OrLowest(floor.m_nightLimit);
    case kFloorColNightExcess: return OrLowest(Exceedance(floor.m_dNightMax, floor.m_nightLimit));
    default: return 0;
    }
}

bool IsNumberColumn(int column) { return column != kFloorColName && column != kFloorColJudgement; }

// The exceedance cell of a period whose limit the floor exceeds.
bool IsExceedingCell(const CFloorRow& row, int column)
{
    return (column == kFloorColDayExcess && row.Day() == EJudgement::kExceeds) ||
           (column == kFloorColNightExcess && row.Night() == EJudgement::kExceeds);
}

}  // namespace

CFloorTableDlg::CFloorTableDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("층별 결과"));
    setModal(false);
    BuildGrid();
    m_pCsv = new QPushButton(QStringLiteral("CSV 저장"), this);
    m_pClose = new QPushButton(QStringLiteral("확인"), this);
    for (QPushButton* button : {m_pCsv, m_pClose})
        button->setAutoDefault(false);
    connect(m_pCsv, &QPushButton::clicked, this, &CFloorTableDlg::SaveCsv);
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::close);
    m_pStaleNote = new QLabel(QString::fromUtf8(kMsgStaleResults), this);
    m_pStaleNote->setObjectName(QStringLiteral("staleNote"));
    m_pStaleNote->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    m_pStaleNote->setVisible(false);
    auto* note = new QLabel(QStringLiteral("외벽 수음점의 전체 소음레벨 (dB(A)). 초과는 층의 최고 레벨에서 기준을 뺀 "
                                           "값이며, 기준을 넘는 층은 색으로 표시합니다."),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pCsv);
    buttons->addStretch(1);
    buttons->addWidget(m_pClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStaleNote);
    layout->addWidget(note);
    layout->addWidget(m_pGrid, 1);
    layout->addLayout(buttons);
    BuildCopyCommand();
    resize(QSize(1060, 520));
    RestoreLayout();
}

CFloorTableDlg::~CFloorTableDlg() { SaveLayout(); }

void CFloorTableDlg::RestoreLayout()
{
    const QSettings settings;
    restoreGeometry(settings.value(kFloorGeometryKey).toByteArray());
    m_pGrid->horizontalHeader()->restoreState(settings.value(kFloorColumnsKey).toByteArray());
}

void CFloorTableDlg::SaveLayout() const
{
    QSettings settings;
    settings.setValue(kFloorGeometryKey, saveGeometry());
    settings.setValue(kFloorColumnsKey, m_pGrid->horizontalHeader()->saveState());
}

void CFloorTableDlg::BuildGrid()
{
    QStringList header;
    for (const std::string& title : FloorTableHeader())
        header << QString::fromStdString(title);
    m_pGrid = new QTableWidget(0, kFloorColumnCount, this);
    m_pGrid->setHorizontalHeaderLabels(header);
    m_pGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pGrid->verticalHeader()->setVisible(false);
    m_pGrid->verticalHeader()->setDefaultSectionSize(m_pGrid->fontMetrics().height() + 8);
    for (int column = 0; column < kFloorColumnCount; ++column)
        m_pGrid->setColumnWidth(column, kColumnWidths[column]);
    m_pGrid->horizontalHeader()->setStretchLastSection(true);
    m_pGrid->setSortingEnabled(true);
    connect(m_pGrid, &QTableWidget::itemSelectionChanged, this, &CFloorTableDlg::OnSelectionChanged);
}

void CFloorTableDlg::BuildCopyCommand()
{
    auto* copy = new QAction(QStringLiteral("복사(&C)"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CFloorTableDlg::CopyToClipboard);
    m_pGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pGrid->addAction(copy);
    addAction(copy);
}

void CFloorTableDlg::SetRows(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings,
                             std::uint64_t revision)
{
    m_nRevision = revision;
    m_arrRow = rows;
    m_arrBuilding = buildings;
    m_pGrid->setSortingEnabled(false);
    m_pGrid->clearContents();
    m_pGrid->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const CFloorRow& row = rows[std::size_t(i)];
        const std::vector<std::string> cells = FloorRowCells(row, buildings);
        for (int column = 0; column < kFloorColumnCount; ++column) {
            auto* item = new CSortItem(QString::fromStdString(cells[std::size_t(column)]));
            if (IsNumberColumn(column)) {
                item->setData(kSortRole, SortValue(row, column));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else if (column == kFloorColJudgement) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            if (row.Exceeds())
                item->setBackground(kLimitBackground);
            if (IsExceedingCell(row, column)) {
                item->setForeground(kFloorExceedingText);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_pGrid->setItem(i, column, item);
        }
        m_pGrid->item(i, 0)->setData(kBuildingRole, row.m_day.m_nBuilding);
        m_pGrid->item(i, 0)->setData(kFloorRole, row.m_day.m_nFloor);
    }
    m_pGrid->setSortingEnabled(true);
    m_pGrid->sortItems(kFloorColBuilding, Qt::AscendingOrder);
}

void CFloorTableDlg::SetStale(bool stale) { m_pStaleNote->setVisible(stale); }

bool CFloorTableDlg::IsMarkedStale() const { return !m_pStaleNote->isHidden(); }

QString CFloorTableDlg::TableText() const
{
    QStringList lines;
    QStringList header;
    for (const std::string& title : FloorTableHeader())
        header << QString::fromStdString(title);
    lines << header.join(QLatin1Char('\t'));
    for (int row = 0; row < m_pGrid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < kFloorColumnCount; ++column)
            cells << (m_pGrid->item(row, column) ? m_pGrid->item(row, column)->text() : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CFloorTableDlg::CopyToClipboard() const { QApplication::clipboard()->setText(TableText()); }

void CFloorTableDlg::SaveCsv()
{
    const QString path = FileDialogs().SaveFileName(this, QStringLiteral("층별 결과 저장"),
                                                    QStringLiteral("층별결과.csv"), QStringLiteral("CSV 파일(*.csv)"));
    if (path.isEmpty())
        return;
    if (const std::string failure = SaveFloorTableCsv(m_arrRow, m_arrBuilding, path.toStdString()); !failure.empty())
        MessageBoxes().Information(this, QString::fromStdString(failure));
}

void CFloorTableDlg::OnSelectionChanged()
{
    const QList<QTableWidgetItem*> selected = m_pGrid->selectedItems();
    if (selected.isEmpty()) {
        emit FloorSelected(-1, 0);
        return;
    }
    const QTableWidgetItem* first = m_pGrid->item(selected.first()->row(), 0);
    emit FloorSelected(first->data(kBuildingRole).toInt(), first->data(kFloorRole).toInt());
}
