#include "engine/calculation.h"

#include <cstdio>
#include <utility>

#include "engine/calc_scene.h"
#include "engine/input_check.h"
#include "engine/prediction_driver.h"
#include "engine/source_pieces.h"
#include "engine/terrain_section.h"
#include "model/document.h"

namespace {

constexpr double kFinalSectionX = 1000.0;

// Earlier results of a calculation go (with the file's flag: the zeroed levels are no
// results); the source pieces are rebuilt from nothing by every command.
void ClearResults(CMyTalvoDoc& doc)
{
    if (!doc.IsCalculated())
        return;
    doc.m_nCalculatedInFile = 0;
    doc.m_arrAttenuation.clear();
    doc.m_arrDiffraction.clear();
    doc.m_transfers.Clear();
    for (CReceiverPoint& r : doc.m_arrReceiver) {
        r.m_dLevel.fill(0.0);
        r.m_dNightLevel = NoEnergyBands();
    }
}

std::string LevelText(const Bands& levels, int selector)
{
    if (selector >= 1 && selector <= kBandCount)
        return FormatLevel(levels[selector - 1]);
    return FormatLevel(EnergySum(levels));
}

// A prediction of the whole model makes its results current; one for an optimisation
// candidate is of another model.
void Predict(CMyTalvoDoc& doc, const CRunInputs& run, std::vector<std::string>& messages)
{
    RunPrediction(doc, run, messages);
    if (!run.IsOptimisation())
        doc.ResultsMadeCurrent();
}

}  // namespace

std::vector<std::string> Calculate(CMyTalvoDoc& doc, const CRunInputs& run)
{
    std::vector<std::string> messages;
    ClearResults(doc);
    doc.m_arrSegment.clear();
    doc.m_arrFacade.clear();
    // Values no input window can produce (nan, infinities, a million source pieces) come
    // only from a damaged file: refused by name before any piece is built.
    if (std::string unusable = FindUnusableInput(doc); !unusable.empty()) {
        StoreTerrainSection(doc, kFinalSectionX);
        return {std::move(unusable)};
    }
    MakeSourcePieces(doc);  // the air tables are prepared with the scene of the prediction
    // The façade receivers belong to a calculation of the whole model; an optimisation
    // candidate is evaluated at its one receiver only.
    if (!run.IsOptimisation())
        doc.m_arrFacade = DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings);
    const bool hasPieces = !doc.m_arrSegment.empty();
    if (!doc.m_arrReceiver.empty() || !doc.m_arrFacade.empty()) {
        if (!hasPieces)
            messages.emplace_back("하나 이상의 도로를 입력하십시요");
        else
            Predict(doc, run, messages);
    } else {
        messages.emplace_back(hasPieces ? "하나 이상의 수음점을 입력하십시요"
                                        : "하나 이상의 수음점과 도로를 입력하십시요");
    }
    StoreTerrainSection(doc, kFinalSectionX);
    return messages;
}

std::string PointLevel(const CMyTalvoDoc& doc, CReceiverPoint& point, int selector)
{
    const CCalcScene scene(doc);
    point.m_dLevel = scene.PointLevels(point.m_dX, point.m_dY, point.m_dZ, point.m_dGroundFactor, point.m_dAreaFactor);
    return LevelText(point.m_dLevel, selector);
}
