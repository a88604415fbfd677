#include "model/HyperFrameOb.h"

#include "model/Archive.h"
#include "model/HyperPage.h"
#include "platform/StringTable.h"

using vx::DispArgs;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

VX_IMPLEMENT_SERIAL(CHyperFrameOb, CHyperBaseOb, 0)
VX_IMPLEMENT_SERIAL(CVexelFrameOb, CHyperFrameOb, 0)

CHyperFrameOb::CHyperFrameOb() : title(vx::LoadStringOr(26633, "Vexelwork")) { code_ = kCode; }

CHyperFrameOb::~CHyperFrameOb() = default;

std::string CHyperFrameOb::GetTypeName() const { return GetTypeNameFromId(26689); }

void CHyperFrameOb::SetView(CHyperPage* view) {
    view_ = view;
    code_ = kCode;
}

void CHyperFrameOb::Update(int recalc, int /*hint*/) {
    if (window_) window_->SetTitle(title);
    if (recalc) ApplyToWindow(kNoActivate | kKeepPosition);
}

void CHyperFrameOb::ApplyToWindow(uint32_t flags) {
    if (!window_) return;
    const bool maximized = window_->IsMaximized();
    if (maximized) flags |= kKeepSize;
    uint32_t style = window_->Style();
    const uint32_t oldStyle = style;
    bool addingBorder = false, removingBorder = false;
    for (const auto& [field, bit] : {std::pair{minimizeBox, kMinimizeBox}, std::pair{maximizeBox, kMaximizeBox},
                                     std::pair{borderStyle, kThickFrame}}) {
        if ((field & bit) != (style & bit)) {
            if (field & bit) {
                style |= bit;
                if (bit == kThickFrame) addingBorder = true;
            } else {
                style &= ~bit;
                if (bit == kThickFrame) removingBorder = true;
            }
        }
    }
    if (style != oldStyle) {
        window_->SetStyle(style);
        flags |= kFrameChanged;
    }
    uint32_t ex = window_->ExStyle();
    if ((whatsThisHelp & kContextHelp) != (ex & kContextHelp)) {
        ex = (whatsThisHelp & kContextHelp) ? (ex | kContextHelp) : (ex & ~kContextHelp);
        window_->SetExStyle(ex);
        flags |= kFrameChanged;
    }
    if ((flags & kKeepSize) || maximized || !window_->MainWindowUp()) return;
    const CSize nc = window_->NonClientSize();
    int w = width + nc.cx, h = height + nc.cy;
    if (addingBorder) { w += 2; h += 2; }
    if (removingBorder) { w -= 2; h -= 2; }
    window_->Resize(w, h);
}

void CHyperFrameOb::CopyFrom(const CHyperFrameOb& o) {
    if (this == &o) return;
    code_ = o.code_;
    title = o.title;
    width = o.width;
    height = o.height;
    minimizeBox = o.minimizeBox;
    maximizeBox = o.maximizeBox;
    borderStyle = o.borderStyle;
    whatsThisHelp = o.whatsThisHelp;
    locals.CopyFrom(o.locals);
    legacyValue = o.legacyValue ? std::make_unique<CBasicValue>(*o.legacyValue) : nullptr;
    SetView(o.view_);
}

std::unique_ptr<CHyperFrameOb> CHyperFrameOb::Clone() const {
    auto c = std::make_unique<CHyperFrameOb>();
    c->CopyFrom(*this);
    return c;
}

std::unique_ptr<CHyperFrameOb> CVexelFrameOb::Clone() const {
    auto c = std::make_unique<CVexelFrameOb>();
    c->CopyFrom(*this);
    return c;
}

void CHyperFrameOb::SerializeBase(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(2);
        ar.WriteString(title);
        ar.WriteWordChecked(width, "the window width");
        ar.WriteWordChecked(height, "the window height");
        ar.WriteDword(minimizeBox);
        ar.WriteDword(maximizeBox);
        ar.WriteDword(borderStyle);
        locals.Serialize(ar);
        ar.WriteDword(whatsThisHelp);
        return;
    }
    const int version = ar.ReadVersion(ClassName());
    title = ar.ReadString();
    width = ar.ReadWord();
    height = ar.ReadWord();
    minimizeBox = ar.ReadDword();
    maximizeBox = ar.ReadDword();
    borderStyle = ar.ReadDword();
    legacyValue.reset();
    uint32_t legacyCode = 0;
    if (version >= 0) {
        locals.Serialize(ar);
        if (version < 2) legacyCode = ar.ReadDword();
        if (version == 1) {
            legacyValue = std::make_unique<CBasicValue>();
            legacyValue->Serialize(ar);
        }
        if (version >= 2) whatsThisHelp = ar.ReadDword();
    } else {
        if (ar.ReadMarker(CArchive::kMarker2)) locals.Serialize(ar);
        if (ar.ReadMarker(CArchive::kMarker3)) legacyCode = ar.ReadDword();
    }
    if (legacyCode != 0) {
        if (!legacyValue) legacyValue = std::make_unique<CBasicValue>();
        legacyValue->SetRaw(int32_t(0xFFFE0000u | (legacyCode & 0xFFFF)), legacyValue->text());
    }
}

const vx::DispatchTable& CHyperFrameOb::DispatchTableOf() {
    auto upd = [](CHyperFrameOb& o, DispArgs) {
        o.Update(1, 0);
        return Variant();
    };
    auto styleProp = [](const char* name, int id, uint32_t CHyperFrameOb::*field) {
        return DispProp<CHyperFrameOb>(
            name, id, T::Long, [field](CHyperFrameOb& o) { return Variant(int32_t(o.*field)); },
            [field](CHyperFrameOb& o, const Variant& v) {
                o.*field = uint32_t(v.ToLong());
                o.Update(1, 0);
            });
    };
    auto sizeProp = [](const char* name, int id, int32_t CHyperFrameOb::*field) {
        return DispProp<CHyperFrameOb>(
            name, id, T::Long, [field](CHyperFrameOb& o) { return Variant(o.*field); },
            [field](CHyperFrameOb& o, const Variant& v) {
                o.*field = v.ToLong();
                o.Update(1, 0);
            });
    };
    static const vx::DispatchTable table(
        &CHyperBaseOb::DispatchTableOf(),
        {
            DispMethod<CHyperFrameOb>("OnUpdateResize", 1281, T::Empty, 0, upd),
            DispMethod<CHyperFrameOb>("OnUpdate", 1282, T::Empty, 0, upd),
            DispProp<CHyperFrameOb>(
                "Title", -518, T::String, [](CHyperFrameOb& o) { return Variant(o.title); },
                [](CHyperFrameOb& o, const Variant& v) {
                    o.title = v.ToString();
                    o.Update(0, 0);
                }),
            styleProp("MinimizeBox", 1286, &CHyperFrameOb::minimizeBox),
            styleProp("MaximizeBox", 1287, &CHyperFrameOb::maximizeBox),
            styleProp("BorderStyle", 1288, &CHyperFrameOb::borderStyle),
            styleProp("WhatsThisHelp", 1289, &CHyperFrameOb::whatsThisHelp),
            sizeProp("Width", 1290, &CHyperFrameOb::width),
            sizeProp("Height", 1291, &CHyperFrameOb::height),
        });
    return table;
}

const vx::DispatchTable& CHyperFrameOb::GetDispatchTable() const { return DispatchTableOf(); }
