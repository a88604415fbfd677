// Connects the model's list editors to the dialogs of this library.
#pragma once

// Installs the "Layers Sheet" and "Enter Snap Points" dialogs as the
// model's list editors (run modally over the active window), and the
// "Bitmap Dialog" as the editor of new bitmap shapes' images.
void InstallListDialogs();
