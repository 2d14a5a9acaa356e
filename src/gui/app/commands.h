#pragma once

#include <QString>

namespace folix::gui {

// The program's command identifiers, as the menus, the toolbar and the status bar know them.
enum CommandId : int {
    kCmdNewFolder = 32772,
    kCmdNewFile = 32773,
    kCmdAddFile = 32774,
    kCmdAddFolder = 32775,
    kCmdDelete = 32776,
    kCmdToggleTree = 32779,
    kCmdMakeHtml = 32781,
    kCmdBrowse = 32782,
    kCmdHtmlOptions = 32783,
    kCmdUpload = 32784,
    kCmdDiaryTop = 32785,
    kCmdDiaryEnd = 32786,
    kCmdMultiFolder = 32788,
    kCmdAddList = 32791,
    kCmdMakeText = 32794,
    kCmdTextOptions = 32795,
    kCmdSearch = 32796,
    kCmdManual = 32797,
    kCmdFont = 32799,
    kCmdMargins = 32800,
    kCmdVerticalPrint = 32802,
    kCmdMakeEpub = 32820,
    kCmdCounts = 32821,
    kCmdHistory = 32822,
    kCmdPost = 32823,
    kCmdManuscript = 32824,
    kCmdZoomIn = 32825,
    kCmdZoomOut = 32826,
    kCmdZoomReset = 32827,
    kCmdFullScreen = 32828,
    kCmdFocusMode = 32829,
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdPrintSetup = 57606,
    kCmdPrint = 57607,
    kCmdPrintPreview = 57609,
    kCmdSendMail = 57612,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdFind = 57636,
    kCmdPaste = 57637,
    kCmdPasteSpecial = 57639,
    kCmdFindNext = 57640,
    kCmdReplace = 57641,
    kCmdSelectAll = 57642,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdCascade = 57650,
    kCmdTile = 57651,
    kCmdArrange = 57649,
    kCmdExit = 57665,
    kCmdAbout = 57664,
    kCmdHelpTopics = 57667,
    kCmdContextHelp = 57669,
    kCmdViewToolbar = 59392,
    kCmdViewStatusBar = 59393,
    kCmdSplit = 57653,
};

// Which pane's command route carries a command: a command only one pane handles is disabled
// while the other is active.
enum class CommandRoute { kBothPanes, kTreePane, kEditorPane, kFrame };

struct CommandText {
    int id;
    const char* text;    // menu text or tooltip
    const char* prompt;  // status-bar prompt; empty when there is none
    CommandRoute route;
};

// The program's own commands with their texts.
const CommandText* FindCommandText(int id);

}  // namespace folix::gui
