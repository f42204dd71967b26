#include "dialogs/input_form_helpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/number_fields.h"
#include "ui/message_box.h"

QLineEdit* AddLabelledField(QGridLayout* grid, int row, int column, const QString& label, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    grid->addWidget(new QLabel(label, parent), row, column);
    grid->addWidget(field, row, column + 1);
    return field;
}

QWidget* NewGridPanel(QWidget* parent, QGridLayout*& grid)
{
    auto* panel = new QWidget(parent);
    grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    return panel;
}

QWidget* NewRowPanel(QWidget* parent, QHBoxLayout*& row)
{
    auto* panel = new QWidget(parent);
    row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    return panel;
}

QPushButton* AddCommandButton(QHBoxLayout* row, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

void SetWidgetsEnabled(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

bool SwallowEscape(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

std::optional<Bands> ReadBandRow(QWidget* parent, const CBandRowWidget* row)
{
    auto values = row->Values();
    if (!values)
        MessageBoxes().Information(parent, QString::fromUtf8(kMsgEnterNumber));
    return values;
}

QString Fixed3(double value) { return QString::asprintf("%.3f", value); }

CBandRowStyle AbsorptionRowStyle(const QString& emptyBox)
{
    CBandRowStyle style;
    style.m_nDecimals = 3;
    style.m_strEmptyBox = emptyBox;
    style.m_bKeepTyped = true;
    return style;
}
