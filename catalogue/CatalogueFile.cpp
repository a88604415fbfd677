// Reading and laying out the catalogue file:
//
//   0   "HCAT"
//   4   version 0x01000000
//   8   D, the offset of the current directory
//   12  parts and item headers, appended in save order
//   D   directory: N, then N header offsets (the items, then the property object)
//
// An item header is four DWORD offsets: name, colour image, mask, entries.
// Each part is written by an archive of its own, so each starts its object
// index afresh. Older files hold one length-prefixed block with all items.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueInternal.h"

namespace {

// The fewest bytes an item takes in a file: its directory entry, its
// header, an empty name, two null images and an empty entries part.
constexpr uint64_t kMinItemBytes = 4 + CCatalogue::kItemHeaderSize + 1 + 2 + 2 + 6;

uint32_t DwordAt(std::span<const uint8_t> d, size_t at) {
    uint32_t v;
    std::memcpy(&v, d.data() + at, 4);
    return v;
}

void PutDword(std::vector<uint8_t>& out, uint32_t v) {
    const auto* b = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), b, b + 4);
}

[[noreturn]] void Damage(const std::string& reason, uint64_t at) { throw CArchiveException(reason, int64_t(at)); }

const char* PartName(int part) {
    static const char* const names[] = {"name part", "colour image part", "mask part", "entries part"};
    return names[part];
}

// "item 3" or "the property object" style place of directory entry i.
std::string EntryPlace(uint32_t i, uint32_t n) {
    return i + 1 == n ? "directory entry " + std::to_string(i + 1) + " (the last)"
                      : "directory entry " + std::to_string(i + 1);
}

}  // namespace

void CCatalogue::ReadFrom(std::span<const uint8_t> file) {
    if (file.empty()) Damage("the file is empty", 0);
    if (file.size() < 4) Damage("the file is too short to be a catalogue", 0);
    if (DwordAt(file, 0) == kMagic)
        ReadCurrentFormat(file);
    else
        ReadOlderFormat(file);
    // The property object is the one holding the marking entry. Saves put
    // it last; when the last does not hold it, the first one that does.
    const auto marked = [&](size_t i) { return items_[i]->FindEntry(CCatalogueOb::kPropertyObjectKey) >= 0; };
    for (size_t k = 0; k <= items_.size(); ++k) {
        const size_t i = k == 0 ? items_.size() - 1 : k - 1;
        if (items_.empty() || !marked(i)) continue;
        property_ = std::move(items_[i]);
        propertyOffset_ = itemOffsets_[i];
        items_.erase(items_.begin() + ptrdiff_t(i));
        itemOffsets_.erase(itemOffsets_.begin() + ptrdiff_t(i));
        break;
    }
}

void CCatalogue::ReadCurrentFormat(std::span<const uint8_t> file) {
    const uint64_t size = file.size();
    if (size < kHeaderSize) Damage("the file ends inside its 12-byte header", size);
    const uint32_t version = DwordAt(file, 4);
    if (version != kVersion) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", unsigned(version));
        Damage(std::string("the catalogue version ") + hex + " is not supported", 4);
    }
    const uint32_t d = DwordAt(file, kDirectoryField);
    if (d < kHeaderSize || uint64_t(d) + 4 > size)
        Damage("the directory offset " + std::to_string(d) + " is outside the " + std::to_string(size) +
                   "-byte file's contents",
               kDirectoryField);
    const uint32_t n = DwordAt(file, d);
    if (n > (size - d - 4) / 4)
        Damage("the directory lists " + std::to_string(n) + " items, more than its " +
                   std::to_string(size - d - 4) + " remaining bytes can hold",
               d);
    // Every item takes its own directory entry, header and parts, so what
    // the items hold is bounded by the file; a directory that names one big
    // part many times would not be.
    uint64_t held = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const uint64_t at = uint64_t(d) + 4 + 4 * uint64_t(i);
        const uint32_t header = DwordAt(file, size_t(at));
        if (header < kHeaderSize || uint64_t(header) + kItemHeaderSize > size)
            Damage(EntryPlace(i, n) + ": the item header offset " + std::to_string(header) +
                       " is outside the file's contents",
                   at);
        auto ob = std::make_unique<CCatalogueOb>();
        CCatalogueOb::PartOffsets parts;
        for (int p = 0; p < CCatalogueOb::kPartCount; ++p) {
            const uint64_t field = uint64_t(header) + 4 * uint64_t(p);
            parts[size_t(p)] = DwordAt(file, size_t(field));
            const uint32_t off = parts[size_t(p)];
            const std::string place = EntryPlace(i, n) + ", " + PartName(p);
            if (off < kHeaderSize || off >= size)
                Damage(place + ": the offset " + std::to_string(off) + " is outside the file's contents", field);
            CArchive ar(file.subspan(off));
            try {
                ob->ReadPart(CCatalogueOb::Part(p), ar);
            } catch (const CArchiveException& e) {
                Damage(place + " at byte " + std::to_string(off) + ": " + e.reason(),
                       e.offset() < 0 ? off : off + uint64_t(e.offset()));
            }
        }
        ob->SetPartOffsets(parts);
        held += kMinItemBytes + ob->HeldBytes();
        // Text grows at most threefold from its stored form to UTF-8.
        if (held > 3 * size)
            Damage(EntryPlace(i, n) + ": the items hold more than the file can; parts are shared", header);
        items_.push_back(std::move(ob));
        itemOffsets_.push_back(header);
    }
}

void CCatalogue::ReadOlderFormat(std::span<const uint8_t> file) {
    const uint32_t length = DwordAt(file, 0);
    if (length > file.size() - 4)
        Damage("the file starts neither with \"HCAT\" nor with the length of an older catalogue (" +
                   std::to_string(length) + " bytes, but " + std::to_string(file.size() - 4) + " follow)",
               0);
    CArchive ar(file.subspan(4, length));
    try {
        const uint32_t n = vx::ReadArrayCount(ar);
        ar.CheckCount(n, 2, "the items of an older catalogue");
        for (uint32_t i = 0; i < n; ++i) {
            std::unique_ptr<CCatalogueOb> ob = ar.ReadOwned<CCatalogueOb>();
            if (!ob) continue;
            items_.push_back(std::move(ob));
            itemOffsets_.push_back(0);
        }
    } catch (const CArchiveException& e) {
        Damage("older catalogue: " + e.reason(), e.offset() < 0 ? 4 : 4 + uint64_t(e.offset()));
    }
}

bool CCatalogue::BuildPlan(bool full, uint64_t base, SavePlan& plan) const {
    plan = SavePlan();
    plan.full = full;
    plan.base = full ? 0 : base;
    std::vector<uint8_t>& out = plan.bytes;
    if (full) {
        PutDword(out, kMagic);
        PutDword(out, kVersion);
        PutDword(out, 0);  // the directory offset, filled in below
    }
    const auto pos = [&] { return plan.base + out.size(); };
    bool fits = true;
    const auto writeItem = [&](const CCatalogueOb& ob, CCatalogueOb::PartOffsets& parts, uint32_t& header) {
        if (full) {
            parts = {};
            header = 0;
        }
        if (header != 0 && !std::count(parts.begin(), parts.end(), 0u)) return;
        for (int p = 0; p < CCatalogueOb::kPartCount; ++p) {
            if (parts[size_t(p)] != 0) continue;
            parts[size_t(p)] = uint32_t(pos());
            CArchive ar;
            ob.WritePart(CCatalogueOb::Part(p), ar);
            out.insert(out.end(), ar.Buffer().begin(), ar.Buffer().end());
            if (pos() > 0xFFFFFFFFu) fits = false;
        }
        header = uint32_t(pos());
        for (uint32_t o : parts) PutDword(out, o);
    };
    plan.itemParts.reserve(items_.size());
    plan.itemHeaders = itemOffsets_;
    for (size_t i = 0; i < items_.size() && fits; ++i) {
        plan.itemParts.push_back(items_[i]->partOffsets());
        writeItem(*items_[i], plan.itemParts.back(), plan.itemHeaders[i]);
    }
    plan.propertyParts = property_->partOffsets();
    plan.propertyHeader = propertyOffset_;
    if (fits) writeItem(*property_, plan.propertyParts, plan.propertyHeader);
    if (!fits || pos() + 4 + 4 * (uint64_t(items_.size()) + 1) > 0xFFFFFFFFu) return false;
    plan.directory = uint32_t(pos());
    PutDword(out, uint32_t(items_.size() + 1));
    for (uint32_t h : plan.itemHeaders) PutDword(out, h);
    PutDword(out, plan.propertyHeader);
    if (full) std::memcpy(out.data() + kDirectoryField, &plan.directory, 4);
    return true;
}
