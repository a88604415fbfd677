// The main window: a multiple-document frame with the standard toolbar, the
// status bar, the layout bars, the docked "Property Sheet" bar and the
// "Catalogue" bar. `CCatMainFrame` adds the catalogue bar and offers every
// command to it first; `CMainFrame` builds the rest.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>

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

    // ---- status bar position panes ----
    void ShowPositionPanes(bool show);
    void ShowPosition(const CRect* rect);  // null: show the last one again
    QString positionText() const;
    QString sizeText() const;

    // ---- bar state ----
    void SaveBarState() const;
    void LoadBarState();

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void CreateActions();
    void CreateMenus();
    QAction* MakeAction(int id, const QString& text, const QString& prompt, const QKeySequence& key = {});
    CHyperFrame* AddFrame(CHyperFrame* frame);
    CHyperFrame* FindOpen(const QString& path) const;
    void UpdateTitle();
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
    CRect lastPosition_;
    int untitledCount_ = 0;
};
