// The main window's command table at work: actions, menus, toolbar, the recent-file
// entries, F6 focus cycling and where each command goes.

#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/model_windows.h"
#include "app/toolbar_icons.h"
#include "app/view_clipboard.h"
#include "app/view_options_bar.h"
#include "dialogs/environment_box.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

QString StatusText(const char* prompt) { return QString::fromUtf8(prompt).section(QLatin1Char('\n'), 0, 0); }

QString TipText(const CCommandInfo& info)
{
    const QString prompt = QString::fromUtf8(info.prompt);
    const qsizetype cut = prompt.indexOf(QLatin1Char('\n'));
    if (cut >= 0)
        return prompt.mid(cut + 1);
    return QString::fromUtf8(info.text).remove(QLatin1Char('&'));
}

}  // namespace

QAction* CMainFrame::MakeAction(int commandId)
{
    const CCommandInfo* info = FindCommand(commandId);
    auto* action = new QAction(QString::fromUtf8(info->text), this);
    action->setData(commandId);
    action->setStatusTip(StatusText(info->prompt));
    action->setToolTip(TipText(*info));
    action->setIcon(CommandIcon(commandId));
    action->setIconVisibleInMenu(false);
    if (*info->shortcut)
        action->setShortcut(QKeySequence(QString::fromUtf8(info->shortcut)));
    m_actions.insert(commandId, action);
    return action;
}

void CMainFrame::BuildActions()
{
    for (int id :
         {cmd::FileNew,       cmd::FileOpen,        cmd::FileSave,     cmd::FileSaveAs,      cmd::ExportReceivers,
          cmd::AppExit,       cmd::InputRoad,       cmd::InputTunnel,  cmd::InputEmbankment, cmd::InputCutting,
          cmd::InputReceiver, cmd::InputBarrier,    cmd::ViewToolbar,  cmd::ViewStatusBar,   cmd::ViewEnvironment,
          cmd::ViewFit,       cmd::Calculate,       cmd::Optimisation, cmd::ResultDisplay,   cmd::ResultChart,
          cmd::CopyPlanView,  cmd::CopySectionView, cmd::AppAbout,     cmd::EditUndo,        cmd::EditRedo,
          cmd::InputBuilding, cmd::ResultFloors})
        MakeAction(id);
    MakeAction(cmd::ResultRemove);
    for (int id : {cmd::ViewToolbar, cmd::ViewStatusBar, cmd::ViewEnvironment}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }
    m_pRecentPlaceholder = MakeAction(cmd::FileRecent);
    m_pRecentPlaceholder->setEnabled(false);
}

void CMainFrame::BuildMenus()
{
    for (const CMenuInfo& menuInfo : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuInfo.title));
        for (int id : menuInfo.items) {
            if (id == cmd::None)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(id));
        }
        if (menu->actions().contains(m_pRecentPlaceholder))
            BuildRecentFileActions(menu, m_pRecentPlaceholder);
    }
}

void CMainFrame::BuildRecentFileActions(QMenu* fileMenu, QAction* placeholder)
{
    for (int i = 0; i < CRecentFiles::kMaxEntries; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(StatusText(FindCommand(cmd::FileRecent)->prompt));
        connect(action, &QAction::triggered, this, [this, action] { OpenWithQuestion(action->data().toString()); });
        fileMenu->insertAction(placeholder, action);
        m_recentActions.append(action);
    }
    UpdateRecentFileActions();
}

void CMainFrame::UpdateRecentFileActions()
{
    const QStringList& paths = m_recentFiles.Paths();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < paths.size());
        if (i >= paths.size())
            continue;
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[i])));
        action->setData(paths[i]);
    }
    m_pRecentPlaceholder->setVisible(paths.isEmpty());
}

void CMainFrame::BuildToolbar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("도구 모음"));
    toolbar->setObjectName(QStringLiteral("mainToolbar"));
    toolbar->setIconSize(QSize(24, 24));
    for (int id : ToolbarLayout()) {
        if (id == cmd::None)
            toolbar->addSeparator();
        else
            toolbar->addAction(m_actions.value(id));
    }
    connect(m_actions[cmd::ViewToolbar], &QAction::toggled, toolbar, &QToolBar::setVisible);
    connect(toolbar->toggleViewAction(), &QAction::toggled, m_actions[cmd::ViewToolbar], &QAction::setChecked);
    addToolBar(new CViewOptionsBar(m_pPlanView, m_pSectionView, this));
}

// F6 and Shift+F6 move the focus through the environment pane, the plan view and the section view.
void CMainFrame::BuildFocusCycling()
{
    auto* next = new QAction(this);
    next->setShortcut(QKeySequence(Qt::Key_F6));
    connect(next, &QAction::triggered, this, [this] { CycleFocus(1); });
    auto* previous = new QAction(this);
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previous, &QAction::triggered, this, [this] { CycleFocus(-1); });
    addActions({next, previous});
}

void CMainFrame::CycleFocus(int step)
{
    QList<QWidget*> panes{m_pEnvironmentBox, m_pPlanView, m_pSectionView};
    if (!m_pEnvironmentDock->isVisible())
        panes.removeFirst();
    int current = 0;
    for (int i = 0; i < panes.size(); ++i)
        if (panes[i] == focusWidget() || panes[i]->isAncestorOf(focusWidget()))
            current = i;
    QWidget* target = panes[(current + step + panes.size()) % panes.size()];
    if (target == m_pEnvironmentBox)
        m_pEnvironmentBox->Field(EEnvField::ProjectName)->setFocus(Qt::TabFocusReason);
    else
        target->setFocus(Qt::OtherFocusReason);
}

// The model input and optimisation commands open their windows over the plan view; the
// result commands belong to the plan view, which owns the result windows.
void CMainFrame::ConnectPlanViewCommands()
{
    const std::pair<int, void (CModelWindows::*)()> windows[] = {
        {cmd::InputRoad, &CModelWindows::OnInputRoad},
        {cmd::InputTunnel, &CModelWindows::OnInputTunnel},
        {cmd::InputEmbankment, &CModelWindows::OnInputEmbankment},
        {cmd::InputCutting, &CModelWindows::OnInputCutting},
        {cmd::InputReceiver, &CModelWindows::OnInputReceiver},
        {cmd::InputBarrier, &CModelWindows::OnInputBarrier},
        {cmd::InputBuilding, &CModelWindows::OnInputBuilding},
        {cmd::Optimisation, &CModelWindows::OnOptimise},
    };
    for (const auto& [id, slot] : windows)
        connect(m_actions[id], &QAction::triggered, m_pWindows, slot);
    const std::pair<int, void (CPlan_View::*)()> results[] = {
        {cmd::ResultDisplay, &CPlan_View::OnResultDisplay},
        {cmd::ResultChart, &CPlan_View::OnResultChart},
        {cmd::ResultFloors, &CPlan_View::OnFloorTable},
        {cmd::ResultRemove, &CPlan_View::RemoveOutput},
    };
    for (const auto& [id, slot] : results)
        connect(m_actions[id], &QAction::triggered, m_pPlanView, slot);
}

void CMainFrame::CopyView(QWidget* view, const QString& doneMessage)
{
    if (CopyViewToClipboard(view))
        ShowStatus(doneMessage);
}

void CMainFrame::ShowStatus(const QString& text) { statusBar()->showMessage(text, kStatusMessageMs); }

void CMainFrame::ConnectCommands()
{
    auto on = [this](int id, auto slot) { connect(m_actions[id], &QAction::triggered, this, slot); };
    on(cmd::FileNew, [this] { NewProject(); });
    on(cmd::FileOpen, [this] { OnFileOpen(); });
    on(cmd::FileSave, [this] { Save(); });
    on(cmd::FileSaveAs, [this] { SaveAs(); });
    on(cmd::AppExit, [this] { close(); });
    on(cmd::EditUndo, [this] { StepHistory(false); });
    on(cmd::EditRedo, [this] { StepHistory(true); });
    on(cmd::Calculate, [this] { RunCalculation(); });
    on(cmd::AppAbout, [this] { OnAbout(); });
    on(cmd::CopyPlanView, [this] { CopyView(m_pPlanView, QStringLiteral("평면창 화면을 클립보드로 복사 완료")); });
    on(cmd::CopySectionView,
       [this] { CopyView(m_pSectionView, QStringLiteral("단면창 화면을 클립보드로 복사 완료")); });
    on(cmd::ExportReceivers, [this] { OnExportReceivers(); });
    on(cmd::ViewFit, [this] { FitViews(); });
    ConnectPlanViewCommands();
    connect(m_actions[cmd::ViewStatusBar], &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    QAction* paneToggle = m_actions[cmd::ViewEnvironment];
    connect(paneToggle, &QAction::toggled, m_pEnvironmentDock, &QDockWidget::setVisible);
    // Captures no `this`: the dock reports its hiding also while the frame is destroyed.
    QDockWidget* dock = m_pEnvironmentDock;
    connect(dock, &QDockWidget::visibilityChanged, paneToggle,
            [dock, paneToggle] { paneToggle->setChecked(!dock->isHidden()); });
}
