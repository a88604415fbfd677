#include "model/HyperOleDoc.h"

#include <QFileInfo>
#include <algorithm>
#include <new>

#include "model/AnchorFmt.h"
#include "model/Archive.h"
#include "model/GroupInfo.h"
#include "model/LayerFmt.h"
#include "model/LongObject.h"
#include "platform/FileRead.h"
#include "platform/QtConv.h"
#include "platform/SafeSave.h"

CHyperOleDoc::CHyperOleDoc() {
    frame_ = NewFrameObject();
    pages_.push_back(std::make_unique<CHyperPage>());
    pages_.back()->document = this;
}

CHyperOleDoc::~CHyperOleDoc() = default;

std::unique_ptr<CHyperFrameOb> CHyperOleDoc::NewFrameObject() { return std::make_unique<CVexelFrameOb>(); }

void CHyperOleDoc::SetFrameObject(std::unique_ptr<CHyperFrameOb> f) {
    CFrameWindowLink* window = frame_ ? frame_->GetWindow() : nullptr;
    frame_ = f ? std::move(f) : NewFrameObject();
    frame_->SetView(&mainPage());
    frame_->SetWindow(window);
}

CHyperPage& CHyperOleDoc::AddPage() {
    pages_.push_back(std::make_unique<CHyperPage>());
    pages_.back()->document = this;
    return *pages_.back();
}

void CHyperOleDoc::SetTitle(const std::string& title) {
    title_ = title;
    givenTitle_ = title;
}

void CHyperOleDoc::SetPathName(const std::string& path) {
    path_ = path;
    partlyRead_ = false;
    const QFileInfo info(vx::ToQString(path));
    readOnlyFile_ = info.exists() && !info.isWritable();
    // Only a Title nobody chose follows the file: one stored in the file or
    // typed by the user stays.
    const std::string fileTitle = vx::FromQString(info.fileName());
    if (title_ == givenTitle_) SetTitle(fileTitle);
    else givenTitle_ = fileTitle;
}

void CHyperOleDoc::SetModifiedFlag(bool modified) {
    // A running page of a read-only file cannot become modified.
    if (modified && readOnlyFile_ && !mainPage().editMode) return;
    modified_ = modified;
}

void CHyperOleDoc::DeleteContents() {
    for (auto& page : pages_) page->RemoveAll();
    SetFrameObject(NewFrameObject());
    description_.clear();
}

void CHyperOleDoc::Serialize(CArchive& ar) {
    ar.m_pDocument = this;
    if (ar.IsStoring()) {
        ar.WriteString(frame_->title);
        ar.WriteObject(frame_.get());
        for (const auto& page : pages_) {
            ar.m_pPage = page.get();
            page->Serialize(ar);
        }
        ar.WriteVersion(0);
        ar.WriteString(title_);
        ar.WriteVersion(0);
        ar.WriteString(description_);
        return;
    }
    ar.ReadString();  // the window title, carried again by the frame object
    std::unique_ptr<CHyperFrameOb> frame = ar.ReadOwned<CHyperFrameOb>();
    const bool noFrame = !frame;
    SetFrameObject(std::move(frame));
    for (const auto& page : pages_) {
        ar.m_pPage = page.get();
        page->Serialize(ar);
        // Without a window object, a page with neither objects nor a page
        // object holds nothing of a design: zeroed or overwritten bytes that
        // would otherwise open as an empty design and be saved over.
        if (noFrame && page.get() == pages_.front().get() && page->Count() == 0 && !page->pageObjectWasStored())
            ar.FailAt("the file holds no design: the window object, the page object and the objects are missing", 0);
        // Damage inside a page: what was read stays, nothing after it is read.
        if (page->wasCut()) return;
    }
    ReadTrailer(ar);
}

void CHyperOleDoc::ReadTrailer(CArchive& ar) {
    // The trailer closes the file: one that ends inside it, or bytes after
    // it, mean damage, which is contained like a cut page.
    const size_t at = ar.Tell();
    try {
        for (std::string* text : {&title_, &description_}) {
            if (ar.Remaining() < 4) ar.Fail("the file ends inside the document trailer");
            ar.ReadVersion("CObject");
            *text = ar.ReadString();
        }
        if (!ar.AtEnd())
            ar.Fail(std::to_string(ar.Remaining()) + " bytes follow the end of the design");
    } catch (const CArchiveException& e) {
        trailerCut_ = std::string(e.what()) + "; the document trailer starts at byte " + std::to_string(at);
    }
}

LoadResult CHyperOleDoc::LoadFromBytes(const std::vector<uint8_t>& bytes) {
    // Read into a fresh document so that a failed read changes nothing here.
    auto fresh = std::make_unique<CHyperOleDoc>();
    while (fresh->pages_.size() < pages_.size()) fresh->AddPage();
    LoadResult result;
    if (bytes.empty()) {
        result.status = LoadResult::kFailed;
        result.message = "the file is empty";
        return result;
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; })) {
        result.status = LoadResult::kFailed;
        result.message = "the file holds only zero bytes (" + std::to_string(bytes.size()) +
                         "), not a design; it may have been wiped by a crash or a failed copy";
        return result;
    }
    try {
        CArchive ar(std::span<const uint8_t>(bytes.data(), bytes.size()));
        fresh->Serialize(ar);
    } catch (const CArchiveException& e) {
        result.status = LoadResult::kFailed;
        result.message = e.what();
        return result;
    } catch (const std::bad_alloc&) {
        result.status = LoadResult::kFailed;
        result.message = "not enough memory to read the design";
        return result;
    }
    // Take the contents over; the pages keep their identity (windows point
    // at them), so objects and settings move across.
    CFrameWindowLink* window = frame_ ? frame_->GetWindow() : nullptr;
    for (size_t i = 0; i < pages_.size(); ++i) {
        CHyperPage& dst = *pages_[i];
        CHyperPage& src = *fresh->pages_[i];
        dst.RemoveAll();
        dst.AdoptObjects(src.ReleaseObjects());
        dst.SetPageObject(src.TakePageObject());
        dst.gridFlags = src.gridFlags;
        dst.gridSpacing = src.gridSpacing;
        dst.guidelines = src.guidelines;
        dst.customColors = src.customColors;
        if (src.wasCut()) {
            result.status = LoadResult::kPartial;
            result.message = "the design is damaged and was only partly read (" + src.cutReason() + ")";
        }
    }
    if (!fresh->trailerCut_.empty() && result.status == LoadResult::kOk) {
        result.status = LoadResult::kPartial;
        result.message = "the design is damaged and was only partly read (" + fresh->trailerCut_ + ")";
    }
    frame_ = std::move(fresh->frame_);
    frame_->SetView(&mainPage());
    frame_->SetWindow(window);
    title_ = fresh->title_;
    description_ = fresh->description_;
    bool renamed = false;
    for (auto& page : pages_) renamed = page->AfterLoad() || renamed;
    modified_ = renamed;
    return result;
}

LoadResult CHyperOleDoc::LoadFromFile(const std::string& path) {
    LoadResult result;
    std::vector<uint8_t> bytes;
    if (std::string error = vx::ReadRegularFile(path, bytes); !error.empty()) {
        result.status = LoadResult::kFailed;
        result.message = std::move(error);
        return result;
    }
    result = LoadFromBytes(bytes);
    if (result.status == LoadResult::kFailed) return result;
    const std::string title = title_;
    SetPathName(path);
    // The stored Title wins over the file name the path gave.
    title_ = title;
    if (result.status == LoadResult::kPartial) {
        // Saving must not silently overwrite the damaged original.
        path_.clear();
        partlyRead_ = true;
        modified_ = true;
    }
    return result;
}

std::vector<uint8_t> CHyperOleDoc::SaveToBytes() {
    CArchive ar;
    ar.Reserve(4096 + mainPage().Count() * 160);
    Serialize(ar);
    return ar.TakeBuffer();
}

std::string CHyperOleDoc::SaveToFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    try {
        bytes = SaveToBytes();
    } catch (const CArchiveException& e) {
        return std::string("The design cannot be saved: ") + e.what() + ".";
    }
    return vx::SaveFileSafely(path, bytes);
}

std::string CHyperOleDoc::DoSave(const std::string& path) {
    // A Title nobody chose takes the new file's title before it is written,
    // so the file holds the Title the document has afterwards.
    const std::string title = title_;
    const std::string fileTitle = vx::FromQString(QFileInfo(vx::ToQString(path)).fileName());
    if (title_ == givenTitle_) title_ = fileTitle;
    const std::string error = SaveToFile(path);
    if (!error.empty()) {
        title_ = title;
        return error;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return {};
}

std::string CHyperOleDoc::AutoSaveName(const std::string& path, const std::string& title) {
    if (path.empty()) return "~" + title;
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return "~" + path;
    return path.substr(0, slash + 1) + "~" + path.substr(slash + 1);
}

bool CHyperOleDoc::IsAutoSavePath(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty() && name.front() == '~';
}

void RegisterModelClasses() {
    auto& r = CClassRegistry::Instance();
    for (const CClassInfo* c :
         {&CHyperOb::classInfo, &CHyperViewOb::classInfo, &CVexelViewOb::classInfo, &CHyperFrameOb::classInfo,
          &CVexelFrameOb::classInfo, &CLocalFmt::classInfo, &CChoiceFmt::classInfo, &CAnchorFmt::classInfo,
          &CLayerFmt::classInfo, &CGroupInfo::classInfo, &CLongObject::classInfo})
        r.Register(*c);
}
