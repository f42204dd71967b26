#include "dialogs/band_correction_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/number_fields.h"
#include "ui/message_box.h"

CInputAddition::CInputAddition(const Bands& corrections, QWidget* parent) : QDialog(parent), m_dCorrection(corrections)
{
    setWindowTitle(QStringLiteral("사용자 정의 음향파워레벨 보정치(dBA/m)"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("중심 주파수"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("음향파워레벨"), this), 1, 0);
    for (int j = 0; j < kBandCount; ++j) {
        grid->addWidget(new QLabel(QString::fromLatin1(BandCentreLabels()[static_cast<std::size_t>(j)]), this), 0,
                        j + 1, Qt::AlignCenter);
        auto* field = new QLineEdit(Fixed2(corrections[static_cast<std::size_t>(j)]), this);
        grid->addWidget(field, 1, j + 1);
        m_fields[static_cast<std::size_t>(j)] = field;
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("확인(&D)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputAddition::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInputAddition::reject);
    layout->addWidget(buttons);
}

// An empty field gives 0; any other text must be a number.
void CInputAddition::accept()
{
    Bands read{};
    CFormReader reader(this);
    for (std::size_t j = 0; j < kBandCount; ++j) {
        if (m_fields[j]->text().trimmed().isEmpty())
            read[j] = 0.0;
        else if (!reader.Double(m_fields[j], read[j]))
            return;
    }
    m_dCorrection = read;
    QDialog::accept();
}
