#include "ui/message_box.h"

namespace {

QString DefaultTitle(const QString& title) { return title.isEmpty() ? QStringLiteral("TALVO") : title; }

class CRealMessageBox final : public IMessageBox {
public:
    void Information(QWidget* parent, const QString& text, const QString& title) override
    {
        QMessageBox::information(parent, DefaultTitle(title), text);
    }
    QMessageBox::StandardButton Question(QWidget* parent, const QString& text, const QString& title,
                                         QMessageBox::StandardButtons buttons) override
    {
        return QMessageBox::question(parent, DefaultTitle(title), text, buttons);
    }
};

CRealMessageBox g_real;
IMessageBox* g_current = &g_real;

}  // namespace

IMessageBox& MessageBoxes() { return *g_current; }

void SetMessageBoxes(IMessageBox* replacement) { g_current = replacement ? replacement : &g_real; }
