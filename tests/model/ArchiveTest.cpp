// The archive conventions: strings, tags, markers, object references and
// the damage rules for hostile input.
#include <gtest/gtest.h>

#include "model/Archive.h"
#include "support/TestSupport.h"

using vxtest::Bytes;

namespace {

// A stored class with a one-byte record.
class CTinyOb : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    uint8_t value = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar.WriteByte(value);
        else value = ar.ReadByte();
    }
};
const CClassInfo CTinyOb::classInfo = {"CTinyOb", 0, &CObject::classInfo,
                                       []() -> std::unique_ptr<CObject> { return std::make_unique<CTinyOb>(); }};

// Holds a reference to itself in its record.
class CSelfRefOb : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    std::unique_ptr<CObject> child;
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) child = ar.ReadOwnedObject(CObject::classInfo);
    }
};
const CClassInfo CSelfRefOb::classInfo = {"CSelfRefOb", 0, &CObject::classInfo,
                                          []() -> std::unique_ptr<CObject> { return std::make_unique<CSelfRefOb>(); }};

struct Registered {
    Registered() {
        CClassRegistry::Instance().Register(CTinyOb::classInfo);
        CClassRegistry::Instance().Register(CSelfRefOb::classInfo);
    }
} registered;

std::string ReadBack(const std::vector<uint8_t>& bytes) {
    CArchive in(bytes);
    return in.ReadString();
}

}  // namespace

TEST(Archive, StringLengthForms) {
    for (size_t n : {size_t(0), size_t(254), size_t(255), size_t(65533), size_t(65534), size_t(70000)}) {
        CArchive out;
        const std::string s(n, 'x');
        out.WriteString(s);
        const auto& b = out.Buffer();
        if (n < 255) {
            EXPECT_EQ(b.size(), n + 1);
            EXPECT_EQ(b[0], n);
        } else if (n < 65534) {
            EXPECT_EQ(b.size(), n + 3);
            EXPECT_EQ(b[0], 0xFF);
            EXPECT_EQ(b[1] | (b[2] << 8), int(n));
        } else {
            EXPECT_EQ(b.size(), n + 7);
            EXPECT_EQ(b[1], 0xFF);
            EXPECT_EQ(b[2], 0xFF);
        }
        EXPECT_EQ(ReadBack(b), s) << n;
    }
    CArchive out;
    out.WriteString("");
    EXPECT_EQ(out.Buffer(), std::vector<uint8_t>{0});
}

TEST(Archive, TextOutsideTheCodePageUsesTheUtf16Form) {
    CArchive out;
    out.WriteString("caf\xC3\xA9");  // fits the 8-bit form
    EXPECT_EQ(out.Buffer(), (std::vector<uint8_t>{4, 'c', 'a', 'f', 0xE9}));
    CArchive wide;
    wide.WriteString("\xCE\xA9-\xE6\x97\xA5");  // Omega, hyphen, CJK
    EXPECT_EQ(wide.Buffer(), (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 3, 0xA9, 0x03, '-', 0, 0xE5, 0x65}));
    EXPECT_EQ(ReadBack(wide.Buffer()), "\xCE\xA9-\xE6\x97\xA5");
}

TEST(Archive, VersionTagsIncludingTheClassNameHash) {
    CArchive out;
    out.WriteVersion(8);
    EXPECT_EQ(out.Buffer(), (std::vector<uint8_t>{0x08, 0xCD, 0xCD, 0xBA}));
    {
        CArchive in(out.Buffer());
        EXPECT_EQ(in.ReadVersion("CHyperOb"), 8);
        EXPECT_TRUE(in.AtEnd());
    }
    // The older tag form puts the class-name hash, whose low byte is always
    // zero, in place of the base; the low byte is the version. The hash of
    // another class is no tag.
    const uint32_t h = CArchive::ClassNameHash("CObject");
    EXPECT_EQ(h & 0xFF, 0u);
    const auto hashed = Bytes().dw(h).d;
    for (int version : {0, 1, 2, 8, 255}) {
        const auto tagged = Bytes().dw(h | uint32_t(version)).d;
        CArchive in(tagged);
        EXPECT_EQ(in.PeekVersion("CObject"), version);
        EXPECT_EQ(in.ReadVersion("CObject"), version);
        EXPECT_TRUE(in.AtEnd());
    }
    {
        CArchive in(hashed);
        EXPECT_EQ(in.ReadVersion("CHyperOb"), -1);
        EXPECT_EQ(in.Tell(), 0u);
    }
    // Anything else is an untagged record: nothing is consumed.
    const auto untagged = Bytes().dw(0x12345678).d;
    CArchive in(untagged);
    EXPECT_EQ(in.ReadVersion("CObject"), -1);
    EXPECT_EQ(in.Tell(), 0u);
    // Fewer than four bytes: no tag.
    const auto shortData = Bytes().w(0xCD00).d;
    CArchive in2(shortData);
    EXPECT_EQ(in2.ReadVersion("CObject"), -1);
}

TEST(Archive, MarkersAndEndMarkerScan) {
    const auto bytes = Bytes().dw(0x22222222).b(7).dw(0x33333334).d;
    CArchive in(bytes);
    EXPECT_FALSE(in.ReadMarker(0x33333333));
    EXPECT_TRUE(in.ReadMarker(0x22222222));
    EXPECT_EQ(in.ReadByte(), 7);
    EXPECT_FALSE(in.ReadMarker(0x33333333));
    EXPECT_EQ(in.Tell(), 5u);

    // Bytes a later writer put before the marker are skipped.
    const auto scan = Bytes().w(0).b(1).b(2).b(3).dw(0xA5A5A5A5).b(9).d;
    CArchive in3(scan);
    in3.ScanToEndMarker();
    EXPECT_EQ(in3.ReadByte(), 9);

    const auto noMarker = Bytes().dw(0).b(0xA5).b(0xA5).d;
    CArchive in4(noMarker);
    EXPECT_THROW(in4.ScanToEndMarker(), CArchiveException);
}

TEST(Archive, ClassAndObjectReferencesShareOneCounter) {
    CTinyOb a, b;
    a.value = 1;
    b.value = 2;
    CArchive out;
    out.WriteObject(&a);  // class #1, object #2
    out.WriteObject(&b);  // short class ref 0x8001, object #3
    out.WriteObject(&a);  // back reference #2
    out.WriteObject(nullptr);
    const auto expected = Bytes()
                              .w(0xFFFF).w(0).w(7).raw({'C', 'T', 'i', 'n', 'y', 'O', 'b'}).b(1)
                              .w(0x8001).b(2)
                              .w(2)
                              .w(0)
                              .d;
    EXPECT_EQ(out.Buffer(), expected);

    CArchive in(out.Buffer());
    auto ra = in.ReadOwnedObject(CTinyOb::classInfo);
    auto rb = in.ReadOwnedObject(CTinyOb::classInfo);
    std::unique_ptr<CObject> owned;
    CObject* again = in.ReadObjectRef(CTinyOb::classInfo, owned);
    EXPECT_EQ(again, ra.get());
    EXPECT_FALSE(owned);
    EXPECT_EQ(in.ReadOwnedObject(CTinyOb::classInfo), nullptr);
    EXPECT_EQ(static_cast<CTinyOb*>(rb.get())->value, 2);
}

TEST(Archive, LongIndicesUseTheEscapeForm) {
    // 0x8000 objects take indices 2 to 0x8001: the last ones need the long form.
    std::vector<CTinyOb> obs(0x8000);
    CArchive out;
    for (auto& o : obs) out.WriteObject(&o);
    out.WriteObject(&obs.back());
    const auto& b = out.Buffer();
    // The last back reference: WORD 0x7FFF then DWORD index 0x8001.
    const size_t n = b.size();
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + long(n) - 6, b.end()),
              (std::vector<uint8_t>{0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00}));

    CArchive in(b);
    std::vector<std::unique_ptr<CObject>> read;
    for (size_t i = 0; i < obs.size(); ++i) read.push_back(in.ReadOwnedObject(CTinyOb::classInfo));
    std::unique_ptr<CObject> owned;
    EXPECT_EQ(in.ReadObjectRef(CTinyOb::classInfo, owned), read.back().get());

    // A long class reference: WORD 0x7FFF, DWORD 0x80000000 | class index.
    const auto longClass = Bytes().w(0xFFFF).w(0).w(7).raw({'C', 'T', 'i', 'n', 'y', 'O', 'b'}).b(5)
                               .w(0x7FFF).dw(0x80000001).b(6).d;
    CArchive in2(longClass);
    in2.ReadOwnedObject(CTinyOb::classInfo);
    auto second = in2.ReadOwnedObject(CTinyOb::classInfo);
    EXPECT_EQ(static_cast<CTinyOb*>(second.get())->value, 6);
}

TEST(Archive, DamagedInputIsAnErrorWithItsOffset) {
    auto fails = [](const std::vector<uint8_t>& bytes, const CClassInfo& slot = CObject::classInfo) {
        CArchive in(bytes);
        try {
            std::unique_ptr<CObject> owned;
            in.ReadObjectRef(slot, owned);
            in.ReadOwnedObject(slot);
        } catch (const CArchiveException& e) {
            EXPECT_GE(e.offset(), 0);
            return std::string(e.what());
        }
        return std::string();
    };
    // Class names of length 0 and 64.
    EXPECT_NE(fails(Bytes().w(0xFFFF).w(0).w(0).d), "");
    EXPECT_NE(fails(Bytes().w(0xFFFF).w(0).w(64).raw(std::vector<uint8_t>(64, 'A')).d), "");
    // Unknown class, wrong schema, unassigned object index.
    EXPECT_NE(fails(Bytes().w(0xFFFF).w(0).w(4).raw({'C', 'N', 'o', 'p'}).d).find("unknown"), std::string::npos);
    EXPECT_NE(fails(Bytes().w(0xFFFF).w(1).w(7).raw({'C', 'T', 'i', 'n', 'y', 'O', 'b'}).b(0).d), "");
    EXPECT_NE(fails(Bytes().w(5).d).find("was not read"), std::string::npos);
    // A class index used as an object and an object index used as a class.
    const auto tiny = Bytes().w(0xFFFF).w(0).w(7).raw({'C', 'T', 'i', 'n', 'y', 'O', 'b'}).b(0);
    EXPECT_NE(fails(Bytes(tiny).w(1).d).find("class"), std::string::npos);
    EXPECT_NE(fails(Bytes(tiny).w(0x8002).d).find("object"), std::string::npos);
    // An earlier object where a new one must be (an owning slot).
    EXPECT_NE(fails(Bytes(tiny).w(2).d).find("second time"), std::string::npos);
    // A class of another kind than the slot demands.
    EXPECT_NE(fails(tiny.d, CSelfRefOb::classInfo).find("must be"), std::string::npos);
    // Truncated data.
    EXPECT_NE(fails(Bytes().w(0xFFFF).w(0).w(7).raw({'C', 'T'}).d).find("ends early"), std::string::npos);
}

TEST(Archive, StringLengthsBeyondTheDataAreErrors) {
    for (const auto& bytes : {Bytes().b(10).raw({'a', 'b'}).d, Bytes().b(0xFF).w(300).b('a').d,
                              Bytes().b(0xFF).w(0xFFFF).dw(0xFFFFFFF0).d, Bytes().b(0xFF).w(0xFFFE).b(200).w('a').d,
                              Bytes().b(0xFF).w(0xFFFE).b(0xFF).w(0xFFFE).d}) {
        CArchive in(bytes);
        EXPECT_THROW(in.ReadString(), CArchiveException);
    }
}

TEST(Archive, SelfNestingStopsAtTheDepthLimit) {
    // Each record starts another new object of the same class, forever.
    Bytes b;
    b.w(0xFFFF).w(0).w(10).raw({'C', 'S', 'e', 'l', 'f', 'R', 'e', 'f', 'O', 'b'});
    for (int i = 0; i < 1000; ++i) b.w(0x8001);
    CArchive in(b.d);
    try {
        in.ReadOwnedObject(CObject::classInfo);
        FAIL() << "no error";
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("nested"), std::string::npos);
    }
}

TEST(Archive, SixteenBitFieldsRefuseValuesTheyCannotHold) {
    CArchive out;
    out.WriteInt16Checked(-32768, "x");
    out.WriteWordChecked(65535, "x");
    EXPECT_THROW(out.WriteInt16Checked(32768, "a side"), CArchiveException);
    EXPECT_THROW(out.WriteWordChecked(-1, "a count"), CArchiveException);
    EXPECT_THROW(out.WriteWordChecked(65536, "a count"), CArchiveException);
}
