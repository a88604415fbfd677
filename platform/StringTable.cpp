#include "platform/StringTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace vx {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id so lookups can binary-search.
constexpr Entry kStrings[] = {
    {10000, "Association"},
    {10002, "Actor"},
    {10003, "Class"},
    {10004, "Package"},
    {10006, "Component"},
    {10007, "Node"},
    {10008, "Use Case"},
    {10009, "Note"},
    {20004, "Symbol begin"},
    {20005, "Symbol end"},
    {20006, "None"},
    {20007, "Circle"},
    {20008, "Rectangle"},
    {20009, "Brackets"},
    {20010, "Arrow"},
    {20011, "Symbol height"},
    {20012, "Default"},
    {20013, "Design"},
    {20016, "Name"},
    {20017, "Attribute"},
    {20018, "Operation"},
    {20020, "Class"},
    {20023, "Symbol Fill style"},
    {20024, "Solid"},
    {20025, "Outline"},
    {20026, "Package Text"},
    {20028, "Open"},
    {20100, "Property Sheet"},
    {26624, "N/A"},
    {26625, "(None)"},
    {26629, "&Default"},
    {26630, "Browse Files"},
    {26631, "Automatic"},
    {26632, "(Bitmap)"},
    {26633, "Vexelwork"},
    {26635, "/"},
    {26636, "Multi-Selection"},
    {26639, "..."},
    {26641, "All Files (*.*)|*.*||"},
    {26644, "-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif"},
    {26646, "-12,0,0,0,400,0,0,0,0,3,2,1,49,Courier New"},
    {26647, "%d Item(s)"},
    {26653, "&Font..."},
    {26670, "(!=)"},
    {26673, "Tab Order"},
    {26674, "Insert"},
    {26675, "Move/Resize"},
    {26676, "Move/Resize"},
    {26677, "Z-Order"},
    {26678, "Property"},
    {26679, "Delete"},
    {26680, "Aligning"},
    {26681, "Spacing"},
    {26682, "OLE In-Place"},
    {26683, "Rotate"},
    {26684, "Edit Points"},
    {26685, "(FormCode)"},
    {26686, "Group/Ungroup"},
    {26687, "Text Edit"},
    {26688, "TheView"},
    {26689, "TheFrame"},
    {26691, "More Colors..."},
    {26692, "(Group)"},
    {27007, "Snap/Unsnap"},
    {27020, "&OLE..."},
    {27021, "OLEProperties"},
    {27022, "WARN: No Cancel or Apply"},
    {27023, "DoVerbs"},
    {27027, "Normal"},
    {27028, "Events"},
    {27032, "(ObjectCode) \"%s\" already in use or reserved."},
    {27042, "HatchStyle"},
    {27049, "RotateAngle"},
    {27050, "ShadowStyle"},
    {27136, "Left"},
    {27137, "Right"},
    {27138, "Top"},
    {27139, "Bottom"},
    {27142, "(ObjectCode)"},
    {27151, "Color..."},
    {27153, "TextColor"},
    {27154, "BackColor"},
    {27155, "ForeColor"},
    {27158, "Font"},
    {27159, "Text"},
    {27160, "Alignment"},
    {27168, "PenStyle"},
    {27174, "PenWidth"},
    {27179, "Arrowhead"},
    {27180, "ArrowheadHeight"},
    {27181, "Arrowhead style"},
    {27211, "BorderWidth"},
    {27212, "BorderColor"},
    {27213, "HiliteColor"},
    {27214, "IsWedge"},
    {27215, "Angle1"},
    {27216, "Angle2"},
    {27232, "Group"},
    {27256, "EventPumpData"},
    {27257, "EventClick"},
    {27258, "EventChange"},
    {27262, "EventInitialize"},
    {27265, "Layout"},
    {27266, "Bitmap"},
    {27267, "Orientation"},
    {27300, "AnchorSnaps"},
    {27301, "&Anchors..."},
    {27302, "(GroupCode)"},
    {27303, "Symbol"},
    {27304, "ViewLayers"},
    {27305, "PrintScale"},
    {27306, "ScrollBars"},
    {27307, "ScrollWidth"},
    {27308, "ScrollHeight"},
    {27309, "Color"},
    {27310, "Title"},
    {27311, "Description"},
    {27312, "AutoRecord"},
    {27313, "ReportLock"},
    {27314, "EventTerminate"},
    {27315, "Width"},
    {27316, "Height"},
    {27317, "MinimizeBox"},
    {27318, "MaximizeBox"},
    {27319, "BorderStyle"},
    {27320, "WhatsThisHelp"},
    {27321, "LocalVariables"},
    {27322, "Delete layer \"%s\" and reassign its objects to layer \"%s\"?"},
    {27323, "This is not a valid number."},
    {27324, "Enter Snap Points"},
    {27325, "Layers Sheet"},
    {27326, "Points &List:"},
    {27327, "&Insertion Layer:"},
    {27375, "&Basic..."},
    {27378, "None"},
    {27379, "Object Bar"},
    {27380, "HelpContextID"},
    {27381, "ToolTipText"},
    {27382, "CursorPointer"},
    {27433, "Tag"},
    {27442, "topLeft"},
    {27443, "topRight"},
    {27444, "bottomRight"},
    {27445, "bottomLeft"},
    {27446, "top"},
    {27447, "right"},
    {27448, "bottom"},
    {27449, "left"},
    {27450, "middle"},
    {27453, "&Layers..."},
    {27455, "Layer"},
    {27456, "Default"},
    {27460, "Layout Bar"},
    {27461, "Font Bar"},
    {27462, "Format Bar2"},
    {27674, "&Clear Default"},
    {27675, "&Delete"},
    {27676, "Save As De&fault"},
    {27677, "Drill &Multi"},
    {27678, "&Sort"},
    {27934, "Property Sheet"},
    {28544, "Object Combo\nObject Combo"},
    {28591, "New Catalogue"},
    {28597, "MS Sans Serif"},
    {28598, "Small Fonts"},
    {60446, "Object"},
    {60448, "Text\nText"},
    {60450, "Line\nLine"},
    {60451, "Frame\nFrame"},
    {60462, "Bitmap\nBitmap"},
    {60471, "Ellipse\nEllipse"},
    {60472, "Polyline\nPolyline"},
    {60473, "Border\nBorder"},
    {60478, "Arc\nArc"},
    {60480, "Hilite\nHilite"},
    {60481, "Connector\nConnector"},
    {61714, "Please enter an integer between %1 and %2."},
};

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id) return false;
    return true;
}
static_assert(IsSorted(), "string table must be sorted by id without duplicates");

const Entry* Find(int id) {
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const Entry& e, int v) { return e.id < v; });
    return (it != std::end(kStrings) && it->id == id) ? it : nullptr;
}

}  // namespace

std::string_view LoadString(int id) {
    const Entry* e = Find(id);
    return e ? e->text : std::string_view{};
}

bool HasString(int id) { return Find(id) != nullptr; }

std::string LoadStringOr(int id, std::string_view fallback) {
    const Entry* e = Find(id);
    return std::string(e ? e->text : fallback);
}

int StringCount() { return static_cast<int>(std::size(kStrings)); }

}  // namespace vx
