// "초과 지도" and the period of the maps: a project whose roads or tunnels have night powers
// is mapped by day or by night as the user chooses; the exceedance map is the level of the
// chosen period minus the project criterion's limit of the project's zone.
#include <QInputDialog>
#include <QStringList>

#include "app/noise_map_commands.h"
#include "engine/period_levels.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_exceedance.h"
#include "model/barrier_exclusion.h"
#include "model/compliance.h"
#include "model/document.h"
#include "views/plan_view.h"

std::optional<EPeriod> CNoiseMapCommands::ChoosePeriod() const
{
    if (!HasPeriodPowers(*m_pDoc, EPeriod::kNight))
        return EPeriod::kDay;
    if (m_choosePeriod)
        return m_choosePeriod();
    const QStringList entries = {QString::fromUtf8(PeriodName(EPeriod::kDay)),
                                 QString::fromUtf8(PeriodName(EPeriod::kNight))};
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_pParent, QStringLiteral("소음지도"),
                                                 QStringLiteral("시간대를 선택하세요."), entries, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return chosen == entries[1] ? EPeriod::kNight : EPeriod::kDay;
}

std::shared_ptr<CNoiseMap> CNoiseMapCommands::ComputePeriodMap(int band, EPeriod period)
{
    return ComputeWithProgress(
        [&](CRunProgress& progress) { return ComputeViewsNoiseMap(*m_pDoc, band, progress, 0, m_refine, period); });
}

void CNoiseMapCommands::OnExceedanceMap()
{
    if (!MayMapViews())
        return;
    const std::optional<EPeriod> period = ChoosePeriod();
    if (!period)
        return;
    const std::optional<double> limit = MapLimit(m_pDoc->m_settings, *period);
    if (!limit) {
        Report(NoMapLimitMessage(*period));
        return;
    }
    const CMapStyle style = ExceedanceMapStyle(QString::fromUtf8(PeriodName(*period)), *limit);
    auto map = ComputeWithProgress([&](CRunProgress& progress) {
        return ComputeViewsExceedanceMap(*m_pDoc, *period, *limit, style, progress, 0, m_refine);
    });
    if (!map)
        return;
    if (const std::string note = ExclusionNote(*m_pDoc); !note.empty())
        map->style.name += QStringLiteral(" (%1)").arg(QString::fromStdString(note));
    m_pPlanView->SetNoiseMap(std::move(map));
}
