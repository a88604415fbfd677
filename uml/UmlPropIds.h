// String ids of the property names of the UML elements.
#pragma once

namespace vx::prop {
constexpr int kClassName = 20016;       // "Name"
constexpr int kClassAttribute = 20017;  // "Attribute"
constexpr int kClassOperation = 20018;  // "Operation"
constexpr int kTextClass = 20020;       // "Class", the definition items' second text
constexpr int kPackageText = 20026;     // "Package Text"
}  // namespace vx::prop
