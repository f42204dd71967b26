#include "dialogs/band_row_widget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/number_fields.h"
#include "ui/message_box.h"

namespace {

constexpr int kOverallColumn = kBandCount;
const QString kEditCaption = QStringLiteral("수정(&E)");
const QString kStoreCaption = QStringLiteral("저장(&S)");

QTableWidget* MakeCells(const QString& rowLabel, bool showOverall, QWidget* parent)
{
    const int columns = kBandCount + (showOverall ? 1 : 0);
    auto* cells = new QTableWidget(1, columns, parent);
    QStringList headers;
    for (const char* centre : BandCentreLabels())
        headers << QString::fromLatin1(centre);
    if (showOverall)
        headers << QStringLiteral("Overall");
    cells->setHorizontalHeaderLabels(headers);
    cells->setVerticalHeaderLabels({rowLabel});
    cells->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cells->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    cells->setFixedHeight(cells->horizontalHeader()->sizeHint().height() + cells->rowHeight(0) + 4);
    for (int c = 0; c < columns; ++c)
        cells->setItem(0, c, new QTableWidgetItem(QStringLiteral("0.00")));
    return cells;
}

}  // namespace

const std::array<const char*, kBandCount>& BandCentreLabels()
{
    static const std::array<const char*, kBandCount> labels = {"63",   "125",  "250",  "500",
                                                               "1000", "2000", "4000", "8000"};
    return labels;
}

CBandRowWidget::CBandRowWidget(const QString& rowLabel, EOverall overall, const QString& headerLabel, QWidget* parent)
    : QWidget(parent), m_bShowOverall(overall == EOverall::Shown)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!headerLabel.isEmpty())
        layout->addWidget(new QLabel(headerLabel, this));
    auto* top = new QHBoxLayout;
    m_pCells = MakeCells(rowLabel, m_bShowOverall, this);
    m_pToggle = new QPushButton(kEditCaption, this);
    top->addWidget(m_pCells, 1);
    top->addWidget(m_pToggle);
    layout->addLayout(top);

    m_pEditRow = new QWidget(this);
    auto* editLayout = new QHBoxLayout(m_pEditRow);
    editLayout->setContentsMargins(0, 0, 0, 0);
    for (auto& box : m_editBoxes) {
        box = new QLineEdit(m_pEditRow);
        editLayout->addWidget(box);
    }
    m_pEditRow->hide();
    layout->addWidget(m_pEditRow);
    connect(m_pToggle, &QPushButton::clicked, this, &CBandRowWidget::ToggleEditing);
}

void CBandRowWidget::SetCellText(int column, const QString& text) { m_pCells->item(0, column)->setText(text); }

QString CBandRowWidget::CellText(int band) const { return m_pCells->item(0, band)->text(); }

QString CBandRowWidget::OverallText() const
{
    return m_bShowOverall ? m_pCells->item(0, kOverallColumn)->text() : QString();
}

QString CBandRowWidget::Format(double value) const
{
    if (m_style.m_nDecimals == 2 || !HasEnergy(value))
        return LevelText(value);
    return QString::asprintf("%.*f", m_style.m_nDecimals, value);
}

void CBandRowWidget::SetStyle(const CBandRowStyle& style)
{
    m_style = style;
    Reset();
}

void CBandRowWidget::SetValues(const Bands& values)
{
    for (int j = 0; j < kBandCount; ++j)
        SetCellText(j, Format(values[static_cast<std::size_t>(j)]));
    UpdateOverall();
}

void CBandRowWidget::Reset()
{
    for (int c = 0; c < m_pCells->columnCount(); ++c)
        SetCellText(c, Format(0.0));
}

void CBandRowWidget::Fill(double value)
{
    Bands values{};
    values.fill(value);
    SetValues(values);
}

std::optional<Bands> CBandRowWidget::Values() const
{
    Bands values{};
    for (int j = 0; j < kBandCount; ++j) {
        const auto value = ParseLevel(CellText(j));
        if (!value)
            return std::nullopt;
        values[static_cast<std::size_t>(j)] = *value;
    }
    return values;
}

void CBandRowWidget::UpdateOverall()
{
    if (!m_bShowOverall)
        return;
    const auto values = Values();
    SetCellText(kOverallColumn, values ? LevelText(EnergySum(*values)) : QString());
}

void CBandRowWidget::ToggleEditing()
{
    if (!m_bEditing)
        BeginEditing();
    else if (!FinishEditing())
        return;
    m_pToggle->setText(m_bEditing ? kStoreCaption : kEditCaption);
    emit EditingChanged(m_bEditing);
}

void CBandRowWidget::BeginEditing()
{
    for (int j = 0; j < kBandCount; ++j)
        m_editBoxes[static_cast<std::size_t>(j)]->setText(CellText(j));
    m_pEditRow->show();
    m_bEditing = true;
}

// Writes the boxes back; a box that is neither empty nor a number keeps the editing open.
bool CBandRowWidget::FinishEditing()
{
    std::array<QString, kBandCount> texts;
    for (int j = 0; j < kBandCount; ++j) {
        QLineEdit* box = m_editBoxes[static_cast<std::size_t>(j)];
        const QString text = box->text().trimmed();
        const auto value = text.isEmpty() ? ParseLevel(m_style.m_strEmptyBox) : ParseLevel(text);
        if (!value) {
            MessageBoxes().Information(this, QString::fromUtf8(kMsgEnterNumber));
            box->setFocus();
            return false;
        }
        if (text.isEmpty())
            texts[static_cast<std::size_t>(j)] = m_style.m_strEmptyBox;
        else
            texts[static_cast<std::size_t>(j)] = m_style.m_bKeepTyped ? text : Format(*value);
    }
    for (int j = 0; j < kBandCount; ++j)
        SetCellText(j, texts[static_cast<std::size_t>(j)]);
    m_pEditRow->hide();
    m_bEditing = false;
    UpdateOverall();
    return true;
}
