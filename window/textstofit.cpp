// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/textstofit.h"

#include "rules/catalogue.h"
#include "widgets/utf8.h"
#include "window/layout.h"

#include <string_view>
#include <utility>

namespace window {

namespace {

// Room beside a list's text for its arrow, in unscaled pixels.
constexpr int kListArrowWidth = 24;

// Everyday figures of the result labels, by label; longer ones shrink their font rather than
// being cut off.
constexpr std::pair<std::string_view, std::string_view> kEverydayFigures[] = {
    {"lblTotalCostPoints", "2280 / 160"},
    {"lblTotalCostLevel", "285 / 143 per day"},
    {"lblItemProdCost", "2280"},
    {"lblItemSilverCost", "242.4"},
};

} // namespace

std::vector<widgets::TextFit> TextsToFit()
{
    std::vector<widgets::TextFit> fits;
    const auto add = [&fits](std::string_view text, int width, int height, int extraWidth) {
        fits.push_back({widgets::FromUtf8(text), width, height, extraWidth});
    };
    const auto addControl = [&](const ControlSpec &c) {
        const std::string_view name = c.name;
        const int width = c.rect.width;
        const int height = c.rect.height;
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Button:
            add(c.caption, width, height, 0);
            break;
        case ControlKind::Group:
            add(c.caption, width, 0, 16);
            break;
        case ControlKind::ResultLabel:
            for (const auto &[label, figure] : kEverydayFigures)
                if (label == name)
                    add(figure, width, height, 0);
            break;
        case ControlKind::DropDownList:
            for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
                if (name == "cboItemType")
                    add(rules::ItemTypeName(code), width, height, kListArrowWidth);
                else
                    for (const rules::CatalogueItem &item : rules::CatalogueItems(code))
                        add(item.name, width, height, kListArrowWidth);
            }
            break;
        default:
            break;
        }
    };
    for (const ControlSpec &c : FixedControls())
        addControl(c);
    for (const ControlSpec &c : RowControls())
        addControl(c);
    return fits;
}

} // namespace window
