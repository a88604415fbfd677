// The texts of a publish request: how each value is escaped and encoded for
// the form post, the name the file gets on the server, and the proxy port.
#pragma once

#include <string>
#include <string_view>

namespace vx::net {

// Form-urlencodes UTF-8 text in the code page the service reads
// (Windows-1252): letters, digits and "-._~" stay, a space becomes '+',
// every other byte %XX. A character the code page lacks is sent as a
// numeric character reference ("&#20013;"), as browsers send it.
std::string FormEncode(std::string_view utf8);

// The description as the service has always received it: a line feed
// arrives as a space (it was sent as '+'), a carriage return is dropped.
// The result still needs FormEncode.
std::string FlattenDescription(std::string_view utf8);

// The fields of the post, in their order, each value encoded:
// "FORUM_ID=%d&CATEGORY_ID=3&D_FILE=...&D_AUTH=...&D_NAME=...&D_DESC=...".
std::string BuildFormData(int forumId, std::string_view fileName, std::string_view author,
                          std::string_view designName, std::string_view description);

// The name the design gets on the server: everything after the last '/'
// or '\' (spaces are part of the name).
std::string RemoteFileName(std::string_view path);

// The proxy port text converted as a plain decimal number: leading blanks
// skipped, the digits that follow read. 0 means no port was given (empty
// or not beginning with digits); -1 a number beyond 65535.
int ProxyPortNumber(std::string_view text);

}  // namespace vx::net
