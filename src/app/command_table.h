#pragma once

// The program's commands: menu texts, keys and prompts, and the toolbar order.
// A prompt holds the status-bar text, then optionally "\n" and the tooltip.

#include <span>

namespace cmd {
enum Id : int {
    None = 0,  // a separator in the toolbar list
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FileRecent = 57616,
    EditUndo = 57643,
    EditRedo = 57644,
    AppExit = 57665,
    AppAbout = 57664,
    ExportReceivers = 32822,
    InputRoad = 32774,
    InputTunnel = 32816,
    InputEmbankment = 32809,
    InputCutting = 32807,
    InputReceiver = 32773,
    InputBarrier = 32775,
    InputBuilding = 32850,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewEnvironment = 32772,
    ViewFit = 32840,
    Calculate = 32777,
    Optimisation = 32823,
    ResultDisplay = 32788,
    ResultChart = 32787,
    ResultFloors = 32851,
    ResultRemove = 32852,
    CopyPlanView = 32805,
    CopySectionView = 32806,
};
}  // namespace cmd

struct CCommandInfo {
    int id;
    const char* text;      // menu text with its mnemonic; tooltip-only commands leave it as the tip
    const char* shortcut;  // QKeySequence text, or "" for none
    const char* prompt;    // "status text\ntooltip" or "status text"
};

struct CMenuInfo {
    const char* title;
    std::span<const int> items;  // cmd::None marks a separator
};

// Every command, looked up by id; nullptr for an unknown id.
const CCommandInfo* FindCommand(int id);
// The seven menus in menu-bar order.
std::span<const CMenuInfo> MenuBarLayout();
// The toolbar buttons in order; cmd::None is a gap.
std::span<const int> ToolbarLayout();
