// The main window: start-up state, commands, title and change mark, the save
// question, file failures, recent files, view copies and the splash window.

#include <memory>

#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/model_windows.h"
#include "app/splash_window.h"
#include "dialogs/environment_box.h"
#include "helpers/environment_typing.h"
#include "helpers/recording_dialogs.h"
#include "io/codepage.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kUntitledTitle = QStringLiteral("제목 없음 - TALVO ver 1.381");

QList<int> ToolbarIds(CMainFrame& frame)
{
    QList<int> ids;
    for (QAction* action : frame.findChild<QToolBar*>(QStringLiteral("mainToolbar"))->actions())
        ids.append(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void init()
    {
        QSettings().clear();  // every test starts with an empty recent-file list
        m_boxes = std::make_unique<CRecordingMessageBox>();
        m_files = std::make_unique<CRecordingFileDialogs>();
        m_frame = std::make_unique<CMainFrame>();
    }
    void cleanup()
    {
        m_frame.reset();
        m_files.reset();
        m_boxes.reset();
    }

    void startsWithAnUntitledProjectAndTheLayout();
    void menusCarryEveryItemKeyAndPrompt();
    void toolbarFollowsTheCommandOrder();
    void editMarksTheProjectChangedInTheTitle();
    void newAsksToSaveAndCancelKeepsTheProject();
    void newAnsweredNoDiscardsTheChanges();
    void newAnsweredYesWithoutAFileNameKeepsTheProject();
    void failedSaveShowsItsMessageAndChangesNothing();
    void failedOpenShowsItsMessageAndChangesNothing();
    void savedFileNamesTheTitleAndTheRecentList();
    void openedProjectFillsThePaneAndTheTitle();
    void openedCoordinateSystemThatIsNoProjectedCodeIsSaidAndLeftOut();
    void exitAsksAndCancelKeepsTheWindowOpen();
    void recentFilesKeepTheFourNewest();
    void calculationMarksTheProjectChanged();
    void planViewCarriesOutTheWindowCommands();
    void viewCopyPutsAnImageOnTheClipboard();
    void viewMenuHidesAndShowsTheEnvironmentPane();
    void splashWindowGoesOnAnyKeyAndConsumesIt();
    void f6MovesTheFocusThroughThePanes();
    void aboutBoxNamesTheProgramAndVersion();
    void commandLineNamesTheFileAndTheSplash();
    void unreadableStartFileLeavesANewProject();
    void saveAsAddsTheProjectExtension();
    void standardButtonsAndDialogsSpeakKorean();

private:
    std::unique_ptr<CRecordingMessageBox> m_boxes;
    std::unique_ptr<CRecordingFileDialogs> m_files;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestMainWindow::startsWithAnUntitledProjectAndTheLayout()
{
    CMainFrame& frame = *m_frame;
    frame.showMaximized();
    frame.LayOutViews();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.DisplayedTitle(), kUntitledTitle);
    QCOMPARE(frame.dockWidgetArea(frame.EnvironmentDock()), Qt::LeftDockWidgetArea);
    QCOMPARE(frame.EnvironmentDock()->allowedAreas(), Qt::LeftDockWidgetArea);
    QSplitter* splitter = frame.ViewSplitter();
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->widget(0), static_cast<QWidget*>(frame.PlanView()));
    QCOMPARE(splitter->widget(1), static_cast<QWidget*>(frame.SectionView()));
    QVERIFY(frame.PlanView()->geometry().bottom() < frame.SectionView()->geometry().top());
    QVERIFY(frame.PlanView()->height() > 1);
    QVERIFY2(qAbs(frame.PlanView()->height() - frame.SectionView()->height()) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(frame.PlanView()->height()).arg(frame.SectionView()->height())));
    QCOMPARE(frame.EnvironmentBox()->Field(EEnvField::Temperature)->text(), QStringLiteral("20.00"));
    QCOMPARE(frame.EnvironmentBox()->Field(EEnvField::ProjectName)->text(), QStringLiteral("정보를 입력하세요."));
    // The height the receiver grid will use, shown from the start.
    QCOMPARE(frame.EnvironmentBox()->Field(EEnvField::ReceiverHeight)->text(), QStringLiteral("0.00"));
    QVERIFY(!frame.Document().m_bModified);
}

void TestMainWindow::menusCarryEveryItemKeyAndPrompt()
{
    const QStringList titles{"파일(&F)", "편집(&E)", "입력(&I)", "보기(&V)", "계산(&K)", "결과(&R)", "도움말(&H)"};
    QStringList shown;
    for (QAction* menu : m_frame->menuBar()->actions())
        shown.append(menu->text());
    QCOMPARE(shown, titles);
    const std::pair<int, const char*> keys[] = {{cmd::FileNew, "Ctrl+N"},  {cmd::FileOpen, "Ctrl+O"},
                                                {cmd::FileSave, "Ctrl+S"}, {cmd::ExportReceivers, "Ctrl+W"},
                                                {cmd::Calculate, "F5"},    {cmd::EditUndo, "Ctrl+Z"},
                                                {cmd::EditRedo, "Ctrl+Y"}};
    for (const auto& [id, key] : keys)
        QCOMPARE(m_frame->Action(id)->shortcut(), QKeySequence(QString::fromLatin1(key)));
    QAction* road = m_frame->Action(cmd::InputRoad);
    QCOMPARE(road->statusTip(), QStringLiteral("도로를 입력합니다."));
    QCOMPARE(road->toolTip(), QStringLiteral("도로"));
    QCOMPARE(m_frame->Action(cmd::InputTunnel)->toolTip(), QStringLiteral("터널"));
    QCOMPARE(m_frame->Action(cmd::ExportReceivers)->statusTip(),
             QStringLiteral("수음점 좌표와 소음 예측값을 텍스트 파일로 저장합니다."));
    QCOMPARE(m_frame->Action(cmd::ViewEnvironment)->text(), QStringLiteral("환경 데이터 "));
}

void TestMainWindow::toolbarFollowsTheCommandOrder()
{
    const QList<int> expected{57600, 0, 57601, 57603, 0,     32774, 32816, 0,     32809, 32807, 32775, 32773, 32850, 0,
                              32840, 0, 32777, 32787, 32788, 32830, 32852, 32851, 0,     32805, 32806, 57664};
    QCOMPARE(ToolbarIds(*m_frame), expected);
    for (QAction* action : m_frame->findChild<QToolBar*>(QStringLiteral("mainToolbar"))->actions())
        QVERIFY(action->isSeparator() || !action->icon().isNull());
}

void TestMainWindow::editMarksTheProjectChangedInTheTitle()
{
    TypeInto(*m_frame, EEnvField::Temperature, QStringLiteral("25"));
    QCOMPARE(m_frame->Document().m_settings.m_dTemperature, 25.0);
    QVERIFY(m_frame->Document().m_bModified);
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("제목 없음* - TALVO ver 1.381"));
}

void TestMainWindow::newAsksToSaveAndCancelKeepsTheProject()
{
    TypeInto(*m_frame, EEnvField::Temperature, QStringLiteral("25"));
    m_boxes->m_answers = {QMessageBox::Cancel};
    m_frame->Action(cmd::FileNew)->trigger();
    QCOMPARE(m_boxes->m_questions.size(), 1);
    QCOMPARE(m_frame->Document().m_settings.m_dTemperature, 25.0);
    QVERIFY(m_frame->Document().m_bModified);
    QCOMPARE(m_files->m_nAsked, 0);
}

void TestMainWindow::newAnsweredNoDiscardsTheChanges()
{
    TypeInto(*m_frame, EEnvField::Temperature, QStringLiteral("25"));
    m_boxes->m_answers = {QMessageBox::No};
    m_frame->Action(cmd::FileNew)->trigger();
    QCOMPARE(m_boxes->m_questions.size(), 1);
    QCOMPARE(m_frame->Document().m_settings.m_dTemperature, 20.0);
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::Temperature)->text(), QStringLiteral("20.00"));
    QCOMPARE(m_frame->DisplayedTitle(), kUntitledTitle);
    // An unchanged project is replaced without a question.
    m_frame->Action(cmd::FileNew)->trigger();
    QCOMPARE(m_boxes->m_questions.size(), 1);
}

void TestMainWindow::newAnsweredYesWithoutAFileNameKeepsTheProject()
{
    TypeInto(*m_frame, EEnvField::Humidity, QStringLiteral("70"));
    m_boxes->m_answers = {QMessageBox::Yes};
    m_frame->Action(cmd::FileNew)->trigger();  // the save dialog is cancelled
    QCOMPARE(m_files->m_nAsked, 1);
    QCOMPARE(m_files->m_filters, QStringList{QStringLiteral("TALVO 파일 (*.tlv)")});
    QCOMPARE(m_frame->Document().m_settings.m_dHumidity, 70.0);
    QVERIFY(m_frame->Document().m_bModified);
}

void TestMainWindow::failedSaveShowsItsMessageAndChangesNothing()
{
    TypeInto(*m_frame, EEnvField::Humidity, QStringLiteral("70"));
    m_boxes->m_answers = {QMessageBox::Yes};
    m_files->m_paths = {QStringLiteral("/no/such/folder/project.tlv")};
    m_frame->Action(cmd::FileNew)->trigger();
    QCOMPARE(m_boxes->m_infos.size(), 1);
    QVERIFY(!m_boxes->m_infos.first().isEmpty());
    QCOMPARE(m_frame->Document().m_settings.m_dHumidity, 70.0);
    QVERIFY(m_frame->Document().m_bModified);
    QVERIFY(m_frame->PathName().isEmpty());
    QVERIFY(m_frame->RecentFiles().Paths().isEmpty());
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("제목 없음* - TALVO ver 1.381"));
}

void TestMainWindow::failedOpenShowsItsMessageAndChangesNothing()
{
    TypeInto(*m_frame, EEnvField::ProjectName, QStringLiteral("국도 1호선"));
    m_boxes->m_answers = {QMessageBox::No};
    m_files->m_paths = {QStringLiteral("/no/such/project.tlv")};
    m_frame->Action(cmd::FileOpen)->trigger();
    QCOMPARE(m_boxes->m_infos.size(), 1);
    QCOMPARE(m_frame->Document().m_settings.m_strProjectName, std::string("국도 1호선"));
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::ProjectName)->text(), QStringLiteral("국도 1호선"));
    QVERIFY(m_frame->PathName().isEmpty());
    QVERIFY(m_frame->RecentFiles().Paths().isEmpty());
}

void TestMainWindow::savedFileNamesTheTitleAndTheRecentList()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("현장.tlv"));
    TypeInto(*m_frame, EEnvField::Pressure, QStringLiteral("100"));
    if (!m_frame->SaveTo(path))
        QSKIP("the project writer is not available in this build");
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("현장.tlv - TALVO ver 1.381"));
    QCOMPARE(m_frame->RecentFiles().Paths().value(0), path);
    QVERIFY(m_frame->NewProject());
    QCOMPARE(m_frame->DisplayedTitle(), kUntitledTitle);
    QVERIFY(m_frame->OpenProjectFile(path));
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("현장.tlv - TALVO ver 1.381"));
    QCOMPARE(m_frame->Document().m_settings.m_dPressure, 100.0);
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::Pressure)->text(), QStringLiteral("100.00"));
}

void TestMainWindow::openedProjectFillsThePaneAndTheTitle()
{
    const QString path = QStringLiteral(TALVO_TEST_DATA "/acceptance/open-road.tlv");
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("10"));
    m_boxes->m_answers = {QMessageBox::No};
    m_files->m_paths = {path};
    m_frame->Action(cmd::FileOpen)->trigger();
    QCOMPARE(m_boxes->m_questions.size(), 1);
    if (!m_boxes->m_infos.isEmpty())
        QSKIP("the project reader is not available in this build");
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("open-road.tlv - TALVO ver 1.381"));
    CEnvironmentBox* box = m_frame->EnvironmentBox();
    QCOMPARE(box->Field(EEnvField::ProjectName)->text(), QStringLiteral("개활지 4차로 도로"));
    QCOMPARE(box->Field(EEnvField::Temperature)->text(), QStringLiteral("8.00"));
    QCOMPARE(box->Field(EEnvField::AreaEndX)->text(), QStringLiteral("700.00"));
    QCOMPARE(box->Field(EEnvField::AreaStartY)->text(), QStringLiteral("-150.00"));
    QCOMPARE(m_frame->Document().m_arrRoad.size(), std::size_t(1));
    QCOMPARE(m_frame->Document().m_arrRoadBase.size(), std::size_t(1));
    QVERIFY(!m_frame->Document().m_bModified);
    QCOMPARE(m_frame->RecentFiles().Paths().value(0), QFileInfo(path).absoluteFilePath());
}

// A project file naming its coordinate system by a PROJ string, or by a code of a system
// in degrees, opens without it after a message; a projected code in metres stays.
void TestMainWindow::openedCoordinateSystemThatIsNoProjectedCodeIsSaidAndLeftOut()
{
    QTemporaryDir dir;
    QFile stored(QStringLiteral(TALVO_TEST_DATA "/acceptance/open-road.tlv"));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray bytes = stored.readAll();
    const int settingsEnd = bytes.indexOf('\n') + 1;
    const char* const values[] = {"+proj=longlat +nadgrids=@null,@/etc/shadow", "EPSG:4326", "EPSG:5186"};
    for (const char* value : values) {
        const QString path = dir.filePath(QStringLiteral("crs.tlv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const std::string line = Utf8ToCp949(std::string("좌표계=") + value + "\r\n");
        file.write(bytes.left(settingsEnd) + QByteArray::fromStdString(line) + bytes.mid(settingsEnd));
        file.close();
        m_boxes->m_infos.clear();
        QVERIFY(m_frame->OpenProjectFile(path));
        const bool kept = std::string(value) == "EPSG:5186";
        QCOMPARE(m_frame->Document().m_settings.m_strCrs, kept ? std::string(value) : std::string());
        QCOMPARE(m_boxes->m_infos.size(), kept ? 0 : 1);
        if (!kept)
            QVERIFY2(m_boxes->m_infos.front().contains(QStringLiteral("좌표계 없이")),
                     qPrintable(m_boxes->m_infos.front()));
        QCOMPARE(m_frame->Document().m_arrRoad.size(), std::size_t(1));
    }
}

void TestMainWindow::exitAsksAndCancelKeepsTheWindowOpen()
{
    m_frame->show();
    TypeInto(*m_frame, EEnvField::Temperature, QStringLiteral("5"));
    m_boxes->m_answers = {QMessageBox::Cancel};
    m_frame->Action(cmd::AppExit)->trigger();
    QVERIFY(m_frame->isVisible());
    m_boxes->m_answers = {QMessageBox::No};
    m_frame->Action(cmd::AppExit)->trigger();
    QVERIFY(!m_frame->isVisible());
    QCOMPARE(m_boxes->m_questions.size(), 2);
}

void TestMainWindow::recentFilesKeepTheFourNewest()
{
    {
        CRecentFiles recent;
        for (const char* name : {"/p/a.tlv", "/p/b.tlv", "/p/c.tlv", "/p/d.tlv", "/p/e.tlv", "/p/c.tlv"})
            recent.Add(QString::fromLatin1(name));
    }
    const QStringList expected{"/p/c.tlv", "/p/e.tlv", "/p/d.tlv", "/p/b.tlv"};
    QCOMPARE(CRecentFiles().Paths(), expected);
    CMainFrame frame;  // reads the list at creation and shows it in the file menu
    QMenu* fileMenu = frame.menuBar()->actions().first()->menu();
    QStringList shown;
    for (QAction* action : fileMenu->actions())
        if (action->isVisible() && action->text().startsWith(QLatin1Char('&')))
            shown.append(action->text());
    QCOMPARE(shown.first(), QStringLiteral("&1 /p/c.tlv"));
    QCOMPARE(shown.size(), 4);
    // An entry whose file has gone reports it and leaves project and list alone.
    for (QAction* action : fileMenu->actions())
        if (action->text() == QStringLiteral("&2 /p/e.tlv"))
            action->trigger();
    QCOMPARE(m_boxes->m_infos.size(), 1);
    QCOMPARE(CRecentFiles().Paths(), expected);
    CRecentFiles().Remove(QStringLiteral("/p/c.tlv"));
    QCOMPARE(CRecentFiles().Paths().size(), 3);
}

void TestMainWindow::calculationMarksTheProjectChanged()
{
    m_frame->Action(cmd::Calculate)->trigger();  // nothing to calculate: refused, unchanged
    QCOMPARE(m_boxes->m_infos, QStringList{QStringLiteral("하나 이상의 수음점과 도로를 입력하십시요")});
    QVERIFY(!m_frame->Document().m_bModified);
    if (!m_frame->OpenProjectFile(QStringLiteral(TALVO_TEST_DATA "/acceptance/open-road.tlv")))
        QSKIP("the project reader is not available in this build");
    m_boxes->m_infos.clear();
    m_frame->Action(cmd::Calculate)->trigger();
    QVERIFY(m_frame->Document().IsCalculated());
    QVERIFY(m_frame->Document().m_bModified);
    QVERIFY(m_frame->DisplayedTitle().startsWith(QStringLiteral("open-road.tlv*")));
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::planViewCarriesOutTheWindowCommands()
{
    const int modelInput[] = {cmd::InputRoad,    cmd::InputTunnel,   cmd::InputEmbankment,
                              cmd::InputCutting, cmd::InputReceiver, cmd::InputBarrier};
    for (int id : modelInput)
        m_frame->Action(id)->trigger();
    m_frame->Action(cmd::Optimisation)->trigger();
    QVERIFY(m_boxes->m_infos.isEmpty());
    QVERIFY(m_frame->Windows()->OptInputWindow());
    m_frame->Action(cmd::ExportReceivers)->trigger();
    m_frame->Action(cmd::ResultDisplay)->trigger();
    m_frame->Action(cmd::ResultChart)->trigger();
    QCOMPARE(m_boxes->m_infos, QStringList(3, QStringLiteral("소음해석을 먼저 수행하세요.")));
    // While results are displayed, the plan view refuses every model input command.
    m_boxes->m_infos.clear();
    m_frame->PlanView()->SetResultDisplay(true, 0);
    for (int id : modelInput)
        m_frame->Action(id)->trigger();             // each asks to remove them; Cancel keeps them
    m_frame->Action(cmd::Optimisation)->trigger();  // not refused; the window is open already
    QCOMPARE(m_boxes->m_infos, QStringList{QStringLiteral("방음벽 최적설계 입력창이 이미 열려있습니다.")});
    QCOMPARE(m_boxes->m_questions.size(), 6);
    QVERIFY(m_boxes->m_questions.first().contains(QStringLiteral("예측 결과를 제거하고")));
    QVERIFY(m_frame->PlanView()->IsShowingResults());
    // "출력 제거" in the result menu and on the toolbar removes them.
    m_frame->Action(cmd::ResultRemove)->trigger();
    QVERIFY(!m_frame->PlanView()->IsShowingResults());
    QVERIFY(!m_frame->PlanView()->BlocksModelInput());
    // A new project has no results to show, so model input is open again.
    QVERIFY(m_frame->NewProject());
    QVERIFY(!m_frame->PlanView()->IsShowingResults());
}

void TestMainWindow::viewCopyPutsAnImageOnTheClipboard()
{
    m_frame->resize(900, 700);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->Action(cmd::CopyPlanView)->trigger();
    // The confirmation goes to the status bar: no box to dismiss.
    QVERIFY(m_boxes->m_infos.isEmpty());
    QCOMPARE(m_frame->statusBar()->currentMessage(), QStringLiteral("평면창 화면을 클립보드로 복사 완료"));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), m_frame->PlanView()->size());
    m_frame->Action(cmd::CopySectionView)->trigger();
    QCOMPARE(m_frame->statusBar()->currentMessage(), QStringLiteral("단면창 화면을 클립보드로 복사 완료"));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), m_frame->SectionView()->size());
}

void TestMainWindow::viewMenuHidesAndShowsTheEnvironmentPane()
{
    m_frame->show();
    QAction* toggle = m_frame->Action(cmd::ViewEnvironment);
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QVERIFY(m_frame->EnvironmentDock()->isHidden());
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(!m_frame->EnvironmentDock()->isHidden());
    QVERIFY(toggle->isChecked());
}

void TestMainWindow::splashWindowGoesOnAnyKeyAndConsumesIt()
{
    m_frame->show();
    CSplashWnd::ShowSplashScreen(m_frame.get());
    QVERIFY(CSplashWnd::Current());
    CSplashWnd::ShowSplashScreen(m_frame.get());  // only one at a time
    QLineEdit* field = m_frame->EnvironmentBox()->Field(EEnvField::ProjectName);
    field->clear();
    QTest::keyClick(field, Qt::Key_A);
    QVERIFY(field->text().isEmpty());
    QTRY_VERIFY(!CSplashWnd::Current());
    QTest::keyClick(field, Qt::Key_A);
    QCOMPARE(field->text(), QStringLiteral("a"));
    // A mouse button does the same, and the button under the pointer never sees it.
    CSplashWnd::ShowSplashScreen(m_frame.get());
    auto* zoomOut = m_frame->EnvironmentBox()->findChild<QPushButton*>(QStringLiteral("zoomOut"));
    QTest::mouseClick(zoomOut, Qt::RightButton);
    QTRY_VERIFY(!CSplashWnd::Current());
    CSplashWnd::ShowSplashScreen(m_frame.get());
    const double fitted = m_frame->PlanView()->zoom();
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QTRY_VERIFY(!CSplashWnd::Current());
    QCOMPARE(m_frame->PlanView()->zoom(), fitted);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QVERIFY(m_frame->PlanView()->zoom() < fitted);
}

void TestMainWindow::f6MovesTheFocusThroughThePanes()
{
    m_frame->show();
    QApplication::setActiveWindow(m_frame.get());
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_frame->PlanView()->setFocus();
    QTest::keyClick(m_frame.get(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_frame->SectionView()));
    QTest::keyClick(m_frame.get(), Qt::Key_F6);
    QVERIFY(m_frame->EnvironmentBox()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(m_frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_frame->SectionView()));
}

void TestMainWindow::aboutBoxNamesTheProgramAndVersion()
{
    CAboutDlg about;
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("aboutText"))->text().contains(QStringLiteral("TALVO ver 1.381")));
}

void TestMainWindow::commandLineNamesTheFileAndTheSplash()
{
    const CStartupOptions plain = CMyTalvoApp::ParseCommandLine({"talvo"});
    QVERIFY(plain.m_strFile.isEmpty());
    const CStartupOptions withFile = CMyTalvoApp::ParseCommandLine({"talvo", "--no-splash", "a.tlv"});
    QCOMPARE(withFile.m_strFile, QStringLiteral("a.tlv"));
    QVERIFY(!withFile.m_bShowSplash);
    QVERIFY(!plain.m_bShowSplash);  // never on the offscreen platform of the tests
}

void TestMainWindow::unreadableStartFileLeavesANewProject()
{
    CMyTalvoApp::InitInstance(*m_frame, {QStringLiteral("/no/such/start.tlv"), false});
    QCOMPARE(m_boxes->m_infos.size(), 1);
    QVERIFY(m_frame->isVisible());
    QCOMPARE(m_frame->DisplayedTitle(), kUntitledTitle);
    QVERIFY(!CSplashWnd::Current());
}

void TestMainWindow::saveAsAddsTheProjectExtension()
{
    QTemporaryDir dir;
    m_files->m_paths = {dir.filePath(QStringLiteral("village"))};
    m_frame->Action(cmd::FileSaveAs)->trigger();
    if (!m_boxes->m_infos.isEmpty())
        QSKIP("the project writer is not available in this build");
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("village.tlv"))));
    QCOMPARE(m_frame->DisplayedTitle(), QStringLiteral("village.tlv - TALVO ver 1.381"));
    // Save now writes to that file without asking for a name.
    TypeInto(*m_frame, EEnvField::Humidity, QStringLiteral("61"));
    m_frame->Action(cmd::FileSave)->trigger();
    QCOMPARE(m_files->m_nAsked, 1);
    QVERIFY(!m_frame->Document().m_bModified);
}

void TestMainWindow::standardButtonsAndDialogsSpeakKorean()
{
    // The tests run in the C locale: the Korean texts must come regardless of it.
    QVERIFY2(CMyTalvoApp::LoadKoreanTranslations(*qApp), "qt6-translations-l10n is not installed");
    QMessageBox box(QMessageBox::Question, QStringLiteral("TALVO"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("예")));
    QVERIFY(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("취소")));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:").contains(QStringLiteral("파일")), true);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
