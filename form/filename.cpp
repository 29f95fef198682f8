// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/filename.h"

#include "form/json.h"
#include "form/listdocument.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace form {

namespace {

constexpr std::size_t kMaxNameUnits = 64;
constexpr char32_t kRefused = U'_';

bool IsBlank(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool RefusedInFileName(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) ||
           std::u32string_view(U"/\\:*?\"<>|").find(c) != std::u32string_view::npos;
}

// The text's characters; a byte that starts no character of UTF-8 stands for a refused one.
std::u32string Decoded(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80           ? 1
                           : (b >> 5) == 0x6  ? 2
                           : (b >> 4) == 0xE  ? 3
                           : (b >> 3) == 0x1E ? 4
                                              : 0;
        char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        bool sound = length > 0 && i + std::size_t(length) <= text.size();
        for (int k = 1; sound && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            sound = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (sound && (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
            sound = false;
        out += sound ? c : kRefused;
        i += sound ? std::size_t(length) : 1;
    }
    return out;
}

char32_t Upper(char32_t c)
{
    return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c;
}

bool IsDeviceName(const std::u32string &name)
{
    std::u32string upper;
    std::transform(name.begin(), name.end(), std::back_inserter(upper), Upper);
    std::size_t end = 0;
    for (std::u32string_view device : {U"CON", U"PRN", U"AUX", U"NUL"})
        if (upper.starts_with(device))
            end = 3;
    if (end == 0 && (upper.starts_with(U"COM") || upper.starts_with(U"LPT")) && upper.size() > 3 &&
        ((upper[3] >= U'0' && upper[3] <= U'9') || upper[3] == U'\u00B9' || upper[3] == U'\u00B2' ||
         upper[3] == U'\u00B3'))
        end = 4;
    if (end == 0)
        return false;
    while (end < upper.size() && upper[end] == U' ')
        ++end;
    return end == upper.size() || upper[end] == U'.';
}

} // namespace

std::string SuggestedFileName(std::string_view characterName, std::string_view ending,
                              std::string_view defaultName)
{
    std::u32string name;
    bool blank = false;
    for (char32_t c : Decoded(characterName)) {
        if (IsBlank(c)) {
            blank = !name.empty();
            continue;
        }
        if (blank)
            name += U' ';
        blank = false;
        name += RefusedInFileName(c) ? kRefused : c;
    }
    name.erase(0, std::min(name.find_first_not_of(U'.'), name.size()));
    // UTF-16 units, as the desktop counts a name's length: a character outside the basic plane
    // takes two.
    const auto units = [](char32_t c) -> std::size_t { return c > 0xFFFF ? 2 : 1; };
    std::size_t used = 0;
    std::size_t kept = 0;
    while (kept < name.size() && used + units(name[kept]) <= kMaxNameUnits)
        used += units(name[kept++]);
    name.resize(kept);
    while (!name.empty() && (name.back() == U'.' || IsBlank(name.back())))
        name.pop_back();
    if (name.empty())
        return std::string(defaultName);
    name += Decoded(ending);
    std::string out = IsDeviceName(name) ? "_" : "";
    for (char32_t c : name)
        json::AppendUtf8(out, c);
    return out;
}

bool IsWindowsDeviceName(std::string_view fileName)
{
    return IsDeviceName(Decoded(fileName));
}

std::string ListFileName(std::string_view characterName)
{
    const std::string suffix(kListFileSuffix);
    return SuggestedFileName(characterName, " - production list" + suffix,
                             "Production list" + suffix);
}

} // namespace form
