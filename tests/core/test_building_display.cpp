// What the desktop program shows of buildings, as plain arithmetic and text: where the
// section line cuts a footprint, the views' fit, the undo steps of the building window and
// the façade settings, and the per-floor table's cells and CSV file.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "drawing/footprint_section.h"
#include "drawing/view_fit.h"
#include "io/floor_table.h"
#include "io_test_support.h"
#include "model/document.h"
#include "model/environment_rules.h"
#include "model/model_change_names.h"
#include "test_tolerances.h"

namespace {

// An L: 40 m along X at the bottom, an arm 10 m wide going up 30 m on the left.
std::vector<CMVector> LShape() { return {{0, 0, 0}, {40, 0, 0}, {40, 10, 0}, {10, 10, 0}, {10, 30, 0}, {0, 30, 0}}; }

CProjectSettings SectionAt(int axis, double fixed)
{
    CProjectSettings s;
    s.m_dAreaStartX = -100;
    s.m_dAreaEndX = 100;
    s.m_dAreaStartY = -100;
    s.m_dAreaEndY = 100;
    s.m_nSectionAxis = axis;
    (axis == 1 ? s.m_dSectionY : s.m_dSectionX) = fixed;
    return s;
}

CBuilding Block(std::vector<CMVector> ring, int floors, double floorHeight = 3.0)
{
    CBuilding b;
    b.m_arrFootprint = std::move(ring);
    b.m_nFloors = floors;
    b.m_dFloorHeight = floorHeight;
    return b;
}

// A floor of a project without a criterion: judged in the day by the housing rule.
CFloorRow Floor(int building, int floor, double max, double min)
{
    CFloorRow row;
    row.m_day.m_nBuilding = building;
    row.m_day.m_nFloor = floor;
    row.m_day.m_nPoints = 12;
    row.m_day.m_dMax = max;
    row.m_day.m_nMaxWall = 3;
    row.m_day.m_nMaxPoint = 2;
    row.m_day.m_dMin = min;
    row.m_dayLimit = BuildingLimit(CBuilding{}, CProjectSettings{}, EPeriod::kDay);
    return row;
}

}  // namespace

TEST(FootprintSection, TheLineEntersAndLeavesTheFootprintInPairs)
{
    // Y = 5 crosses the bottom of the L: one span 0..40.
    auto spans = FootprintSpans(CSectionPlane(SectionAt(1, 5), 1), LShape());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].first, 0, kTol);
    EXPECT_NEAR(spans[0].second, 40, kTol);
    // Y = 20 crosses the arm only.
    spans = FootprintSpans(CSectionPlane(SectionAt(1, 20), 1), LShape());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].second, 10, kTol);
    // X = 25 (the axis along Y) crosses the bottom only; X = 5 the whole height.
    spans = FootprintSpans(CSectionPlane(SectionAt(0, 25), 0), LShape());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].second, 10, kTol);
    spans = FootprintSpans(CSectionPlane(SectionAt(0, 5), 0), LShape());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].second, 30, kTol);
    // Along the inner edge Y = 10 and through the vertex at X = 10: still whole spans.
    spans = FootprintSpans(CSectionPlane(SectionAt(1, 10), 1), LShape());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].first, 0, kTol);
    EXPECT_NEAR(spans[0].second, 10, kTol);
    EXPECT_TRUE(FootprintSpans(CSectionPlane(SectionAt(1, 31), 1), LShape()).empty());
}

// A U open to the top, cut across both arms: two blocks with the courtyard between them.
TEST(FootprintSection, AConcaveFootprintGivesOneSpanPerArm)
{
    const std::vector<CMVector> u = {{0, 0, 0},   {30, 0, 0},  {30, 20, 0}, {20, 20, 0},
                                     {20, 10, 0}, {10, 10, 0}, {10, 20, 0}, {0, 20, 0}};
    const auto spans = FootprintSpans(CSectionPlane(SectionAt(1, 15), 1), u);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_NEAR(spans[0].first, 0, kTol);
    EXPECT_NEAR(spans[0].second, 10, kTol);
    EXPECT_NEAR(spans[1].first, 20, kTol);
    EXPECT_NEAR(spans[1].second, 30, kTol);
}

TEST(BuildingViewFit, TheFitHoldsEveryFootprintAndTheTopOfEveryBuilding)
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = 100;
    doc.m_settings.m_dAreaEndY = 100;
    doc.m_settings.m_dBaseHeight = -4;
    doc.m_arrBuilding = {Block({{120, 10, 0}, {150, 10, 0}, {150, 130, 0}}, 20, 2.9)};
    const CWorldBox plan = PlanModelBox(doc);
    EXPECT_DOUBLE_EQ(plan.x1, 150);
    EXPECT_DOUBLE_EQ(plan.y1, 130);
    const CWorldBox section = SectionModelBox(doc, 1);
    EXPECT_NEAR(section.y1, -4 + 20 * 2.9, kTol);
}

TEST(BuildingChangeNames, TheWindowsFieldsNameTheStep)
{
    std::vector<CBuilding> before = {Block(LShape(), 10), Block({{50, 0, 0}, {60, 0, 0}, {60, 10, 0}}, 5)};
    std::vector<CBuilding> after = before;
    after[1].m_arrFootprint[2].x = 61;
    EXPECT_EQ(ChangeName(before, after), "건물 2 평면 변경");
    after = before;
    after[0].m_nFloors = 12;
    EXPECT_EQ(ChangeName(before, after), "건물 1 층수 변경");
    after[0].m_pName = "101동";
    EXPECT_EQ(ChangeName(before, after), "건물 1 변경");
    after = before;
    after[1].m_arrFootprint[2].x += 1e-4;  // the window shows two decimals
    EXPECT_EQ(ChangeName(before, after), "건물 변경");
    after.push_back(before[0]);
    EXPECT_EQ(ChangeName(before, after), "건물 3 추가");
}

TEST(FacadeSettings, OnlyUsableValuesAreTakenAndTheyMakeTheLevelsStale)
{
    CProjectSettings s;
    const CProjectSettings before = s;
    for (const char* refused : {"0", "-2", "abc", "", "5m", "inf"})
        EXPECT_TRUE(ApplyEnvField(s, EEnvField::FacadeSpacing, refused).m_bRejected) << refused;
    EXPECT_TRUE(ApplyEnvField(s, EEnvField::FacadeDistance, "0").m_bRejected);
    EXPECT_TRUE(ApplyEnvField(s, EEnvField::FacadeHeight, "-0.5").m_bRejected);
    EXPECT_TRUE(SameReceiverLevelInputs(before, s));
    EXPECT_FALSE(ApplyEnvField(s, EEnvField::FacadeHeight, " 0 ").m_bRejected);
    EXPECT_EQ(s.m_dFacadeHeight, 0.0);
    EXPECT_FALSE(ApplyEnvField(s, EEnvField::FacadeSpacing, "7.5").m_bRejected);
    EXPECT_EQ(s.m_dFacadeSpacing, 7.5);
    EXPECT_FALSE(SameReceiverLevelInputs(before, s));
    EXPECT_EQ(ChangeName(EEnvField::FacadeSpacing), "외벽 수음점 간격 변경");
    EXPECT_EQ(ChangeName(EEnvField::FacadeHeight), "외벽 수음점 높이 변경");
}

TEST(FloorTable, CellsMarkTheFloorsAtOrAbove65AndNameTheBuilding)
{
    const std::vector<CBuilding> buildings = {Block(LShape(), 2)};
    std::vector<std::string> cells = FloorRowCells(Floor(0, 2, 65.0, 58.456), buildings);
    EXPECT_EQ(cells, (std::vector<std::string>{"1", "", "2", "12", "65.00", "3", "2", "58.46", "65.00", "+0.00", "-",
                                               "-", "-", "주간 초과"}));
    cells = FloorRowCells(Floor(0, 1, 64.994, 58), buildings);
    EXPECT_EQ(cells[kFloorColMax], "64.99");
    EXPECT_EQ(cells[kFloorColJudgement], "");
    // A floor whose points carry no energy has no place for its highest level.
    cells = FloorRowCells(Floor(1, 1, kNoEnergy, kNoEnergy), buildings);
    EXPECT_EQ(cells, (std::vector<std::string>{"2", "", "1", "12", "-", "-", "-", "-", "65.00", "-", "-", "-", "-", ""}));
}

TEST(FloorTable, CsvQuotesNamesAndStartsWithAByteOrderMark)
{
    std::vector<CBuilding> buildings = {Block(LShape(), 1)};
    buildings[0].m_pName = "101동, \"A\"";
    std::ostringstream out;
    WriteFloorTableCsv({Floor(0, 1, 66.2, 60)}, buildings, out);
    EXPECT_EQ(out.str(),
              "\xEF\xBB\xBF"
              "건물,이름,층,수음점 수,주간 최고,최고 벽,최고 점,주간 최저,주간 기준,주간 초과,야간 최고,야간 기준,"
              "야간 초과,판정\n"
              "1,\"101동, \"\"A\"\"\",1,12,66.20,3,2,60.00,65.00,+1.20,-,-,-,주간 초과\n");

    iotest::ScratchDir dir;
    ASSERT_EQ(SaveFloorTableCsv({Floor(0, 1, 66.2, 60)}, buildings, dir.File("f.csv")), "");
    EXPECT_EQ(iotest::ReadBytes(dir.File("f.csv")), out.str());
    EXPECT_NE(SaveFloorTableCsv({}, buildings, dir.File("missing/f.csv")), "");
}
