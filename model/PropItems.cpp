#include "model/PropItems.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/GroupInfo.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

VX_IMPLEMENT_ABSTRACT(CPropInt, CPropOb)
VX_IMPLEMENT_ABSTRACT(CLinePropWidth, CPropInt)
VX_IMPLEMENT_ABSTRACT(CPropLong, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropDbl, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropAngleDbl, CPropDbl)
VX_IMPLEMENT_ABSTRACT(CPropStr, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropCodeStr, CPropStr)
VX_IMPLEMENT_ABSTRACT(CPropColor, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropCustColor, CPropColor)
VX_IMPLEMENT_ABSTRACT(CPropFont, CPropOb)

namespace {

// A whole decimal integer (blanks around it allowed) that fits 32 bits.
bool ParseInt(const std::string& text, int32_t& out) {
    const std::string t = vx::Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    out = int32_t(v);
    return true;
}

bool ParseDouble(const std::string& text, double& out) {
    const std::string t = vx::Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

std::string Replace(std::string s, const std::string& what, const std::string& with) {
    const auto at = s.find(what);
    if (at != std::string::npos) s.replace(at, what.size(), with);
    return s;
}

void CheckInteger(CPropExchange& dx, const std::string& text, int32_t lower, int32_t upper) {
    int32_t v = 0;
    if (!ParseInt(text, v)) {
        dx.Refuse(vx::LoadStringOr(vx::prop::kNotANumber, "This is not a valid number."));
        return;
    }
    if (v < lower || v > upper) {
        std::string msg = vx::LoadStringOr(vx::prop::kIntegerRange, "Please enter an integer between %1 and %2.");
        msg = Replace(msg, "%1", std::to_string(lower));
        dx.Refuse(Replace(msg, "%2", std::to_string(upper)));
    }
}

}  // namespace

// ---- integers ----

CPropInt::CPropInt(int nameId, int32_t* member, bool validateIt, int32_t lower, int32_t upper, int editor, int kind)
    : CPropValueT<int32_t>(nameId, editor, kind, member), lower(lower), upper(upper) {
    validate = validateIt ? 1 : 0;
}

bool CPropInt::GetValueText(std::string& out) const {
    out = vx::Format("%d", value_);
    return true;
}

bool CPropInt::SetValueText(const std::string& text) { return ParseInt(text, value_); }

void CPropInt::Validate(CPropExchange& dx, const std::string& proposed) {
    if (validate) CheckInteger(dx, proposed, lower, upper);
}

bool CPropInt::GetInt(int32_t& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropInt::SetInt(int32_t v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

void CLinePropWidth::OnChanged() {
    if (value_ > 1 && style && style->value() != 0) {
        style->setValue(0);
        RedrawRow(style);
    }
}

CPropLong::CPropLong(int nameId, int32_t* member, bool validateIt, int32_t lower, int32_t upper, int editor,
                     int kind)
    : CPropValueT<int32_t>(nameId, editor, kind, member), lower(lower), upper(upper) {
    validate = validateIt ? 1 : 0;
}

bool CPropLong::GetValueText(std::string& out) const {
    out = vx::Format("%ld", long(value_));
    return true;
}

bool CPropLong::SetValueText(const std::string& text) { return ParseInt(text, value_); }

void CPropLong::Validate(CPropExchange& dx, const std::string& proposed) {
    if (validate) CheckInteger(dx, proposed, lower, upper);
}

bool CPropLong::GetLong(int32_t& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropLong::SetLong(int32_t v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

// ---- reals ----

bool CPropDbl::GetValueText(std::string& out) const {
    out = vx::Format("%g", value_);
    return true;
}

bool CPropDbl::SetValueText(const std::string& text) { return ParseDouble(text, value_); }

void CPropDbl::Validate(CPropExchange& dx, const std::string& proposed) {
    double v = 0;
    if (!ParseDouble(proposed, v)) dx.Refuse(vx::LoadStringOr(vx::prop::kNotANumber, "This is not a valid number."));
}

bool CPropDbl::GetDouble(double& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropDbl::SetDouble(double v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

void CPropAngleDbl::OnChanged() {
    if (!view || !view->link()) return;
    const float angle = float(value_);
    view->link()->PostViewMessage(kRotateMessage, 0, std::bit_cast<uint32_t>(angle));
}

// ---- texts ----

bool CPropStr::GetValueText(std::string& out) const {
    out = value_;
    return true;
}

bool CPropStr::SetValueText(const std::string& text) {
    value_ = maxLength > 0 ? vx::Utf8Left(text, size_t(maxLength)) : text;
    return true;
}

bool CPropStr::GetString(std::string& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropStr::SetString(const std::string& v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

void CPropCodeStr::Apply() {
    CPropStr::Apply();
    if (view && self) view->CodeChanged(self);
}

void CPropCodeStr::ApplyFrom(const CPropOb& other) {
    CPropStr::ApplyFrom(other);
    if (view && self) view->CodeChanged(self);
}

void CPropCodeStr::Restore() {
    CPropStr::Restore();
    if (view && self) view->CodeChanged(self);
}

bool CPropCodeStr::SetString(const std::string& v) {
    const bool done = CPropStr::SetString(v);
    if (view && self) view->CodeChanged(self);
    return done;
}

void CPropCodeStr::Validate(CPropExchange& dx, const std::string& proposed) {
    const std::string code = vx::Trim(proposed);
    if (code.empty() || !view) return;
    auto same = [&](const std::string& other) { return vx::EqualsNoCaseUtf8(other, code); };
    bool used = same(view->pageObject()->GetCode()) || same(CHyperFrameOb::kCode);
    if (CHyperOleDoc* doc = view->document; doc && doc->frameObject()) used = used || same(doc->frameObject()->GetCode());
    for (const auto& ob : view->objects()) {
        if (used) break;
        if (ob.get() != self && same(ob->GetCode())) used = true;
        if (const CGroupInfo* g = ob->groupInfo(); g && g != group && ob->groupId() >= 0 && same(g->code)) used = true;
    }
    if (!used) return;
    const std::string msg =
        vx::LoadStringOr(vx::prop::kCodeInUse, "(ObjectCode) \"%s\" already in use or reserved.");
    dx.Refuse(Replace(msg, "%s", code));
}

// ---- colours and fonts ----

bool CPropColor::GetValueText(std::string& out) const {
    if (value_ == vx::kAutoColor) out = vx::LoadStringOr(vx::prop::kTextAutomatic, "Automatic");
    else out = vx::Format("%d.%d.%d", vx::GetRValue(value_), vx::GetGValue(value_), vx::GetBValue(value_));
    return true;
}

bool CPropColor::SetValueText(const std::string& text) {
    if (text == vx::LoadStringOr(vx::prop::kTextAutomatic, "Automatic")) {
        value_ = vx::kAutoColor;
        return true;
    }
    int r = 0, g = 0, b = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &r, &g, &b, &tail) != 3) return false;
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) return false;
    value_ = vx::RGB(r, g, b);
    return true;
}

bool CPropColor::GetLong(int32_t& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropColor::SetLong(int32_t v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

bool CPropFont::GetValueText(std::string& out) const {
    const std::string& face = value_.logFont().lfFaceName;
    out = (value_.IsEmpty() || face.empty()) ? vx::LoadStringOr(vx::prop::kTextNone, "(None)") : face;
    return true;
}

bool CPropFont::GetString(std::string& out) const {
    if (!member_) return false;
    out = member_->ToText();
    return true;
}

bool CPropFont::SetString(const std::string& v) {
    if (!member_) return false;
    member_->FromText(v);
    return true;
}
