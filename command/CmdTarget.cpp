#include "command/CmdTarget.h"

#include <cassert>

// A second handler for an id in the same map is a programming error: one of
// the two would never run.
void CCommandMap::On(int id, Handler run, UpdateHandler update) {
    assert(!Has(id) && "command registered twice in one map");
    entries_.emplace(id, Entry{std::move(run), std::move(update)});
}

void CCommandMap::OnRange(int first, int last, std::function<void(int)> run,
                          std::function<void(int, CCmdUI&)> update) {
    assert(first <= last);
#ifndef NDEBUG
    for (const auto& [id, entry] : entries_) assert((id < first || id > last) && "range overlaps a command");
    for (const Range& r : ranges_) assert((last < r.first || first > r.last) && "ranges overlap");
#endif
    ranges_.push_back(Range{first, last, std::move(run), std::move(update)});
}

bool CCommandMap::Has(int id) const {
    if (entries_.count(id)) return true;
    for (const Range& r : ranges_)
        if (id >= r.first && id <= r.last) return true;
    return false;
}

bool CCommandMap::Dispatch(int id, CCmdUI* ui) const {
    if (auto it = entries_.find(id); it != entries_.end()) {
        if (!ui) {
            if (it->second.run) it->second.run();
        } else if (it->second.update) {
            it->second.update(*ui);
        }
        return true;
    }
    for (const Range& r : ranges_) {
        if (id < r.first || id > r.last) continue;
        if (!ui) {
            if (r.run) r.run(id);
        } else if (r.update) {
            r.update(id, *ui);
        }
        return true;
    }
    return false;
}
