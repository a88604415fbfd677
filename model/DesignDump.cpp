// The JSON description of a design written by `vexelwork dump`.
#include "model/AnchorFmt.h"
#include "model/Connection.h"
#include "model/DumpContext.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"

namespace {

void DumpValue(CDumpContext& dc, std::string_view key, const CBasicValue& v) {
    dc.BeginObject(key);
    dc.Field("code", int64_t(v.code()));
    dc.Field("text", v.text());
    if (v.bindingFlag()) {
        dc.Field("binding", int64_t(v.bindingFlag()));
        dc.Field("binding1", v.binding(0));
        dc.Field("binding2", v.binding(1));
    }
    dc.EndObject();
}

void DumpFont(CDumpContext& dc, std::string_view key, const CFontRecord& f) {
    if (f.IsEmpty()) {
        dc.Null(key);
        return;
    }
    dc.Field(key, f.ToText());
}

void DumpSnapSet(CDumpContext& dc, std::string_view key, const CAnchorFmt& set) {
    dc.BeginObject(key);
    dc.Field("nextId", int64_t(set.nextId));
    dc.Field("limit", int64_t(set.limit));
    dc.BeginArray("points");
    for (size_t i = 0; i < set.size(); ++i) {
        const CSnapPoint& p = *set.point(i);
        dc.BeginObject();
        dc.Field("id", int64_t(p.id));
        dc.Field("type", int64_t(p.type));
        dc.Field("dX", int64_t(p.dX));
        dc.Field("dY", int64_t(p.dY));
        dc.Field("byPixel", int64_t(p.byPixel));
        dc.Field("in", int64_t(p.inCount));
        dc.Field("maxIn", int64_t(p.maxIn));
        dc.Field("out", int64_t(p.outCount));
        dc.Field("maxOut", int64_t(p.maxOut));
        dc.Field("gridOffset", int64_t(p.gridOffset));
        dc.Field("colour", int64_t(p.colour));
        dc.Field("useColour", int64_t(p.useColour));
        if (!p.tip.empty()) dc.Field("tip", p.tip);
        dc.EndObject();
    }
    dc.EndArray();
    dc.EndObject();
}

}  // namespace

void CHyperOb::Dump(CDumpContext& dc) const {
    dc.Field("class", ClassName());
    dc.Field("Code", code_);
    const CRect r = tracker_ ? tracker_->rect : CRect(0, 0, 50, 50);
    dc.Field("rect", r);
    const double angle = tracker_ ? tracker_->rotateAngle : 0.0;
    if (angle != 0.0) {
        dc.Field("RotateAngle", angle);
        dc.Field("unrotatedRect", tracker_->unrotatedRect);
    }
    DumpValue(dc, "EventPumpData", eventPumpData_);
    DumpValue(dc, "EventClick", eventClick_);
    dc.Field("CursorPointer", int64_t(cursorPointer_));
    dc.Field("ToolTipText", toolTipText_);
    dc.Field("HelpContextID", int64_t(helpContextId_));
    DumpValue(dc, "Enable", enable_);
    DumpValue(dc, "Visible", visible_);
    DumpValue(dc, "EventInitialize", eventInitialize_);
    dc.Field("BackColor", int64_t(backColor_));
    dc.Field("ForeColor", int64_t(foreColor_));
    DumpFont(dc, "Font", font_);
    dc.Field("GroupID", int64_t(groupId_));
    if (groupInfo_) {
        const CGroupInfo& g = *groupInfo_;
        dc.BeginObject("group");
        dc.Field("groupId", int64_t(g.groupId));
        dc.Field("rect", g.rect);
        dc.Field("Code", g.code);
        dc.Field("Symbol", int64_t(g.symbol));
        dc.Field("hasSnapPoints", int64_t(g.hasSnapPoints));
        if (g.hasSnapPoints) DumpSnapSet(dc, "snapPoints", g.snapList.set());
        dc.EndObject();
    }
    dc.Field("LayerID", int64_t(layerId_));
    if (CConnection* c = const_cast<CHyperOb*>(this)->GetConnection()) {
        dc.BeginObject("connection");
        dc.Field("resizeCode", int64_t(c->resizeCode));
        dc.Field("direction", int64_t(c->directionFlag));
        for (int i = 0; i < 2; ++i) {
            dc.BeginObject(i == 0 ? "end0" : "end1");
            dc.Field("target", c->ends[i].target);
            dc.Field("point", int64_t(c->ends[i].point));
            dc.EndObject();
        }
        dc.EndObject();
    }
    if (CAnchorFmt* set = const_cast<CHyperOb*>(this)->GetSnapSet(true)) DumpSnapSet(dc, "snapPoints", *set);
    dc.Field("Tag", tagText_);
    dc.Field("DfltIsLocked", dfltIsLocked_);
    dc.Field("DfltCanDelete", dfltCanDelete_);
    dc.Field("DfltCanResize", dfltCanResize_);
    dc.Field("DfltCanRot", dfltCanRot_);
    dc.Field("DfltCanInlineEditText", dfltCanInlineEditText_);
    dc.Field("DfltCanEditPoints", dfltCanEditPoints_);
}

void CHyperViewOb::Dump(CDumpContext& dc) const {
    dc.Field("class", ClassName());
    dc.Field("Color", int64_t(color));
    dc.Field("AutoRecord", int64_t(autoRecord));
    dc.Field("ReportLock", int64_t(reportLock));
    dc.Field("PrintScale", printScale);
    dc.Field("ScrollBars", int64_t(scrollBars));
    dc.Field("ScrollWidth", int64_t(scrollWidth));
    dc.Field("ScrollHeight", int64_t(scrollHeight));
    DumpValue(dc, "EventInitialize", eventInitialize);
    DumpValue(dc, "EventTerminate", eventTerminate);
    DumpValue(dc, "EventClick", eventClick);
    DumpFont(dc, "Font", font);
    dc.Field("CursorPointer", int64_t(cursorPointer));
    dc.Field("ToolTipText", toolTipText);
    dc.Field("HelpContextID", int64_t(helpContextId));
    dc.Field("FormCode", formCode);
    if (layers_) {
        dc.BeginObject("layers");
        dc.Field("insertionIndex", int64_t(layers_->insertionIndex));
        dc.Field("nextId", int64_t(layers_->nextId));
        dc.Field("onlyCurrentEditable", int64_t(layers_->onlyCurrentEditable));
        dc.BeginArray("list");
        for (size_t i = 0; i < layers_->size(); ++i) {
            const CLayer& l = *layers_->layer(i);
            dc.BeginObject();
            dc.Field("id", int64_t(l.id));
            dc.Field("name", l.name);
            dc.Field("visible", int64_t(l.visible));
            dc.Field("locked", int64_t(l.locked));
            dc.EndObject();
        }
        dc.EndArray();
        dc.EndObject();
    }
    dc.Field("Tag", tagText_);
}

void CHyperFrameOb::Dump(CDumpContext& dc) const {
    dc.Field("class", ClassName());
    dc.Field("Title", title);
    dc.Field("Width", int64_t(width));
    dc.Field("Height", int64_t(height));
    dc.Field("MinimizeBox", int64_t(minimizeBox));
    dc.Field("MaximizeBox", int64_t(maximizeBox));
    dc.Field("BorderStyle", int64_t(borderStyle));
    dc.Field("WhatsThisHelp", int64_t(whatsThisHelp));
    dc.BeginArray("LocalVariables");
    for (size_t i = 0; i < locals.size(); ++i) {
        const CLocalVar& v = *locals.item<CLocalVar>(i);
        dc.BeginObject();
        dc.Field("number1", int64_t(v.number1));
        dc.Field("number2", int64_t(v.number2));
        dc.Field("text1", v.text1);
        dc.Field("text2", v.text2);
        dc.Field("flag", int64_t(v.flag));
        dc.EndObject();
    }
    dc.EndArray();
}

namespace {

void DumpPage(CDumpContext& dc, const CHyperPage& page) {
    dc.BeginObject("page");
    dc.Field("gridFlags", page.gridFlags);
    dc.Field("gridWidth", int64_t(page.gridSpacing.cx));
    dc.Field("gridHeight", int64_t(page.gridSpacing.cy));
    dc.Field("guidelines", page.guidelines);
    dc.BeginArray("customColors");
    for (COLORREF c : page.customColors) dc.Field({}, int64_t(c));
    dc.EndArray();
    dc.EndObject();
    dc.BeginObject("pageObject");
    page.pageObject()->Dump(dc);
    dc.EndObject();
    dc.BeginArray("objects");
    for (const auto& ob : page.objects()) {
        dc.BeginObject();
        ob->Dump(dc);
        dc.EndObject();
    }
    dc.EndArray();
}

}  // namespace

std::string CHyperOleDoc::DumpJson() const {
    CDumpContext dc;
    dc.BeginObject();
    dc.BeginObject("window");
    frame_->Dump(dc);
    dc.EndObject();
    DumpPage(dc, mainPage());
    if (pages_.size() > 1) {
        dc.BeginArray("furtherPages");
        for (size_t i = 1; i < pages_.size(); ++i) {
            dc.BeginObject();
            DumpPage(dc, *pages_[i]);
            dc.EndObject();
        }
        dc.EndArray();
    }
    dc.Field("Title", title_);
    dc.Field("Description", description_);
    dc.EndObject();
    return dc.str();
}
