#include "dialogs/map_refine_fields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

#include "dialogs/number_fields.h"
#include "ui/message_box.h"

CMapRefineFields::CMapRefineFields(const CRefineRequest& shown, QWidget* parent)
    : QWidget(parent),
      m_pRefine(new QCheckBox(QStringLiteral("등급 경계 세분화"), this)),
      m_pFinest(new QLineEdit(this))
{
    m_pRefine->setChecked(shown.refine);
    m_pRefine->setToolTip(
        QStringLiteral("등급이 바뀌는 곳에서 격자를 최소 간격까지 나누어 정확한 레벨로 경계를 그립니다."));
    m_pFinest->setPlaceholderText(QStringLiteral("간격 / %1").arg(kFinestDivisor));
    if (shown.finest > 0)
        m_pFinest->setText(Fixed2(shown.finest));
    m_pFinest->setEnabled(shown.refine);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(m_pRefine);
    form->addRow(QStringLiteral("최소 간격(m)"), m_pFinest);
    connect(m_pRefine, &QCheckBox::toggled, m_pFinest, &QLineEdit::setEnabled);
}

std::optional<CRefineRequest> CMapRefineFields::Choice() const
{
    CRefineRequest choice;
    choice.refine = m_pRefine->isChecked();
    const QString text = m_pFinest->text().trimmed();
    if (text.isEmpty())
        return choice;
    const std::optional<double> finest = ParseDouble(text);
    if (!finest || !(*finest > 0)) {
        if (choice.refine)
            return std::nullopt;
        return choice;  // not read while the map is not refined
    }
    choice.finest = *finest;
    return choice;
}

bool CMapRefineFields::Read(QWidget* owner, CRefineRequest& choice) const
{
    const std::optional<CRefineRequest> read = Choice();
    if (!read) {
        MessageBoxes().Information(owner, QString::fromUtf8(kMsgBadFinest));
        m_pFinest->setFocus();
        return false;
    }
    choice = *read;
    return true;
}
