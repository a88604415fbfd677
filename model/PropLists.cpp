#include "model/PropLists.h"

#include "model/ListEditors.h"
#include "model/PropIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

VX_IMPLEMENT_ABSTRACT(CPropBitmap, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropLocal, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropLayer, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropAnchor, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropBasic, CPropOb)
VX_IMPLEMENT_ABSTRACT(CPropOle, CPropOb)

bool CPropBitmap::GetValueText(std::string& out) const {
    if (!value_.fileName.empty()) {
        const auto slash = value_.fileName.find_last_of("/\\");
        out = slash == std::string::npos ? value_.fileName : value_.fileName.substr(slash + 1);
    } else {
        out = vx::LoadStringOr(value_.hasImage ? vx::prop::kTextBitmap : vx::prop::kTextNone,
                               value_.hasImage ? "(Bitmap)" : "(None)");
    }
    return true;
}

bool CPropBitmap::GetString(std::string& out) const {
    if (!member_) return false;
    out = member_->fileName;
    return true;
}

bool CPropBitmap::SetString(const std::string& v) {
    if (!member_) return false;
    member_->fileName = v;
    return true;
}

bool CPropLocal::GetValueText(std::string& out) const {
    std::string fmt = vx::LoadStringOr(vx::prop::kTextItems, "%d Item(s)");
    const auto at = fmt.find("%d");
    if (at != std::string::npos) fmt.replace(at, 2, std::to_string(value_.size()));
    out = fmt;
    return true;
}

CPropLayer::CPropLayer(int nameId, CLayerFmt* member, CHyperPage* view)
    : CPropListT<CLayerFmt>(nameId, kDialogButton, kLayerList, member), view(view) {
    dialogTitle = vx::prop::kTitleLayers;
}

bool CPropLayer::GetValueText(std::string& out) const {
    out = vx::LoadStringOr(vx::prop::kTextEllipsis, "...");
    return true;
}

bool CPropLayer::OpenDialog() { return value_.EditLayers(view); }

CPropAnchor::CPropAnchor(int nameId, CAnchorFmt* member)
    : CPropListT<CAnchorFmt>(nameId, kDialogButton, kSnapSet, member) {
    dialogTitle = vx::prop::kTitleAnchors;
}

bool CPropAnchor::GetValueText(std::string& out) const {
    out = vx::LoadStringOr(vx::prop::kTextEllipsis, "...");
    return true;
}

bool CPropAnchor::OpenDialog() {
    const auto& edit = CListEditors::Get().editAnchors;
    return edit && edit(value_);
}

CPropBasic::CPropBasic(int nameId, CBasicValue* member)
    : CPropValueT<CBasicValue>(nameId, kDialogButton, kEventCode, member) {
    dialogTitle = vx::prop::kTitleBasic;
}

bool CPropBasic::GetValueText(std::string& out) const {
    out = value_.DisplayText();
    return true;
}
