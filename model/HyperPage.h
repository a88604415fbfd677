// The model side of a page: the objects in z-order (index 0 is the
// front-most), the page object, and the grid, guideline and custom-colour
// settings. The page view shows and edits it; without a window it loads,
// saves and answers queries on its own.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CodeIndex.h"
#include "model/HyperOb.h"
#include "model/HyperViewOb.h"
#include "model/ViewLink.h"

class CArchive;
class CHyperOleDoc;

class CHyperPage {
public:
    // Grid flag bits.
    static constexpr uint32_t kShowGrid = 2;
    static constexpr uint32_t kSnapToGrid = 4;
    static constexpr uint32_t kSnapToCentre = 8;

    CHyperPage();
    ~CHyperPage();
    CHyperPage(const CHyperPage&) = delete;
    CHyperPage& operator=(const CHyperPage&) = delete;

    // ---- objects ----
    const std::vector<std::unique_ptr<CHyperOb>>& objects() const { return objects_; }
    size_t Count() const { return objects_.size(); }
    CHyperOb* At(size_t i) const { return objects_[i].get(); }
    int IndexOf(const CHyperOb* ob) const;
    // Inserts at `index` (-1: at the end, the back) and attaches to the page.
    CHyperOb* Insert(std::unique_ptr<CHyperOb> ob, int index = -1);
    std::unique_ptr<CHyperOb> Remove(CHyperOb* ob);
    void MoveTo(CHyperOb* ob, size_t index);
    // Removes every object and makes a new default page object.
    void RemoveAll();
    // Hands all objects over (the page is left without objects).
    std::vector<std::unique_ptr<CHyperOb>> ReleaseObjects();
    // Appends objects taken from another page and attaches them here.
    void AdoptObjects(std::vector<std::unique_ptr<CHyperOb>> obs);

    // ---- page object ----
    CHyperViewOb* pageObject() const { return pageObject_.get(); }
    void SetPageObject(std::unique_ptr<CHyperViewOb> ob);
    std::unique_ptr<CHyperViewOb> TakePageObject();
    // A default page object of the application's class.
    static std::unique_ptr<CHyperViewOb> NewPageObject();
    CLayerFmt* layers() const { return pageObject_->GetLayers(); }

    // ---- settings ----
    uint32_t gridFlags = kSnapToGrid | kShowGrid;
    CSize gridSpacing{10, 10};
    CRect guidelines{10, 10, 10, 10};
    std::array<COLORREF, 16> customColors{};
    // Highest GroupID in use; new groups take the next number.
    int highestGroupId = -1;
    bool editMode = true;
    bool readOnly = false;
    bool loading = false;
    // The view forbids rotating objects (no "RotateAngle" property).
    bool noRotate = false;
    // The document that stores this page (may be null).
    CHyperOleDoc* document = nullptr;
    // Repaint only the objects of a layer whose visibility changed.
    void OnLayerVisibilityChanged(int layerId);

    // Counts changes of the objects' placement (an object added, removed or
    // given a new rectangle, lines excepted): caches of the page's geometry
    // (the connector router's obstacles) compare it instead of the objects.
    uint64_t geometryRevision() const { return geometryRevision_; }
    void GeometryChanged() { ++geometryRevision_; }
    // ---- window ----
    CViewLink* link() const { return link_; }
    void setLink(CViewLink* l) { link_ = l; }
    void Invalidate(const CRect& r) const;
    void InvalidateAll() const;

    // ---- codes ----
    // Every lookup by Code goes through the page's code index, so none of
    // them walks the objects. The index is built when first needed after a
    // page was read or objects were adopted, and kept current after that.
    // The front-most object with exactly this Code, or null.
    CHyperOb* FindObjectByCode(std::string_view code) const { return Codes().Find(code); }
    // The front-most object whose Code equals `code` ignoring case and that
    // is of `objectClass` (any class when null), or null.
    CHyperOb* FindObjectByCodeNoCase(std::string_view code, const CClassInfo* objectClass = nullptr) const {
        return Codes().FindNoCase(code, objectClass);
    }
    // Another object than `except` carries `code`.
    bool IsCodeUsed(std::string_view code, const CHyperBaseOb* except) const { return Codes().IsUsed(code, except); }
    // The smallest n >= from for which `stem` followed by n is the Code of
    // no object other than `except`.
    int FreeCodeNumber(const std::string& stem, int from = 1, const CHyperBaseOb* except = nullptr) {
        return Codes().FreeNumber(stem, from, except);
    }
    // A Code no object of the page has: the type name followed by the first
    // free number from 1 ("Frame1", "Frame2", ...).
    std::string UniqueCode(const std::string& typeName) { return typeName + std::to_string(FreeCodeNumber(typeName)); }
    // An object's Code was set (CHyperBaseOb::SetCodeRaw reports every
    // change); the index files the object under its new Code.
    void CodeChanged(const CHyperBaseOb* ob) {
        if (!codesStale_) codes_.Refile(ob);
    }

    // ---- queries ----
    // Number of objects on layer `layerId`.
    int CountLayerObjects(int layerId) const;
    // Puts every object of layer `from` on layer `to` and updates it.
    void MoveLayerObjects(int from, int to);
    // Members of group `groupId` in list order.
    std::vector<CHyperOb*> GetGroupMembers(int groupId) const;
    int ComputeHighestGroupId() const;

    // Asks the window to open a design file (scripts' OpenDoc).
    void RequestOpen(const std::string& path) const;
    // The first open page not in edit mode whose FormCode equals `name`
    // (ignoring case), other than the page of `self`; null when none.
    static CHyperPage* FormFind(const std::string& name, const CHyperViewOb* self = nullptr);

    // ---- storage ----
    // The page record of design files.
    void Serialize(CArchive& ar);
    // True when reading stopped at damage inside the object list.
    bool wasCut() const { return cut_; }
    const std::string& cutReason() const { return cutReason_; }
    // Whether the last read found a page object in the file (a missing one
    // is replaced by a default page object).
    bool pageObjectWasStored() const { return pageObjectStored_; }
    // After a page was read: invalid Codes get new names and the highest
    // GroupID is found. Returns true when a Code was renamed.
    bool AfterLoad();

private:
    uint64_t geometryRevision_ = 0;
    void LoadObjects(CArchive& ar);
    // Files objects_[i], just placed there, in the code index.
    void IndexAt(size_t i);
    // The code index, built first when it is stale.
    CCodeIndex& Codes() const;

    // Declared before the objects so that it outlives them.
    mutable CCodeIndex codes_;
    // The objects changed wholesale (read, adopted); the index is rebuilt
    // when it is next used.
    mutable bool codesStale_ = false;
    std::vector<std::unique_ptr<CHyperOb>> objects_;
    std::unique_ptr<CHyperViewOb> pageObject_;
    CViewLink* link_ = nullptr;
    bool cut_ = false;
    bool pageObjectStored_ = false;
    std::string cutReason_;
};
