#include "platform/RtfReader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/QtConv.h"
#include "platform/Text.h"

namespace vx {
namespace {

// Group nesting beyond this depth is ignored (the text stays flat), so
// hostile input cannot grow the state stack without bound.
constexpr int kMaxDepth = 256;

struct State {
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int colour = 0;        // index into the colour table; 0 = automatic
    bool skip = false;     // inside a destination we do not show
    int unicodeSkip = 1;   // \ucN: characters to skip after \uN
};

class Reader {
public:
    Reader(std::string_view in, QTextDocument& doc) : in_(in), doc_(doc), cursor_(&doc) {}

    void Run() {
        doc_.clear();
        cursor_ = QTextCursor(&doc_);
        stack_.push_back(State{});
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                Flush();
                if (int(stack_.size()) < kMaxDepth) stack_.push_back(stack_.back());
                else ++overflow_;
                continue;
            }
            if (c == '}') {
                Flush();
                if (overflow_ > 0) --overflow_;
                else if (stack_.size() > 1) {
                    if (inColorTable_ && stack_.size() == colorTableDepth_) inColorTable_ = false;
                    stack_.pop_back();
                }
                continue;
            }
            if (c == '\\') {
                ControlWord();
                continue;
            }
            if (c == '\r' || c == '\n') continue;
            if (inColorTable_) {
                if (c == ';') EndColour();
                continue;
            }
            AddByte(uint8_t(c));
        }
        Flush();
    }

private:
    State& st() { return stack_.back(); }

    void AddByte(uint8_t b) {
        if (st().skip) return;
        pendingBytes_.push_back(char(b));
    }

    // Converts the pending 8-bit bytes to text and inserts them.
    void Flush() {
        if (pendingBytes_.empty()) return;
        Insert(QString::fromStdString(vx::Cp1252ToUtf8(pendingBytes_)));
        pendingBytes_.clear();
    }

    void Insert(const QString& text) {
        if (st().skip || text.isEmpty()) return;
        QTextCharFormat f;
        f.setFontWeight(st().bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(st().italic);
        f.setFontUnderline(st().underline);
        f.setFontPointSize(std::max(1, st().halfPoints) / 2.0);
        const int ci = st().colour;
        if (ci > 0 && ci < int(colours_.size()) && colours_[size_t(ci)] != -1)
            f.setForeground(vx::ToQColor(colours_[size_t(ci)]));
        cursor_.insertText(text, f);
    }

    void EndColour() {
        colours_.push_back(haveColour_ ? vx::RGB(r_, g_, b_) : -1);
        haveColour_ = false;
        r_ = g_ = b_ = 0;
    }

    void ControlWord() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!std::isalpha(uint8_t(c))) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(uint8_t(in_[pos_])) && word.size() < 32) word += in_[pos_++];
        bool hasArg = false, negative = false;
        long arg = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && std::isdigit(uint8_t(in_[pos_]))) {
            if (digits++ < 9) arg = arg * 10 + (in_[pos_] - '0');
            hasArg = true;
            ++pos_;
        }
        if (negative) arg = -arg;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        Apply(word, hasArg, int(arg));
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\\': case '{': case '}': AddByte(uint8_t(c)); break;
        case '~': AddByte(0xA0); break;
        case '-': break;
        case '_': AddByte('-'); break;
        case '*': st().skip = true; break;
        case '\'': {
            if (pos_ + 2 > in_.size()) { pos_ = in_.size(); break; }
            const std::string hex(in_.substr(pos_, 2));
            pos_ += 2;
            char* end = nullptr;
            const long v = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2 && !inColorTable_) AddByte(uint8_t(v));
            break;
        }
        case '\r': case '\n': Flush(); Paragraph(); break;
        default: break;
        }
    }

    void Paragraph() {
        if (st().skip) return;
        cursor_.insertBlock(QTextBlockFormat());
    }

    void Apply(const std::string& w, bool hasArg, int arg) {
        const bool on = !hasArg || arg != 0;
        if (w == "fonttbl" || w == "stylesheet" || w == "info" || w == "pict" || w == "header" || w == "footer" ||
            w == "object" || w == "filetbl" || w == "listtable" || w == "listoverridetable" || w == "rsidtbl" ||
            w == "generator" || w == "themedata" || w == "latentstyles" || w == "datastore" || w == "xmlnstbl") {
            st().skip = true;
            return;
        }
        if (w == "colortbl") {
            Flush();
            st().skip = true;
            inColorTable_ = true;
            colorTableDepth_ = stack_.size();
            colours_.clear();
            return;
        }
        if (inColorTable_) {
            const int v = std::clamp(arg, 0, 255);
            if (w == "red") { r_ = v; haveColour_ = true; }
            else if (w == "green") { g_ = v; haveColour_ = true; }
            else if (w == "blue") { b_ = v; haveColour_ = true; }
            return;
        }
        if (w == "par" || w == "line") { Flush(); Paragraph(); return; }
        if (w == "tab") { AddByte('\t'); return; }
        if (w == "emdash") { Flush(); Insert(QString(QChar(0x2014))); return; }
        if (w == "endash") { Flush(); Insert(QString(QChar(0x2013))); return; }
        if (w == "bullet") { Flush(); Insert(QString(QChar(0x2022))); return; }
        if (w == "lquote") { Flush(); Insert(QString(QChar(0x2018))); return; }
        if (w == "rquote") { Flush(); Insert(QString(QChar(0x2019))); return; }
        if (w == "ldblquote") { Flush(); Insert(QString(QChar(0x201C))); return; }
        if (w == "rdblquote") { Flush(); Insert(QString(QChar(0x201D))); return; }
        if (w == "u" && hasArg) {
            Flush();
            const int code = arg < 0 ? arg + 65536 : arg;
            if (code > 0 && code < 0x110000 && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t cp = char32_t(code);
                Insert(QString::fromUcs4(&cp, 1));
            }
            SkipFallback(st().unicodeSkip);
            return;
        }
        if (w == "uc") { st().unicodeSkip = std::clamp(arg, 0, 8); return; }
        // Character formatting changes end the run of text before them.
        Flush();
        if (w == "b") st().bold = on;
        else if (w == "i") st().italic = on;
        else if (w == "ul") st().underline = on;
        else if (w == "ulnone") st().underline = false;
        else if (w == "fs" && hasArg) st().halfPoints = std::clamp(arg, 2, 3276);
        else if (w == "cf") st().colour = std::max(0, arg);
        else if (w == "plain") {
            const bool skip = st().skip;
            const int uc = st().unicodeSkip;
            st() = State{};
            st().skip = skip;
            st().unicodeSkip = uc;
        }
    }

    // Skips the fallback characters written after a \uN escape.
    void SkipFallback(int n) {
        while (n > 0 && pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{' || c == '}') return;
            if (c == '\\') {
                if (pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'') pos_ += 4;
                else return;
            } else {
                ++pos_;
            }
            --n;
        }
        if (pos_ > in_.size()) pos_ = in_.size();
    }

    std::string_view in_;
    QTextDocument& doc_;
    QTextCursor cursor_;
    size_t pos_ = 0;
    std::vector<State> stack_;
    int overflow_ = 0;
    std::string pendingBytes_;
    bool inColorTable_ = false;
    size_t colorTableDepth_ = 0;
    bool haveColour_ = false;
    int r_ = 0, g_ = 0, b_ = 0;
    std::vector<COLORREF> colours_;
};

}  // namespace

bool ReadRtf(std::string_view rtf, QTextDocument& doc) {
    size_t start = 0;
    while (start < rtf.size() && std::isspace(uint8_t(rtf[start]))) ++start;
    if (rtf.substr(start, 5) != "{\\rtf") {
        doc.setPlainText(QString::fromStdString(vx::Cp1252ToUtf8(rtf)));
        return false;
    }
    Reader(rtf.substr(start), doc).Run();
    return true;
}

}  // namespace vx
