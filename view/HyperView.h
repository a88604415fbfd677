// The edit view: the page view in edit mode. It keeps the selection,
// turns mouse and keyboard input into selecting, creating, moving and
// resizing objects (with the tracking rules of edit/Tracking.h), edits text
// in place and takes the grid, zoom, snap-point and group commands.
//
// The selection holds identities (edit/Selection.h), never pointers, so it
// survives an undo that rebuilds the page; GetSelection() resolves it.
// The current tool belongs to the document window (SetToolState); a view
// without a window uses a tool state of its own.
//
// Every edit runs inside a CEditScope, which files its undo step
// (view/HyperViewUndo.cpp). Hooks that later features fill:
// RefreshPropertyWindow/ShowPropertySheet (the property sheet),
// DuplicateSelection (the clipboard).
#pragma once

#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "edit/Selection.h"
#include "edit/ToolState.h"
#include "model/GroupOps.h"
#include "model/PointEditing.h"
#include "view/HyperRunView.h"
#include "view/UndoStep.h"

class CInlineEditor;
class CObTracker;

class CHyperView : public CHyperRunView {
    Q_OBJECT
public:
    // The zoom levels offered when editing, in percent.
    static constexpr int kZoomLevels[] = {50, 100, 150, 200, 300, 400};

    // The kinds of undo step an edit files.
    // kMoveResize is the mouse's, kNudge the arrow keys'; kSnap is a line
    // end that was attached or detached.
    enum class EditKind { kMoveResize, kInsert, kDelete, kProperty, kTextEdit, kGroup, kUngroup, kRegroup, kNudge, kSnap, kEditPoints };

    explicit CHyperView(QWidget* parent = nullptr);
    ~CHyperView() override;

    int SetZoom(int zoom, const CPoint* scrollPos = nullptr) override { return DoSetZoom(zoom, scrollPos); }
    int ZoomToRect(const CRect& r, double factor = 0) override { return DoZoomToRect(r, factor); }
    void DrawView(CDC& dc, const CRect& clip) override;
    void OnInitialUpdate() override;

    // ---- tool ----
    // The window's tool state (null: the view's own).
    void SetToolState(vx::edit::CToolState* tools);
    vx::edit::CToolState& tools() { return *tools_; }
    int CurrentTool() const override { return tools_->GetTool(); }
    // The tool map knows the tool, or it is "Select" or an application tool.
    bool IsKnownTool(int id) const;

    // ---- selection ----
    bool IsMultiSelection() const { return selection_.IsMultiSelection(); }
    // The dominant object when exactly one is selected, else null.
    CHyperOb* GetSingleSelection();
    CHyperOb* GetDominant();
    // m_nDominant: the dominant object's index, -1 when none.
    int DominantIndex();
    // The selected objects, dominant first.
    std::vector<CHyperOb*> GetSelection();
    const vx::edit::CSelectionModel& selection() const { return selection_; }
    virtual void DeselectAll(bool keepDominant);
    virtual void SelectAll();
    // Makes `ob` the single selection (with its group, see SelectWithGroup).
    virtual void SelectObject(CHyperOb* ob);
    // Selects every member of `ob`'s group, the master dominant; `ob` alone
    // when it is in no group.
    virtual void SelectWithGroup(CHyperOb* ob);
    // Adds `ob` to the selection (not dominant unless it is the first);
    // `index` is its place on the page when the caller knows it.
    void AddToSelection(CHyperOb* ob, int index = -1);
    void RemoveFromSelection(CHyperOb* ob);
    // After the objects changed under the view (undo, paste): marks the
    // selected objects again and drops entries that are gone.
    virtual void SyncSelection();
    void BeginSelectionBatch() { selection_.BeginBatch(); }
    void EndSelectionBatch() { selection_.EndBatch(); }
    void SelectionChanged() { selection_.SelectionChanged(); }
    // Every object of layer `layerId` that is not locked.
    void SelectLayer(int layerId);
    // The shared GroupID of the list, -1 when there is none.
    int CommonGroupId(const std::vector<CHyperOb*>& list) const;
    virtual void SelectNext(bool forwards);

    // ---- objects ----
    // Adds a new object to the page: named, on the insertion layer, in
    // front of everything but connectors. Returns the object, or null when
    // it was refused (at most 1 x 1 units) and deleted.
    virtual CHyperOb* AddObject(std::unique_ptr<CHyperOb> ob, bool select, bool noConstrain);
    // False when refused (invalid index, may not be deleted, vetoed).
    virtual bool DeleteObjectAt(int index);
    virtual std::unique_ptr<CHyperOb> CreateObjectForTool(int toolId);
    // A click with a drawing tool (no band): an object of default size
    // centred on `p`. Returns the added object or null.
    virtual CHyperOb* CreateObjectAt(CPoint p, int toolId, bool multiPart, bool placeWithoutDragging);
    // "Erase": deletes the selected objects that may be deleted; returns
    // how many were.
    int EraseSelection();
    bool CanDeleteObject(const CHyperOb& ob) const;

    // ---- tracking ----
    vx::edit::GridSettings Grid() const;
    bool KeepInUsableArea(CRect& r, bool resizing, bool noGridAdjust) const;
    virtual void MoveSelection(int dx, int dy, bool skipDominant);
    virtual bool KeepSelectionInside(const std::vector<CHyperOb*>& list);
    virtual void ResizeSelection(const std::vector<CHyperOb*>& list, const CRect& from, const CRect& to, bool update);
    virtual void SyncGroupBounds();
    // The dominant object's rectangle united with every selected one's.
    CRect SelectionBounds();
    // One arrow key: returns whether the selection changed.
    bool NudgeSelection(int dx, int dy, int steps, bool control, bool shift);
    bool CanResizeObject(CHyperOb& ob) const;

    // ---- group commands ----
    void GroupSelection(bool ctrlHeld);
    void UngroupSelection();
    void RegroupSelection();
    CGroupState& groupState() { return groupState_; }
    void SetGroupJoiner(CGroupJoiner* j) { joiner_ = j ? j : &combineJoiner_; }

    // ---- joining objects into one (view/HyperViewCombine.cpp) ----
    // A new object that takes the place of `selection` (not yet attached),
    // or null when the view cannot merge it. Here: the freehand tool's
    // object for an empty selection, nothing otherwise.
    virtual std::unique_ptr<CHyperOb> CombineSelection(const std::vector<CHyperOb*>& selection);
    // Replaces the page objects `objects` by the one CombineSelection makes
    // of them: attached with defaults, given the objects' geometry, the
    // objects deleted as by "Erase", the new object added and selected;
    // one undo step. Null (nothing changed) when they cannot be merged or
    // one of them may not be deleted.
    CHyperOb* ReplaceByCombined(const std::vector<CHyperOb*>& objects);

    // ---- connectors (view/HyperViewConnect.cpp) ----
    // The end of connector `ob` whose marker holds `p` (0 or 1), else -1.
    int ConnectorEndAt(CHyperOb& ob, CPoint p) const;
    // A press on the single selected connector: an end marker drags that
    // end, a rectangle handle moves the connector. False when not claimed.
    bool ConnectorPress(CPoint p);

    // ---- inline text ----
    // Opens the in-place editor over `ob`'s text; false when the object
    // takes no text or its font is too small at this zoom. `initial`, when
    // not empty, replaces the text (a typed character).
    bool OpenInlineEditor(CHyperOb* ob, const QString& initial = QString());
    // Writes the text back (commit) or drops it; false when none was open.
    bool CloseInlineEditor(bool commit);
    CInlineEditor* inlineEditor() const { return inline_.get(); }
    // A font of `fontHeight` page units can be edited at `zoom`: zoom >=
    // 900 / height; a height of 0 stands for the default font's height.
    static bool FontLargeEnough(int fontHeight, int zoom);

    // ---- state ----
    bool m_bCanResize = true;
    bool m_bCanMove = true;
    bool m_bInlineEdit = true;
    bool m_bShowSnapPoints = false;
    std::map<std::string, uint16_t> m_codeCounters;  // type name -> next number

    // The snap point highlighted under the cursor (page units), if any.
    bool snapMarkerShown() const { return snapMarker_.shown; }
    CPoint snapMarker() const { return snapMarker_.at; }

    // ---- hooks ----
    virtual bool CanPlaceNewObject(const CRect&, bool /*shift*/, bool /*control*/) { return true; }
    virtual bool CanPlaceClickedObject(CPoint, bool /*shift*/, bool /*control*/) { return true; }
    virtual bool IsMultiPartTool(int /*toolId*/) const { return false; }
    // Undo: an edit of `kind` is about to change the page (the outermost
    // scope takes the snapshot); OnAfterEdit says whether it did (a step
    // that changed nothing is dropped, one that did is filed with PushUndo).
    virtual void OnBeforeEdit(EditKind kind);
    virtual void OnAfterEdit(EditKind kind, bool changed);
    // The property sheet shows the selection again / is opened.
    virtual void RefreshPropertyWindow() {}
    virtual void ShowPropertySheet() {}
    // Control-drag of a selection: copy it with an offset (clipboard).
    // False when nothing was duplicated.
    virtual bool DuplicateSelection(CPoint /*offset*/) { return false; }

    // Brackets one edit between OnBeforeEdit and OnAfterEdit.
    class CEditScope {
    public:
        CEditScope(CHyperView& view, EditKind kind) : view_(view), kind_(kind) { view_.OnBeforeEdit(kind); }
        ~CEditScope() { view_.OnAfterEdit(kind_, changed_); }
        void Changed() { changed_ = true; }
        // It changed, and is filed as `kind` (a drag that snapped a line end).
        void Changed(EditKind kind) { changed_ = true, kind_ = kind; }
        CEditScope(const CEditScope&) = delete;
        CEditScope& operator=(const CEditScope&) = delete;

    private:
        CHyperView& view_;
        EditKind kind_;
        bool changed_ = false;
    };

    // ---- undo (view/HyperViewUndo.cpp) ----
    // The step name of an edit.
    static int ActionOf(EditKind kind);
    // A snapshot of the page as it is now, named `action`.
    std::unique_ptr<CUndoStep> TakeSnapshot(int action);
    // A new step `n` adds nothing to the current step `c`: the same
    // keyboard move, multi-selection mouse move, property, rotation or
    // point edit of the same selection.
    virtual bool CanMergeUndo(const CUndoStep* n, const CUndoStep* c);
    // Files an undo step; a null step clears the undo history.
    virtual void PushUndo(std::unique_ptr<CUndoStep> s, bool keepRedo = false);
    // Files a redo step; a null step clears the redo history.
    virtual void SetRedo(std::unique_ptr<CUndoStep> s);
    // Restores `s` into the page (mode 0 undo, 1 redo).
    virtual void ApplyUndoStep(std::unique_ptr<CUndoStep> s, int mode);
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Steps that "Undo" / "Redo" can take, newest first.
    size_t undoCount() const { return (m_pUndo ? 1 : 0) + m_undoStack.size(); }
    size_t redoCount() const { return (m_pRedo ? 1 : 0) + m_redoStack.size(); }
    const CUndoStep* currentUndo() const { return m_pUndo.get(); }
    bool m_bUndoEnabled = true;

    // CViewLink
    void InvalidatePageRect(const CRect& r) override;

    // ---- edit-points mode (view/HyperViewPoints.cpp) ----
    // The vertices of the single selected object are shown as handles and
    // can be dragged, inserted on a segment and deleted (Control-press).
    bool m_bEditPoints = false;
    bool IsEditingPoints() const override { return m_bEditPoints; }
    // The single selection when its vertices may be edited, else null.
    CPointEditing* PointEditingSelection();
    // "Edit Points": toggles the mode; a rotated selection is made upright.
    void ToggleEditPoints();
    // "Open or Close": closes or opens the selected polyline.
    void OpenOrCloseSelection();
    bool pointDragActive() const { return pointDrag_.active; }

signals:
    // The selection changed (reported once per batch).
    void selectionChangedSignal();
    // The current tool changed.
    void toolChanged(int tool);

protected:
    // Background, then the grid and guideline layer.
    void OnEraseBkgnd(CDC& dc) override;
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

    // The left-button rules (page point, modifiers).
    void OnLButtonDown(CPoint client, Qt::KeyboardModifiers mods);
    void OnRButtonDown(CPoint client, Qt::KeyboardModifiers mods);
    bool DominantPress(CPoint p, bool shift, bool control);
    bool SelectAt(CPoint p);
    bool MultiSelectionPress(CPoint p, bool shift, bool control);
    bool ToggleSelection(CPoint p, int i);
    // Starts dragging one object by handle `h` (8: moving).
    void BeginObjectDrag(CHyperOb* ob, int h, CPoint p, bool afterSelectAt);
    void BeginCreate(CPoint p, int toolId);
    void FinishDrag(bool cancelled);
    void FinishObjectDrag();
    void FinishOutlineDrag();
    void FinishCreate();
    void FinishRubberBand();
    void BeginConnectorEndDrag(CHyperOb& ob, int k, CPoint p);
    void FinishConnectorEndDrag();
    // A connector drawn by a drag: end 0 at the press, end 1 at the release.
    void PlaceNewConnector(CHyperOb& ob, const CRect& band);
    void UpdateDrag(CPoint client);
    void OnAutoScrollTick();
    // The line end being dragged snaps onto a free snap point near it.
    void SnapLineEnd(CRect& r);
    void UpdateSnapMarker(CPoint page);
    // Where object `ob`'s hit test puts a press, honouring the view's rules
    // (handles only where resizing is allowed).
    int HitCode(CHyperOb& ob, CPoint p) const;
    CPoint ToPage(CPoint client) const;
    // Edit-points mode: a press the selected object takes (false: the mode
    // ended and the press is handled as usual), the vertex drag and its band.
    bool EditPointsPress(CPoint client, bool control);
    void UpdatePointDrag(CPoint client, bool redraw);
    void FinishPointDrag(bool cancelled);
    // An auto-scroll tick during the vertex drag.
    void PointDragTick();
    CPoint AdjustDraggedPoint(CPoint client) const;
    void PaintPointBand();
    // The cursor over the selection in edit-points mode; false when the
    // object asks for none.
    bool SetEditPointsCursor(CPoint page, bool control);
    void InitPointCommands();
    // Zooming turns the scroll bars on: a "Property" step.
    void OnBeforePropertyChange() override;

private:
    struct DragTarget {
        vx::edit::CObjectRef object;  // the dragged object (one-object drags)
        bool afterSelectAt = false;
        bool control = false;
        bool groupResize = false;
        std::unique_ptr<CHyperOb> creating;  // the new object of a creation
        int tool = 0;
        int connectorEnd = -1;  // the connector end being dragged
    };
    // The vertex drag of edit-points mode (press to release).
    struct PointDrag {
        bool active = false;
        vx::edit::CObjectRef object;
        CPointEditing::Grab grab;  // page units
        CPoint point;              // the dragged point, client pixels
        bool moved = false;        // the point left its start
    };
    struct SnapMarker {
        bool shown = false;
        CPoint at{-1, -1};
    };
    void MarkSelected();
    void ApplyNewRect(CHyperOb& ob, const CRect& r);
    CHyperOb* GroupMaster(int groupId) const;

    vx::edit::CSelectionModel selection_;
    vx::edit::CToolState ownTools_;
    vx::edit::CToolState* tools_ = &ownTools_;
    vx::edit::CDragState drag_;
    DragTarget target_;
    vx::edit::CAutoScroll autoScroll_;
    QTimer autoScrollTimer_;
    CPoint lastClient_;
    // The modifiers of the last mouse event (Shift and Alt change a drag
    // while it runs).
    Qt::KeyboardModifiers lastMods_;
    // A press inside the selected object's text: a click opens the editor.
    bool pendingInline_ = false;
    SnapMarker snapMarker_;
    PointDrag pointDrag_;
    CGroupState groupState_;
    // Undo history: the newest step and the older ones, oldest first.
    std::unique_ptr<CUndoStep> m_pUndo;
    std::vector<std::unique_ptr<CUndoStep>> m_undoStack;
    std::unique_ptr<CUndoStep> m_pRedo;
    std::vector<std::unique_ptr<CUndoStep>> m_redoStack;
    // The snapshot of the edit in progress (outermost CEditScope).
    std::unique_ptr<CUndoStep> pendingStep_;
    int editDepth_ = 0;
    bool editChanged_ = false;
    // Group joins what CombineSelection merges (a chain of lines).
    class CCombineJoiner : public CGroupJoiner {
    public:
        explicit CCombineJoiner(CHyperView& view) : view_(view) {}
        bool TryJoin(CHyperPage& page, std::vector<CHyperOb*>& selection) override;

    private:
        CHyperView& view_;
    };
    CCombineJoiner combineJoiner_{*this};
    CGroupJoiner* joiner_ = &combineJoiner_;
    std::unique_ptr<CInlineEditor> inline_;
    // Many objects change at once: one repaint of the window instead of
    // one region per object.
    int bulkRepaint_ = 0;
    bool bulkDirty_ = false;
    friend class CBulkRepaint;
};

// Gathers the repaints of many objects into one of the whole window.
class CBulkRepaint {
public:
    explicit CBulkRepaint(CHyperView& v) : v_(v) { ++v_.bulkRepaint_; }
    ~CBulkRepaint() {
        if (--v_.bulkRepaint_ == 0 && v_.bulkDirty_) {
            v_.bulkDirty_ = false;
            v_.viewport()->update();
        }
    }
    CBulkRepaint(const CBulkRepaint&) = delete;
    CBulkRepaint& operator=(const CBulkRepaint&) = delete;

private:
    CHyperView& v_;
};

