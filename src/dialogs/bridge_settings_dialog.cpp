#include "dialogs/bridge_settings_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/number_fields.h"
#include "ui/message_box.h"

CBridgeType::CBridgeType(const CBridgeSettings& settings, QWidget* parent) : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("교량 설정"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeTypeGroup());
    layout->addWidget(MakeBarrierGroup(0, QStringLiteral("좌측방음벽")));
    layout->addWidget(MakeBarrierGroup(1, QStringLiteral("중앙방음벽")));
    layout->addWidget(MakeBarrierGroup(2, QStringLiteral("우측방음벽")));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBridgeType::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBridgeType::reject);
    layout->addWidget(buttons);
}

QWidget* CBridgeType::MakeTypeGroup()
{
    auto* group = new QGroupBox(QStringLiteral("교량 종류"), this);
    auto* row = new QHBoxLayout(group);
    m_pTypes = new QButtonGroup(this);
    for (int type = 0; type < 5; ++type) {
        auto* button = new QToolButton(group);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(BridgeTypePicture(type)));
        button->setIconSize(QSize(120, 60));
        button->setText(BridgeTypeButtonCaption(type));
        m_pTypes->addButton(button, type);
        row->addWidget(button);
    }
    if (QAbstractButton* chosen = m_pTypes->button(m_settings.m_nBridgeType))
        chosen->setChecked(true);
    return group;
}

QWidget* CBridgeType::MakeBarrierGroup(int barrier, const QString& title)
{
    const CDeckBarrier& values = m_settings.m_barriers[static_cast<std::size_t>(barrier)];
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    auto* height = new QLineEdit(Fixed2(values.m_dHeight), group);
    auto* attenuator = new QComboBox(group);
    for (const QString& name : AttenuatorNames())
        attenuator->addItem(name);
    attenuator->setCurrentIndex(
        values.m_nAttenuator >= 0 && values.m_nAttenuator < kAttenuatorCount ? values.m_nAttenuator : 0);
    auto* absorption = new CBandRowWidget(QStringLiteral("흡 음 률"), CBandRowWidget::EOverall::Hidden,
                                          QStringLiteral("중심 주파수"), group);
    absorption->SetValues(values.m_dAbsorption);
    grid->addWidget(new QLabel(QStringLiteral("높이(m)"), group), 0, 0);
    grid->addWidget(height, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("감쇠기 종류"), group), 0, 2);
    grid->addWidget(attenuator, 0, 3);
    grid->addWidget(absorption, 1, 0, 1, 4);
    m_heights[static_cast<std::size_t>(barrier)] = height;
    m_attenuators[static_cast<std::size_t>(barrier)] = attenuator;
    m_absorptions[static_cast<std::size_t>(barrier)] = absorption;
    return group;
}

bool CBridgeType::ReadForm(CBridgeSettings& out)
{
    CFormReader reader(this);
    out.m_nBridgeType = m_pTypes->checkedId() >= 0 ? m_pTypes->checkedId() : m_settings.m_nBridgeType;
    for (std::size_t b = 0; b < kDeckBarrierCount; ++b) {
        CDeckBarrier& barrier = out.m_barriers[b];
        if (!reader.Double(m_heights[b], barrier.m_dHeight))
            return false;
        barrier.m_nAttenuator = m_attenuators[b]->currentIndex();
        const auto absorption = m_absorptions[b]->Values();
        if (!absorption) {
            MessageBoxes().Information(this, QString::fromUtf8(kMsgEnterNumber));
            return false;
        }
        barrier.m_dAbsorption = *absorption;
    }
    return true;
}

void CBridgeType::accept()
{
    CBridgeSettings read = m_settings;
    if (!ReadForm(read))
        return;
    m_settings = read;
    QDialog::accept();
}
