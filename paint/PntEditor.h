// The image editor as the main window reaches it: the bitmap editor on a new
// image or on an image file, and saving the result as BMP or PNG.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vx::pnt {

// Opens the bitmap editor on the file `path` (empty: a new image, whose
// dimensions are asked first). After "OK" the image is saved under a name
// the user picks (BMP or PNG by its ending), safely; a failed save says why
// and asks again. Returns the file saved, or an empty string.
QString RunImageEditor(QWidget* parent, const QString& path);

// Where the user's choices come from: the file to save to (empty:
// cancelled). Tests and headless tools replace it.
// Lets the "Bitmap Dialog"'s "&Edit..." open the bitmap editor on a bitmap
// shape's picture.
void InstallBitmapDialogEditor();

using SaveNameHook = std::function<QString(QWidget* parent, const QString& suggested)>;
SaveNameHook& saveNameHook();

}  // namespace vx::pnt
