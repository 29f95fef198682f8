// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window's controls, made from the layout table (layout.h): each is created as
// its kind, named, placed, given its initial contents, named for screen readers and put in the tab
// order. The window's code reaches a control through a member declared with the control's name
// (Control, or ControlArray for a column of the production rows), which finds it here once all
// are built. So a new control takes its row in the table and, if the code uses it, one member.

#include "rules/costing.h"
#include "widgets/twips.h"
#include "window/layout.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace window {

class Controls {
public:
    // Builds every control of the table on the window, at the given scale, then binds the members.
    void Build(QWidget &window, const widgets::TwipScale &scale);

    // The control of that name. A miss is a fault in the table or a member's name: it stops the
    // program with the name rather than run on without the control.
    QWidget *Find(const QString &name) const;

    // Gives a field or check box its initial contents from the table again. Setting a box's state
    // runs its reaction, as a click would, when the state changes.
    void Restore(QLineEdit *field) const;
    void Restore(QCheckBox *box) const;

    // A member of the window that finds its control once the controls are built.
    class Member {
    public:
        virtual void Bind(const Controls &controls) = 0;

    protected:
        ~Member() = default;
    };
    void Enlist(Member *member) { m_members.push_back(member); }

private:
    struct Built {
        QWidget *control;
        const ControlSpec *layout;
        int row; // -1 for a control that exists once
    };
    void Add(const ControlSpec &layout, int row, QWidget *parent, const widgets::TwipScale &scale);
    void Name(const Built &built);
    void SetTabOrder();

    std::vector<Built> m_built; // in the order of creation
    QHash<QString, QWidget *> m_byName;
    QHash<const QWidget *, const ControlSpec *> m_layoutOf;
    std::vector<Member *> m_members;
};

// The control of a row, name_row.
QString RowControlName(std::string_view name, int row);

// Checks the kind of the control found by the name (see Controls::Find).
QObject *CheckedKind(QWidget *control, const QMetaObject &kind, const QString &name);

template <typename T> class Control final : public Controls::Member {
public:
    Control(Controls &controls, const char *name) : m_name(name) { controls.Enlist(this); }
    T *operator->() const { return m_control; }
    operator T *() const { return m_control; }
    void Bind(const Controls &controls) override
    {
        const QString name = QLatin1String(m_name);
        m_control = static_cast<T *>(CheckedKind(controls.Find(name), T::staticMetaObject, name));
    }

private:
    const char *m_name;
    T *m_control = nullptr;
};

// The column of one control in every production row, indexed by the row.
template <typename T> class ControlArray final : public Controls::Member {
public:
    ControlArray(Controls &controls, const char *name) : m_name(name) { controls.Enlist(this); }
    T *operator[](std::size_t row) const { return m_controls[row]; }
    auto begin() const { return m_controls.begin(); }
    auto end() const { return m_controls.end(); }
    static constexpr std::size_t size() { return std::size_t(rules::kRowCount); }
    void Bind(const Controls &controls) override
    {
        for (int i = 0; i < rules::kRowCount; ++i) {
            const QString name = RowControlName(m_name, i);
            m_controls[std::size_t(i)] =
                static_cast<T *>(CheckedKind(controls.Find(name), T::staticMetaObject, name));
        }
    }

private:
    const char *m_name;
    std::array<T *, rules::kRowCount> m_controls{};
};

} // namespace window
