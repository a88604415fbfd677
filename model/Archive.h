// The binary archive of design files, catalogue items and clipboard data:
// little-endian scalars, length-prefixed 8-bit strings (Windows-1252, with a
// UTF-16 form for text the code page cannot hold), version tags, optional
// section markers and object references that share one index counter.
//
// Loading treats the bytes as hostile: every length and count is checked
// against what remains before anything is allocated, and any damage throws
// CArchiveException with the byte offset where it was found.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Object.h"

class CHyperOleDoc;
class CHyperPage;

class CArchiveException : public std::runtime_error {
public:
    CArchiveException(const std::string& what, int64_t offset);
    // Byte offset at which the problem was found; -1 for write errors.
    int64_t offset() const { return offset_; }
    // The problem without the offset.
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
    int64_t offset_;
};

class CArchive {
public:
    // Markers of optional sections in untagged records.
    static constexpr uint32_t kMarker2 = 0x22222222;
    static constexpr uint32_t kMarker3 = 0x33333333;
    static constexpr uint32_t kMarker4 = 0x44444444;
    static constexpr uint32_t kEndMarker = 0xA5A5A5A5;
    static constexpr uint32_t kTagBase = 0xBACDCD00;
    // Nesting depth of object records beyond which a file counts as damaged.
    static constexpr int kMaxDepth = 64;

    // An archive that stores into its own buffer.
    CArchive();
    // An archive that loads from `data` (which must outlive it).
    explicit CArchive(std::span<const uint8_t> data);
    // An archive that loads from bytes it keeps itself.
    explicit CArchive(std::vector<uint8_t>&& data);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }

    // What the document and page being read or written are (may be null).
    CHyperOleDoc* m_pDocument = nullptr;
    CHyperPage* m_pPage = nullptr;

    // ---- storing ----
    const std::vector<uint8_t>& Buffer() const { return out_; }
    std::vector<uint8_t> TakeBuffer() { return std::move(out_); }
    void Reserve(size_t n) { out_.reserve(n); }

    void WriteByte(uint8_t v) { out_.push_back(v); }
    void WriteWord(uint16_t v) { Put(&v, 2); }
    void WriteDword(uint32_t v) { Put(&v, 4); }
    void WriteInt32(int32_t v) { Put(&v, 4); }
    void WriteDouble(double v) { Put(&v, 8); }
    void WriteBytes(const void* p, size_t n) { Put(p, n); }
    // 16-bit fields: a value that does not fit fails the save instead of
    // being cut to its low bits.
    void WriteInt16Checked(int64_t v, const char* field);
    void WriteWordChecked(int64_t v, const char* field);
    // Writes UTF-8 text in the 8-bit form, or in the UTF-16 form when it
    // holds characters Windows-1252 lacks.
    void WriteString(std::string_view utf8);
    void WriteVersion(int version) { WriteDword(kTagBase | uint32_t(version & 0xFF)); }
    // Writes an object reference: no object, an earlier object, or the class
    // part and the object's own record.
    void WriteObject(const CObject* obj);

    // ---- loading ----
    size_t Tell() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    uint8_t ReadByte() { uint8_t v; Get(&v, 1); return v; }
    uint16_t ReadWord() { uint16_t v; Get(&v, 2); return v; }
    int32_t ReadInt16() { int16_t v; Get(&v, 2); return v; }
    uint32_t ReadDword() { uint32_t v; Get(&v, 4); return v; }
    int32_t ReadInt32() { int32_t v; Get(&v, 4); return v; }
    double ReadDouble() { double v; Get(&v, 8); return v; }
    void ReadBytes(void* p, size_t n) { Get(p, n); }
    void Skip(size_t n);
    std::string ReadString();
    // Reads a version tag; -1 when the record is untagged (the bytes are
    // left unread) or fewer than four bytes remain. `className` is the
    // record's class, whose name hash older files used as tag.
    int ReadVersion(const char* className);
    // The version ReadVersion would find, without reading anything.
    int PeekVersion(const char* className) const;
    // Consumes `marker` when it comes next.
    bool ReadMarker(uint32_t marker);
    // Skips to just after the next end marker 0xA5A5A5A5.
    void ScanToEndMarker();
    // Checks that `count` items of at least `minItemSize` bytes each can
    // still follow; throws otherwise.
    void CheckCount(uint64_t count, size_t minItemSize, const char* what);

    // Reads a reference into a slot that takes ownership: the object must be
    // new (written in full here) and of class `required` or derived. Returns
    // null for "no object".
    std::unique_ptr<CObject> ReadOwnedObject(const CClassInfo& required);
    template <class T>
    std::unique_ptr<T> ReadOwned() {
        return std::unique_ptr<T>(static_cast<T*>(ReadOwnedObject(T::classInfo).release()));
    }
    // Reads a reference that may name an earlier object. A new object is
    // handed over in `owned`; an earlier one is returned without ownership.
    CObject* ReadObjectRef(const CClassInfo& required, std::unique_ptr<CObject>& owned);

    [[noreturn]] void Fail(const std::string& reason) const;
    [[noreturn]] void FailAt(const std::string& reason, size_t offset) const;

    static uint32_t ClassNameHash(std::string_view name);

private:
    void Put(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void Get(void* p, size_t n) {
        if (n > data_.size() - pos_) FailEof(n);
        std::memcpy(p, data_.data() + pos_, n);
        pos_ += n;
    }
    [[noreturn]] void FailEof(size_t wanted) const;
    size_t ReadLength();
    CObject* ReadObjectImpl(const CClassInfo& required, bool owning, std::unique_ptr<CObject>& owned);

    bool storing_;
    // storing
    std::vector<uint8_t> out_;
    std::unordered_map<const CObject*, uint32_t> storedObjects_;
    std::unordered_map<const CClassInfo*, uint32_t> storedClasses_;
    uint32_t nextIndex_ = 1;
    std::string scratch_;
    // loading
    std::vector<uint8_t> ownedData_;  // only for the owning constructor
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    struct Loaded {
        const CClassInfo* cls;  // the class entry, or the object's class
        CObject* obj;           // null for class entries
    };
    std::vector<Loaded> loaded_;  // index 0 unused
    int depth_ = 0;
};
