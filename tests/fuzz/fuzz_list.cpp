// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the reading of a kept list. Every input is read as an address and as a
// list file, each into a calculator that already holds a list. A refused input must leave that
// list exactly as it was and say why in well-formed UTF-8; an opened one must come back the same,
// figures and all, from both forms written from it. Any violation aborts, and libFuzzer keeps the
// input.

#include "form/form.h"
#include "form/json.h"
#include "form/listdocument.h"
#include "tests/form/shownlist.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Violated(const char *what, const std::string &detail)
{
    std::fprintf(stderr, "fuzz_list: %s\n  %s\n", what, detail.c_str());
    std::abort();
}

// A calculator holding a list of its own, which a refusal must leave alone.
form::Form Holding()
{
    form::Form f;
    f.cboItemType_Click(5); // Weapons
    f.chkSilver_Click(3, true);
    f.SetText(form::Field::txtItemQuantity, 3, "2");
    f.Leave(form::Field::txtItemQuantity, 3);
    f.SetText(form::Field::txtCharacterName, -1, "Kept");
    return f;
}

using Open = form::ListOpening (*)(form::Form &, std::string_view);

void Check(std::string_view input, Open open, const char *as)
{
    // Made once and copied: a calculator's start costs more than reading most inputs.
    static const form::Form held = Holding();
    static const form::Form fresh;
    static const std::string before = ShownList(held.state());
    form::Form f = held;
    const form::ListOpening result = open(f, input);
    if (!result.opened) {
        if (ShownList(f.state()) != before)
            Violated("a refused list changed the calculator", as);
        if (result.reason.empty() || !form::json::IsUtf8(result.message))
            Violated("a refusal without a well-formed reason", result.message);
        return;
    }
    const std::string opened = ShownList(f.state());
    const std::string address = form::ListAddress(f.state());
    const std::string file = form::ListFile(f.state());
    for (const auto &[text, reopen] :
         {std::pair{address, &form::OpenListAddress}, std::pair{file, &form::OpenListFile}}) {
        form::Form again = fresh;
        const form::ListOpening back = reopen(again, text);
        if (!back.opened)
            Violated("a list written from an opened one does not open", back.message + "\n" + text);
        if (ShownList(again.state()) != opened)
            Violated("a list written from an opened one opens differently", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    Check(input, &form::OpenListAddress, "address");
    Check(input, &form::OpenListFile, "file");
    return 0;
}
