#include "model/DumpContext.h"

#include <cmath>
#include <cstdio>

void CDumpContext::Quote(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void CDumpContext::Key(std::string_view key) {
    if (!hasItems_.empty()) {
        if (hasItems_.back()) out_ += ',';
        hasItems_.back() = true;
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
    if (!key.empty()) {
        Quote(out_, key);
        out_ += ": ";
    }
}

void CDumpContext::Field(std::string_view key, int64_t v) {
    Key(key);
    out_ += std::to_string(v);
}

void CDumpContext::Field(std::string_view key, double v) {
    Key(key);
    if (!std::isfinite(v)) {
        out_ += "null";
        return;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    // Locale-independent: %g may use a comma in some locales.
    for (char* p = buf; *p; ++p)
        if (*p == ',') *p = '.';
    out_ += buf;
}

void CDumpContext::Field(std::string_view key, bool v) {
    Key(key);
    out_ += v ? "true" : "false";
}

void CDumpContext::Field(std::string_view key, std::string_view v) {
    Key(key);
    Quote(out_, v);
}

void CDumpContext::Field(std::string_view key, const CRect& r) {
    Key(key);
    out_ += '[' + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
            std::to_string(r.bottom) + ']';
}

void CDumpContext::Null(std::string_view key) {
    Key(key);
    out_ += "null";
}

void CDumpContext::BeginObject(std::string_view key) {
    Key(key);
    out_ += '{';
    hasItems_.push_back(false);
}

void CDumpContext::EndObject() {
    const bool had = hasItems_.back();
    hasItems_.pop_back();
    if (had) {
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
    out_ += '}';
    if (hasItems_.empty()) out_ += '\n';
}

void CDumpContext::BeginArray(std::string_view key) {
    Key(key);
    out_ += '[';
    hasItems_.push_back(false);
}

void CDumpContext::EndArray() {
    const bool had = hasItems_.back();
    hasItems_.pop_back();
    if (had) {
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
    out_ += ']';
}
