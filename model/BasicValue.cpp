#include "model/BasicValue.h"

#include <cstdlib>

#include "model/Archive.h"
#include "platform/StringTable.h"

CBasicValue& CBasicValue::operator=(const CBasicValue& o) {
    if (this == &o) return *this;
    code_ = o.code_;
    bindingFlag_ = o.bindingFlag_;
    text_ = o.text_;
    number_ = o.number_;
    integer_ = o.integer_;
    if (o.bindings_) {
        bindings_ = std::make_unique<std::string[]>(2);
        bindings_[0] = o.bindings_[0];
        bindings_[1] = o.bindings_[1];
    } else {
        bindings_.reset();
    }
    return *this;
}

bool CBasicValue::operator==(const CBasicValue& o) const {
    return code_ == o.code_ && text_ == o.text_ && bindingFlag_ == o.bindingFlag_ && binding(0) == o.binding(0) &&
           binding(1) == o.binding(1);
}

const std::string& CBasicValue::binding(int i) const {
    static const std::string empty;
    return bindings_ ? bindings_[i & 1] : empty;
}

void CBasicValue::SetBinding(int32_t flag, std::string a, std::string b) {
    bindingFlag_ = flag;
    if (a.empty() && b.empty()) {
        bindings_.reset();
        return;
    }
    bindings_ = std::make_unique<std::string[]>(2);
    bindings_[0] = std::move(a);
    bindings_[1] = std::move(b);
}

void CBasicValue::Parse() {
    number_ = std::strtod(text_.c_str(), nullptr);
    integer_ = std::atol(text_.c_str());
}

void CBasicValue::SetLiteral(std::string text) {
    code_ = kLiteral;
    text_ = std::move(text);
    Parse();
}

void CBasicValue::SetExpression(std::string text) {
    code_ = kExpression;
    text_ = std::move(text);
    number_ = 0;
    integer_ = 0;
}

void CBasicValue::SetResource(int id) {
    code_ = kResource | (id & 0xFFFF);
    text_ = "0.0";
    number_ = 0;
    integer_ = 0;
}

void CBasicValue::SetRaw(int32_t code, std::string text) {
    code_ = code;
    text_ = std::move(text);
    if (code_ == kLiteral) Parse();
}

bool CBasicValue::IsSet() const {
    if (!IsExpression()) return true;
    size_t i = 0;
    while (i < text_.size()) {
        size_t e = text_.find('\n', i);
        if (e == std::string::npos) e = text_.size();
        size_t j = i;
        while (j < e && (text_[j] == ' ' || text_[j] == '\t' || text_[j] == '\r')) ++j;
        if (j < e && text_[j] != kCommentChar) return true;
        i = e + 1;
    }
    return false;
}

std::string CBasicValue::DisplayText() const {
    std::string t;
    if (IsResource()) t = ResourceId() ? std::string(vx::LoadString(ResourceId())) : std::string();
    else t = text_;
    return t.empty() ? std::string("(None)") : t;
}

void CBasicValue::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(2);
        ar.WriteInt32(code_);
        ar.WriteString(text_);
        ar.WriteInt32(bindingFlag_);
        if (bindingFlag_) {
            ar.WriteString(binding(0));
            ar.WriteString(binding(1));
        }
        ar.WriteWord(0);
        ar.WriteDword(CArchive::kEndMarker);
        return;
    }
    const int version = ar.ReadVersion("CObject");
    const int32_t code = ar.ReadInt32();
    std::string text = ar.ReadString();
    // A stored script expression comes back as the literal "0.0": without a
    // script engine there is nothing to evaluate it with.
    if (code == kExpression) SetLiteral("0.0");
    else SetRaw(code, std::move(text));
    bindingFlag_ = 0;
    bindings_.reset();
    if (version >= 0) {
        const int32_t flag = ar.ReadInt32();
        std::string a, b;
        if (flag) {
            a = ar.ReadString();
            b = ar.ReadString();
        }
        SetBinding(flag, std::move(a), std::move(b));
    }
    if (version >= 2) ar.ScanToEndMarker();
    else ar.Skip(2);
}
