// What the document model asks of the window that shows a page. A page
// without a window (headless tools, tests) uses the defaults: nothing to
// repaint, nobody to notify.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Geometry.h"

class CHyperOb;

// The edit view's default attributes for objects drawn with its tools; they
// apply only while `enabled` (the view's default switch) is on.
struct CDrawDefaults {
    bool enabled = false;
    int32_t penWidth = 1;
    int32_t penStyle = 0;
    int32_t hatchStyle = 99;
    int32_t shadowStyle = 0;
    int32_t arrowhead = 0;
    int32_t backColor = -1;
    int32_t foreColor = -1;
    // Alignment of new text blocks: 0 left, 6 centre, 2 right.
    int32_t textAlignment = 6;
};

class CViewLink {
public:
    virtual ~CViewLink() = default;

    // Repaints an area given in page units.
    virtual void InvalidatePageRect(const CRect&) {}
    // Repaints the whole window, erasing the background.
    virtual void InvalidateAll() {}
    // The object's rectangle changed: left/top (moved) and size (resized).
    virtual void OnObjectMoved(CHyperOb*) {}
    virtual void OnObjectResized(CHyperOb*) {}
    // An object was selected or deselected.
    virtual void OnSelectionChanged(CHyperOb*) {}
    // The dominant selected object reports its rectangle to the status bar.
    virtual void ReportPosition(const CRect&) {}
    // The page object changed: zoom limits and scroll sizes are recomputed.
    virtual void OnPageSettingsChanged(bool /*recalc*/, int /*hint*/) {}
    // Current zoom in percent.
    virtual int Zoom() const { return 100; }
    // Objects draw their selection handles themselves only while this is
    // true; a window clears it while it paints and draws the handles after
    // all objects, so no object covers them.
    virtual bool IsActive() const { return true; }
    // The window edits the vertices of its selected object ("Edit Points"):
    // the object draws vertex handles instead of its usual ones.
    virtual bool IsEditingPoints() const { return false; }
    // A window shows the page.
    virtual bool HasWindow() const { return false; }
    // Size of the window's client area in page units (0, 0 without one).
    virtual CSize ClientSize() const { return CSize(0, 0); }
    // A private message posted to the view (wParam, lParam as the window
    // system would carry them).
    virtual void PostViewMessage(unsigned /*message*/, uint32_t /*wParam*/, uint32_t /*lParam*/) {}
    // The default attributes for new objects; null when the window has none.
    virtual const CDrawDefaults* DrawDefaults() const { return nullptr; }
    // Command id of the current drawing tool (0 when none).
    virtual int CurrentTool() const { return 0; }
    // A script asked to open the design file `path`.
    virtual void RequestOpen(const std::string& /*path*/) {}
};
