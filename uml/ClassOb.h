// The UML class box: the class name, then an attribute and an operation
// compartment below divider lines. The box grows when its compartments do
// not fit.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "model/PropItems.h"
#include "uml/PointModelOb.h"

// One definition text of a class box (its attributes or its operations):
// lines separated by line feeds.
class CClassDefinition : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }

    std::string text;

    // Line feeds plus one (an empty text is one empty line).
    size_t LineCount() const;
    // Version tag 0, then the text.
    void Serialize(CArchive& ar) override;
    bool operator==(const CClassDefinition& o) const { return text == o.text; }
};

class CClassOb : public CPointModelOb {
    VX_DECLARE_CLASS(CClassOb)
public:
    // Kinds of definition texts (the Definition dialog's titles).
    enum DefinitionKind { kAttributes = 1, kOperations = 2, kDescription = 3 };
    // Each compartment line counts this many units whatever the font, and
    // each compartment this many more.
    static constexpr int kLineHeight = 12;
    static constexpr int kCompartmentPadding = 5;
    // The box grows in steps of this many units until its last compartment
    // ends at least this far above its bottom.
    static constexpr int kGrowStep = 20;

    static const CPoint kDefaultPoints[4];
    static const CPoint kDefaultDividers[4];

    CClassOb();

    int GetToolStringId() const override;
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CHyperOb& other) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    void Dump(CDumpContext& dc) const override;

    const std::array<CPoint, 4>& dividers() const { return dividers_; }
    CClassDefinition& attributes() { return attributes_; }
    CClassDefinition& operations() { return operations_; }
    const CClassDefinition& attributes() const { return attributes_; }
    const CClassDefinition& operations() const { return operations_; }
    // The definition text of a kind (attributes or operations); null for
    // other kinds.
    CClassDefinition* Definition(int kind);

    // Where the compartments go in `box` for a name block `nameHeight`
    // high: the two divider heights, and the growth the box needs so that
    // the operations end `kGrowStep` above its bottom (a multiple of
    // kGrowStep; 0 when it fits or cannot grow within `maxBottom`).
    struct Layout {
        int nameTop = 0;
        int nameHeight = 0;
        int divider1 = 0;
        int divider2 = 0;
        int end = 0;
        int growth = 0;
    };
    Layout LayoutFor(const CRect& box, int nameHeight, int maxBottom) const;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
    void OnPointsFitted(const CRect& from, const CRect& to) override;
    void OnPointCountChanged() override;

private:
    // Lays the compartments out (growing the box if needed) and stores the
    // dividers; false for fonts that are not horizontal.
    bool LayOut(CDC& dc);
    void DrawDefinition(CDC& dc, const CClassDefinition& d, const CRect& r);

    std::array<CPoint, 4> dividers_{};
    CClassDefinition attributes_;
    CClassDefinition operations_;
};

// The property item of one definition text of a class box: a text item of
// kind 21 whose button opens the Definition dialog on the working text.
class CPropClass : public CPropStr {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropClass(int nameId, int definitionKind, CClassDefinition* member);

    int definitionKind;

    bool GetValueText(std::string& out) const override;
    bool OpenDialog() override;

    // Runs the Definition dialog on `text` for a kind; true when it ended
    // with OK. The dialog library installs it; without it nothing opens.
    using Editor = std::function<bool(std::string& text, int kind)>;
    static Editor& editor();
};
