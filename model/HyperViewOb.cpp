#include "model/HyperViewOb.h"

#include <cmath>

#include "model/Archive.h"
#include "model/HyperPage.h"

using vx::DispArgs;
using vx::DispIndexedProp;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

VX_IMPLEMENT_SERIAL(CHyperViewOb, CHyperBaseOb, 0)
VX_IMPLEMENT_SERIAL(CVexelViewOb, CHyperViewOb, 0)

CHyperViewOb::CHyperViewOb() : color(vx::GetSysColor(vx::SysColor::Window)) { font.Set(vx::DefaultLogFont()); }

CHyperViewOb::~CHyperViewOb() = default;

std::string CHyperViewOb::GetTypeName() const { return GetTypeNameFromId(26688); }

void CHyperViewOb::SetView(CHyperPage* view) {
    view_ = view;
    code_ = kCode;
    GetLayers();
}

void CHyperViewOb::CreateLayers() { layers_ = std::make_unique<CLayerFmt>(); }

CLayerFmt* CHyperViewOb::GetLayers() {
    if (!layers_) {
        CreateLayers();
        layers_->AddDefaultLayer();
    }
    return layers_.get();
}

COLORREF CHyperViewOb::GetColor() const { return color == -1 ? vx::GetSysColor(vx::SysColor::ButtonFace) : color; }

double CHyperViewOb::EffectivePrintScale() const {
    return (std::isfinite(printScale) && printScale > 0.0) ? printScale : 1.0;
}

void CHyperViewOb::Update(int recalc, int hint) {
    if (!view_) return;
    if (CViewLink* link = view_->link()) link->OnPageSettingsChanged(recalc != 0 && view_->editMode, hint);
    view_->InvalidateAll();
}

vx::Variant CHyperViewOb::GetTag() const {
    if (tagValue_ && !tagValue_->IsEmpty()) return *tagValue_;
    return Variant(tagText_);
}

void CHyperViewOb::SetTag(const vx::Variant& v) {
    tagValue_ = v.IsEmpty() ? nullptr : std::make_unique<Variant>(v);
    if (v.IsString()) tagText_ = v.ToString();
}

bool CHyperViewOb::GetLayerVisible(const std::string& name) {
    const CLayer* l = GetLayers()->FindLayerByName(name);
    return l && l->visible != 0;
}

void CHyperViewOb::SetLayerVisible(const std::string& name, int flags) {
    CLayer* l = GetLayers()->FindLayerByName(name);
    if (!l) return;
    const int32_t visible = flags & 1;
    if (l->visible == visible) return;
    l->visible = visible;
    if (!(flags & 0x8000) && view_ && view_->link() && view_->link()->HasWindow())
        view_->OnLayerVisibilityChanged(l->id);
}

void CHyperViewOb::CopyFrom(const CHyperViewOb& o) {
    if (this == &o) return;
    code_ = o.code_;
    autoRecord = o.autoRecord;
    reportLock = o.reportLock;
    printScale = o.printScale;
    scrollBars = o.scrollBars;
    scrollWidth = o.scrollWidth;
    scrollHeight = o.scrollHeight;
    color = o.color;
    reserved = o.reserved;
    eventInitialize = o.eventInitialize;
    eventTerminate = o.eventTerminate;
    eventClick = o.eventClick;
    fourthEvent = o.fourthEvent;
    font = o.font;
    cursorPointer = o.cursorPointer;
    toolTipText = o.toolTipText;
    helpContextId = o.helpContextId;
    formCode = o.formCode;
    if (o.layers_) {
        CreateLayers();
        layers_->CopyFrom(*o.layers_);
    } else {
        layers_.reset();
    }
    tagText_ = o.tagText_;
    tagValue_ = o.tagValue_ ? std::make_unique<Variant>(*o.tagValue_) : nullptr;
    SetView(o.view_);
}

std::unique_ptr<CHyperViewOb> CHyperViewOb::Clone() const {
    auto c = std::make_unique<CHyperViewOb>();
    c->CopyFrom(*this);
    return c;
}

std::unique_ptr<CHyperViewOb> CVexelViewOb::Clone() const {
    auto c = std::make_unique<CVexelViewOb>();
    c->CopyFrom(*this);
    return c;
}

void CHyperViewOb::SerializeBase(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(4);
        ar.WriteInt32(color);
        ar.WriteInt32(autoRecord);
        ar.WriteInt32(reportLock);
        ar.WriteDouble(printScale);
        ar.WriteInt32(reserved);
        ar.WriteInt32(scrollBars);
        ar.WriteWordChecked(scrollWidth, "the page width");
        ar.WriteWordChecked(scrollHeight, "the page height");
        eventInitialize.Serialize(ar);
        eventTerminate.Serialize(ar);
        eventClick.Serialize(ar);
        fourthEvent.Serialize(ar);
        font.Serialize(ar);
        ar.WriteInt32(cursorPointer);
        ar.WriteString(toolTipText);
        ar.WriteInt32(helpContextId);
        ar.WriteString(formCode);
        GetLayers()->Serialize(ar);
        ar.WriteString(tagText_);
        ar.WriteByte(0);
        ar.WriteByte(0);
        return;
    }
    const int version = ar.ReadVersion(ClassName());
    color = ar.ReadInt32();
    if (version >= 0) {
        autoRecord = ar.ReadInt32();
        reportLock = ar.ReadInt32();
        printScale = ar.ReadDouble();
        reserved = ar.ReadInt32();
    } else {
        if (ar.ReadMarker(CArchive::kMarker3)) autoRecord = ar.ReadInt32();
        if (ar.ReadMarker(CArchive::kMarker2)) {
            reportLock = ar.ReadInt32();
            printScale = ar.ReadDouble();
        }
        if (ar.ReadMarker(CArchive::kMarker4)) reserved = ar.ReadInt32();
    }
    if (version >= 1) {
        scrollBars = ar.ReadInt32();
        scrollWidth = ar.ReadWord();
        scrollHeight = ar.ReadWord();
    }
    if (version >= 2) {
        eventInitialize.Serialize(ar);
        eventTerminate.Serialize(ar);
        eventClick.Serialize(ar);
        fourthEvent.Serialize(ar);
        font.Serialize(ar);
        cursorPointer = ar.ReadInt32();
        toolTipText = ar.ReadString();
        helpContextId = ar.ReadInt32();
        formCode = ar.ReadString();
    }
    CreateLayers();
    if (version >= 3) layers_->Serialize(ar);
    if (layers_->empty()) layers_->AddDefaultLayer();
    if (version >= 4) {
        tagText_ = ar.ReadString();
        ar.Skip(2);
    }
}

const vx::DispatchTable& CHyperViewOb::DispatchTableOf() {
    auto upd = [](CHyperViewOb& o, DispArgs) {
        o.Update(1, 0);
        return Variant();
    };
    static const vx::DispatchTable table(
        &CHyperBaseOb::DispatchTableOf(),
        {
            DispMethod<CHyperViewOb>("IsFormOpen", 1281, T::Bool, 1,
                                     [](CHyperViewOb& o, DispArgs a) {
                                         return Variant(CHyperPage::FormFind(a[0].ToString(), &o) != nullptr);
                                     }),
            DispMethod<CHyperViewOb>("FormFind", 1282, T::Object, 1,
                                     [](CHyperViewOb& o, DispArgs a) {
                                         CHyperPage* p = CHyperPage::FormFind(a[0].ToString(), &o);
                                         return Variant(static_cast<vx::AutoObject*>(p ? p->pageObject() : nullptr));
                                     }),
            DispMethod<CHyperViewOb>("OnUpdateResize", 1283, T::Empty, 0, upd),
            DispMethod<CHyperViewOb>("OnUpdate", 1284, T::Empty, 0, upd),
            DispMethod<CHyperViewOb>("OpenDoc", 1289, T::Empty, 1,
                                     [](CHyperViewOb& o, DispArgs a) {
                                         if (o.GetView()) o.GetView()->RequestOpen(a[0].ToString());
                                         return Variant();
                                     }),
            DispProp<CHyperViewOb>(
                "Font", -512, T::String, [](CHyperViewOb& o) { return Variant(o.font.ToText()); },
                [](CHyperViewOb& o, const Variant& v) {
                    o.font.FromText(v.ToString());
                    if (o.GetView()) o.GetView()->InvalidateAll();
                }),
            DispProp<CHyperViewOb>(
                "PrintScale", 1292, T::Double, [](CHyperViewOb& o) { return Variant(o.printScale); },
                [](CHyperViewOb& o, const Variant& v) { o.printScale = v.ToDouble(); }),
            DispProp<CHyperViewOb>(
                "CursorPointer", 1293, T::Long, [](CHyperViewOb& o) { return Variant(o.cursorPointer); },
                [](CHyperViewOb& o, const Variant& v) { o.cursorPointer = v.ToLong(); }),
            DispProp<CHyperViewOb>(
                "HelpContextID", 1294, T::Long, [](CHyperViewOb& o) { return Variant(o.helpContextId); },
                [](CHyperViewOb& o, const Variant& v) { o.helpContextId = v.ToLong(); }),
            DispProp<CHyperViewOb>(
                "Color", -501, T::Long, [](CHyperViewOb& o) { return Variant(o.color); },
                [](CHyperViewOb& o, const Variant& v) {
                    o.color = v.ToLong();
                    if (o.GetView()) o.GetView()->InvalidateAll();
                }),
            DispProp<CHyperViewOb>(
                "ScrollBars", 1295, T::Long, [](CHyperViewOb& o) { return Variant(o.scrollBars); },
                [](CHyperViewOb& o, const Variant& v) {
                    o.scrollBars = v.ToLong();
                    o.Update(1, 0);
                }),
            DispProp<CHyperViewOb>(
                "ScrollWidth", 1296, T::Long, [](CHyperViewOb& o) { return Variant(o.scrollWidth); },
                [](CHyperViewOb& o, const Variant& v) {
                    o.scrollWidth = v.ToLong();
                    o.Update(1, 0);
                }),
            DispProp<CHyperViewOb>(
                "ScrollHeight", 1297, T::Long, [](CHyperViewOb& o) { return Variant(o.scrollHeight); },
                [](CHyperViewOb& o, const Variant& v) {
                    o.scrollHeight = v.ToLong();
                    o.Update(1, 0);
                }),
            DispProp<CHyperViewOb>(
                "ToolTipText", 1298, T::String, [](CHyperViewOb& o) { return Variant(o.toolTipText); },
                [](CHyperViewOb& o, const Variant& v) { o.toolTipText = v.ToString(); }),
            DispIndexedProp<CHyperViewOb>(
                "Layer", 1299, T::Bool,
                [](CHyperViewOb& o, DispArgs a) {
                    if (a.empty()) throw vx::AutomationError("Argument not optional: Layer");
                    return Variant(o.GetLayerVisible(a[0].ToString()));
                },
                [](CHyperViewOb& o, DispArgs a, const Variant& v) {
                    if (a.empty()) throw vx::AutomationError("Argument not optional: Layer");
                    o.SetLayerVisible(a[0].ToString(), v.ToLong());
                }),
            DispProp<CHyperViewOb>(
                "Tag", 1303, T::Empty, [](CHyperViewOb& o) { return o.GetTag(); },
                [](CHyperViewOb& o, const Variant& v) { o.SetTag(v); }),
        });
    return table;
}

const vx::DispatchTable& CHyperViewOb::GetDispatchTable() const { return DispatchTableOf(); }
