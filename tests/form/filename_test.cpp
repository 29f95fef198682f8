// SPDX-License-Identifier: GPL-3.0-or-later
// The name a saved list is offered under, from the character name.

#include "form/filename.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(ListFileName, FromTheCharacterName)
{
    const std::string ending = " - production list.forgetally";
    const std::string x63(63, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"Brom", "Brom" + ending},
        {"", "Production list.forgetally"},
        {"  Brom \t the\u00A0 Smith ", "Brom the Smith" + ending},
        {"a/b\\c:d*e?f\"g<h>i|j\x01k", "a_b_c_d_e_f_g_h_i_j_k" + ending},
        {"..Brom..", "Brom" + ending},
        {x63 + "yz", x63 + "y" + ending},
        {x63 + "\xF0\x9F\x94\xA8", x63 + ending}, // never half a character
        {"B\xFFrom", "B_rom" + ending},
        // The ending's " - " keeps "con" from being a device; a dot after it does not.
        {"Lpt1.Smith", "_Lpt1.Smith" + ending},
        {"con", "con" + ending},
    };
    for (const auto &[characterName, offered] : cases)
        EXPECT_EQ(form::ListFileName(characterName), offered) << characterName;
}
