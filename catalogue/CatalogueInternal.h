// What a catalogue save writes, shared by the file layout and the save.
#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/Catalogue.h"

struct CCatalogue::SavePlan {
    bool full = false;
    // The file offset of bytes[0]: 0 for a full rewrite, else the old size.
    uint64_t base = 0;
    std::vector<uint8_t> bytes;
    // The new directory offset (D).
    uint32_t directory = 0;
    // The offsets every item and the property object have once it is saved.
    std::vector<CCatalogueOb::PartOffsets> itemParts;
    std::vector<uint32_t> itemHeaders;
    CCatalogueOb::PartOffsets propertyParts = {};
    uint32_t propertyHeader = 0;
};
