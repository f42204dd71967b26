#pragma once

// Runs talvo-cli as a user would and collects its status, stdout and stderr, and
// compares its tab-separated tables with stored ones.

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

namespace clitest {

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// args are already quoted for the shell; shellPrefix runs before talvo-cli in the same
// shell ("ulimit -v N; ").
inline CliRun RunCli(const std::string& args, const iotest::ScratchDir& dir, const std::string& shellPrefix = "")
{
    const std::string outFile = dir.File("stdout.txt"), errFile = dir.File("stderr.txt");
    const std::string command =
        shellPrefix + Quoted(TALVO_CLI) + " " + args + " >" + Quoted(outFile) + " 2>" + Quoted(errFile);
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

// The parts of text between separators; a CR stays part of its line.
inline std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, sep);)
        parts.push_back(part);
    return parts;
}

inline bool ParseNumber(const std::string& s, double& v)
{
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size();
}

// Line by line, field by field: numbers within tol, every other field equal.
inline void ExpectSameTable(const std::string& actual, const std::string& expected, double tol)
{
    const auto a = Split(actual, '\n'), e = Split(expected, '\n');
    ASSERT_EQ(a.size(), e.size()) << actual;
    for (std::size_t i = 0; i < e.size(); ++i) {
        const auto af = Split(a[i], '\t'), ef = Split(e[i], '\t');
        ASSERT_EQ(af.size(), ef.size()) << "line " << i + 1 << ": " << a[i];
        for (std::size_t f = 0; f < ef.size(); ++f) {
            double av = 0, ev = 0;
            if (ParseNumber(ef[f], ev) && ParseNumber(af[f], av))
                EXPECT_NEAR(av, ev, tol) << "line " << i + 1 << " field " << f + 1;
            else
                EXPECT_EQ(af[f], ef[f]) << "line " << i + 1 << " field " << f + 1;
        }
    }
}

}  // namespace clitest
