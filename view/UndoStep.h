// One undo or redo step of the edit view: the page as it was before an
// action (page object, window object, every object in drawing order), the
// selection and the dominant object, and the action's name.
//
// The copies are kept as archive bytes, written with each object's own
// storing code: a step costs what the page costs on disk, and applying it
// reads fresh objects, so nothing that pointed into the live page is reused.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CHyperOb;
class CHyperOleDoc;
class CHyperPage;

namespace vx::undo {
// String ids of the step names.
constexpr int kTabOrder = 26673;
constexpr int kInsert = 26674;
constexpr int kMoveResizeKeys = 26675;
constexpr int kMoveResizeMouse = 26676;
constexpr int kZOrder = 26677;
constexpr int kProperty = 26678;
constexpr int kDelete = 26679;
constexpr int kAligning = 26680;
constexpr int kSpacing = 26681;
constexpr int kRotate = 26683;
constexpr int kEditPoints = 26684;
constexpr int kGroupUngroup = 26686;
constexpr int kTextEdit = 26687;
constexpr int kSnapUnsnap = 27007;
// The history keeps this many steps besides the current one.
constexpr size_t kHistoryLimit = 20;
}  // namespace vx::undo

class CUndoStep {
public:
    // Takes the snapshot of `page` (and of `doc`'s window object when there
    // is one). `selection` holds the page indexes of the selected objects,
    // dominant first. Without `withObjects` only the page and window
    // objects are kept.
    CUndoStep(const CHyperPage& page, const CHyperOleDoc* doc, const std::vector<int>& selection, int action,
              bool withObjects = true);

    // Puts the snapshot into `page` (and `doc`): everything is read first,
    // so a step that cannot be read leaves the page as it is and returns
    // false. `selection` receives the page indexes of the selected objects,
    // dominant first. The step keeps its bytes and could be applied again.
    bool Apply(CHyperPage& page, CHyperOleDoc* doc, std::vector<int>& selection) const;

    // Same dominant index and same number of selected objects.
    bool SameSelectionShape(const CUndoStep& other) const;

    int action() const { return m_nAction; }
    void setAction(int a) { m_nAction = a; }
    int dominant() const { return m_nDominant; }
    bool hasFrame() const { return !m_pFrameCopy.empty(); }
    // Bytes held by the step.
    size_t ByteSize() const;

private:
    std::vector<uint8_t> m_pFrameCopy;  // empty: no window object
    std::vector<uint8_t> m_pPageCopy;
    std::vector<uint8_t> m_objects;  // count, then each object
    bool withObjects_ = true;
    std::vector<int> m_selection;  // indexes into the copied objects
    int m_nDominant = -1;
    int m_nAction = 0;
};
