// String ids of property names and of the texts property items show. The
// property sheet and the format commands find rows by these ids, so every
// class builds its items under exactly them.
#pragma once

namespace vx::prop {

// Standard items of every design object.
constexpr int kLeft = 27136;
constexpr int kRight = 27137;
constexpr int kTop = 27138;
constexpr int kBottom = 27139;
constexpr int kRotateAngle = 27049;
constexpr int kObjectCode = 27142;
constexpr int kBackColor = 27154;
constexpr int kForeColor = 27155;
constexpr int kFont = 27158;
constexpr int kHelpContextId = 27380;
constexpr int kToolTipText = 27381;
constexpr int kCursorPointer = 27382;
constexpr int kTag = 27433;
constexpr int kLayer = 27455;
constexpr int kEventPumpData = 27256;
constexpr int kEventClick = 27257;
constexpr int kEventChange = 27258;
constexpr int kEventInitialize = 27262;
constexpr int kAnchorSnaps = 27300;

// The group record.
constexpr int kGroupCode = 27302;
constexpr int kSymbol = 27303;

// The page object.
constexpr int kFormCode = 26685;
constexpr int kViewLayers = 27304;
constexpr int kPrintScale = 27305;
constexpr int kScrollBars = 27306;
constexpr int kScrollWidth = 27307;
constexpr int kScrollHeight = 27308;
constexpr int kColor = 27309;
constexpr int kTitle = 27310;
constexpr int kDescription = 27311;
constexpr int kAutoRecord = 27312;
constexpr int kReportLock = 27313;
constexpr int kEventTerminate = 27314;

// The frame object ("Title" as above).
constexpr int kWidth = 27315;
constexpr int kHeight = 27316;
constexpr int kMinimizeBox = 27317;
constexpr int kMaximizeBox = 27318;
constexpr int kBorderStyle = 27319;
constexpr int kWhatsThisHelp = 27320;
constexpr int kLocalVariables = 27321;

// Texts of items and their dialogs.
constexpr int kTextNone = 26625;        // "(None)"
constexpr int kTextAutomatic = 26631;   // "Automatic"
constexpr int kTextBitmap = 26632;      // "(Bitmap)"
constexpr int kTextEllipsis = 26639;    // "..."
constexpr int kTextItems = 26647;       // "%d Item(s)"
constexpr int kTitleFont = 26653;       // "&Font..."
constexpr int kTitleColor = 27151;      // "Color..."
constexpr int kTitleBasic = 27375;      // "&Basic..."
constexpr int kTitleLayers = 27453;     // "&Layers..."
constexpr int kTitleAnchors = 27301;    // "&Anchors..."
constexpr int kCodeInUse = 27032;       // "(ObjectCode) "%s" already in use or reserved."
constexpr int kNotANumber = 27323;      // "This is not a valid number."
constexpr int kIntegerRange = 61714;    // "Please enter an integer between %1 and %2."

}  // namespace vx::prop
