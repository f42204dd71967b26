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
    CRunProgress progress;
    map.plan = PlanMapLayout(doc.m_settings, spacing, height, band);
    ComputeNoiseMap(scene, map.plan, progress, 0);
    CNoiseMapGrid section = SectionMapLayout(settings, DocumentSectionGround(doc), sectionSpacing, band);
    ComputeNoiseMap(scene, section, progress, 0);
    map.section = std::move(section);
    return {};
}
