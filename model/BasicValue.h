// A scriptable value: literal text, a script expression, or a reference to a
// string of the string table. Objects keep their events and their Enable and
// Visible switches in such values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CArchive;

class CBasicValue {
public:
    static constexpr int32_t kLiteral = 0;
    static constexpr int32_t kExpression = -1;
    static constexpr int32_t kResource = int32_t(0xFFFE0000u);  // | string id; id 0: no value

    CBasicValue() = default;
    // A literal value.
    explicit CBasicValue(std::string literal) { SetLiteral(std::move(literal)); }
    CBasicValue(const CBasicValue& o) { *this = o; }
    CBasicValue& operator=(const CBasicValue& o);
    CBasicValue(CBasicValue&&) noexcept = default;
    CBasicValue& operator=(CBasicValue&&) noexcept = default;
    bool operator==(const CBasicValue& o) const;

    int32_t code() const { return code_; }
    const std::string& text() const { return text_; }
    bool IsLiteral() const { return code_ == kLiteral; }
    bool IsExpression() const { return code_ == kExpression; }
    bool IsResource() const { return (code_ & int32_t(0xFFFF0000u)) == kResource; }
    int ResourceId() const { return code_ & 0xFFFF; }

    // Sets literal text and parses its number.
    void SetLiteral(std::string text);
    void SetExpression(std::string text);
    // Refers to string `id` of the string table (0: no value).
    void SetResource(int id);
    // Sets code and text as stored.
    void SetRaw(int32_t code, std::string text);

    // The literal read as a number (strtod) or integer (atol); 0 otherwise.
    double AsDouble() const { return IsLiteral() ? number_ : 0.0; }
    long AsLong() const { return IsLiteral() ? integer_ : 0; }
    bool AsBool() const { return AsLong() != 0; }

    // Not set: a script expression whose text is empty or holds only blanks
    // and comment lines (lines starting with the comment character).
    bool IsSet() const;
    // The text shown to the user: literal, resource string or expression;
    // "(None)" when that text is empty.
    std::string DisplayText() const;

    // Binding flag and texts, carried and stored unchanged.
    int32_t bindingFlag() const { return bindingFlag_; }
    const std::string& binding(int i) const;
    void SetBinding(int32_t flag, std::string a, std::string b);

    // The value record of design files.
    void Serialize(CArchive& ar);

    static constexpr char kCommentChar = '\'';

private:
    void Parse();

    int32_t code_ = kResource;
    int32_t bindingFlag_ = 0;
    std::string text_ = "0.0";
    double number_ = 0.0;
    long integer_ = 0;
    // Rarely present; kept out of line to keep objects small.
    std::unique_ptr<std::string[]> bindings_;
};
