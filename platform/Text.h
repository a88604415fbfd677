// Text conversion between the program's UTF-8 strings and the 8-bit
// Windows-1252 code page that design files store.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 code points of the same value,
// so every byte string survives Cp1252ToUtf8 followed by Utf8ToCp1252.
std::string Cp1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text as Windows-1252. Returns false (and leaves `out` in an
// unspecified state) when the text holds a character the code page lacks or
// is not valid UTF-8.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// UTF-16 (host order code units) <-> UTF-8. Invalid input (unpaired
// surrogates, malformed UTF-8) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Number of code points in valid UTF-8 text.
size_t Utf8Length(std::string_view utf8);
// The first `n` code points of UTF-8 text.
std::string Utf8Left(std::string_view utf8, size_t n);

// ASCII case-insensitive comparison (codes, names and keys are compared so).
bool EqualsNoCase(std::string_view a, std::string_view b);
// Unicode-aware case-insensitive comparison of UTF-8 texts.
bool EqualsNoCaseUtf8(std::string_view a, std::string_view b);
// A key for case-insensitive lookups: two texts that EqualsNoCaseUtf8 finds
// equal have the same key.
std::string FoldCaseUtf8(std::string_view s);

// Removes leading and trailing blanks (spaces, tabs, line breaks).
std::string Trim(std::string_view s);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vx
