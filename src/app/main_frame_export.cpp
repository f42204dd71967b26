// Ctrl+W: the receiver export. The checks and the file choice happen here; the export
// itself runs behind its modal progress window.

#include <memory>

#include "app/main_frame.h"
#include "dialogs/export_progress_dialog.h"
#include "engine/calc_scene.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace {

const QString kCaption = QStringLiteral("수음점 저장");
const QString kFilter = QStringLiteral("텍스트 파일(*.txt);;모든 파일(*.*)");
const QString kDefaultName = QStringLiteral("수음점.txt");

// The chosen path with ".txt" added when the name has no extension.
QString WithDefaultExtension(const QString& path)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    return name.contains(QLatin1Char('.')) ? path : path + QStringLiteral(".txt");
}

// The level query over the document's calculation scene, built on the export's worker.
ExportLevelsFactory SceneLevels(const CMyTalvoDoc& doc)
{
    return [&doc]() -> PointLevelProvider {
        auto scene = std::make_shared<const CCalcScene>(doc);
        return [scene](double x, double y, double z) { return scene->PointLevels(x, y, z); };
    };
}

}  // namespace

void CMainFrame::OnExportReceivers()
{
    const CReceiverGrid grid = CReceiverGrid::FromSettings(m_doc.m_settings);
    if (const std::string refusal = CheckReceiverExport(m_doc, grid); !refusal.empty()) {
        MessageBoxes().Information(this, QString::fromStdString(refusal));
        return;
    }
    const QString chosen = FileDialogs().SaveFileName(this, kCaption, kDefaultName, kFilter);
    if (chosen.isEmpty())
        return;
    CProgressDlg progress(grid, SceneLevels(m_doc), this);
    std::string failure;
    if (!progress.OpenOutput(WithDefaultExtension(chosen).toStdString(), failure)) {
        MessageBoxes().Information(this, QString::fromStdString(failure));
        return;
    }
    progress.exec();
}
