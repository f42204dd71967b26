#include "dialogs/noise_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/map_refine_fields.h"

QComboBox* MapBandCombo(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems({QStringLiteral("Overall (dBA)"), QStringLiteral("63 Hz"), QStringLiteral("125 Hz"),
                   QStringLiteral("250 Hz"), QStringLiteral("500 Hz"), QStringLiteral("1K Hz"), QStringLiteral("2K Hz"),
                   QStringLiteral("4K Hz"), QStringLiteral("8K Hz")});
    return box;
}

CNoiseMapDialog::CNoiseMapDialog(const CRefineRequest& refine, QWidget* parent)
    : QDialog(parent), m_pBand(MapBandCombo(this)), m_pRefine(new CMapRefineFields(refine, this)), m_refine(refine)
{
    setWindowTitle(QStringLiteral("소음지도"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("주파수밴드를 선택하세요."), m_pBand);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pRefine);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNoiseMapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNoiseMapDialog::reject);
}

int CNoiseMapDialog::Band() const { return std::max(0, m_pBand->currentIndex()); }

void CNoiseMapDialog::accept()
{
    if (m_pRefine->Read(this, m_refine))
        QDialog::accept();
}
