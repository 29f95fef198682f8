// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks that run when the focus leaves a number field. Besides the rules the players know,
// each field accepts only a range for which no figure downstream can overflow, whatever the other
// fields hold: at most 1,000,000 items a row x 152 points x 10 rows stays below 2^31, and
// 10,000 levels x 4 x 10,000 days x 2 (workshop) does too.
//
// Each check first refuses a text whose number is followed by a comma: "2,5" means two and a half
// and "1,500" fifteen hundred, which would otherwise count as 2 and 1 without a word.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rules {

inline constexpr double kMaxQuantity = 1'000'000;
inline constexpr double kMaxSkillLevel = 10'000;
// The smallest whole level, once rounded, that lets any item through the level filter.
inline constexpr std::int32_t kMinSkillLevel = 1;
inline constexpr double kMinDays = 0.01;
inline constexpr double kMaxDays = 10'000;
inline constexpr double kMaxShatterResist = 10'000;

struct FieldCheck {
    bool accepted = true;
    std::string message; // the refusal's message text; empty when accepted
    bool operator==(const FieldCheck &) const = default;
};

FieldCheck CheckDays(std::string_view text);
FieldCheck CheckSkillLevel(std::string_view text);
FieldCheck CheckQuantity(std::string_view text);
FieldCheck CheckShatterResist(std::string_view text);

// The whole level that the level filter uses: LeadingNumber of the text, rounded half to even.
// Empty when it does not fit 32 bits (the skill-level check refuses such texts).
std::optional<std::int32_t> FilterLevel(std::string_view skillLevelText);

} // namespace rules
