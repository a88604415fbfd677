// The image editor's dialogs: the resizable base that remembers where it
// was (`CPntDlg`), "Enter Bitmap Dimensions", the icon editor (colour image
// and mask) and the bitmap editor.
#pragma once

#include <QLabel>
#include <QWidget>

#include "dialogs/NSFlexDialog.h"
#include "paint/DIBSection.h"
#include "paint/PntCtrl.h"

class CPntToolBar;
class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

// A dialog whose position and size are kept in the settings section
// "PaintDlg:<template id>" (keys X, Y, Width and Height) and restored when
// the stored rectangle lies within the screen's work area; else it is
// centred.
class CPntDlg : public CNSFlexDialog {
public:
    CPntDlg(int templateId, QWidget* parent = nullptr);
    int templateId() const { return templateId_; }
    virtual void SavePosition();
    // True when a stored position was applied.
    virtual bool RestorePosition();
    std::string profileSection() const;

protected:
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int templateId_;
    bool positioned_ = false;
};

// "Enter Bitmap Dimensions": width and height (each 1 to kPntMaxSide, at
// most kPntMaxPixels in all, as the dialog says), colour depth, and the
// crop check box when cropping is offered.
class CPntDimensionsDlg : public CPntDlg {
public:
    static constexpr int kTemplateId = 28103;
    explicit CPntDimensionsDlg(const CPntDimensions& d, QWidget* parent = nullptr);
    CPntDimensions result() const;
    // The depth choices in order and their bits per pixel.
    static int ChoiceOfDepth(int bitCount);
    static int DepthOfChoice(int choice);
    QSpinBox* widthBox() const { return width_; }
    QSpinBox* heightBox() const { return height_; }
    QComboBox* depthBox() const { return depth_; }
    QCheckBox* cropBox() const { return crop_; }
    void accept() override;

private:
    CPntDimensions d_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* depth_;
    QCheckBox* crop_;
    QLabel* widthLabel_;
    QLabel* heightLabel_;
};

// The icon preview: the image one to one on the button face, framed.
class CPntIconPreview : public QWidget {
public:
    explicit CPntIconPreview(CPntCtrl* ctrl, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    CPntCtrl* ctrl_;
};

// The editors share the control, the tool bar and the OK/Cancel buttons.
class CPntEditDlg : public CPntDlg {
public:
    CPntEditDlg(int templateId, const QString& title, QWidget* parent);
    CPntCtrl* paintCtrl() const { return ctrl_; }
    CPntToolBar* toolBar() const { return bar_; }

protected:
    virtual void OnPaintNotify();
    CPntCtrl* ctrl_;
    CPntToolBar* bar_;
    QLabel* status_;
};

class CPntIconEditDlg : public CPntEditDlg {
public:
    static constexpr int kTemplateId = 28102;
    static constexpr int kIconSide = 32;
    explicit CPntIconEditDlg(QWidget* parent = nullptr);
    // The colour image (converted to 8 bits when it has no colour table)
    // and its mask (white = transparent; may be null).
    bool SetIcon(const CDIBSection& color, const CDIBSection& mask);
    const CDIBSection& image() const { return ctrl_->image(); }
    CDIBSection GetMaskImage() const { return ctrl_->GetMaskImage(); }
    CPntIconPreview* preview() const { return preview_; }

protected:
    void OnPaintNotify() override;

private:
    CPntIconPreview* preview_ = nullptr;
};

class CPntBitmapEditDlg : public CPntEditDlg {
public:
    static constexpr int kTemplateId = 28101;
    explicit CPntBitmapEditDlg(QWidget* parent = nullptr);
    // The image to edit (none: the dimensions are asked when it runs).
    void SetImage(const CDIBSection& image);
    // -1: none; a colour switches transparent drawing on.
    void SetTransparencyColor(COLORREF c);
    const CDIBSection& image() const { return ctrl_->image(); }
    COLORREF transparencyColor() const { return ctrl_->transparencyColor(); }
    QSlider* zoomSlider() const { return slider_; }
    // Without an image, asks for the dimensions first; Cancel there ends
    // the editor with Cancel.
    int exec() override;

private:
    void Prepare();
    void OnSlider(int action);
    QSlider* slider_;
    QLabel* zoomLabel_;
    bool prepared_ = false;
};
