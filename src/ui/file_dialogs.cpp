#include "ui/file_dialogs.h"

#include <QFileDialog>

namespace {

class CRealFileDialogs final : public IFileDialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    }
};

CRealFileDialogs g_real;
IFileDialogs* g_current = &g_real;

}  // namespace

IFileDialogs& FileDialogs() { return *g_current; }

void SetFileDialogs(IFileDialogs* replacement) { g_current = replacement ? replacement : &g_real; }
