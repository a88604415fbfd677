// The program's string table: every text the program shows or stores under a
// numeric string id (menu prompts, messages, property names, type names).
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Text of string id `id`, or an empty view when the table has no such id.
std::string_view LoadString(int id);

// True when the table holds an entry for `id` (an entry may be empty).
bool HasString(int id);

// Text of `id`, or `fallback` when the table has no such id.
std::string LoadStringOr(int id, std::string_view fallback);

// Number of entries in the table.
int StringCount();

}  // namespace vx
