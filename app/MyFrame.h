// A document window: the child window of the main window that shows one
// design. `CHyperFrame` holds the document, its view and the auto-save
// timer, and applies the window object (caption, boxes, border, client
// size); `CMyFrame` is the application's kind of it.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "command/CmdTarget.h"
#include "edit/ToolState.h"
#include "model/HyperFrameOb.h"

class CLayersSheet;
class CMyDoc;
class CMyView;
class QMdiSubWindow;

class CHyperFrame : public QWidget, public CCmdTarget, public CFrameWindowLink {
    Q_OBJECT
public:
    // Takes the document; the window is shown inside `sub` (may be null in
    // tests, then the frame is a top-level widget).
    CHyperFrame(std::unique_ptr<CMyDoc> doc, QWidget* parent = nullptr);
    ~CHyperFrame() override;

    CMyDoc* GetDocument() const { return doc_.get(); }
    CMyView* GetView() const { return view_; }
    QMdiSubWindow* subWindow() const;

    // Command routing: tool commands pick the tool; otherwise the view
    // first, then this frame.
    bool OnCmdMsg(int id, CCmdUI* ui) override;

    // ---- the current drawing tool ----
    int GetTool() const { return tools_.GetTool(); }
    // False when `id` is no tool of this window.
    bool SetTool(int id) { return tools_.SetTool(id); }
    vx::edit::CToolState& tools() { return tools_; }
    // "Select", the application's own tools and the view's drawing tools.
    bool IsToolCommand(int id) const;
    // A tool can be picked: edit mode, the insertion layer visible and not
    // locked, and (the connector) snap points shown.
    bool IsToolEnabled(int id) const;
    // The "Tools" menu: "Select" first, then the drawing tools by name,
    // then the "Freehand" mode.
    std::vector<std::pair<int, QString>> ToolMenuEntries() const;
    // The Layers Sheet of this window's page: Select picks the layer's
    // objects in the view, OK repaints and returns to the Select tool.
    void ConfigureLayersSheet(CLayersSheet& sheet);

    // The document was read from a file or emptied: refresh the view, hand
    // the window object this window and show its caption.
    void OnDocumentLoaded();
    // Applies the window object read with the document (boxes, border and,
    // while the main window is up, the client size). Runs once, after the
    // window was opened on a file.
    void ApplyWindowObject();
    // From now on the window object's Width and Height follow the client
    // size (plain resizes, not minimising or maximising), so a save stores
    // the size the window has; starts with the current size.
    void FollowClientSize();
    // Caption from the frame object's Title, with the modified marker.
    void UpdateCaption();

    // Saving. `Save` asks for a name when the document has none (or was
    // only partly read). Each returns false when the user cancelled or the
    // save failed (the failure has been reported).
    bool Save();
    bool SaveAs();
    bool SaveTo(const std::string& path, bool reportErrors = true);
    // Asks to save a modified document; false when the user cancelled.
    bool SaveModified();

    // Auto-save: the "AutoSave" seconds read when the window was made.
    int autoSaveSeconds() const { return autoSaveSeconds_; }
    // One tick of the auto-save timer (public for tests).
    void OnAutoSaveTick();

    // CFrameWindowLink
    bool IsMaximized() const override;
    uint32_t Style() const override { return style_; }
    uint32_t ExStyle() const override { return exStyle_; }
    void SetStyle(uint32_t style) override;
    void SetExStyle(uint32_t exStyle) override;
    CSize NonClientSize() const override;
    void Resize(int width, int height) override;
    void SetTitle(const std::string& title) override;
    bool MainWindowUp() const override;

signals:
    void pathChanged(const QString& path);
    void modifiedChanged();
    void openRequested(const QString& path);

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void ApplyStyleToSubWindow();

private:
    void RemoveAutoSaveFile();

    std::unique_ptr<CMyDoc> doc_;
    CMyView* view_ = nullptr;  // child widget
    vx::edit::CToolState tools_;
    QTimer autoSaveTimer_;
    int autoSaveSeconds_ = 0;
    bool inAutoSave_ = false;
    bool autoSaveFailureShown_ = false;
    bool followClientSize_ = false;
    uint32_t style_ = CHyperFrameOb::kMinimizeBox | CHyperFrameOb::kMaximizeBox | CHyperFrameOb::kThickFrame;
    uint32_t exStyle_ = 0;
};

class CMyFrame : public CHyperFrame {
    Q_OBJECT
public:
    using CHyperFrame::CHyperFrame;
};
