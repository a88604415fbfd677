// The straight line of the "Line" tool: a segment between two ends, kept as
// its rectangle plus a diagonal code that says which diagonal of the
// rectangle it is, with a connection record for ends hanging on snap points.
#pragma once

#include "model/Connection.h"
#include "shapes/1DOb.h"

// The connection record of a straight line: it also carries the line's
// geometry (the diagonal code and the direction flag) over the owner's
// rectangle.
class CLineConnection : public CConnection {
public:
    // Diagonal codes: (left, top)-(right, bottom), (right, top)-(left,
    // bottom), horizontal and vertical through the middle.
    static constexpr int kDiagDown = 0;
    static constexpr int kDiagUp = 2;
    static constexpr int kHorizontal = 6;
    static constexpr int kVertical = 8;

    using CConnection::CConnection;

    void DeriveFromRect(CRect& r, bool oddHandle) override;
    using CConnection::GetEnds;
    bool GetEnds(CPoint& end0, CPoint& end1, int direction) const override;
    void SetEnds(CPoint end0, CPoint end1, int handle0 = -1, int handle1 = -1) override;

    // Start and end point of diagonal `code` on `r`; codes outside 0, 2, 6,
    // 8 count as 0.
    static void CodePoints(int code, const CRect& r, CPoint& start, CPoint& end);
    // Tracker handles the start and end point sit on.
    static void CodeHandles(int code, int& startHandle, int& endHandle);
};

class CLineOb : public C1DOb {
    VX_DECLARE_CLASS(CLineOb)
public:
    CLineOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    // The first end (X1, Y1) and the second end (X2, Y2).
    CPoint FirstEnd() const;
    CPoint SecondEnd() const;
    // Sets the rectangle to (x1, y1, x2, y2) as passed, code 0, direction 1,
    // then updates (which normalises and derives code and direction).
    void SetEndPoints(int x1, int y1, int x2, int y2);
    // Moves one coordinate of one end, keeping the other end.
    void SetEndCoordinate(int which, int value);
    int DiagonalCode() const { return conn_.resizeCode; }
    int DirectionFlag() const { return conn_.directionFlag; }

    void Serialize(CArchive& ar) override;
    void Update(int recalc, int hint) override;
    // "RotateAngle" is the line's slope, turned through the view.
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    void RecalcHandles() override;
    void BuildOutline() override;
    void EnsureTracker() override;
    // Turns the line about its centre to `angle` degrees.
    void SetRotateAngleRaw(double angle) override;
    CConnection* GetConnection() override { return &conn_; }
    int GetResizeMode() const override { return conn_.resizeCode; }
    void Dump(CDumpContext& dc) const override;

private:
    // Some object of the page is selected.
    bool PageHasSelection() const;

    CLineConnection conn_{this};
};
