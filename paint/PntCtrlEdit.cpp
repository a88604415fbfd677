// The paint control's editing commands: clipboard, clear, undo and redo,
// resizing and printing.
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "paint/PntCtrl.h"
#include "paint/PntDialogs.h"
#include "paint/PntImageFile.h"
#include "paint/PntTextFmtBar.h"
#include "platform/QtConv.h"
#include "platform/StringTable.h"

namespace pnt = vx::pnt;

QString CPntCtrl::CropPrompt() {
    return QStringLiteral("Clipboard image is larger than the\nSelection area. Crop to selection area?");
}

void CPntCtrl::SaveUndo() { undo_.Save(image_); }

bool CPntCtrl::Undo() {
    if (!undo_.Undo(image_)) return false;
    textPlaced_ = false;
    floating_ = false;
    selRect_ = WholeImage();
    RefreshAll();
    NotifyImageChanged();
    return true;
}

bool CPntCtrl::Redo() {
    if (!undo_.Redo(image_)) return false;
    textPlaced_ = false;
    floating_ = false;
    selRect_ = WholeImage();
    RefreshAll();
    NotifyImageChanged();
    return true;
}

bool CPntCtrl::Clear(const CRect* r, bool snapshot) {
    if (image_.IsNull()) return false;
    CRect area;
    if (!area.IntersectRect(r ? *r : selRect_, WholeImage())) return false;
    if (snapshot) SaveUndo();
    pnt::FillRect(image_, area, pnt::EraseColor(transColor_));
    ImageEdited(area);
    return true;
}

void CPntCtrl::ClearImage() {
    if (image_.IsNull()) return;
    image_.FillAll(pnt::EraseColor(transColor_));
    ImageEdited(WholeImage());
}

void CPntCtrl::Copy() {
    if (tool_ == kToolText) {
        if (textBar_) textBar_->Copy();
        return;
    }
    if (image_.IsNull() || selRect_.IsRectEmpty()) return;
    QGuiApplication::clipboard()->setMimeData(pnt::MimeDataForImage(image_.ToQImage(selRect_)));
}

void CPntCtrl::Cut() {
    if (tool_ == kToolText) {
        if (textBar_) textBar_->Cut();
        return;
    }
    if (image_.IsNull() || selRect_.IsRectEmpty()) return;
    Copy();
    Clear(&selRect_, true);
}

bool CPntCtrl::CanPaste() const {
    if (tool_ == kToolText) return textBar_ && textBar_->CanPaste();
    return HasImage() && pnt::MimeDataHasImage(QGuiApplication::clipboard()->mimeData());
}

bool CPntCtrl::Paste() {
    if (tool_ == kToolText) {
        if (!textBar_) return false;
        textBar_->Paste();
        return true;
    }
    if (image_.IsNull() || selRect_.IsRectEmpty()) return false;
    QImage clip;
    std::string why;
    if (!pnt::ImageFromMimeData(QGuiApplication::clipboard()->mimeData(), clip, &why)) return false;
    CRect target(selRect_.TopLeft(), CSize(clip.width(), clip.height()));
    if ((clip.width() > selRect_.Width() || clip.height() > selRect_.Height()) && selShown_ &&
        selRect_ != WholeImage()) {
        const auto answer = QMessageBox::question(this, windowTitle(), CropPrompt(),
                                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes) {
            target.right = std::min(target.right, selRect_.right);
            target.bottom = std::min(target.bottom, selRect_.bottom);
        }
    }
    // The pasted part never reaches beyond the image.
    target.right = std::min(target.right, image_.width());
    target.bottom = std::min(target.bottom, image_.height());
    if (target.IsRectEmpty()) return false;
    CDIBSection part;
    const std::vector<COLORREF>* table = image_.GetColorCount() ? &image_.GetPalette() : nullptr;
    if (!part.FromQImage(clip.copy(0, 0, target.Width(), target.Height()), image_.bitCount(), table)) return false;
    selImage_ = std::move(part);
    selImageRect_ = CRect();  // nothing underneath was taken away
    selRect_ = target;
    SaveUndo();
    DrawSelectionImage(target);
    floating_ = true;
    ImageEdited(target);
    return true;
}

bool CPntCtrl::AskDimensions(CPntDimensions& d) {
    CPntDimensionsDlg dlg(d, this);
    if (dlg.exec() != QDialog::Accepted) return false;
    d = dlg.result();
    return true;
}

bool CPntCtrl::ResizeImage() {
    if (image_.IsNull()) return NewImage();
    CPntDimensions d;
    d.width = image_.width();
    d.height = image_.height();
    d.bitCount = image_.bitCount();
    d.offerCrop = selRect_ != WholeImage();
    if (!AskDimensions(d)) return false;
    CDIBSection resized = image_;
    const CPoint origin = d.crop ? selRect_.TopLeft() : CPoint();
    const int w = d.crop ? selRect_.Width() : d.width, h = d.crop ? selRect_.Height() : d.height;
    if (!resized.ChangeFormat(w, h, 1, d.bitCount, &origin)) return false;
    SaveUndo();
    image_ = std::move(resized);
    view_ = QImage(image_.width(), image_.height(), QImage::Format_ARGB32);
    selRect_ = WholeImage();
    floating_ = false;
    UpdateScrollBars();
    ImageEdited(WholeImage());
    viewport()->update();
    return true;
}

bool CPntCtrl::PrintTo(QPrinter& printer) {
    if (image_.IsNull()) return false;
    QPainter p;
    if (!p.begin(&printer)) return false;
    const COLORREF leaveOut = transparentDraw_ ? transColor_ : -1;
    QImage shown(image_.width(), image_.height(), QImage::Format_ARGB32);
    shown.fill(Qt::white);
    image_.RenderInto(shown, WholeImage(), leaveOut);
    // As on the screen: the magnification at the screen's resolution.
    const double scale = mag_ * printer.resolution() / 96.0;
    const int from = std::max(1, printer.fromPage()), to = printer.toPage() > 0 ? printer.toPage() : from;
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer.newPage()) {
            p.end();
            return false;
        }
        p.drawImage(QRectF(0, 0, shown.width() * scale, shown.height() * scale), shown);
    }
    return p.end();
}

bool CPntCtrl::PrintImage() {
    if (image_.IsNull()) return false;
    QPrinter printer;
    printer.setDocName(vx::ToQString(vx::LoadString(0xE000)));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    return PrintTo(printer);
}

