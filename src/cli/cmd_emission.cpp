// talvo-cli emission PROJECT: the band power per metre of every road, then of every
// tunnel's portal, as the input windows compute it from the stored traffic.
#include "cli/commands.h"

#include "cli/project_loading.h"
#include "engine/emission.h"
#include "io/project_file.h"
#include "model/document.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace {

// "<kind>\t<i>\t<eight bands>\t<Overall>", or "<kind>\t<i>\t<refusal>"; i from 1.
std::string EmissionLine(const char* kind, std::size_t index, const CEmissionResult& r)
{
    std::string line = std::string(kind) + '\t' + std::to_string(index + 1);
    if (!r.ok)
        return line + '\t' + r.message;
    for (double level : r.m_dLevel)
        line += '\t' + FormatLevel(level);
    return line + '\t' + FormatLevel(r.Overall());
}

void RunEmission(const std::string& path)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, path);
    if (!opened.ok) {
        std::cerr << "talvo-cli emission: " << path << ": " << opened.message << '\n';
        throw CLI::RuntimeError(1);
    }
    TellWhatTheOpenLeftOut(doc, opened, "emission", path);
    for (std::size_t i = 0; i < doc.m_arrRoad.size(); ++i)
        std::cout << EmissionLine("road", i, ComputeEmission(EmissionInputOf(doc.m_arrRoad[i]))) << '\n';
    for (std::size_t i = 0; i < doc.m_arrTunnel.size(); ++i)
        std::cout << EmissionLine("tunnel", i, ComputeEmission(EmissionInputOf(doc.m_arrTunnel[i]))) << '\n';
}

}  // namespace

void RegisterEmission(CLI::App& app)
{
    auto path = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("emission", "Print the band sound power per metre of every road and tunnel");
    cmd->add_option("PROJECT", *path, "Project file to read")->required();
    cmd->callback([path]() { RunEmission(*path); });
}
