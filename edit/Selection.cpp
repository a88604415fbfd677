#include "edit/Selection.h"

#include <algorithm>

#include "model/HyperPage.h"

namespace vx::edit {

CObjectRef RefOf(const CHyperPage& page, int index) {
    if (index < 0 || size_t(index) >= page.Count()) return {};
    return CObjectRef{page.At(size_t(index))->GetCode(), index};
}

std::string CSelectionModel::Key(const CObjectRef& ref) {
    std::string k = ref.code;
    k += '\x1f';
    k += std::to_string(ref.index);
    return k;
}

void CSelectionModel::Reindex() {
    where_.clear();
    for (size_t i = 0; i < items_.size(); ++i) where_[Key(items_[i])] = i;
}

CSelectionModel::Shape CSelectionModel::shape() const {
    if (items_.empty()) return Shape::kNone;
    return items_.size() == 1 ? Shape::kSingle : Shape::kMulti;
}

bool CSelectionModel::Contains(const CObjectRef& ref) const { return where_.count(Key(ref)) != 0; }

void CSelectionModel::Clear() {
    if (items_.empty()) return;
    items_.clear();
    where_.clear();
    SelectionChanged();
}

void CSelectionModel::SelectSingle(const CObjectRef& ref) {
    if (items_.size() == 1 && items_.front() == ref) return;
    items_.assign(1, ref);
    Reindex();
    SelectionChanged();
}

bool CSelectionModel::Add(const CObjectRef& ref) {
    if (Contains(ref)) return false;
    where_[Key(ref)] = items_.size();
    items_.push_back(ref);
    SelectionChanged();
    return true;
}

bool CSelectionModel::Remove(const CObjectRef& ref) {
    const auto it = where_.find(Key(ref));
    if (it == where_.end()) return false;
    items_.erase(items_.begin() + std::ptrdiff_t(it->second));
    Reindex();
    SelectionChanged();
    return true;
}

bool CSelectionModel::MakeDominant(const CObjectRef& ref) {
    const auto it = where_.find(Key(ref));
    if (it == where_.end()) return false;
    if (it->second == 0) return true;
    std::swap(items_.front(), items_[it->second]);
    Reindex();
    SelectionChanged();
    return true;
}

void CSelectionModel::KeepDominantOnly() {
    if (items_.size() <= 1) return;
    items_.resize(1);
    Reindex();
    SelectionChanged();
}

void CSelectionModel::OnInserted(int index) {
    bool moved = false;
    for (CObjectRef& r : items_)
        if (r.index >= index) {
            ++r.index;
            moved = true;
        }
    if (moved) Reindex();
}

void CSelectionModel::OnRemoved(int index, const std::string& code) {
    const size_t before = items_.size();
    std::erase_if(items_, [&](const CObjectRef& r) { return r.index == index && r.code == code; });
    for (CObjectRef& r : items_)
        if (r.index > index) --r.index;
    Reindex();
    if (items_.size() != before) SelectionChanged();
}

CHyperOb* CSelectionModel::ResolveOne(const CHyperPage& page, CObjectRef& ref) const {
    if (ref.index >= 0 && size_t(ref.index) < page.Count()) {
        CHyperOb* ob = page.At(size_t(ref.index));
        if (ob->GetCode() == ref.code) return ob;
    }
    // The page was rebuilt or reordered: find the object by its Code.
    if (ref.code.empty()) return nullptr;
    CHyperOb* ob = page.FindObjectByCode(ref.code);
    if (!ob) return nullptr;
    ref.index = page.IndexOf(ob);
    return ob;
}

std::vector<CHyperOb*> CSelectionModel::Resolve(const CHyperPage& page) {
    std::vector<CHyperOb*> out;
    out.reserve(items_.size());
    bool changed = false;
    for (size_t i = 0; i < items_.size();) {
        const CObjectRef before = items_[i];
        CHyperOb* ob = ResolveOne(page, items_[i]);
        if (!ob || std::find(out.begin(), out.end(), ob) != out.end()) {
            items_.erase(items_.begin() + std::ptrdiff_t(i));
            changed = true;
            continue;
        }
        if (items_[i] != before) changed = true;
        out.push_back(ob);
        ++i;
    }
    if (changed) Reindex();
    return out;
}

uint32_t CSelectionModel::Signature() const {
    return (uint32_t(items_.size()) & 0xFFFFu) | (uint32_t(DominantIndex()) << 16);
}

void CSelectionModel::BeginBatch() {
    if (batchOpen_++ == 0) {
        batchChanges_ = 0;
        batchSignature_ = Signature();
    }
}

void CSelectionModel::EndBatch() {
    if (batchOpen_ == 0 || --batchOpen_ > 0) return;
    if (batchChanges_ > 0 && Signature() != batchSignature_ && onChanged) onChanged();
    batchChanges_ = 0;
}

void CSelectionModel::SelectionChanged() {
    if (batchOpen_ > 0) {
        ++batchChanges_;
        return;
    }
    if (onChanged) onChanged();
}

}  // namespace vx::edit
