// The UML elements drawn from a point model: actor, use case, package,
// component, node and note. Each gives its default points, how they join
// into its figure and where its text lies.
#pragma once

#include "uml/PointModelOb.h"

// A stick figure with its name above the head.
class CActorOb : public CPointModelOb {
    VX_DECLARE_CLASS(CActorOb)
public:
    static const CPoint kDefaultPoints[10];
    int GetToolStringId() const override;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
};

// An ellipse with its name above it.
class CUseCaseOb : public CPointModelOb {
    VX_DECLARE_CLASS(CUseCaseOb)
public:
    static const CPoint kDefaultPoints[4];
    int GetToolStringId() const override;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
};

// A tabbed folder: body text in the folder, the tab text (a stereotype,
// "<< >>" when new) in the tab. Scripts see the tab text as "Text".
class CPackageOb : public CPointModelOb {
    VX_DECLARE_CLASS(CPackageOb)
public:
    static const CPoint kDefaultPoints[8];

    int GetToolStringId() const override;
    void CopyFrom(const CHyperOb& other) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void Dump(CDumpContext& dc) const override;
    std::string ScriptText() const override { return packageText_; }
    void SetScriptText(const std::string& t) override { packageText_ = t; }

    virtual void SetPackageText(const std::string& t) { packageText_ = t; }
    virtual const std::string& GetPackageText() const { return packageText_; }

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
    void SerializeTexts(CArchive& ar) override;

private:
    std::string packageText_ = "<< >>";
};

// A box with two small rectangles across its left edge; the name above.
class CComponentOb : public CPointModelOb {
    VX_DECLARE_CLASS(CComponentOb)
public:
    static const CPoint kDefaultPoints[23];
    int GetToolStringId() const override;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
};

// A three-dimensional box; the name on its front face.
class CNodeOb : public CPointModelOb {
    VX_DECLARE_CLASS(CNodeOb)
public:
    static const CPoint kDefaultPoints[11];
    int GetToolStringId() const override;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
};

// A sheet with its upper right corner folded over; the text below the fold.
class CNoteOb : public CPointModelOb {
    VX_DECLARE_CLASS(CNoteOb)
public:
    static const CPoint kDefaultPoints[6];
    int GetToolStringId() const override;

protected:
    std::span<const CPoint> DefaultPoints() const override { return kDefaultPoints; }
    void DrawFigure(CDC& dc) override;
    void DrawTexts(CDC& dc) override;
};
