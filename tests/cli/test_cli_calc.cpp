// talvo-cli calc on the acceptance projects, whose expected tables come from an
// independent calculation: every number within 0.02, every other field equal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "io/project_file.h"
#include "cli_run_support.h"
#include "io_test_support.h"
#include "model/document.h"

using clitest::CliRun;
using clitest::Quoted;
using iotest::ScratchDir;

namespace {

constexpr double kAcceptanceTol = 0.02;  // dB and m

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

bool ParseNumber(const std::string& s, double& v)
{
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size();
}

// Line by line, field by field: numbers within the tolerance, other texts equal.
void ExpectSameTable(const std::string& actual, const std::string& expected)
{
    const auto a = Split(actual, '\n'), e = Split(expected, '\n');
    ASSERT_EQ(a.size(), e.size());
    for (std::size_t i = 0; i < e.size(); ++i) {
        const auto af = Split(a[i], '\t'), ef = Split(e[i], '\t');
        ASSERT_EQ(af.size(), ef.size()) << "line " << i + 1;
        for (std::size_t f = 0; f < ef.size(); ++f) {
            double av = 0, ev = 0;
            if (ParseNumber(ef[f], ev) && ParseNumber(af[f], av))
                EXPECT_NEAR(av, ev, kAcceptanceTol) << "line " << i + 1 << " field " << f + 1;
            else
                EXPECT_EQ(af[f], ef[f]) << "line " << i + 1 << " field " << f + 1;
        }
    }
}

CliRun RunCalc(const std::string& args, const ScratchDir& dir) { return clitest::RunCli("calc " + args, dir); }

void CheckAcceptance(const std::string& name)
{
    ScratchDir dir;
    const CliRun r = RunCalc(Quoted(iotest::DataPath("acceptance/" + name + ".tlv")), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "계산 종료\n");
    ExpectSameTable(r.out, iotest::ReadBytes(iotest::DataPath("acceptance/" + name + ".calc.txt")));
}

}  // namespace

TEST(CliCalc, OpenRoadAgreesWithTheIndependentCalculation) { CheckAcceptance("open-road"); }

TEST(CliCalc, BarrierAndEmbankmentAgreeWithTheIndependentCalculation) { CheckAcceptance("barrier-embankment"); }

TEST(CliCalc, SaveWritesTheResultsWithTheProject)
{
    ScratchDir dir;
    const std::string saved = dir.File("saved.tlv");
    const CliRun r = RunCalc(Quoted(iotest::DataPath("acceptance/open-road.tlv")) + " --save " + Quoted(saved), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, saved).ok);
    EXPECT_EQ(doc.m_nCalculatedInFile, 1);
    ASSERT_EQ(doc.m_arrReceiver.size(), 4u);
    EXPECT_NEAR(doc.m_arrReceiver[0].m_dLevel[4], 68.68, kAcceptanceTol);
}

TEST(CliCalc, MissingProjectFailsWithAMessage)
{
    ScratchDir dir;
    const CliRun r = RunCalc(Quoted(dir.File("none.tlv")), dir);
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(r.out.empty());
}
