// The dialogs that edit owned lists live above the model. The model reaches
// them through these hooks, which the dialog library installs at start-up;
// without them (headless tools) editing a list does nothing.
#pragma once

#include <functional>

class CAnchorFmt;
class CHyperPage;
class CLayerFmt;

struct CListEditors {
    // Runs the "Layers Sheet" on `layers` (a working copy of `page`'s list,
    // or the list itself); true when it ended with OK.
    std::function<bool(CLayerFmt& layers, CHyperPage* page)> editLayers;
    // Runs the "Enter Snap Points" dialog on `set`; true when OK.
    std::function<bool(CAnchorFmt& set)> editAnchors;
    // Runs the "Grid Settings" dialog on a page's grid, spacing and
    // guidelines, storing them on OK; true when OK.
    std::function<bool(CHyperPage& page)> editGrid;

    static CListEditors& Get() {
        static CListEditors editors;
        return editors;
    }
};
