// A small reader of rich text (RTF) for the about box: paragraphs, bold,
// italic, underline, font size, the colour table and text colour, tabs,
// 8-bit (Windows-1252) and Unicode escapes. Destinations it does not know
// (font table, style sheet, pictures, document info, "\*" groups) are
// skipped. Damaged input never fails: whatever could be read is kept.
#pragma once

#include <string_view>

class QTextDocument;

namespace vx {

// Replaces the contents of `doc` with the rich text `rtf`. Returns false
// when `rtf` does not start like rich text ("{\rtf"); the text is then
// shown as plain text.
bool ReadRtf(std::string_view rtf, QTextDocument& doc);

}  // namespace vx
