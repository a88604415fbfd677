// Every command id of menus, toolbars and tools, in one place. They are
// observable (menus, toolbars and tool requests on the clipboard carry them),
// so they never change. A tool id's string gives the type name of the
// objects the tool creates.
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

// Edit view
constexpr int kPropertySheet = 60416;
constexpr int kSetTabOrder = 60432;
constexpr int kGridSettings = 60433;
constexpr int kToggleGrid = 60434;
constexpr int kLayersSheet = 60441;
constexpr int kObjectSheet = 60442;
constexpr int kViewSnapPoints = 60443;
constexpr int kEscape = 60445;
constexpr int kFreeRotate = 60555;
constexpr int kUnrotate = 60557;
constexpr int kRotateRight = 60558;
constexpr int kGroup = 60565;
constexpr int kUngroup = 60566;
constexpr int kRegroup = 60567;
constexpr int kFreehandMode = 60568;  // "Freehand": the next press draws a stroke
constexpr int kRoute = 60569;
constexpr int kEditPoints = 60597;
constexpr int kOpenOrClose = 60598;

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

// The design view: the definitions of the selected class box.
constexpr int kClassAttributes = 32830;
constexpr int kClassOperations = 32831;

}  // namespace vx::cmd

// The drawing tools of the object bar.
namespace vx::tool {

constexpr int kSelect = 60447;
constexpr int kText = 60448;
constexpr int kLine = 60450;
constexpr int kFrame = 60451;
constexpr int kBitmap = 60462;
constexpr int kOleObject = 60463;
constexpr int kEllipse = 60471;
constexpr int kPolyline = 60472;
constexpr int kBorder = 60473;
constexpr int kArc = 60478;
constexpr int kFreehand = 60479;
constexpr int kHilite = 60480;
constexpr int kConnector = 60481;
// Tools the application handles itself.
constexpr int kAppFirst = 60496;
constexpr int kAppLast = 60527;

// The design elements; each id is also the string id of the element's type
// name.
constexpr int kAssociation = 10000;
constexpr int kActor = 10002;
constexpr int kClass = 10003;
constexpr int kPackage = 10004;
constexpr int kComponent = 10006;
constexpr int kNode = 10007;
constexpr int kUseCase = 10008;
constexpr int kNote = 10009;

}  // namespace vx::tool

// The paint tool bar of the image editor (52782 has no action).
namespace vx::pntcmd {

constexpr int kCut = 52768;
constexpr int kCopy = 52769;
constexpr int kPaste = 52770;
constexpr int kClear = 52771;
constexpr int kUndo = 52772;
constexpr int kRedo = 52773;
constexpr int kMagnify = 52774;
constexpr int kSizeToFit = 52775;
constexpr int kResize = 52776;
constexpr int kSelectArea = 52777;
constexpr int kSelectColor = 52778;
constexpr int kFloodFill = 52779;
constexpr int kAddText = 52780;
constexpr int kAirBrush = 52781;
constexpr int kUnused = 52782;
constexpr int kFreehandErase = 52783;
constexpr int kFreehandDraw = 52784;
constexpr int kLine = 52785;
constexpr int kEraserWidth = 52786;
constexpr int kPenWidth = 52787;
constexpr int kRectangle = 52789;
constexpr int kRoundedRectangle = 52790;
constexpr int kEllipse = 52791;
constexpr int kFilledRectangle = 52792;
constexpr int kFilledRoundedRectangle = 52793;
constexpr int kFilledEllipse = 52794;
constexpr int kForegroundColor = 52795;
constexpr int kTransparencyColor = 52796;
constexpr int kFirst = 52768;
constexpr int kLast = 52797;

}  // namespace vx::pntcmd

// The image editor reached from the main window.
namespace vx::cmd {

constexpr int kImageNew = 32850;
constexpr int kImageOpen = 32851;

}  // namespace vx::cmd
