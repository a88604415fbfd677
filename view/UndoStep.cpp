#include "view/UndoStep.h"

#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"

CUndoStep::CUndoStep(const CHyperPage& page, const CHyperOleDoc* doc, const std::vector<int>& selection, int action,
                     bool withObjects)
    : withObjects_(withObjects), m_nAction(action) {
    {
        CArchive ar;
        ar.WriteObject(page.pageObject());
        m_pPageCopy = ar.TakeBuffer();
    }
    if (doc && doc->frameObject()) {
        CArchive ar;
        ar.WriteObject(doc->frameObject());
        m_pFrameCopy = ar.TakeBuffer();
    }
    if (!withObjects) return;
    CArchive ar;
    ar.WriteDword(uint32_t(page.Count()));
    for (const auto& ob : page.objects()) ar.WriteObject(ob.get());
    m_objects = ar.TakeBuffer();
    m_objects.shrink_to_fit();
    for (int i : selection)
        if (i >= 0 && size_t(i) < page.Count()) m_selection.push_back(i);
    m_nDominant = m_selection.empty() ? -1 : m_selection.front();
}

bool CUndoStep::SameSelectionShape(const CUndoStep& other) const {
    return m_nDominant == other.m_nDominant && m_selection.size() == other.m_selection.size();
}

size_t CUndoStep::ByteSize() const {
    return m_pFrameCopy.size() + m_pPageCopy.size() + m_objects.size() + m_selection.size() * sizeof(int);
}

bool CUndoStep::Apply(CHyperPage& page, CHyperOleDoc* doc, std::vector<int>& selection) const {
    std::unique_ptr<CHyperViewOb> pageOb;
    std::unique_ptr<CHyperFrameOb> frameOb;
    std::vector<std::unique_ptr<CHyperOb>> obs;
    try {
        CArchive pa{std::span<const uint8_t>(m_pPageCopy)};
        pa.m_pDocument = doc;
        pageOb = pa.ReadOwned<CHyperViewOb>();
        if (doc && !m_pFrameCopy.empty()) {
            CArchive fa{std::span<const uint8_t>(m_pFrameCopy)};
            fa.m_pDocument = doc;
            frameOb = fa.ReadOwned<CHyperFrameOb>();
        }
        if (withObjects_) {
            CArchive ar{std::span<const uint8_t>(m_objects)};
            ar.m_pDocument = doc;
            const uint32_t n = ar.ReadDword();
            ar.CheckCount(n, 1, "objects in an undo step");
            obs.reserve(n);
            for (uint32_t i = 0; i < n; ++i) {
                std::unique_ptr<CHyperOb> ob = ar.ReadOwned<CHyperOb>();
                if (!ob) return false;
                obs.push_back(std::move(ob));
            }
        }
    } catch (const CArchiveException&) {
        return false;
    }
    if (pageOb) page.SetPageObject(std::move(pageOb));
    if (frameOb) doc->SetFrameObject(std::move(frameOb));
    if (!withObjects_) return true;
    page.ReleaseObjects();
    page.AdoptObjects(std::move(obs));
    selection = m_selection;
    return true;
}
