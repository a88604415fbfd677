// The design the editor opens for a first look (samples/welcome.vxw): what
// the shapes can do on one page, in captioned frames.
#pragma once

#include <string>

// Writes welcome.vxw into `dir`; false when it cannot be written.
bool WriteWelcomeSample(const std::string& dir);
