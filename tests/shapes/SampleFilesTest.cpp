// Whole design files: every sample reads and writes back byte for byte, in
// the newest tag form and in the older class-name-hash form of every version,
// and a copy of any object writes what the original writes.
#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <set>

#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "support/FullDisk.h"

namespace {

std::vector<std::string> SampleFiles() {
    std::vector<std::string> files;
    const QDir dir(QStringLiteral(VX_SAMPLES_DIR));
    for (const QString& name : dir.entryList({QStringLiteral("*.vxw")}, QDir::Files, QDir::Name))
        files.push_back(vx::FromQString(dir.filePath(name)));
    return files;
}

struct Outcome {
    LoadResult::Status status;
    std::string message;
    std::vector<uint8_t> saved;
    bool operator==(const Outcome&) const = default;
};

Outcome Read(const std::vector<uint8_t>& bytes) {
    CMyDoc doc;
    const LoadResult r = doc.LoadFromBytes(bytes);
    Outcome o{r.status, r.message, {}};
    if (r.status != LoadResult::kFailed) {
        try {
            o.saved = doc.SaveToBytes();
        } catch (const CArchiveException& e) {
            o.message += e.what();
        }
    }
    return o;
}

void PutDword(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
}

}  // namespace

TEST(SampleFiles, EverySampleWritesBackTheSameBytes) {
    const auto files = SampleFiles();
    ASSERT_GE(files.size(), 2u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = vxtest::ReadAll(file);
        ASSERT_FALSE(bytes.empty());
        CMyDoc doc;
        const LoadResult r = doc.LoadFromFile(file);
        ASSERT_EQ(r.status, LoadResult::kOk) << r.message;
        EXPECT_EQ(doc.SaveToBytes(), bytes);
    }
}

TEST(SampleFiles, OlderHashTagsOfEveryVersionReadLikeNewTags) {
    // Every name a record may hash: the registered classes and the plain
    // records' names.
    std::vector<std::string> names = {"CObject", "CHyperView"};
    for (const CClassInfo* c : CClassRegistry::Instance().All()) names.push_back(c->name);
    std::set<std::string> seen;
    for (const std::string& file : SampleFiles()) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = vxtest::ReadAll(file);
        for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
            if (bytes[at + 1] != 0xCD || bytes[at + 2] != 0xCD || bytes[at + 3] != 0xBA) continue;
            std::set<int> versions = {0, 1, 2, bytes[at]};
            for (int v : versions) {
                std::vector<uint8_t> newForm = bytes;
                newForm[at] = uint8_t(v);
                const Outcome expected = Read(newForm);
                bool found = false;
                for (size_t i = 0; i < names.size() && !found; ++i) {
                    std::vector<uint8_t> older = newForm;
                    PutDword(older, at, CArchive::ClassNameHash(names[i]) | uint32_t(v));
                    if (Read(older) == expected) {
                        found = true;
                        if (v == bytes[at]) seen.insert(names[i]);
                        // The next tag most likely hashes the same name.
                        std::rotate(names.begin(), names.begin() + long(i), names.begin() + long(i) + 1);
                    }
                }
                EXPECT_TRUE(found) << "the tag at byte " << at << " with version " << v
                                   << " is not read the same in the hash form";
            }
        }
    }
    // The samples carry every kind of tagged record.
    for (const char* name : {"CObject", "CHyperView", "CGroupInfo", "CVexelFrameOb", "CVexelViewOb", "CHyperOb",
                             "CRectOb", "CBorderOb", "CCircleOb", "CArcOb", "CHiliteOb", "CLineOb"})
        EXPECT_TRUE(seen.count(name)) << name;
}

TEST(SampleFiles, ACloneOfEveryClassWritesWhatTheOriginalWrites) {
    int checked = 0;
    for (const CClassInfo* cls : CClassRegistry::Instance().All()) {
        if (!cls->create || !cls->IsDerivedFrom(CHyperOb::classInfo)) continue;
        SCOPED_TRACE(cls->name);
        CHyperPage page;
        std::unique_ptr<CObject> made = cls->create();
        auto* ob = static_cast<CHyperOb*>(made.release());
        page.Insert(std::unique_ptr<CHyperOb>(ob));
        ob->SetCodeRaw("Original");
        ob->SetRect(CRect(11, 22, 133, 144));
        // Every writable property gets a value other than its default.
        for (const vx::DispMember* m : ob->GetDispatchTable().Members()) {
            if (m->kind != vx::DispMember::Kind::Property || !m->put) continue;
            try {
                const vx::Variant now = ob->GetProperty(m->name);
                switch (m->type) {
                    case vx::Variant::Type::Long: ob->SetProperty(m->name, vx::Variant(now.ToLong() + 3)); break;
                    case vx::Variant::Type::Double: ob->SetProperty(m->name, vx::Variant(now.ToDouble() + 12.5)); break;
                    case vx::Variant::Type::Bool: ob->SetProperty(m->name, vx::Variant(!now.ToBool())); break;
                    case vx::Variant::Type::String: ob->SetProperty(m->name, vx::Variant(now.ToString() + "x")); break;
                    default: break;
                }
            } catch (const std::exception&) {
                // Indexed members and values a setter refuses stay as they are.
            }
        }
        // The values took: the original no longer writes a default object.
        CArchive plain;
        plain.m_pPage = &page;
        const std::unique_ptr<CObject> fresh = cls->create();
        static_cast<CHyperOb*>(fresh.get())->SetCodeRaw("Original");
        static_cast<CHyperOb*>(fresh.get())->SetRect(CRect(11, 22, 133, 144));
        plain.WriteObject(fresh.get());
        std::unique_ptr<CHyperOb> copy = ob->Clone();
        ASSERT_TRUE(copy);
        EXPECT_EQ(&copy->GetClass(), cls);
        CArchive a, b;
        a.m_pPage = b.m_pPage = &page;
        a.WriteObject(ob);
        b.WriteObject(copy.get());
        EXPECT_EQ(a.Buffer(), b.Buffer());
        size_t changed = 0;
        for (size_t i = 0; i < std::min(a.Buffer().size(), plain.Buffer().size()); ++i)
            changed += a.Buffer()[i] != plain.Buffer()[i];
        EXPECT_GE(changed, 20u);
        ++checked;
    }
    EXPECT_GE(checked, 9);
}
