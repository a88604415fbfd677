#include "model/Archive.h"

#include "platform/Text.h"

namespace {

std::string WithOffset(const std::string& what, int64_t offset) {
    if (offset < 0) return what;
    return what + " (at byte " + std::to_string(offset) + ")";
}

bool IsAscii(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] & 0x80) return false;
    return true;
}

}  // namespace

CArchiveException::CArchiveException(const std::string& what, int64_t offset)
    : std::runtime_error(WithOffset(what, offset)), reason_(what), offset_(offset) {}

CArchive::CArchive() : storing_(true) { loaded_.push_back({nullptr, nullptr}); }

CArchive::CArchive(std::span<const uint8_t> data) : storing_(false), data_(data) {
    loaded_.push_back({nullptr, nullptr});
}

CArchive::CArchive(std::vector<uint8_t>&& data) : storing_(false), ownedData_(std::move(data)), data_(ownedData_) {
    loaded_.push_back({nullptr, nullptr});
}

CArchive::~CArchive() = default;

void CArchive::Fail(const std::string& reason) const { throw CArchiveException(reason, int64_t(pos_)); }

void CArchive::FailAt(const std::string& reason, size_t offset) const {
    throw CArchiveException(reason, int64_t(offset));
}

void CArchive::FailEof(size_t wanted) const {
    throw CArchiveException("the file ends early: " + std::to_string(wanted) + " more bytes were expected, " +
                                std::to_string(data_.size() - pos_) + " remain",
                            int64_t(pos_));
}

// ---- storing ----

void CArchive::WriteInt16Checked(int64_t v, const char* field) {
    if (v < -32768 || v > 32767)
        throw CArchiveException(std::string(field) + " " + std::to_string(v) +
                                    " is outside the range a design file can store (-32768 to 32767)",
                                -1);
    WriteWord(uint16_t(int16_t(v)));
}

void CArchive::WriteWordChecked(int64_t v, const char* field) {
    if (v < 0 || v > 65535)
        throw CArchiveException(std::string(field) + " " + std::to_string(v) +
                                    " is outside the range a design file can store (0 to 65535)",
                                -1);
    WriteWord(uint16_t(v));
}

namespace {

void WriteLengthPrefix(CArchive& ar, size_t n) {
    if (n < 255) {
        ar.WriteByte(uint8_t(n));
    } else if (n < 0xFFFE) {
        ar.WriteByte(0xFF);
        ar.WriteWord(uint16_t(n));
    } else {
        ar.WriteByte(0xFF);
        ar.WriteWord(0xFFFF);
        ar.WriteDword(uint32_t(n));
    }
}

}  // namespace

void CArchive::WriteString(std::string_view utf8) {
    if (utf8.size() > 0xFFFFFFFFu) throw CArchiveException("a text is too long to store", -1);
    if (IsAscii(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size())) {
        WriteLengthPrefix(*this, utf8.size());
        Put(utf8.data(), utf8.size());
        return;
    }
    if (vx::Utf8ToCp1252(utf8, scratch_)) {
        WriteLengthPrefix(*this, scratch_.size());
        Put(scratch_.data(), scratch_.size());
        return;
    }
    // Characters outside the 8-bit code page: keep them in the UTF-16 form.
    const std::u16string wide = vx::Utf8ToUtf16(utf8);
    WriteByte(0xFF);
    WriteWord(0xFFFE);
    WriteLengthPrefix(*this, wide.size());
    for (char16_t c : wide) WriteWord(uint16_t(c));
}

void CArchive::WriteObject(const CObject* obj) {
    if (!obj) {
        WriteWord(0);
        return;
    }
    if (auto it = storedObjects_.find(obj); it != storedObjects_.end()) {
        if (it->second < 0x7FFF) {
            WriteWord(uint16_t(it->second));
        } else {
            WriteWord(0x7FFF);
            WriteDword(it->second);
        }
        return;
    }
    const CClassInfo* cls = &obj->GetClass();
    if (auto it = storedClasses_.find(cls); it != storedClasses_.end()) {
        if (it->second < 0x7FFF) {
            WriteWord(uint16_t(0x8000 | it->second));
        } else {
            WriteWord(0x7FFF);
            WriteDword(0x80000000u | it->second);
        }
    } else {
        const size_t n = std::strlen(cls->name);
        WriteWord(0xFFFF);
        WriteWord(uint16_t(cls->schema));
        WriteWord(uint16_t(n));
        Put(cls->name, n);
        storedClasses_.emplace(cls, nextIndex_++);
    }
    storedObjects_.emplace(obj, nextIndex_++);
    const_cast<CObject*>(obj)->Serialize(*this);
}

// ---- loading ----

void CArchive::Skip(size_t n) {
    if (n > Remaining()) FailEof(n);
    pos_ += n;
}

void CArchive::CheckCount(uint64_t count, size_t minItemSize, const char* what) {
    if (minItemSize == 0) minItemSize = 1;
    if (count > Remaining() / minItemSize)
        Fail(std::string(what) + ": a count of " + std::to_string(count) + " entries is more than the " +
             std::to_string(Remaining()) + " remaining bytes can hold");
}

size_t CArchive::ReadLength() {
    const uint8_t b = ReadByte();
    if (b < 0xFF) return b;
    const uint16_t w = ReadWord();
    if (w < 0xFFFE) return w;
    if (w == 0xFFFF) return ReadDword();
    return SIZE_MAX;  // the UTF-16 form
}

std::string CArchive::ReadString() {
    const size_t at = pos_;
    size_t n = ReadLength();
    if (n == SIZE_MAX) {
        n = ReadLength();
        if (n == SIZE_MAX) FailAt("a text has a damaged length", at);
        if (n > Remaining() / 2)
            FailAt("a text of " + std::to_string(n) + " characters is longer than the rest of the file", at);
        std::u16string wide(n, u'\0');
        for (size_t i = 0; i < n; ++i) wide[i] = char16_t(ReadWord());
        return vx::Utf16ToUtf8(wide);
    }
    if (n > Remaining())
        FailAt("a text of " + std::to_string(n) + " bytes is longer than the rest of the file", at);
    const uint8_t* p = data_.data() + pos_;
    pos_ += n;
    if (IsAscii(p, n)) return std::string(reinterpret_cast<const char*>(p), n);
    return vx::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
}

uint32_t CArchive::ClassNameHash(std::string_view name) {
    uint32_t h = 0;
    for (char c : name) h = h * 33 + (uint32_t(int32_t(static_cast<signed char>(c))) << 8);
    return h;
}

int CArchive::ReadVersion(const char* className) {
    const int version = PeekVersion(className);
    if (version >= 0) pos_ += 4;
    return version;
}

int CArchive::PeekVersion(const char* className) const {
    if (Remaining() < 4) return -1;
    uint32_t d;
    std::memcpy(&d, data_.data() + pos_, 4);
    // The older form puts the class-name hash (low byte 0) where the base is.
    const uint32_t base = d & 0xFFFFFF00u;
    if (base == kTagBase || base == ClassNameHash(className)) return int(d & 0xFF);
    return -1;
}

bool CArchive::ReadMarker(uint32_t marker) {
    if (Remaining() < 4) return false;
    uint32_t d;
    std::memcpy(&d, data_.data() + pos_, 4);
    if (d != marker) return false;
    pos_ += 4;
    return true;
}

void CArchive::ScanToEndMarker() {
    const size_t at = pos_;
    if (Remaining() < 4) FailAt("a value record has no end marker", at);
    uint32_t w = ReadDword();
    while (w != kEndMarker) {
        if (AtEnd()) FailAt("a value record has no end marker before the end of the file", at);
        w = (w >> 8) | (uint32_t(ReadByte()) << 24);
    }
}

std::unique_ptr<CObject> CArchive::ReadOwnedObject(const CClassInfo& required) {
    std::unique_ptr<CObject> owned;
    ReadObjectImpl(required, true, owned);
    return owned;
}

CObject* CArchive::ReadObjectRef(const CClassInfo& required, std::unique_ptr<CObject>& owned) {
    return ReadObjectImpl(required, false, owned);
}

CObject* CArchive::ReadObjectImpl(const CClassInfo& required, bool owning, std::unique_ptr<CObject>& owned) {
    const size_t at = pos_;
    const uint16_t w = ReadWord();
    const uint32_t t = (w == 0x7FFF) ? ReadDword() : ((uint32_t(w & 0x8000) << 16) | (w & 0x7FFF));

    if (!(t & 0x80000000u)) {
        if (t == 0) return nullptr;
        if (t >= loaded_.size()) FailAt("refers to object #" + std::to_string(t) + ", which was not read", at);
        const Loaded& e = loaded_[t];
        if (!e.obj) FailAt("refers to #" + std::to_string(t) + " as an object, but it is a class", at);
        if (owning)
            FailAt("object #" + std::to_string(t) + " appears a second time where a new object must be", at);
        if (!e.cls->IsDerivedFrom(required))
            FailAt(std::string("found a ") + e.cls->name + " where a " + required.name + " must be", at);
        return e.obj;
    }

    const CClassInfo* cls = nullptr;
    if (w == 0xFFFF) {
        const uint16_t schema = ReadWord();
        const uint16_t len = ReadWord();
        if (len == 0 || len > 63) FailAt("a class name of " + std::to_string(len) + " characters is damaged", at);
        if (len > Remaining()) FailEof(len);
        const std::string name(reinterpret_cast<const char*>(data_.data() + pos_), len);
        pos_ += len;
        cls = CClassRegistry::Instance().Find(name);
        if (!cls) FailAt("the class \"" + name + "\" is unknown", at);
        if (schema != cls->schema)
            FailAt("the class " + name + " has schema " + std::to_string(schema) + ", which is not supported", at);
        loaded_.push_back({cls, nullptr});
    } else {
        const uint32_t idx = t & 0x7FFFFFFFu;
        if (idx == 0 || idx >= loaded_.size())
            FailAt("refers to class #" + std::to_string(idx) + ", which was not read", at);
        if (loaded_[idx].obj || !loaded_[idx].cls)
            FailAt("refers to #" + std::to_string(idx) + " as a class, but it is an object", at);
        cls = loaded_[idx].cls;
    }
    if (!cls->IsDerivedFrom(required))
        FailAt(std::string("found a ") + cls->name + " where a " + required.name + " must be", at);
    if (!cls->create) FailAt(std::string("the class ") + cls->name + " cannot be created", at);
    if (depth_ >= kMaxDepth) FailAt("objects are nested too deeply", at);

    std::unique_ptr<CObject> obj = cls->create();
    CObject* raw = obj.get();
    const size_t index = loaded_.size();
    loaded_.push_back({cls, raw});
    ++depth_;
    try {
        raw->Serialize(*this);
    } catch (...) {
        --depth_;
        // The half-read object and everything read into it die here; any
        // later reference to them is damage, never a dangling pointer.
        for (size_t i = index; i < loaded_.size(); ++i)
            if (loaded_[i].obj) loaded_[i] = {nullptr, nullptr};
        throw;
    }
    --depth_;
    owned = std::move(obj);
    return raw;
}
