#include "app/CmdTarget.h"

void CCommandMap::On(int id, Handler run, UpdateHandler update) {
    entries_[id] = Entry{std::move(run), std::move(update)};
}

void CCommandMap::OnRange(int first, int last, std::function<void(int)> run,
                          std::function<void(int, CCmdUI&)> update) {
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
