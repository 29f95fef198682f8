// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator behind the web page: form::Form and the layout table, handed to JavaScript
// through embind. Everything the page shows (captions, list entries, figures, messages, the
// laid-out report) comes from here; the page only draws it and forwards what the user does.

#include "form/about.h"
#include "form/form.h"
#include "form/layout.h"
#include "form/reportlayout.h"
#include "rules/texts.h"
#include "version.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <cstdio>
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

    // The report laid out for the browser's print at the moment `now` (a JS Date): the font,
    // the line advance, and the texts of each line with their left edge and emphasis. `measure`
    // is the page's canvas: (text, CSS font) gives the text's width in CSS pixels. The browser
    // breaks the pages.
    val LaidOutReport(const val &now, const val &measure) const
    {
        // The short date and the long time in the browser's locale and time zone.
        const auto written = [&now](const char *style, const char *length) {
            val options = val::object();
            options.set(style, val(length));
            return val::global("Intl")["DateTimeFormat"]
                .new_(val::undefined(), options)
                .call<std::string>("format", now);
        };
        const std::string dateText = form::DateText(
            written("dateStyle", "short"), written("timeStyle", "medium"),
            now.call<int>("getHours"), now.call<int>("getMinutes"), now.call<int>("getSeconds"));
        const form::ReportDocument document = m_form.Report({forgetally::kVersionText, dateText});
        const std::string font = std::to_string(form::kReportFontPoints) + "pt " +
                                 std::string(form::kReportFontFamily) +
                                 ", \"Liberation Sans\", Helvetica, sans-serif";
        const std::string boldFont = "bold " + font;
        const form::ReportLayout layout =
            form::LayoutReport(document, {}, [&](std::string_view text, bool, bool bold) {
                return measure(Str(text), val(bold ? boldFont : font)).as<double>();
            });

        val lines = val::array();
        for (int i = 0; i < layout.physicalLines; ++i)
            lines.call<void>("push", val::array());
        for (const form::PlacedRun &run : layout.runs) {
            char left[32];
            std::snprintf(left, sizeof left, "%.2fpx", run.x);
            val o = val::object();
            o.set("text", Str(run.text));
            o.set("left", val(std::string(left)));
            o.set("underline", run.underline);
            o.set("bold", run.bold);
            lines[run.line].call<void>("push", o);
        }
        val report = val::object();
        report.set("font", Str(font));
        // Arial's line spacing as the desktop advances its lines: ascent, descent and line gap,
        // (1854 + 434 + 67) / 2048 em.
        report.set("lineHeight", val("1.15em"));
        report.set("lines", lines);
        return report;
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
        .function("laidOutReport", &Core::LaidOutReport);
}
