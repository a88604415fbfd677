// The sample design with the UML elements (samples/uml.vxw): a use-case
// diagram, a class diagram and a deployment picture, with lines attached
// between the elements.
#pragma once

#include <string>

// Writes uml.vxw into `dir`; false when it cannot be written.
bool WriteUmlSample(const std::string& dir);
