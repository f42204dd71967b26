// talvo-cli emission PROJECT [--period day|night]: the band power per metre of every road,
// then of every tunnel's portal, as the input windows compute it from the stored traffic of
// the period. At night a road or tunnel without night traffic says so in place of its levels.
#include "cli/commands.h"

#include "cli/period_option.h"
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

// The emission of a road or tunnel in the period; at night only from its own night traffic.
template <class Source>
CEmissionResult EmissionOf(const Source& source, EPeriod period)
{
    if (period == EPeriod::kNight && !source.m_bNightTraffic) {
        CEmissionResult none;
        none.message = kMsgNoNightTraffic;
        return none;
    }
    return ComputeEmission(EmissionInputOf(source, period));
}

void RunEmission(const std::string& path, EPeriod period)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, path);
    if (!opened.ok) {
        std::cerr << "talvo-cli emission: " << path << ": " << opened.message << '\n';
        throw CLI::RuntimeError(1);
    }
    TellWhatTheOpenLeftOut(doc, opened, "emission", path);
    for (std::size_t i = 0; i < doc.m_arrRoad.size(); ++i)
        std::cout << EmissionLine("road", i, EmissionOf(doc.m_arrRoad[i], period)) << '\n';
    for (std::size_t i = 0; i < doc.m_arrTunnel.size(); ++i)
        std::cout << EmissionLine("tunnel", i, EmissionOf(doc.m_arrTunnel[i], period)) << '\n';
}

struct EmissionArgs {
    std::string path;
    std::string period = "day";
};

}  // namespace

void RegisterEmission(CLI::App& app)
{
    auto args = std::make_shared<EmissionArgs>();
    CLI::App* cmd = app.add_subcommand("emission", "Print the band sound power per metre of every road and tunnel");
    cmd->add_option("PROJECT", args->path, "Project file to read")->required();
    AddPeriodOption(cmd, args->period);
    cmd->callback([args]() { RunEmission(args->path, PeriodOf(args->period)); });
}
