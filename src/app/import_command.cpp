#include "app/import_command.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "dialogs/crs_dialog.h"
#include "dialogs/import_dialog.h"
#include "model/document.h"
#include "ui/file_dialogs.h"

CImportCommand::CImportCommand(CMyTalvoDoc* doc, QWidget* parent, std::function<void(const QString&)> changed)
    : QObject(parent), m_pDoc(doc), m_pParent(parent), m_changed(std::move(changed))
{
    m_runDialog = [](CImportDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    m_pAction = new QAction(QStringLiteral("가져오기(&I)..."), this);
    m_pAction->setStatusTip(
        QStringLiteral("GIS/CAD 파일의 선, 점과 다각형을 도로, 방음벽, 수음점 또는 건물로 가져옵니다."));
    connect(m_pAction, &QAction::triggered, this, &CImportCommand::OnImport);
    m_runCrsDialog = [](CCrsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    m_pCrsAction = new QAction(QStringLiteral("좌표계..."), this);
    m_pCrsAction->setStatusTip(QStringLiteral("프로젝트 좌표의 좌표계(EPSG 코드)를 정합니다."));
    connect(m_pCrsAction, &QAction::triggered, this, &CImportCommand::OnCoordinateSystem);
}

void CImportCommand::OnCoordinateSystem()
{
    CCrsDialog dialog(QString::fromStdString(m_pDoc->m_settings.m_strCrs), m_pParent);
    if (!m_runCrsDialog(dialog) || dialog.Code().toStdString() == m_pDoc->m_settings.m_strCrs)
        return;
    m_pDoc->m_settings.m_strCrs = dialog.Code().toStdString();
    m_pDoc->m_bModified = true;  // the levels do not depend on the name of the system
    if (m_changed)
        m_changed(QStringLiteral("좌표계 변경"));
}

void CImportCommand::OnImport()
{
    const QString path = FileDialogs().OpenFileName(m_pParent, QStringLiteral("가져오기"), QString(),
                                                    QString::fromUtf8(kImportFileFilter));
    if (path.isEmpty())
        return;
    CImportDialog dialog(*m_pDoc, path, m_pParent);
    if (!m_runDialog(dialog) || !dialog.Preview().ok)
        return;
    AddImport(*m_pDoc, dialog.Preview());
    m_pDoc->CommitModelChange();
    if (m_changed)
        m_changed(QStringLiteral("가져오기"));
}

CImportCommand* AttachImportCommand(QMainWindow* frame, CMyTalvoDoc* doc, std::function<void(const QString&)> changed)
{
    auto* command = new CImportCommand(doc, frame, std::move(changed));
    const QList<QAction*> menus = frame->menuBar()->actions();
    if (menus.isEmpty() || !menus.first()->menu())
        return command;
    QMenu* fileMenu = menus.first()->menu();
    QAction* before = nullptr;
    for (QAction* action : fileMenu->actions())
        if (action->text().startsWith(QStringLiteral("수음점 저장")))
            before = action;
    fileMenu->insertAction(before, command->Action());
    fileMenu->insertAction(before, command->CrsAction());
    return command;
}
