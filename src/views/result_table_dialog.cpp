#include "views/result_table_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/result_table.h"
#include "model/document.h"  // the stale-results text
#include "model/entities.h"

namespace {

// Column widths in pixels at 96 dpi; wide enough for "100.00" in the UI font.
constexpr int kIdWidth = 48;
constexpr int kPositionWidth = 78;
constexpr int kBandWidth = 52;
constexpr int kOverallWidth = 70;
constexpr int kFirstNumberColumn = 1;  // every column after the ID holds a number

// Where the table's size and column widths are kept between sessions.
const QString kGeometryKey = QStringLiteral("ResultTable/geometry");
const QString kColumnsKey = QStringLiteral("ResultTable/columns");

QLabel* Title(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

CResultDlg::CResultDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("소음해석결과"));
    setModal(false);
    BuildGrid();
    m_pPrevious = new QPushButton(QStringLiteral("<< 이전 100개의 수음점 정보"), this);
    m_pClose = new QPushButton(QStringLiteral("확인"), this);
    m_pNext = new QPushButton(QStringLiteral("다음 100개의 수음점 정보 >>"), this);
    m_pCopy = new QPushButton(QStringLiteral("표 복사"), this);
    m_pCopy->setToolTip(QStringLiteral("이 쪽의 표를 클립보드로 복사합니다 (Ctrl+C)."));
    for (QPushButton* button : {m_pPrevious, m_pClose, m_pNext, m_pCopy})
        button->setAutoDefault(false);
    connect(m_pPrevious, &QPushButton::clicked, this, [this] { emit Request(kPrevious); });
    connect(m_pNext, &QPushButton::clicked, this, [this] { emit Request(kNext); });
    connect(m_pClose, &QPushButton::clicked, this, [this] { emit Request(kClose); });
    connect(m_pCopy, &QPushButton::clicked, this, &CResultDlg::CopyToClipboard);

    auto* titles = new QHBoxLayout;
    titles->addWidget(Title("수음점 ID 및 위치 정보", this));
    titles->addWidget(Title("1/1 옥타브밴드별 소음레벨 (dBA)", this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pPrevious);
    buttons->addWidget(m_pClose);
    buttons->addWidget(m_pNext);
    buttons->addSpacing(24);
    buttons->addWidget(m_pCopy);
    m_pStaleNote = new QLabel(QString::fromUtf8(kMsgStaleResults), this);
    m_pStaleNote->setObjectName(QStringLiteral("staleNote"));
    m_pStaleNote->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    m_pStaleNote->setVisible(false);
    m_pExclusionNote = new QLabel(this);
    m_pExclusionNote->setObjectName(QStringLiteral("exclusionNote"));
    m_pExclusionNote->setStyleSheet(QStringLiteral("color: #a05000; font-weight: bold"));
    m_pExclusionNote->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStaleNote);
    layout->addWidget(m_pExclusionNote);
    layout->addLayout(titles);
    layout->addWidget(m_pGrid);
    layout->addLayout(buttons);
    BuildCopyCommand();
    resize(sizeHint().expandedTo(QSize(900, 560)));
    RestoreLayout();
}

CResultDlg::~CResultDlg() { SaveLayout(); }

void CResultDlg::RestoreLayout()
{
    const QSettings settings;
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    m_pGrid->horizontalHeader()->restoreState(settings.value(kColumnsKey).toByteArray());
}

void CResultDlg::SaveLayout() const
{
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kColumnsKey, m_pGrid->horizontalHeader()->saveState());
}

void CResultDlg::hideEvent(QHideEvent* event)
{
    SaveLayout();
    QDialog::hideEvent(event);
}

void CResultDlg::SetPaging(bool hasPrevious, bool hasNext)
{
    m_pPrevious->setEnabled(hasPrevious);
    m_pNext->setEnabled(hasNext);
}

void CResultDlg::SetStale(bool stale) { m_pStaleNote->setVisible(stale); }

bool CResultDlg::IsMarkedStale() const { return !m_pStaleNote->isHidden(); }

void CResultDlg::SetExclusionNote(const QString& note)
{
    m_pExclusionNote->setText(note);
    m_pExclusionNote->setVisible(!note.isEmpty());
}

QString CResultDlg::ExclusionNote() const
{
    return m_pExclusionNote->isHidden() ? QString() : m_pExclusionNote->text();
}

void CResultDlg::BuildGrid()
{
    m_pGrid = new QTableWidget(kRows, kColumns, this);
    m_pGrid->setHorizontalHeaderLabels({"ID", "X (m)", "Y (m)", "Z (m)", "63 Hz", "125 Hz", "250 Hz", "500 Hz", "1K Hz",
                                        "2K Hz", "4K Hz", "8K Hz", "Overall"});
    m_pGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pGrid->verticalHeader()->setVisible(false);
    m_pGrid->setColumnWidth(0, kIdWidth);
    for (int column = 1; column < 4; ++column)
        m_pGrid->setColumnWidth(column, kPositionWidth);
    for (int column = 4; column < 12; ++column)
        m_pGrid->setColumnWidth(column, kBandWidth);
    m_pGrid->setColumnWidth(12, kOverallWidth);
    m_pGrid->horizontalHeader()->setStretchLastSection(true);
    int width = 2 * m_pGrid->frameWidth();
    for (int column = 0; column < kColumns; ++column)
        width += m_pGrid->columnWidth(column);
    m_pGrid->setMinimumWidth(width + m_pGrid->verticalScrollBar()->sizeHint().width());
}

void CResultDlg::BuildCopyCommand()
{
    auto* copy = new QAction(QStringLiteral("복사(&C)"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CResultDlg::CopyToClipboard);
    m_pGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pGrid->addAction(copy);
    addAction(copy);
}

void CResultDlg::FillRow(const CReceiverPoint& receiver, int i, int page)
{
    const int row = i - page;
    if (row < 0 || row >= kRows)
        return;
    const QStringList cells = QString::fromStdString(ResultRowText(receiver, i + 1)).split(QLatin1Char('\t'));
    for (int column = 0; column < kColumns && column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column >= kFirstNumberColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_pGrid->setItem(row, column, item);
    }
}

void CResultDlg::ClearRows() { m_pGrid->clearContents(); }

QString CResultDlg::CellText(int row, int column) const
{
    const QTableWidgetItem* item = m_pGrid->item(row, column);
    return item ? item->text() : QString();
}

QString CResultDlg::TableText() const
{
    QString text = QString::fromUtf8(kResultTableHeader) + QLatin1Char('\n');
    for (int row = 0; row < kRows && !CellText(row, 0).isEmpty(); ++row) {
        QStringList cells;
        for (int column = 0; column < kColumns; ++column)
            cells << CellText(row, column);
        text += cells.join(QLatin1Char('\t'));
        if (row < kRows - 1)
            text += QLatin1Char('\n');
    }
    return text;
}

void CResultDlg::CopyToClipboard() const { QApplication::clipboard()->setText(TableText()); }

// The title bar's close box closes the table as "확인" does.
void CResultDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit Request(kClose);
}
