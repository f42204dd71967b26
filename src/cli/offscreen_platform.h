#pragma once

// The commands of talvo-cli that paint with Qt create their QGuiApplication only while they
// run. Without a display the offscreen platform draws; a platform chosen by the user stays.
// Qt's notes on the machine it runs on ("XDG_RUNTIME_DIR not set", fonts, platform plugins)
// mean nothing to the user of a command line and are kept off standard error; Qt's errors
// still reach it.

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// Call before creating the QGuiApplication.
inline void PrepareCommandLineQt()
{
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "talvo-cli: %s\n", qPrintable(text));
    });
}
