#pragma once

// The project: every entity, the project settings, the engine's results and work
// lists, and the optimisation state. Every entity is owned by exactly one array.

#include <cstdint>
#include <vector>

#include "model/building.h"
#include "model/engine_records.h"
#include "model/entities.h"
#include "model/facade_receivers.h"
#include "model/level_transfers.h"
#include "model/project_settings.h"

// What every command that uses results says while they are stale.
inline constexpr const char* kMsgStaleResults = "계산 결과가 현재 모델과 다릅니다. 다시 계산하십시오.";

class CMyTalvoDoc {
public:
    bool m_bModified = false;

    std::vector<CRoad_Segment> m_arrSegment;
    std::vector<CBarrier_Stage> m_arrBarrier;
    std::vector<CBarrier_Stage> m_arrBarrierBase;
    std::vector<CReceiverPoint> m_arrReceiver;
    std::vector<CReceiverPoint> m_arrReceiverBase;
    std::vector<CRoad> m_arrRoad;
    std::vector<CRoad> m_arrRoadBase;
    std::vector<CAttenuation> m_arrAttenuation;  // not empty: the project has been calculated
    // The façade receivers of the last calculation with their levels; derived, never saved.
    std::vector<CFacadeReceiver> m_arrFacade;
    // The energy transfers of the last calculation of the whole model, for summing the
    // levels of the receivers and façade receivers again with other powers (engine/period_levels.h).
    CLevelTransfers m_transfers;
    std::vector<CDiffractionPoint> m_arrDiffraction;
    std::vector<CJulto> m_arrCutting;
    std::vector<CJulto> m_arrCuttingBase;
    std::vector<CSungto> m_arrEmbankment;
    std::vector<CSungto> m_arrEmbankmentBase;
    std::vector<CTunnel> m_arrTunnel;
    std::vector<CBuilding> m_arrBuilding;
    std::vector<CBarrier_Stage> m_arrBarrierWork;  // generated for bridge roads by every prediction
    std::vector<CMVector> m_arrVector;             // tunnel mouth corners, four per tunnel

    // Terrain section of the last build: intervals and outline records.
    std::vector<CSurface_info> m_arrEmbankmentSection;
    std::vector<CSurface_info> m_arrCuttingSection;
    std::vector<CPoint_info> m_arrEmbankmentOutline;
    std::vector<CPoint_info> m_arrCuttingOutline;

    double m_dMaxRoadHeight = 0;  // highest road end above the base height; never lowered
    CAttenuation m_attWork;
    int m_nCalculatedInFile = 0;
    // The model changed after the results were computed (or read); set by
    // CommitModelChange, cleared by every calculation of the whole model.
    bool m_bResultsStale = false;
    // Counts the times results were computed or read: an undo step knows by it whether the
    // results it saw are still the document's.
    std::uint64_t m_nResultsRevision = 0;
    double m_dVersion = 1.4;
    double m_dFileVersion = 0;

    // Optimisation state.
    bool m_bLengthSearch = false;
    int m_nOptReceiver = -1;
    double m_dOptCriterion = 0;
    int m_nOptRoad = -1;
    CMVector m_vOptSourcePoint;
    CMVector m_vOptReceiverPos;
    double m_dDivMax = 0;
    double m_dDivBest = 0;
    bool m_bOptimising = false;
    CBarrier_Stage m_OptBarrier;
    double m_dOptLevel = 0;
    double m_dLengthStep = 0;
    double m_dHeightStep = 0;

    // 0-based positions in m_arrBarrier left out of the screening of every calculation
    // until the user releases them (barrier_exclusion.h). Not saved in the project file.
    std::vector<int> m_arrExcludedBarrier;

    CProjectSettings m_settings;

    // The last calculation left attenuation records.
    bool IsCalculated() const { return !m_arrAttenuation.empty(); }
    // Results exist: the file said the project was calculated, or a calculation left
    // its records.
    bool HasResults() const { return m_nCalculatedInFile == 1 || IsCalculated(); }
    // Results exist and were computed for the model as it stands; only these are saved.
    bool HasCurrentResults() const { return HasResults() && !m_bResultsStale; }
    // Current results of the model as a project file holds it: the file keeps no barrier
    // exclusion, so results computed with one are not the file's.
    bool HasResultsToSave() const { return HasCurrentResults() && m_arrExcludedBarrier.empty(); }
    // The model was replaced under the results (an undo or redo): results computed before
    // no longer belong to it until the next calculation.
    void MarkResultsStale();
    // A calculation of the whole model, an open or a new project: the results (if any)
    // belong to the model as it stands.
    void ResultsMadeCurrent()
    {
        m_bResultsStale = false;
        ++m_nResultsRevision;
    }
    // A change of the model has been committed: the project is unsaved, and results
    // (and the source pieces and scene of the last calculation) computed before it no
    // longer belong to it until the next calculation.
    void CommitModelChange();

    // Empties every entity array, baseline and result list (the tunnel corners stay).
    void ClearModel();
    // Clears the model and resets the settings to the new-project defaults.
    void NewProject();
    // Copies roads, barriers, embankments, cuttings and receivers into the baselines.
    void MakeBaselineCopies();
};
