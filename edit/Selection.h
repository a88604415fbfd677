// The edit view's selection: nothing, one object, or several with one of
// them dominant, and batches of selection changes that report once.
//
// Entries are identities, not pointers: an object's Code together with the
// index it had when last resolved. Undo rebuilds every object of a page, so
// a pointer kept across an edit would dangle; a Code survives the rebuild
// and is found again through the page's code index, and the index tells two
// objects with the same Code apart. Nothing here keeps a CHyperOb*.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class CHyperOb;
class CHyperPage;

namespace vx::edit {

struct CObjectRef {
    std::string code;
    int index = -1;  // where the object was when last resolved
    bool operator==(const CObjectRef&) const = default;
};

// The identity of the object at `index` of the page.
CObjectRef RefOf(const CHyperPage& page, int index);

class CSelectionModel {
public:
    enum class Shape { kNone, kSingle, kMulti };

    Shape shape() const;
    bool IsEmpty() const { return items_.empty(); }
    bool IsMultiSelection() const { return items_.size() > 1; }
    size_t Count() const { return items_.size(); }
    // The dominant entry first, then the others in the order they joined.
    const std::vector<CObjectRef>& items() const { return items_; }
    // Null when nothing is selected.
    const CObjectRef* Dominant() const { return items_.empty() ? nullptr : &items_.front(); }
    bool Contains(const CObjectRef& ref) const;

    // Each change reports (SelectionChanged) unless it changed nothing.
    void Clear();
    // `ref` alone, dominant.
    void SelectSingle(const CObjectRef& ref);
    // Appends a non-dominant entry (dominant when the selection was empty);
    // false when it was selected already.
    bool Add(const CObjectRef& ref);
    // False when `ref` was not selected. The first remaining entry becomes
    // dominant when the dominant one left.
    bool Remove(const CObjectRef& ref);
    // Swaps `ref` into the first place; false when it is not selected.
    bool MakeDominant(const CObjectRef& ref);
    // Keeps only the dominant entry.
    void KeepDominantOnly();

    // The page changed under the selection: an object was inserted at (or
    // removed from) `index`; entries after it move with it. A removed
    // object leaves the selection.
    void OnInserted(int index);
    void OnRemoved(int index, const std::string& code);

    // The selected objects of `page`, dominant first; entries that no
    // longer resolve are dropped. Each entry's index is brought up to date.
    std::vector<CHyperOb*> Resolve(const CHyperPage& page);
    // One entry; null when it no longer resolves.
    CHyperOb* ResolveOne(const CHyperPage& page, CObjectRef& ref) const;
    // Page index of the dominant object, -1 when none (m_nDominant).
    int DominantIndex() const { return items_.empty() ? -1 : items_.front().index; }

    // ---- batches ----
    // Count in the low 16 bits, dominant index in the high 16 bits.
    uint32_t Signature() const;
    void BeginBatch();
    // Reports once when something changed during the batch and the
    // signature differs from the one at its start.
    void EndBatch();
    bool InBatch() const { return batchOpen_ > 0; }
    // A change: outside a batch it reports at once, inside it counts.
    void SelectionChanged();
    // Told of every reported change (the property window refreshes).
    std::function<void()> onChanged;

private:
    static std::string Key(const CObjectRef& ref);
    void Reindex();

    std::vector<CObjectRef> items_;
    // Position in items_ by identity key, for O(1) membership.
    std::unordered_map<std::string, size_t> where_;
    int batchOpen_ = 0;
    int batchChanges_ = 0;
    uint32_t batchSignature_ = 0;
};

}  // namespace vx::edit
