// How the program's windows are framed: modal forms with a close button only and at the
// size of their contents, the working windows and Qt's own dialogs as they were; the file
// dialogs wide, in the detail view.
#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "helpers/recording_dialogs.h"
#include "ui/dialog_frames.h"
#include "views/result_chooser_dialog.h"
#include "views/result_table_dialog.h"

namespace {

bool HasMinimiseOrMaximise(const QWidget& w)
{
    return w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
}

// Shows the dialog as exec() would, without entering its loop.
void ShowModal(QDialog& dialog)
{
    dialog.setAttribute(Qt::WA_ShowModal, true);
    dialog.show();
}

}  // namespace

class TestDialogFrames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        UseTemporarySettings();
        InstallSmallDialogFrames(*qApp);
    }
    void modalFormsHaveACloseButtonOnlyAndTheirOwnSize();
    void fileDialogsOpenWideInTheDetailView();
};

void TestDialogFrames::modalFormsHaveACloseButtonOnlyAndTheirOwnSize()
{
    QWidget main;
    CResultWindow chooser(&main);
    ShowModal(chooser);
    QVERIFY(chooser.isVisible());
    QVERIFY(chooser.windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(chooser.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!HasMinimiseOrMaximise(chooser));
    QCOMPARE(chooser.minimumSize(), chooser.maximumSize());
    chooser.hide();

    // The result table is a working window beside the main one: it keeps its frame and size.
    CResultDlg table(&main);
    table.show();
    QVERIFY(!(table.windowFlags() & Qt::CustomizeWindowHint));
    QVERIFY(table.maximumWidth() > table.minimumWidth());
    table.hide();

    // Qt's own dialogs keep theirs.
    QFileDialog files(&main);
    files.setOption(QFileDialog::DontUseNativeDialog);
    ShowModal(files);
    QVERIFY(!(files.windowFlags() & Qt::CustomizeWindowHint));
    QVERIFY(files.maximumWidth() > files.minimumWidth());
    files.hide();
}

void TestDialogFrames::fileDialogsOpenWideInTheDetailView()
{
    QTemporaryDir dir;
    QFileDialog dialog(nullptr, QStringLiteral("열기"), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QSize before = dialog.size();
    WidenFileDialog(dialog);
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    QCOMPARE(dialog.width(), std::min(kFileDialogWidth, int(screen.width() * 0.9)));
    QCOMPARE(dialog.height(), std::min(kFileDialogHeight, int(screen.height() * 0.9)));
    QVERIFY(dialog.width() > before.width());
    QCOMPARE(dialog.viewMode(), QFileDialog::Detail);
    auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(files);
    QVERIFY(files->header()->sectionSize(0) >= dialog.width() * 2 / 5);
}

QTEST_MAIN(TestDialogFrames)
#include "test_dialog_frames.moc"
