// The barrier exclusion: what every view and result says about it, and that a file never
// holds results computed with it.
#include <gtest/gtest.h>

#include "calc_test_support.h"
#include "engine/calculation.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"

using calctest::Barrier;

namespace {

CMyTalvoDoc ThreeBarriers()
{
    CMyTalvoDoc doc;
    doc.m_arrBarrier = {Barrier(0, 20, 100, 20, 4), Barrier(0, 40, 100, 40, 4), Barrier(0, 60, 100, 60, 4)};
    return doc;
}

}  // namespace

TEST(BarrierExclusion, NoteNamesEveryExcludedBarrierOnceAscending)
{
    CMyTalvoDoc doc = ThreeBarriers();
    EXPECT_EQ(ExclusionNote(doc), "");
    doc.m_arrExcludedBarrier = {2, 0, 2, 7, -1};  // marked order; 7 and -1 name no barrier
    EXPECT_EQ(ExclusionNote(doc), "방음벽 1, 3 제외하고 계산");
    EXPECT_EQ(ExcludedBarrierNames(doc), "방음벽 1, 3");
    EXPECT_EQ(ExclusionChangeName(doc.m_arrExcludedBarrier, 3), "방음벽 1, 3 제외");
    EXPECT_EQ(ExclusionChangeName({}, 3), "방음벽 제외 해제");
    EXPECT_EQ(ExclusionChangeName({5}, 3), "방음벽 제외 해제");
}

TEST(BarrierExclusion, ResultsComputedWithAnExclusionAreNotSaved)
{
    CMyTalvoDoc doc = ThreeBarriers();
    doc.m_arrRoad.push_back(calctest::Road(-200, 0, 200, 0, 0.5, 14, 10, 110));
    doc.m_arrReceiver.push_back(calctest::Receiver(0, 80, 1.5));
    doc.m_arrExcludedBarrier = {0};
    Calculate(doc);
    ASSERT_TRUE(doc.HasCurrentResults());
    EXPECT_FALSE(doc.HasResultsToSave());

    iotest::ScratchDir dir;
    ASSERT_TRUE(SaveProject(doc, dir.File("excluded.tlv")).ok);
    CMyTalvoDoc reopened;
    ASSERT_TRUE(OpenProject(reopened, dir.File("excluded.tlv")).ok);
    EXPECT_FALSE(reopened.HasResults());
    EXPECT_EQ(reopened.m_arrBarrier.size(), 3u);  // the model is saved whole

    doc.m_arrExcludedBarrier.clear();
    Calculate(doc);
    ASSERT_TRUE(SaveProject(doc, dir.File("all.tlv")).ok);
    ASSERT_TRUE(OpenProject(reopened, dir.File("all.tlv")).ok);
    EXPECT_TRUE(reopened.HasCurrentResults());
}
