// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window's controls, made from the layout table (layout.h): each is created as
// its kind, named, placed, named for screen readers and put in the tab order. The window's code
// reaches a control through a member declared with the control's name and the type it uses it as
// (Control, or ControlArray for a column of the production rows). The name and the kind are
// checked when compiling: a control the table lacks, or one taken as a kind it is not, is an
// error there, not at start-up. So a new control takes its row in the table and, if the code uses
// it, one member.

#include "rules/costing.h"
#include "widgets/twips.h"
#include "window/layout.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace widgets {
class ResultLabel;
class SortedList;
class TextField;
} // namespace widgets

namespace window {

class Controls {
public:
    // Builds every control of the table on the window, at the given scale.
    void Build(QWidget &window, const widgets::TwipScale &scale);

    QWidget *Fixed(std::size_t index) const { return m_fixed[index]; }
    QWidget *InRow(std::size_t row, std::size_t index) const { return m_rows[row][index]; }

private:
    QWidget *Add(const ControlSpec &layout, int row, QWidget *parent,
                 const widgets::TwipScale &scale);
    void SetTabOrder();

    std::array<QWidget *, FixedControls().size()> m_fixed{};
    std::array<std::array<QWidget *, RowControls().size()>, rules::kRowCount> m_rows{};
};

// The control of a row, name_row.
QString RowControlName(std::string_view name, int row);

// A control's name as a template argument, so that the compiler can look it up in the table.
template <std::size_t N> struct ControlName {
    char text[N]{};
    consteval ControlName(const char (&name)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }
    constexpr std::string_view view() const { return {text, N - 1}; }
};

// The kinds of control that a member of type T can stand for: the class that Controls makes for
// the kind, or a base of it.
template <typename T> constexpr bool Shows(ControlKind kind) = delete;
template <> constexpr bool Shows<QWidget>(ControlKind)
{
    return true;
}
template <> constexpr bool Shows<QGroupBox>(ControlKind kind)
{
    return kind == ControlKind::Group;
}
template <> constexpr bool Shows<QLabel>(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::ResultLabel;
}
template <> constexpr bool Shows<widgets::ResultLabel>(ControlKind kind)
{
    return kind == ControlKind::ResultLabel;
}
template <> constexpr bool Shows<widgets::SortedList>(ControlKind kind)
{
    return kind == ControlKind::DropDownList;
}
template <> constexpr bool Shows<widgets::TextField>(ControlKind kind)
{
    return kind == ControlKind::Field || kind == ControlKind::NumberField;
}
template <> constexpr bool Shows<QCheckBox>(ControlKind kind)
{
    return kind == ControlKind::CheckBox;
}
template <> constexpr bool Shows<QPushButton>(ControlKind kind)
{
    return kind == ControlKind::Button;
}

template <typename T, ControlName Name> class Control {
    static constexpr int kIndex = table::IndexIn(FixedControls(), Name.view());
    static_assert(kIndex >= 0, "the layout table has no control of this name");
    static_assert(Shows<T>(FixedControls()[std::size_t(kIndex)].kind),
                  "the layout table's control of this name is of another kind");

public:
    explicit Control(const Controls &controls) : m_controls(controls) {}
    T *get() const { return static_cast<T *>(m_controls.Fixed(std::size_t(kIndex))); }
    T *operator->() const { return get(); }
    operator T *() const { return get(); }

private:
    const Controls &m_controls;
};

// The column of one control in every production row, indexed by the row.
template <typename T, ControlName Name> class ControlArray {
    static constexpr int kIndex = table::IndexIn(RowControls(), Name.view());
    static_assert(kIndex >= 0, "the layout table's rows have no control of this name");
    static_assert(Shows<T>(RowControls()[std::size_t(kIndex)].kind),
                  "the layout table's row control of this name is of another kind");

public:
    explicit ControlArray(const Controls &controls) : m_controls(controls) {}
    T *operator[](std::size_t row) const
    {
        return static_cast<T *>(m_controls.InRow(row, std::size_t(kIndex)));
    }
    static constexpr std::size_t size() { return std::size_t(rules::kRowCount); }

private:
    const Controls &m_controls;
};

} // namespace window
