#include "engine/facade_levels.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "engine/calc_scene_data.h"
#include "engine/propagation_path.h"

namespace {

void Worker(const CSceneData& scene, std::vector<CFacadeReceiver>& receivers, Bands* transfers,
            std::atomic<std::size_t>& next)
{
    CScreeningScratch scratch;
    for (std::size_t i = next++; i < receivers.size(); i = next++) {
        CFacadeReceiver& f = receivers[i];
        const CMVector r(f.m_vPos.x, f.m_vPos.y, f.m_vPos.z - scene.m_dBaseHeight);
        CTerrainSection terrain;
        terrain.Build(r.x, scene.m_arrEmbankment, scene.m_arrCutting, scene.m_settings);
        Bands* own = transfers ? transfers + i * static_cast<std::size_t>(scene.m_nSourceCount) : nullptr;
        f.m_dLevel = SumPointLevels(scene, terrain, {f.m_dAreaFactor, f.m_dGroundFactor}, r, scratch, own);
    }
}

}  // namespace

void ComputeFacadeLevels(const CSceneData& scene, std::vector<CFacadeReceiver>& receivers, int threads,
                         std::vector<Bands>* transfers)
{
    if (transfers)
        transfers->assign(receivers.size() * static_cast<std::size_t>(scene.m_nSourceCount), Bands{});
    Bands* slots = transfers ? transfers->data() : nullptr;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(threads), receivers.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    try {
        for (std::size_t t = 1; t < count; ++t)
            workers.emplace_back(Worker, std::cref(scene), std::ref(receivers), slots, std::ref(next));
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one share the work.
    }
    Worker(scene, receivers, slots, next);
    for (std::thread& w : workers)
        w.join();
}
