#include "app/PublishLink.h"

#include "app/MainFrame.h"
#include "app/MyFrame.h"
#include "command/CommandIds.h"
#include "model/HyperOleDoc.h"

std::optional<vx::net::DesignInfo> CAppPublishHost::ActiveDesign() const {
    CHyperFrame* f = main_ ? main_->ActiveFrame() : nullptr;
    if (!f || !f->GetDocument()) return std::nullopt;
    const CMyDoc& doc = *f->GetDocument();
    // A partly read design has no file of its own to publish until saved.
    return vx::net::DesignInfo{doc.partlyRead() ? std::string() : doc.pathName(), doc.title(), doc.description()};
}

bool CAppPublishHost::ActiveDesignModified() const {
    CHyperFrame* f = main_ ? main_->ActiveFrame() : nullptr;
    return f && f->GetDocument() && f->GetDocument()->IsModified();
}

bool CAppPublishHost::SaveActiveDesign() {
    CHyperFrame* f = main_ ? main_->ActiveFrame() : nullptr;
    return f && f->Save();
}

void CAppPublishHost::OpenDesign() {
    if (main_) main_->RouteCommand(vx::cmd::kFileOpen);
}

DownloadWindowRunner& DownloadWindow() {
    static DownloadWindowRunner runner;
    return runner;
}
