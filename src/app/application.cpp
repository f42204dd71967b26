#include "app/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/main_frame.h"
#include "app/splash_window.h"
#include "app/version.h"
#include "ui/dialog_frames.h"

namespace {

// NanumBarunGothic draws a round, clearly placed decimal point ("300.00" never reads as
// "300,00", as it does in NanumGothic at 9 pt); NanumGothic stands in where it is missing.
const QStringList kUiFonts = {QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic")};
constexpr int kUiPointSize = 10;

bool HasScreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

std::optional<int> CMyTalvoApp::AnswerWithoutWindow(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("TALVO %s\n", kProgramVersion);
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::printf(
                "사용법: talvo [--no-splash] [프로젝트.tlv]\n"
                "도로교통소음 예측 및 방음벽 설계 (TALVO %s)\n\n"
                "  --no-splash   시작 화면을 보이지 않습니다.\n"
                "  -v, --version 버전을 보입니다.\n"
                "  -h, --help    이 도움말을 보입니다.\n",
                kProgramVersion);
            return 0;
        }
    }
    return std::nullopt;
}

void CMyTalvoApp::SetUpApplication(QApplication& app)
{
    QApplication::setOrganizationName(QString::fromUtf8(kSettingsKey));
    QApplication::setApplicationName(QStringLiteral("TALVO"));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    // Numbers are always written and read with a decimal point ("%.2f", project files,
    // identity texts), whatever the user's locale; QApplication adopted the user's.
    std::setlocale(LC_NUMERIC, "C");
    LoadKoreanTranslations(app);
    InstallSmallDialogFrames(app);
    QStringList families;
    for (const QString& family : kUiFonts)
        if (QFontDatabase::families().contains(family))
            families << family;
    if (!families.isEmpty()) {
        QFont font = app.font();
        font.setFamilies(families);
        font.setPointSize(kUiPointSize);
        app.setFont(font);
    }
}

bool CMyTalvoApp::LoadKoreanTranslations(QApplication& app)
{
    // The program is Korean whatever the user's locale, so Qt's own buttons and file
    // dialogs ("예", "아니오", "파일 이름") must be too.
    auto* translator = new QTranslator(&app);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ko"), dir)) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

CStartupOptions CMyTalvoApp::ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("도로교통소음 예측 및 방음벽 설계"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("시작 화면을 보이지 않습니다."));
    parser.addOption(noSplash);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("열 프로젝트 파일 (*.tlv)"));
    parser.parse(arguments);
    CStartupOptions options;
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        options.m_strFile = files.first();
    options.m_bShowSplash = !parser.isSet(noSplash) && HasScreen();
    return options;
}

void CMyTalvoApp::InitInstance(CMainFrame& frame, const CStartupOptions& options)
{
    if (!options.m_strFile.isEmpty())
        frame.OpenProjectFile(options.m_strFile);
    // Without a window manager nothing maximises, so start at the screen's size anyway.
    if (QScreen* screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    frame.LayOutViews();
    if (options.m_bShowSplash)
        CSplashWnd::ShowSplashScreen(&frame);
}
