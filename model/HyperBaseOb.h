// The automation base and the common base of page objects, the page object
// and the frame object: a code name and the page that owns the object.
#pragma once

#include <memory>
#include <string>

#include "model/Object.h"
#include "platform/Automation.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class CHyperPage;
class CPropCombo;
class CPropList;
class CPropOb;

// Exposes properties and methods to scripts; adds no data.
class CHyperVBPSOb : public CObject, public vx::AutoObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();
};

class CHyperBaseOb : public CHyperVBPSOb {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    // Kinds answered by GetKind.
    enum Kind { kPageObject = 0, kViewObject = 1, kFrameObject = 2 };

    virtual const std::string& GetCode() const { return code_; }
    virtual std::string GetFormCode() const { return {}; }
    // What PersistToFile does with the class-defaults file.
    enum DefaultsFileMode {
        kDefaultsExists = -2,
        kDefaultsDelete = -1,
        kDefaultsWrite = 0,
        kDefaultsRead = 1
    };
    // Runs one DefaultsFileMode on the class-defaults file; 1 on success
    // (kDefaultsExists: the file exists).
    virtual int PersistToFile(int /*mode*/) { return 0; }
    virtual void SetPlaceholder(const void* link) { placeholder_ = link; }
    virtual void OnViewNotify(int /*arg*/) {}
    virtual void OnPropertyEdited(int /*propertyId*/) {}
    // Recomputes geometry (recalc) and repaints.
    virtual void Update(int /*recalc*/, int /*hint*/) {}
    virtual void SaveAsDefaults() {}
    // Builds the property item for one property-name string id; null when
    // the object has no such property. Choice lists are filled only when
    // `withChoices` is set.
    virtual std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices);
    // Appends the object's property items in order.
    virtual void AddProperties(CPropList& list, bool withChoices);
    virtual bool GetSheetRect(CRect&) const { return false; }
    virtual COLORREF GetPageColor() const;
    virtual const COLORREF* GetCustomColors() const { return nullptr; }
    // The name of the object's kind, from string `stringId` (text before the
    // first line feed), "Object" when the table lacks it.
    virtual std::string GetTypeNameFromId(int stringId) const;
    virtual std::string GetTypeName() const { return GetTypeNameFromId(GetToolStringId()); }
    // String id of the drawing tool (and type name) of the class.
    virtual int GetToolStringId() const { return 60446; }
    // Code = name, or name followed by index when index >= 0. Returns the
    // index used.
    virtual int SetCode(const std::string& name, int index);
    virtual void OnCodeChanged() {}
    virtual int GetKind() const { return kPageObject; }
    virtual bool IsEmbeddedItem() const { return false; }
    CHyperPage* GetView() const { return view_; }
    virtual void SetView(CHyperPage* view) { view_ = view; }
    // Adds the eight CursorPointer choices to a choice item.
    virtual void FillCursorChoices(CPropCombo& list) const;

    // Sets the code without any uniqueness rule (reading, copying). Every
    // change of the code goes through here, so that the page can keep its
    // code index current.
    void SetCodeRaw(std::string code);
    const void* placeholder() const { return placeholder_; }

protected:
    CHyperPage* view_ = nullptr;
    const void* placeholder_ = nullptr;
    std::string code_;
};
