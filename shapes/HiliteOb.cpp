#include "shapes/HiliteOb.h"

#include <QImage>
#include <algorithm>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "platform/DC.h"
#include "platform/PainterDC.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CHiliteOb, CHyperOb, 0)

namespace P = vx::prop;

const std::array<CHiliteOb::Choice, 3> CHiliteOb::kColorChoices = {
    {{"1 - Yellow", kYellow}, {"2 - Magenta", kMagenta}, {"3 - Cyan", kCyan}}};

int CHiliteOb::EffectiveColor() const {
    return (hiliteColor_ == kYellow || hiliteColor_ == kMagenta || hiliteColor_ == kCyan) ? hiliteColor_ : kYellow;
}

int CHiliteOb::GetToolStringId() const { return vx::tool::kHilite; }

void CHiliteOb::Tint(QImage& image, int code) {
    // Pixels are 0xAARRGGBB: white becomes the highlight colour, black stays.
    const uint32_t keep = code == kCyan ? 0xFF00FFFFu : code == kMagenta ? 0xFFFF00FFu : 0xFFFFFF00u;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] &= keep;
    }
}

void CHiliteOb::DrawShape(CDC& dc) {
    if (dc.IsPrinting()) return;
    // The rectangle in device pixels, within the surface and the clipping.
    CRect r = Rect().Normalized();
    dc.LPtoDP(r);
    r.NormalizeRect();
    CRect area(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    if (dc.HasClip()) {
        const QRect c = dc.ClipRegion().boundingRect();
        area.IntersectRect(area, CRect(c.left(), c.top(), c.right() + 1, c.bottom() + 1));
    }
    if (!r.IntersectRect(r, area)) return;

    QImage image(r.Width(), r.Height(), QImage::Format_RGB32);
    if (image.isNull()) return;
    image.fill(Qt::white);
    {
        // What lies behind the highlighter, drawn with the same mapping
        // shifted to the image.
        CPainterDC off(&image);
        off.SetMapMode(dc.GetMapMode());
        off.SetWindowOrg(dc.GetWindowOrg());
        off.SetWindowExt(dc.GetWindowExt());
        off.SetViewportExt(dc.GetViewportExt());
        off.SetViewportOrg(dc.GetViewportOrg().x - r.left, dc.GetViewportOrg().y - r.top);
        if (view_) {
            const int self = view_->IndexOf(this);
            const CRect mine = Rect().Normalized();
            for (size_t i = view_->Count(); self >= 0 && i-- > size_t(self) + 1;) {
                CHyperOb* ob = view_->At(i);
                if (ob->IsVisible() && ob->IntersectsRect(mine)) ob->Draw(off);
            }
        }
    }
    Tint(image, EffectiveColor());
    dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.StretchDIBits(r.left, r.top, r.Width(), r.Height(), 0, 0, image.width(), image.height(), image);
    dc.RestoreDC(-1);
}

void CHiliteOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CHiliteOb>(&other)) hiliteColor_ = o->hiliteColor_;
}

void CHiliteOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(hiliteColor_);
        return;
    }
    ar.ReadVersion("CHiliteOb");
    hiliteColor_ = ar.ReadInt32();
}

void CHiliteOb::Dump(CDumpContext& dc) const {
    CHyperOb::Dump(dc);
    dc.Field("HiliteColor", int64_t(hiliteColor_));
}

std::unique_ptr<CPropOb> CHiliteOb::CreateProperty(int id, bool withChoices) {
    if (id != P::kHiliteColor) return CHyperOb::CreateProperty(id, withChoices);
    auto item = std::make_unique<CPropCombo>(id, &hiliteColor_);
    if (withChoices)
        for (const auto& c : kColorChoices) item->AddChoice(c.text, c.value);
    return item;
}

void CHiliteOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kHiliteColor, withChoices));
}

const vx::DispatchTable& CHiliteOb::DispatchTableOf() {
    using vx::Variant;
    static const vx::DispatchTable table(&CHyperOb::DispatchTableOf(),
                                         {
                                             vx::DispProp<CHiliteOb>(
                                                 "HiliteColor", 1329, Variant::Type::Long,
                                                 [](CHiliteOb& o) { return Variant(o.hiliteColor()); },
                                                 [](CHiliteOb& o, const Variant& v) {
                                                     o.setHiliteColor(v.ToLong());
                                                     o.Update(1, 0);
                                                 }),
                                         });
    return table;
}

const vx::DispatchTable& CHiliteOb::GetDispatchTable() const { return DispatchTableOf(); }
