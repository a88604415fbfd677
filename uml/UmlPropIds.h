// String ids of the property names of the UML elements.
#pragma once

namespace vx::prop {
constexpr int kClassName = 20016;       // "Name"
constexpr int kClassAttribute = 20017;  // "Attribute"
constexpr int kClassOperation = 20018;  // "Operation"
constexpr int kTextClass = 20020;       // "Class", the definition items' second text
constexpr int kPackageText = 20026;     // "Package Text"
// The association's end symbols.
constexpr int kSymbolBegin = 20004;      // "Symbol begin"
constexpr int kSymbolEnd = 20005;        // "Symbol end"
constexpr int kSymbolHeight = 20011;     // "Symbol height"
constexpr int kSymbolFillStyle = 20023;  // "Symbol Fill style"
}  // namespace vx::prop
