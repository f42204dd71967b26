// talvo-cli convert IN OUT: open a project in either file form, save it in the key form.
#include "cli/commands.h"

#include "cli/project_loading.h"
#include "io/project_file.h"
#include "model/document.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace {

struct ConvertArgs {
    std::string input;
    std::string output;
};

void RunConvert(const ConvertArgs& args)
{
    CMyTalvoDoc doc;
    const CFileResult opened = OpenProject(doc, args.input);
    if (!opened.ok) {
        std::cerr << "talvo-cli convert: " << args.input << ": " << opened.message << '\n';
        throw CLI::RuntimeError(1);
    }
    TellWhatTheOpenLeftOut(doc, opened, "convert", args.input);
    const CFileResult saved = SaveProject(doc, args.output);
    if (!saved.ok) {
        std::cerr << "talvo-cli convert: " << args.output << ": " << saved.message << '\n';
        throw CLI::RuntimeError(1);
    }
}

}  // namespace

void RegisterConvert(CLI::App& app)
{
    auto args = std::make_shared<ConvertArgs>();
    CLI::App* cmd = app.add_subcommand("convert", "Open a project file (key or line form) and save it in the key form");
    cmd->add_option("IN", args->input, "Project file to read")->required();
    cmd->add_option("OUT", args->output, "Project file to write (key form)")->required();
    cmd->callback([args]() { RunConvert(*args); });
}
