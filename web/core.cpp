// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator behind the web page: form::Form and the layout table, handed to JavaScript
// through embind. Everything the page shows (captions, list entries, figures, messages, the
// laid-out report) comes from here; the page only draws it and forwards what the user does.
// What the page reads in bulk (its texts, the layout, the state) crosses as one JSON text that
// the page parses: one string copied out, where field-by-field conversion cost a phone tens of
// milliseconds at start. Nothing the page holds is a handle it would have to free.

#include "form/about.h"
#include "form/fields.h"
#include "form/filename.h"
#include "form/form.h"
#include "form/json.h"
#include "form/layout.h"
#include "form/listdocument.h"
#include "form/reportlayout.h"
#include "rules/texts.h"
#include "version.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A JSON object written member by member.
class Object {
public:
    Object &Text(std::string_view key, std::string_view text)
    {
        return Raw(key, form::json::Quoted(text));
    }
    Object &Int(std::string_view key, int value) { return Raw(key, std::to_string(value)); }
    Object &Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    Object &Raw(std::string_view key, std::string_view json)
    {
        m_text += m_text.empty() ? '{' : ',';
        m_text += form::json::Quoted(key);
        m_text += ':';
        m_text += json;
        return *this;
    }
    std::string Done() { return m_text.empty() ? "{}" : m_text + '}'; }

private:
    std::string m_text;
};

// A JSON array of what `write` makes of each item.
template <typename Items, typename Write> std::string Array(const Items &items, Write write)
{
    std::string text = "[";
    for (const auto &item : items) {
        if (text.size() > 1)
            text += ',';
        text += write(item);
    }
    return text + ']';
}

// A JSON array of what `write` makes of each row's number, 0 to 9.
template <typename Write> std::string Rows(Write write)
{
    std::array<std::size_t, form::kRowCount> rows{};
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row] = row;
    return Array(rows, write);
}

// One control as the page builds it: its id (the control's name, name_i for a row's control),
// its name in the layout table, its kind (group, label, result, list, field, number, check or
// button), its group, caption, the label that names or describes it, and its row (-1 for a fixed
// control).
std::string View(const form::ControlSpec &c, int row)
{
    const form::SpokenTexts spoken = form::SpokenFor(c, row);
    // A fixed control's label is drawn as its <label>, which names it.
    const bool namedByLabel = row < 0 && !c.spoken.label.empty();
    return Object()
        .Text("id", form::ControlName(c.name, row))
        .Text("name", c.name)
        .Text("kind", KindName(c.kind))
        .Text("group", c.group)
        .Text("caption", c.caption)
        .Text("label", c.spoken.label)
        .Text("ariaLabel", namedByLabel ? std::string() : spoken.name)
        .Text("ariaDescription", namedByLabel ? std::string() : spoken.description)
        .Int("row", row)
        .Bool("selectAll", c.entry == form::OnEntry::SelectAll)
        .Done();
}

// The window's controls, the rows' controls row by row, and the ids in the order Tab visits them.
std::string Layout()
{
    const auto fixedView = [](const form::ControlSpec &c) { return View(c, -1); };
    const auto rowViews = [](std::size_t row) {
        return Array(form::RowControls(), [row](const auto &c) { return View(c, int(row)); });
    };
    const auto stopId = [](const form::TabStop &stop) {
        return form::json::Quoted(form::ControlName(stop.control().name, stop.row));
    };
    return Object()
        .Raw("fixed", Array(form::FixedControls(), fixedView))
        .Raw("rows", Rows(rowViews))
        .Raw("tabOrder", Array(form::TabOrder(), stopId))
        .Done();
}

// The page's fixed texts: the application title and the About window's; for keeping the list,
// the page's own button, what it says after copying the link, and the kind of file Save List
// writes and Open List reads (the largest it reads, in bytes).
std::string Texts()
{
    namespace a = form::about;
    const std::string title(rules::texts::kAppTitle);
    return Object()
        .Text("title", title)
        .Text("homepage", forgetally::kHomepage)
        .Text("aboutTitle", std::string(a::kTitlePrefix) + title)
        .Text("aboutVersion", std::string(a::kVersionPrefix) + forgetally::kVersionText)
        .Text("credit", a::kCredit)
        .Text("description", a::kDescription)
        .Text("updates", a::kUpdates)
        .Text("disclaimer", a::kDisclaimer)
        .Text("ok", a::kOK)
        .Text("okDescription", a::kOKDescription)
        .Text("visitHomepage", a::kHomepage)
        .Text("shareList", "S&hare List")
        .Text("linkCopied", "The link to this list was copied: paste it to share the list.")
        .Text("linkNotCopied",
              "The link could not be copied: copy the page's address to share the list.")
        .Text("listMediaType", form::kListMediaType)
        .Text("listFileSuffix", form::kListFileSuffix)
        .Int("listBytesToRead", int(form::kMaxListBytes + 1)) // enough to refuse a larger file
        .Done();
}

val MessageValue(const form::Message &message)
{
    val o = val::object();
    o.set("icon", IconName(message.icon)); // none, stop, question or exclamation
    o.set("text", message.text);
    return o;
}

std::string EntryTexts(const form::ListEntries &entries)
{
    return Array(entries,
                 [](const form::ListEntry &entry) { return form::json::Quoted(entry.text); });
}

class Core {
public:
    explicit Core(std::string decimalSeparator)
        : m_form(decimalSeparator.size() == 1 ? decimalSeparator[0] : '.')
    {
    }

    // The calculator's state; a row's properties are named after the controls that show them.
    // A row's list (`entries`) is sent only when the rows were rebuilt since the page last asked,
    // null otherwise.
    std::string State()
    {
        const form::State &s = m_form.state();
        const auto row = [&](std::size_t i) {
            const form::Row &r = s.rows[i];
            std::string entries = "null";
            if (r.entries != m_sentEntries[i]) {
                m_sentEntries[i] = r.entries;
                entries = EntryTexts(*r.entries);
            }
            return Object()
                .Raw("entries", entries)
                .Int("listIndex", r.listIndex)
                .Text("txtItemQuantity", r.quantityText)
                .Bool("chkSilver", r.silver)
                .Text("txtShatterResist", r.shatterResistText)
                .Text("lblItemProdCost", r.pointsCaption)
                .Text("lblItemSilverCost", r.silverCaption)
                .Done();
        };
        return Object()
            .Raw("itemTypes", EntryTexts(s.itemTypes))
            .Int("itemTypeIndex", s.itemTypeIndex)
            .Bool("useWorkshop", s.useWorkshop)
            .Bool("enforceSkillLevel", s.enforceSkillLevel)
            .Bool("skillLevelEnabled", s.skillLevelEnabled)
            .Text("txtSkillLevel", s.skillLevelText)
            .Text("txtEventLength", s.eventLengthText)
            .Bool("silverColumnVisible", s.silverColumnVisible)
            .Bool("shatterResistColumnVisible", s.shatterResistColumnVisible)
            .Text("lblTotalCostSilver", s.totalSilverCaption)
            .Text("lblTotalCostLevel", s.totalLevelCaption)
            .Text("lblTotalCostPoints", s.totalPointsCaption)
            .Text("lblTotalCostWorkshops", s.totalWorkshopsCaption)
            .Text("txtPlayerName", s.playerName)
            .Text("txtCharacterName", s.characterName)
            .Raw("rows", Rows(row))
            .Done();
    }

    // The page already shows the rows' lists as they stand (the build wrote the default
    // calculator into it): the next state sends none of them.
    void ListsShown()
    {
        const form::State &s = m_form.state();
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            m_sentEntries[i] = s.rows[i].entries;
    }

    void PickItemType(int listIndex) { m_form.cboItemType_Click(listIndex); }
    void PickItem(int row, int listIndex) { m_form.cboItemName_Click(row, listIndex); }
    void Silver(int row, bool checked) { m_form.chkSilver_Click(row, checked); }
    void UseWorkshop(bool checked) { m_form.chkUseWorkshop_Click(checked); }
    void EnforceSkillLevel(bool checked) { m_form.chkEnforceSkillLevel_Click(checked); }
    void HelpEventLength() { m_form.cmdHelpEventLength_Click(); }
    void Reset() { m_form.cmdReset_Click(); }

    void SetText(const std::string &field, int row, const std::string &text)
    {
        if (const auto which = form::FieldNamed(field))
            m_form.SetText(*which, row, text);
    }

    // null when accepted, else the refusal's message.
    val Leave(const std::string &field, int row)
    {
        const auto which = form::FieldNamed(field);
        if (!which)
            return val::null();
        const form::LeaveOutcome outcome = m_form.Leave(*which, row);
        return outcome.accepted ? val::null() : MessageValue(outcome.refusal);
    }

    // The list in the page's address, in a file and the file's suggested name.
    std::string ListAddress() const { return form::ListAddress(m_form.state()); }
    std::string ListFile() const { return form::ListFile(m_form.state()); }
    std::string ListFileName() const { return form::ListFileName(m_form.state().characterName); }

    // null when the list opened and is now the form's; else the message that says what could
    // not be read, and the form is as it was. A file comes as its bytes (a Uint8Array), unread.
    val OpenListAddress(const std::string &text)
    {
        return Opened(form::OpenListAddress(m_form, text));
    }
    val OpenListFile(const val &bytes)
    {
        const std::vector<std::uint8_t> data =
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
        return Opened(form::OpenListFile(
            m_form, std::string_view(reinterpret_cast<const char *>(data.data()), data.size())));
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
    static val Opened(const form::ListOpening &opening)
    {
        // Refused input, as every other refusal.
        return opening.opened ? val::null()
                              : MessageValue({form::Icon::Exclamation, opening.message});
    }

    form::Form m_form;
    std::array<std::shared_ptr<const form::ListEntries>, form::kRowCount> m_sentEntries{};
};

} // namespace

EMSCRIPTEN_BINDINGS(forgetally_core)
{
    emscripten::function("layout", &Layout);
    emscripten::function("texts", &Texts);
    emscripten::class_<Core>("Core")
        .constructor<std::string>()
        .function("state", &Core::State)
        .function("listsShown", &Core::ListsShown)
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
        .function("listAddress", &Core::ListAddress)
        .function("listFile", &Core::ListFile)
        .function("listFileName", &Core::ListFileName)
        .function("openListAddress", &Core::OpenListAddress)
        .function("openListFile", &Core::OpenListFile)
        .function("laidOutReport", &Core::LaidOutReport);
}
