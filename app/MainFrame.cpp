#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "command/CommandIds.h"
#include "app/MyApp.h"
#include "app/MyFrame.h"
#include "app/MyView.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOleDoc.h"
#include "paint/PntEditor.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"
#include "platform/StringTable.h"

namespace {

constexpr const char* kBarProfile = "CBAR.SR1";
constexpr int kMinBarSize = 40;
// The smallest default size of a new document window.
constexpr int kMinChildWidth = 320;
constexpr int kMinChildHeight = 240;

QString BarSection(int barId) { return QStringLiteral("%1-SCBar-%2").arg(QLatin1String(kBarProfile)).arg(barId); }

}  // namespace

// ---------------------------------------------------------------------------
// CCatMainFrame

CCatMainFrame::CCatMainFrame(QWidget* parent) : QMainWindow(parent) {
    commands_.On(
        vx::cmd::kViewCatalogue, [this] { if (catBar_) catBar_->setVisible(!catBar_->isVisible()); },
        [this](CCmdUI& ui) {
            ui.Enable(catBar_ != nullptr);
            ui.SetCheck(catBar_ && catBar_->isVisible());
        });
}

CCatMainFrame::~CCatMainFrame() = default;

bool CCatMainFrame::OnCmdMsg(int id, CCmdUI* ui) {
    // The catalogue bar (and its manager) sees every command first; it
    // handles none until catalogues exist.
    return CCmdTarget::OnCmdMsg(id, ui);
}

QDockWidget* CCatMainFrame::CreateCatalogueBar(const QString& title, int width, int height) {
    catBar_ = new QDockWidget(title, this);
    catBar_->setObjectName(QStringLiteral("Bar%1").arg(vx::cmd::kBarCatalogue));
    auto* body = new QLabel(tr("No catalogue is open."), catBar_);
    body->setAlignment(Qt::AlignCenter);
    body->setMinimumSize(width / 2, height / 2);
    catBar_->setWidget(body);
    catBar_->resize(width, height);
    return catBar_;
}

void CCatMainFrame::DockCatalogueBar(Qt::DockWidgetArea area, const QString& /*file*/) {
    if (!catBar_) return;
    catBar_->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(area, catBar_);
}

// ---------------------------------------------------------------------------
// CMainFrame

CMainFrame::CMainFrame(CMyApp* app) : app_(app) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(vx::ToQString(vx::LoadString(26633)));
    setWindowIcon(QIcon(QStringLiteral(":/vexelwork.svg")));
    setAcceptDrops(true);
    commands_.On(vx::cmd::kWindowCascade, [this] { mdi_->cascadeSubWindows(); },
                 [this](CCmdUI& ui) { ui.Enable(!mdi_->subWindowList().isEmpty()); });
    commands_.On(vx::cmd::kWindowTileHorz, [this] { mdi_->tileSubWindows(); },
                 [this](CCmdUI& ui) { ui.Enable(!mdi_->subWindowList().isEmpty()); });
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& prompt, const QKeySequence& key) {
    auto* a = new QAction(text, this);
    a->setData(id);
    a->setStatusTip(prompt);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, id] {
        RouteCommand(id);
        UpdateCommandUI();
    });
    actions_[id] = a;
    return a;
}

QAction* CMainFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    using namespace vx::cmd;
    MakeAction(kFileNew, tr("&New"), tr("Create a new document"), QKeySequence::New);
    MakeAction(kFileOpen, tr("&Open..."), tr("Open an existing document"), QKeySequence::Open);
    MakeAction(kFileClose, tr("&Close"), tr("Close the active document"));
    MakeAction(kFileSave, tr("&Save"), tr("Save the active document"), QKeySequence::Save);
    MakeAction(kFileSaveAs, tr("Save &As..."), tr("Save the active document with a new name"));
    MakeAction(kFilePrintSetup, tr("Print Set&up..."), tr("Change the printer and printing options"));
    for (int i = 0; i < kFileMruCount; ++i) MakeAction(kFileMru1 + i, QString(), tr("Open this document"));
    MakeAction(kAppExit, tr("E&xit"), tr("Quit the application; prompts to save documents"), QKeySequence::Quit);
    MakeAction(kEditUndo, tr("&Undo"), tr("Undo the last action"), QKeySequence::Undo);
    MakeAction(kEditRedo, tr("&Redo"), tr("Redo the previously undone action"), QKeySequence::Redo);
    MakeAction(kEditCut, tr("Cu&t"), tr("Cut the selection and put it on the Clipboard"), QKeySequence::Cut);
    MakeAction(kEditCopy, tr("&Copy"), tr("Copy the selection and put it on the Clipboard"), QKeySequence::Copy);
    MakeAction(kEditPaste, tr("&Paste"), tr("Insert Clipboard contents"), QKeySequence::Paste);
    MakeAction(kEditClear, tr("&Delete"), tr("Erase the selection"), QKeySequence::Delete);
    MakeAction(kEditSelectAll, tr("Select &All"), tr("Select the entire document"), QKeySequence::SelectAll);
    MakeAction(kClassAttributes, tr("Class A&ttributes..."), tr("Edit the attributes of the selected class"));
    MakeAction(kClassOperations, tr("Class &Operations..."), tr("Edit the operations of the selected class"));
    MakeAction(kViewToolbar, tr("&Toolbar"), tr("Show or hide the toolbar"));
    MakeAction(kViewStatusBar, tr("&Status Bar"), tr("Show or hide the status bar"));
    MakeAction(kViewPropertySheetBar, tr("&Property Sheet"), tr("Show or hide the property sheet"));
    MakeAction(kViewCatalogue, tr("&Catalogue"), tr("Show or hide the catalogue bar"));
    MakeAction(kZoomIn, tr("Zoom &In"), tr("Zoom in"), QKeySequence::ZoomIn);
    MakeAction(kZoomOut, tr("Zoom &Out"), tr("Zoom out"), QKeySequence::ZoomOut);
    MakeAction(kZoom100, tr("Zoom &1:1"), tr("Zoom to 100 percent"));
    // Editing commands the edit view and the document window take.
    MakeAction(kGroup, tr("&Group"), tr("Group the selected objects"));
    MakeAction(kUngroup, tr("&Ungroup"), tr("Take the selected group apart"));
    MakeAction(kRegroup, tr("&Regroup"), tr("Group the objects of the last Ungroup again"));
    MakeAction(kRoute, tr("R&oute"), tr("Select the objects connected to the selected one"));
    MakeAction(kEditPoints, tr("Edit &Points"), tr("Edit points on of selected contour"));
    MakeAction(kOpenOrClose, tr("Open or &Close"), tr("Toggle open-close state of selected contour"));
    MakeAction(kLayersSheet, tr("&Layers Sheet..."), tr("Edit the page's layers"));
    MakeAction(kToggleGrid, tr("Toggle &Grid"), tr("Show or hide the grid and snap to it"));
    MakeAction(kGridSettings, tr("Grid &Settings..."), tr("Change the grid, its spacing and the guidelines"));
    MakeAction(kViewSnapPoints, tr("Snap &Points"), tr("Show or hide the snap points of all objects"));
    MakeAction(kPublishSetup, tr("&Setup..."), tr("Change the publish settings"));
    MakeAction(kPublishServer, tr("&Server..."), tr("Publish the design on the exchange server"));
    MakeAction(kDownloadDesigns, tr("&Designs..."), tr("Download designs from the exchange server"));
    MakeAction(kWindowCascade, tr("&Cascade"), tr("Arrange windows so they overlap"));
    MakeAction(kWindowTileHorz, tr("&Tile"), tr("Arrange windows as non-overlapping tiles"));
    MakeAction(kAppAbout, tr("&About Vexelwork..."), tr("Display program information, version number and copyright"));
    MakeAction(kImageNew, tr("&New Image..."), tr("Draw a new image in the bitmap editor and save it as BMP or PNG"));
    MakeAction(kImageOpen, tr("&Open Image..."), tr("Edit a BMP or PNG image in the bitmap editor"));
    for (auto& [id, a] : actions_) {
        if (id == kViewToolbar || id == kViewStatusBar || id == kViewPropertySheetBar || id == kViewCatalogue ||
            id == kToggleGrid || id == kViewSnapPoints || id == kEditPoints || id == kOpenOrClose)
            a->setCheckable(true);
    }
}

void CMainFrame::CreateMenus() {
    using namespace vx::cmd;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (int id : {kFileNew, kFileOpen, kFileClose, kFileSave, kFileSaveAs}) file->addAction(Action(id));
    file->addSeparator();
    file->addAction(Action(kFilePrintSetup));
    file->addSeparator();
    for (int i = 0; i < kFileMruCount; ++i) file->addAction(Action(kFileMru1 + i));
    file->addSeparator();
    file->addAction(Action(kAppExit));
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentMenu);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    for (int id : {kEditUndo, kEditRedo}) edit->addAction(Action(id));
    edit->addSeparator();
    for (int id : {kEditCut, kEditCopy, kEditPaste, kEditClear}) edit->addAction(Action(id));
    edit->addSeparator();
    edit->addAction(Action(kEditSelectAll));
    edit->addSeparator();
    for (int id : {kGroup, kUngroup, kRegroup, kRoute}) edit->addAction(Action(id));
    for (int id : {kEditPoints, kOpenOrClose}) edit->addAction(Action(id));
    edit->addAction(Action(kLayersSheet));
    for (int id : {kClassAttributes, kClassOperations}) edit->addAction(Action(id));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (int id : {kViewToolbar, kViewStatusBar, kViewPropertySheetBar, kViewCatalogue}) view->addAction(Action(id));
    view->addSeparator();
    for (int id : {kZoomIn, kZoomOut, kZoom100}) view->addAction(Action(id));
    view->addSeparator();
    for (int id : {kToggleGrid, kGridSettings, kViewSnapPoints}) view->addAction(Action(id));

    QMenu* image = menuBar()->addMenu(tr("&Image"));
    image->addAction(Action(kImageNew));
    image->addAction(Action(kImageOpen));
    QMenu* publish = menuBar()->addMenu(tr("&Publish"));
    publish->addAction(Action(kPublishSetup));
    publish->addAction(Action(kPublishServer));
    QMenu* download = menuBar()->addMenu(tr("&Download"));
    download->addAction(Action(kDownloadDesigns));

    // Until the object bar exists, the drawing tools are picked here.
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    connect(tools, &QMenu::aboutToShow, this, [this, tools] { FillToolsMenu(tools); });

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(Action(kWindowCascade));
    window->addAction(Action(kWindowTileHorz));
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Action(kAppAbout));

    for (QMenu* m : {file, edit, view, image, publish, download, window, help})
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

bool CMainFrame::Create() {
    using namespace vx::cmd;
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateTitle();
        UpdateCommandUI();
    });

    CreateActions();
    CreateMenus();

    // Status bar: the message pane, and the position panes of the edit
    // bars, which start shown.
    statusBar()->showMessage(tr("Ready"));
    ShowPositionPanes(true);

    standardBar_ = addToolBar(tr("Standard"));
    standardBar_->setObjectName(QStringLiteral("Bar%1").arg(kBarStandard));
    const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
    Action(kFileNew)->setIcon(icon(QStyle::SP_FileIcon));
    Action(kFileOpen)->setIcon(icon(QStyle::SP_DialogOpenButton));
    Action(kFileSave)->setIcon(icon(QStyle::SP_DialogSaveButton));
    Action(kAppAbout)->setIcon(icon(QStyle::SP_MessageBoxQuestion));
    for (int id : {kFileNew, kFileOpen, kFileSave}) standardBar_->addAction(Action(id));
    standardBar_->addSeparator();
    for (int id : {kEditCut, kEditCopy, kEditPaste}) standardBar_->addAction(Action(id));
    standardBar_->addSeparator();
    standardBar_->addAction(Action(kAppAbout));

    // The layout bars: their buttons come with the format commands.
    formatBar0_ = addToolBar(vx::ToQString(vx::LoadString(27461)));
    formatBar0_->setObjectName(QStringLiteral("Bar%1").arg(kBarFormat0));
    formatBar1_ = addToolBar(vx::ToQString(vx::LoadString(27462)));
    formatBar1_->setObjectName(QStringLiteral("Bar%1").arg(kBarFormat1));
    layoutBar_ = new QToolBar(vx::ToQString(vx::LoadString(27460)), this);
    layoutBar_->setObjectName(QStringLiteral("Bar%1").arg(kBarLayout));
    addToolBar(Qt::BottomToolBarArea, layoutBar_);
    for (QToolBar* bar : {formatBar0_, formatBar1_, layoutBar_}) bar->setAllowedAreas(Qt::AllToolBarAreas);

    // The property-sheet bar, docked left; its sheet arrives later.
    propertyBar_ = new QDockWidget(tr("Property Sheet"), this);
    propertyBar_->setObjectName(QStringLiteral("Bar%1").arg(kBarPropertySheet));
    propertyBar_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* sheet = new QLabel(tr("Nothing selected"), propertyBar_);
    sheet->setAlignment(Qt::AlignCenter);
    sheet->setMinimumSize(130, 150);
    propertyBar_->setWidget(sheet);
    addDockWidget(Qt::LeftDockWidgetArea, propertyBar_);
    resizeDocks({propertyBar_}, {260}, Qt::Horizontal);

    CreateCatalogueBar();
    DockCatalogueBar(Qt::LeftDockWidgetArea);

    commands_.On(kViewToolbar, [this] { standardBar_->setVisible(!standardBar_->isVisible()); },
                 [this](CCmdUI& ui) { ui.SetCheck(standardBar_->isVisible()); });
    commands_.On(kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
                 [this](CCmdUI& ui) { ui.SetCheck(statusBar()->isVisible()); });
    commands_.On(kViewPropertySheetBar, [this] { propertyBar_->setVisible(!propertyBar_->isVisible()); },
                 [this](CCmdUI& ui) { ui.SetCheck(propertyBar_->isVisible()); });

    // The image editor, usable on its own until bitmaps and catalogues use it.
    commands_.On(kImageNew, [this] { vx::pnt::RunImageEditor(this, QString()); });
    commands_.On(kImageOpen, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Image"), QString(),
                                                          tr("Images (*.bmp *.png);;All Files (*)"));
        if (!path.isEmpty()) vx::pnt::RunImageEditor(this, path);
    });

    LoadBarState();

    // Menus and buttons follow the routing chain, as the framework's idle
    // update does.
    auto* idle = new QTimer(this);
    idle->setInterval(300);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    idle->start();
    resize(1024, 720);
    return true;
}

// ---- command routing ----

bool CMainFrame::RouteCommand(int id) {
    if (CHyperFrame* f = ActiveFrame(); f && f->OnCmdMsg(id, nullptr)) return true;
    if (CCatMainFrame::OnCmdMsg(id, nullptr)) return true;
    return app_ && app_->OnCmdMsg(id, nullptr);
}

CCmdUI CMainFrame::RouteUpdate(int id) {
    CCmdUI ui(id);
    if (CHyperFrame* f = ActiveFrame(); f && f->OnCmdMsg(id, &ui)) return ui;
    if (CCatMainFrame::OnCmdMsg(id, &ui)) return ui;
    if (app_ && app_->OnCmdMsg(id, &ui)) return ui;
    ui.Enable(false);
    return ui;
}

void CMainFrame::UpdateCommandUI() {
    for (auto& [id, a] : actions_) {
        const CCmdUI ui = RouteUpdate(id);
        a->setEnabled(ui.enabled);
        if (a->isCheckable()) a->setChecked(ui.checked);
        if (ui.text) a->setText(vx::ToQString(*ui.text));
    }
}

void CMainFrame::FillToolsMenu(QMenu* menu) {
    menu->clear();
    CHyperFrame* f = ActiveFrame();
    if (!f) return;
    for (const auto& [id, name] : f->ToolMenuEntries()) {
        QAction* a = Action(id);
        if (!a) {
            a = MakeAction(id, name, name);
            a->setCheckable(true);
        }
        menu->addAction(a);
    }
    UpdateCommandUI();
}

void CMainFrame::UpdateRecentMenu() {
    const auto& files = app_->recentFiles().Files();
    for (int i = 0; i < vx::cmd::kFileMruCount; ++i) {
        QAction* a = Action(vx::cmd::kFileMru1 + i);
        const bool has = i < int(files.size());
        a->setVisible(has);
        if (has) a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(vx::ToQString(files[size_t(i)])).fileName()));
    }
}

// ---- documents ----

CHyperFrame* CMainFrame::ActiveFrame() const {
    QMdiSubWindow* sub = mdi_ ? mdi_->activeSubWindow() : nullptr;
    if (!sub && mdi_ && !mdi_->subWindowList().isEmpty()) sub = mdi_->subWindowList().last();
    return sub ? qobject_cast<CHyperFrame*>(sub->widget()) : nullptr;
}

QList<CHyperFrame*> CMainFrame::Frames() const {
    QList<CHyperFrame*> out;
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* f = qobject_cast<CHyperFrame*>(sub->widget())) out << f;
    return out;
}

CHyperFrame* CMainFrame::AddFrame(CHyperFrame* frame, bool fromFile) {
    QMdiSubWindow* sub = mdi_->addSubWindow(frame);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    connect(frame, &CHyperFrame::pathChanged, this, [this](const QString& path) {
        app_->AddToRecentFileList(vx::FromQString(path));
        UpdateTitle();
    });
    connect(frame, &CHyperFrame::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(frame, &CHyperFrame::openRequested, this, [this](const QString& path) { OpenDocumentFile(path); });
    // The view reports the rectangle being edited; the active window's
    // report shows in the position panes.
    if (CMyView* view = frame->GetView())
        connect(view, &CHyperRunView::positionReported, this,
                [this, frame](int left, int top, int width, int height) {
                    if (ActiveFrame() != frame) return;
                    const CRect r(left, top, left + width, top + height);
                    ShowPosition(&r);
                });
    frame->OnDocumentLoaded();
    sub->resize(DefaultChildSize());
    sub->show();
    // A design read from a file brings its window's boxes, border and
    // client size; a new design keeps the default window.
    if (fromFile) frame->ApplyWindowObject();
    frame->FollowClientSize();
    mdi_->setActiveSubWindow(sub);
    UpdateTitle();
    return frame;
}

QSize CMainFrame::DefaultChildSize() {
    // Before the main window is first shown its layout has not run; lay it
    // out now so the area has the size it will be shown with.
    if (!isVisible() && layout()) layout()->setGeometry(rect());
    const QSize area = mdi_->contentsRect().size();
    return QSize(std::max(kMinChildWidth, area.width() * 3 / 4),
                 std::max(kMinChildHeight, area.height() * 3 / 4));
}

CHyperFrame* CMainFrame::NewDocument() {
    auto doc = std::make_unique<CMyDoc>();
    doc->SetTitle("Vxw" + std::to_string(++untitledCount_));
    doc->SetModifiedFlag(false);
    return AddFrame(new CMyFrame(std::move(doc), nullptr), false);
}

CHyperFrame* CMainFrame::FindOpen(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) return nullptr;
    for (CHyperFrame* f : Frames()) {
        const QString other = QFileInfo(vx::ToQString(f->GetDocument()->pathName())).canonicalFilePath();
        if (other == canonical) return f;
    }
    return nullptr;
}

CHyperFrame* CMainFrame::OpenDocumentFile(const QString& pathIn) {
    const QString path = QFileInfo(pathIn).absoluteFilePath();
    if (CHyperFrame* open = FindOpen(path)) {
        mdi_->setActiveSubWindow(open->subWindow());
        return open;
    }
    auto doc = std::make_unique<CMyDoc>();
    const std::string p = vx::FromQString(path);

    // A recovery copy newer than the design is offered first; nothing is
    // deleted here.
    const QFileInfo info(path);
    const QFileInfo recovery(vx::ToQString(CMyDoc::AutoSaveName(p, vx::FromQString(info.fileName()))));
    bool fromRecovery = false;
    if (recovery.exists() && info.exists() && recovery.lastModified() > info.lastModified()) {
        const auto answer = QMessageBox::question(
            this, tr("Vexelwork"),
            tr("A recovery copy of %1 is newer than the file (saved %2).\nOpen the recovered copy instead?")
                .arg(info.fileName(), recovery.lastModified().toString(Qt::TextDate)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        fromRecovery = answer == QMessageBox::Yes;
    }

    const LoadResult r = doc->LoadFromFile(fromRecovery ? vx::FromQString(recovery.absoluteFilePath()) : p);
    if (r.status == LoadResult::kFailed) {
        QMessageBox::critical(this, tr("Vexelwork"),
                              tr("Cannot open %1.\n%2").arg(path, vx::ToQString(r.message)));
        return nullptr;
    }
    if (fromRecovery && r.status == LoadResult::kOk) {
        // The recovered design belongs to the original file and is unsaved.
        doc->SetPathName(p);
        doc->SetModifiedFlag(true);
    }
    if (r.status == LoadResult::kPartial) {
        QMessageBox::warning(this, tr("Vexelwork"),
                             tr("%1 is damaged and was only partly read:\n%2\n\n"
                                "Save what was read under a new name; the original file is left as it is.")
                                 .arg(path, vx::ToQString(r.message)));
    } else if (!fromRecovery) {
        app_->AddToRecentFileList(p);
    }
    return AddFrame(new CMyFrame(std::move(doc), nullptr), true);
}

bool CMainFrame::SaveAllModified() {
    for (CHyperFrame* f : Frames())
        if (!f->SaveModified()) return false;
    return true;
}

void CMainFrame::UpdateTitle() {
    const QString app = vx::ToQString(vx::LoadString(26633));
    CHyperFrame* f = ActiveFrame();
    if (!f) {
        setWindowTitle(app);
        return;
    }
    // The document's shown title is its window object's Title.
    const CMyDoc* doc = f->GetDocument();
    const CHyperFrameOb* fo = doc->frameObject();
    QString name = fo ? vx::ToQString(fo->title) : QString();
    if (name.isEmpty()) name = vx::ToQString(doc->title());
    setWindowTitle(QStringLiteral("%1 - %2%3").arg(app, name, doc->IsModified() ? QStringLiteral("*") : QString()));
}

// ---- status bar position panes ----

void CMainFrame::ShowPositionPanes(bool show) {
    if (show && !posPane_) {
        posPane_ = new QLabel(statusBar());
        sizePane_ = new QLabel(statusBar());
        for (QLabel* l : {posPane_, sizePane_}) {
            l->setFixedWidth(80);
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            statusBar()->addPermanentWidget(l);
        }
    } else if (!show && posPane_) {
        delete posPane_;
        delete sizePane_;
        posPane_ = sizePane_ = nullptr;
    }
}

void CMainFrame::ShowPosition(const CRect* rect) {
    if (!posPane_) return;
    if (rect) lastPosition_ = *rect;
    const CRect& r = lastPosition_;
    if (r.IsRectEmpty()) {
        const QString na = vx::ToQString(vx::LoadString(26624));
        posPane_->setText(na);
        sizePane_->setText(na);
        return;
    }
    posPane_->setText(QString::asprintf("%d,%d", r.left, r.top));
    sizePane_->setText(QString::asprintf("%dx%d", r.Width(), r.Height()));
}

QString CMainFrame::positionText() const { return posPane_ ? posPane_->text() : QString(); }
QString CMainFrame::sizeText() const { return sizePane_ ? sizePane_->text() : QString(); }

// ---- bar state ----

CMainFrame::BarOrientation CMainFrame::OrientationOf(const QDockWidget* bar) const {
    if (bar->isFloating()) return BarOrientation::kFloat;
    const Qt::DockWidgetArea area = dockWidgetArea(const_cast<QDockWidget*>(bar));
    return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea
               ? BarOrientation::kHorz
               : BarOrientation::kVert;
}

std::vector<QDockWidget*> CMainFrame::SizingBars() const {
    std::vector<QDockWidget*> bars;
    for (QDockWidget* bar : {propertyBar_, catBar_})
        if (bar) bars.push_back(bar);
    return bars;
}

void CMainFrame::SaveBarState() {
    vx::SettingsStore& s = vx::SettingsStore::App();
    for (QDockWidget* bar : SizingBars()) {
        // The size of the orientation the bar is in now; the other two keep
        // what they were.
        BarSizes& sizes =
            barSizes_.try_emplace(bar, BarSizes{bar->size(), bar->size(), bar->size()})
                .first->second;
        sizes.Of(OrientationOf(bar)) = bar->size();
        const std::string section = vx::FromQString(BarSection(bar->objectName().mid(3).toInt()));
        for (const auto& [key, size] :
             {std::pair{"sizeHorz", sizes.horz}, std::pair{"sizeVert", sizes.vert},
              std::pair{"sizeFloat", sizes.floating}}) {
            s.WriteProfileInt(section, std::string(key) + "CX", size.width());
            s.WriteProfileInt(section, std::string(key) + "CY", size.height());
        }
    }
    const QByteArray state = saveState();
    s.WriteProfileBinary(std::string(kBarProfile) + "-Summary", "State",
                         std::vector<uint8_t>(state.begin(), state.end()));
    const QByteArray geometry = saveGeometry();
    s.WriteProfileBinary(std::string(kBarProfile) + "-Summary", "Geometry",
                         std::vector<uint8_t>(geometry.begin(), geometry.end()));
    s.Sync();
}

void CMainFrame::LoadBarState() {
    const vx::SettingsStore& s = vx::SettingsStore::App();
    // The sizes of every orientation (the bar's current size when absent,
    // never below the bar's minimum), then the docking state.
    for (QDockWidget* bar : SizingBars()) {
        const std::string section = vx::FromQString(BarSection(bar->objectName().mid(3).toInt()));
        const QSize current = bar == propertyBar_ ? QSize(260, 300) : bar->size();
        const auto read = [&](const char* key) {
            const int cx = s.GetProfileInt(section, std::string(key) + "CX", current.width());
            const int cy = s.GetProfileInt(section, std::string(key) + "CY", current.height());
            return QSize(std::max(kMinBarSize, cx), std::max(kMinBarSize, cy));
        };
        barSizes_[bar] = BarSizes{read("sizeHorz"), read("sizeVert"), read("sizeFloat")};
    }
    const auto geometry = s.GetProfileBinary(std::string(kBarProfile) + "-Summary", "Geometry");
    if (!geometry.empty()) restoreGeometry(QByteArray(reinterpret_cast<const char*>(geometry.data()), qsizetype(geometry.size())));
    const auto state = s.GetProfileBinary(std::string(kBarProfile) + "-Summary", "State");
    if (!state.empty()) restoreState(QByteArray(reinterpret_cast<const char*>(state.data()), qsizetype(state.size())));
    // Each bar takes the size stored for where it now is.
    for (QDockWidget* bar : SizingBars()) {
        const BarOrientation o = OrientationOf(bar);
        const QSize size = barSizes_[bar].Of(o);
        if (o == BarOrientation::kFloat) {
            bar->resize(size);
        } else if (o == BarOrientation::kVert) {
            resizeDocks({bar}, {size.width()}, Qt::Horizontal);
            resizeDocks({bar}, {size.height()}, Qt::Vertical);
        } else {
            resizeDocks({bar}, {size.height()}, Qt::Vertical);
            resizeDocks({bar}, {size.width()}, Qt::Horizontal);
        }
    }
}

QSize CMainFrame::StoredBarSize(const QDockWidget* bar, BarOrientation o) const {
    const auto it = barSizes_.find(bar);
    return it == barSizes_.end() ? QSize() : it->second.Of(o);
}

// ---- window events ----

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!SaveAllModified()) {
        e->ignore();
        return;
    }
    SaveBarState();
    // The documents were asked already; close their windows without asking again.
    for (CHyperFrame* f : Frames()) f->GetDocument()->SetModifiedFlag(false);
    mdi_->closeAllSubWindows();
    e->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
    for (const QUrl& url : e->mimeData()->urls())
        if (url.isLocalFile()) OpenDocumentFile(url.toLocalFile());
    e->acceptProposedAction();
}
