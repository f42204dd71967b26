// Replays every file of tests/data/regress (inputs that once broke a reader, found by
// the fuzzers or by hand) through the real open, on a copy: no crash, either a message
// with the open project untouched or a project that saves, reopens the same, and
// passes through the engine's preparation without producing a position that is not a
// number.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "engine/input_check.h"
#include "engine/source_pieces.h"
#include "engine/terrain_section.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

namespace {

void ExpectFinitePieces(const CMyTalvoDoc& doc, const std::string& name)
{
    for (const CRoad_Segment& p : doc.m_arrSegment)
        EXPECT_TRUE(std::isfinite(p.m_dX) && std::isfinite(p.m_dY) && std::isfinite(p.m_dZ)) << name;
    for (const CSurface_info& s : doc.m_arrEmbankmentSection)
        EXPECT_TRUE(std::isfinite(s.m_dHeight)) << name;
}

// The file saved from the opened project, reopened and saved again, comes back the same
// from then on (the first save may tidy what the input held: blanks, cut values).
void ExpectStableRoundTrip(const CMyTalvoDoc& doc, const ScratchDir& dir, const std::string& name)
{
    ASSERT_TRUE(SaveProject(doc, dir.File("gen1.tlv")).ok) << name;
    for (const char* next : {"gen2.tlv", "gen3.tlv"}) {
        CMyTalvoDoc again;
        const std::string previous = next[3] == '2' ? "gen1.tlv" : "gen2.tlv";
        const CFileResult reopened = OpenProject(again, dir.File(previous));
        ASSERT_TRUE(reopened.ok) << name << ": " << reopened.message;
        ASSERT_TRUE(SaveProject(again, dir.File(next)).ok) << name;
    }
    EXPECT_EQ(iotest::ReadBytes(dir.File("gen2.tlv")), iotest::ReadBytes(dir.File("gen3.tlv"))) << name;
}

void Replay(const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    ScratchDir dir;
    std::filesystem::copy_file(file, dir.File("input.tlv"));
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("io/small_project.tlv")).ok);
    const CFileResult r = OpenProject(doc, dir.File("input.tlv"));
    if (!r.ok) {
        EXPECT_FALSE(r.message.empty()) << name;
        EXPECT_EQ(doc.m_arrRoad.size(), 2u) << name;  // the small project is still open
        return;
    }
    ExpectStableRoundTrip(doc, dir, name);
    if (!FindUnusableInput(doc).empty())
        return;  // the calculate command refuses with that message
    MakeSourcePieces(doc);
    StoreTerrainSection(doc, doc.m_settings.m_dSectionX);
    ExpectFinitePieces(doc, name);
}

}  // namespace

TEST(RegressFiles, EveryStoredHostileFileOpensSafely)
{
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(iotest::DataPath("regress"))) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        Replay(entry.path());
        ++replayed;
    }
    EXPECT_GE(replayed, 4);
}

TEST(RegressFiles, NonFiniteValuesOpenButTheCalculationIsRefusedByName)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("regress/key-form-non-finite-values.tlv")).ok);
    EXPECT_EQ(FindUnusableInput(doc).rfind("계산 영역", 0), 0u);
    doc.m_settings = CProjectSettings();
    EXPECT_EQ(FindUnusableInput(doc).rfind("도로 1의 값 중", 0), 0u);
    MakeSourcePieces(doc);  // even unchecked, nothing that is not a number comes out
    ExpectFinitePieces(doc, "non-finite");
}
