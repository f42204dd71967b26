// A layer file as an import meets it: arbitrary bytes read as GeoJSON, KML or DXF (the
// first byte chooses, and whether the project has a coordinate system), taken as roads,
// barriers, receivers and buildings in turn. A refusal must say why; what an import
// accepts must pass into the project, through the engine's preparation when the check
// lets it, and survive a save and an open whole.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "gis/gis_import.h"
#include "io/project_file.h"
#include "model/document.h"

namespace {

std::string ScratchPath(const char* extension)
{
    return "/tmp/talvo-fuzz-import-" + std::to_string(::getpid()) + extension;
}

const char* LayerExtension(std::uint8_t selector)
{
    switch (selector % 4) {
    case 1: return ".kml";
    case 2: return ".dxf";
    default: return ".geojson";
    }
}

CMyTalvoDoc BaseProject(bool withCrs)
{
    CMyTalvoDoc doc;
    doc.m_arrRoad.resize(1);
    doc.m_arrBarrier.resize(1);
    doc.m_arrReceiver.resize(1);
    if (withCrs)
        doc.m_settings.m_strCrs = "EPSG:5186";
    return doc;
}

std::size_t EntityCount(const CMyTalvoDoc& doc)
{
    return doc.m_arrRoad.size() + doc.m_arrBarrier.size() + doc.m_arrReceiver.size() + doc.m_arrBuilding.size();
}

// What was accepted enters the project and comes back from its file as many as it went.
void CheckAccepted(const CMyTalvoDoc& base, const CImportResult& result)
{
    CMyTalvoDoc doc = base;
    AddImport(doc, result);
    if (EntityCount(doc) != EntityCount(base) + result.Count())
        std::abort();
    if (FindUnusableInput(doc).empty()) {
        MakeSourcePieces(doc);
        MakeBridgeBarriers(doc);
    }
    const std::string project = ScratchPath(".tlv");
    if (!SaveProject(doc, project).ok)
        return;  // a refusal to write (a number too long to read back) is the save's to say
    CMyTalvoDoc reopened;
    const CFileResult opened = OpenProject(reopened, project);
    if (!opened.ok || EntityCount(reopened) != EntityCount(doc))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string layer = ScratchPath(LayerExtension(data[0]));
    {
        std::ofstream out(layer, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const CMyTalvoDoc base = BaseProject((data[0] & 4) != 0);
    for (EImportKind kind :
         {EImportKind::Roads, EImportKind::Barriers, EImportKind::Receivers, EImportKind::Buildings}) {
        CImportRequest request;
        request.kind = kind;
        request.like = (data[0] & 8) != 0 ? 1 : 0;
        if (kind == EImportKind::Buildings)
            request.like = 0;  // the base has no building to copy
        const CImportResult result = ReadImport(base, layer, request);
        if (!result.ok) {
            if (result.message.empty())
                std::abort();
            continue;
        }
        CheckAccepted(base, result);
    }
    std::remove(layer.c_str());
    return 0;
}
