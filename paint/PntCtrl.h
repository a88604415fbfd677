// The paint canvas: one image shown magnified and scrolled and edited with
// the painting tools, the clipboard commands and a snapshot undo history.
// The host (the icon and bitmap editors) hears of changes through four
// signals: imageChanged, magChanged, colourSampled and modeChanged.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <memory>
#include <optional>

#include "command/CmdTarget.h"
#include "paint/DIBSection.h"
#include "paint/PntDraw.h"
#include "paint/PntUndo.h"
#include "platform/LogFont.h"

class CPntTextFmtBar;
class QPrinter;

// What the "Enter Bitmap Dimensions" dialog asks and answers.
struct CPntDimensions {
    int width = 32;
    int height = 32;
    int bitCount = 8;
    bool offerCrop = false;
    bool crop = false;
};

class CPntCtrl : public QAbstractScrollArea, public CCmdTarget {
    Q_OBJECT
public:
    // Tool numbers.
    enum Tool {
        kToolNone = 0,
        kToolSelect = 1,
        kToolMove = 2,  // while a selection is dragged
        kToolMagnify = 3,
        kToolFill = 4,
        kToolPen = 5,
        kToolEraser = 6,
        kToolSampler = 7,
        kToolLine = 8,
        kToolText = 9,
        kToolAirbrush = 10,
        kToolRect = 11,
        kToolRoundRect = 12,
        kToolEllipse = 13,
        kToolFilledRect = 14,
        kToolFilledRoundRect = 15,
        kToolFilledEllipse = 16,
        kToolCount = 17
    };
    static constexpr int kZoomLevels[] = {10, 50, 100, 200, 300, 400, 500, 600};
    static constexpr int kHandleSize = 5;

    explicit CPntCtrl(QWidget* parent = nullptr);
    ~CPntCtrl() override;

    // ---- the image; every replacement clears the modified flag and the
    // undo history and selects the whole image ----
    bool SetImage(const CDIBSection& image);
    bool LoadFile(const QString& path, QString* error = nullptr);
    bool SaveFile(const QString& path, QString* error = nullptr);
    bool NewImage(int width, int height, int bitCount);
    // Asks for the dimensions (32, 32 and 8 proposed); false on Cancel.
    bool NewImage();
    const CDIBSection& image() const { return image_; }
    bool HasImage() const { return !image_.IsNull(); }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified);

    // ---- tools and colours ----
    void SelectTool(int tool);
    int tool() const { return tool_; }
    int previousTool() const { return prevTool_; }
    static QString GetToolDescription(int tool);
    void SetPenColor(COLORREF c);
    COLORREF penColor() const { return penColor_; }
    void SetFillColor(COLORREF c) { fillColor_ = c; }
    COLORREF fillColor() const { return fillColor_; }
    // -1: none.
    void SetTransparencyColor(COLORREF c);
    COLORREF transparencyColor() const { return transColor_; }
    void SetTransparent(bool on);
    bool transparent() const { return transparentDraw_; }
    void SetPenWidth(int w) { penWidth_ = std::clamp(w, 1, 64); }
    int penWidth() const { return penWidth_; }
    void SetEraserWidth(int w) { eraserWidth_ = std::clamp(w, 1, 64); }
    int eraserWidth() const { return eraserWidth_; }
    void SetSelectionShown(bool on);
    bool selectionShown() const { return selShown_; }
    // In image pixels, clipped to the image; `capture` takes its pixels as
    // the selection image.
    void SetSelectionRect(const CRect& r, bool capture = true);
    CRect selectionRect() const { return selRect_; }
    bool floatingSelection() const { return floating_; }
    void SetRandomSeed(uint32_t seed) { random_.Seed(seed); }

    // ---- view ----
    void SetMagnification(int percent);
    double magnification() const { return mag_; }
    int zoomPercent() const { return int(std::lround(mag_ * 100)); }
    // The next zoom level above (up) or below a percentage; -1 when none.
    static int StepZoom(int percent, bool up);
    void SizeToFit();
    void SetCentered(bool on);
    void SetGrid(bool on, int minZoom = 600);
    bool GridVisible() const;
    // Image pixel <-> viewport point.
    QPoint ImageToClient(CPoint p) const;
    CPoint ClientToImage(QPoint c) const;
    QPoint viewMargin() const { return viewMargin_; }

    // ---- masks ----
    // 1 bit per pixel: white where the image has the transparency colour
    // (while transparent drawing is on), else black.
    CDIBSection GetMaskImage() const;
    // Gives the image a transparency colour from a mask of its size (white =
    // transparent). False without a colour table or for a mask of another size.
    bool ApplyMask(const CDIBSection& mask);

    // ---- text tool ----
    void SetToolText(const QString& text);
    QString toolText() const { return text_; }
    void SetTextFormat(unsigned format);
    unsigned textFormat() const { return textFormat_; }
    void SetTextFont(const LOGFONT& font);
    const LOGFONT& textFont() const { return textFont_; }
    CPntTextFmtBar* textBar() const { return textBar_; }
    bool textPlaced() const { return textPlaced_; }

    // ---- editing ----
    void Cut();
    void Copy();
    bool Paste();
    bool CanPaste() const;
    bool Clear(const CRect* r = nullptr, bool snapshot = true);
    void ClearImage();
    bool Undo();
    bool Redo();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    CPntUndoHistory& undoHistory() { return undo_; }
    bool ResizeImage();
    bool PrintImage();
    // Draws the image as on the screen on each page of `printer`.
    bool PrintTo(QPrinter& printer);

    // The crop question of a paste into a smaller selection.
    static QString CropPrompt();

signals:
    void imageChanged();
    void magChanged();
    void colourSampled();
    void modeChanged();
    void statusText(const QString& text);

protected:
    // The dimensions dialog; false on Cancel. Tests answer it.
    virtual bool AskDimensions(CPntDimensions& d);
    virtual void SaveUndo();
    virtual void NotifyImageChanged() { emit imageChanged(); }
    virtual void NotifyZoomChanged() { emit magChanged(); }
    virtual void NotifyColourSampled() { emit colourSampled(); }
    virtual void SetStatusText(const QString& text) { emit statusText(text); }

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The tracker of the selection and text rectangles.
    struct Track {
        enum Kind { kNone, kRubber, kMove, kResize } kind = kNone;
        int hit = -1;
        CRect start;
        CPoint press;
    };
    void ReplaceImage(CDIBSection image);
    void ImageEdited(const CRect& dirty);  // redraw a part and set modified
    void Refresh(const CRect& dirty);      // redraw a part of the cache
    void RefreshAll();
    void UpdateScrollBars();
    void UpdateMargin();
    QRect ClientRectOf(const CRect& r) const;
    int HitTest(QPoint client) const;
    void UpdateCursor(QPoint client);
    // Tools
    void DrawShape(CPoint a, CPoint b);
    void StrokeTo(CPoint to);
    void AirbrushTick();
    void ApplyTrack(CPoint at, bool final);
    void EndTrack(bool cancelled);
    void DrawSelectionImage(const CRect& at);
    void RedrawText();
    void CancelDrag();
    CRect WholeImage() const { return image_.bounds(); }

    CDIBSection image_;
    CPntUndoHistory undo_;
    CDIBSection selImage_;
    std::optional<CDIBSection> backup_;
    QImage view_;  // what is shown: the image in display colours
    int tool_ = kToolNone;
    int prevTool_ = kToolNone;
    COLORREF penColor_ = 0;
    COLORREF fillColor_ = 0;
    COLORREF transColor_ = -1;
    int eraserWidth_ = 4;
    int penWidth_ = 1;
    bool selShown_ = false;
    bool savedSelShown_ = false;
    bool transparentDraw_ = false;
    QPoint viewMargin_{5, 5};
    QPoint baseMargin_{5, 5};
    CPoint press_, last_;
    bool cancelled_ = false;
    bool drawing_ = false;
    bool spraying_ = false;
    QString text_;
    unsigned textFormat_ = 0x810;
    LOGFONT textFont_;
    bool gridOn_ = true;
    int gridMinZoom_ = 600;
    bool gridWholeOnly_ = true;
    bool centred_ = false;
    bool floating_ = false;
    bool moveTookBack_ = false;
    CRect selImageRect_;
    bool cutMode_ = false;
    bool textPlaced_ = false;
    double mag_ = 1.0;
    bool modified_ = false;
    CRect selRect_;
    Track track_;
    bool inScrollUpdate_ = false;
    QTimer airbrushTimer_;
    vx::pnt::CPntRandom random_{1};
    CPntTextFmtBar* textBar_ = nullptr;
};
