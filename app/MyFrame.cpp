#include "app/MyFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <optional>

#include "command/CommandIds.h"
#include "app/MyView.h"
#include "dialogs/LayersSheet.h"
#include "model/LayerFmt.h"
#include "platform/StringTable.h"
#include "shapes/Route.h"
#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

CHyperFrame::CHyperFrame(std::unique_ptr<CMyDoc> doc, QWidget* parent) : QWidget(parent), doc_(std::move(doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new CMyView(doc_.get(), this);
    layout->addWidget(view_);
    tools_.isKnownTool = [this](int id) { return IsToolCommand(id); };
    tools_.onChanged = [this](int id) {
        if (view_) emit view_->toolChanged(id);
    };
    view_->SetToolState(&tools_);
    // Scripts open designs through the application's open command.
    connect(view_, &CMyView::openRequested, this, &CHyperFrame::openRequested);

    commands_.On(vx::cmd::kLayersSheet, [this] {
        CLayerFmt* layers = doc_->mainPage().layers();
        if (!layers) return;
        CLayersSheet sheet(*layers, &doc_->mainPage(), this);
        ConfigureLayersSheet(sheet);
        // The layers as they were before the sheet: one "Property" step
        // when it applied changes.
        std::optional<CHyperView::CEditScope> scope;
        if (view_) scope.emplace(*view_, CHyperView::EditKind::kProperty);
        const auto applied = sheet.onApplied;
        sheet.onApplied = [&scope, applied] {
            if (scope) scope->Changed();
            if (applied) applied();
        };
        sheet.exec();
    }, [this](CCmdUI& ui) { ui.Enable(view_ && view_->IsEditMode() && doc_->mainPage().layers()); });
    commands_.On(vx::cmd::kRoute, [this] {
        CHyperOb* start = view_ ? view_->GetDominant() : nullptr;
        if (!start) return;
        const std::vector<CHyperOb*> found = vx::shapes::RouteConnected(doc_->mainPage(), start);
        if (found.empty()) return;
        view_->BeginSelectionBatch();
        view_->DeselectAll(false);
        for (CHyperOb* ob : found) view_->AddToSelection(ob);
        view_->EndSelectionBatch();
    }, [this](CCmdUI& ui) { ui.Enable(view_ && view_->IsEditMode() && view_->GetDominant()); });
    commands_.On(vx::cmd::kFileSave, [this] { Save(); });
    commands_.On(vx::cmd::kFileSaveAs, [this] { SaveAs(); });
    commands_.On(vx::cmd::kFileClose, [this] {
        if (QMdiSubWindow* sub = subWindow()) sub->close();
        else close();
    });

    autoSaveSeconds_ = vx::SettingsStore::App().GetProfileInt("Settings", "AutoSave", 0);
    if (autoSaveSeconds_ > 0) {
        autoSaveTimer_.setInterval(autoSaveSeconds_ * 1000);
        connect(&autoSaveTimer_, &QTimer::timeout, this, &CHyperFrame::OnAutoSaveTick);
        autoSaveTimer_.start();
    }
    OnDocumentLoaded();
}

CHyperFrame::~CHyperFrame() {
    autoSaveTimer_.stop();
    RemoveAutoSaveFile();
    if (doc_ && doc_->frameObject()) doc_->frameObject()->SetWindow(nullptr);
    // The view refers to the document: it goes first.
    delete view_;
    view_ = nullptr;
}

QMdiSubWindow* CHyperFrame::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

bool CHyperFrame::OnCmdMsg(int id, CCmdUI* ui) {
    if (view_ && view_->IsEditMode() && IsToolCommand(id)) {
        if (ui) {
            ui->Enable(IsToolEnabled(id));
            ui->SetCheck(GetTool() == id);
        } else if (IsToolEnabled(id)) {
            SetTool(id);
        }
        return true;
    }
    if (view_ && view_->OnCmdMsg(id, ui)) return true;
    return CCmdTarget::OnCmdMsg(id, ui);
}

void CHyperFrame::OnDocumentLoaded() {
    if (view_) view_->OnDocumentLoaded();
    if (CHyperFrameOb* fo = doc_->frameObject()) fo->SetWindow(this);
    UpdateCaption();
}

void CHyperFrame::ApplyWindowObject() {
    if (CHyperFrameOb* fo = doc_->frameObject()) {
        fo->SetWindow(this);
        fo->ApplyToWindow(CHyperFrameOb::kNoActivate);
    }
}

void CHyperFrame::UpdateCaption() {
    const CHyperFrameOb* fo = doc_->frameObject();
    QString caption = vx::ToQString(fo ? fo->title : doc_->title());
    if (caption.isEmpty()) caption = vx::ToQString(doc_->title());
    setWindowTitle(caption + QStringLiteral("[*]"));
    setWindowModified(doc_->IsModified());
    if (QMdiSubWindow* sub = subWindow()) {
        sub->setWindowTitle(windowTitle());
        sub->setWindowModified(doc_->IsModified());
    }
    emit modifiedChanged();
}

bool CHyperFrame::Save() {
    if (doc_->pathName().empty() || doc_->partlyRead() || doc_->readOnlyFile()) return SaveAs();
    return SaveTo(doc_->pathName());
}

bool CHyperFrame::SaveAs() {
    QString start = vx::ToQString(doc_->pathName());
    if (start.isEmpty()) start = vx::ToQString(doc_->title());
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), start, tr("Vxw Files (*.vxw);;All Files (*)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".vxw");
    return SaveTo(vx::FromQString(path));
}

bool CHyperFrame::SaveTo(const std::string& path, bool reportErrors) {
    // A failed save leaves the file as it was and the document modified.
    const bool isAutoSave = CMyDoc::IsAutoSavePath(path);
    const std::string error = isAutoSave ? doc_->SaveToFile(path) : doc_->DoSave(path);
    if (!error.empty()) {
        if (reportErrors)
            QMessageBox::critical(this, tr("Vexelwork"),
                                  tr("Cannot save %1.\n%2").arg(vx::ToQString(path), vx::ToQString(error)));
        return false;
    }
    if (!isAutoSave) {
        autoSaveFailureShown_ = false;
        // The recovery copy of this path is no longer needed.
        QFile::remove(vx::ToQString(CMyDoc::AutoSaveName(path, doc_->title())));
        UpdateCaption();
        emit pathChanged(vx::ToQString(path));
    }
    return true;
}

bool CHyperFrame::SaveModified() {
    if (!doc_->IsModified()) return true;
    const QString name = vx::ToQString(doc_->pathName().empty() ? doc_->title() : doc_->pathName());
    const auto answer = QMessageBox::question(this, tr("Vexelwork"), tr("Save changes to %1?").arg(name),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return Save();
}

void CHyperFrame::OnAutoSaveTick() {
    // Timers also fire inside message boxes: never run a tick inside another.
    if (inAutoSave_ || !doc_ || !doc_->IsModified()) return;
    inAutoSave_ = true;
    const std::string name = CMyDoc::AutoSaveName(doc_->pathName(), doc_->title());
    const std::string error = doc_->SaveToFile(name);
    doc_->SetModifiedFlag(true);
    if (error.empty()) {
        autoSaveFailureShown_ = false;
    } else if (!autoSaveFailureShown_) {
        // Reported once until a save succeeds again.
        autoSaveFailureShown_ = true;
        QMessageBox::warning(this, tr("Vexelwork"),
                             tr("The recovery copy %1 could not be saved.\n%2")
                                 .arg(vx::ToQString(name), vx::ToQString(error)));
    }
    inAutoSave_ = false;
}

void CHyperFrame::RemoveAutoSaveFile() {
    if (autoSaveSeconds_ <= 0 || !doc_) return;
    QFile::remove(vx::ToQString(CMyDoc::AutoSaveName(doc_->pathName(), doc_->title())));
}

void CHyperFrame::FollowClientSize() {
    followClientSize_ = true;
    const QWidget* w = subWindow() ? static_cast<const QWidget*>(subWindow()) : this;
    CHyperFrameOb* fo = doc_->frameObject();
    if (!fo || w->isMaximized() || w->isMinimized()) return;
    fo->width = width();
    fo->height = height();
}

void CHyperFrame::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (followClientSize_) FollowClientSize();
}

void CHyperFrame::closeEvent(QCloseEvent* e) {
    // A modified document always asks, also outside edit mode.
    if (!SaveModified()) {
        e->ignore();
        return;
    }
    e->accept();
}

// ---- the window object's view of this window ----

bool CHyperFrame::IsMaximized() const {
    const QWidget* w = subWindow() ? static_cast<const QWidget*>(subWindow()) : this;
    return w->isMaximized();
}

void CHyperFrame::SetStyle(uint32_t style) {
    style_ = style;
    ApplyStyleToSubWindow();
}

void CHyperFrame::SetExStyle(uint32_t exStyle) {
    exStyle_ = exStyle;
    ApplyStyleToSubWindow();
}

void CHyperFrame::ApplyStyleToSubWindow() {
    QWidget* w = subWindow() ? static_cast<QWidget*>(subWindow()) : this;
    Qt::WindowFlags f = w->windowFlags();
    f.setFlag(Qt::WindowMinimizeButtonHint, style_ & CHyperFrameOb::kMinimizeBox);
    f.setFlag(Qt::WindowMaximizeButtonHint, style_ & CHyperFrameOb::kMaximizeBox);
    f.setFlag(Qt::WindowContextHelpButtonHint, exStyle_ & CHyperFrameOb::kContextHelp);
    if (f != w->windowFlags()) {
        const bool visible = w->isVisible();
        w->setWindowFlags(f);
        if (visible) w->show();
    }
    // Without a resizing border the window keeps its size.
    if (style_ & CHyperFrameOb::kThickFrame) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        w->setFixedSize(w->size());
    }
}

CSize CHyperFrame::NonClientSize() const {
    if (const QMdiSubWindow* sub = subWindow()) return CSize(sub->width() - width(), sub->height() - height());
    return CSize(0, 0);
}

void CHyperFrame::Resize(int width, int height) {
    QWidget* w = subWindow() ? static_cast<QWidget*>(subWindow()) : this;
    width = std::max(width, 50);
    height = std::max(height, 50);
    if (!(style_ & CHyperFrameOb::kThickFrame)) w->setFixedSize(width, height);
    else w->resize(width, height);
}

void CHyperFrame::SetTitle(const std::string&) { UpdateCaption(); }

bool CHyperFrame::MainWindowUp() const {
    const QWidget* top = window();
    return top && top != this && top->isVisible();
}

// ---- tools ----

bool CHyperFrame::IsToolCommand(int id) const {
    if (id == vx::tool::kSelect || (id >= vx::tool::kAppFirst && id <= vx::tool::kAppLast)) return true;
    return view_ && id > 0 && id <= 0xFFFF && view_->GetToolClass(uint16_t(id)) != nullptr;
}

bool CHyperFrame::IsToolEnabled(int id) const {
    if (!view_ || !view_->IsEditMode() || !IsToolCommand(id)) return false;
    if (id == vx::tool::kSelect) return true;
    if (const CLayerFmt* layers = doc_->mainPage().layers(); layers && !layers->empty()) {
        const int layer = layers->GetInsertionLayerId();
        if (!layers->IsLayerVisible(layer) || layers->IsLayerLocked(layer)) return false;
    }
    return id != vx::tool::kConnector || view_->m_bShowSnapPoints;
}

std::vector<std::pair<int, QString>> CHyperFrame::ToolMenuEntries() const {
    std::vector<std::pair<int, QString>> out;
    out.emplace_back(vx::tool::kSelect, tr("Select"));
    if (!view_) return out;
    for (const auto& [id, info] : view_->toolMap()) {
        // The first part of the tool's string is its name.
        QString name = vx::ToQString(std::string(vx::LoadString(id)));
        name = name.section(QLatin1Char('\n'), 0, 0);
        if (name.isEmpty()) name = QString::fromLatin1(info->name);
        out.emplace_back(id, name);
    }
    // The freehand mode draws with the next press whatever the tool.
    out.emplace_back(vx::cmd::kFreehandMode, tr("Freehand"));
    return out;
}

void CHyperFrame::ConfigureLayersSheet(CLayersSheet& sheet) {
    sheet.selectLayer = [this](int layerId) {
        if (view_) view_->SelectLayer(layerId);
    };
    sheet.onApplied = [this] {
        if (!view_) return;
        view_->viewport()->update();
        SetTool(vx::tool::kSelect);
    };
}
