#include "app/view_options_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "drawing/section_exaggeration.h"
#include "views/plan_view.h"
#include "views/section_view.h"

CViewOptionsBar::CViewOptionsBar(CPlan_View* plan, CSection_View* section, QWidget* parent)
    : QToolBar(QStringLiteral("보기 설정"), parent)
{
    setObjectName(QStringLiteral("viewOptionsBar"));
    m_pAllHeights = new QCheckBox(QStringLiteral("모든 높이의 수음점"), this);
    m_pAllHeights->setToolTip(QStringLiteral("수음점 높이와 다른 높이의 수음점도 같은 색으로 보입니다."));
    addWidget(m_pAllHeights);
    addSeparator();
    addWidget(new QLabel(QStringLiteral(" 단면 세로 배율 "), this));
    m_pExaggeration = new QComboBox(this);
    for (int factor = kMinSectionExaggeration; factor <= kMaxSectionExaggeration; ++factor)
        m_pExaggeration->addItem(QStringLiteral("× %1").arg(factor), factor);
    m_pExaggeration->setToolTip(QStringLiteral("단면창과 단면 소음지도의 높이를 거리보다 크게 그립니다."));
    addWidget(m_pExaggeration);
    connect(m_pAllHeights, &QCheckBox::toggled, plan, &CPlan_View::SetShowAllHeights);
    connect(m_pExaggeration, &QComboBox::currentIndexChanged, section,
            [this, section](int index) { section->SetVerticalExaggeration(m_pExaggeration->itemData(index).toInt()); });
    m_pExaggeration->setCurrentIndex(m_pExaggeration->findData(kDefaultSectionExaggeration));
}
