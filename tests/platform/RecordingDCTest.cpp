// The recording and bounds device contexts, and the DrawText layout that
// every device context shares (measured here with the recording DC's
// fixed-pitch font: characters half as wide as the font height).
#include <gtest/gtest.h>

#include "platform/QtConv.h"
#include "platform/RecordingDC.h"

namespace {

// A 10-unit font: characters 5 wide, lines 10 high.
void Font10(CDC& dc) {
    LOGFONT lf;
    lf.lfHeight = -10;
    dc.SelectObject(CFont(lf));
}

// Shows the device font a backend would draw with.
class CDeviceFontDC : public CRecordingDC {
public:
    using CDC::DeviceFont;
};

}  // namespace

TEST(RecordingDC, RecordsCallsWithTheirPenBrushAndModes) {
    CRecordingDC dc;
    dc.SelectObject(CPen(PS_DOT, 1, vx::RGB(255, 0, 0)));
    const CBrush old = dc.SelectObject(CBrush(HS_CROSS, vx::RGB(0, 0, 255)));
    EXPECT_EQ(old.logBrush().lbStyle, BS_SOLID);  // the default white brush
    dc.SetBkMode(TRANSPARENT);
    dc.Rectangle(0, 0, 10, 20);
    dc.SetROP2(R2_NOT);
    dc.SetPixel(3, 4, 0);
    dc.SetROP2(R2_COPYPEN);
    dc.MoveTo(1, 2);
    dc.LineTo(3, 4);
    const CPoint pts[3] = {{0, 0}, {5, 0}, {5, 5}};
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Polygon(pts, 3);
    dc.Arc(CRect(0, 0, 10, 10), {10, 5}, {5, 0});
    dc.FrameRect(CRect(1, 1, 5, 5), vx::RGB(0, 0, 0));
    dc.SetBkMode(OPAQUE);
    dc.TextOut(7, 8, "hi");
    const std::vector<std::string> expected = {
        "Rectangle 0,0,10,20 pen=dot/1/#FF0000 brush=hatch4/#0000FF bk=transparent",
        "SetPixel 3,4 #000000 rop=R2_NOT",
        "Line 1,2,3,4 pen=dot/1/#FF0000 bk=transparent",
        "Polygon 0,0 5,0 5,5 pen=null brush=null",
        "Arc 0,0,10,10 start=10,5 end=5,0 pen=null",
        "FrameRect 1,1,5,5 brush=solid/#000000",
        "TextOut 7,8 \"hi\" color=#000000 bk=#FFFFFF",
    };
    EXPECT_EQ(dc.lines(), expected);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(3, 4));
}

TEST(RecordingDC, SaveAndRestoreBringBackEveryAttribute) {
    CRecordingDC dc;
    const int one = dc.SaveDC();
    dc.SelectObject(CPen(PS_DASH, 1, 0xFF));
    dc.SetBkMode(TRANSPARENT);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);
    dc.IntersectClipRect(0, 0, 5, 5);
    const int two = dc.SaveDC();
    EXPECT_EQ(two, one + 1);
    dc.SelectStockObject(NULL_PEN);
    EXPECT_TRUE(dc.RestoreDC(two));
    EXPECT_EQ(dc.GetCurrentPen().logPen().lopnStyle, PS_DASH);
    EXPECT_TRUE(dc.RestoreDC(one));
    EXPECT_EQ(dc.GetCurrentPen().logPen().lopnStyle, PS_SOLID);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_FALSE(dc.HasClip());
    EXPECT_FALSE(dc.RestoreDC(one));
    EXPECT_FALSE(dc.RestoreDC(0));
}

TEST(DrawText, BreaksWordsAlignsAndCalculates) {
    CRecordingDC dc;
    Font10(dc);
    // "aaa bbb" is 35 wide and fits in 40; "ccc" goes on the next line.
    CRect r(0, 0, 40, 100);
    EXPECT_EQ(dc.DrawText("aaa bbb ccc", r, DT_WORDBREAK | DT_CALCRECT), 20);
    EXPECT_EQ(r, CRect(0, 0, 35, 20));
    // A word wider than the rectangle stands alone and widens the result.
    r = CRect(0, 0, 20, 0);
    dc.DrawText("a abcdefgh b", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r, CRect(0, 0, 40, 30));
    // Explicit line breaks, without word breaking.
    r = CRect(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("one\r\ntwo\nthree", r, DT_CALCRECT), 30);
    EXPECT_EQ(r, CRect(10, 10, 35, 40));
    // Single line: breaks are blanks.
    r = CRect(0, 0, 0, 0);
    dc.DrawText("ab\ncd", r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r, CRect(0, 0, 25, 10));
    // Prefixes: "&&" is one ampersand, "&x" underlines x and takes no room.
    r = CRect(0, 0, 0, 0);
    dc.DrawText("&File && more", r, DT_CALCRECT);
    EXPECT_EQ(r.Width(), 11 * 5);
    r = CRect(0, 0, 0, 0);
    dc.DrawText("&File", r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), 25);
    // Empty text still measures one line.
    r = CRect(0, 0, 50, 50);
    EXPECT_EQ(dc.DrawText("", r, DT_CALCRECT), 10);
}

// Positions of the lines DrawText puts out, seen through a bounds DC.
TEST(DrawText, PlacesLinesByTheFormatFlags) {
    auto place = [](unsigned fmt, std::string_view text) {
        CBoundsDC dc;
        Font10(dc);
        CRect r(0, 0, 100, 50);
        const int h = dc.DrawText(text, r, fmt);
        CRect b = dc.Bounds();
        return std::make_pair(b, h);
    };
    EXPECT_EQ(place(DT_LEFT, "abcd").first, CRect(0, 0, 20, 10));
    EXPECT_EQ(place(DT_CENTER, "abcd").first, CRect(40, 0, 60, 10));
    EXPECT_EQ(place(DT_RIGHT, "abcd").first, CRect(80, 0, 100, 10));
    auto vc = place(DT_SINGLELINE | DT_VCENTER, "abcd");
    EXPECT_EQ(vc.first, CRect(0, 20, 20, 30));
    EXPECT_EQ(vc.second, 30);  // offset from the top to the bottom of the text
    EXPECT_EQ(place(DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, "abcd").first, CRect(80, 40, 100, 50));
    // Clipped to the rectangle unless DT_NOCLIP.
    EXPECT_EQ(place(DT_LEFT, std::string(30, 'x')).first, CRect(0, 0, 100, 10));
    EXPECT_EQ(place(DT_LEFT | DT_NOCLIP, std::string(30, 'x')).first, CRect(0, 0, 150, 10));
    // Two lines centred one under the other.
    EXPECT_EQ(place(DT_CENTER | DT_WORDBREAK, "abcdefghijklmnop abcd").first, CRect(10, 0, 90, 20));
}

TEST(DrawText, IsRecordedAsOneCallAndRestoresTheState) {
    CRecordingDC dc;
    Font10(dc);
    dc.SetTextAlign(TA_BASELINE | TA_CENTER);
    CRect r(0, 0, 40, 40);
    dc.DrawText("aaa bbb ccc", r, DT_WORDBREAK | DT_NOPREFIX);
    ASSERT_EQ(dc.lines().size(), 1u);
    EXPECT_EQ(dc.lines()[0], "DrawText 0,0,40,40 fmt=0x810 \"aaa bbb ccc\" color=#000000");
    EXPECT_EQ(dc.GetTextAlign(), TA_BASELINE | TA_CENTER);
    EXPECT_FALSE(dc.HasClip());
    dc.DrawText("x", r, DT_CALCRECT);
    EXPECT_EQ(dc.lines().size(), 1u);  // measuring draws nothing
}

TEST(BoundsDC, CollectsDeviceBoundsOfWhatIsDrawnInsideTheClip) {
    CBoundsDC dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 200);
    dc.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(dc.Bounds(), CRect(20, 20, 40, 40));
    EXPECT_EQ(dc.LogicalBounds(), CRect(10, 10, 20, 20));
    dc.IntersectClipRect(0, 0, 15, 15);
    dc.FillSolidRect(CRect(0, 0, 100, 100), 0);
    EXPECT_EQ(dc.Bounds(), CRect(0, 0, 40, 40));
    dc.Reset();
    dc.SelectClipRgn(nullptr);
    dc.SetPixel(50, 60, 0);
    EXPECT_EQ(dc.Bounds(), CRect(100, 120, 101, 121));
}

TEST(Regions, CombineAndReportTheirType) {
    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    EXPECT_EQ(c.CombineRgn(a, b, RGN_AND), SIMPLEREGION);
    CRect box;
    c.GetRgnBox(box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(c.CombineRgn(a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(c.CombineRgn(a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(c.CombineRgn(a, b, 99), RGN_ERROR);
    EXPECT_TRUE(a.PtInRegion(9, 9));
    EXPECT_FALSE(a.PtInRegion(10, 10));
    CRgn e;
    e.CreateRectRgn(10, 10, 0, 0);  // normalised
    EXPECT_TRUE(e.PtInRegion(0, 0));
    CRgn none;
    none.CreateRectRgn(3, 3, 3, 9);
    EXPECT_TRUE(none.IsEmpty());
}

TEST(DeviceContext, CoordinatesSaturateAfterTheOriginIsAdded) {
    CDC dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(4, 4);
    dc.SetViewportOrg(INT32_MAX - 10, INT32_MIN + 10);
    CPoint p(100, -100);
    dc.LPtoDP(p);
    EXPECT_EQ(p, CPoint(INT32_MAX, INT32_MIN));
    CPoint q(-2, 2);
    dc.LPtoDP(q);
    EXPECT_EQ(q, CPoint(INT32_MAX - 18, INT32_MIN + 18));
    dc.SetWindowOrg(INT32_MIN, INT32_MAX);
    CPoint far(INT32_MAX, INT32_MIN);
    dc.LPtoDP(far);
    EXPECT_EQ(far, CPoint(INT32_MAX, INT32_MIN));
    CPoint back(INT32_MAX, INT32_MIN);
    dc.DPtoLP(back);
    EXPECT_EQ(back, CPoint(INT32_MIN + 3, INT32_MAX - 3));
    // Moving an origin past the range stops at its end.
    dc.OffsetWindowOrg(-10, 10);
    dc.OffsetViewportOrg(100, -100);
    EXPECT_EQ(dc.SetWindowOrg(0, 0), CPoint(INT32_MIN, INT32_MAX));
    EXPECT_EQ(dc.SetViewportOrg(0, 0), CPoint(INT32_MAX, INT32_MIN));
    CRect r(INT32_MIN, 0, INT32_MAX, 1);
    dc.LPtoDP(r);
    EXPECT_EQ(r, CRect(INT32_MIN, 0, INT32_MAX, 4));
    dc.PatBlt(INT32_MAX - 1, 0, 100, 100, PATCOPY);
}

TEST(DeviceContext, FontSizesFromFilesAreHeldToTheDrawingRange) {
    CDeviceFontDC dc;
    LOGFONT lf;
    for (const int32_t height : {INT32_MIN, INT32_MAX, -100000, 100000}) {
        lf.lfHeight = height;
        lf.lfWidth = height;
        dc.SelectObject(CFont(lf));
        TEXTMETRIC tm;
        dc.GetTextMetrics(tm);
        EXPECT_EQ(tm.tmHeight, vx::kMaxFontSize);
        EXPECT_EQ(dc.GetTextExtent("ab"), CSize(vx::kMaxFontSize, vx::kMaxFontSize));
        // The record itself keeps what it was given.
        EXPECT_EQ(dc.GetCurrentFont().logFont().lfHeight, height);
    }
    // Text laid out near the end of the coordinate range stops at the end.
    CRect calc(INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX);
    dc.DrawText("abc\ndef", calc, DT_CALCRECT);
    EXPECT_EQ(calc, CRect(INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX));
    CRect box(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    dc.DrawText("abc", box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    dc.DrawText("abc", box, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
    // A device scale cannot push the device font past its range either.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(INT32_MAX, INT32_MAX);
    lf.lfHeight = INT32_MIN;
    lf.lfWidth = 1;
    dc.SelectObject(CFont(lf));
    const LOGFONT device = dc.DeviceFont();
    EXPECT_EQ(device.lfHeight, -vx::kMaxDeviceFontSize);
    EXPECT_EQ(device.lfWidth, vx::kMaxDeviceFontSize);
    for (const int32_t height : {INT32_MIN, INT32_MAX}) {
        lf.lfHeight = height;
        lf.lfWidth = INT32_MAX;
        const QFont f = vx::ToQFont(lf);
        EXPECT_GE(f.pixelSize(), 1);
        EXPECT_LE(f.pixelSize(), vx::kMaxDeviceFontSize);
    }
}
