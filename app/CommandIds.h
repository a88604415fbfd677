// Command ids of menus and toolbars. They are observable (menus, toolbars and
// tool requests on the clipboard carry them), so they never change.
#pragma once

namespace vx::cmd {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFileMru1 = 57616;  // 57616 to 57619: the recent files
constexpr int kFileMruCount = 4;
constexpr int kAppExit = 57665;
constexpr int kAppAbout = 57664;

// Edit
constexpr int kEditClear = 57632;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditSelectAll = 57642;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;

// Window
constexpr int kWindowCascade = 57650;
constexpr int kWindowTileHorz = 57651;
constexpr int kWindowTileVert = 57652;

// View
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kViewPropertySheetBar = 59425;
constexpr int kViewCatalogue = 60686;
constexpr int kZoomIn = 60561;
constexpr int kZoomOut = 60562;
constexpr int kZoom100 = 60564;

// Publishing and download (their dialogs arrive with the exchange features)
constexpr int kPublishSetup = 32798;
constexpr int kPublishServer = 137;
constexpr int kDownloadDesigns = 32822;

// Bars
constexpr int kBarStandard = 0xE800;
constexpr int kBarStatus = 59393;
constexpr int kBarFormat0 = 28560;
constexpr int kBarFormat1 = 28561;
constexpr int kBarLayout = 28545;
constexpr int kBarPropertySheet = 59425;
constexpr int kBarCatalogue = 59424;

}  // namespace vx::cmd
