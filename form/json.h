// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The little JSON that a saved list needs: a strict reader (RFC 8259, UTF-8 only, no duplicate
// keys) and the writing of a string. Numbers are kept as their text; the caller reads what it
// expects of them. Nesting and the size of an array or object are bounded, so that no text, of
// whatever size, costs more than a glance.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace form::json {

inline constexpr int kMaxDepth = 8;
inline constexpr std::size_t kMaxItems = 64; // members of an object, items of an array

struct Member;

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // a string's contents, or a number as written
    std::vector<Value> items;
    std::vector<Member> members; // in the order written

    // The member of that name, or null.
    const Value *Find(std::string_view name) const;
};

struct Member {
    std::string name;
    Value value;
};

// The value that makes up the whole text (blanks around it allowed), or empty when the text is
// not JSON.
std::optional<Value> Parse(std::string_view text);

// The text as a JSON string, quotes included.
std::string Quoted(std::string_view text);

// Whether the text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

// Appends the code point `c` to `out` in UTF-8.
void AppendUtf8(std::string &out, char32_t c);

} // namespace form::json
