// Automation members of page objects.
#include "model/HyperOb.h"
#include "model/HyperPage.h"
#include "platform/Text.h"

using vx::DispArgs;
using vx::DispIndexedProp;
using vx::DispMember;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

namespace {

DispMember Side(const char* name, int id, int side) {
    return DispProp<CHyperOb>(
        name, id, T::Long,
        [side](CHyperOb& o) {
            const CRect& r = o.Rect();
            const int v[4] = {r.left, r.top, r.right, r.bottom};
            return Variant(int32_t(v[side]));
        },
        [side](CHyperOb& o, const Variant& v) {
            o.SetSide(side, v.ToLong());
            o.Update(1, 0);
        });
}

DispMember Flag(const char* name, int id, bool (CHyperOb::*get)() const, void (CHyperOb::*set)(bool)) {
    return DispProp<CHyperOb>(
        name, id, T::Bool, [get](CHyperOb& o) { return Variant((o.*get)()); },
        [set](CHyperOb& o, const Variant& v) { (o.*set)(v.ToBool()); });
}

}  // namespace

const vx::DispatchTable& CHyperOb::DispatchTableOf() {
    static const vx::DispatchTable table(
        &CHyperBaseOb::DispatchTableOf(),
        {
            DispMethod<CHyperOb>("OnUpdateResize", 1281, T::Empty, 0,
                                 [](CHyperOb& o, DispArgs) { o.Update(1, 0); return Variant(); }),
            DispMethod<CHyperOb>("OnUpdate", 1282, T::Empty, 0,
                                 [](CHyperOb& o, DispArgs) { o.Update(1, 0); return Variant(); }),
            DispMethod<CHyperOb>("Move", 1283, T::Empty, 2,
                                 [](CHyperOb& o, DispArgs a) {
                                     o.Move(a[0].ToLong(), a[1].ToLong());
                                     o.Update(1, 0);
                                     return Variant();
                                 }),
            Side("Left", 1284, 0),
            Side("Top", 1285, 1),
            Side("Right", 1286, 2),
            Side("Bottom", 1287, 3),
            DispProp<CHyperOb>(
                "Enable", -514, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.IsEnabled())); },
                [](CHyperOb& o, const Variant& v) {
                    o.enableValue().SetLiteral(vx::Format("%ld", long(v.ToLong())));
                }),
            DispProp<CHyperOb>(
                "Visible", 1288, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.IsVisible())); },
                [](CHyperOb& o, const Variant& v) {
                    const bool before = o.IsVisible();
                    o.visibleValue().SetLiteral(vx::Format("%ld", long(v.ToLong())));
                    if (o.IsVisible() != before) o.Update(1, 0);
                }),
            DispProp<CHyperOb>(
                "CursorPointer", 1289, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.cursorPointer())); },
                [](CHyperOb& o, const Variant& v) { o.setCursorPointer(v.ToLong()); }),
            DispProp<CHyperOb>(
                "HelpContextID", 1290, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.helpContextId())); },
                [](CHyperOb& o, const Variant& v) { o.setHelpContextId(v.ToLong()); }),
            DispProp<CHyperOb>(
                "ToolTipText", 1291, T::String, [](CHyperOb& o) { return Variant(o.toolTipText()); },
                [](CHyperOb& o, const Variant& v) { o.setToolTipText(v.ToString()); }),
            DispProp<CHyperOb>(
                "BackColor", -501, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.backColorField())); },
                [](CHyperOb& o, const Variant& v) {
                    o.SetBackColor(v.ToLong());
                    o.Update(1, 0);
                }),
            DispProp<CHyperOb>(
                "ForeColor", -513, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.foreColorField())); },
                [](CHyperOb& o, const Variant& v) {
                    o.SetForeColor(v.ToLong());
                    o.Update(1, 0);
                }),
            DispProp<CHyperOb>(
                "Font", -512, T::String, [](CHyperOb& o) { return Variant(o.font().ToText()); },
                [](CHyperOb& o, const Variant& v) {
                    CFontRecord f;
                    f.FromText(v.ToString());
                    o.SetFont(f.logFont());
                    o.Update(1, 0);
                }),
            DispProp<CHyperOb>("LayerName", 1292, T::String, [](CHyperOb& o) { return Variant(o.LayerName()); }),
            DispProp<CHyperOb>(
                "Tag", 1295, T::Empty, [](CHyperOb& o) { return o.GetTag(); },
                [](CHyperOb& o, const Variant& v) { o.SetTag(v); }),
            DispProp<CHyperOb>(
                "RotateAngle", 1296, T::Double, [](CHyperOb& o) { return Variant(o.RotateAngle()); },
                [](CHyperOb& o, const Variant& v) {
                    o.SetRotateAngleRaw(v.ToDouble());
                    o.Update(1, 0);
                }),
            Flag("DfltIsLocked", 1299, &CHyperOb::dfltIsLocked, &CHyperOb::setDfltIsLocked),
            Flag("DfltCanDelete", 1301, &CHyperOb::dfltCanDelete, &CHyperOb::setDfltCanDelete),
            Flag("DfltCanResize", 1302, &CHyperOb::dfltCanResize, &CHyperOb::setDfltCanResize),
            Flag("DfltCanRot", 1304, &CHyperOb::dfltCanRot, &CHyperOb::setDfltCanRot),
            Flag("DfltCanInlineEditText", 1305, &CHyperOb::dfltCanInlineEditText,
                 &CHyperOb::setDfltCanInlineEditText),
            Flag("DfltCanEditPoints", 1306, &CHyperOb::dfltCanEditPoints, &CHyperOb::setDfltCanEditPoints),
            DispProp<CHyperOb>(
                "GroupID", 1309, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.groupId())); },
                [](CHyperOb& o, const Variant& v) { o.setGroupId(v.ToLong()); }),
            DispProp<CHyperOb>(
                "LayerID", 1310, T::Long, [](CHyperOb& o) { return Variant(int32_t(o.layerId())); },
                [](CHyperOb& o, const Variant& v) { o.setLayerId(v.ToLong()); }),
        });
    return table;
}

const vx::DispatchTable& CHyperOb::GetDispatchTable() const { return DispatchTableOf(); }
