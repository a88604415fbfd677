// Registration of the UML element classes.
#pragma once

#include <cstddef>
#include <cstdint>

struct CClassInfo;

// Registers the element classes with the class registry (after the model
// and shape classes), so that files and the clipboard can create them.
void RegisterUmlClasses();

namespace vx::uml {

// The element tools: tool id (also the type-name string id) and class.
struct ElementTool {
    uint16_t id;
    const CClassInfo* objectClass;
};
// Every element tool whose class exists, in tool-id order.
const ElementTool* ElementTools(size_t& count);

}  // namespace vx::uml
