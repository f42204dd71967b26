// The environment pane's rules without the pane: how each field's text becomes a
// setting and what has to be refreshed after it.

#include <gtest/gtest.h>

#include <string>

#include "model/environment_rules.h"

TEST(EnvironmentRules, NumbersReadLikeTheCLibrary)
{
    EXPECT_EQ(ParseEnvNumber("12.5"), 12.5);
    EXPECT_EQ(ParseEnvNumber("  -3"), -3.0);
    EXPECT_EQ(ParseEnvNumber("+4"), 4.0);
    EXPECT_EQ(ParseEnvNumber("12abc"), 12.0);
    EXPECT_EQ(ParseEnvNumber("abc"), 0.0);
    EXPECT_EQ(ParseEnvNumber(""), 0.0);
    EXPECT_EQ(ParseEnvNumber("-"), 0.0);
    EXPECT_EQ(ParseEnvNumber("1e999"), 0.0);  // no setting may become infinite
    EXPECT_EQ(ParseEnvNumber("nan"), 0.0);
}

TEST(EnvironmentRules, NegativeSpacingGivesZeroAndEmptiesTheLists)
{
    CProjectSettings settings;
    const CEnvEffect negative = ApplyEnvField(settings, EEnvField::ReceiverSpacing, "-5");
    EXPECT_EQ(settings.m_dReceiverSpacing, 0.0);
    EXPECT_TRUE(negative.m_bClearDisplayLists);
    EXPECT_TRUE(negative.m_bRepaintPlan);
    const CEnvEffect positive = ApplyEnvField(settings, EEnvField::ReceiverSpacing, "25");
    EXPECT_EQ(settings.m_dReceiverSpacing, 25.0);
    EXPECT_TRUE(!positive.m_bClearDisplayLists);
}

TEST(EnvironmentRules, SectionPositionIsClampedToTheAreaEndOfItsAxis)
{
    CProjectSettings settings;  // axis X, area end X 2000, end Y 600
    ApplyEnvField(settings, EEnvField::SectionX, "2500");
    EXPECT_EQ(settings.m_dSectionX, 2000.0);
    ApplyEnvField(settings, EEnvField::SectionY, "2500");
    EXPECT_EQ(settings.m_dSectionY, 2000.0);
    ApplyEnvField(settings, EEnvField::SectionX, "-10");
    EXPECT_EQ(settings.m_dSectionX, 0.0);
    settings.m_nSectionAxis = 1;
    ApplyEnvField(settings, EEnvField::SectionX, "700");
    EXPECT_EQ(settings.m_dSectionX, 600.0);
    ApplyEnvField(settings, EEnvField::SectionY, "450.5");
    EXPECT_EQ(settings.m_dSectionY, 450.5);
}

TEST(EnvironmentRules, ReceiverHeightRemembersAnEmptyField)
{
    CProjectSettings settings;
    CEnvEffect effect = ApplyEnvField(settings, EEnvField::ReceiverHeight, "1.5");
    EXPECT_EQ(settings.m_dReceiverHeight, 1.5);
    EXPECT_TRUE(!settings.m_bReceiverHeightEmpty);
    EXPECT_TRUE(effect.m_bClearDisplayLists && effect.m_bRepaintPlan && effect.m_bRepaintSection);
    effect = ApplyEnvField(settings, EEnvField::ReceiverHeight, "");
    EXPECT_EQ(settings.m_dReceiverHeight, 0.0);
    EXPECT_TRUE(settings.m_bReceiverHeightEmpty);
    EXPECT_TRUE(effect.m_bClearDisplayLists);
    ApplyEnvField(settings, EEnvField::ReceiverHeight, "0");
    EXPECT_TRUE(!settings.m_bReceiverHeightEmpty);  // "0" is a height, not an empty field
}

TEST(EnvironmentRules, AreaAndSectionEditsRepaintBothViews)
{
    CProjectSettings settings;
    for (EEnvField field : {EEnvField::AreaStartX, EEnvField::AreaEndX, EEnvField::AreaStartY, EEnvField::AreaEndY,
                            EEnvField::SectionX, EEnvField::SectionY}) {
        const CEnvEffect effect = ApplyEnvField(settings, field, "100");
        EXPECT_TRUE(effect.m_bRepaintPlan && effect.m_bRepaintSection && !effect.m_bClearDisplayLists);
    }
    for (EEnvField field : {EEnvField::ProjectName, EEnvField::Temperature, EEnvField::Humidity, EEnvField::Pressure}) {
        const CEnvEffect effect = ApplyEnvField(settings, field, "7");
        EXPECT_TRUE(!effect.m_bRepaintPlan && !effect.m_bRepaintSection);
    }
    EXPECT_EQ(settings.m_strProjectName, std::string("7"));
    EXPECT_EQ(settings.m_dPressure, 7.0);
}

TEST(EnvironmentRules, AnAreaMovedAwayTakesTheSectionLineThroughItsMiddle)
{
    // An area in national metres (Korea 2000): the new project's line at X = 1000 m,
    // Y = 300 m misses it until it follows to the middle.
    CProjectSettings settings;
    EXPECT_FALSE(ApplyEnvField(settings, EEnvField::AreaEndX, "1500").m_bSectionMoved);  // still inside
    EXPECT_EQ(settings.m_dSectionX, 1000.0);
    EXPECT_TRUE(ApplyEnvField(settings, EEnvField::AreaStartX, "200000").m_bSectionMoved);
    EXPECT_EQ(settings.m_dSectionX, 100750.0);  // the middle of 200000 .. 1500, either order
    EXPECT_TRUE(ApplyEnvField(settings, EEnvField::AreaEndX, "202000").m_bSectionMoved);
    EXPECT_EQ(settings.m_dSectionX, 201000.0);
    EXPECT_FALSE(ApplyEnvField(settings, EEnvField::AreaEndX, "203000").m_bSectionMoved);  // inside: it stays
    EXPECT_EQ(settings.m_dSectionX, 201000.0);
    ApplyEnvField(settings, EEnvField::AreaEndY, "552000");
    ApplyEnvField(settings, EEnvField::AreaStartY, "551000");
    EXPECT_EQ(settings.m_dSectionY, 551500.0);
    // Typing the section itself is never overruled by the area.
    ApplyEnvField(settings, EEnvField::SectionX, "250");
    EXPECT_EQ(settings.m_dSectionX, 250.0);
}

TEST(EnvironmentRules, AShownProjectHasItsLineInTheAreaAndItsReceiverHeightGiven)
{
    CProjectSettings settings;  // as a project without receivers opens: the height field empty
    settings.m_dAreaStartY = 4000;
    settings.m_dAreaEndY = 5000;
    SettleShownSettings(settings);
    EXPECT_EQ(settings.m_dSectionX, 1000.0);
    EXPECT_EQ(settings.m_dSectionY, 4500.0);
    EXPECT_FALSE(settings.m_bReceiverHeightEmpty);
    EXPECT_EQ(settings.m_dReceiverHeight, 0.0);  // the height the grid uses, now shown
}
