#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running program's accessibility tree over AT-SPI, as a screen reader would.

    atspi_query.py wait-app  APP TITLE [--timeout S]
        waits until application APP shows a window named TITLE in the tree
    atspi_query.py center    APP SELECTOR...
        prints "X Y", the centre of the control on the screen
    atspi_query.py focused   APP
        prints the role and name of the control that has the keyboard focus
    atspi_query.py text      APP SELECTOR... [--expect TEXT] [--timeout S]
        prints the control's text (a field's contents, a label's or a list's shown text); with
        --expect, waits for that text and fails if it does not come

SELECTOR: --role ROLE (AT-SPI role name, "push button"), --name NAME, --desc DESCRIPTION,
--in NAME (an enclosing control's name, a group's title). The first match in tree order counts.
Needs python3-pyatspi and an AT-SPI bus; the program must run with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
"""
import argparse
import sys
import time

import pyatspi


def applications(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            yield app


def walk(node, ancestors=()):
    yield node, ancestors
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, ancestors + (node,))


def find(app_name, role=None, name=None, desc=None, within=None):
    for app in applications(app_name):
        for node, ancestors in walk(app):
            if role is not None and node.getRoleName() != role:
                continue
            if name is not None and node.name != name:
                continue
            if desc is not None and node.description != desc:
                continue
            if within is not None and within not in (a.name for a in ancestors):
                continue
            return node
    return None


def content(node):
    """What the control shows: a field's or a list's text is its contents or entry, its name is the
    caption beside it."""
    if node.getRoleName() in ("text", "password text", "combo box"):
        text = node.queryText()
        return text.getText(0, text.characterCount)
    return node.name


def poll(probe, timeout):
    """Calls probe until it returns something other than None or the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except Exception:  # the tree changes under us while the program starts or rebuilds
            found = None
        if found is not None or time.monotonic() >= deadline:
            return found
        time.sleep(0.05)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=["wait-app", "center", "text", "focused"])
    parser.add_argument("app")
    parser.add_argument("title", nargs="?")
    parser.add_argument("--role")
    parser.add_argument("--name")
    parser.add_argument("--desc")
    parser.add_argument("--in", dest="within")
    parser.add_argument("--expect")
    parser.add_argument("--timeout", type=float, default=5.0)
    args = parser.parse_args()

    if args.command == "wait-app":
        window = poll(lambda: find(args.app, name=args.title), args.timeout)
        if window is None:
            sys.exit(f"atspi_query: no window '{args.title}' of '{args.app}' in the tree")
        return

    if args.command == "focused":
        def focused():
            for app in applications(args.app):
                for node, ancestors in walk(app):
                    # The entries of a closed list keep the focus they had while it was open.
                    if any(a.getRoleName() == "combo box" for a in ancestors):
                        continue
                    if node.getRoleName() not in ("application", "frame", "filler", "window") \
                            and node.getState().contains(pyatspi.STATE_FOCUSED):
                        return node
            return None

        node = poll(focused, args.timeout)
        print(f"{node.getRoleName()}: {node.name}" if node is not None else "(nothing)")
        return

    def control():
        return find(args.app, args.role, args.name, args.desc, args.within)

    if args.command == "center":
        node = poll(control, args.timeout)
        if node is None:
            sys.exit("atspi_query: no such control")
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if box.width <= 0 or box.height <= 0:
            sys.exit("atspi_query: the control is not on the screen")
        print(box.x + box.width // 2, box.y + box.height // 2)
        return

    if args.expect is None:
        node = poll(control, args.timeout)
        if node is None:
            sys.exit("atspi_query: no such control")
        print(content(node))
        return

    def expected():
        node = control()
        return node if node is not None and content(node) == args.expect else None

    if poll(expected, args.timeout) is not None:
        print(args.expect)
        return
    node = control()
    print(content(node) if node is not None else "(no such control)")
    sys.exit(1)


if __name__ == "__main__":
    main()
