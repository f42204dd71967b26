#include "app/command_table.h"

#include <array>

namespace {

// Framework commands carry the framework's usual prompts; the rest are the program's own.
// clang-format off
constexpr std::array kCommands{
    CCommandInfo{cmd::FileNew, "새 파일(&N)", "Ctrl+N", "새 문서를 만듭니다.\n새 파일"},
    CCommandInfo{cmd::FileOpen, "열기(&O)...", "Ctrl+O", "기존 문서를 엽니다.\n열기"},
    CCommandInfo{cmd::FileSave, "저장(&S)", "Ctrl+S", "활성 문서를 저장합니다.\n저장"},
    CCommandInfo{cmd::FileSaveAs, "다른 이름으로 저장(&A)...", "",
                 "활성 문서를 새 이름으로 저장합니다.\n다른 이름으로 저장"},
    CCommandInfo{cmd::ExportReceivers, "수음점 저장(&W)", "Ctrl+W",
                 "수음점 좌표와 소음 예측값을 텍스트 파일로 저장합니다."},
    CCommandInfo{cmd::FileRecent, "최근 파일", "", "이 문서를 엽니다."},
    CCommandInfo{cmd::AppExit, "종료(&X)", "",
                 "응용 프로그램을 끝냅니다. 문서를 저장할지 묻습니다.\n끝내기"},
    CCommandInfo{cmd::EditUndo, "실행 취소(&U)", "Ctrl+Z", "마지막 작업을 취소합니다.\n실행 취소"},
    CCommandInfo{cmd::EditRedo, "다시 실행(&R)", "Ctrl+Y",
                 "이전에 취소한 작업을 다시 실행합니다.\n다시 실행"},
    CCommandInfo{cmd::InputRoad, "도로", "", "도로를 입력합니다.\n도로"},
    CCommandInfo{cmd::InputTunnel, "도로(터널)", "", "도로(터널)를 입력합니다.\n터널"},
    CCommandInfo{cmd::InputEmbankment, "성토", "", "성토를 입력합니다.\n성토"},
    CCommandInfo{cmd::InputCutting, "절토", "", "절토를 입력합니다.\n절토"},
    CCommandInfo{cmd::InputReceiver, "수음점", "", "수음점을 입력합니다.\n수음점"},
    CCommandInfo{cmd::InputBarrier, "방음벽", "", "방음벽을 입력합니다.\n방음벽"},
    CCommandInfo{cmd::InputBuilding, "건물", "", "건물을 입력합니다.\n건물"},
    CCommandInfo{cmd::ViewToolbar, "도구 모음(&T)", "",
                 "도구 모음을 보이거나 감춥니다.\n도구 모음 설정/해제"},
    CCommandInfo{cmd::ViewStatusBar, "상태 표시줄(&S)", "",
                 "상태 표시줄을 보이거나 감춥니다.\n상태 표시줄 설정/해제"},
    CCommandInfo{cmd::ViewEnvironment, "환경 데이터 ", "", "환경 데이터 입력창을 보이거나 감춥니다."},
    CCommandInfo{cmd::ViewFit, "전체 보기", "Ctrl+0",
                 "평면창과 단면창에 모델 전체를 보입니다.\n전체 보기"},
    CCommandInfo{cmd::Calculate, "소음 예측", "F5", "소음해석을 시작합니다.\n소음해석"},
    CCommandInfo{cmd::Optimisation, "방음벽 최적화", "",
                 "방음벽 최적화 입력창을 엽니다.\n방음벽 최적화"},
    CCommandInfo{cmd::ResultDisplay, "화면 출력/제거", "",
                 "소음해석결과를 창에 표시합니다.\n소음해석결과 출력"},
    CCommandInfo{cmd::ResultChart, "차트 출력", "",
                 "소음해석결과를 차트로 출력합니다.\n소음해석결과 차트"},
    CCommandInfo{cmd::ResultFloors, "층별 결과", "",
                 "건물의 층별 외벽 소음레벨을 표로 출력합니다.\n층별 결과"},
    CCommandInfo{cmd::ResultRemove, "출력 제거", "",
                 "화면의 예측 결과(레벨 표시, 소음지도, 결과표)를 지웁니다.\n출력 제거"},
    CCommandInfo{cmd::CopyPlanView, "평면창 복사", "",
                 "평면창 화면을 클립보드로 복사합니다.\n평면창 복사"},
    CCommandInfo{cmd::CopySectionView, "단면창 복사", "",
                 "단면창 화면을 클립보드로 복사합니다.\n단면창 복사"},
    CCommandInfo{cmd::AppAbout, "TALVO 정보(&A)...", "",
                 "프로그램 정보와 버전 번호를 표시합니다.\n정보"},
};

constexpr int kFileIds[] = {cmd::FileNew,  cmd::FileOpen,        cmd::FileSave,
                            cmd::FileSaveAs, cmd::None,          cmd::ExportReceivers,
                            cmd::None,     cmd::FileRecent,      cmd::None,
                            cmd::AppExit};
constexpr int kEditIds[] = {cmd::EditUndo, cmd::EditRedo};
constexpr int kInputIds[] = {cmd::InputRoad,    cmd::InputTunnel,   cmd::InputEmbankment,
                             cmd::InputCutting, cmd::InputReceiver, cmd::InputBarrier,
                             cmd::InputBuilding};
constexpr int kViewIds[] = {cmd::ViewToolbar, cmd::ViewStatusBar, cmd::ViewEnvironment, cmd::None, cmd::ViewFit};
constexpr int kCalcIds[] = {cmd::Calculate, cmd::Optimisation};
constexpr int kResultIds[] = {cmd::ResultDisplay, cmd::ResultChart, cmd::ResultFloors, cmd::ResultRemove};
constexpr int kHelpIds[] = {cmd::AppAbout};

constexpr CMenuInfo kMenus[] = {
    {"파일(&F)", kFileIds},   {"편집(&E)", kEditIds},   {"입력(&I)", kInputIds},  {"보기(&V)", kViewIds},
    {"계산(&K)", kCalcIds},   {"결과(&R)", kResultIds}, {"도움말(&H)", kHelpIds},
};

constexpr int kToolbar[] = {
    cmd::FileNew,         cmd::None,         cmd::FileOpen,     cmd::FileSave,
    cmd::None,            cmd::InputRoad,    cmd::InputTunnel,  cmd::None,
    cmd::InputEmbankment, cmd::InputCutting, cmd::InputBarrier, cmd::InputReceiver,
    cmd::InputBuilding,
    cmd::None,            cmd::ViewFit,
    cmd::None,            cmd::Calculate,    cmd::ResultChart,  cmd::ResultDisplay,
    cmd::ResultRemove,    cmd::ResultFloors,
    cmd::None,            cmd::CopyPlanView, cmd::CopySectionView, cmd::AppAbout};

}  // namespace
// clang-format on

const CCommandInfo* FindCommand(int id)
{
    for (const auto& info : kCommands)
        if (info.id == id)
            return &info;
    return nullptr;
}

std::span<const CMenuInfo> MenuBarLayout() { return kMenus; }

std::span<const int> ToolbarLayout() { return kToolbar; }
