#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "app/toolbar_icons.h"
#include "app/version.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("TALVO 정보"));
    auto* icon = new QLabel;
    icon->setPixmap(CommandIcon(cmd::InputBarrier).pixmap(32, 32));
    auto* text = new QLabel(
        QStringLiteral("%1\n도로교통소음 예측 및 방음벽 설계 프로그램").arg(QString::fromUtf8(kProgramTitle)));
    text->setObjectName(QStringLiteral("aboutText"));
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
