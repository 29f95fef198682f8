// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A field text as a test trace shows it, with tabs and line breaks made visible.

#include <string>
#include <string_view>

inline std::string Show(std::string_view text)
{
    std::string out = "text \"";
    for (char c : text) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out + "\"";
}
