#include "dialogs/pavement_selector.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

QStringList DetailEntries(int state)
{
    switch (state) {
    case 0: return {QStringLiteral("DGA"), QStringLiteral("BSMA"), QStringLiteral("PMA"), QStringLiteral("SMA")};
    case 1:
        return {QStringLiteral("H30"), QStringLiteral("ARG"), QStringLiteral("L18"), QStringLiteral("L25"),
                QStringLiteral("RAND")};
    default: return {QStringLiteral("POR")};
    }
}

}  // namespace

CPavementSelector::CPavementSelector(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_pState = new QComboBox(this);
    m_pState->addItems({QStringLiteral("아스팔트포장"), QStringLiteral("콘크리트포장"), QStringLiteral("저소음포장")});
    m_pDetail = new QComboBox(this);
    grid->addWidget(new QLabel(QStringLiteral("도로 포장 상태"), this), 0, 0);
    grid->addWidget(m_pState, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("도로 세부 포장 종류"), this), 1, 0);
    grid->addWidget(m_pDetail, 1, 1);
    FillDetails(0);
    connect(m_pState, &QComboBox::currentIndexChanged, this, [this](int state) { FillDetails(state); });
}

void CPavementSelector::FillDetails(int state)
{
    m_pDetail->clear();
    m_pDetail->addItems(DetailEntries(state));
    m_pDetail->setCurrentIndex(0);
}

int CPavementSelector::State() const { return m_pState->currentIndex(); }
int CPavementSelector::Detail() const { return m_pDetail->currentIndex(); }

void CPavementSelector::Set(int state, int detail)
{
    const int validState = state >= 0 && state < m_pState->count() ? state : 0;
    {
        const QSignalBlocker block(m_pState);
        m_pState->setCurrentIndex(validState);
    }
    FillDetails(validState);
    m_pDetail->setCurrentIndex(detail >= 0 && detail < m_pDetail->count() ? detail : 0);
}
