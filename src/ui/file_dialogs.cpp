#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/dialog_frames.h"

namespace {

// The chosen file, or an empty text when the user cancelled.
QString Choose(QFileDialog& dialog)
{
    WidenFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

class CRealFileDialogs final : public IFileDialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        QFileDialog dialog(parent, caption, dir, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return Choose(dialog);
    }
    // `suggested` is a folder, or a file name (with or without a folder) to start with.
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        const QFileInfo start(suggested);
        QFileDialog dialog(parent, caption, start.isDir() ? suggested : start.absolutePath(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!suggested.isEmpty() && !start.isDir())
            dialog.selectFile(start.fileName());
        return Choose(dialog);
    }
};

CRealFileDialogs g_realDialogs;
IFileDialogs* g_currentDialogs = &g_realDialogs;

}  // namespace

IFileDialogs& FileDialogs() { return *g_currentDialogs; }

void SetFileDialogs(IFileDialogs* replacement) { g_currentDialogs = replacement ? replacement : &g_realDialogs; }
