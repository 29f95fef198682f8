// SPDX-License-Identifier: GPL-3.0-or-later
#include "formscript.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace formtest {

namespace {

using form::Field;

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The first word and the rest.
std::pair<std::string_view, std::string_view> Word(std::string_view s)
{
    const std::size_t space = s.find(' ');
    if (space == std::string_view::npos)
        return {s, {}};
    return {s.substr(0, space), s.substr(space + 1)};
}

std::vector<std::string_view> Split(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = s.find(separator)) != std::string_view::npos;) {
        parts.push_back(Trim(s.substr(0, at)));
        s.remove_prefix(at + 1);
    }
    parts.push_back(Trim(s));
    return parts;
}

std::string Bit(bool b)
{
    return b ? "1" : "0";
}

int IndexOf(const form::ListEntries &entries, std::string_view text)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == text)
            return int(i);
    ADD_FAILURE() << "no entry \"" << text << "\"";
    return -1;
}

std::string Name(const form::Message &m)
{
    using form::Icon;
    const std::pair<form::Message, const char *> known[] = {
        {{Icon::Exclamation, kOverLevelWarning}, "warning"},
        {{Icon::Question, kDaysHelp}, "help"},
        {{Icon::Stop, "Error: invalid item type. Please contact the author."}, "bad type"},
        {{Icon::Stop, "Unknown Weapon Type, silver cost not added."}, "unknown weapon"},
    };
    for (const auto &[message, name] : known)
        if (m == message)
            return name;
    return "icon " + std::to_string(int(m.icon)) + ": " + m.text;
}

void Append(std::string &list, const std::string &item, const char *separator)
{
    list += (list.empty() ? "" : separator) + item;
}

// Takes and closes every waiting message as a view does.
void Answer(form::Form &f, std::string &shown)
{
    while (std::optional<form::Message> m = f.NextMessage()) {
        f.BoxOpened();
        Append(shown, Name(*m), ", ");
        f.BoxClosed();
    }
}

std::optional<Field> FieldOf(std::string_view verb)
{
    const std::pair<std::string_view, Field> fields[] = {
        {"qty", Field::txtItemQuantity},  {"sr", Field::txtShatterResist},
        {"days", Field::txtEventLength},  {"skill", Field::txtSkillLevel},
        {"player", Field::txtPlayerName}, {"char", Field::txtCharacterName},
    };
    for (const auto &[name, field] : fields)
        if (verb == name)
            return field;
    return std::nullopt;
}

} // namespace

Values Read(const form::State &s)
{
    Values v;
    for (const form::ListEntry &type : s.itemTypes)
        Append(v["types"], type.text + " " + std::to_string(type.data), ", ");
    v["type"] = s.itemTypeIndex >= 0 ? s.itemTypes.at(std::size_t(s.itemTypeIndex)).text : "";
    v["workshop"] = Bit(s.useWorkshop);
    v["enforce"] = Bit(s.enforceSkillLevel);
    v["skillOn"] = Bit(s.skillLevelEnabled);
    v["skill"] = s.skillLevelText;
    v["days"] = s.eventLengthText;
    v["silverCol"] = Bit(s.silverColumnVisible);
    v["srCol"] = Bit(s.shatterResistColumnVisible);
    v["player"] = s.playerName;
    v["char"] = s.characterName;
    v["Tsilver"] = s.totalSilverCaption;
    v["Tpoints"] = s.totalPointsCaption;
    v["Tlevel"] = s.totalLevelCaption;
    v["Tworkshops"] = s.totalWorkshopsCaption;
    v["warned"] = Bit(s.levelWarningShown);
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const form::Row &row = s.rows[i];
        const std::string n = std::to_string(i);
        v["item" + n] = row.Selected() ? row.Selected()->text : "(none)";
        v["n" + n] = std::to_string(row.entries->size());
        v["qty" + n] = row.quantityText;
        v["silver" + n] = Bit(row.silver);
        v["sr" + n] = row.shatterResistText;
        v["pts" + n] = row.pointsCaption;
        v["slv" + n] = row.silverCaption;
    }
    return v;
}

std::string Act(form::Form &f, std::string_view action)
{
    std::string shown;
    auto [verb, rest] = Word(action);
    int row = -1;
    if (verb == "item" || verb == "silver" || verb == "qty" || verb == "sr") {
        const auto [index, text] = Word(rest);
        row = std::stoi(std::string(index));
        rest = text;
    }
    if (verb == "type")
        f.cboItemType_Click(IndexOf(f.state().itemTypes, rest));
    else if (verb == "item")
        f.cboItemName_Click(row, IndexOf(*f.state().rows.at(std::size_t(row)).entries, rest));
    else if (verb == "silver")
        f.chkSilver_Click(row, rest == "on");
    else if (verb == "workshop")
        f.chkUseWorkshop_Click(rest == "on");
    else if (verb == "enforce")
        f.chkEnforceSkillLevel_Click(rest == "on");
    else if (verb == "reset")
        f.cmdReset_Click();
    else if (verb == "help")
        f.cmdHelpEventLength_Click();
    else if (const std::optional<Field> field = FieldOf(verb)) {
        f.SetText(*field, row, rest);
        const form::LeaveOutcome outcome = f.Leave(*field, row);
        if (!outcome.accepted)
            shown = "refused: " + outcome.refusal.text;
    } else
        ADD_FAILURE() << "unknown action \"" << action << "\"";
    Answer(f, shown);
    f.ActionEnded();
    Answer(f, shown);
    return shown;
}

std::string Perform(form::Form &f, std::string_view script)
{
    std::string shown;
    if (Trim(script).empty())
        return shown;
    for (std::string_view action : Split(script, ';')) {
        const std::string one = Act(f, action);
        Append(shown, one.empty() ? "-" : one, " | ");
    }
    return shown;
}

Values With(Values values, std::string_view expected)
{
    for (std::string_view pair : Split(expected, ';')) {
        if (pair.empty())
            continue;
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos) {
            ADD_FAILURE() << "no '=' in \"" << pair << "\"";
            continue;
        }
        const std::string key(Trim(pair.substr(0, eq)));
        const std::string value(Trim(pair.substr(eq + 1)));
        const std::size_t star = key.find('*');
        if (star == std::string::npos) {
            values[key] = value;
            continue;
        }
        for (int i = 0; i < form::kRowCount; ++i)
            values[key.substr(0, star) + std::to_string(i) + key.substr(star + 1)] = value;
    }
    return values;
}

std::string Differences(const Values &expected, const Values &actual)
{
    std::string out;
    auto text = [](const Values &v, const std::string &key) {
        const auto it = v.find(key);
        return it == v.end() ? std::string("(none)") : "'" + it->second + "'";
    };
    Values keys = expected;
    keys.insert(actual.begin(), actual.end());
    for (const auto &[key, unused] : keys)
        if (text(expected, key) != text(actual, key))
            out += key + ": want " + text(expected, key) + ", got " + text(actual, key) + "\n";
    return out;
}

} // namespace formtest
