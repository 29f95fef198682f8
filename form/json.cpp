// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/json.h"

#include <cstdint>
#include <utility>

namespace form::json {

namespace {


class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::optional<Value> Document()
    {
        Value value;
        SkipBlanks();
        if (!ReadValue(value, 0))
            return std::nullopt;
        SkipBlanks();
        if (m_at != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    bool AtEnd() const { return m_at >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_at]; }

    void SkipBlanks()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++m_at;
    }

    bool Take(char c)
    {
        if (Peek() != c || AtEnd())
            return false;
        ++m_at;
        return true;
    }

    bool TakeWord(std::string_view word)
    {
        if (m_text.substr(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }

    bool ReadValue(Value &value, int depth)
    {
        if (depth > kMaxDepth)
            return false;
        switch (Peek()) {
        case '{':
            value.kind = Value::Kind::Object;
            return ReadObject(value, depth);
        case '[':
            value.kind = Value::Kind::Array;
            return ReadArray(value, depth);
        case '"':
            value.kind = Value::Kind::String;
            return ReadString(value.text);
        case 't':
            value.kind = Value::Kind::Bool;
            value.boolean = true;
            return TakeWord("true");
        case 'f':
            value.kind = Value::Kind::Bool;
            return TakeWord("false");
        case 'n':
            return TakeWord("null");
        default:
            value.kind = Value::Kind::Number;
            return ReadNumber(value.text);
        }
    }

    bool ReadObject(Value &value, int depth)
    {
        ++m_at; // '{'
        SkipBlanks();
        if (Take('}'))
            return true;
        for (;;) {
            std::string name;
            if (value.members.size() == kMaxItems || !ReadString(name) || value.Find(name))
                return false;
            SkipBlanks();
            if (!Take(':'))
                return false;
            SkipBlanks();
            Value member;
            if (!ReadValue(member, depth + 1))
                return false;
            value.members.push_back({std::move(name), std::move(member)});
            SkipBlanks();
            if (Take('}'))
                return true;
            if (!Take(','))
                return false;
            SkipBlanks();
        }
    }

    bool ReadArray(Value &value, int depth)
    {
        ++m_at; // '['
        SkipBlanks();
        if (Take(']'))
            return true;
        for (;;) {
            Value item;
            if (value.items.size() == kMaxItems || !ReadValue(item, depth + 1))
                return false;
            value.items.push_back(std::move(item));
            SkipBlanks();
            if (Take(']'))
                return true;
            if (!Take(','))
                return false;
            SkipBlanks();
        }
    }

    bool ReadDigits()
    {
        const std::size_t start = m_at;
        while (Peek() >= '0' && Peek() <= '9' && !AtEnd())
            ++m_at;
        return m_at > start;
    }

    bool ReadNumber(std::string &text)
    {
        const std::size_t start = m_at;
        Take('-');
        if (!Take('0') && !ReadDigits())
            return false;
        if (Take('.') && !ReadDigits())
            return false;
        if (Take('e') || Take('E')) {
            if (!Take('+'))
                Take('-');
            if (!ReadDigits())
                return false;
        }
        text = m_text.substr(start, m_at - start);
        return true;
    }

    std::optional<std::uint32_t> ReadHex4()
    {
        if (m_text.size() - m_at < 4)
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= std::uint32_t(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= std::uint32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= std::uint32_t(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    bool ReadEscape(std::string &out)
    {
        const char c = Peek();
        ++m_at;
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            return false;
        }
        std::optional<std::uint32_t> code = ReadHex4();
        if (!code || (*code >= 0xDC00 && *code <= 0xDFFF))
            return false;
        if (*code >= 0xD800 && *code <= 0xDBFF) { // a pair makes one character
            if (!TakeWord("\\u"))
                return false;
            const std::optional<std::uint32_t> low = ReadHex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF)
                return false;
            code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(out, char32_t(*code));
        return true;
    }

    bool ReadString(std::string &out)
    {
        if (!Take('"'))
            return false;
        const std::size_t start = m_at;
        for (;;) {
            if (AtEnd())
                return false;
            const auto c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"')
                break;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                ++m_at;
                if (!ReadEscape(out))
                    return false;
            } else {
                out += char(c);
                ++m_at;
            }
        }
        ++m_at;
        return IsUtf8(m_text.substr(start, m_at - 1 - start));
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

const Value *Value::Find(std::string_view name) const
{
    for (const Member &member : members)
        if (member.name == name)
            return &member.value;
    return nullptr;
}

std::optional<Value> Parse(std::string_view text)
{
    return Reader(text).Document();
}

std::string Quoted(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += ch;
        }
    }
    return out + '"';
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int more = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= std::size_t(more))
            return false;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t lowest = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += std::size_t(more) + 1;
    }
    return true;
}

} // namespace form::json
