// The bitmap of the "Bitmap" tool: an image held in the design or linked to
// a file, placed in its rectangle by a layout rule, with one colour that can
// be made transparent, and four snap points.
#pragma once

#include <array>
#include <functional>

#include "model/PropLists.h"
#include "model/SnapList.h"
#include "shapes/HyperDrawOb.h"
#include "shapes/ImageValue.h"

class CBitmapOb : public CHyperDrawOb {
    VX_DECLARE_CLASS(CBitmapOb)
public:
    enum Layout { kLeft = 0, kRight = 2, kCentre = 6, kStretch = 8, kSizeToFit = 255 };
    // Snap points of a new bitmap: the four edge midpoints.
    static constexpr unsigned kDefaultSnapMask = 240;
    static const std::array<Choice, 5> kLayoutChoices;

    // Runs the "Bitmap Dialog" on a copy of an image value; true when it
    // ended with OK. Set by the dialogs library; without it a new bitmap is
    // created without asking.
    static std::function<bool(CImageValue&, CHyperOb&)>& EditHook();

    CBitmapOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    CImageValue& imageValue() { return image_; }
    const CImageValue& imageValue() const { return image_; }
    // Takes an image value over and refreshes the drawn image.
    void SetImageValue(const CImageValue& v);
    int32_t layout() const { return layout_; }
    void setLayout(int32_t l) { layout_ = l; }
    CSnapList& snapList() { return snaps_; }
    // The Bitmap property: the linked file's name, else empty. Setting a
    // name links that file; an empty name removes the image.
    std::string BitmapName() const;
    void SetBitmapName(const std::string& name);
    // The folder relative link names are read from (the design's folder).
    std::string LinkFolder() const;

    void Serialize(CArchive& ar) override;
    // Size to fit, then the base update.
    void Update(int recalc, int hint) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void OnPropertyEdited(int propertyId) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    CSnapList* GetSnapList(bool own) override { return GetGroupSnapList(own, &snaps_); }
    bool GetPenStyle(int&) const override { return false; }
    bool HasImage() const override { return image_.HasImage(); }
    // Opens the bitmap dialog on a copy of the image; OK takes the copy.
    bool ConfirmCreation() override;
    void Dump(CDumpContext& dc) const override;

    // Where the image goes in `r` by the layout (w, h: the image size
    // limited to r's size), in page units.
    CRect PlaceImage(const CRect& r) const;

private:
    // The image with the transparent colour cut out (cached).
    const QImage& MaskedImage();

    CImageValue image_;
    int32_t layout_ = kSizeToFit;
    CSnapList snaps_;
    CBitmapRef ref_;  // the property item's view of the image
    QImage masked_;
    QImage maskedFrom_;
    COLORREF maskedColor_ = -1;
};
