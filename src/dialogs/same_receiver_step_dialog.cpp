#include "dialogs/same_receiver_step_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/number_fields.h"
#include "ui/message_box.h"

CSameReceiverStep::CSameReceiverStep(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("등간격 수음점 기준점 입력"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("등간격 수음점 기준점 입력"), this);
    auto* grid = new QGridLayout(group);
    const QStringList axes = {QStringLiteral("X (m)"), QStringLiteral("Y (m)"), QStringLiteral("Z (m)")};
    grid->addWidget(new QLabel(QStringLiteral("시작점"), group), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("종료점"), group), 2, 0);
    for (int a = 0; a < 3; ++a) {
        const auto axis = static_cast<std::size_t>(a);
        grid->addWidget(new QLabel(axes[a], group), 0, a + 1);
        m_start[axis] = new QLineEdit(QStringLiteral("0"), group);
        m_end[axis] = new QLineEdit(QStringLiteral("0"), group);
        grid->addWidget(m_start[axis], 1, a + 1);
        grid->addWidget(m_end[axis], 2, a + 1);
    }
    m_pSpacing = new QLineEdit(QStringLiteral("0"), group);
    grid->addWidget(new QLabel(QStringLiteral("수음점 간격 (m)"), group), 3, 0);
    grid->addWidget(m_pSpacing, 3, 1);
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSameReceiverStep::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSameReceiverStep::reject);
    layout->addWidget(buttons);
}

// A negative spacing or one giving an unbounded number of receivers is refused here.
void CSameReceiverStep::accept()
{
    CEqualSpacingLine line;
    CFormReader reader(this);
    for (std::size_t a = 0; a < 3; ++a) {
        reader.Double(m_start[a], line.m_start[a]);
        reader.Double(m_end[a], line.m_end[a]);
    }
    if (!reader.Double(m_pSpacing, line.m_dSpacing))
        return;
    if (line.m_dSpacing < 0.0) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgNegativeSpacing));
        return;
    }
    if (EqualSpacingCount(line) > kMaxEqualSpacingPoints) {
        MessageBoxes().Information(this, QString::fromUtf8(kMsgTooManyReceivers));
        return;
    }
    m_line = line;
    QDialog::accept();
}
