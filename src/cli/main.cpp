// talvo-cli: the command-line shell over the TALVO core.
#include "cli/commands.h"

#include <CLI/CLI.hpp>

int main(int argc, char** argv)
{
    CLI::App app{"TALVO command line: road traffic noise prediction"};
    app.require_subcommand(1);
    RegisterConvert(app);
    RegisterEmission(app);
    RegisterCalc(app);
    RegisterGrid(app);
    RegisterLengthSearch(app);
    RegisterOptimise(app);
#ifdef TALVO_CLI_MAP
    RegisterMap(app);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        return e.get_exit_code();  // the command has written its message
    } catch (const CLI::ParseError& e) {
        // Bad arguments: CLI11 writes the message; every such failure exits with 1.
        return app.exit(e) == 0 ? 0 : 1;
    }
    return 0;
}
