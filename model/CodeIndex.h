// The objects of one page by Code. Each object is filed under its Code as it
// is and under a case-folded key; the objects of one key are kept in page
// order (front-most first), so a lookup answers the object that a walk of
// the page from the front would meet first. The page owns the index and
// keeps it current: objects come and go, change their place in the z-order
// and change their Code only through the page or tell it (SetCodeRaw).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct CClassInfo;
class CHyperBaseOb;
class CHyperOb;

class CCodeIndex {
  public:
    // Files `ob` under its Code at place `order` (smaller is nearer the
    // front). An object already filed is filed again.
    void Add(CHyperOb* ob, int64_t order);
    void Remove(const CHyperBaseOb* ob);
    // Files `ob` again when its Code is not the one it is filed under; does
    // nothing for an object that is not filed.
    void Refile(const CHyperBaseOb* ob);
    void Clear();
    // Room for `n` objects.
    void Reserve(size_t n);
    bool Contains(const CHyperBaseOb* ob) const { return entries_.count(ob) != 0; }
    size_t Size() const { return entries_.size(); }
    // The place of a filed object; false when it is not filed.
    bool OrderOf(const CHyperBaseOb* ob, int64_t& order) const;
    // Gives the objects, in their page order, the places 0, gap, 2 gap, ...
    void Renumber(const std::vector<std::unique_ptr<CHyperOb>>& objects, int64_t gap);

    // The front-most object with exactly this Code, or null.
    CHyperOb* Find(std::string_view code) const;
    // The front-most object whose Code equals `code` ignoring case and that
    // is of `objectClass` (any class when null), or null.
    CHyperOb* FindNoCase(std::string_view code, const CClassInfo* objectClass) const;
    // An object other than `except` has exactly this Code.
    bool IsUsed(std::string_view code, const CHyperBaseOb* except) const;
    // The smallest n >= from for which stem followed by n ("%d") is not the
    // Code of an object other than `except`.
    int FreeNumber(const std::string& stem, int from, const CHyperBaseOb* except);

  private:
    struct Entry {
        CHyperOb* ob = nullptr;
        std::string code;    // as filed
        std::string folded;  // its case-folded key
        int64_t order = 0;
    };
    // Place -> object; big buckets (many objects sharing a Code) must still
    // give up a member in logarithmic time.
    using Bucket = std::map<int64_t, CHyperOb*>;

    void Unfile(const Entry& e);
    void File(const Entry& e);
    // A Code no object has any more may free a number of an automatic name.
    void Released(const std::string& code);

    std::unordered_map<const CHyperBaseOb*, Entry> entries_;
    // Case-folded key -> the objects filed under it, front-most first.
    std::unordered_map<std::string, Bucket> byFolded_;
    // Exact Code -> number of objects with it.
    std::unordered_map<std::string, uint32_t> exactCount_;
    // Stem -> n such that stem1 .. stem(n-1) are all in use.
    std::unordered_map<std::string, int> nextNumber_;
};
