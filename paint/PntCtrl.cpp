// The paint control: the image, the view (magnification, scrolling,
// centring, painting, the pixel grid) and the masks. The tools are in
// PntCtrlTools.cpp, the editing commands in PntCtrlEdit.cpp.
#include "paint/PntCtrl.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "command/CommandIds.h"
#include "paint/PntImageFile.h"
#include "paint/PntTextFmtBar.h"

namespace {

const char* const kToolDescriptions[CPntCtrl::kToolCount] = {
    "",
    "Adjusts the selection rectangle for the image.",
    "Drag and drop the selected area within the image.",
    "Increases or decreases the magnification of the image.",
    "Fills an area.",
    "Draws using a pen with the current width.",
    "Erases using an eraser with the current width.",
    "Select a colour from the image",
    "Draws a line using the current pen width and colour.",
    "Draws text using the current pen colour.",
    "Paints with the airbrush in the current colour.",
    "Draws a rectangle using the current pen width and colour.",
    "Draws a rounded rectangle using the current pen width and colour.",
    "Draws an ellipse using the current pen width and colour.",
    "Draws a filled rectangle using the current pen width and colour.",
    "Draws a filled rounded rectangle using the current pen width and colour.",
    "Draws a filled ellipse using the current pen width and colour.",
};

// The background around the image.
const QColor kWorkspace(171, 171, 171);

QColor ToQColor(COLORREF c) { return QColor(vx::GetRValue(c), vx::GetGValue(c), vx::GetBValue(c)); }

}  // namespace

CPntCtrl::CPntCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("MFCPaintCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    textFont_.lfHeight = -13;
    textFont_.lfWeight = 400;
    textFont_.lfFaceName = QApplication::font().family().toStdString();
    airbrushTimer_.setInterval(1);
    connect(&airbrushTimer_, &QTimer::timeout, this, &CPntCtrl::AirbrushTick);
    using namespace vx::cmd;
    auto canCopy = [this](CCmdUI& ui) {
        ui.Enable(HasImage() && (tool_ == kToolText ||
                                 (!selRect_.IsRectEmpty() && (tool_ == kToolSelect || selShown_))));
    };
    commands_.On(kEditCut, [this] { Cut(); }, canCopy);
    commands_.On(kEditCopy, [this] { Copy(); }, canCopy);
    commands_.On(kEditPaste, [this] { Paste(); }, [this](CCmdUI& ui) { ui.Enable(CanPaste()); });
    commands_.On(kEditUndo, [this] { Undo(); }, [this](CCmdUI& ui) { ui.Enable(CanUndo()); });
    commands_.On(kEditRedo, [this] { Redo(); }, [this](CCmdUI& ui) { ui.Enable(CanRedo()); });
}

CPntCtrl::~CPntCtrl() = default;

QString CPntCtrl::GetToolDescription(int tool) {
    return tool >= 0 && tool < kToolCount ? QString::fromLatin1(kToolDescriptions[tool]) : QString();
}

// ---------------------------------------------------------------------------
// The image

void CPntCtrl::ReplaceImage(CDIBSection image) {
    image_ = std::move(image);
    backup_.reset();
    selImage_.Clear();
    selImageRect_ = CRect();
    floating_ = false;
    textPlaced_ = false;
    drawing_ = false;
    airbrushTimer_.stop();
    SetModified(false);
    selRect_ = WholeImage();
    view_ = QImage(image_.width(), image_.height(), QImage::Format_ARGB32);
    RefreshAll();
    UpdateScrollBars();
    NotifyImageChanged();
}

bool CPntCtrl::SetImage(const CDIBSection& image) {
    if (image.IsNull() || !vx::PntSizeAllowed(image.width(), image.height())) return false;
    ReplaceImage(image);
    return true;
}

bool CPntCtrl::LoadFile(const QString& path, QString* error) {
    CDIBSection loaded;
    std::string why;
    if (!vx::pnt::LoadImageFile(path.toStdString(), loaded, &why)) {
        if (error) *error = QString::fromStdString(why);
        return false;
    }
    ReplaceImage(std::move(loaded));
    return true;
}

bool CPntCtrl::SaveFile(const QString& path, QString* error) {
    std::string why;
    if (!vx::pnt::SaveImageFile(path.toStdString(), image_, &why)) {
        if (error) *error = QString::fromStdString(why);
        return false;
    }
    return true;
}

bool CPntCtrl::NewImage(int width, int height, int bitCount) {
    CDIBSection made;
    if (!made.CreateImage(width, height, 1, bitCount)) return false;
    ReplaceImage(std::move(made));
    return true;
}

bool CPntCtrl::NewImage() {
    CPntDimensions d;
    if (!AskDimensions(d)) return false;
    return NewImage(d.width, d.height, d.bitCount);
}

void CPntCtrl::SetModified(bool modified) {
    modified_ = modified;
    if (modified) NotifyImageChanged();
    else undo_.Clear();
}

void CPntCtrl::ImageEdited(const CRect& dirty) {
    Refresh(dirty);
    SetModified(true);
}

void CPntCtrl::Refresh(const CRect& dirty) {
    if (image_.IsNull()) return;
    if (view_.size() != QSize(image_.width(), image_.height()))
        view_ = QImage(image_.width(), image_.height(), QImage::Format_ARGB32);
    const COLORREF leaveOut = transparentDraw_ ? transColor_ : -1;
    image_.RenderInto(view_, dirty, leaveOut);
    CRect shown;
    if (!shown.IntersectRect(dirty, WholeImage())) return;
    viewport()->update(ClientRectOf(shown).adjusted(-1, -1, 1, 1));
}

void CPntCtrl::RefreshAll() {
    Refresh(WholeImage());
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Tools and colours

void CPntCtrl::SelectTool(int tool) {
    if (tool < 0 || tool >= kToolCount) return;
    if (drawing_) CancelDrag();
    textPlaced_ = false;
    text_.clear();
    if (textBar_) textBar_->hide();
    floating_ = false;
    selRect_ = WholeImage();
    if (tool_ == kToolSelect || tool_ == kToolText) selShown_ = savedSelShown_;
    prevTool_ = tool_;
    tool_ = tool;
    SetStatusText(GetToolDescription(tool));
    if (tool == kToolSelect || tool == kToolText) {
        savedSelShown_ = selShown_;
        selShown_ = true;
    }
    viewport()->update();
    emit modeChanged();
    if (tool == kToolText) {
        if (!textBar_) textBar_ = new CPntTextFmtBar(this);
        textBar_->SetText(QString());
        textBar_->show();
    }
    UpdateCursor(viewport()->mapFromGlobal(QCursor::pos()));
}

void CPntCtrl::SetPenColor(COLORREF c) {
    penColor_ = c;
    if (tool_ == kToolText) RedrawText();
}

void CPntCtrl::SetTransparencyColor(COLORREF c) {
    transColor_ = c;
    RefreshAll();
}

void CPntCtrl::SetTransparent(bool on) {
    transparentDraw_ = on;
    RefreshAll();
}

void CPntCtrl::SetSelectionShown(bool on) {
    selShown_ = on;
    viewport()->update();
}

void CPntCtrl::SetSelectionRect(const CRect& r, bool capture) {
    CRect c;
    if (!c.IntersectRect(r.Normalized(), WholeImage())) c = WholeImage();
    selRect_ = c;
    if (capture && !image_.IsNull()) {
        selImage_ = image_.CopyPart(c);
        selImageRect_ = c;
    }
    viewport()->update();
}

// ---------------------------------------------------------------------------
// The view

int CPntCtrl::StepZoom(int percent, bool up) {
    if (up) {
        for (int z : kZoomLevels)
            if (z > percent) return z;
        return -1;
    }
    int below = -1;
    for (int z : kZoomLevels)
        if (z < percent) below = z;
    return below;
}

void CPntCtrl::SetMagnification(int percent) {
    mag_ = std::clamp(percent, 1, 3200) / 100.0;
    UpdateScrollBars();
    viewport()->update();
    NotifyZoomChanged();
}

void CPntCtrl::SizeToFit() {
    if (image_.IsNull()) return;
    int cw = viewport()->width(), ch = viewport()->height();
    if (verticalScrollBar()->isVisible()) cw += verticalScrollBar()->width();
    if (horizontalScrollBar()->isVisible()) ch += horizontalScrollBar()->height();
    cw -= 2 * baseMargin_.x() + 1;
    ch -= 2 * baseMargin_.y() + 1;
    const double m = std::min(double(cw) / image_.width(), double(ch) / image_.height());
    mag_ = std::clamp(m, 0.01, 32.0);
    UpdateScrollBars();
    viewport()->update();
    NotifyZoomChanged();
}

void CPntCtrl::SetCentered(bool on) {
    centred_ = on;
    UpdateMargin();
    viewport()->update();
}

void CPntCtrl::SetGrid(bool on, int minZoom) {
    gridOn_ = on;
    gridMinZoom_ = minZoom;
    viewport()->update();
}

bool CPntCtrl::GridVisible() const {
    const int zoom = zoomPercent();
    return gridOn_ && zoom >= gridMinZoom_ && zoom >= 200 && (!gridWholeOnly_ || zoom % 100 == 0);
}

QPoint CPntCtrl::ImageToClient(CPoint p) const {
    const int hs = horizontalScrollBar()->value(), vs = verticalScrollBar()->value();
    return {int(std::trunc(p.x * mag_)) + viewMargin_.x() - hs, int(std::trunc(p.y * mag_)) + viewMargin_.y() - vs};
}

CPoint CPntCtrl::ClientToImage(QPoint c) const {
    if (mag_ <= 0) return {};
    const int hs = horizontalScrollBar()->value(), vs = verticalScrollBar()->value();
    return {int(std::trunc((c.x() + hs - viewMargin_.x()) / mag_)),
            int(std::trunc((c.y() + vs - viewMargin_.y()) / mag_))};
}

QRect CPntCtrl::ClientRectOf(const CRect& r) const {
    const QPoint a = ImageToClient(r.TopLeft()), b = ImageToClient(r.BottomRight());
    return QRect(a, b - QPoint(1, 1));
}

void CPntCtrl::UpdateMargin() {
    viewMargin_ = baseMargin_;
    if (!centred_ || image_.IsNull()) return;
    const int w = int(image_.width() * mag_), h = int(image_.height() * mag_);
    const QSize client = viewport()->size();
    viewMargin_ = QPoint(std::max(0, (client.width() - w) / 2 - baseMargin_.x()) + baseMargin_.x(),
                         std::max(0, (client.height() - h) / 2 - baseMargin_.y()) + baseMargin_.y());
}

void CPntCtrl::UpdateScrollBars() {
    if (inScrollUpdate_) return;
    inScrollUpdate_ = true;
    const int needW = image_.IsNull() ? 0 : int(image_.width() * mag_) + 2 * baseMargin_.x();
    const int needH = image_.IsNull() ? 0 : int(image_.height() * mag_) + 2 * baseMargin_.y();
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, needW - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, needH - client.height()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setSingleStep(std::max(1, client.width() / 10));
    verticalScrollBar()->setSingleStep(std::max(1, client.height() / 10));
    UpdateMargin();
    inScrollUpdate_ = false;
}

void CPntCtrl::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
}

void CPntCtrl::scrollContentsBy(int, int) { viewport()->update(); }

void CPntCtrl::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    const QRect clip = e->rect();
    p.fillRect(clip, kWorkspace);
    if (image_.IsNull()) return;
    // Only the part of the image under the clip box is drawn.
    const CPoint a = ClientToImage(clip.topLeft()), b = ClientToImage(clip.bottomRight());
    CRect src;
    if (src.IntersectRect(CRect(a.x - 1, a.y - 1, b.x + 2, b.y + 2), WholeImage())) {
        const QRect target = ClientRectOf(src);
        p.drawImage(target, view_, QRect(src.left, src.top, src.Width(), src.Height()));
        if (GridVisible()) {
            QImage pattern(8, 8, QImage::Format_RGB32);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    pattern.setPixel(x, y, ((x + y) & 1) ? ToQColor(vx::GetSysColor(vx::SysColor::ButtonShadow)).rgb()
                                                         : ToQColor(vx::GetSysColor(vx::SysColor::ButtonFace)).rgb());
            const QBrush brush(pattern);
            const QRect whole = ClientRectOf(WholeImage());
            for (int i = src.left; i <= src.right; ++i)
                p.fillRect(ImageToClient({i, 0}).x(), whole.top(), 1, whole.height(), brush);
            for (int j = src.top; j <= src.bottom; ++j)
                p.fillRect(whole.left(), ImageToClient({0, j}).y(), whole.width(), 1, brush);
        }
    }
    if (tool_ != kToolSelect && tool_ != kToolText && tool_ != kToolMove) {
        p.setPen(Qt::black);
        p.drawRect(ClientRectOf(WholeImage()).adjusted(-1, -1, 0, 0));
    }
    if (selShown_ && track_.kind != Track::kRubber) {
        const QRect r = ClientRectOf(selRect_);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(-1, -1, 0, 0));
        const int l = r.left(), t = r.top(), rr = r.right() + 1, bb = r.bottom() + 1, s = kHandleSize;
        const int mx = (l + rr) / 2 - s / 2, my = (t + bb) / 2 - s / 2;
        for (QPoint h : {QPoint(l - s, t - s), QPoint(rr, t - s), QPoint(rr, bb), QPoint(l - s, bb), QPoint(mx, t - s),
                         QPoint(rr, my), QPoint(mx, bb), QPoint(l - s, my)})
            p.fillRect(QRect(h, QSize(s, s)), Qt::black);
    } else if (track_.kind == Track::kRubber) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(ClientRectOf(selRect_).adjusted(-1, -1, 0, 0));
    }
}

int CPntCtrl::HitTest(QPoint c) const {
    const QRect r = ClientRectOf(selRect_);
    const int l = r.left(), t = r.top(), rr = r.right() + 1, bb = r.bottom() + 1, s = kHandleSize;
    const int mx = (l + rr) / 2 - s / 2, my = (t + bb) / 2 - s / 2;
    const QPoint handles[8] = {QPoint(l - s, t - s), QPoint(rr, t - s), QPoint(rr, bb), QPoint(l - s, bb),
                               QPoint(mx, t - s),    QPoint(rr, my),    QPoint(mx, bb), QPoint(l - s, my)};
    for (int i = 0; i < 8; ++i)
        if (QRect(handles[i], QSize(s, s)).contains(c)) return i;
    return r.contains(c) ? 8 : -1;
}

void CPntCtrl::UpdateCursor(QPoint c) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (tool_) {
        case kToolSelect:
        case kToolText:
        case kToolMove: {
            static const Qt::CursorShape kByHit[9] = {Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                                      Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeHorCursor,
                                                      Qt::SizeVerCursor,   Qt::SizeHorCursor,   Qt::SizeAllCursor};
            const int hit = selShown_ ? HitTest(c) : -1;
            shape = hit >= 0 ? kByHit[hit] : Qt::CrossCursor;
            break;
        }
        case kToolMagnify: shape = Qt::PointingHandCursor; break;
        case kToolFill:
        case kToolSampler: shape = Qt::UpArrowCursor; break;
        case kToolNone: break;
        default: shape = Qt::CrossCursor; break;
    }
    viewport()->setCursor(shape);
}

// ---------------------------------------------------------------------------
// Masks

CDIBSection CPntCtrl::GetMaskImage() const {
    CDIBSection mask;
    if (image_.IsNull()) return mask;
    mask.CreateImage(image_.width(), image_.height(), 1, 1);
    mask.FillAll(vx::RGB(0, 0, 0));
    if (!transparentDraw_ || transColor_ == -1) return mask;
    const uint32_t clear = image_.ValueFor(transColor_);
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x)
            if (image_.ValueAt(x, y) == clear) mask.SetValue(x, y, 1);
    return mask;
}

bool CPntCtrl::ApplyMask(const CDIBSection& mask) {
    if (image_.IsNull() || image_.GetColorCount() == 0 || mask.width() != image_.width() ||
        mask.height() != image_.height())
        return false;
    // Only named colours the table holds exactly can stand for transparency
    // (a colour merely near an entry would make that entry transparent too);
    // a two-colour image, or a table without any of them, gets a default
    // table first.
    auto exact = [this](COLORREF c) { return image_.ColorOfValue(image_.ValueFor(c)) == c; };
    bool any = false;
    for (const auto& n : vx::kPntNamedColors) any = any || exact(n.color);
    if (!any || image_.bitCount() == 1) {
        CDIBSection wider = image_;
        if (!wider.ChangeFormat(image_.width(), image_.height(), 1, image_.bitCount() == 1 ? 4 : 8)) return false;
        image_ = std::move(wider);
    }
    auto transparentAt = [&](int x, int y) { return mask.PixelAt(x, y) == vx::RGB(255, 255, 255); };
    int counts[16] = {};
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x) {
            if (transparentAt(x, y)) continue;
            const COLORREF c = image_.PixelAt(x, y);
            for (int i = 0; i < 16; ++i)
                if (vx::kPntNamedColors[size_t(i)].color == c) ++counts[i];
        }
    int best = -1;
    for (int i = 15; i >= 0; --i) {
        if (!exact(vx::kPntNamedColors[size_t(i)].color)) continue;
        if (best < 0 || counts[i] < counts[best]) best = i;
        if (counts[i] == 0) break;
    }
    if (best < 0) return false;
    const COLORREF chosen = vx::kPntNamedColors[size_t(best)].color;
    const uint32_t v = image_.ValueFor(chosen);
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x)
            if (transparentAt(x, y)) image_.SetValue(x, y, v);
    transColor_ = chosen;
    RefreshAll();
    return true;
}
