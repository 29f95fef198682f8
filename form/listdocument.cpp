// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/listdocument.h"

#include "form/json.h"
#include "rules/catalogue.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace form {

namespace {

struct ListRow {
    std::string item;
    std::string quantity;
    bool silver = false;
    std::string shatterResist;
};

// Both forms read into this, and the replay reads it.
struct ListDocument {
    std::string itemType;
    bool useWorkshop = true;
    bool enforceSkillLevel = true;
    std::string skillLevel;
    std::string days;
    std::string playerName;
    std::string characterName;
    std::vector<ListRow> rows; // at most kRowCount; the rest stay as the rebuild left them
};

// What could not be read, or the document.
using Reading = std::variant<std::string, ListDocument>;

const std::string kEmpty = "it is empty";
const std::string kTooLarge = "it is far larger than any list";
const std::string kDamaged = "it is damaged or cut short";
const std::string kNotAList = "it is not a forgeTally list";
const std::string kNewer = "it was saved by a newer forgeTally, which writes its lists differently";

constexpr char kSeparator = '~';
constexpr std::string_view kFileMarker = "forgeTallyList";

// A text from the input, as a message quotes it: at most 40 bytes (never half a character),
// control characters as "?".
std::string Shown(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    std::size_t end = std::min(text.size(), kLongest);
    while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    std::string shown = "\"";
    for (const char c : text.substr(0, end))
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    return shown + (end < text.size() ? "...\"" : "\"");
}

std::string RowName(std::size_t row)
{
    return "row " + std::to_string(row + 1);
}

// --- Writing -----------------------------------------------------------------------------------

ListDocument DocumentOf(const State &state)
{
    ListDocument doc;
    if (state.itemTypeIndex >= 0 && std::size_t(state.itemTypeIndex) < state.itemTypes.size())
        doc.itemType = state.itemTypes[std::size_t(state.itemTypeIndex)].text;
    doc.useWorkshop = state.useWorkshop;
    doc.enforceSkillLevel = state.enforceSkillLevel;
    doc.skillLevel = state.skillLevelText;
    doc.days = state.eventLengthText;
    doc.playerName = state.playerName;
    doc.characterName = state.characterName;
    for (const Row &row : state.rows) {
        const ListEntry *item = row.Selected();
        doc.rows.push_back({item ? item->text : std::string(), row.quantityText, row.silver,
                            row.shatterResistText});
    }
    return doc;
}

std::uint32_t Crc32(std::string_view text)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : text) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool KeptInAddress(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

void AppendEscaped(std::string &out, std::string_view text)
{
    for (const char c : text) {
        if (KeptInAddress(c)) {
            out += c;
        } else if (c == ' ') {
            out += '_';
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        }
    }
}

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

// --- Reading the address -----------------------------------------------------------------------

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (KeptInAddress(c)) {
            text += c;
        } else if (c == '_') {
            text += ' ';
        } else if (c == '%' && i + 2 < field.size() && HexValue(field[i + 1]) >= 0 &&
                   HexValue(field[i + 2]) >= 0) {
            text += char(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    if (!json::IsUtf8(text))
        return std::nullopt;
    return text;
}

// A format version: 1 to 9 digits.
std::optional<int> VersionOf(std::string_view digits)
{
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int version = 0;
    for (const char c : digits)
        version = version * 10 + (c - '0');
    return version;
}

std::optional<bool> FlagOf(std::string_view text)
{
    if (text == "1")
        return true;
    if (text == "0")
        return false;
    return std::nullopt;
}

constexpr std::size_t kAddressFixedFields = 8; // version, type, two options, two texts, two names
constexpr std::size_t kAddressRowFields = 4;

Reading ReadAddress(std::string_view text)
{
    if (text.empty())
        return kEmpty;
    if (text.size() > kMaxListBytes)
        return kTooLarge;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kSeparator, start);
        fields.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    // The version comes first, so that a newer list is told from a damaged one whatever else
    // changed.
    const std::optional<int> version = VersionOf(fields.front());
    if (!version || *version < 1)
        return kDamaged;
    if (*version > kListFormatVersion)
        return kNewer;
    // The fixed fields, the rows, and the CRC-32 of what stands before it.
    const std::size_t rows = fields.size() <= kAddressFixedFields
                                 ? 0
                                 : (fields.size() - kAddressFixedFields - 1) / kAddressRowFields;
    const std::string_view crc = fields.back();
    if (fields.size() != kAddressFixedFields + 1 + rows * kAddressRowFields ||
        rows > std::size_t(kRowCount) || crc.size() != 8 ||
        !std::all_of(crc.begin(), crc.end(), [](char c) { return HexValue(c) >= 0; }))
        return kDamaged;
    std::uint32_t expected = 0;
    for (const char c : crc)
        expected = expected << 4 | std::uint32_t(HexValue(c));
    if (Crc32(text.substr(0, text.size() - crc.size() - 1)) != expected)
        return kDamaged;

    std::vector<std::string> texts;
    for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
        std::optional<std::string> field = Unescaped(fields[i]);
        if (!field)
            return kDamaged;
        texts.push_back(std::move(*field));
    }
    ListDocument doc;
    const std::optional<bool> workshop = FlagOf(texts[1]);
    const std::optional<bool> enforce = FlagOf(texts[2]);
    if (!workshop || !enforce)
        return kDamaged;
    doc.itemType = texts[0];
    doc.useWorkshop = *workshop;
    doc.enforceSkillLevel = *enforce;
    doc.skillLevel = texts[3];
    doc.days = texts[4];
    doc.playerName = texts[5];
    doc.characterName = texts[6];
    for (std::size_t r = 0; r < rows; ++r) {
        const std::size_t at = kAddressFixedFields - 1 + r * kAddressRowFields;
        const std::optional<bool> silver = FlagOf(texts[at + 2]);
        if (!silver)
            return kDamaged;
        doc.rows.push_back({texts[at], texts[at + 1], *silver, texts[at + 3]});
    }
    return doc;
}

// --- Reading the file --------------------------------------------------------------------------

const std::string *StringMember(const json::Value &object, std::string_view name)
{
    const json::Value *value = object.Find(name);
    return value && value->kind == json::Value::Kind::String ? &value->text : nullptr;
}

std::optional<bool> BoolMember(const json::Value &object, std::string_view name)
{
    const json::Value *value = object.Find(name);
    if (!value || value->kind != json::Value::Kind::Bool)
        return std::nullopt;
    return value->boolean;
}

std::optional<ListRow> RowOf(const json::Value &value)
{
    if (value.kind != json::Value::Kind::Object || value.members.size() != 4)
        return std::nullopt;
    const std::string *item = StringMember(value, "item");
    const std::string *quantity = StringMember(value, "quantity");
    const std::optional<bool> silver = BoolMember(value, "silver");
    const std::string *shatterResist = StringMember(value, "shatterResist");
    if (!item || !quantity || !silver || !shatterResist)
        return std::nullopt;
    return ListRow{*item, *quantity, *silver, *shatterResist};
}

Reading ReadFile(std::string_view text)
{
    if (text.size() > kMaxListBytes)
        return kTooLarge;
    if (text.starts_with("\xEF\xBB\xBF")) // a byte-order mark, as some editors write
        text.remove_prefix(3);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return kEmpty;
    const std::optional<json::Value> root = json::Parse(text);
    if (!root)
        return text.find(kFileMarker) != std::string_view::npos ? kDamaged : kNotAList;
    const json::Value *marker =
        root->kind == json::Value::Kind::Object ? root->Find(kFileMarker) : nullptr;
    if (!marker)
        return kNotAList;
    const std::optional<int> version =
        marker->kind == json::Value::Kind::Number ? VersionOf(marker->text) : std::nullopt;
    if (!version || *version < 1)
        return kDamaged;
    if (*version > kListFormatVersion)
        return kNewer;

    ListDocument doc;
    const std::string *type = StringMember(*root, "itemType");
    const std::optional<bool> workshop = BoolMember(*root, "useWorkshop");
    const std::optional<bool> enforce = BoolMember(*root, "enforceLevelRestrictions");
    const std::string *skill = StringMember(*root, "skillLevel");
    const std::string *days = StringMember(*root, "days");
    const std::string *player = StringMember(*root, "playerName");
    const std::string *character = StringMember(*root, "characterName");
    const json::Value *rows = root->Find("rows");
    if (root->members.size() != 9 || !type || !workshop || !enforce || !skill || !days || !player ||
        !character || !rows || rows->kind != json::Value::Kind::Array ||
        rows->items.size() > std::size_t(kRowCount))
        return kDamaged;
    doc = {*type, *workshop, *enforce, *skill, *days, *player, *character, {}};
    for (const json::Value &item : rows->items) {
        std::optional<ListRow> row = RowOf(item);
        if (!row)
            return kDamaged;
        doc.rows.push_back(std::move(*row));
    }
    return doc;
}

// --- Replaying ---------------------------------------------------------------------------------

// Enters a field's text and leaves the field; what the field's check refused, if it did.
std::optional<std::string> Enter(Form &form, Field field, int row, const std::string &text,
                                 const std::string &what)
{
    form.SetText(field, row, text);
    const LeaveOutcome outcome = form.Leave(field, row);
    if (outcome.accepted)
        return std::nullopt;
    std::string check = outcome.refusal.text;
    if (check.ends_with('.'))
        check.pop_back();
    return what + " " + Shown(text) + " is refused: " + check;
}

template <typename List> int IndexOf(const List &entries, std::string_view text)
{
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const auto &entry) { return entry.text == text; });
    return at == entries.end() ? -1 : int(at - entries.begin());
}

std::optional<std::string> Replay(const ListDocument &doc, Form &form)
{
    const State &state = form.state();
    const int type = IndexOf(state.itemTypes, doc.itemType);
    if (type < 0)
        return "there is no item type " + Shown(doc.itemType);
    const std::string &typeName = state.itemTypes[std::size_t(type)].text;
    const std::int32_t code = state.itemTypes[std::size_t(type)].data;
    form.cboItemType_Click(type);
    form.chkUseWorkshop_Click(doc.useWorkshop);
    form.chkEnforceSkillLevel_Click(doc.enforceSkillLevel);
    // The skill-level field is checked even when the enforce box greys it out: it was left with
    // that text before.
    if (auto refused = Enter(form, Field::txtSkillLevel, -1, doc.skillLevel, "the skill level"))
        return refused;
    if (auto refused = Enter(form, Field::txtEventLength, -1, doc.days, "the number of days"))
        return refused;
    form.SetText(Field::txtPlayerName, -1, doc.playerName);
    form.SetText(Field::txtCharacterName, -1, doc.characterName);

    for (std::size_t r = 0; r < doc.rows.size(); ++r) {
        const ListRow &row = doc.rows[r];
        const int i = int(r);
        const int entry = IndexOf(*state.rows[r].entries, row.item);
        if (entry < 0) {
            const auto items = rules::CatalogueItems(code);
            const bool known = std::any_of(items.begin(), items.end(),
                                           [&](const auto &item) { return item.name == row.item; });
            if (!known)
                return RowName(r) + " names " + Shown(row.item) + ", which is not one of the " +
                       typeName + " items";
            return RowName(r) + " names " + Shown(row.item) + ", which skill level " +
                   Shown(doc.skillLevel) + " does not offer while level restrictions are enforced";
        }
        form.cboItemName_Click(i, entry);
        if (row.silver && !state.silverColumnVisible)
            return RowName(r) + " is made in silver, which only weapons can be";
        form.chkSilver_Click(i, row.silver);
        if (auto refused =
                Enter(form, Field::txtItemQuantity, i, row.quantity, RowName(r) + "'s quantity"))
            return refused;
        if (!state.shatterResistColumnVisible) {
            if (row.shatterResist != Row{}.shatterResistText)
                return RowName(r) + " has a shatter resist, which only armour and weapons have";
        } else if (auto refused = Enter(form, Field::txtShatterResist, i, row.shatterResist,
                                        RowName(r) + "'s shatter resist")) {
            return refused;
        }
    }
    return std::nullopt;
}

ListOpening Open(Form &form, const Reading &reading)
{
    const auto refuse = [](const std::string &reason) {
        return ListOpening{false, reason, "The list could not be opened: " + reason + "."};
    };
    if (const auto *reason = std::get_if<std::string>(&reading))
        return refuse(*reason);
    // Replayed in a calculator of its own, so that a refusal halfway leaves the form untouched.
    Form scratch(form.DecimalSeparator());
    if (const std::optional<std::string> refused = Replay(std::get<ListDocument>(reading), scratch))
        return refuse(*refused);
    form.TakeList(std::move(scratch));
    return {true, {}, {}};
}

} // namespace

std::string ListAddress(const State &state)
{
    const ListDocument doc = DocumentOf(state);
    std::string text = std::to_string(kListFormatVersion);
    const auto add = [&text](std::string_view field) {
        text += kSeparator;
        AppendEscaped(text, field);
    };
    add(doc.itemType);
    add(Flag(doc.useWorkshop));
    add(Flag(doc.enforceSkillLevel));
    add(doc.skillLevel);
    add(doc.days);
    add(doc.playerName);
    add(doc.characterName);
    // A row as the rebuild leaves it (its first entry, "0", unchecked, "0") need not be written
    // when no written row follows it.
    std::size_t rows = doc.rows.size();
    while (rows > 0) {
        const Row &row = state.rows[rows - 1];
        const Row blank;
        if (row.listIndex != 0 || row.quantityText != blank.quantityText ||
            row.silver != blank.silver || row.shatterResistText != blank.shatterResistText)
            break;
        --rows;
    }
    for (std::size_t r = 0; r < rows; ++r) {
        add(doc.rows[r].item);
        add(doc.rows[r].quantity);
        add(Flag(doc.rows[r].silver));
        add(doc.rows[r].shatterResist);
    }
    const std::uint32_t crc = Crc32(text);
    text += kSeparator;
    for (int shift = 28; shift >= 0; shift -= 4)
        text += "0123456789abcdef"[(crc >> shift) & 0xF];
    return text;
}

std::string ListFile(const State &state)
{
    const ListDocument doc = DocumentOf(state);
    const auto boolean = [](bool on) { return on ? "true" : "false"; };
    std::string text =
        "{\n  " + json::Quoted(kFileMarker) + ": " + std::to_string(kListFormatVersion) + ",\n";
    text += "  \"itemType\": " + json::Quoted(doc.itemType) + ",\n";
    text += "  \"useWorkshop\": " + std::string(boolean(doc.useWorkshop)) + ",\n";
    text +=
        "  \"enforceLevelRestrictions\": " + std::string(boolean(doc.enforceSkillLevel)) + ",\n";
    text += "  \"skillLevel\": " + json::Quoted(doc.skillLevel) + ",\n";
    text += "  \"days\": " + json::Quoted(doc.days) + ",\n";
    text += "  \"playerName\": " + json::Quoted(doc.playerName) + ",\n";
    text += "  \"characterName\": " + json::Quoted(doc.characterName) + ",\n";
    text += "  \"rows\": [";
    for (std::size_t r = 0; r < doc.rows.size(); ++r) {
        const ListRow &row = doc.rows[r];
        text += r == 0 ? "\n" : ",\n";
        text += "    {\"item\": " + json::Quoted(row.item) +
                ", \"quantity\": " + json::Quoted(row.quantity) +
                ", \"silver\": " + boolean(row.silver) +
                ", \"shatterResist\": " + json::Quoted(row.shatterResist) + "}";
    }
    return text + "\n  ]\n}\n";
}

ListOpening OpenListAddress(Form &form, std::string_view text)
{
    return Open(form, ReadAddress(text));
}

ListOpening OpenListFile(Form &form, std::string_view text)
{
    return Open(form, ReadFile(text));
}

} // namespace form
