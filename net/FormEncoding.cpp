#include "net/FormEncoding.h"

#include <algorithm>

#include "platform/Text.h"

namespace vx::net {

namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

void AppendByte(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (c == ' ') {
        out += '+';
    } else if (Unreserved(c)) {
        out += char(c);
    } else {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
}

// The length of the UTF-8 sequence that starts with `c` (1 for a stray byte).
size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string FormEncode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 3);
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t n = std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const std::string_view ch = utf8.substr(i, n);
        i += n;
        std::string bytes;
        if (Utf8ToCp1252(ch, bytes)) {
            for (char c : bytes) AppendByte(out, static_cast<unsigned char>(c));
            continue;
        }
        const std::u16string u16 = Utf8ToUtf16(ch);
        char32_t cp = u16.empty() ? 0xFFFD : u16[0];
        if (u16.size() == 2 && u16[0] >= 0xD800 && u16[0] < 0xDC00)
            cp = 0x10000 + ((char32_t(u16[0]) - 0xD800) << 10) + (char32_t(u16[1]) - 0xDC00);
        for (char c : "&#" + std::to_string(uint32_t(cp)) + ";") AppendByte(out, static_cast<unsigned char>(c));
    }
    return out;
}

std::string FlattenDescription(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        if (c == '\r') continue;
        out += c == '\n' ? ' ' : c;
    }
    return out;
}

std::string BuildFormData(int forumId, std::string_view fileName, std::string_view author,
                          std::string_view designName, std::string_view description) {
    return "FORUM_ID=" + std::to_string(forumId) + "&CATEGORY_ID=3&D_FILE=" + FormEncode(fileName) +
           "&D_AUTH=" + FormEncode(author) + "&D_NAME=" + FormEncode(designName) +
           "&D_DESC=" + FormEncode(FlattenDescription(description));
}

std::string RemoteFileName(std::string_view path) {
    const size_t cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

int ProxyPortNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        any = true;
        value = value * 10 + (text[i] - '0');
        if (value > 65535) return -1;
    }
    return any ? int(value) : 0;
}

}  // namespace vx::net
