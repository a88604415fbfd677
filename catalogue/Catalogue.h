// A catalogue: the items of one .cat file, in display order, and the
// catalogue's property object, which carries catalogue-wide settings as
// named entries and is not shown as an item.
//
// The file is append-only: a save normally writes only the parts of the
// items that changed and a new directory at the end, flushes them, and then
// points the header at the new directory. After `threshold` such saves, or
// when the file changed behind the catalogue's back, the save rewrites the
// whole file compactly through a temporary file that replaces it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/CatalogueOb.h"

class CCatalogue : public CObject {
    VX_DECLARE_CLASS(CCatalogue)
public:
    static constexpr uint32_t kMagic = 0x54414348;  // the bytes "HCAT"
    static constexpr uint32_t kVersion = 0x01000000;
    static constexpr uint32_t kHeaderSize = 12;     // magic, version, directory offset
    static constexpr uint32_t kDirectoryField = 8;  // where the directory offset is kept
    static constexpr uint32_t kItemHeaderSize = 16;
    // Incremental saves before the next save rewrites the file in full.
    static constexpr int kDefaultSaveThreshold = 10;
    // The largest catalogue file that is read: 256 MB, some 50,000 items
    // with icons and a few KB of shapes each.
    static constexpr uint64_t kMaxFileBytes = uint64_t(256) << 20;

    // An empty, untitled catalogue named "New Catalogue".
    CCatalogue();
    ~CCatalogue() override;

    // ---- items ----
    size_t ItemCount() const { return items_.size(); }
    CCatalogueOb& item(size_t i) { return *items_[i]; }
    const CCatalogueOb& item(size_t i) const { return *items_[i]; }
    // Where item i's header is in the file; 0 when it is not written yet.
    uint32_t itemOffset(size_t i) const { return itemOffsets_[i]; }
    void Add(std::unique_ptr<CCatalogueOb> ob);
    // Inserts before index `i` (at the end when `i` is past it).
    void Insert(size_t i, std::unique_ptr<CCatalogueOb> ob);
    // Takes item i out; null when there is none.
    std::unique_ptr<CCatalogueOb> Remove(size_t i);
    // Moves item `from` so that it ends up at index `to`.
    void Move(size_t from, size_t to);
    void RemoveAll();

    CCatalogueOb& propertyObject() { return *property_; }
    const CCatalogueOb& propertyObject() const { return *property_; }
    uint32_t propertyOffset() const { return propertyOffset_; }

    const std::string& path() const { return path_; }
    const std::string& name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    bool readOnly() const { return readOnly_; }
    // Incremental saves since the last full rewrite.
    int saveCount() const { return saveCount_; }
    // Whether the last successful save rewrote the whole file.
    bool lastSaveWasFull() const { return lastSaveFull_; }

    // ---- files ----
    // Reads the catalogue at `path` in place of this one. Returns an empty
    // string, or the cause (for a damaged file with the place where the
    // damage is); on failure this catalogue stays as it was.
    std::string Open(const std::string& path);
    // Saves to `path()`: incrementally, or in full when the file is not (or
    // no longer) the one this catalogue was read from or last saved to, or
    // when the save count, increased by one, exceeds `threshold`. Returns an
    // empty string or the cause. A file that cannot be written to (read-only)
    // fails the save before anything changes; any later failure leaves the
    // file as it was (or, once the new directory is flushed, as saved) and
    // makes the next save a full rewrite.
    std::string Save(int threshold = kDefaultSaveThreshold);
    // Sets the path and rewrites the whole file there.
    std::string SaveAs(const std::string& path);

    // The same on bytes in memory (tests, fuzzing, benchmarks): `file` plays
    // the file.
    std::string OpenFromBytes(std::vector<uint8_t> bytes);
    std::string SaveToBuffer(std::vector<uint8_t>& file, int threshold = kDefaultSaveThreshold);

    // A deep copy with the same offsets, path and name, so it can stand in
    // for this catalogue (a backup restored after a failed save).
    std::unique_ptr<CCatalogue> Copy() const;

    // The file's read-only attribute (no write permission for anyone).
    // Each returns 1 when it changed it, 0 when it was already so, -1 when
    // it cannot be changed.
    int SetReadOnly();
    int ClearReadOnly();

private:
    struct FileState {
        bool known = false;  // false: the next save rewrites in full
        uint64_t size = 0;
        uint32_t directory = 0;
        dev_t device = 0;
        ino_t inode = 0;
    };
    struct SavePlan;

    // Reads the whole file image; throws CArchiveException.
    void ReadFrom(std::span<const uint8_t> file);
    void ReadCurrentFormat(std::span<const uint8_t> file);
    void ReadOlderFormat(std::span<const uint8_t> file);
    void TakeOver(CCatalogue& read);
    // Whether a save may append to a file with this header, size and identity.
    bool CanAppend(const uint8_t* header, uint64_t size, dev_t device, ino_t inode, int threshold) const;
    // The bytes a save writes: the whole file, or what is appended to a file
    // of `base` bytes. False when the offsets would pass 4 GB.
    bool BuildPlan(bool full, uint64_t base, SavePlan& plan) const;
    void Commit(const SavePlan& plan, uint64_t fileSize);
    void ClearAllOffsets();
    // After a failed save: every offset cleared, the next save is in full.
    void AfterFailedSave();

    std::vector<std::unique_ptr<CCatalogueOb>> items_;
    std::vector<uint32_t> itemOffsets_;
    std::unique_ptr<CCatalogueOb> property_;
    uint32_t propertyOffset_ = 0;
    std::string path_;
    std::string name_;
    bool readOnly_ = false;
    int saveCount_ = 0;
    bool lastSaveFull_ = false;
    FileState file_;
};

// Registers the catalogue's stored classes with the class registry.
void RegisterCatalogueClasses();
