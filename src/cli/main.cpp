// talvo-cli: the command-line shell over the TALVO core.
#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#include "model/program_version.h"

namespace {

// "calc: P.tlv": the command that was running and the files it was given, to name in a
// message about a failure no command handled itself.
std::string RunningCommand(CLI::App& app)
{
    std::string text;
    for (CLI::App* sub : app.get_subcommands()) {
        text += sub->get_name() + ":";
        for (const CLI::Option* option : sub->get_options())
            if (option->get_positional())
                for (const std::string& file : option->results())
                    text += " " + file;
    }
    return text;
}

int Run(int argc, char** argv)
{
    // Named as installed, whatever path started it: the usage lines and the manual page say so.
    CLI::App app{"TALVO command line: road traffic noise prediction", "talvo-cli"};
    app.set_version_flag("--version", std::string("talvo-cli ") + kProgramVersion);
    app.require_subcommand(1);
    RegisterConvert(app);
    RegisterEmission(app);
    RegisterCalc(app);
    RegisterFacade(app);
    RegisterGrid(app);
    RegisterLengthSearch(app);
    RegisterOptimise(app);
    RegisterMap(app);
    RegisterImport(app);
#ifdef TALVO_CLI_REPORT
    RegisterReport(app);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        return e.get_exit_code();  // the command has written its message
    } catch (const CLI::ParseError& e) {
        // Bad arguments: CLI11 writes the message; every such failure exits with 1.
        return app.exit(e) == 0 ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "talvo-cli " << RunningCommand(app) << ": 메모리가 부족합니다.\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Anything a command did not handle (out of memory, a failing library) ends with a
    // message and exit code 1 rather than an abort.
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "talvo-cli: " << e.what() << '\n';
        return 1;
    }
}
