// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator behind the web page: form::Form and the layout table, handed to JavaScript
// through embind. Everything the page shows (captions, list entries, figures, messages, the
// report's lines) comes from here; the page only draws it and forwards what the user does.

#include "form/about.h"
#include "form/form.h"
#include "form/layout.h"
#include "rules/texts.h"
#include "version.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace {

using emscripten::val;

val Str(std::string_view text)
{
    return val(std::string(text));
}

const char *KindName(form::ControlKind kind)
{
    switch (kind) {
    case form::ControlKind::Group:
        return "group";
    case form::ControlKind::Label:
        return "label";
    case form::ControlKind::ResultLabel:
        return "result";
    case form::ControlKind::DropDownList:
        return "list";
    case form::ControlKind::Field:
        return "field";
    case form::ControlKind::NumberField:
        return "number";
    case form::ControlKind::CheckBox:
        return "check";
    case form::ControlKind::Button:
        break;
    }
    return "button";
}

const char *IconName(form::Icon icon)
{
    switch (icon) {
    case form::Icon::Stop:
        return "stop";
    case form::Icon::Question:
        return "question";
    case form::Icon::Exclamation:
        return "exclamation";
    case form::Icon::None:
        break;
    }
    return "none";
}

val Controls(std::span<const form::ControlSpec> controls)
{
    val list = val::array();
    for (const form::ControlSpec &c : controls) {
        // The page does not keep lists in files yet: no buttons that would do nothing.
        if (c.name == "cmdSaveList" || c.name == "cmdOpenList")
            continue;
        val o = val::object();
        o.set("name", Str(c.name));
        o.set("kind", val(KindName(c.kind)));
        o.set("group", Str(c.group));
        o.set("caption", Str(c.caption));
        o.set("tab", c.tab);
        o.set("selectAll", c.entry == form::OnEntry::SelectAll);
        o.set("label", Str(c.spoken.label));
        o.set("labelNames", (c.spoken.use & form::Spoken::Name) != 0);
        o.set("labelDescribes", (c.spoken.use & form::Spoken::Description) != 0);
        o.set("name2", Str(c.spoken.name));
        o.set("description", Str(c.spoken.description));
        list.call<void>("push", o);
    }
    return list;
}

// The page's fixed texts: the layout table, the application title and the About window's texts.
val Texts()
{
    namespace a = form::about;
    val o = val::object();
    o.set("fixed", Controls(form::FixedControls()));
    o.set("row", Controls(form::RowControls()));
    o.set("rowCount", form::kRowCount);
    o.set("title", Str(rules::texts::kAppTitle));
    o.set("version", val(forgetally::kVersionText));
    o.set("homepage", val(forgetally::kHomepage));
    o.set("aboutTitle", Str(std::string(a::kTitlePrefix) + std::string(rules::texts::kAppTitle)));
    o.set("aboutVersion", Str(std::string(a::kVersionPrefix) + forgetally::kVersionText));
    o.set("credit", Str(a::kCredit));
    o.set("description", Str(a::kDescription));
    o.set("updates", Str(a::kUpdates));
    o.set("disclaimer", Str(a::kDisclaimer));
    o.set("ok", Str(a::kOK));
    o.set("okDescription", Str(a::kOKDescription));
    o.set("visitHomepage", Str(a::kHomepage));
    return o;
}

val MessageValue(const form::Message &message)
{
    val o = val::object();
    o.set("icon", val(IconName(message.icon)));
    o.set("text", Str(message.text));
    return o;
}

val EntryTexts(const form::ListEntries &entries)
{
    val list = val::array();
    for (const form::ListEntry &entry : entries)
        list.call<void>("push", Str(entry.text));
    return list;
}

class Core {
public:
    explicit Core(std::string decimalSeparator)
        : m_form(decimalSeparator.size() == 1 ? decimalSeparator[0] : '.')
    {
    }

    // The calculator's state. A row's list is sent only when the rows were rebuilt since the
    // page last asked (listId tells the page which rows share a new list).
    val State()
    {
        const form::State &s = m_form.state();
        val o = val::object();
        o.set("itemTypes", EntryTexts(s.itemTypes));
        o.set("itemTypeIndex", s.itemTypeIndex);
        o.set("useWorkshop", s.useWorkshop);
        o.set("enforceSkillLevel", s.enforceSkillLevel);
        o.set("skillLevelEnabled", s.skillLevelEnabled);
        o.set("txtSkillLevel", Str(s.skillLevelText));
        o.set("txtEventLength", Str(s.eventLengthText));
        o.set("silverColumnVisible", s.silverColumnVisible);
        o.set("shatterResistColumnVisible", s.shatterResistColumnVisible);
        o.set("lblTotalCostSilver", Str(s.totalSilverCaption));
        o.set("lblTotalCostLevel", Str(s.totalLevelCaption));
        o.set("lblTotalCostPoints", Str(s.totalPointsCaption));
        o.set("lblTotalCostWorkshops", Str(s.totalWorkshopsCaption));
        o.set("txtPlayerName", Str(s.playerName));
        o.set("txtCharacterName", Str(s.characterName));
        val rows = val::array();
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            const form::Row &r = s.rows[i];
            val row = val::object();
            if (r.entries != m_sentEntries[i]) {
                m_sentEntries[i] = r.entries;
                row.set("entries", EntryTexts(*r.entries));
            }
            row.set("listIndex", r.listIndex);
            row.set("txtItemQuantity", Str(r.quantityText));
            row.set("chkSilver", r.silver);
            row.set("txtShatterResist", Str(r.shatterResistText));
            row.set("lblItemProdCost", Str(r.pointsCaption));
            row.set("lblItemSilverCost", Str(r.silverCaption));
            rows.call<void>("push", row);
        }
        o.set("rows", rows);
        return o;
    }

    // Every row's list goes with the next State(), as for a page drawn afresh.
    void ResendLists() { m_sentEntries = {}; }

    void PickItemType(int listIndex) { m_form.cboItemType_Click(listIndex); }
    void PickItem(int row, int listIndex) { m_form.cboItemName_Click(row, listIndex); }
    void Silver(int row, bool checked) { m_form.chkSilver_Click(row, checked); }
    void UseWorkshop(bool checked) { m_form.chkUseWorkshop_Click(checked); }
    void EnforceSkillLevel(bool checked) { m_form.chkEnforceSkillLevel_Click(checked); }
    void HelpEventLength() { m_form.cmdHelpEventLength_Click(); }
    void Reset() { m_form.cmdReset_Click(); }

    void SetText(const std::string &field, int row, const std::string &text)
    {
        if (const auto which = FieldNamed(field))
            m_form.SetText(*which, row, text);
    }

    // null when accepted, else the refusal's message.
    val Leave(const std::string &field, int row)
    {
        const auto which = FieldNamed(field);
        if (!which)
            return val::null();
        const form::LeaveOutcome outcome = m_form.Leave(*which, row);
        return outcome.accepted ? val::null() : MessageValue(outcome.refusal);
    }

    val NextMessage()
    {
        const std::optional<form::Message> message = m_form.NextMessage();
        return message ? MessageValue(*message) : val::null();
    }
    void BoxOpened() { m_form.BoxOpened(); }
    void BoxClosed() { m_form.BoxClosed(); }
    void ActionEnded() { m_form.ActionEnded(); }

    // The report's lines; each item is [kind, count or text] with kind "c" (column), "s" (spaces)
    // or "t" (text).
    val Report(const std::string &dateText) const
    {
        const form::ReportDocument document = m_form.Report({forgetally::kVersionText, dateText});
        val lines = val::array();
        for (const form::ReportLine &line : document.lines) {
            val items = val::array();
            for (const form::ReportItem &item : line.items) {
                val pair = val::array();
                switch (item.kind) {
                case form::ReportItem::Kind::Column:
                    pair.call<void>("push", val("c"), item.count);
                    break;
                case form::ReportItem::Kind::Spaces:
                    pair.call<void>("push", val("s"), item.count);
                    break;
                case form::ReportItem::Kind::Text:
                    pair.call<void>("push", val("t"), Str(item.text));
                    break;
                }
                items.call<void>("push", pair);
            }
            val o = val::object();
            o.set("items", items);
            o.set("underline", line.underline);
            o.set("closing", line.closingEmphasis);
            lines.call<void>("push", o);
        }
        return lines;
    }

private:
    static std::optional<form::Field> FieldNamed(std::string_view name)
    {
        using form::Field;
        constexpr std::pair<std::string_view, Field> kFields[] = {
            {"txtSkillLevel", Field::txtSkillLevel},
            {"txtEventLength", Field::txtEventLength},
            {"txtItemQuantity", Field::txtItemQuantity},
            {"txtShatterResist", Field::txtShatterResist},
            {"txtPlayerName", Field::txtPlayerName},
            {"txtCharacterName", Field::txtCharacterName},
        };
        for (const auto &[n, field] : kFields)
            if (n == name)
                return field;
        return std::nullopt;
    }

    form::Form m_form;
    std::array<std::shared_ptr<const form::ListEntries>, form::kRowCount> m_sentEntries{};
};

} // namespace

EMSCRIPTEN_BINDINGS(forgetally_core)
{
    emscripten::function("texts", &Texts);
    emscripten::class_<Core>("Core")
        .constructor<std::string>()
        .function("state", &Core::State)
        .function("resendLists", &Core::ResendLists)
        .function("pickItemType", &Core::PickItemType)
        .function("pickItem", &Core::PickItem)
        .function("silver", &Core::Silver)
        .function("useWorkshop", &Core::UseWorkshop)
        .function("enforceSkillLevel", &Core::EnforceSkillLevel)
        .function("helpEventLength", &Core::HelpEventLength)
        .function("reset", &Core::Reset)
        .function("setText", &Core::SetText)
        .function("leave", &Core::Leave)
        .function("nextMessage", &Core::NextMessage)
        .function("boxOpened", &Core::BoxOpened)
        .function("boxClosed", &Core::BoxClosed)
        .function("actionEnded", &Core::ActionEnded)
        .function("report", &Core::Report);
}
