// One catalogue item: a name, a square icon (colour image and mask) and the
// data a copy put on the clipboard, one entry per clipboard format. Items
// also carry named entries (format 0, the key as format name), which is how
// the catalogue's property object keeps its settings.
//
// An item remembers where its four parts lie in the catalogue file it was
// read from or last saved to; a part whose offset is 0 is not in the file
// and is written by the next save. Changes clear the offsets of the parts
// they touch.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Dib.h"

class QImage;

class CCatalogueOb : public CObject {
    VX_DECLARE_CLASS(CCatalogueOb)
public:
    // The parts of an item in the file, in the order they are written.
    enum Part { kNamePart, kColourPart, kMaskPart, kEntriesPart, kPartCount };
    using PartOffsets = std::array<uint32_t, kPartCount>;

    // The named entry that marks a catalogue's property object.
    static constexpr const char* kPropertyObjectKey = "Catalogue Property Object";

    CCatalogueOb();
    ~CCatalogueOb() override;
    // A deep copy. With `keepOffsets` false the copy counts as not written
    // (for an item that goes into another catalogue or another place).
    std::unique_ptr<CCatalogueOb> Clone(bool keepOffsets = false) const;
    // Same name, icon and entries (offsets are not compared).
    bool SameContents(const CCatalogueOb& other) const;

    const std::string& name() const { return name_; }
    void SetName(std::string name);

    const CDib* colourImage() const { return colour_.get(); }
    const CDib* maskImage() const { return mask_.get(); }
    // Replaces the icon (either image may be null).
    void SetIcon(std::unique_ptr<CDib> colour, std::unique_ptr<CDib> mask);
    // Makes the icon from `image` at `size` x `size` pixels: a larger image
    // is stretched to fit and gets no mask; a smaller one is centred on a
    // black square with a mask that is white around it and black under it,
    // or, when `mask` has the image's size, that mask there.
    void SetIconFromImage(const QImage& image, const QImage* mask, int size);

    // ---- entries (four parallel arrays) ----
    size_t EntryCount() const { return formats_.size(); }
    uint32_t formatAt(size_t i) const { return formats_[i]; }
    const std::string& formatNameAt(size_t i) const { return formatNames_[i]; }
    uint32_t sizeAt(size_t i) const { return sizes_[i]; }
    std::span<const uint8_t> dataAt(size_t i) const { return data_[i]; }
    // Appends one clipboard format: its number, its registered name ("" for
    // the predefined formats) and a copy of its bytes.
    void AddFormat(uint32_t format, std::string formatName, std::span<const uint8_t> data);
    void RemoveEntryAt(size_t i);
    void RemoveAllEntries();

    // ---- named entries ----
    // The index of the first entry named `key`, or -1.
    int FindEntry(std::string_view key) const;
    // Removes the entries named `key`; false when there was none.
    bool RemoveEntry(std::string_view key);
    // Replaces the entry named `key` by one holding a copy of `data`.
    void SetNamedData(std::string_view key, std::span<const uint8_t> data);
    // Copies the data of the entry named `key` into `buffer`, whose size is
    // passed in `size`; `size` returns the stored size. Returns 0, or -1 when
    // there is no such entry or the buffer is too small.
    int GetNamedData(std::string_view key, void* buffer, uint32_t& size) const;

    // ---- place in the file ----
    const PartOffsets& partOffsets() const { return offsets_; }
    void SetPartOffsets(const PartOffsets& offsets) { offsets_ = offsets; }
    void ClearOffsets() { offsets_ = {}; }
    // True when a part is not in the file.
    bool IsModified() const;

    // The parts, each written by an archive of its own.
    void WritePart(Part part, CArchive& ar) const;
    void ReadPart(Part part, CArchive& ar);
    // The bytes the item holds in memory (names, images, data); used to
    // bound what a damaged file can make a reader allocate.
    uint64_t HeldBytes() const;

    // The item as one block of the "Catalogue Object" clipboard format: the
    // item written as an object (class part and record).
    std::vector<uint8_t> ToCatalogueObjectBlock() const;
    // Reads such a block; null (and why) when it is damaged.
    static std::unique_ptr<CCatalogueOb> FromCatalogueObjectBlock(std::span<const uint8_t> block,
                                                                  std::string* why = nullptr);

    // The whole item as one record (the older catalogue file and the
    // "Catalogue Object" clipboard block): the entry arrays, the data, the
    // name, then both images as objects.
    void Serialize(CArchive& ar) override;

private:
    void WriteEntries(CArchive& ar) const;
    void ReadEntries(CArchive& ar);

    std::string name_;
    std::unique_ptr<CDib> colour_;
    std::unique_ptr<CDib> mask_;
    std::vector<uint32_t> formats_;
    std::vector<std::string> formatNames_;
    std::vector<uint32_t> sizes_;
    std::vector<std::vector<uint8_t>> data_;
    PartOffsets offsets_ = {};
};

namespace vx {
// The array counts of catalogue records: a WORD below 0xFFFF, else 0xFFFF
// and a DWORD.
void WriteArrayCount(CArchive& ar, uint64_t n);
uint32_t ReadArrayCount(CArchive& ar);
}  // namespace vx
