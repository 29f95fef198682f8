// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fields a user types into, by their names in the layout table: a view that knows a control
// only by its name (the web page) finds the form's Field here. The compiler checks that every
// field of the table has its Field and every Field its field.

#include "form/form.h"
#include "form/layout.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace form {

namespace table {

// clang-format off
inline constexpr std::pair<std::string_view, Field> kFields[] = {
    {"txtSkillLevel", Field::txtSkillLevel},
    {"txtEventLength", Field::txtEventLength},
    {"txtItemQuantity", Field::txtItemQuantity},
    {"txtShatterResist", Field::txtShatterResist},
    {"txtPlayerName", Field::txtPlayerName},
    {"txtCharacterName", Field::txtCharacterName},
};
// clang-format on

consteval bool IsField(std::string_view name)
{
    for (std::span<const ControlSpec> controls : {FixedControls(), RowControls()}) {
        const int at = IndexIn(controls, name);
        if (at >= 0)
            return controls[std::size_t(at)].kind == K::Field ||
                   controls[std::size_t(at)].kind == K::NumberField;
    }
    return false;
}

consteval bool FieldsMatchTheLayout()
{
    std::size_t inTable = 0;
    for (std::span<const ControlSpec> controls : {FixedControls(), RowControls()})
        for (const ControlSpec &c : controls)
            inTable += c.kind == K::Field || c.kind == K::NumberField ? 1 : 0;
    if (inTable != std::size(kFields))
        return false;
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        if (!IsField(kFields[i].first))
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kFields[j].second == kFields[i].second)
                return false;
    }
    return true;
}

static_assert(FieldsMatchTheLayout(),
              "a field of the layout table lacks its Field, or one is twice");

} // namespace table

// The Field of a field named as in the layout table (a row's without its row), or none.
constexpr std::optional<Field> FieldNamed(std::string_view name)
{
    for (const auto &[fieldName, field] : table::kFields)
        if (fieldName == name)
            return field;
    return std::nullopt;
}

} // namespace form
