// Persistent objects and their class information. Every class that can be
// stored in a design file (or on the clipboard) is registered by name with a
// schema number and a factory, and knows its base class for kind checks.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class CArchive;
class CObject;

struct CClassInfo {
    const char* name;
    int schema;
    const CClassInfo* base;
    std::unique_ptr<CObject> (*create)();  // null for abstract classes

    // True when this class is `other` or derives from it.
    bool IsDerivedFrom(const CClassInfo& other) const {
        for (const CClassInfo* c = this; c; c = c->base)
            if (c == &other) return true;
        return false;
    }
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CClassInfo& GetClass() const { return classInfo; }
    // Writes or reads the object's record (the archive knows which).
    virtual void Serialize(CArchive&) {}

    bool IsKindOf(const CClassInfo& c) const { return GetClass().IsDerivedFrom(c); }
    const char* ClassName() const { return GetClass().name; }

    static const CClassInfo classInfo;
};

// Casts when the object is of class T or derived from it, else null.
template <class T>
T* DynamicDowncast(CObject* o) {
    return (o && o->IsKindOf(T::classInfo)) ? static_cast<T*>(o) : nullptr;
}
template <class T>
const T* DynamicDowncast(const CObject* o) {
    return (o && o->IsKindOf(T::classInfo)) ? static_cast<const T*>(o) : nullptr;
}

// The names under which stored classes are created.
class CClassRegistry {
public:
    static CClassRegistry& Instance();
    void Register(const CClassInfo& info);
    const CClassInfo* Find(std::string_view name) const;
    // Creates an object of the named class; null when unknown or abstract.
    std::unique_ptr<CObject> Create(std::string_view name) const;
    // Every registered class, in the order of registration.
    std::vector<const CClassInfo*> All() const;

private:
    CClassRegistry() = default;
    struct Entry {
        std::string_view name;
        const CClassInfo* info;
    };
    Entry entries_[256] = {};
    int count_ = 0;
};

// Declares the class information of a persistent class.
#define VX_DECLARE_CLASS(Class)                                   \
public:                                                           \
    static const CClassInfo classInfo;                            \
    const CClassInfo& GetClass() const override { return classInfo; }

// Defines the class information of a class that files can create.
#define VX_IMPLEMENT_SERIAL(Class, Base, Schema)                                                  \
    const CClassInfo Class::classInfo = {#Class, Schema, &Base::classInfo,                         \
                                         []() -> std::unique_ptr<CObject> { return std::make_unique<Class>(); }};

// Defines the class information of an abstract class.
#define VX_IMPLEMENT_ABSTRACT(Class, Base) \
    const CClassInfo Class::classInfo = {#Class, 0, &Base::classInfo, nullptr};
