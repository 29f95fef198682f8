// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/fields.h"

#include "rules/numbers.h"
#include "rules/texts.h"

namespace rules {

namespace {

FieldCheck Refuse(std::string_view message)
{
    return {false, std::string(message)};
}

} // namespace

FieldCheck CheckDays(std::string_view text)
{
    if (LeadingNumberStopsAtComma(text))
        return Refuse(texts::kDaysComma);
    const double v = LeadingNumber(text);
    if (!(v > 0))
        return Refuse(texts::kDaysRefused);
    if (v < kMinDays || v > kMaxDays)
        return Refuse(texts::kDaysOutOfRange);
    return {};
}

FieldCheck CheckSkillLevel(std::string_view text)
{
    if (LeadingNumberStopsAtComma(text))
        return Refuse(texts::kSkillLevelComma);
    const double v = LeadingNumber(text);
    if (!(v > 0))
        return Refuse(texts::kSkillLevelRefused);
    if (v > kMaxSkillLevel)
        return Refuse(texts::kSkillLevelTooHigh);
    // A level that rounds to 0 lets no item through the level filter: every list would be empty.
    if (FilterLevel(text).value_or(0) < kMinSkillLevel)
        return Refuse(texts::kSkillLevelTooLow);
    return {};
}

FieldCheck CheckQuantity(std::string_view text)
{
    if (LeadingNumberStopsAtComma(text))
        return Refuse(texts::kQuantityComma);
    const double v = LeadingNumber(text);
    if (!(v > 0) && text != "0")
        return Refuse(texts::kQuantityRefused);
    if (v > kMaxQuantity)
        return Refuse(texts::kQuantityTooLarge);
    return {};
}

FieldCheck CheckShatterResist(std::string_view text)
{
    if (LeadingNumberStopsAtComma(text))
        return Refuse(texts::kShatterResistComma);
    const double v = LeadingNumber(text);
    if (v < 0)
        return Refuse(texts::kShatterResistRefused);
    if (v > kMaxShatterResist)
        return Refuse(texts::kShatterResistTooLarge);
    const std::optional<std::int32_t> n = ToInt32HalfEven(v);
    if (!n || *n % 2 != 0)
        return Refuse(texts::kShatterResistRefused);
    if (text == "0")
        return {};
    if (v == 0)
        return Refuse(texts::kShatterResistRefused);
    return {};
}

std::optional<std::int32_t> FilterLevel(std::string_view skillLevelText)
{
    return ToInt32HalfEven(LeadingNumber(skillLevelText));
}

} // namespace rules
