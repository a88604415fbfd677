#include "shapes/BitmapOb.h"

#include <QFileInfo>
#include <QTransform>
#include <algorithm>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/DC.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CBitmapOb, CHyperDrawOb, 0)

namespace P = vx::prop;

const std::array<CHyperDrawOb::Choice, 5> CBitmapOb::kLayoutChoices = {
    {{"0 - Center", kCentre},
     {"1 - Left", kLeft},
     {"2 - Right", kRight},
     {"3 - Stretch", kStretch},
     {"4 - Size To Fit", kSizeToFit}}};

std::function<bool(CImageValue&, CHyperOb&)>& CBitmapOb::EditHook() {
    static std::function<bool(CImageValue&, CHyperOb&)> hook;
    return hook;
}

CBitmapOb::CBitmapOb() {
    snaps_.setOwner(this);
}

int CBitmapOb::GetToolStringId() const {
    return vx::tool::kBitmap;
}

void CBitmapOb::SetImageValue(const CImageValue& v) {
    image_ = v;
    masked_ = QImage();
}

std::string CBitmapOb::BitmapName() const {
    return image_.kind() == CImageValue::kLinked ? image_.fileName() : std::string();
}

std::string CBitmapOb::LinkFolder() const {
    if (const CHyperOleDoc* doc = view_ ? view_->document : nullptr;
        doc && !doc->pathName().empty())
        return QFileInfo(QString::fromStdString(doc->pathName())).absolutePath().toStdString();
    return {};
}

void CBitmapOb::SetBitmapName(const std::string& name) {
    if (name.empty())
        image_.Clear();
    else
        image_.Link(name, LinkFolder());
    masked_ = QImage();
}

bool CBitmapOb::ConfirmCreation() {
    auto& hook = EditHook();
    if (!hook) return true;
    CImageValue copy = image_;
    if (hook(copy, *this)) SetImageValue(copy);
    return true;
}

void CBitmapOb::ApplyViewDefaults() {
    ApplyBoxDefaults(snaps_, kDefaultSnapMask);
}

void CBitmapOb::Update(int recalc, int hint) {
    if (!GetTracker()) EnsureTracker();
    const bool reading = view_ && view_->loading;
    if (layout_ == kSizeToFit && !reading && !IsRotated() && image_.HasImage()) {
        const CRect r = Rect();
        const CRect fit(r.left, r.top, r.left + image_.image().width(),
                        r.top + image_.image().height());
        if (fit != r) SetRect(fit);
    }
    CHyperDrawOb::Update(recalc, hint);
}

// ---- drawing ----

CRect CBitmapOb::PlaceImage(const CRect& r) const {
    if (!image_.HasImage()) return CRect(r.left, r.top, r.left, r.top);
    if (layout_ == kStretch) return r;
    const int w = std::min(image_.image().width(), r.Width());
    const int h = std::min(image_.image().height(), r.Height());
    int x = r.left, y = r.top;
    switch (layout_) {
        case kRight:
            x = r.right - w, y = r.bottom - h;
            break;
        case kCentre:
        case kSizeToFit:
            x = r.left + r.Width() / 2 - w / 2, y = r.top + r.Height() / 2 - h / 2;
            break;
        default:
            break;
    }
    return CRect(x, y, x + w, y + h);
}

const QImage& CBitmapOb::MaskedImage() {
    const QImage& img = image_.image();
    const COLORREF key = image_.transparentColor();
    if (key == COLORREF(-1)) return img;
    if (masked_.isNull() || maskedColor_ != key || maskedFrom_.cacheKey() != img.cacheKey()) {
        masked_ = img.convertToFormat(QImage::Format_ARGB32);
        const QRgb match =
            qRgb(vx::GetRValue(key), vx::GetGValue(key), vx::GetBValue(key)) & 0xFFFFFF;
        for (int y = 0; y < masked_.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(masked_.scanLine(y));
            for (int x = 0; x < masked_.width(); ++x)
                if ((row[x] & 0xFFFFFF) == match) row[x] = 0;
        }
        maskedFrom_ = img;
        maskedColor_ = key;
    }
    return masked_;
}

void CBitmapOb::DrawShape(CDC& dc) {
    const CRect r = Rect().Normalized();
    dc.SaveDC();
    if (IsRotated() && image_.HasImage()) {
        // The image turned onto the rotated outline's box.
        const CRect u = GetTracker()->unrotatedRect.Normalized();
        if (u.Width() > 0 && u.Height() > 0) {
            const QImage scaled = MaskedImage().scaled(u.Width(), u.Height(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation);
            const QImage turned =
                scaled.convertToFormat(QImage::Format_ARGB32)
                    .transformed(QTransform().rotate(RotateAngle()), Qt::SmoothTransformation);
            dc.DrawImage(r, turned);
        }
        dc.RestoreDC(-1);
        return;
    }
    const CRect at = PlaceImage(r);
    const COLORREF fill = backColorField();
    if (fill != COLORREF(-1) && !r.IsRectEmpty()) {
        // The fill colour where the image does not reach.
        dc.SaveDC();
        if (!at.IsRectEmpty()) dc.ExcludeClipRect(at);
        dc.FillSolidRect(r, GetBackColor());
        dc.RestoreDC(-1);
    }
    if (image_.HasImage() && !at.IsRectEmpty()) {
        const QImage& img = MaskedImage();
        if (layout_ == kStretch)
            dc.DrawImage(at, img);
        else
            dc.StretchDIBits(at.left, at.top, at.Width(), at.Height(), 0, 0, at.Width(),
                             at.Height(), img);
    } else if (image_.IsMissingLink() && !r.IsRectEmpty()) {
        // A placeholder for a linked file that is not there: a frame with a
        // cross, so the link can be seen and mended.
        const COLORREF grey = vx::GetSysColor(vx::SysColor::ButtonShadow);
        dc.FrameRect(r, grey);
        dc.SelectObject(CPen(PS_SOLID, 1, grey));
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right - 1, r.bottom - 1);
        dc.MoveTo(r.right - 1, r.top);
        dc.LineTo(r.left, r.bottom - 1);
    }
    dc.RestoreDC(-1);
}

// ---- copying, storage, dump ----

void CBitmapOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperDrawOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CBitmapOb>(&other)) {
        SetImageValue(o->image_);
        layout_ = o->layout_;
    }
}

void CBitmapOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(backColorField());
        image_.Serialize(ar);
        ar.WriteInt32(layout_);
        return;
    }
    ar.ReadVersion("CBitmapOb");
    SetBackColor(ar.ReadInt32());
    image_.Serialize(ar);
    masked_ = QImage();
    layout_ = ar.ReadInt32();
}

void CBitmapOb::Dump(CDumpContext& dc) const {
    CHyperDrawOb::Dump(dc);
    image_.Dump(dc);
    dc.Field("Layout", int64_t(layout_));
}

// ---- property items ----

std::unique_ptr<CPropOb> CBitmapOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kBitmap:
            ref_.fileName = BitmapName();
            ref_.hasImage = image_.HasImage() || image_.kind() != CImageValue::kNone;
            return std::make_unique<CPropBitmap>(id, &ref_);
        case P::kLayout: {
            auto item = std::make_unique<CPropCombo>(id, &layout_);
            if (withChoices)
                for (const auto& c : kLayoutChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        default:
            return CHyperDrawOb::CreateProperty(id, withChoices);
    }
}

void CBitmapOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperDrawOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kBitmap, withChoices));
    list.Add(CreateProperty(P::kLayout, withChoices));
}

void CBitmapOb::OnPropertyEdited(int propertyId) {
    if (propertyId == P::kBitmap && ref_.fileName != BitmapName()) SetBitmapName(ref_.fileName);
    CHyperDrawOb::OnPropertyEdited(propertyId);
}

// ---- automation ----

const vx::DispatchTable& CBitmapOb::DispatchTableOf() {
    using vx::Variant;
    auto bitmap = [](const char* name, int id) {
        return vx::DispProp<CBitmapOb>(
            name, id, Variant::Type::String, [](CBitmapOb& o) { return Variant(o.BitmapName()); },
            [](CBitmapOb& o, const Variant& v) {
                o.SetBitmapName(v.ToString());
                o.Update(1, 0);
            });
    };
    static const vx::DispatchTable table(
        &CHyperDrawOb::DispatchTableOf(),
        {
            vx::DispProp<CBitmapOb>(
                "Layout", 1329, Variant::Type::Long,
                [](CBitmapOb& o) { return Variant(o.layout()); },
                [](CBitmapOb& o, const Variant& v) {
                    o.setLayout(v.ToLong());
                    o.Update(1, 0);
                }),
            bitmap("Bitmap", 1330),
            vx::DispProp<CBitmapOb>(
                "TransparentColor", 1332, Variant::Type::Long,
                [](CBitmapOb& o) { return Variant(int32_t(o.imageValue().transparentColor())); },
                [](CBitmapOb& o, const Variant& v) {
                    o.imageValue().setTransparentColor(v.ToLong());
                    o.Update(1, 0);
                }),
            // The image's file is the object's value.
            bitmap("Bitmap", vx::DISPID_VALUE),
        });
    return table;
}

const vx::DispatchTable& CBitmapOb::GetDispatchTable() const {
    return DispatchTableOf();
}
