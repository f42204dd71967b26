// The whole open as a user meets it: arbitrary bytes in a file, opened over a project,
// then the engine's preparation of what was read (the check, source pieces, deck
// barriers, a terrain section, the walls and façade receivers of the buildings) when the
// check lets it through. Nothing may crash,
// and a failed open must leave the project as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/building_walls.h"
#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "engine/terrain_section.h"
#include "io/project_file.h"
#include "model/building_check.h"
#include "model/document.h"
#include "model/facade_receivers.h"

namespace {

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/talvo-fuzz-open-" + std::to_string(::getpid()) + ".tlv";
    return path;
}

void PrepareForCalculation(CMyTalvoDoc& doc)
{
    if (!FindUnusableInput(doc).empty())
        return;
    MakeSourcePieces(doc);
    MakeBridgeBarriers(doc);
    StoreTerrainSection(doc, doc.m_settings.m_dSectionX);
    const std::vector<CObstacle> walls = BuildWallObstacles(doc.m_arrBuilding);
    BuildWallReflectors(doc.m_arrBuilding, 0);
    // Deriving a million façade receivers is allowed but slow; fuzzing wants many inputs.
    if (walls.empty() || FacadeReceiverCount(doc.m_arrBuilding, doc.m_settings) > 100000)
        return;
    SummariseFloors(DeriveFacadeReceivers(doc.m_arrBuilding, doc.m_settings));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CMyTalvoDoc doc;
    doc.m_arrRoad.resize(1);
    const CFileResult r = OpenProject(doc, ScratchPath());
    if (!r.ok && (r.message.empty() || doc.m_arrRoad.size() != 1))
        std::abort();
    if (r.ok)
        PrepareForCalculation(doc);
    return 0;
}
