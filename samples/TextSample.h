// The sample design with text blocks and bitmaps (samples/text.vxw).
#pragma once

#include <string>

// Writes text.vxw into `dir`; false when it cannot be written. Text blocks
// grow to fit their text only under a GUI application (fonts need one).
bool WriteTextSample(const std::string& dir);
