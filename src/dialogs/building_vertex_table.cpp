#include "dialogs/building_vertex_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "ui/message_box.h"

namespace {

constexpr int kExactRole = Qt::UserRole;  // the value a cell was loaded with

QTableWidgetItem* NumberItem(double value)
{
    auto* item = new QTableWidgetItem(Fixed2(value));
    item->setData(kExactRole, value);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

bool Blank(const QTableWidgetItem* item) { return !item || item->text().trimmed().isEmpty(); }

// Appends rows without reporting each one; the caller reports the change once.
void AppendRows(QTableWidget* table, const std::vector<CMVector>& vertices)
{
    const QSignalBlocker block(table);
    for (const CMVector& v : vertices) {
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, NumberItem(v.x));
        table->setItem(row, 1, NumberItem(v.y));
    }
}

}  // namespace

CVertexTable::CVertexTable(QWidget* parent) : QWidget(parent)
{
    m_pTable = new QTableWidget(0, 2, this);
    m_pTable->setHorizontalHeaderLabels({QStringLiteral("X (m)"), QStringLiteral("Y (m)")});
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setMinimumHeight(160);
    auto* paste = new QAction(QStringLiteral("붙여넣기"), m_pTable);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    connect(paste, &QAction::triggered, this, &CVertexTable::PasteClipboard);
    m_pTable->addAction(paste);
    m_pTable->setContextMenuPolicy(Qt::ActionsContextMenu);

    QHBoxLayout* row = nullptr;
    QWidget* buttons = NewRowPanel(this, row);
    m_pAdd = AddCommandButton(row, QStringLiteral("꼭짓점 추가"), buttons);
    m_pRemove = AddCommandButton(row, QStringLiteral("꼭짓점 삭제"), buttons);
    m_pPaste = AddCommandButton(row, QStringLiteral("붙여넣기"), buttons);
    row->addStretch(1);
    connect(m_pAdd, &QPushButton::clicked, this, [this] {
        // A new vertex starts where the last one is, ready to be moved.
        const auto x = CellValue(m_pTable->rowCount() - 1, 0), y = CellValue(m_pTable->rowCount() - 1, 1);
        AppendRow(x.value_or(0), y.value_or(0));
        m_pTable->setCurrentCell(m_pTable->rowCount() - 1, 0);
    });
    connect(m_pRemove, &QPushButton::clicked, this, &CVertexTable::RemoveSelectedRows);
    connect(m_pPaste, &QPushButton::clicked, this, &CVertexTable::PasteClipboard);
    connect(m_pTable, &QTableWidget::itemChanged, this, &CVertexTable::UpdateDraft);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pTable, 1);
    layout->addWidget(buttons);
}

void CVertexTable::SetVertices(const std::vector<CMVector>& ring)
{
    {
        const QSignalBlocker block(m_pTable);
        m_pTable->setRowCount(0);
    }
    AppendRows(m_pTable, ring);
    UpdateDraft();
}

void CVertexTable::AppendRow(double x, double y)
{
    AppendRows(m_pTable, {CMVector(x, y, 0.0)});
    UpdateDraft();
}

void CVertexTable::RemoveSelectedRows()
{
    std::set<int> rows;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && m_pTable->currentRow() >= 0)
        rows.insert(m_pTable->currentRow());
    {
        const QSignalBlocker block(m_pTable);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            m_pTable->removeRow(*it);
    }
    UpdateDraft();
}

int CVertexTable::PasteText(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\t,; ]+"));
    std::vector<CMVector> pasted;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts)) {
        const QStringList parts = line.trimmed().split(separators, Qt::SkipEmptyParts);
        const auto x = parts.size() >= 2 ? ParseDouble(parts[0]) : std::nullopt;
        const auto y = parts.size() >= 2 ? ParseDouble(parts[1]) : std::nullopt;
        if (x && y)
            pasted.emplace_back(*x, *y, 0.0);
    }
    AppendRows(m_pTable, pasted);
    UpdateDraft();
    return static_cast<int>(pasted.size());
}

void CVertexTable::PasteClipboard() { PasteText(QApplication::clipboard()->text()); }

// The exact value the cell was loaded with while its text is still the one shown for it.
std::optional<double> CVertexTable::CellValue(int row, int column) const
{
    const QTableWidgetItem* item = row >= 0 ? m_pTable->item(row, column) : nullptr;
    if (Blank(item))
        return std::nullopt;
    const QVariant exact = item->data(kExactRole);
    if (exact.isValid() && Fixed2(exact.toDouble()) == item->text().trimmed())
        return exact.toDouble();
    return ParseDouble(item->text());
}

bool CVertexTable::HasEntries() const
{
    for (int row = 0; row < m_pTable->rowCount(); ++row)
        if (!Blank(m_pTable->item(row, 0)) || !Blank(m_pTable->item(row, 1)))
            return true;
    return false;
}

std::optional<std::vector<CMVector>> CVertexTable::Read(QWidget* parent)
{
    std::vector<CMVector> ring;
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        if (Blank(m_pTable->item(row, 0)) && Blank(m_pTable->item(row, 1)))
            continue;
        const auto x = CellValue(row, 0), y = CellValue(row, 1);
        if (!x || !y) {
            m_pTable->setCurrentCell(row, x ? 1 : 0);
            MessageBoxes().Information(parent, QString::fromUtf8(kMsgEnterNumber));
            return std::nullopt;
        }
        ring.emplace_back(*x, *y, 0.0);
    }
    return ring;
}

void CVertexTable::UpdateDraft()
{
    m_arrDraft.clear();
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        const auto x = CellValue(row, 0), y = CellValue(row, 1);
        if (x && y)
            m_arrDraft.emplace_back(*x, *y, 0.0);
    }
    emit VerticesChanged();
}
