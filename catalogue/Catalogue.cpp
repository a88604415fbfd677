#include "catalogue/Catalogue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "catalogue/CatalogueInternal.h"
#include "platform/FileRead.h"
#include "platform/FileUpdate.h"
#include "platform/QtConv.h"
#include "platform/SafeSave.h"
#include "platform/StringTable.h"

VX_IMPLEMENT_SERIAL(CCatalogue, CObject, 0)

namespace {

// String id of the name of a new catalogue.
constexpr int kIdsNewCatalogue = 28591;

std::unique_ptr<CCatalogueOb> NewPropertyObject() {
    auto ob = std::make_unique<CCatalogueOb>();
    // The marking entry makes the next open find it again instead of
    // taking it for an item.
    ob->SetNamedData(CCatalogueOb::kPropertyObjectKey, {});
    return ob;
}

// The file title without the part from the last '.' on.
std::string TitleOf(const std::string& path) {
    const auto slash = path.rfind('/');
    std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = title.rfind('.');
    if (dot != std::string::npos) title.erase(dot);
    return title;
}

bool NoWritePermission(const struct stat& st) { return (st.st_mode & 0222) == 0; }

}  // namespace

void RegisterCatalogueClasses() {
    CClassRegistry::Instance().Register(CDib::classInfo);
    CClassRegistry::Instance().Register(CCatalogueOb::classInfo);
    CClassRegistry::Instance().Register(CCatalogue::classInfo);
}

CCatalogue::CCatalogue() : property_(NewPropertyObject()), name_(vx::LoadString(kIdsNewCatalogue)) {}

CCatalogue::~CCatalogue() = default;

// ---- items ----

void CCatalogue::Add(std::unique_ptr<CCatalogueOb> ob) { Insert(items_.size(), std::move(ob)); }

void CCatalogue::Insert(size_t i, std::unique_ptr<CCatalogueOb> ob) {
    if (!ob) return;
    i = std::min(i, items_.size());
    items_.insert(items_.begin() + ptrdiff_t(i), std::move(ob));
    itemOffsets_.insert(itemOffsets_.begin() + ptrdiff_t(i), 0);
}

std::unique_ptr<CCatalogueOb> CCatalogue::Remove(size_t i) {
    if (i >= items_.size()) return nullptr;
    std::unique_ptr<CCatalogueOb> ob = std::move(items_[i]);
    items_.erase(items_.begin() + ptrdiff_t(i));
    itemOffsets_.erase(itemOffsets_.begin() + ptrdiff_t(i));
    return ob;
}

void CCatalogue::Move(size_t from, size_t to) {
    if (from >= items_.size() || to >= items_.size() || from == to) return;
    std::unique_ptr<CCatalogueOb> ob = std::move(items_[from]);
    const uint32_t offset = itemOffsets_[from];
    items_.erase(items_.begin() + ptrdiff_t(from));
    itemOffsets_.erase(itemOffsets_.begin() + ptrdiff_t(from));
    items_.insert(items_.begin() + ptrdiff_t(to), std::move(ob));
    itemOffsets_.insert(itemOffsets_.begin() + ptrdiff_t(to), offset);
}

void CCatalogue::RemoveAll() {
    items_.clear();
    itemOffsets_.clear();
}

std::unique_ptr<CCatalogue> CCatalogue::Copy() const {
    auto copy = std::make_unique<CCatalogue>();
    for (const auto& ob : items_) copy->items_.push_back(ob->Clone(true));
    copy->itemOffsets_ = itemOffsets_;
    copy->property_ = property_->Clone(true);
    copy->propertyOffset_ = propertyOffset_;
    copy->path_ = path_;
    copy->name_ = name_;
    copy->readOnly_ = readOnly_;
    copy->saveCount_ = saveCount_;
    copy->file_ = file_;
    return copy;
}

// ---- reading ----

void CCatalogue::TakeOver(CCatalogue& read) {
    items_ = std::move(read.items_);
    itemOffsets_ = std::move(read.itemOffsets_);
    property_ = std::move(read.property_);
    propertyOffset_ = read.propertyOffset_;
    saveCount_ = 0;
}

std::string CCatalogue::OpenFromBytes(std::vector<uint8_t> bytes) {
    CCatalogue read;
    try {
        read.ReadFrom(bytes);
    } catch (const CArchiveException& e) {
        return "damaged catalogue: " + std::string(e.what());
    }
    TakeOver(read);
    file_ = FileState();
    uint32_t magic = 0;
    if (bytes.size() >= 4) std::memcpy(&magic, bytes.data(), 4);
    // An older file is rewritten in full by its first save.
    if (bytes.size() >= kHeaderSize && magic == kMagic) {
        file_.known = true;
        file_.size = bytes.size();
        std::memcpy(&file_.directory, bytes.data() + kDirectoryField, 4);
    }
    return {};
}

std::string CCatalogue::Open(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::string err = vx::ReadRegularFile(path, bytes, kMaxFileBytes); !err.empty()) return err;
    struct stat st;
    const bool statted = ::stat(path.c_str(), &st) == 0;
    if (std::string err = OpenFromBytes(bytes); !err.empty()) return err;
    // A file that changed while it was read is rewritten by the next save.
    if (!statted || uint64_t(st.st_size) != bytes.size()) file_.known = false;
    if (statted) {
        file_.device = st.st_dev;
        file_.inode = st.st_ino;
    }
    path_ = vx::FromQString(QFileInfo(vx::ToQString(path)).absoluteFilePath());
    name_ = TitleOf(path_);
    readOnly_ = statted && (NoWritePermission(st) || ::access(path.c_str(), W_OK) != 0);
    return {};
}

// ---- saving ----

bool CCatalogue::CanAppend(const uint8_t* header, uint64_t size, dev_t device, ino_t inode, int threshold) const {
    if (!file_.known || size != file_.size || device != file_.device || inode != file_.inode) return false;
    uint32_t magic, version, directory;
    std::memcpy(&magic, header, 4);
    std::memcpy(&version, header + 4, 4);
    std::memcpy(&directory, header + kDirectoryField, 4);
    if (magic != kMagic || version != kVersion || directory != file_.directory) return false;
    return saveCount_ + 1 <= threshold;
}

void CCatalogue::Commit(const SavePlan& plan, uint64_t fileSize) {
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i]->SetPartOffsets(plan.itemParts[i]);
        itemOffsets_[i] = plan.itemHeaders[i];
    }
    property_->SetPartOffsets(plan.propertyParts);
    propertyOffset_ = plan.propertyHeader;
    saveCount_ = plan.full ? 0 : saveCount_ + 1;
    lastSaveFull_ = plan.full;
    file_.known = true;
    file_.size = fileSize;
    file_.directory = plan.directory;
}

void CCatalogue::ClearAllOffsets() {
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i]->ClearOffsets();
        itemOffsets_[i] = 0;
    }
    property_->ClearOffsets();
    propertyOffset_ = 0;
}

void CCatalogue::AfterFailedSave() {
    ClearAllOffsets();
    file_ = FileState();
}

namespace {

const char* const kTooLarge = "the catalogue would be larger than the 4 GB a catalogue file can address";

}  // namespace

std::string CCatalogue::SaveToBuffer(std::vector<uint8_t>& file, int threshold) {
    SavePlan plan;
    bool full = file.size() < kHeaderSize || !CanAppend(file.data(), file.size(), 0, 0, threshold);
    if (!full && !BuildPlan(false, file.size(), plan)) full = true;
    if (full) {
        if (!BuildPlan(true, 0, plan)) return kTooLarge;
        file = std::move(plan.bytes);
    } else {
        file.insert(file.end(), plan.bytes.begin(), plan.bytes.end());
        std::memcpy(file.data() + kDirectoryField, &plan.directory, 4);
    }
    Commit(plan, file.size());
    return {};
}

std::string CCatalogue::Save(int threshold) {
    if (path_.empty()) return "the catalogue has no file name yet";
    const char* const kept = "; the file was left as it was";
    struct stat st;
    if (::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && NoWritePermission(st)) {
        readOnly_ = true;
        return std::string("the file is read-only") + kept;
    }
    vx::FileUpdate f;
    const int opened = f.Open(path_);
    if (opened == EACCES || opened == EPERM || opened == EROFS) readOnly_ = true;
    if (opened != 0 && opened != ENOENT) return vx::FileErrorText(opened) + kept;

    SavePlan plan;
    bool full = true;
    if (opened == 0) {
        uint8_t header[kHeaderSize];
        full = !f.ReadAt(0, header, kHeaderSize) || !CanAppend(header, f.size(), f.device(), f.inode(), threshold);
    }
    try {
        if (!full && !BuildPlan(false, f.size(), plan)) full = true;
        if (full && !BuildPlan(true, 0, plan)) return kTooLarge;
    } catch (const CArchiveException& e) {
        return e.what() + std::string(kept);
    }

    if (full) {
        f.CloseUnchanged();
        if (std::string err = vx::SaveFileSafely(path_, plan.bytes); !err.empty()) {
            AfterFailedSave();
            return err;
        }
        if (::stat(path_.c_str(), &st) != 0) {
            // Saved, but the file cannot be looked at again: do not append to it blindly.
            Commit(plan, plan.bytes.size());
            file_.known = false;
            return {};
        }
        Commit(plan, uint64_t(st.st_size));
        file_.device = st.st_dev;
        file_.inode = st.st_ino;
        readOnly_ = false;
        return {};
    }

    // The new parts and directory go after the old end and reach the disk
    // before the header points at them.
    const uint64_t oldSize = f.size();
    int e = f.WriteAt(oldSize, plan.bytes);
    if (!e) e = f.Sync();
    if (e) {
        f.Truncate(oldSize);
        AfterFailedSave();
        return vx::FileErrorText(e) + kept;
    }
    uint8_t d[4];
    std::memcpy(d, &plan.directory, 4);
    e = f.WriteAt(kDirectoryField, d);
    if (e) {
        // The directory offset still the old one: the file goes back to
        // what it was byte for byte.
        uint32_t now = 0;
        if (f.ReadAt(kDirectoryField, &now, 4) && now == file_.directory) f.Truncate(oldSize);
        AfterFailedSave();
        return vx::FileErrorText(e) + kept;
    }
    e = f.Sync();
    const int closed = f.Close();
    if (!e) e = closed;
    if (e) {
        AfterFailedSave();
        return vx::FileErrorText(e) + "; the file holds the catalogue as saved, but perhaps not yet on the disk";
    }
    Commit(plan, oldSize + plan.bytes.size());
    file_.device = f.device();
    file_.inode = f.inode();
    return {};
}

std::string CCatalogue::SaveAs(const std::string& path) {
    const std::string oldPath = path_;
    path_ = vx::FromQString(QFileInfo(vx::ToQString(path)).absoluteFilePath());
    // Another file: nothing of it is known.
    if (path_ != oldPath) file_ = FileState();
    return Save(0);
}

// ---- read-only attribute ----

namespace {

int ChangeWriteBits(const std::string& path, bool writable) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return -1;
    const mode_t mode = writable ? (st.st_mode | S_IWUSR) : (st.st_mode & ~mode_t(0222));
    if ((mode & 07777) == (st.st_mode & 07777)) return 0;
    return ::chmod(path.c_str(), mode & 07777) == 0 ? 1 : -1;
}

}  // namespace

int CCatalogue::SetReadOnly() {
    const int r = ChangeWriteBits(path_, false);
    if (r >= 0) readOnly_ = true;
    return r;
}

int CCatalogue::ClearReadOnly() {
    const int r = ChangeWriteBits(path_, true);
    if (r >= 0) readOnly_ = ::access(path_.c_str(), W_OK) != 0;
    return r;
}
