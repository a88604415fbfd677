// The "Bitmap Dialog": edits a copy of a bitmap shape's image value. A
// preview, the file name, the transparent colour, Copy and Paste through
// the clipboard, Load... (a linked file), Clear, and Link (between a linked
// and an embedded file image). "&Edit..." opens the bitmap editor when one
// is installed; "RLE:" waits for a compressor and stays off.
#pragma once

#include <functional>

#include "dialogs/NSFlexDialog.h"
#include "shapes/ImageValue.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class CBitmapDialog : public CNSFlexDialog {
public:
    // Works on `value`, which the caller copies in and takes back on OK.
    // `folder` is where relative link names are read from.
    CBitmapDialog(CImageValue& value, const std::string& folder, QWidget* parent = nullptr);

    // The file chooser of "&Load..." (tests answer it); empty: cancelled.
    using FileChooser = std::function<QString(QWidget*)>;
    static FileChooser& fileChooser();
    // The bitmap editor behind "&Edit...": edits `image` (null: a new one)
    // and the transparent colour; true on OK. The image editor installs it.
    using ImageEditor = std::function<bool(QImage& image, COLORREF& transparent, QWidget* parent)>;
    static ImageEditor& imageEditor();

    // The controls, for tests.
    QLabel* preview() const { return preview_; }
    QLabel* fileNameLabel() const { return fileName_; }
    QComboBox* transparentBox() const { return transparent_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* pasteButton() const { return paste_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* editButton() const { return edit_; }
    QCheckBox* linkBox() const { return link_; }
    QCheckBox* rleBox() const { return rle_; }

    void Copy();
    void Paste();
    void Load();
    void Clear();
    void SetLinked(bool linked);
    // The edited picture goes into the design as a pasted image.
    void Edit();

private:
    // Shows the value in the controls.
    void Refresh();
    void TakeTransparent();

    CImageValue& value_;
    std::string folder_;
    QLabel* preview_ = nullptr;
    QLabel* fileName_ = nullptr;
    QComboBox* transparent_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* paste_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* edit_ = nullptr;
    QCheckBox* link_ = nullptr;
    QCheckBox* rle_ = nullptr;
    bool refreshing_ = false;
};

// Lets new bitmap shapes open the dialog (CBitmapOb::EditHook).
void InstallBitmapDialog();
