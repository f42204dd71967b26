#include "dialogs/target_level_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/number_fields.h"

CInput_Opt_dB::CInput_Opt_dB(double currentLevel, QWidget* parent) : QDialog(parent), m_dTargetLevel(currentLevel)
{
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_pField = new QLineEdit(Fixed2(currentLevel), this);
    row->addWidget(new QLabel(QStringLiteral("설계목표소음레벨 (dBA)"), this));
    row->addWidget(m_pField);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInput_Opt_dB::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInput_Opt_dB::reject);
    layout->addWidget(buttons);
    connect(m_pField, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const auto value = ParseDouble(text))
            m_dTargetLevel = *value;
    });
}

// A field left in a state that does not read is refused rather than returning a stale level.
void CInput_Opt_dB::accept()
{
    CFormReader reader(this);
    double value = 0;
    if (!reader.Double(m_pField, value))
        return;
    m_dTargetLevel = value;
    QDialog::accept();
}
