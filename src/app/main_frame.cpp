#include "app/main_frame.h"
#include "app/import_command.h"
#include "app/noise_map_commands.h"
#include "app/report_commands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/command_table.h"
#include "app/criterion_controller.h"
#include "app/environment_controller.h"
#include "app/exclusion_status.h"
#include "app/model_history.h"
#include "app/model_windows.h"
#include "app/stale_banner.h"
#include "app/version.h"
#include "dialogs/environment_box.h"
#include "dialogs/wait_cursor.h"
#include "engine/calculation.h"
#include "gis/gis_crs.h"
#include "io/project_file.h"
#include "model/barrier_exclusion.h"
#include "model/environment_rules.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kUntitled = QStringLiteral("제목 없음");
const QString kFileFilter = QStringLiteral("TALVO 파일 (*.tlv)");
const QString kReady = QStringLiteral("준비");
const QString kResultsNotSavedWithExclusion =
    QStringLiteral("방음벽 제외는 파일에 저장되지 않으므로 예측 결과 없이 저장했습니다.");

// The reader's or writer's own text, or a general one when it gave none.
QString FailureText(const CFileResult& result, const QString& fallback)
{
    return result.message.empty() ? fallback : QString::fromStdString(result.message);
}

QString WithTlvSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".tlv") : path;
}

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    BuildViews();
    BuildEnvironmentPane();
    BuildActions();
    BuildMenus();
    BuildToolbar();
    AttachNoiseMapCommands(this, &m_doc, m_pPlanView);
    AttachReportCommands(this);
    CImportCommand* import = AttachImportCommand(this, &m_doc, [this](const QString& step) {
        SetDocumentModified();
        RecordChange(step);
        ShowSettings();
        RefreshViews();
    });
    connect(m_pEnvironmentBox, &CEnvironmentBox::crsChangeRequested, import, &CImportCommand::OnCoordinateSystem);
    BuildFocusCycling();
    BuildPositionLabel();
    ConnectCommands();
    BuildStaleBanner();
    m_pExclusionStatus = new CExclusionStatus(this);
    statusBar()->addPermanentWidget(m_pExclusionStatus);
    connect(m_pExclusionStatus, &CExclusionStatus::ReleaseRequested, this, &CMainFrame::ReleaseExclusion);
    statusBar()->showMessage(kReady);
    m_doc.NewProject();
    SettleShownSettings(m_doc.m_settings);
    BuildHistory();
    ShowSettings();
    UpdateTitle();
    FitViews();
}

// The banner sits over both views, above the splitter that holds them.
void CMainFrame::BuildStaleBanner()
{
    auto* views = new QWidget(this);
    auto* layout = new QVBoxLayout(views);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pStaleBanner = new CStaleBanner(m_actions.value(cmd::Calculate), views);
    layout->addWidget(m_pStaleBanner);
    layout->addWidget(takeCentralWidget());
    setCentralWidget(views);
}

void CMainFrame::BuildPositionLabel()
{
    m_pPositionLabel = new QLabel(this);
    m_pPositionLabel->setObjectName(QStringLiteral("pointerPosition"));
    m_pPositionLabel->setMinimumWidth(260);
    statusBar()->addPermanentWidget(m_pPositionLabel);
    for (CNavigableView* view :
         {static_cast<CNavigableView*>(m_pPlanView), static_cast<CNavigableView*>(m_pSectionView)})
        connect(view, &CNavigableView::PositionChanged, m_pPositionLabel, &QLabel::setText);
}

void CMainFrame::FitViews()
{
    m_pPlanView->FitAll();
    m_pSectionView->FitAll();
}

// The undo stack reports its clearing while it is destroyed; by then the frame must no
// longer listen, or the report would reach a half-destroyed window.
CMainFrame::~CMainFrame()
{
    if (m_pHistory)
        m_pHistory->Stack()->disconnect(this);
}

void CMainFrame::BuildViews()
{
    m_pSplitter = new QSplitter(Qt::Vertical, this);
    m_pSplitter->setObjectName(QStringLiteral("viewSplitter"));
    m_pPlanView = new CPlan_View(&m_doc, m_pSplitter);
    m_pSectionView = new CSection_View(&m_doc, m_pSplitter);
    for (QWidget* view : {static_cast<QWidget*>(m_pPlanView), static_cast<QWidget*>(m_pSectionView)}) {
        view->setFocusPolicy(Qt::StrongFocus);
        view->setMinimumHeight(1);
    }
    m_pPlanView->SetSectionView(m_pSectionView);
    m_pWindows = new CModelWindows(&m_doc, m_pPlanView, this);
    connect(m_pWindows, &CModelWindows::DocumentChanged, this, &CMainFrame::SetDocumentModified);
    connect(m_pWindows, &CModelWindows::BarrierApplied, this,
            [this] { RecordChange(QStringLiteral("최적 방음벽 적용")); });
    connect(m_pWindows, &CModelWindows::ResultsComputed, this, [this] {
        if (m_pHistory)
            m_pHistory->ResultsComputed();
    });
    connect(m_pWindows, &CModelWindows::ModelCommitted, this, [this](const QString& name) { RecordChange(name); });
    m_pSplitter->addWidget(m_pPlanView);
    m_pSplitter->addWidget(m_pSectionView);
    m_pSplitter->setStretchFactor(0, 1);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setChildrenCollapsible(false);
    setCentralWidget(m_pSplitter);
    connect(m_pWindows, &CModelWindows::StatusMessage, this, &CMainFrame::ShowStatus);
}

void CMainFrame::BuildEnvironmentPane()
{
    m_pEnvironmentBox = new CEnvironmentBox;
    m_pEnvironmentDock = new QDockWidget(QStringLiteral("환경 데이터"), this);
    m_pEnvironmentDock->setObjectName(QStringLiteral("environmentDock"));
    m_pEnvironmentDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    // The pane scrolls rather than making the window taller than a small screen.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("environmentScroll"));
    scroll->setWidget(m_pEnvironmentBox);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(m_pEnvironmentBox->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    m_pEnvironmentDock->setWidget(scroll);
    addDockWidget(Qt::LeftDockWidgetArea, m_pEnvironmentDock);
    m_pEnvironment = new CEnvironmentController(
        m_pEnvironmentBox, &m_doc, m_pPlanView, m_pSectionView,
        [this](int setting) {
            SetDocumentModified();
            RecordChange(CEnvironmentController::StepName(setting), setting);
        },
        this);
    new CCriterionController(
        m_pEnvironmentBox->CriterionGroup(), &m_doc, m_pPlanView,
        [this](const QString& step, int setting) {
            SetDocumentModified();
            RecordChange(step, setting);
        },
        this);
    connect(m_pEnvironment, &CEnvironmentController::statusMessage, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
}

int CMainFrame::ActiveView() const { return m_pEnvironment->ActiveView(); }

void CMainFrame::LayOutViews()
{
    if (layout())
        layout()->activate();  // the splitter's height must be the final one
    // Equal sizes: the splitter shares its whole height out in that proportion.
    const int half = std::max(1, m_pSplitter->height() / 2);
    m_pSplitter->setSizes({half, half});
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_bViewsLaidOut)
        return;
    m_bViewsLaidOut = true;
    LayOutViews();
}

// An empty status tip (the pointer left a command) shows the idle text.
bool CMainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(kReady);
        return true;
    }
    return QMainWindow::event(event);
}

QString CMainFrame::DisplayedTitle() const
{
    QString title = windowTitle();
    return title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
}

void CMainFrame::UpdateTitle()
{
    const QString name = m_strPathName.isEmpty() ? kUntitled : QFileInfo(m_strPathName).fileName();
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, QString::fromUtf8(kProgramTitle)));
    setWindowModified(m_doc.m_bModified);
}

void CMainFrame::SetDocumentModified()
{
    m_doc.m_bModified = true;
    setWindowModified(true);
    UpdateResultState();
}

void CMainFrame::UpdateResultState()
{
    if (m_pStaleBanner)
        m_pStaleBanner->ShowStale(m_doc.m_bResultsStale);
    if (m_pExclusionStatus)
        m_pExclusionStatus->ShowNote(QString::fromStdString(ExclusionNote(m_doc)));
    m_pPlanView->ShowResultState();
}

void CMainFrame::ShowSettings() { m_pEnvironmentBox->ShowSettings(m_doc.m_settings); }

void CMainFrame::RefreshViews()
{
    m_pPlanView->update();
    m_pSectionView->update();
    setWindowModified(m_doc.m_bModified);
    UpdateResultState();
}

void CMainFrame::AfterDocumentReplaced(const QString& path)
{
    m_strPathName = path;
    // Labels of the project that was replaced mean nothing for the new one.
    m_pPlanView->SetResultDisplay(false, 0);
    m_pPlanView->ClearDisplayLists();
    m_pWindows->CloseInputWindows();  // their working lists belong to the old project
    if (m_pHistory)
        m_pHistory->Reset();  // steps of the old project cannot be undone in this one
    ShowSettings();
    FitViews();  // the pan and zoom of the old project mean nothing for this one
    UpdateTitle();
    RefreshViews();
}

bool CMainFrame::QuerySaveChanges()
{
    if (!m_doc.m_bModified)
        return true;
    const QString name = m_strPathName.isEmpty() ? kUntitled : QFileInfo(m_strPathName).fileName();
    const auto answer =
        MessageBoxes().Question(this, QStringLiteral("변경 내용을 %1에 저장하시겠습니까?").arg(name),
                                QStringLiteral("TALVO"), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return Save();
    return answer == QMessageBox::No;
}

bool CMainFrame::NewProject()
{
    if (!QuerySaveChanges())
        return false;
    m_doc.NewProject();
    SettleShownSettings(m_doc.m_settings);
    AfterDocumentReplaced({});
    return true;
}

bool CMainFrame::OpenProjectFile(const QString& path)
{
    // Read into a copy so that no failure can touch the project on screen.
    CMyTalvoDoc loaded = m_doc;
    const CFileResult result = OpenProject(loaded, path.toStdString());
    if (!result.ok) {
        MessageBoxes().Information(this, FailureText(result, QStringLiteral("파일을 열 수 없습니다.")));
        return false;
    }
    // What the open left out is said before the project is shown without it.
    for (const std::string& notice : {result.notice, DropUnacceptedCrs(loaded.m_settings)})
        if (!notice.empty())
            MessageBoxes().Information(this, QString::fromStdString(notice));
    loaded.m_settings.m_bShowReceivers = m_doc.m_settings.m_bShowReceivers;
    SettleShownSettings(loaded.m_settings);
    loaded.MakeBaselineCopies();
    loaded.m_bModified = false;
    m_doc = std::move(loaded);
    m_recentFiles.Add(path);
    UpdateRecentFileActions();
    AfterDocumentReplaced(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CMainFrame::OpenWithQuestion(const QString& path) { return QuerySaveChanges() && OpenProjectFile(path); }

void CMainFrame::OnFileOpen()
{
    if (!QuerySaveChanges())
        return;
    const QString dir = m_strPathName.isEmpty() ? QString() : QFileInfo(m_strPathName).absolutePath();
    const QString path = FileDialogs().OpenFileName(this, QStringLiteral("열기"), dir, kFileFilter);
    if (!path.isEmpty())
        OpenProjectFile(path);
}

bool CMainFrame::Save() { return m_strPathName.isEmpty() ? SaveAs() : SaveTo(m_strPathName); }

bool CMainFrame::SaveAs()
{
    const QString suggested = m_strPathName.isEmpty() ? kUntitled + QStringLiteral(".tlv") : m_strPathName;
    const QString path = FileDialogs().SaveFileName(this, QStringLiteral("다른 이름으로 저장"), suggested, kFileFilter);
    return !path.isEmpty() && SaveTo(WithTlvSuffix(path));
}

bool CMainFrame::SaveTo(const QString& path)
{
    const CFileResult result = SaveProject(m_doc, path.toStdString());
    if (!result.ok) {
        MessageBoxes().Information(this, FailureText(result, QStringLiteral("파일을 저장할 수 없습니다.")));
        return false;
    }
    if (m_doc.HasCurrentResults() && !m_doc.HasResultsToSave())
        ShowStatus(kResultsNotSavedWithExclusion);
    m_doc.m_bModified = false;
    m_pHistory->MarkSaved();
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_recentFiles.Add(m_strPathName);
    UpdateRecentFileActions();
    UpdateTitle();
    return true;
}

void CMainFrame::RunCalculation()
{
    // A refused calculation changes nothing unless it dropped earlier results.
    const bool hadResults = m_doc.IsCalculated();
    std::vector<std::string> messages;
    {
        CWaitCursor wait;
        messages = Calculate(m_doc);
    }
    if (m_pHistory)
        m_pHistory->ResultsComputed();
    if (hadResults || m_doc.IsCalculated())
        SetDocumentModified();
    RefreshViews();
    for (const std::string& text : messages)
        MessageBoxes().Information(this, QString::fromStdString(text));
}

void CMainFrame::OnAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (QuerySaveChanges())
        event->accept();
    else
        event->ignore();
}
