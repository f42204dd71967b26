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
#ifdef TALVO_CLI_MAP
    RegisterMap(app);
#endif
    CLI11_PARSE(app, argc, argv);
    return 0;
}
