#include "dialogs/crs_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gis/gis_crs.h"
#include "ui/message_box.h"

CCrsDialog::CCrsDialog(const QString& code, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("좌표계"));
    m_pCode = new QLineEdit(code, this);
    m_pCode->setObjectName(QStringLiteral("crsCode"));
    m_pCode->setPlaceholderText(QStringLiteral("EPSG:5186 (비우면 지역 좌표, 미터)"));
    m_pName = new QLabel(this);
    m_pName->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("좌표계 코드"), m_pCode);
    form->addRow(QStringLiteral("이름"), m_pName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCrsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(m_pCode, &QLineEdit::textChanged, this, &CCrsDialog::ShowName);
    ShowName();
}

QString CCrsDialog::Code() const { return m_pCode->text().trimmed(); }

void CCrsDialog::ShowName()
{
    const CCrsCheck check = CheckCrs(Code().toStdString());
    if (Code().isEmpty())
        m_pName->setText(QStringLiteral("지역 좌표 (미터)"));
    else
        m_pName->setText(check.ok ? QString::fromStdString(check.name) : QStringLiteral("-"));
}

void CCrsDialog::accept()
{
    const CCrsCheck check = CheckCrs(Code().toStdString());
    if (!check.ok) {
        MessageBoxes().Information(this, QString::fromStdString(check.message));
        return;
    }
    QDialog::accept();
}
