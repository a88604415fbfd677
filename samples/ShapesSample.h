// The sample design with every drawing shape and lines attached between
// them (samples/shapes.vxw).
#pragma once

#include <string>

// Writes shapes.vxw into `dir`; false when it cannot be written.
bool WriteShapesSample(const std::string& dir);
