#include "app/view_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "ui/message_box.h"

void CopyViewToClipboard(QWidget* view, const QString& doneMessage)
{
    if (!view) {
        MessageBoxes().Information(nullptr, QStringLiteral("Handle no"));
        return;
    }
    QPixmap image(view->size());
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawPixmap(0, 0, view->grab());
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setPixmap(image);
    MessageBoxes().Information(view->window(), doneMessage);
}
