#include "model/HyperPage.h"

#include <algorithm>
#include <atomic>

#include "model/Archive.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOleDoc.h"
#include "platform/Text.h"

namespace {

// Spacing of the code index's places for objects in page order; new
// objects take a place between their neighbours.
constexpr int64_t kPlaceGap = int64_t(1) << 20;

// Every page alive, for FormFind.
std::vector<CHyperPage*>& AllPages() {
    static std::vector<CHyperPage*> pages;
    return pages;
}

}  // namespace

CHyperPage::CHyperPage() {
    // Each page counts its revisions in a range of its own, so a cache keyed
    // by page address and revision never takes a new page at a reused
    // address for the old one.
    static std::atomic<uint64_t> pages{0};
    geometryRevision_ = (pages.fetch_add(1) + 1) << 32;
    SetPageObject(NewPageObject());
    AllPages().push_back(this);
}

CHyperPage::~CHyperPage() {
    codes_.Clear();
    objects_.clear();
    auto& all = AllPages();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

std::unique_ptr<CHyperViewOb> CHyperPage::NewPageObject() { return std::make_unique<CVexelViewOb>(); }

void CHyperPage::SetPageObject(std::unique_ptr<CHyperViewOb> ob) {
    pageObject_ = ob ? std::move(ob) : NewPageObject();
    pageObject_->SetView(this);
}

std::unique_ptr<CHyperViewOb> CHyperPage::TakePageObject() {
    auto old = std::move(pageObject_);
    SetPageObject(NewPageObject());
    return old;
}

int CHyperPage::IndexOf(const CHyperOb* ob) const {
    for (size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i].get() == ob) return int(i);
    return -1;
}

CCodeIndex& CHyperPage::Codes() const {
    if (codesStale_) {
        codes_.Clear();
        codes_.Reserve(objects_.size());
        for (size_t i = 0; i < objects_.size(); ++i) codes_.Add(objects_[i].get(), int64_t(i) * kPlaceGap);
        codesStale_ = false;
    }
    return codes_;
}

void CHyperPage::IndexAt(size_t i) {
    if (codesStale_) return;
    int64_t prev = 0, next = 0;
    const bool hasPrev = i > 0 && codes_.OrderOf(objects_[i - 1].get(), prev);
    const bool hasNext = i + 1 < objects_.size() && codes_.OrderOf(objects_[i + 1].get(), next);
    int64_t order = 0;
    if (hasPrev && hasNext) {
        if (next - prev < 2) {
            // No room between the neighbours: spread every place out again.
            codes_.Renumber(objects_, kPlaceGap);
            order = int64_t(i) * kPlaceGap;
        } else {
            order = prev + (next - prev) / 2;
        }
    } else if (hasPrev) {
        order = prev + kPlaceGap;
    } else if (hasNext) {
        order = next - kPlaceGap;
    }
    codes_.Add(objects_[i].get(), order);
}

CHyperOb* CHyperPage::Insert(std::unique_ptr<CHyperOb> ob, int index) {
    ++geometryRevision_;
    CHyperOb* raw = ob.get();
    const size_t at = index < 0 || size_t(index) > objects_.size() ? objects_.size() : size_t(index);
    objects_.insert(objects_.begin() + std::ptrdiff_t(at), std::move(ob));
    raw->AttachToView(this, nullptr, false);
    IndexAt(at);
    return raw;
}

std::unique_ptr<CHyperOb> CHyperPage::Remove(CHyperOb* ob) {
    ++geometryRevision_;
    const int i = IndexOf(ob);
    if (i < 0) return nullptr;
    if (!codesStale_) codes_.Remove(ob);
    auto owned = std::move(objects_[size_t(i)]);
    objects_.erase(objects_.begin() + i);
    return owned;
}

void CHyperPage::MoveTo(CHyperOb* ob, size_t index) {
    auto owned = Remove(ob);
    if (!owned) return;
    index = std::min(index, objects_.size());
    objects_.insert(objects_.begin() + std::ptrdiff_t(index), std::move(owned));
    IndexAt(index);
}

std::vector<std::unique_ptr<CHyperOb>> CHyperPage::ReleaseObjects() {
    ++geometryRevision_;
    codes_.Clear();
    codesStale_ = false;
    std::vector<std::unique_ptr<CHyperOb>> out = std::move(objects_);
    objects_.clear();
    return out;
}

void CHyperPage::AdoptObjects(std::vector<std::unique_ptr<CHyperOb>> obs) {
    ++geometryRevision_;
    objects_.reserve(objects_.size() + obs.size());
    codesStale_ = true;
    for (auto& ob : obs) {
        CHyperOb* raw = ob.get();
        objects_.push_back(std::move(ob));
        raw->SetView(this);
    }
}

void CHyperPage::RemoveAll() {
    ++geometryRevision_;
    codes_.Clear();
    codesStale_ = false;
    objects_.clear();
    SetPageObject(NewPageObject());
    highestGroupId = -1;
}

void CHyperPage::Invalidate(const CRect& r) const {
    if (link_) link_->InvalidatePageRect(r);
}

void CHyperPage::InvalidateAll() const {
    if (link_) link_->InvalidateAll();
}

void CHyperPage::RequestOpen(const std::string& path) const {
    if (link_) link_->RequestOpen(path);
}

void CHyperPage::OnLayerVisibilityChanged(int layerId) {
    for (const auto& ob : objects_)
        if (ob->layerId() == layerId) ob->Invalidate(nullptr);
}

CHyperPage* CHyperPage::FormFind(const std::string& name, const CHyperViewOb* /*self*/) {
    for (CHyperPage* p : AllPages())
        if (!p->editMode && vx::EqualsNoCaseUtf8(p->pageObject()->formCode, name)) return p;
    return nullptr;
}

int CHyperPage::CountLayerObjects(int layerId) const {
    int n = 0;
    for (const auto& ob : objects_)
        if (ob->layerId() == layerId) ++n;
    return n;
}

void CHyperPage::MoveLayerObjects(int from, int to) {
    for (const auto& ob : objects_)
        if (ob->layerId() == from) {
            ob->setLayerId(to);
            ob->Update(0, 0);
        }
}

std::vector<CHyperOb*> CHyperPage::GetGroupMembers(int groupId) const {
    std::vector<CHyperOb*> out;
    if (groupId < 0) return out;
    for (const auto& ob : objects_)
        if (ob->groupId() == groupId) out.push_back(ob.get());
    return out;
}

int CHyperPage::ComputeHighestGroupId() const {
    int h = -1;
    for (const auto& ob : objects_) h = std::max(h, ob->groupId());
    return h;
}

bool CHyperPage::AfterLoad() {
    // Blank codes are cleared first, so that the index never files them
    // (a name with a number is never blank, so the names come out the same).
    std::vector<CHyperOb*> invalid;
    for (const auto& ob : objects_)
        if (!CHyperOb::IsValidCode(ob->GetCode())) {
            ob->SetCodeRaw({});
            invalid.push_back(ob.get());
        }
    for (CHyperOb* ob : invalid) ob->SetCode(ob->GetTypeName(), 1);
    const bool renamed = !invalid.empty();
    highestGroupId = ComputeHighestGroupId();
    return renamed;
}

// ---- the page record ----

void CHyperPage::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteString({});
        ar.WriteDword(gridFlags);
        ar.WriteWord(0);
        ar.WriteDword((uint32_t(uint16_t(gridSpacing.cy)) << 16) | uint16_t(gridSpacing.cx));
        ar.WriteInt32(guidelines.left);
        ar.WriteInt32(guidelines.top);
        ar.WriteInt32(guidelines.right);
        ar.WriteInt32(guidelines.bottom);
        for (COLORREF c : customColors) ar.WriteInt32(c);
        ar.WriteWordChecked(int64_t(objects_.size()), "the number of objects on the page");
        for (const auto& ob : objects_) {
            ar.WriteDword(0);
            ar.WriteObject(ob.get());
        }
        ar.WriteDword(0);
        ar.WriteObject(pageObject_.get());
        return;
    }

    cut_ = false;
    cutReason_.clear();
    pageObjectStored_ = false;
    loading = true;
    struct LoadingGuard {
        bool& flag;
        ~LoadingGuard() { flag = false; }
    } guard{loading};

    const int version = ar.ReadVersion("CHyperView");
    ar.ReadString();
    gridFlags = ar.ReadDword();
    if (gridFlags == 1) gridFlags = 6;
    ar.ReadWord();
    const uint32_t spacing = ar.ReadDword();
    gridSpacing = CSize(int32_t(spacing & 0xFFFF), int32_t(spacing >> 16));
    if (version >= 1) {
        guidelines.left = ar.ReadInt32();
        guidelines.top = ar.ReadInt32();
        guidelines.right = ar.ReadInt32();
        guidelines.bottom = ar.ReadInt32();
    }
    // Records without the colours leave them all 0.
    customColors.fill(0);
    if (version >= 0)
        for (COLORREF& c : customColors) c = ar.ReadInt32();
    LoadObjects(ar);
}

void CHyperPage::LoadObjects(CArchive& ar) {
    objects_.clear();
    codes_.Clear();
    codesStale_ = true;
    const uint16_t n = ar.ReadWord();
    // Each entry takes at least a DWORD and a WORD; no more can be reserved.
    objects_.reserve(std::min<size_t>(n, ar.Remaining() / 6));
    for (uint16_t i = 0; i < n; ++i) {
        const size_t at = ar.Tell();
        try {
            ar.ReadDword();
            std::unique_ptr<CHyperOb> ob = ar.ReadOwned<CHyperOb>();
            if (!ob) ar.FailAt("an object entry holds no object", at);
            CHyperOb* raw = ob.get();
            objects_.push_back(std::move(ob));
            raw->AttachToView(this, nullptr, false);
            IndexAt(objects_.size() - 1);  // only once the index is in use
            raw->RefreshSubObjects();
            raw->RecalcHandles();
        } catch (const CArchiveException& e) {
            // The objects read so far stay; the rest of the page is lost.
            cut_ = true;
            cutReason_ = "object " + std::to_string(i + 1) + " of " + std::to_string(n) + ": " + e.what();
            SetPageObject(NewPageObject());
            return;
        }
    }
    try {
        ar.ReadDword();
        std::unique_ptr<CHyperViewOb> pageObject = ar.ReadOwned<CHyperViewOb>();
        pageObjectStored_ = pageObject != nullptr;
        SetPageObject(std::move(pageObject));
    } catch (const CArchiveException& e) {
        // All objects are here; only the page settings are lost.
        cut_ = true;
        cutReason_ = std::string("the page settings: ") + e.what();
        SetPageObject(NewPageObject());
        return;
    }
    // Older files kept an event value in the window; it belongs to the page.
    if (ar.m_pDocument)
        if (CHyperFrameOb* frame = ar.m_pDocument->frameObject(); frame && frame->legacyValue) {
            pageObject_->eventInitialize = *frame->legacyValue;
            frame->legacyValue.reset();
        }
}
