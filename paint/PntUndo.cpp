#include "paint/PntUndo.h"

void CPntUndoHistory::Clear() {
    list_.clear();
    pos_ = -1;
    bytes_ = 0;
}

void CPntUndoHistory::SetLimits(int limit, size_t byteBudget) {
    limit_ = limit < 1 ? 1 : limit;
    budget_ = byteBudget;
    Clear();
}

void CPntUndoHistory::DropOldest() {
    bytes_ -= list_.front().byteSize();
    list_.pop_front();
    // Undo keeps the snapshot it goes back to, so a pending position is
    // never the one dropped.
    if (pos_ > 0) --pos_;
}

// Drops the oldest snapshots until `incoming` more bytes fit, keeping at
// least `keep` of them.
void CPntUndoHistory::Trim(size_t incoming, size_t keep) {
    while (list_.size() > keep && bytes_ + incoming > budget_) DropOldest();
}

void CPntUndoHistory::Save(const CDIBSection& image) {
    if (pos_ >= 0) {
        // A change after undo: the redo branch and the mirror go.
        while (int(list_.size()) > pos_) {
            bytes_ -= list_.back().byteSize();
            list_.pop_back();
        }
        pos_ = -1;
    }
    const size_t size = image.byteSize();
    while (!list_.empty() && int(list_.size()) >= limit_) DropOldest();
    Trim(size, 0);
    if (size > budget_) return;
    list_.push_back(image);
    bytes_ += size;
}

bool CPntUndoHistory::Undo(CDIBSection& image) {
    if (list_.empty()) return false;
    if (pos_ < 0) {
        // The image as it is now becomes the end of the list, so that redo
        // can come back to it. It may push out the oldest snapshots, but
        // never the one undo goes back to.
        const size_t size = image.byteSize();
        Trim(size, 1);
        list_.push_back(image);
        bytes_ += size;
        pos_ = int(list_.size()) - 1;
    }
    if (pos_ == 0) return false;
    --pos_;
    image.CopyImage(list_[size_t(pos_)]);
    return true;
}

bool CPntUndoHistory::Redo(CDIBSection& image) {
    if (!CanRedo()) return false;
    ++pos_;
    image.CopyImage(list_[size_t(pos_)]);
    return true;
}
