// "차이 지도": the map of this project minus that of another project file on the same
// calculation area, or minus this project with the barriers chosen in the exclusion
// selector left out (the insertion loss of a barrier design, negative where it helps).
// Against a file this project is computed as its own file would be, without the session's
// exclusion, so that the map is the one talvo-cli map --diff draws of the two files.
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/noise_map_commands.h"
#include "dialogs/difference_map_dialog.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/input_check.h"
#include "engine/noise_map_compute.h"
#include "engine/noise_map_difference.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "ui/message_box.h"
#include "views/plan_view.h"

namespace {

const QString kMsgNoExcludedBarriers = QStringLiteral("방음벽 입력의 \"고르기\"에서 제외할 방음벽을 먼저 고르십시오.");

// The scene of this project with every barrier and the scene of the project without the
// chosen ones: removed from the model, so they neither screen nor reflect (the exclusion
// of a calculation only stops their screening). A scene keeps copies of what it reads, so
// the document is changed only while the scenes are built and then restored.
struct CScenePair {
    std::unique_ptr<CCalcScene> minuend, subtrahend;
};

class CBarrierListRestorer {
public:
    explicit CBarrierListRestorer(CMyTalvoDoc& doc)
        : m_doc(doc), m_barriers(doc.m_arrBarrier), m_excluded(doc.m_arrExcludedBarrier)
    {
    }
    ~CBarrierListRestorer()
    {
        m_doc.m_arrBarrier = m_barriers;
        m_doc.m_arrExcludedBarrier = m_excluded;
    }
    CBarrierListRestorer(const CBarrierListRestorer&) = delete;
    CBarrierListRestorer& operator=(const CBarrierListRestorer&) = delete;

    const std::vector<CBarrier_Stage>& Barriers() const { return m_barriers; }
    const std::vector<int>& Chosen() const { return m_excluded; }

private:
    CMyTalvoDoc& m_doc;
    const std::vector<CBarrier_Stage> m_barriers;
    const std::vector<int> m_excluded;
};

CScenePair ScenesWithoutChosenBarriers(CMyTalvoDoc& doc)
{
    const CBarrierListRestorer restorer(doc);
    CScenePair scenes;
    doc.m_arrExcludedBarrier.clear();
    scenes.minuend = std::make_unique<CCalcScene>(doc);
    doc.m_arrBarrier.clear();
    for (std::size_t i = 0; i < restorer.Barriers().size(); ++i)
        if (std::find(restorer.Chosen().begin(), restorer.Chosen().end(), int(i)) == restorer.Chosen().end())
            doc.m_arrBarrier.push_back(restorer.Barriers()[i]);
    scenes.subtrahend = std::make_unique<CCalcScene>(doc);
    return scenes;
}

// This project as its file holds it (no barrier excluded) against the other project.
CScenePair ScenesAgainstOtherProject(CMyTalvoDoc& doc, const CMyTalvoDoc& other)
{
    const CBarrierListRestorer restorer(doc);
    doc.m_arrExcludedBarrier.clear();
    CScenePair scenes;
    scenes.minuend = std::make_unique<CCalcScene>(doc);
    scenes.subtrahend = std::make_unique<CCalcScene>(other);
    return scenes;
}

// What a picture's title calls the map: what was subtracted, and whether the exclusion applied.
QString DifferenceName(const CDifferenceMapChoice& choice, const QString& excluded)
{
    if (choice.withoutExcludedBarriers)
        return QStringLiteral("차이 지도 (빼는 쪽: %1 없는 이 프로젝트)").arg(excluded);
    const QString file = QFileInfo(choice.otherProject).fileName();
    if (excluded.isEmpty())
        return QStringLiteral("차이 지도 (빼는 쪽: %1)").arg(file);
    return QStringLiteral("차이 지도 (빼는 쪽: %1, 방음벽 제외 없이 계산)").arg(file);
}

// The other project opened and prepared as a calculation prepares it; the message refusing
// it otherwise (not opened, unusable input, no road, another calculation area).
std::string PrepareOtherProject(const CMyTalvoDoc& doc, const QString& path, CMyTalvoDoc& other)
{
    if (const CFileResult opened = OpenProject(other, path.toStdString()); !opened.ok)
        return opened.message;
    if (std::string unusable = FindUnusableInput(other); !unusable.empty())
        return unusable;
    if (!SameCalculationArea(doc.m_settings, other.m_settings))
        return kMapMsgOtherArea;
    other.m_arrSegment.clear();
    MakeSourcePieces(other);
    if (other.m_arrSegment.empty())
        return "하나 이상의 도로를 입력하십시요";
    return {};
}

}  // namespace

void CNoiseMapCommands::OnDifferenceMap()
{
    const std::string refusal = CheckNoiseMap(*m_pDoc, m_pDoc->m_settings.m_dReceiverSpacing);
    if (!refusal.empty()) {
        Report(refusal);
        return;
    }
    const QString excluded = QString::fromStdString(ExcludedBarrierNames(*m_pDoc));
    CDifferenceMapDialog dialog(excluded, m_pParent);
    if (m_runDifferenceDialog(dialog) != QDialog::Accepted)
        return;
    if (auto map = ComputeDifference(dialog.Choice())) {
        map->style.name = DifferenceName(dialog.Choice(), excluded);
        // The view has no title line: its legend says what was subtracted.
        NameDifference(map->style, QStringLiteral("이 프로젝트"),
                       dialog.Choice().withoutExcludedBarriers ? excluded + QStringLiteral(" 제외")
                                                               : QFileInfo(dialog.Choice().otherProject).fileName());
        m_pPlanView->SetNoiseMap(std::move(map));
    }
}

std::shared_ptr<CNoiseMap> CNoiseMapCommands::ComputeDifference(const CDifferenceMapChoice& choice)
{
    CScenePair scenes;
    CMyTalvoDoc other;
    if (choice.withoutExcludedBarriers) {
        if (m_pDoc->m_arrExcludedBarrier.empty()) {
            MessageBoxes().Information(m_pParent, kMsgNoExcludedBarriers);
            return nullptr;
        }
        scenes = ScenesWithoutChosenBarriers(*m_pDoc);
    } else {
        if (const std::string refusal = PrepareOtherProject(*m_pDoc, choice.otherProject, other); !refusal.empty()) {
            Report(refusal);
            return nullptr;
        }
        scenes = ScenesAgainstOtherProject(*m_pDoc, other);
    }
    const CProjectSettings settings = m_pDoc->m_settings;
    const CSectionGround ground = DocumentSectionGround(*m_pDoc);
    return ComputeWithProgress([&](CRunProgress& progress) {
        return ComputeViewsDifferenceMap(*scenes.minuend, *scenes.subtrahend, settings, ground, choice.band,
                                         choice.step, progress);
    });
}
