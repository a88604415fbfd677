#include "model/HyperBaseOb.h"

#include "model/HyperPage.h"
#include "platform/StringTable.h"

using vx::Variant;

const CClassInfo CHyperVBPSOb::classInfo = {"CHyperVBPSOb", 0, &CObject::classInfo, nullptr};
const CClassInfo CHyperBaseOb::classInfo = {"CHyperBaseOb", 0, &CHyperVBPSOb::classInfo, nullptr};

const vx::DispatchTable& CHyperVBPSOb::DispatchTableOf() {
    static const vx::DispatchTable table(nullptr, {});
    return table;
}

const vx::DispatchTable& CHyperVBPSOb::GetDispatchTable() const { return DispatchTableOf(); }

const vx::DispatchTable& CHyperBaseOb::DispatchTableOf() {
    static const vx::DispatchTable table(
        &CHyperVBPSOb::DispatchTableOf(),
        {vx::DispProp<CHyperBaseOb>(
            "Code", -100, Variant::Type::String, [](CHyperBaseOb& o) { return Variant(o.GetCode()); },
            [](CHyperBaseOb& o, const Variant& v) {
                o.SetCodeRaw(v.ToString());
                o.OnCodeChanged();
            })});
    return table;
}

const vx::DispatchTable& CHyperBaseOb::GetDispatchTable() const { return DispatchTableOf(); }

COLORREF CHyperBaseOb::GetPageColor() const { return vx::RGB(255, 255, 255); }

std::string CHyperBaseOb::GetTypeNameFromId(int stringId) const {
    std::string text(vx::LoadString(stringId));
    if (text.empty()) text = vx::LoadStringOr(60446, "Object");
    if (const auto lf = text.find('\n'); lf != std::string::npos) text.erase(lf);
    return text;
}

void CHyperBaseOb::SetCodeRaw(std::string code) {
    if (code == code_) return;
    code_ = std::move(code);
    if (view_) view_->CodeChanged(this);
}

int CHyperBaseOb::SetCode(const std::string& name, int index) {
    SetCodeRaw(index >= 0 ? name + std::to_string(index) : name);
    OnCodeChanged();
    return index;
}
