#pragma once

// The program version shown to users (the project-file version is 1.4).
inline constexpr const char* kProgramTitle = "TALVO ver 1.381";
