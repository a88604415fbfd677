// The property items of the page object, the frame object and the group
// record.
#include "model/GroupInfo.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "model/PropLists.h"

namespace P = vx::prop;

namespace {

void AddNoYes(CPropCombo& item) {
    item.AddChoice("0 - No", 0);
    item.AddChoice("1 - Yes", 1);
}

std::unique_ptr<CPropCombo> NoYesItem(int id, int32_t* member, bool withChoices) {
    auto item = std::make_unique<CPropCombo>(id, member);
    if (withChoices) AddNoYes(*item);
    return item;
}

// A window-style field: the bit itself for "1 - Yes", its complement for
// "0 - No".
std::unique_ptr<CPropCombo> StyleItem(int id, uint32_t* member, uint32_t bit, bool withChoices, const char* no,
                                      const char* yes) {
    // The field holds the style bits as stored; the item reads them as the
    // signed values of its choices.
    auto item = std::make_unique<CPropCombo>(id, reinterpret_cast<int32_t*>(member));
    if (withChoices) {
        item->AddChoice(no, int32_t(~bit));
        item->AddChoice(yes, int32_t(bit));
    }
    return item;
}

}  // namespace

// ---- page object ----

std::unique_ptr<CPropOb> CHyperViewOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kFormCode: return std::make_unique<CPropStr>(id, &formCode);
        case P::kPrintScale: return std::make_unique<CPropDbl>(id, &printScale);
        case P::kScrollBars: return NoYesItem(id, &scrollBars, withChoices);
        case P::kScrollWidth: return std::make_unique<CPropInt>(id, &scrollWidth, true, 0, 65535);
        case P::kScrollHeight: return std::make_unique<CPropInt>(id, &scrollHeight, true, 0, 65535);
        case P::kColor: {
            auto item = std::make_unique<CPropCustColor>(id, &color, CPropOb::kDialogButton);
            item->dialogTitle = P::kTitleColor;
            item->applyOnChoice = 1;
            return item;
        }
        case P::kFont: return std::make_unique<CPropFont>(id, &font);
        case P::kToolTipText: return std::make_unique<CPropStr>(id, &toolTipText);
        case P::kHelpContextId: return std::make_unique<CPropLong>(id, &helpContextId);
        case P::kViewLayers: return std::make_unique<CPropLayer>(id, GetLayers(), view_);
        case P::kTag: return std::make_unique<CPropStr>(id, &tagText_);
        case P::kAutoRecord: {
            auto item = NoYesItem(id, &autoRecord, withChoices);
            if (withChoices) item->AddChoice("2 - Detach", 2);
            return item;
        }
        case P::kReportLock: return NoYesItem(id, &reportLock, withChoices);
        case P::kEventInitialize: return std::make_unique<CPropBasic>(id, &eventInitialize);
        case P::kEventTerminate: return std::make_unique<CPropBasic>(id, &eventTerminate);
        case P::kEventClick: return std::make_unique<CPropBasic>(id, &eventClick);
        case P::kCursorPointer: {
            auto item = std::make_unique<CPropCombo>(id, &cursorPointer);
            if (withChoices) FillCursorChoices(*item);
            return item;
        }
        default: return CHyperBaseOb::CreateProperty(id, withChoices);
    }
}

void CHyperViewOb::AddProperties(CPropList& list, bool withChoices) {
    for (int id : {P::kFormCode, P::kPrintScale, P::kScrollBars, P::kScrollWidth, P::kScrollHeight, P::kColor,
                   P::kFont, P::kToolTipText, P::kHelpContextId, P::kViewLayers, P::kTag})
        list.Add(CreateProperty(id, withChoices));
}

std::unique_ptr<CPropOb> CVexelViewOb::CreateProperty(int id, bool withChoices) {
    CHyperOleDoc* doc = view_ ? view_->document : nullptr;
    if (doc && id == P::kTitle) return std::make_unique<CPropStr>(id, &doc->titleMember());
    if (doc && id == P::kDescription) return std::make_unique<CPropStr>(id, &doc->descriptionMember());
    return CHyperViewOb::CreateProperty(id, withChoices);
}

void CVexelViewOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperViewOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kTitle, withChoices));
    list.Add(CreateProperty(P::kDescription, withChoices));
}

// ---- frame object ----

std::unique_ptr<CPropOb> CHyperFrameOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kTitle: return std::make_unique<CPropStr>(id, &title);
        case P::kWidth: return std::make_unique<CPropInt>(id, &width, true, 0, 65535);
        case P::kHeight: return std::make_unique<CPropInt>(id, &height, true, 0, 65535);
        case P::kMinimizeBox: return StyleItem(id, &minimizeBox, kMinimizeBox, withChoices, "0 - No", "1 - Yes");
        case P::kMaximizeBox: return StyleItem(id, &maximizeBox, kMaximizeBox, withChoices, "0 - No", "1 - Yes");
        case P::kBorderStyle:
            return StyleItem(id, &borderStyle, kThickFrame, withChoices, "0 - Thin", "1 - Resizing");
        case P::kWhatsThisHelp:
            return StyleItem(id, &whatsThisHelp, kContextHelp, withChoices, "0 - No", "1 - Yes");
        case P::kLocalVariables: return std::make_unique<CPropLocal>(id, &locals);
        default: return CHyperBaseOb::CreateProperty(id, withChoices);
    }
}

void CHyperFrameOb::AddProperties(CPropList& list, bool withChoices) {
    for (int id : {P::kTitle, P::kWidth, P::kHeight, P::kMinimizeBox, P::kMaximizeBox, P::kBorderStyle,
                   P::kWhatsThisHelp})
        list.Add(CreateProperty(id, withChoices));
}

// ---- group record ----

void CGroupInfo::AddProperties(CPropList& list, bool withChoices) {
    auto codeItem = std::make_unique<CPropCodeStr>(P::kGroupCode, &code, view, nullptr, this);
    if (CSnapList* snaps = GetSnapList(); snaps && snaps->HasConnections()) codeItem->editable = 0;
    list.Add(std::move(codeItem));
    list.Add(NoYesItem(P::kSymbol, &symbol, withChoices));
    if (CAnchorFmt* set = GetSnapSet()) list.Add(std::make_unique<CPropAnchor>(P::kAnchorSnaps, set));
}
