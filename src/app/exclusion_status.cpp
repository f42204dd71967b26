#include "app/exclusion_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

CExclusionStatus::CExclusionStatus(QWidget* parent)
    : QWidget(parent), m_pNote(new QLabel(this)), m_pRelease(new QToolButton(this))
{
    setObjectName(QStringLiteral("exclusionStatus"));
    m_pNote->setObjectName(QStringLiteral("exclusionNote"));
    m_pNote->setStyleSheet(QStringLiteral("color: #a05000; font-weight: bold"));
    m_pRelease->setObjectName(QStringLiteral("releaseExclusion"));
    m_pRelease->setText(QStringLiteral("제외 해제"));
    m_pRelease->setToolTip(QStringLiteral("모든 방음벽을 다시 계산에 넣습니다."));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pNote);
    layout->addWidget(m_pRelease);
    connect(m_pRelease, &QToolButton::clicked, this, &CExclusionStatus::ReleaseRequested);
    setVisible(false);
}

void CExclusionStatus::ShowNote(const QString& note)
{
    m_pNote->setText(note);
    setVisible(!note.isEmpty());
}
