// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator behind the web page: form::Form and the layout table, handed to JavaScript
// through embind. Everything the page shows (captions, list entries, figures, messages, the
// laid-out report) comes from here; the page only draws it and forwards what the user does.
// The page's side of each value is declared at the end (EMSCRIPTEN_BINDINGS): plain JavaScript
// objects and arrays, copied out, never handles the page would have to free.

#include "form/about.h"
#include "form/fields.h"
#include "form/filename.h"
#include "form/form.h"
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
#include <utility>
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

// One control as the page builds it.
struct ControlView {
    std::string id;   // the element's id: the control's name, name_i for a row's control
    std::string name; // the control's name in the layout table
    std::string kind; // group, label, result, list, field, number, check or button
    std::string group;
    std::string caption;
    std::string label; // the label that names or describes it
    std::string ariaLabel;
    std::string ariaDescription;
    int row; // -1 for a fixed control
    bool selectAll;
};

using FixedViews = std::array<ControlView, form::FixedControls().size()>;
using RowViews = std::array<ControlView, form::RowControls().size()>;
using TabOrderIds = std::array<std::string, form::TabOrder().size()>;

// The window's controls, the rows' controls row by row, and the ids in the order Tab visits them.
struct LayoutView {
    FixedViews fixed;
    std::array<RowViews, form::kRowCount> rows;
    TabOrderIds tabOrder;
};

ControlView View(const form::ControlSpec &c, int row)
{
    const form::SpokenTexts spoken = form::SpokenFor(c, row);
    // A fixed control's label is drawn as its <label>, which names it.
    const bool namedByLabel = row < 0 && !c.spoken.label.empty();
    return {form::ControlName(c.name, row),
            std::string(c.name),
            KindName(c.kind),
            std::string(c.group),
            std::string(c.caption),
            std::string(c.spoken.label),
            namedByLabel ? std::string() : spoken.name,
            namedByLabel ? std::string() : spoken.description,
            row,
            c.entry == form::OnEntry::SelectAll};
}

LayoutView Layout()
{
    LayoutView layout;
    for (std::size_t i = 0; i < layout.fixed.size(); ++i)
        layout.fixed[i] = View(form::FixedControls()[i], -1);
    for (std::size_t row = 0; row < layout.rows.size(); ++row)
        for (std::size_t i = 0; i < layout.rows[row].size(); ++i)
            layout.rows[row][i] = View(form::RowControls()[i], int(row));
    for (std::size_t i = 0; i < layout.tabOrder.size(); ++i) {
        const form::TabStop &stop = form::TabOrder()[i];
        layout.tabOrder[i] = form::ControlName(stop.control().name, stop.row);
    }
    return layout;
}

// The page's fixed texts: the application title and the About window's.
struct TextsView {
    std::string title;
    std::string homepage;
    std::string aboutTitle;
    std::string aboutVersion;
    std::string credit;
    std::string description;
    std::string updates;
    std::string disclaimer;
    std::string ok;
    std::string okDescription;
    std::string visitHomepage;
    // Keeping the list: the page's own button, what it says after copying the link, and the
    // kind of file Save List writes and Open List reads (the largest it reads, in bytes).
    std::string shareList;
    std::string linkCopied;
    std::string linkNotCopied;
    std::string listMediaType;
    std::string listFileSuffix;
    double listBytesToRead; // one more than a list may hold: enough to refuse a larger file
};

TextsView Texts()
{
    namespace a = form::about;
    const std::string title(rules::texts::kAppTitle);
    return {title,
            forgetally::kHomepage,
            std::string(a::kTitlePrefix) + title,
            std::string(a::kVersionPrefix) + forgetally::kVersionText,
            std::string(a::kCredit),
            std::string(a::kDescription),
            std::string(a::kUpdates),
            std::string(a::kDisclaimer),
            std::string(a::kOK),
            std::string(a::kOKDescription),
            std::string(a::kHomepage),
            "S&hare List",
            "The link to this list was copied: paste it to share the list.",
            "The link could not be copied: copy the page's address to share the list.",
            std::string(form::kListMediaType),
            std::string(form::kListFileSuffix),
            double(form::kMaxListBytes + 1)};
}

struct MessageView {
    std::string icon; // none, stop, question or exclamation
    std::string text;
};

val MessageValue(const form::Message &message)
{
    return val(MessageView{IconName(message.icon), message.text});
}

val EntryTexts(const form::ListEntries &entries)
{
    val list = val::array();
    for (const form::ListEntry &entry : entries)
        list.call<void>("push", Str(entry.text));
    return list;
}

// A row as the page draws it; its properties are named after the controls that show them.
struct RowView {
    val entries = val::undefined(); // the list's texts, only when they changed since last sent
    int listIndex = -1;
    std::string txtItemQuantity;
    bool chkSilver = false;
    std::string txtShatterResist;
    std::string lblItemProdCost;
    std::string lblItemSilverCost;
};

struct StateView {
    val itemTypes = val::undefined();
    int itemTypeIndex = -1;
    bool useWorkshop = false;
    bool enforceSkillLevel = false;
    bool skillLevelEnabled = false;
    std::string txtSkillLevel;
    std::string txtEventLength;
    bool silverColumnVisible = false;
    bool shatterResistColumnVisible = false;
    std::string lblTotalCostSilver;
    std::string lblTotalCostLevel;
    std::string lblTotalCostPoints;
    std::string lblTotalCostWorkshops;
    std::string txtPlayerName;
    std::string txtCharacterName;
    std::array<RowView, form::kRowCount> rows;
};

class Core {
public:
    explicit Core(std::string decimalSeparator)
        : m_form(decimalSeparator.size() == 1 ? decimalSeparator[0] : '.')
    {
    }

    // The calculator's state. A row's list is sent only when the rows were rebuilt since the
    // page last asked.
    StateView State()
    {
        const form::State &s = m_form.state();
        StateView o;
        o.itemTypes = EntryTexts(s.itemTypes);
        o.itemTypeIndex = s.itemTypeIndex;
        o.useWorkshop = s.useWorkshop;
        o.enforceSkillLevel = s.enforceSkillLevel;
        o.skillLevelEnabled = s.skillLevelEnabled;
        o.txtSkillLevel = s.skillLevelText;
        o.txtEventLength = s.eventLengthText;
        o.silverColumnVisible = s.silverColumnVisible;
        o.shatterResistColumnVisible = s.shatterResistColumnVisible;
        o.lblTotalCostSilver = s.totalSilverCaption;
        o.lblTotalCostLevel = s.totalLevelCaption;
        o.lblTotalCostPoints = s.totalPointsCaption;
        o.lblTotalCostWorkshops = s.totalWorkshopsCaption;
        o.txtPlayerName = s.playerName;
        o.txtCharacterName = s.characterName;
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            const form::Row &r = s.rows[i];
            RowView &row = o.rows[i];
            if (r.entries != m_sentEntries[i]) {
                m_sentEntries[i] = r.entries;
                row.entries = EntryTexts(*r.entries);
            }
            row.listIndex = r.listIndex;
            row.txtItemQuantity = r.quantityText;
            row.chkSilver = r.silver;
            row.txtShatterResist = r.shatterResistText;
            row.lblItemProdCost = r.pointsCaption;
            row.lblItemSilverCost = r.silverCaption;
        }
        return o;
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

// A std::array as a JavaScript array of N elements.
template <typename T, std::size_t N, std::size_t... I>
void BindArray(const char *name, std::index_sequence<I...>)
{
    emscripten::value_array<std::array<T, N>> array(name);
    (array.element(emscripten::index<int(I)>()), ...);
}
template <typename Array> void BindArray(const char *name)
{
    using T = typename Array::value_type;
    constexpr std::size_t N = std::tuple_size_v<Array>;
    BindArray<T, N>(name, std::make_index_sequence<N>());
}

} // namespace

EMSCRIPTEN_BINDINGS(forgetally_core)
{
    using emscripten::value_object;
    value_object<ControlView>("ControlView")
        .field("id", &ControlView::id)
        .field("name", &ControlView::name)
        .field("kind", &ControlView::kind)
        .field("group", &ControlView::group)
        .field("caption", &ControlView::caption)
        .field("label", &ControlView::label)
        .field("ariaLabel", &ControlView::ariaLabel)
        .field("ariaDescription", &ControlView::ariaDescription)
        .field("row", &ControlView::row)
        .field("selectAll", &ControlView::selectAll);
    BindArray<FixedViews>("FixedControlViews");
    BindArray<RowViews>("RowControlViews");
    BindArray<std::array<RowViews, form::kRowCount>>("RowsControlViews");
    BindArray<TabOrderIds>("TabOrderIds");
    value_object<LayoutView>("LayoutView")
        .field("fixed", &LayoutView::fixed)
        .field("rows", &LayoutView::rows)
        .field("tabOrder", &LayoutView::tabOrder);
    value_object<TextsView>("TextsView")
        .field("title", &TextsView::title)
        .field("homepage", &TextsView::homepage)
        .field("aboutTitle", &TextsView::aboutTitle)
        .field("aboutVersion", &TextsView::aboutVersion)
        .field("credit", &TextsView::credit)
        .field("description", &TextsView::description)
        .field("updates", &TextsView::updates)
        .field("disclaimer", &TextsView::disclaimer)
        .field("ok", &TextsView::ok)
        .field("okDescription", &TextsView::okDescription)
        .field("visitHomepage", &TextsView::visitHomepage)
        .field("shareList", &TextsView::shareList)
        .field("linkCopied", &TextsView::linkCopied)
        .field("linkNotCopied", &TextsView::linkNotCopied)
        .field("listMediaType", &TextsView::listMediaType)
        .field("listFileSuffix", &TextsView::listFileSuffix)
        .field("listBytesToRead", &TextsView::listBytesToRead);
    value_object<MessageView>("MessageView")
        .field("icon", &MessageView::icon)
        .field("text", &MessageView::text);
    value_object<RowView>("RowView")
        .field("entries", &RowView::entries)
        .field("listIndex", &RowView::listIndex)
        .field("txtItemQuantity", &RowView::txtItemQuantity)
        .field("chkSilver", &RowView::chkSilver)
        .field("txtShatterResist", &RowView::txtShatterResist)
        .field("lblItemProdCost", &RowView::lblItemProdCost)
        .field("lblItemSilverCost", &RowView::lblItemSilverCost);
    BindArray<std::array<RowView, form::kRowCount>>("RowViews");
    value_object<StateView>("StateView")
        .field("itemTypes", &StateView::itemTypes)
        .field("itemTypeIndex", &StateView::itemTypeIndex)
        .field("useWorkshop", &StateView::useWorkshop)
        .field("enforceSkillLevel", &StateView::enforceSkillLevel)
        .field("skillLevelEnabled", &StateView::skillLevelEnabled)
        .field("txtSkillLevel", &StateView::txtSkillLevel)
        .field("txtEventLength", &StateView::txtEventLength)
        .field("silverColumnVisible", &StateView::silverColumnVisible)
        .field("shatterResistColumnVisible", &StateView::shatterResistColumnVisible)
        .field("lblTotalCostSilver", &StateView::lblTotalCostSilver)
        .field("lblTotalCostLevel", &StateView::lblTotalCostLevel)
        .field("lblTotalCostPoints", &StateView::lblTotalCostPoints)
        .field("lblTotalCostWorkshops", &StateView::lblTotalCostWorkshops)
        .field("txtPlayerName", &StateView::txtPlayerName)
        .field("txtCharacterName", &StateView::txtCharacterName)
        .field("rows", &StateView::rows);

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
