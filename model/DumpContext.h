// Writes a readable, stable JSON description of a design (fields in their
// stored order, one per line) for `vexelwork dump` and for diffing designs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

class CDumpContext {
public:
    void Field(std::string_view key, int64_t v);
    void Field(std::string_view key, int v) { Field(key, int64_t(v)); }
    void Field(std::string_view key, uint32_t v) { Field(key, int64_t(v)); }
    void Field(std::string_view key, double v);
    void Field(std::string_view key, bool v);
    void Field(std::string_view key, std::string_view v);
    void Field(std::string_view key, const char* v) { Field(key, std::string_view(v)); }
    void Field(std::string_view key, const std::string& v) { Field(key, std::string_view(v)); }
    // A rectangle as [left, top, right, bottom].
    void Field(std::string_view key, const CRect& r);
    void Null(std::string_view key);

    // Nested objects and arrays; an empty key inside an array.
    void BeginObject(std::string_view key = {});
    void EndObject();
    void BeginArray(std::string_view key = {});
    void EndArray();

    const std::string& str() const { return out_; }

private:
    void Key(std::string_view key);
    static void Quote(std::string& out, std::string_view s);

    std::string out_;
    // Per open container: true when something was written into it.
    std::vector<bool> hasItems_;
};
