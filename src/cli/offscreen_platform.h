#pragma once

// The commands of talvo-cli that paint with Qt create their QGuiApplication only while they
// run. Without a display the offscreen platform draws; a platform chosen by the user stays.

#include <cstdlib>

inline void ChooseOffscreenWithoutDisplay()
{
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
