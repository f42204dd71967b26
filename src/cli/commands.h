#pragma once

// One registration function per talvo-cli subcommand. Each lives in its own
// cmd_<name>.cpp, adds its subcommand to the app and sets the callback that runs it.
// A callback reports failure by throwing CLI::RuntimeError(1) after writing the
// message to stderr.

namespace CLI {
class App;
}

void RegisterConvert(CLI::App& app);
void RegisterEmission(CLI::App& app);
void RegisterCalc(CLI::App& app);
void RegisterFacade(CLI::App& app);
void RegisterGrid(CLI::App& app);
void RegisterLengthSearch(CLI::App& app);
void RegisterOptimise(CLI::App& app);
// Its PNG pictures need Qt (cli/map/, TALVO_CLI_MAP); its GIS files do not.
void RegisterMap(CLI::App& app);
void RegisterImport(CLI::App& app);
// In builds with the GUI only (TALVO_CLI_REPORT): it writes the PDF with Qt (cli/report/).
void RegisterReport(CLI::App& app);
