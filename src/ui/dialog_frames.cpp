#include "ui/dialog_frames.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QTreeView>

namespace {

constexpr double kNameColumnShare = 0.5;     // of the dialog's width
constexpr double kLargestScreenShare = 0.9;  // of the screen a file dialog may take

// Polishing is the last moment before a window is shown for the first time, when it already
// knows whether it will be modal (exec() says so before showing it).
class CSmallDialogFrames final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish)
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && IsOwnModalForm(*dialog))
                Frame(*dialog);
        return false;
    }

private:
    // Qt's own dialogs (file, print, message boxes) have frames of their own making.
    static bool IsOwnModalForm(const QDialog& dialog)
    {
        return dialog.isWindow() && dialog.testAttribute(Qt::WA_ShowModal) &&
               dialog.metaObject()->className()[0] != 'Q';
    }
    static void Frame(QDialog& dialog)
    {
        dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        if (QLayout* layout = dialog.layout())
            layout->setSizeConstraint(QLayout::SetFixedSize);
    }
};

}  // namespace

void InstallSmallDialogFrames(QApplication& app) { app.installEventFilter(new CSmallDialogFrames(&app)); }

void WidenFileDialog(QFileDialog& dialog)
{
    dialog.setViewMode(QFileDialog::Detail);
    QSize size(kFileDialogWidth, kFileDialogHeight);
    const QWidget* parent = dialog.parentWidget();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * kLargestScreenShare);
    dialog.resize(size);
    // Qt's own dialog lists the files in a tree view; a native dialog sizes itself.
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        files->header()->resizeSection(0, int(size.width() * kNameColumnShare));
}
