// "차이 지도": the map of this project minus that of another project file on the same
// calculation area, or minus this project with the barriers chosen in the exclusion
// selector left out (the insertion loss of a barrier design, negative where it helps).
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/noise_map_commands.h"
#include "dialogs/difference_map_dialog.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "io/project_file.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_difference.h"
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
    CDifferenceMapDialog dialog(static_cast<int>(m_pDoc->m_arrExcludedBarrier.size()), m_pParent, m_refine);
    if (m_runDifferenceDialog(dialog) != QDialog::Accepted)
        return;
    m_refine = dialog.Choice().refine;
    if (auto map = ComputeDifference(dialog.Choice()))
        m_pPlanView->SetNoiseMap(std::move(map));
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
        scenes.minuend = std::make_unique<CCalcScene>(*m_pDoc);
        scenes.subtrahend = std::make_unique<CCalcScene>(other);
    }
    const CProjectSettings settings = m_pDoc->m_settings;
    const CSectionGround ground = DocumentSectionGround(*m_pDoc);
    return ComputeWithProgress([&](CRunProgress& progress) {
        return ComputeViewsDifferenceMap(*scenes.minuend, *scenes.subtrahend, settings, ground, choice.band,
                                         choice.step, progress, 0, choice.refine);
    });
}
