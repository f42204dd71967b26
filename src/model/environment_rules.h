#pragma once

// How each text field of the environment pane changes the project settings.
// Plain C++: the pane and the main frame apply the returned effects.

#include <string>

#include "model/project_settings.h"

enum class EEnvField {
    ProjectName,
    Temperature,
    Humidity,
    Pressure,
    AreaStartX,
    AreaEndX,
    AreaStartY,
    AreaEndY,
    SectionX,
    SectionY,
    ReceiverSpacing,
    ReceiverHeight,
    FacadeSpacing,   // façade receivers: spacing along a wall (> 0)
    FacadeDistance,  // distance in front of the wall (> 0)
    FacadeHeight,    // height above each floor (>= 0)
    SectionSpacing,  // the section noise map's spacing; empty for the default
};

// What has to happen after a field was taken over.
struct CEnvEffect {
    bool m_bRepaintPlan = false;
    bool m_bRepaintSection = false;
    bool m_bClearDisplayLists = false;
    bool m_bRejected = false;      // the text is not a value the field takes; the setting is unchanged
    bool m_bSectionMoved = false;  // the area moved away from the section line, which followed it
};

// The C library's text-to-double conversion: the longest numeric prefix, 0 when there is none.
double ParseEnvNumber(const std::string& text);

// A section position: raised to 0, then lowered to the area end on the section axis.
double ClampSectionPosition(double value, const CProjectSettings& settings);

// Puts the section line through the middle of the calculation area where it misses the area:
// across X (the line X = const) and across Y alike. A new project's line (X = 1000 m,
// Y = 300 m) misses an area in national metres altogether. True when either moved.
bool KeepSectionInArea(CProjectSettings& settings);

// A project as it is shown once opened or started: its section line through its area, and
// its receiver height given, so that the field shows the height the grid will use (an empty
// field hides that the grid, the maps and the export lie at 0 m).
void SettleShownSettings(CProjectSettings& settings);

// Stores the field's text into settings and says what to refresh. A change of the area
// keeps the section line in it (KeepSectionInArea).
CEnvEffect ApplyEnvField(CProjectSettings& settings, EEnvField field, const std::string& text);

// Whether a noise map computed with settings `a` still holds for settings `b`: the same air
// conditions, calculation area, receiver grid (spacing and height), section line and its spacing.
bool SameNoiseMapInputs(const CProjectSettings& a, const CProjectSettings& b);

// Whether receiver levels computed with settings `a` still hold for settings `b`: the same
// air conditions and façade receivers (the area, grid and section line only place maps
// and views).
bool SameReceiverLevelInputs(const CProjectSettings& a, const CProjectSettings& b);
