#include "model/CodeIndex.h"

#include <algorithm>
#include <climits>

#include "model/HyperOb.h"
#include "platform/Text.h"

void CCodeIndex::File(const Entry& e) {
    if (e.code.empty()) return;
    ++exactCount_[e.code];
    Bucket& b = byFolded_[e.folded];
    // Pages are mostly read and built from front to back: append then.
    b.emplace_hint(b.empty() || b.rbegin()->first < e.order ? b.end() : b.lower_bound(e.order),
                   e.order, e.ob);
}

void CCodeIndex::Unfile(const Entry& e) {
    if (e.code.empty()) return;
    if (const auto c = exactCount_.find(e.code); c != exactCount_.end() && --c->second == 0) {
        exactCount_.erase(c);
        Released(e.code);
    }
    const auto it = byFolded_.find(e.folded);
    if (it == byFolded_.end()) return;
    if (const auto at = it->second.find(e.order); at != it->second.end() && at->second == e.ob)
        it->second.erase(at);
    if (it->second.empty()) byFolded_.erase(it);
}

void CCodeIndex::Released(const std::string& code) {
    // The code may be stem followed by a number for several stems ("Rect12"
    // is Rect and 12, and Rect1 and 2); each such number is free again.
    size_t digits = code.size();
    while (digits > 0 && code[digits - 1] >= '0' && code[digits - 1] <= '9') --digits;
    for (size_t at = std::max(digits, code.size() > 10 ? code.size() - 10 : 0); at < code.size();
         ++at) {
        if (code[at] == '0') continue;  // numbers are written without leading zeros
        const long long n = std::stoll(code.substr(at));
        if (n > INT_MAX) continue;
        const auto memo = nextNumber_.find(code.substr(0, at));
        if (memo != nextNumber_.end() && memo->second > n) memo->second = int(n);
    }
}

void CCodeIndex::Add(CHyperOb* ob, int64_t order) {
    Remove(ob);
    Entry e{ob, ob->GetCode(), {}, order};
    if (!e.code.empty()) e.folded = vx::FoldCaseUtf8(e.code);
    File(e);
    entries_.emplace(ob, std::move(e));
}

void CCodeIndex::Remove(const CHyperBaseOb* ob) {
    const auto it = entries_.find(ob);
    if (it == entries_.end()) return;
    Unfile(it->second);
    entries_.erase(it);
}

void CCodeIndex::Refile(const CHyperBaseOb* ob) {
    const auto it = entries_.find(ob);
    if (it == entries_.end()) return;
    Entry& e = it->second;
    const std::string& now = e.ob->GetCode();
    if (now == e.code) return;
    Unfile(e);
    e.code = now;
    e.folded = now.empty() ? std::string() : vx::FoldCaseUtf8(now);
    File(e);
}

void CCodeIndex::Reserve(size_t n) {
    entries_.reserve(n);
    byFolded_.reserve(n);
    exactCount_.reserve(n);
}

void CCodeIndex::Clear() {
    entries_.clear();
    byFolded_.clear();
    exactCount_.clear();
    nextNumber_.clear();
}

bool CCodeIndex::OrderOf(const CHyperBaseOb* ob, int64_t& order) const {
    const auto it = entries_.find(ob);
    if (it == entries_.end()) return false;
    order = it->second.order;
    return true;
}

void CCodeIndex::Renumber(const std::vector<std::unique_ptr<CHyperOb>>& objects, int64_t gap) {
    for (size_t i = 0; i < objects.size(); ++i)
        if (const auto it = entries_.find(objects[i].get()); it != entries_.end())
            it->second.order = int64_t(i) * gap;
    // The page order of the objects is unchanged, so each bucket keeps its
    // order under the new places.
    for (auto& [key, bucket] : byFolded_) {
        Bucket renumbered;
        for (const auto& [order, ob] : bucket)
            renumbered.emplace_hint(renumbered.end(), entries_.at(ob).order, ob);
        bucket = std::move(renumbered);
    }
}

CHyperOb* CCodeIndex::Find(std::string_view code) const {
    if (code.empty() || !exactCount_.count(std::string(code))) return nullptr;
    const auto it = byFolded_.find(vx::FoldCaseUtf8(code));
    if (it == byFolded_.end()) return nullptr;
    for (const auto& [order, ob] : it->second)
        if (ob->GetCode() == code) return ob;
    return nullptr;
}

CHyperOb* CCodeIndex::FindNoCase(std::string_view code, const CClassInfo* objectClass) const {
    if (code.empty()) return nullptr;
    const auto it = byFolded_.find(vx::FoldCaseUtf8(code));
    if (it == byFolded_.end()) return nullptr;
    for (const auto& [order, ob] : it->second)
        if (!objectClass || ob->IsKindOf(*objectClass)) return ob;
    return nullptr;
}

bool CCodeIndex::IsUsed(std::string_view code, const CHyperBaseOb* except) const {
    const auto c = exactCount_.find(std::string(code));
    if (c == exactCount_.end()) return false;
    uint32_t others = c->second;
    if (except)
        if (const auto e = entries_.find(except); e != entries_.end() && e->second.code == code)
            --others;
    return others > 0;
}

int CCodeIndex::FreeNumber(const std::string& stem, int from, const CHyperBaseOb* except) {
    // The memo counts codes whoever has them; when `except` alone has a code
    // that could be one of these names, that name is free for it, so the
    // memo is not used.
    bool useMemo = true;
    if (except)
        if (const auto e = entries_.find(except); e != entries_.end() && !e->second.code.empty() &&
                                                  e->second.code.compare(0, stem.size(), stem) == 0)
            useMemo = exactCount_.at(e->second.code) > 1;
    const auto memo = nextNumber_.find(stem);
    const int known = memo != nextNumber_.end() ? memo->second : 1;
    int n = from;
    for (;;) {
        if (useMemo && n >= 1 && n < known) n = known;
        if (n == INT_MAX || !IsUsed(stem + std::to_string(n), except)) break;
        ++n;
    }
    // stem1 .. stem(known - 1) were in use and the walk found known .. n - 1
    // in use as well.
    if (useMemo && from <= known && n > known) nextNumber_[stem] = n;
    return n;
}
