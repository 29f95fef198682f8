// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own texts (the rules, the form, the layout table) are UTF-8 in std::string and
// std::string_view; Qt's are QString. These are the one way across.

#include <QString>

#include <string>
#include <string_view>

namespace widgets {

inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string ToUtf8(const QString &text)
{
    return text.toStdString();
}

} // namespace widgets
