#include "views/result_chooser_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CResultWindow::CResultWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("화면 출력/제거"));
    m_pBands = new QComboBox(this);
    for (const char* entry :
         {"Overall (dBA)", "63 Hz", "125 Hz", "250 Hz", "500 Hz", "1K Hz", "2K Hz", "4K Hz", "8K Hz"})
        m_pBands->addItem(QString::fromUtf8(entry));
    m_pBands->setCurrentIndex(0);
    m_pShow = new QPushButton(QStringLiteral("출력 확인"), this);
    m_pRemove = new QPushButton(QStringLiteral("출력 제거"), this);
    m_pShow->setDefault(true);
    connect(m_pShow, &QPushButton::clicked, this, [this] { done(Show); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { done(Remove); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pShow);
    buttons->addWidget(m_pRemove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("주파수밴드를 선택하세요."), this));
    layout->addWidget(m_pBands);
    layout->addLayout(buttons);
}

int CResultWindow::Band() const { return m_pBands->currentIndex(); }
