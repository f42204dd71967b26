#include "app/stale_banner.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "model/document.h"  // the stale-results text

CStaleBanner::CStaleBanner(QAction* calculate, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("staleBanner"));
    // Amber as a warning, dark text: legible whatever the system's palette.
    setStyleSheet(
        QStringLiteral("#staleBanner { background: #ffe08a; border-bottom: 1px solid #c9a227; }"
                       "#staleBanner QLabel { color: #3a2a00; font-weight: bold; }"));
    m_pNote = new QLabel(QString::fromUtf8(kMsgStaleResults), this);
    m_pNote->setObjectName(QStringLiteral("resultStateLabel"));
    m_pNote->setWordWrap(true);
    m_pCalculate = new QToolButton(this);
    m_pCalculate->setDefaultAction(calculate);
    m_pCalculate->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->addWidget(m_pNote, 1);
    layout->addWidget(m_pCalculate);
    ShowStale(false);
}

void CStaleBanner::ShowStale(bool stale)
{
    setVisible(stale);
    m_pNote->setVisible(stale);
}
