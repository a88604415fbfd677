// One pass of the catalogue-file check shared by the fuzz target and the
// corpus test: read the bytes as a catalogue, show it as JSON, change it and
// save it incrementally onto the same bytes, then read that back; what was
// saved must hold what the catalogue held, and a full rewrite of it must be
// a fixed point. Damage may make the first read fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueDump.h"

namespace vxfuzz {

inline std::string SameCatalogues(const CCatalogue& a, const CCatalogue& b) {
    if (a.ItemCount() != b.ItemCount()) return "the item count differs";
    for (size_t i = 0; i < a.ItemCount(); ++i)
        if (!a.item(i).SameContents(b.item(i))) return "item " + std::to_string(i) + " differs";
    if (!a.propertyObject().SameContents(b.propertyObject())) return "the property object differs";
    return {};
}

// Empty when the bytes behaved, else what went wrong. Needs the catalogue
// classes registered.
inline std::string CheckCatalogue(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    CCatalogue cat;
    if (!cat.OpenFromBytes(file).empty()) return {};
    (void)DumpCatalogueJson(cat);
    // One changed item and one changed setting, appended to the same bytes.
    if (cat.ItemCount() > 0) cat.item(0).SetName(cat.item(0).name() + "+");
    cat.propertyObject().SetNamedData("Fuzz", std::vector<uint8_t>{1, 2});
    if (!cat.SaveToBuffer(file).empty()) return {};  // too large to address
    CCatalogue back;
    if (std::string err = back.OpenFromBytes(file); !err.empty()) return "the saved catalogue does not read back: " + err;
    if (std::string diff = SameCatalogues(cat, back); !diff.empty()) return "after saving, " + diff;
    std::vector<uint8_t> full, again;
    if (!back.SaveToBuffer(full, 0).empty()) return {};
    CCatalogue rewritten;
    if (std::string err = rewritten.OpenFromBytes(full); !err.empty()) return "the rewritten catalogue does not read back: " + err;
    if (std::string diff = SameCatalogues(cat, rewritten); !diff.empty()) return "after rewriting, " + diff;
    if (!rewritten.SaveToBuffer(again, 0).empty() || again != full) return "the rewritten catalogue writes differently";
    return {};
}

}  // namespace vxfuzz
