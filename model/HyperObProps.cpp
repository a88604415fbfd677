// The property items of page objects: the factory answers the standard
// property-name ids of every design object.
#include "model/AnchorFmt.h"
#include "model/HyperOb.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "model/PropLists.h"
#include "model/SnapList.h"

namespace P = vx::prop;

std::unique_ptr<CPropOb> CHyperBaseOb::CreateProperty(int /*propertyId*/, bool /*withChoices*/) { return nullptr; }

void CHyperBaseOb::AddProperties(CPropList& /*list*/, bool /*withChoices*/) {}

void CHyperBaseOb::FillCursorChoices(CPropCombo& list) const {
    for (const auto& c : CHyperOb::kCursorChoices) list.AddChoice(c.text, c.value);
}

namespace {

// The page's size limits the sides: its fixed size, or the window's client
// area when the page has none.
CSize PageLimits(const CHyperPage* view) {
    if (!view) return CSize(INT16_MAX, INT16_MAX);
    const CHyperViewOb* page = view->pageObject();
    if (!page->scrollBars && view->link()) {
        const CSize client = view->link()->ClientSize();
        if (client.cx > 0 && client.cy > 0) return client;
    }
    return CSize(page->scrollWidth, page->scrollHeight);
}

std::unique_ptr<CPropOb> ColorItem(int nameId, COLORREF* member) {
    auto item = std::make_unique<CPropCustColor>(nameId, member, CPropOb::kDialogButton);
    item->dialogTitle = P::kTitleColor;
    item->applyOnChoice = 1;
    return item;
}

}  // namespace

std::unique_ptr<CPropOb> CHyperOb::CreateProperty(int id, bool withChoices) {
    if (!tracker_) EnsureTracker();
    const CSize limits = PageLimits(view_);
    switch (id) {
        case P::kLeft:
            return std::make_unique<CPropLong>(id, &tracker_->rect.left, true, 0, limits.cx);
        case P::kRight:
            return std::make_unique<CPropLong>(id, &tracker_->rect.right, true, 0, limits.cx);
        case P::kTop:
            return std::make_unique<CPropLong>(id, &tracker_->rect.top, true, 0, limits.cy);
        case P::kBottom:
            return std::make_unique<CPropLong>(id, &tracker_->rect.bottom, true, 0, limits.cy);
        case P::kRotateAngle:
            if (!CanRotate() || (view_ && view_->noRotate)) return nullptr;
            return std::make_unique<CPropDbl>(id, &tracker_->rotateAngle);
        case P::kObjectCode: {
            auto item = std::make_unique<CPropCodeStr>(id, &code_, view_, this);
            // Connection records name the object by its code: keep it while
            // line ends hang on its snap points.
            if (CSnapList* list = GetSnapList(true); list && list->HasConnections()) item->editable = 0;
            return item;
        }
        case P::kBackColor:
            return HasBackColor() ? ColorItem(id, &backColor_) : nullptr;
        case P::kForeColor:
            return HasForeColor() ? ColorItem(id, &foreColor_) : nullptr;
        case P::kFont:
            return HasFont() ? std::make_unique<CPropFont>(id, &font_) : nullptr;
        case P::kHelpContextId:
            return std::make_unique<CPropLong>(id, &helpContextId_);
        case P::kToolTipText:
            return std::make_unique<CPropStr>(id, &toolTipText_);
        case P::kTag:
            return std::make_unique<CPropStr>(id, &tagText_);
        case P::kCursorPointer: {
            auto item = std::make_unique<CPropCombo>(id, &cursorPointer_);
            if (withChoices) FillCursorChoices(*item);
            return item;
        }
        case P::kLayer: {
            auto item = std::make_unique<CPropCombo>(id, &layerId_);
            item->applyOnChoice = 1;
            if (withChoices && view_)
                if (const CLayerFmt* layers = view_->pageObject()->layers())
                    for (size_t i = 0; i < layers->size(); ++i)
                        item->AddChoice(layers->layer(i)->name, layers->layer(i)->id);
            return item;
        }
        case P::kEventPumpData:
            return std::make_unique<CPropBasic>(id, &eventPumpData_);
        case P::kEventClick:
        case P::kEventChange:
            return std::make_unique<CPropBasic>(id, &eventClick_);
        case P::kEventInitialize:
            return std::make_unique<CPropBasic>(id, &eventInitialize_);
        case P::kAnchorSnaps: {
            CAnchorFmt* set = GetSnapSet(true);
            return set ? std::make_unique<CPropAnchor>(id, set) : nullptr;
        }
        default:
            return CHyperBaseOb::CreateProperty(id, withChoices);
    }
}

void CHyperOb::AddProperties(CPropList& list, bool withChoices) {
    const bool grouped = list.selectionHasGroup || groupId_ >= 0;
    const int all[] = {P::kObjectCode, P::kLeft,  P::kRight,       P::kTop,         P::kBottom,
                       P::kToolTipText, P::kHelpContextId, P::kBackColor, P::kForeColor, P::kFont,
                       P::kLayer,      P::kRotateAngle, P::kAnchorSnaps, P::kTag};
    for (int id : all) {
        const bool placed = id == P::kLeft || id == P::kRight || id == P::kTop || id == P::kBottom ||
                            id == P::kToolTipText || id == P::kHelpContextId;
        if (grouped && placed) continue;
        list.Add(CreateProperty(id, withChoices));
    }
}
