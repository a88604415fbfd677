// The main window: a multiple-document frame with the standard toolbar, the
// status bar, the layout bars, the docked "Property Sheet" bar and the
// "Catalogue" bar. `CCatMainFrame` adds the catalogue bar and offers every
// command to it first; `CMainFrame` builds the rest.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "command/CmdTarget.h"
#include "platform/Geometry.h"

class CHyperFrame;
class CMyApp;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class CCatMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CCatMainFrame(QWidget* parent = nullptr);
    ~CCatMainFrame() override;

    QDockWidget* catalogueBar() const { return catBar_; }
    // The catalogue bar first, then this frame's own commands.
    bool OnCmdMsg(int id, CCmdUI* ui) override;

protected:
    virtual QDockWidget* CreateCatalogueBar(const QString& title = QStringLiteral("Catalogue"), int width = 200,
                                            int height = 100);
    virtual void DockCatalogueBar(Qt::DockWidgetArea area, const QString& file = QStringLiteral("Default.cat"));

    QDockWidget* catBar_ = nullptr;  // child of this window
};

class CMainFrame : public CCatMainFrame {
    Q_OBJECT
public:
    explicit CMainFrame(CMyApp* app);
    ~CMainFrame() override;

    // Creates the bars, docks them and restores their state. False when a
    // bar could not be made.
    bool Create();

    // ---- commands ----
    // Runs a command through the routing chain; false when nobody took it.
    bool RouteCommand(int id);
    // Asks the routing chain for a command's state; a command nobody
    // handles is disabled.
    CCmdUI RouteUpdate(int id);
    // Refreshes every menu item and toolbar button.
    void UpdateCommandUI();
    QAction* Action(int id) const;

    // ---- documents ----
    CHyperFrame* ActiveFrame() const;
    QList<CHyperFrame*> Frames() const;
    CHyperFrame* NewDocument();
    Q_INVOKABLE CHyperFrame* OpenDocumentFile(const QString& path);
    // Asks to save each modified document; false when the user cancelled.
    bool SaveAllModified();
    QMdiArea* mdiArea() const { return mdi_; }
    // The size a document window opens with: three quarters of the
    // document area, as a cascaded window.
    QSize DefaultChildSize();

    // ---- status bar position panes ----
    void ShowPositionPanes(bool show);
    void ShowPosition(const CRect* rect);  // null: show the last one again
    QString positionText() const;
    QString sizeText() const;

    // ---- bar state ----
    // Where a resizable bar is: docked at the top or bottom, at a side, or
    // floating. Each has a size of its own.
    enum class BarOrientation { kHorz, kVert, kFloat };
    BarOrientation OrientationOf(const QDockWidget* bar) const;
    // Saves the sizes of every resizable bar (all three orientations, the
    // current one taken from the bar), then the docking state.
    void SaveBarState();
    // Reads the sizes, restores the docking state and gives each bar the
    // size of the orientation it is in.
    void LoadBarState();
    // The size remembered for a bar in an orientation (empty: unknown).
    QSize StoredBarSize(const QDockWidget* bar, BarOrientation o) const;
    QDockWidget* propertyBar() const { return propertyBar_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void CreateActions();
    void CreateMenus();
    QAction* MakeAction(int id, const QString& text, const QString& prompt, const QKeySequence& key = {});
    // Shows a document window at the default size; `fromFile` applies the
    // window object read with the document.
    CHyperFrame* AddFrame(CHyperFrame* frame, bool fromFile);
    CHyperFrame* FindOpen(const QString& path) const;
    void UpdateTitle();
    // Fills the "Tools" menu with the active window's tools.
    void FillToolsMenu(QMenu* menu);
    void UpdateRecentMenu();

    CMyApp* app_;
    QMdiArea* mdi_ = nullptr;
    std::map<int, QAction*> actions_;
    QMenu* recentMenu_ = nullptr;
    QToolBar* standardBar_ = nullptr;
    QToolBar* formatBar0_ = nullptr;
    QToolBar* formatBar1_ = nullptr;
    QToolBar* layoutBar_ = nullptr;
    QDockWidget* propertyBar_ = nullptr;
    QLabel* posPane_ = nullptr;
    QLabel* sizePane_ = nullptr;
    struct BarSizes {
        QSize horz, vert, floating;
        QSize& Of(BarOrientation o) {
            return o == BarOrientation::kHorz ? horz : o == BarOrientation::kVert ? vert : floating;
        }
        const QSize& Of(BarOrientation o) const {
            return o == BarOrientation::kHorz ? horz : o == BarOrientation::kVert ? vert : floating;
        }
    };
    std::vector<QDockWidget*> SizingBars() const;
    // Sizes per orientation, read at start and kept up to date on saving.
    std::map<const QDockWidget*, BarSizes> barSizes_;
    CRect lastPosition_;
    int untitledCount_ = 0;
};
