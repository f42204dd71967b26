#pragma once

// Start-up of the program: its identity for the settings, the command line, the
// font, the main window and the splash window.

#include <QString>
#include <QStringList>
#include <optional>

class QApplication;
class CMainFrame;

struct CStartupOptions {
    QString m_strFile;  // project to open; empty starts a new project
    bool m_bShowSplash = true;
};

class CMyTalvoApp {
public:
    // The settings live under this organisation name, as they always have.
    static constexpr const char* kSettingsKey = "Local AppWizard-Generated Applications";

    // "--version" and "--help" are answered on standard output before any window system is
    // needed (a package check or a terminal without a display); the exit status, or nullopt
    // when the program is to start.
    static std::optional<int> AnswerWithoutWindow(int argc, char* argv[]);
    // Organisation and application names for QSettings, and the Korean font.
    static void SetUpApplication(QApplication& app);
    // Installs Qt's Korean translations (qtbase_ko.qm); false when they are not installed.
    static bool LoadKoreanTranslations(QApplication& app);
    // Reads [--no-splash] [file]; the splash is never shown on a screenless platform.
    static CStartupOptions ParseCommandLine(const QStringList& arguments);
    // Opens the file (a failure leaves the new project), shows the window maximised.
    static void InitInstance(CMainFrame& frame, const CStartupOptions& options);
};
