#include "catalogue/CatalogueOb.h"

#include <algorithm>

VX_IMPLEMENT_SERIAL(CCatalogueOb, CObject, 0)

namespace vx {

void WriteArrayCount(CArchive& ar, uint64_t n) {
    if (n > 0xFFFFFFFFu) throw CArchiveException("a list is too long to store", -1);
    if (n < 0xFFFF) {
        ar.WriteWord(uint16_t(n));
    } else {
        ar.WriteWord(0xFFFF);
        ar.WriteDword(uint32_t(n));
    }
}

uint32_t ReadArrayCount(CArchive& ar) {
    const uint16_t w = ar.ReadWord();
    return w == 0xFFFF ? ar.ReadDword() : w;
}

}  // namespace vx

CCatalogueOb::CCatalogueOb() = default;
CCatalogueOb::~CCatalogueOb() = default;

std::unique_ptr<CCatalogueOb> CCatalogueOb::Clone(bool keepOffsets) const {
    auto copy = std::make_unique<CCatalogueOb>();
    copy->name_ = name_;
    if (colour_) copy->colour_ = colour_->Clone();
    if (mask_) copy->mask_ = mask_->Clone();
    copy->formats_ = formats_;
    copy->formatNames_ = formatNames_;
    copy->sizes_ = sizes_;
    copy->data_ = data_;
    if (keepOffsets) copy->offsets_ = offsets_;
    return copy;
}

namespace {

bool SameImage(const CDib* a, const CDib* b) {
    if (!a || !b) return a == b;
    return *a == *b;
}

}  // namespace

bool CCatalogueOb::SameContents(const CCatalogueOb& other) const {
    return name_ == other.name_ && SameImage(colour_.get(), other.colour_.get()) &&
           SameImage(mask_.get(), other.mask_.get()) && formats_ == other.formats_ &&
           formatNames_ == other.formatNames_ && sizes_ == other.sizes_ && data_ == other.data_;
}

void CCatalogueOb::SetName(std::string name) {
    if (name == name_) return;
    name_ = std::move(name);
    offsets_[kNamePart] = 0;
}

void CCatalogueOb::SetIcon(std::unique_ptr<CDib> colour, std::unique_ptr<CDib> mask) {
    colour_ = std::move(colour);
    mask_ = std::move(mask);
    offsets_[kColourPart] = 0;
    offsets_[kMaskPart] = 0;
}

void CCatalogueOb::AddFormat(uint32_t format, std::string formatName, std::span<const uint8_t> data) {
    if (data.size() > 0xFFFFFFFFu) throw std::length_error("a clipboard format of 4 GB or more cannot be kept");
    formats_.push_back(format);
    formatNames_.push_back(std::move(formatName));
    sizes_.push_back(uint32_t(data.size()));
    data_.emplace_back(data.begin(), data.end());
    offsets_[kEntriesPart] = 0;
}

void CCatalogueOb::RemoveEntryAt(size_t i) {
    if (i >= formats_.size()) return;
    formats_.erase(formats_.begin() + ptrdiff_t(i));
    formatNames_.erase(formatNames_.begin() + ptrdiff_t(i));
    sizes_.erase(sizes_.begin() + ptrdiff_t(i));
    data_.erase(data_.begin() + ptrdiff_t(i));
    offsets_[kEntriesPart] = 0;
}

void CCatalogueOb::RemoveAllEntries() {
    if (formats_.empty()) return;
    formats_.clear();
    formatNames_.clear();
    sizes_.clear();
    data_.clear();
    offsets_[kEntriesPart] = 0;
}

int CCatalogueOb::FindEntry(std::string_view key) const {
    for (size_t i = 0; i < formatNames_.size(); ++i)
        if (formatNames_[i] == key) return int(i);
    return -1;
}

bool CCatalogueOb::RemoveEntry(std::string_view key) {
    bool removed = false;
    for (int i; (i = FindEntry(key)) >= 0; removed = true) RemoveEntryAt(size_t(i));
    return removed;
}

void CCatalogueOb::SetNamedData(std::string_view key, std::span<const uint8_t> data) {
    RemoveEntry(key);
    AddFormat(0, std::string(key), data);
}

int CCatalogueOb::GetNamedData(std::string_view key, void* buffer, uint32_t& size) const {
    const int i = FindEntry(key);
    if (i < 0) return -1;
    const uint32_t capacity = size;
    size = sizes_[size_t(i)];
    if (capacity < size) return -1;
    if (size) std::copy(data_[size_t(i)].begin(), data_[size_t(i)].end(), static_cast<uint8_t*>(buffer));
    return 0;
}

bool CCatalogueOb::IsModified() const {
    return std::any_of(offsets_.begin(), offsets_.end(), [](uint32_t o) { return o == 0; });
}

uint64_t CCatalogueOb::HeldBytes() const {
    uint64_t n = name_.size();
    if (colour_) n += colour_->bytes().size();
    if (mask_) n += mask_->bytes().size();
    for (size_t i = 0; i < formats_.size(); ++i)
        // Each entry takes at least nine bytes in the file.
        n += 9 + formatNames_[i].size() + data_[i].size();
    return n;
}

void CCatalogueOb::WriteEntries(CArchive& ar) const {
    vx::WriteArrayCount(ar, formats_.size());
    for (uint32_t f : formats_) ar.WriteDword(f);
    vx::WriteArrayCount(ar, formatNames_.size());
    for (const std::string& s : formatNames_) ar.WriteString(s);
    vx::WriteArrayCount(ar, sizes_.size());
    for (uint32_t n : sizes_) ar.WriteDword(n);
    for (const std::vector<uint8_t>& d : data_) ar.WriteBytes(d.data(), d.size());
}

void CCatalogueOb::ReadEntries(CArchive& ar) {
    const uint32_t n = vx::ReadArrayCount(ar);
    ar.CheckCount(n, 4, "the format numbers of an item");
    std::vector<uint32_t> formats(n);
    for (uint32_t& f : formats) f = ar.ReadDword();

    size_t at = ar.Tell();
    if (vx::ReadArrayCount(ar) != n) ar.FailAt("the format names of an item are not as many as its formats", at);
    ar.CheckCount(n, 1, "the format names of an item");
    std::vector<std::string> names(n);
    for (std::string& s : names) s = ar.ReadString();

    at = ar.Tell();
    if (vx::ReadArrayCount(ar) != n) ar.FailAt("the data sizes of an item are not as many as its formats", at);
    ar.CheckCount(n, 4, "the data sizes of an item");
    std::vector<uint32_t> sizes(n);
    uint64_t total = 0;
    for (uint32_t& s : sizes) total += (s = ar.ReadDword());
    if (total > ar.Remaining())
        ar.Fail("the data of an item (" + std::to_string(total) + " bytes) is longer than the " +
                std::to_string(ar.Remaining()) + " bytes that remain");
    std::vector<std::vector<uint8_t>> data(n);
    for (uint32_t i = 0; i < n; ++i) {
        data[i].resize(sizes[i]);
        if (sizes[i]) ar.ReadBytes(data[i].data(), sizes[i]);
    }
    formats_ = std::move(formats);
    formatNames_ = std::move(names);
    sizes_ = std::move(sizes);
    data_ = std::move(data);
}

void CCatalogueOb::WritePart(Part part, CArchive& ar) const {
    switch (part) {
        case kNamePart: ar.WriteString(name_); break;
        case kColourPart: ar.WriteObject(colour_.get()); break;
        case kMaskPart: ar.WriteObject(mask_.get()); break;
        case kEntriesPart: WriteEntries(ar); break;
        case kPartCount: break;
    }
}

void CCatalogueOb::ReadPart(Part part, CArchive& ar) {
    switch (part) {
        case kNamePart: name_ = ar.ReadString(); break;
        case kColourPart: colour_ = ar.ReadOwned<CDib>(); break;
        case kMaskPart: mask_ = ar.ReadOwned<CDib>(); break;
        case kEntriesPart: ReadEntries(ar); break;
        case kPartCount: break;
    }
}

void CCatalogueOb::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteEntries(ar);
        ar.WriteString(name_);
        ar.WriteObject(colour_.get());
        ar.WriteObject(mask_.get());
        return;
    }
    ReadEntries(ar);
    name_ = ar.ReadString();
    colour_ = ar.ReadOwned<CDib>();
    mask_ = ar.ReadOwned<CDib>();
    offsets_ = {};
}
