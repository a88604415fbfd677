// The paint control's tools: mouse and keys, the rectangle tracker of the
// selection and text tools, and the text tool.
#include <QKeyEvent>
#include <QMouseEvent>

#include "paint/PntCtrl.h"
#include "paint/PntTextFmtBar.h"

namespace pnt = vx::pnt;

namespace {

bool IsShapeTool(int t) { return t == CPntCtrl::kToolLine || (t >= CPntCtrl::kToolRect && t <= CPntCtrl::kToolFilledEllipse); }

CPoint Clamped(CPoint p, const CRect& box) {
    return {std::clamp(p.x, box.left, box.right - 1), std::clamp(p.y, box.top, box.bottom - 1)};
}

// The pixels a stroke from a to b of width w may touch.
CRect StrokeBounds(CPoint a, CPoint b, int w) {
    CRect r = pnt::ShapeRect(a, b);
    r.InflateRect(w, w);
    return r;
}

}  // namespace

void CPntCtrl::DrawShape(CPoint a, CPoint b) {
    const CRect r = pnt::ShapeRect(a, b);
    switch (tool_) {
        case kToolLine: pnt::Line(image_, a, b, penWidth_, penColor_); break;
        case kToolRect: pnt::Rectangle(image_, r, penWidth_, penColor_, false); break;
        case kToolRoundRect: pnt::RoundRect(image_, r, penWidth_, penColor_, false); break;
        case kToolEllipse: pnt::Ellipse(image_, r, penWidth_, penColor_, false); break;
        case kToolFilledRect: pnt::Rectangle(image_, r, penWidth_, penColor_, true); break;
        case kToolFilledRoundRect: pnt::RoundRect(image_, r, penWidth_, penColor_, true); break;
        case kToolFilledEllipse: pnt::Ellipse(image_, r, penWidth_, penColor_, true); break;
        default: break;
    }
}

void CPntCtrl::StrokeTo(CPoint to) {
    const bool erase = tool_ == kToolEraser;
    const int w = erase ? eraserWidth_ : penWidth_;
    pnt::Line(image_, last_, to, w, erase ? pnt::EraseColor(transColor_) : penColor_);
    ImageEdited(StrokeBounds(last_, to, w));
}

void CPntCtrl::AirbrushTick() {
    if (!spraying_ || image_.IsNull()) return;
    pnt::Spray(image_, last_, penWidth_, penColor_, random_);
    ImageEdited(StrokeBounds(last_, last_, pnt::kAirbrushRadiusFactor * penWidth_));
}

void CPntCtrl::DrawSelectionImage(const CRect& at) {
    if (selImage_.IsNull()) return;
    // With transparent drawing the transparency colour of the pasted or
    // moved pixels leaves the image below.
    const bool leaveOut = transparentDraw_ && transColor_ != -1;
    const uint32_t clear = leaveOut ? selImage_.ValueFor(transColor_) : 0;
    for (int y = 0; y < selImage_.height(); ++y) {
        const int ty = at.top + y;
        if (ty < 0 || ty >= image_.height()) continue;
        for (int x = 0; x < selImage_.width(); ++x) {
            const int tx = at.left + x;
            if (tx < 0 || tx >= image_.width()) continue;
            const uint32_t v = selImage_.ValueAt(x, y);
            if (leaveOut && v == clear) continue;
            image_.SetValue(tx, ty, selImage_.bitCount() == image_.bitCount() && selImage_.GetPalette() == image_.GetPalette()
                                        ? v
                                        : image_.ValueFor(selImage_.ColorOfValue(v)));
        }
    }
}

void CPntCtrl::RedrawText() {
    if (!textPlaced_ || image_.IsNull()) return;
    // The placed text is taken back and drawn again.
    undo_.Undo(image_);
    SaveUndo();
    pnt::Text(image_, selRect_, text_.toStdString(), textFormat_, textFont_, penColor_);
    ImageEdited(WholeImage());
}

void CPntCtrl::SetToolText(const QString& text) {
    text_ = text;
    RedrawText();
}

void CPntCtrl::SetTextFormat(unsigned format) {
    textFormat_ = format;
    RedrawText();
}

void CPntCtrl::SetTextFont(const LOGFONT& font) {
    textFont_ = font;
    RedrawText();
}

// ---------------------------------------------------------------------------
// Mouse

void CPntCtrl::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (image_.IsNull() || tool_ == kToolNone || tool_ == kToolMagnify || tool_ == kToolSampler) return;
    setFocus();
    const QPoint at = e->position().toPoint();
    const CPoint p = ClientToImage(at);
    press_ = last_ = p;
    cancelled_ = false;
    switch (tool_) {
        case kToolSelect:
        case kToolText: {
            CRect grown = WholeImage();
            grown.InflateRect(5, 5);
            if (!selShown_ || !grown.PtInRect(p)) return;
            int hit = HitTest(at);
            // Inside a selection of the whole image a press starts a new
            // rectangle: moving the whole image is never what is meant.
            if (hit == 8 && selRect_ == WholeImage() && !floating_ && !textPlaced_) hit = -1;
            if (tool_ == kToolText) {
                if (textPlaced_ && hit < 0) {
                    textPlaced_ = false;  // the text stays as it is
                } else if (textPlaced_) {
                    undo_.Undo(image_);  // taken back; drawn again when the drag ends
                    RefreshAll();
                }
                if (!textPlaced_) {
                    text_.clear();
                    if (!textBar_) textBar_ = new CPntTextFmtBar(this);
                    textBar_->SetText(QString());
                    textBar_->show();
                }
                textPlaced_ = false;
            } else if (hit == 8) {
                // A move: a floating selection is first taken back.
                moveTookBack_ = false;
                if (floating_) moveTookBack_ = undo_.Undo(image_);
                else cutMode_ = !(e->modifiers() & Qt::ControlModifier);
                tool_ = kToolMove;
                backup_ = image_;
                if (cutMode_) pnt::FillRect(image_, selImageRect_, pnt::EraseColor(transColor_));
                DrawSelectionImage(selRect_);
                RefreshAll();
            } else {
                floating_ = false;
            }
            track_.kind = hit < 0 ? Track::kRubber : hit == 8 ? Track::kMove : Track::kResize;
            track_.hit = hit;
            track_.start = selRect_;
            track_.press = p;
            drawing_ = true;
            return;
        }
        case kToolFill:
            SaveUndo();
            pnt::FloodFill(image_, p, fillColor_);
            ImageEdited(WholeImage());
            break;
        case kToolPen:
        case kToolEraser:
            SaveUndo();
            StrokeTo(p);
            break;
        case kToolAirbrush:
            SaveUndo();
            spraying_ = true;
            airbrushTimer_.start();
            break;
        default:
            if (IsShapeTool(tool_)) {
                backup_ = image_;
                DrawShape(p, p);
                Refresh(StrokeBounds(p, p, penWidth_));
            }
            break;
    }
    drawing_ = true;
}

void CPntCtrl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (!drawing_ || !(e->buttons() & Qt::LeftButton)) {
        UpdateCursor(at);
        return;
    }
    if (cancelled_) return;
    const CPoint p = ClientToImage(at);
    switch (tool_) {
        case kToolSelect:
        case kToolText:
        case kToolMove: ApplyTrack(p, false); break;
        case kToolPen:
        case kToolEraser: StrokeTo(p); break;
        case kToolAirbrush:
            last_ = p;
            pnt::Spray(image_, p, penWidth_, penColor_, random_);
            ImageEdited(StrokeBounds(p, p, pnt::kAirbrushRadiusFactor * penWidth_));
            break;
        default:
            if (IsShapeTool(tool_) && backup_) {
                image_ = *backup_;
                DrawShape(press_, p);
                CRect dirty = StrokeBounds(press_, last_, penWidth_);
                CRect now = StrokeBounds(press_, p, penWidth_);
                dirty.UnionRect(dirty, now);
                Refresh(dirty);
            }
            break;
    }
    last_ = p;
}

void CPntCtrl::mouseReleaseEvent(QMouseEvent* e) {
    const CPoint p = ClientToImage(e->position().toPoint());
    if (e->button() == Qt::RightButton) {
        if (tool_ == kToolMagnify) {
            const int step = StepZoom(zoomPercent(), false);
            if (step > 0) SetMagnification(step);
        }
        return;
    }
    if (e->button() != Qt::LeftButton || image_.IsNull()) return;
    if (tool_ == kToolMagnify) {
        const int step = StepZoom(zoomPercent(), !(e->modifiers() & Qt::AltModifier));
        if (step > 0) SetMagnification(step);
        return;
    }
    if (tool_ == kToolSampler) {
        const COLORREF c = image_.PixelAt(p.x, p.y);
        if (c != -1) {
            penColor_ = fillColor_ = c;
            NotifyColourSampled();
            SelectTool(prevTool_);
        }
        return;
    }
    if (!drawing_) return;
    drawing_ = false;
    if (cancelled_) return;
    switch (tool_) {
        case kToolAirbrush:
            airbrushTimer_.stop();
            spraying_ = false;
            break;
        case kToolSelect:
        case kToolText:
        case kToolMove: ApplyTrack(p, true); break;
        default:
            if (IsShapeTool(tool_) && backup_) {
                image_ = *backup_;
                backup_.reset();
                SaveUndo();
                DrawShape(press_, p);
                ImageEdited(WholeImage());
            }
            break;
    }
}

// ---------------------------------------------------------------------------
// The tracker

void CPntCtrl::ApplyTrack(CPoint at, bool final) {
    const CRect box = WholeImage();
    CRect r = track_.start;
    const int dx = at.x - track_.press.x, dy = at.y - track_.press.y;
    switch (track_.kind) {
        case Track::kRubber: r = pnt::ShapeRect(Clamped(track_.press, box), Clamped(at, box)); break;
        case Track::kMove: {
            const int mx = std::clamp(dx, box.left - r.left, box.right - r.right);
            const int my = std::clamp(dy, box.top - r.top, box.bottom - r.bottom);
            r.OffsetRect(mx, my);
            break;
        }
        case Track::kResize: {
            const int h = track_.hit;
            if (h == 0 || h == 3 || h == 7) r.left += dx;
            if (h == 1 || h == 2 || h == 5) r.right += dx;
            if (h == 0 || h == 1 || h == 4) r.top += dy;
            if (h == 2 || h == 3 || h == 6) r.bottom += dy;
            r.NormalizeRect();
            if (r.Width() < 1) r.right = r.left + 1;
            if (r.Height() < 1) r.bottom = r.top + 1;
            CRect c;
            r = c.IntersectRect(r, box) ? c : track_.start;
            break;
        }
        case Track::kNone: return;
    }
    if (tool_ == kToolMove) {
        image_ = *backup_;
        if (final) {
            backup_.reset();
            tool_ = kToolSelect;
            track_.kind = Track::kNone;
            if (r == track_.start) {
                // A click without a drag changes nothing; a floating
                // selection taken back comes back.
                if (moveTookBack_) undo_.Redo(image_);
                RefreshAll();
                return;
            }
            SaveUndo();
        }
        if (cutMode_) pnt::FillRect(image_, selImageRect_, pnt::EraseColor(transColor_));
        DrawSelectionImage(r);
        selRect_ = r;
        if (final) {
            floating_ = true;
            ImageEdited(WholeImage());
        } else {
            RefreshAll();
        }
        return;
    }
    if (tool_ == kToolText) {
        selRect_ = r;
        if (final) {
            track_.kind = Track::kNone;
            SaveUndo();
            pnt::Text(image_, selRect_, text_.toStdString(), textFormat_, textFont_, penColor_);
            textPlaced_ = true;
            ImageEdited(WholeImage());
        }
        viewport()->update();
        return;
    }
    SetSelectionRect(r, true);
    if (final) {
        track_.kind = Track::kNone;
        floating_ = false;
        viewport()->update();
    }
}

void CPntCtrl::CancelDrag() {
    cancelled_ = true;
    drawing_ = false;
    if (IsShapeTool(tool_) && backup_) {
        image_ = *backup_;
        backup_.reset();
        RefreshAll();
    } else if (tool_ == kToolAirbrush) {
        airbrushTimer_.stop();
        if (spraying_) {
            spraying_ = false;
            Undo();
        }
    } else if (tool_ == kToolMove && backup_) {
        image_ = *backup_;
        backup_.reset();
        if (moveTookBack_) undo_.Redo(image_);
        selRect_ = track_.start;
        tool_ = kToolSelect;
        RefreshAll();
    } else if (tool_ == kToolSelect) {
        selRect_ = track_.start;
        viewport()->update();
    }
    track_.kind = Track::kNone;
}

// ---------------------------------------------------------------------------
// Keys

void CPntCtrl::keyPressEvent(QKeyEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (e->key() == Qt::Key_Escape) {
        if (drawing_) CancelDrag();
        else if (!IsShapeTool(tool_) && tool_ != kToolSampler) Undo();
        return;
    }
    if (ctrl && e->key() == Qt::Key_Z && !drawing_) {
        Undo();
        return;
    }
    if (ctrl && e->key() == Qt::Key_Y && !drawing_) {
        Redo();
        return;
    }
    if (tool_ == kToolText && textPlaced_ && textBar_) {
        textBar_->ForwardKey(e);
        return;
    }
    if (e->key() == Qt::Key_Delete && tool_ != kToolText && !drawing_) {
        Clear(&selRect_, true);
        selRect_ = WholeImage();
        floating_ = false;
        viewport()->update();
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}
