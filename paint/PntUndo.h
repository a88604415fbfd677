// The image editor's undo history: full snapshots of the image, oldest
// first, bounded both in number and in bytes (the oldest are dropped first).
// After an undo the position marks the snapshot that mirrors the image, so
// that redo can walk forward again; a new snapshot drops that redo branch.
#pragma once

#include <cstddef>
#include <deque>

#include "paint/DIBSection.h"

class CPntUndoHistory {
public:
    static constexpr int kDefaultLimit = 5;
    static constexpr size_t kDefaultByteBudget = size_t(384) << 20;

    explicit CPntUndoHistory(int limit = kDefaultLimit, size_t byteBudget = kDefaultByteBudget)
        : limit_(limit), budget_(byteBudget) {}

    // Files a snapshot of `image` before a change. A snapshot larger than
    // the whole budget is not kept (that change cannot be undone).
    void Save(const CDIBSection& image);
    // Gives `image` the previous snapshot; false when there is none.
    bool Undo(CDIBSection& image);
    bool Redo(CDIBSection& image);
    bool CanUndo() const { return !list_.empty() && pos_ != 0; }
    bool CanRedo() const { return pos_ >= 0 && !list_.empty() && pos_ < int(list_.size()) - 1; }
    void Clear();

    // New limits; the history is emptied.
    void SetLimits(int limit, size_t byteBudget);
    int limit() const { return limit_; }
    size_t byteBudget() const { return budget_; }
    int count() const { return int(list_.size()); }
    size_t bytes() const { return bytes_; }
    // -1 when no undo is pending.
    int position() const { return pos_; }

private:
    void DropOldest();
    void Trim(size_t incoming, size_t keep);

    std::deque<CDIBSection> list_;
    int pos_ = -1;
    int limit_;
    size_t budget_;
    size_t bytes_ = 0;
};
