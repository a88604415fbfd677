// A window for a page in tests: answers what the model asks of a view from
// settable fields and records what it is told.
//
//     vxtest::FakeViewLink link;   // declare before the page: it must outlive it
//     CHyperPage page;
//     page.setLink(&link);
//     link.zoom = 50;
//     ...
//     EXPECT_EQ(link.repaints.size(), 1u);
#pragma once

#include <string>
#include <vector>

#include "model/ViewLink.h"

namespace vxtest {

class FakeViewLink : public CViewLink {
public:
    // ---- answers ----
    int zoom = 100;
    bool active = true;
    bool hasWindow = false;
    CSize clientSize{0, 0};
    int currentTool = 0;
    bool editingPoints = false;
    // Handed out as the view's default attributes when `useDrawDefaults`.
    CDrawDefaults drawDefaults;
    bool useDrawDefaults = false;

    // ---- what the model did ----
    struct Message {
        unsigned message;
        uint32_t wParam, lParam;
    };
    struct PageSettingsChange {
        bool recalc;
        int hint;
    };
    std::vector<CRect> repaints;  // InvalidatePageRect, in order
    int fullRepaints = 0;         // InvalidateAll
    std::vector<CHyperOb*> moved, resized, selectionChanges;
    std::vector<CRect> reportedPositions;
    std::vector<PageSettingsChange> pageSettingsChanges;
    std::vector<Message> messages;  // PostViewMessage
    std::vector<std::string> openRequests;

    void InvalidatePageRect(const CRect& r) override { repaints.push_back(r); }
    void InvalidateAll() override { ++fullRepaints; }
    void OnObjectMoved(CHyperOb* ob) override { moved.push_back(ob); }
    void OnObjectResized(CHyperOb* ob) override { resized.push_back(ob); }
    void OnSelectionChanged(CHyperOb* ob) override { selectionChanges.push_back(ob); }
    void ReportPosition(const CRect& r) override { reportedPositions.push_back(r); }
    void OnPageSettingsChanged(bool recalc, int hint) override { pageSettingsChanges.push_back({recalc, hint}); }
    int Zoom() const override { return zoom; }
    bool IsActive() const override { return active; }
    bool IsEditingPoints() const override { return editingPoints; }
    bool HasWindow() const override { return hasWindow; }
    CSize ClientSize() const override { return clientSize; }
    void PostViewMessage(unsigned message, uint32_t wParam, uint32_t lParam) override {
        messages.push_back({message, wParam, lParam});
    }
    const CDrawDefaults* DrawDefaults() const override { return useDrawDefaults ? &drawDefaults : nullptr; }
    int CurrentTool() const override { return currentTool; }
    void RequestOpen(const std::string& path) override { openRequests.push_back(path); }
};

}  // namespace vxtest
