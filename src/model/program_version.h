#pragma once

// The program version shown to users (the project-file version is 1.4): in the window
// title, the about box, the splash window and the report.
inline constexpr const char* kProgramTitle = "TALVO ver 1.381";
inline constexpr const char* kProgramVersion = "1.381";
