#pragma once

// Runs talvo-cli as a user would and collects its status, stdout and stderr.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

namespace clitest {

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// args are already quoted for the shell.
inline CliRun RunCli(const std::string& args, const iotest::ScratchDir& dir)
{
    const std::string outFile = dir.File("stdout.txt"), errFile = dir.File("stderr.txt");
    const std::string command = Quoted(TALVO_CLI) + " " + args + " >" + Quoted(outFile) + " 2>" + Quoted(errFile);
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, iotest::ReadBytes(outFile), iotest::ReadBytes(errFile)};
}

inline std::string AcceptanceProject() { return iotest::DataPath("acceptance/barrier-embankment.tlv"); }

// Saves a variant of the acceptance project, changed by edit, into dir; returns its path.
template <class Edit>
std::string SaveVariant(const iotest::ScratchDir& dir, const std::string& name, Edit edit)
{
    CMyTalvoDoc doc;
    if (!OpenProject(doc, AcceptanceProject()).ok)
        return {};
    edit(doc);
    const std::string path = dir.File(name);
    return SaveProject(doc, path).ok ? path : std::string();
}

}  // namespace clitest
