// Scripting access to objects: each class lists its automation members
// (properties and methods with a name and a dispatch id) in one table, and
// callers read, write and invoke them by name (ignoring case) or by id.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vx {

class AutoObject;

// A small tagged value: empty, long, double, bool, string or object.
class Variant {
public:
    enum class Type { Empty, Long, Double, Bool, String, Object };

    Variant() = default;
    Variant(int32_t v) : v_(v) {}
    Variant(int64_t v) = delete;  // be explicit about 32-bit values
    Variant(double v) : v_(v) {}
    Variant(bool v) : v_(v) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(std::string_view s) : v_(std::string(s)) {}
    Variant(AutoObject* o) : v_(o) {}

    Type type() const { return Type(v_.index()); }
    bool IsEmpty() const { return type() == Type::Empty; }
    bool IsString() const { return type() == Type::String; }

    // Conversions in the manner of the original variant type: numbers from
    // strings are parsed (a string that is not a number is a type mismatch),
    // doubles become longs rounded half away from zero, bools are -1 or 0.
    int32_t ToLong() const;
    double ToDouble() const;
    bool ToBool() const;
    std::string ToString() const;
    AutoObject* ToObject() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, int32_t, double, bool, std::string, AutoObject*> v_;
};

// Failure of an automation call: unknown member, wrong access, bad argument.
class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using DispArgs = std::span<const Variant>;

// One property or method of a class.
struct DispMember {
    enum class Kind { Property, Method };
    std::string name;
    int32_t dispid = 0;
    Kind kind = Kind::Property;
    Variant::Type type = Variant::Type::Empty;  // value or result type
    // Property read (with index arguments) or method call.
    std::function<Variant(AutoObject&, DispArgs)> get;
    // Property write (with index arguments); empty for read-only properties.
    std::function<void(AutoObject&, DispArgs, const Variant&)> put;
};

// The members one class declares, chained to the members of its base class.
// Lookups search the class's own members first, then the base's.
class DispatchTable {
public:
    DispatchTable(const DispatchTable* base, std::vector<DispMember> members);

    const DispMember* Find(std::string_view name) const;
    const DispMember* Find(int32_t dispid) const;
    // All members, own first, then the base's (overridden ones once).
    std::vector<const DispMember*> Members() const;

private:
    const DispatchTable* base_;
    std::vector<DispMember> members_;
};

// Helpers that build members from typed lambdas.
template <class T>
DispMember DispProp(std::string name, int32_t id, Variant::Type type, std::function<Variant(T&)> get,
                    std::function<void(T&, const Variant&)> put = {}) {
    DispMember m;
    m.name = std::move(name);
    m.dispid = id;
    m.kind = DispMember::Kind::Property;
    m.type = type;
    m.get = [get](AutoObject& o, DispArgs) { return get(static_cast<T&>(o)); };
    if (put) m.put = [put](AutoObject& o, DispArgs, const Variant& v) { put(static_cast<T&>(o), v); };
    return m;
}

template <class T>
DispMember DispIndexedProp(std::string name, int32_t id, Variant::Type type,
                           std::function<Variant(T&, DispArgs)> get,
                           std::function<void(T&, DispArgs, const Variant&)> put = {}) {
    DispMember m;
    m.name = std::move(name);
    m.dispid = id;
    m.kind = DispMember::Kind::Property;
    m.type = type;
    m.get = [get](AutoObject& o, DispArgs a) { return get(static_cast<T&>(o), a); };
    if (put) m.put = [put](AutoObject& o, DispArgs a, const Variant& v) { put(static_cast<T&>(o), a, v); };
    return m;
}

template <class T>
DispMember DispMethod(std::string name, int32_t id, Variant::Type result, size_t argCount,
                      std::function<Variant(T&, DispArgs)> call) {
    DispMember m;
    m.name = std::move(name);
    m.dispid = id;
    m.kind = DispMember::Kind::Method;
    m.type = result;
    m.get = [call, argCount, n = m.name](AutoObject& o, DispArgs a) {
        if (a.size() < argCount) throw AutomationError("Argument not optional: " + n);
        return call(static_cast<T&>(o), a);
    };
    return m;
}

// An object that scripts can drive.
class AutoObject {
public:
    virtual ~AutoObject() = default;
    virtual const DispatchTable& GetDispatchTable() const = 0;

    Variant GetProperty(std::string_view name, DispArgs index = {});
    Variant GetProperty(int32_t dispid, DispArgs index = {});
    void SetProperty(std::string_view name, const Variant& value, DispArgs index = {});
    void SetProperty(int32_t dispid, const Variant& value, DispArgs index = {});
    Variant Invoke(std::string_view name, DispArgs args = {});
    Variant Invoke(int32_t dispid, DispArgs args = {});

private:
    const DispMember& Member(std::string_view name) const;
    const DispMember& Member(int32_t dispid) const;
    Variant Get(const DispMember& m, DispArgs index);
    void Put(const DispMember& m, const Variant& value, DispArgs index);
    Variant Call(const DispMember& m, DispArgs args);
};

// Dispatch ids with a fixed meaning.
constexpr int32_t DISPID_VALUE = 0;

}  // namespace vx
