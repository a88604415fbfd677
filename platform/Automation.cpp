#include "platform/Automation.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "platform/Text.h"

namespace vx {

namespace {

double ParseNumber(const std::string& s) {
    const std::string t = Trim(s);
    if (t.empty()) throw AutomationError("Type mismatch");
    char* end = nullptr;
    errno = 0;
    const double d = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || *end != '\0') throw AutomationError("Type mismatch");
    return d;
}

int32_t DoubleToLong(double d) {
    if (!std::isfinite(d) || d >= 2147483647.5 || d < -2147483648.5) throw AutomationError("Overflow");
    return int32_t(std::lround(d));
}

}  // namespace

int32_t Variant::ToLong() const {
    switch (type()) {
        case Type::Empty: return 0;
        case Type::Long: return std::get<int32_t>(v_);
        case Type::Double: return DoubleToLong(std::get<double>(v_));
        case Type::Bool: return std::get<bool>(v_) ? -1 : 0;
        case Type::String: return DoubleToLong(ParseNumber(std::get<std::string>(v_)));
        case Type::Object: break;
    }
    throw AutomationError("Type mismatch");
}

double Variant::ToDouble() const {
    switch (type()) {
        case Type::Empty: return 0.0;
        case Type::Long: return std::get<int32_t>(v_);
        case Type::Double: return std::get<double>(v_);
        case Type::Bool: return std::get<bool>(v_) ? -1.0 : 0.0;
        case Type::String: return ParseNumber(std::get<std::string>(v_));
        case Type::Object: break;
    }
    throw AutomationError("Type mismatch");
}

bool Variant::ToBool() const {
    switch (type()) {
        case Type::Empty: return false;
        case Type::Long: return std::get<int32_t>(v_) != 0;
        case Type::Double: return std::get<double>(v_) != 0.0;
        case Type::Bool: return std::get<bool>(v_);
        case Type::String: {
            const std::string t = Trim(std::get<std::string>(v_));
            if (EqualsNoCase(t, "true")) return true;
            if (EqualsNoCase(t, "false")) return false;
            return ParseNumber(t) != 0.0;
        }
        case Type::Object: break;
    }
    throw AutomationError("Type mismatch");
}

std::string Variant::ToString() const {
    switch (type()) {
        case Type::Empty: return {};
        case Type::Long: return std::to_string(std::get<int32_t>(v_));
        case Type::Double: return Format("%.15g", std::get<double>(v_));
        case Type::Bool: return std::get<bool>(v_) ? "True" : "False";
        case Type::String: return std::get<std::string>(v_);
        case Type::Object: break;
    }
    throw AutomationError("Type mismatch");
}

AutoObject* Variant::ToObject() const {
    if (type() == Type::Object) return std::get<AutoObject*>(v_);
    if (type() == Type::Empty) return nullptr;
    throw AutomationError("Type mismatch");
}

DispatchTable::DispatchTable(const DispatchTable* base, std::vector<DispMember> members)
    : base_(base), members_(std::move(members)) {}

const DispMember* DispatchTable::Find(std::string_view name) const {
    for (const DispatchTable* t = this; t; t = t->base_)
        for (const auto& m : t->members_)
            if (EqualsNoCase(m.name, name)) return &m;
    return nullptr;
}

const DispMember* DispatchTable::Find(int32_t dispid) const {
    for (const DispatchTable* t = this; t; t = t->base_)
        for (const auto& m : t->members_)
            if (m.dispid == dispid) return &m;
    return nullptr;
}

std::vector<const DispMember*> DispatchTable::Members() const {
    std::vector<const DispMember*> out;
    for (const DispatchTable* t = this; t; t = t->base_)
        for (const auto& m : t->members_) {
            bool seen = false;
            for (const auto* o : out) seen = seen || EqualsNoCase(o->name, m.name);
            if (!seen) out.push_back(&m);
        }
    return out;
}

const DispMember& AutoObject::Member(std::string_view name) const {
    if (const auto* m = GetDispatchTable().Find(name)) return *m;
    throw AutomationError("Object doesn't support this property or method: " + std::string(name));
}

const DispMember& AutoObject::Member(int32_t dispid) const {
    if (const auto* m = GetDispatchTable().Find(dispid)) return *m;
    throw AutomationError("Object doesn't support this property or method: #" + std::to_string(dispid));
}

Variant AutoObject::Get(const DispMember& m, DispArgs index) {
    if (m.kind != DispMember::Kind::Property || !m.get)
        throw AutomationError("Not a property: " + m.name);
    return m.get(*this, index);
}

void AutoObject::Put(const DispMember& m, const Variant& value, DispArgs index) {
    if (m.kind != DispMember::Kind::Property || !m.put)
        throw AutomationError("Property is read-only: " + m.name);
    m.put(*this, index, value);
}

Variant AutoObject::Call(const DispMember& m, DispArgs args) {
    if (m.kind == DispMember::Kind::Property) return Get(m, args);
    return m.get(*this, args);
}

Variant AutoObject::GetProperty(std::string_view name, DispArgs index) { return Get(Member(name), index); }
Variant AutoObject::GetProperty(int32_t dispid, DispArgs index) { return Get(Member(dispid), index); }
void AutoObject::SetProperty(std::string_view name, const Variant& value, DispArgs index) {
    Put(Member(name), value, index);
}
void AutoObject::SetProperty(int32_t dispid, const Variant& value, DispArgs index) {
    Put(Member(dispid), value, index);
}
Variant AutoObject::Invoke(std::string_view name, DispArgs args) { return Call(Member(name), args); }
Variant AutoObject::Invoke(int32_t dispid, DispArgs args) { return Call(Member(dispid), args); }

}  // namespace vx
