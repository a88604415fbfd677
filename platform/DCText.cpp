// DrawText of CDC: prefix characters, line breaking, alignment and the
// calc-rect mode. The lines go out through the backend's doTextOut.
#include <cmath>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/IntMath.h"

namespace {

struct Line {
    std::string text;
    int underline = -1;  // byte offset of the prefixed character
    double width = 0;
};

// Removes '&' prefixes ("&&" gives one '&'); returns the byte offset of the
// first prefixed character or -1.
int StripPrefix(std::string& s) {
    std::string out;
    out.reserve(s.size());
    int underline = -1;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                out += '&';
                ++i;
            } else if (i + 1 < s.size() && underline < 0) {
                underline = int(out.size());
            }
            continue;
        }
        out += s[i];
    }
    s = std::move(out);
    return underline;
}

std::string ExpandTabs(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\t') out.append(8 - out.size() % 8, ' ');
        else out += c;
    }
    return out;
}

// Splits at CR LF, LF or CR.
std::vector<std::string> Paragraphs(std::string_view s) {
    std::vector<std::string> out(1);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            out.emplace_back();
        } else {
            out.back() += s[i];
        }
    }
    return out;
}

}  // namespace

int CDC::DrawText(std::string_view text, CRect& r, unsigned format) {
    std::string all = (format & DT_EXPANDTABS) ? ExpandTabs(text) : std::string(text);
    int underline = -1;
    if (!(format & DT_NOPREFIX)) underline = StripPrefix(all);

    TEXTMETRIC tm;
    doTextMetrics(tm);
    const int lineHeight = std::max(1, tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0));

    // Lay out the lines; the prefix offset follows its character.
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        for (char& c : all)
            if (c == '\r' || c == '\n') c = ' ';
        lines.push_back({all, underline, doTextWidth(all)});
    } else {
        const double maxWidth = r.Width();
        int offset = 0;  // byte offset of the paragraph in `all`
        for (const std::string& para : Paragraphs(all)) {
            const int paraStart = offset;
            offset += int(para.size()) + 1;
            auto add = [&](size_t from, size_t to) {
                Line l;
                l.text = para.substr(from, to - from);
                while (!l.text.empty() && l.text.back() == ' ') l.text.pop_back();
                const int u = underline - paraStart - int(from);
                if (underline >= 0 && u >= 0 && u < int(l.text.size())) l.underline = u;
                l.width = doTextWidth(l.text);
                lines.push_back(std::move(l));
            };
            if (!(format & DT_WORDBREAK)) {
                add(0, para.size());
                continue;
            }
            // Greedy breaking at blanks; a word wider than the rectangle
            // stands on a line of its own.
            size_t lineStart = 0, pos = 0, lastBreak = std::string::npos;
            while (pos <= para.size()) {
                const size_t wordEnd = std::min(para.find(' ', pos), para.size());
                const double w = doTextWidth(std::string_view(para).substr(lineStart, wordEnd - lineStart));
                if (w > maxWidth && lastBreak != std::string::npos) {
                    add(lineStart, lastBreak);
                    lineStart = lastBreak;
                    while (lineStart < para.size() && para[lineStart] == ' ') ++lineStart;
                    lastBreak = std::string::npos;
                    pos = lineStart;
                    continue;
                }
                if (wordEnd >= para.size()) break;
                lastBreak = wordEnd;
                pos = wordEnd + 1;
            }
            add(lineStart, para.size());
        }
    }

    // Positions are worked out in 64 bits and saturated: a tall font, many
    // lines or a rectangle near the end of the range must not overflow.
    double widest = 0;
    for (const Line& l : lines) widest = std::max(widest, l.width);
    const int total = vx::Saturate32(int64_t(lines.size()) * lineHeight);

    if (format & DT_CALCRECT) {
        r.right = vx::Saturate32(int64_t(r.left) + vx::TruncInt(std::ceil(widest - 1e-9)));
        r.bottom = vx::Saturate32(int64_t(r.top) + total);
        return total;
    }

    int64_t y = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = r.top + (int64_t(r.Height()) - lineHeight) / 2;
        else if (format & DT_BOTTOM) y = int64_t(r.bottom) - lineHeight;
    }
    const int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
                           ? vx::Saturate32(y - r.top + total)
                           : total;

    doDrawText(text, r, format);
    const unsigned align = s_.textAlign;
    const bool clip = !(format & DT_NOCLIP);
    if (clip) {
        SaveDC();
        IntersectClipRect(r.Normalized());
    }
    s_.textAlign = TA_LEFT | TA_TOP;
    inDrawText_ = true;
    for (const Line& l : lines) {
        int64_t x = r.left;
        const int64_t w = vx::TruncInt(std::round(l.width));
        if (format & DT_CENTER) x = r.left + (int64_t(r.Width()) - w) / 2;
        else if (format & DT_RIGHT) x = int64_t(r.right) - w;
        if (!l.text.empty()) doTextOut({vx::Saturate32(x), vx::Saturate32(y)}, l.text, l.underline);
        y += lineHeight;
    }
    inDrawText_ = false;
    if (clip) RestoreDC(-1);
    else s_.textAlign = align;
    return result;
}
