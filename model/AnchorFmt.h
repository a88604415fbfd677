// Snap points and the snap-point set that stores them: named connection
// places on an object's outline to which line ends attach.
#pragma once

#include <cstdint>
#include <string>

#include "model/HyperListFmt.h"
#include "platform/Color.h"

class CSnapPoint : public CListItem {
    VX_DECLARE_CLASS(CSnapPoint)
public:
    // Base positions on the owner's rectangle.
    enum Type { kTopLeft, kTopRight, kBottomRight, kBottomLeft, kTop, kRight, kBottom, kLeft, kMiddle };
    static constexpr int kTypeCount = 9;

    int32_t id = -1;
    int32_t type = kTopLeft;
    int32_t dX = 0;
    int32_t dY = 0;
    int32_t byPixel = 1;
    int32_t inCount = 0;
    int32_t outCount = 0;
    int32_t maxIn = 99;
    int32_t maxOut = 99;
    int32_t gridOffset = 0;
    COLORREF colour = -1;
    int32_t useColour = 0;
    std::string tip;

    // The stored type used as an index: out-of-range types count as topLeft.
    int SafeType() const { return (type >= 0 && type < kTypeCount) ? type : kTopLeft; }

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CListItem& other) override;
    bool IsEqual(const CListItem& other) const override;

private:
    bool storedHasTip_ = false;  // keeps a stored empty tip when re-saved
};

// The snap-point set: the points in order, the next id to hand out and a
// limit (above 0: only the first `limit` points count).
class CAnchorFmt : public CHyperListFmt {
    VX_DECLARE_CLASS(CAnchorFmt)
public:
    int32_t nextId = 0;
    int32_t limit = -1;

    std::unique_ptr<CListItem> CreateItem() const override;
    size_t MinItemSize() const override { return 14; }
    const char* ListName() const override { return "a snap-point list"; }
    // Gives a point the defaults of a new snap point.
    virtual void InitItemDefaults(CSnapPoint& p) const;
    // Copies the points together with the next id and the limit.
    void CopyFrom(const CHyperListFmt& other) override;
    void Serialize(CArchive& ar) override;

    CSnapPoint* point(size_t i) const { return item<CSnapPoint>(i); }
    // Number of points that count: all, or the first `limit` when the limit
    // is above 0 (a limit beyond the count counts all).
    size_t CountedPoints() const;
    CSnapPoint* FindById(int id) const;
    // Appends a default point of `type` with the next id.
    CSnapPoint* AddPoint(int type);
    // Replaces the points by one per bit of `mask` (bit n: a point of type n).
    void Rebuild(unsigned mask);
};
