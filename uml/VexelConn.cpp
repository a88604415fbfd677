#include "uml/VexelConn.h"

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/PropChoice.h"
#include "model/PropItems.h"
#include "model/PropOb.h"
#include "platform/DC.h"
#include "shapes/ShapePropIds.h"
#include "uml/UmlPropIds.h"

VX_IMPLEMENT_SERIAL(CVexelConn, CConnectOb, 0)

namespace P = vx::prop;

int CVexelConn::GetToolStringId() const {
    return vx::tool::kAssociation;
}

CRect CVexelConn::SymbolBox(CPoint at, int h) {
    const int left = vx::SubSat(at.x, h / 2), top = vx::SubSat(at.y, h / 2);
    return CRect(left, top, vx::AddSat(left, h), vx::AddSat(top, h));
}

std::array<CPoint, 4> CVexelConn::DiamondPoints(const CRect& b) {
    const int midX = vx::AddSat(b.left, (int64_t(b.right) - b.left) / 2);
    const int midY = vx::AddSat(b.top, (int64_t(b.bottom) - b.top) / 2);
    return {CPoint(midX, vx::SubSat(b.top, 2)), CPoint(vx::SubSat(b.left, 1), midY),
            CPoint(midX, vx::AddSat(b.bottom, 1)), CPoint(b.right, midY)};
}

void CVexelConn::DrawSymbol(CDC& dc, int symbol, int k) {
    const int n = PointCount();
    if (n == 0) return;
    if (symbol == kArrow) {
        // The head of this end alone, in the symbols' fill style.
        arrowheadStyle_ = fillStyle_;
        arrowhead_ = k == 0 ? 1 : 2;
        DrawArrowheads(dc);
        return;
    }
    if (symbol != kCircle && symbol != kBrackets && symbol != kRectangle) return;
    arrowhead_ = 0;
    DrawArrowheads(dc);
    const CRect box = SymbolBox(GetPointAt(k == 0 ? 0 : n - 1), arrowheadHeight_);
    const LOGPEN cur = dc.GetCurrentPen().logPen();
    const CPen oldPen = dc.SelectObject(
        CPen(cur.lopnStyle == PS_NULL ? PS_NULL : PS_SOLID, cur.lopnWidth.x, cur.lopnColor));
    const bool solid = fillStyle_ == kSolid;
    CBrush oldBrush;
    if (solid) oldBrush = dc.SelectObject(CBrush(vx::RGB(0, 0, 0)));
    switch (symbol) {
        case kCircle:
            dc.Ellipse(box);
            break;
        case kBrackets: {
            const std::array<CPoint, 4> pts = DiamondPoints(box);
            dc.Polygon(pts.data(), 4);
            break;
        }
        default:
            dc.Rectangle(box);
            break;
    }
    if (solid) dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CVexelConn::DrawShape(CDC& dc) {
    if (drawingSuppressed()) return;
    CConnectOb::DrawShape(dc);
    if (beginSymbol_ == kNone && endSymbol_ == kNone) return;
    // The symbols take the line's pen.
    dc.SaveDC();
    dc.SelectObject(MakePen(dc));
    if (beginSymbol_ != kNone) DrawSymbol(dc, beginSymbol_, 0);
    if (endSymbol_ != kNone) DrawSymbol(dc, endSymbol_, 1);
    dc.RestoreDC(-1);
}

void CVexelConn::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CConnectOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CVexelConn>(&other)) {
        beginSymbol_ = o->beginSymbol_;
        endSymbol_ = o->endSymbol_;
        fillStyle_ = o->fillStyle_;
    }
}

void CVexelConn::Serialize(CArchive& ar) {
    CConnectOb::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(beginSymbol_);
        ar.WriteInt32(endSymbol_);
        ar.WriteInt32(fillStyle_);
        return;
    }
    if (ar.ReadVersion("CVexelConn") < 0) return;
    beginSymbol_ = ar.ReadInt32();
    endSymbol_ = ar.ReadInt32();
    fillStyle_ = ar.ReadInt32();
}

void CVexelConn::Dump(CDumpContext& dc) const {
    CConnectOb::Dump(dc);
    dc.Field("SymbolBegin", int64_t(beginSymbol_));
    dc.Field("SymbolEnd", int64_t(endSymbol_));
    dc.Field("SymbolFillStyle", int64_t(fillStyle_));
}

// ---- property items ----

std::unique_ptr<CPropOb> CVexelConn::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kSymbolBegin:
        case P::kSymbolEnd: {
            auto item = std::make_unique<CPropCombo>(
                id, id == P::kSymbolBegin ? &beginSymbol_ : &endSymbol_);
            if (withChoices) {
                item->AddChoiceId(20006, kNone);
                item->AddChoiceId(20007, kCircle);
                item->AddChoiceId(20009, kBrackets);
                item->AddChoiceId(20010, kArrow);
                item->AddChoiceId(20008, kRectangle);
            }
            return item;
        }
        case P::kSymbolHeight:
            return std::make_unique<CPropInt>(id, &arrowheadHeight_, true, 2, 32);
        case P::kSymbolFillStyle: {
            auto item = std::make_unique<CPropCombo>(id, &fillStyle_);
            if (withChoices) {
                item->AddChoiceId(20024, kSolid);
                item->AddChoiceId(20025, kOutline);
                item->AddChoiceId(20028, kOpen);
            }
            return item;
        }
        default:
            return CConnectOb::CreateProperty(id, withChoices);
    }
}

void CVexelConn::AddProperties(CPropList& list, bool withChoices) {
    CConnectOb::AddProperties(list, withChoices);
    for (int id : {P::kSymbolBegin, P::kSymbolEnd, P::kSymbolHeight, P::kSymbolFillStyle})
        list.Add(CreateProperty(id, withChoices));
    // Drawing sets the arrowhead attributes from the symbols.
    for (int id : {P::kArrowhead, P::kArrowheadHeight, P::kArrowheadStyle})
        while (list.Remove(id)) {
        }
}

// ---- automation ----

const vx::DispatchTable& CVexelConn::DispatchTableOf() {
    using vx::Variant;
    auto text = [](int id) {
        return vx::DispProp<CVexelConn>(
            "Text", id, Variant::Type::String, [](CVexelConn& o) { return Variant(o.text()); },
            [](CVexelConn& o, const Variant& v) {
                o.SetText(v.ToString());
                o.Update(1, 0);
            });
    };
    // The text is also the association's value.
    static const vx::DispatchTable table(&C1DOb::DispatchTableOf(),
                                         {text(1360), text(vx::DISPID_VALUE)});
    return table;
}

const vx::DispatchTable& CVexelConn::GetDispatchTable() const {
    return DispatchTableOf();
}
