#include "report/report_maps.h"

#include <cmath>

#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "maps/noise_map_compute.h"
#include "model/document.h"

namespace {

const char* const kMsgBadHeight = "수음점 높이가 잘못되었습니다.";

}  // namespace

std::string ComputeReportMaps(const CMyTalvoDoc& doc, double spacing, int band, CNoiseMap& map)
{
    if (std::string refusal = CheckNoiseMap(doc, spacing); !refusal.empty())
        return refusal;
    // The section spacing set, or the default that follows this plan spacing.
    CProjectSettings settings = doc.m_settings;
    settings.m_dReceiverSpacing = spacing;
    const double sectionSpacing = SectionSpacing(settings);
    if (std::string refusal = CheckSectionMap(settings, sectionSpacing); !refusal.empty())
        return refusal;
    const double height = doc.m_settings.m_dReceiverHeight;
    if (!std::isfinite(height))
        return kMsgBadHeight;
    const CCalcScene scene(doc);
    const CSectionGround ground = DocumentSectionGround(doc);
    CRunProgress progress;
    // Refined where the classes change, as the map commands draw them by default.
    const CRefineRequest refine{true, 0.0, map.style.scale.edges};
    map.plan = PlanMapLayout(doc.m_settings, spacing, height, band);
    ComputeNoiseMap(scene, map.plan, progress, 0);
    RefineNoiseMap(map.plan, SceneLevelAt(scene, map.plan), refine, progress, 0, kMaxMapNodes);
    CNoiseMapGrid section = SectionMapLayout(settings, ground, sectionSpacing, band);
    ComputeNoiseMap(scene, section, progress, 0);
    RefineNoiseMap(section, SceneLevelAt(scene, section, &ground), refine, progress, 0, kMaxMapNodes);
    map.section = std::move(section);
    return {};
}
