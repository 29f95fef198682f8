// SPDX-License-Identifier: GPL-3.0-or-later
// The name a saved list is offered under, from the character name.

#include "form/filename.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ListFileName, FromTheCharacterName)
{
    const std::string ending = " - production list.forgetally";
    const std::string sixtyFour(64, 'x');
    const struct {
        const char *what;
        std::string characterName;
        std::string offered;
    } cases[] = {
        {"a plain name", "Brom", "Brom" + ending},
        {"no name", "", "Production list.forgetally"},
        {"blanks only", " \t ", "Production list.forgetally"},
        {"blanks trimmed and made one", "  Brom \t the\u00A0 Smith ", "Brom the Smith" + ending},
        {"refused characters", "a/b\\c:d*e?f\"g<h>i|j\x01k", "a_b_c_d_e_f_g_h_i_j_k" + ending},
        {"hidden and trailing dots", "..Brom..", "Brom" + ending},
        {"dots only", "...", "Production list.forgetally"},
        {"cut to 64", sixtyFour + "yz", sixtyFour + ending},
        {"never half a character", std::string(63, 'x') + "\xF0\x9F\x94\xA8",
         std::string(63, 'x') + ending},
        {"a character outside ASCII kept", "Bj\xC3\xB6rn", "Bj\xC3\xB6rn" + ending},
        {"a byte that is not UTF-8", "B\xFFrom", "B_rom" + ending},
        // The ending's " - " keeps "con" from being a device; a dot after it does not.
        {"a device name", "Lpt1.Smith", "_Lpt1.Smith" + ending},
        {"not a device name", "con", "con" + ending},
    };
    for (const auto &c : cases)
        EXPECT_EQ(form::ListFileName(c.characterName), c.offered) << c.what;
}

} // namespace
