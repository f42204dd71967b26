// talvo-cli import BASE.tlv LAYERFILE --as roads|barriers|receivers|buildings [--layer NAME]
// [--crs EPSG:n] [--like N] [--floors-field NAME] -o OUT.tlv: adds the lines, points or
// polygons of a GIS or CAD file to a project as roads, barriers, receivers or buildings
// and saves the result as a new project.
#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

#include "cli/project_loading.h"
#include "gis/gis_import.h"
#include "io/project_file.h"
#include "model/document.h"

namespace {

struct ImportArgs {
    std::string base, layerFile, kind, layer, crs, output, floorsField;
    int like = 0;
};

[[noreturn]] void FailImport(const std::string& what, const std::string& message)
{
    std::cerr << "talvo-cli import: " << what << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

void RunImport(const ImportArgs& args)
{
    if (IsPartOfLayerFile(args.layerFile, args.output))
        FailImport(args.output, "가져올 레이어의 파일입니다. 프로젝트는 다른 파일에 저장하십시오.");
    CMyTalvoDoc doc;
    LoadProjectOrFail(doc, args.base, "import");
    CImportRequest request;
    ParseImportKind(args.kind, request.kind);
    request.layer = args.layer;
    request.crs = args.crs;
    request.like = args.like;
    request.floorsField = args.floorsField;
    const CImportResult result = ReadImport(doc, args.layerFile, request);
    if (!result.ok)
        FailImport(args.layerFile, result.message);
    AddImport(doc, result);
    if (const CFileResult saved = SaveProject(doc, args.output); !saved.ok)
        FailImport(args.output, saved.message);
    if (request.kind == EImportKind::Buildings)
        std::cout << result.buildings.size() << " buildings added, " << result.holesIgnored
                  << " holes in their footprints ignored\n";
    else
        std::cout << result.roads.size() << " roads, " << result.barriers.size() << " barriers, "
                  << result.receivers.size() << " receivers added\n";
}

}  // namespace

void RegisterImport(CLI::App& app)
{
    auto args = std::make_shared<ImportArgs>();
    CLI::App* cmd = app.add_subcommand("import", "Add the lines, points or polygons of a GIS or CAD file to a project");
    cmd->add_option("BASE", args->base, "Project file to add to")->required();
    cmd->add_option("LAYERFILE", args->layerFile, "GIS or CAD file (GeoPackage, Shapefile, GeoJSON, DXF, KML)")
        ->required();
    cmd->add_option("--as", args->kind, "What the geometry becomes")
        ->required()
        ->check(CLI::IsMember({"roads", "barriers", "receivers", "buildings"}));
    cmd->add_option("--layer", args->layer, "Layer of the file (default: the first)");
    cmd->add_option("--crs", args->crs,
                    "The project's coordinate system when it has none, else the layer's when it has none");
    cmd->add_option("--like", args->like, "Copy the other values from entity N of the same kind in BASE")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--floors-field", args->floorsField,
                    "Attribute holding a building's number of floors (default: floors)");
    cmd->add_option("-o,--output", args->output, "Project file to write")->required();
    cmd->callback([args]() { RunImport(*args); });
}
