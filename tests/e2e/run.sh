#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317  # the helpers run through wait_for and the traps
# End-to-end run of the real program under Xvfb (xcb platform, real fonts, real X input): xdotool
# types and clicks as a user would; the figures are read back through the accessibility tree
# (AT-SPI), as a screen reader reads them. One scenario: pick Weapons, enter a quantity, Tab, check
# the row and the totals, open About with Alt+A, close it with Esc, close the window.
#
# Usage: tests/e2e/run.sh [EXECUTABLE]     (default build/app/forgeTally)
#        FORGETALLY_E2E_ARTIFACTS=DIR keeps the screenshots and logs there; otherwise they are kept
#        in a temporary directory only when a step fails.
# Prints PASS or FAIL per step and "N passed, N failed"; exits non-zero when a step failed.
set -uo pipefail

# A hung step must not hang the caller: the whole run gets 58 s, then a TERM that cleans up.
if [ -z "${FORGETALLY_E2E_BOUNDED:-}" ]; then
  FORGETALLY_E2E_BOUNDED=1 exec timeout --kill-after=10 58 bash "$0" "$@"
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=${1:-build/app/forgeTally}
title='MIRVAK Production Calculator'
about_title="About $title"
app_name=$(basename "$exe")
py=/usr/bin/python3 # the system Python: pyatspi comes from Debian, not from any other Python

# shellcheck source=tests/e2e/common.sh
source "$here/common.sh"

require_tools Xvfb openbox xdotool import dbus-daemon dbus-send "$py"
"$py" -c 'import pyatspi' 2>/dev/null || { fail "python3-pyatspi is missing"; finish; }
[ -x "$exe" ] || { fail "no executable at $exe"; finish; }

start_desktop

# A private session bus and accessibility bus, so that the tree holds this program only.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" \
  >"$artifacts/dbus.log" 2>&1 &
pids+=($!)
wait_for 5 test -s "$work/bus" || { fail "session bus started"; finish; }
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$artifacts/atspi.log" 2>&1 &
pids+=($!)
a11y_bus_up() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1
}
wait_for 5 a11y_bus_up || { fail "accessibility bus started"; finish; }

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The figures below are written with a decimal point.
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$exe" >"$artifacts/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

query() { "$py" "$here/atspi_query.py" "$1" "$app_name" "${@:2}"; }
window_named() { # prints the id of the visible window of the program with exactly this name
  { xdotool search --onlyvisible --all --pid "$app_pid" --name "^$1\$" 2>/dev/null || true; } |
    head -n1
}
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }
check_focus() { # check_focus DESCRIPTION "ROLE: NAME"
  local now=''
  focus_is() { now=$(query focused --timeout 0.5); [ "$now" = "$1" ]; }
  if wait_for 3 focus_is "$2"; then pass "$1: $2"; else fail "$1: expected $2, got $now"; fi
}

# 1. The window is mapped and in the accessibility tree.
main_window=''
find_main() { main_window=$(window_named "$title"); [ -n "$main_window" ]; }
if wait_for 10 find_main; then pass "the window \"$title\" is mapped"; else
  fail "the window \"$title\" is mapped"; finish
fi
if query wait-app "$title" --timeout 10; then pass "the window is in the accessibility tree"; else
  fail "the window is in the accessibility tree"; finish
fi
# A list is named by its caption or its column and row; its entry is its text.
check_focus "focus at start-up" "combo box: Item type to produce:"
check "item type at start-up" "Alchemy" "$(query text --role 'combo box' --in Options)"

# 2. Pick Weapons: open the list with the mouse, go to its last entry and take it.
read -r x y < <(query center --role 'combo box' --in Options) || true
if [ -n "${y:-}" ]; then
  click_at "$x" "$y"
  sleep 0.3
  xdotool key End Return
fi
check "item type after the pick" "Weapons" \
  "$(query text --role 'combo box' --in Options --expect Weapons)"
check "row 1 item after the rebuild" "Arrows - Quality (1)" \
  "$(query text --role 'combo box' --name 'Item, row 1' --expect 'Arrows - Quality (1)')"

# 3. Quantity 3 in row 1 (a click selects the field's "0", typing replaces it), then Tab.
read -r x y < <(query center --role text --name 'Quantity, row 1') || true
if [ -n "${y:-}" ]; then
  click_at "$x" "$y"
  xdotool type --delay 30 3
  xdotool key Tab
fi
check "row 1 quantity" "3" "$(query text --role text --name 'Quantity, row 1' --expect 3)"
check_focus "Tab from the quantity" "check box: Silver, row 1"
check "row 1 production points" "12" "$(query text --desc 'Cost (Points), row 1' --expect 12)"
check "row 1 silver" "1.2" "$(query text --desc 'Cost (Silver), row 1' --expect 1.2)"
check "total production points" "12 / 160" \
  "$(query text --desc 'Production points needed and the points you can produce' --expect '12 / 160')"
check "total skill levels" "2 / 1 per day" \
  "$(query text --desc 'Skill levels needed, in all and per day' --expect '2 / 1 per day')"
check "total silver" "1.2" "$(query text --desc 'Total silver cost' --expect 1.2)"
check "workshops" "1" "$(query text --desc 'Workshops needed' --expect 1)"
import -window root "$artifacts/weapons-row1.png" 2>/dev/null

# 4. Alt+A opens the About window, which takes the focus.
xdotool key alt+a
about=''
find_about() { about=$(window_named "$about_title"); [ -n "$about" ]; }
if wait_for 5 find_about; then
  pass "Alt+A opens \"$about_title\""
  check_focus "focus in the About window" "push button: OK"
  import -window root "$artifacts/about.png" 2>/dev/null
else
  fail "Alt+A opens \"$about_title\""
fi

# 5. The About window does not block the calculator: a click into row 2's quantity, typed text
# and Tab still work. 1000 arrows need 4000 points, far over the 160 the level allows, so the
# over-level warning comes; Return answers it and the focus goes on to the next control.
read -r x y < <(query center --role text --name 'Quantity, row 2') || true
if [ -n "${y:-}" ]; then
  click_at "$x" "$y"
  xdotool type --delay 30 1000
  xdotool key Tab
fi
check "row 2 production points, typed with About open" "4000" \
  "$(query text --desc 'Cost (Points), row 2' --expect 4000)"
check "total production points" "4012 / 160" \
  "$(query text --desc 'Production points needed and the points you can produce' --expect '4012 / 160')"
warning=''
find_warning() { # a second window with the application's title: the message box
  warning=$(xdotool search --onlyvisible --all --pid "$app_pid" --name "^$title\$" 2>/dev/null |
    grep -vx "$main_window" | head -n1)
  [ -n "$warning" ]
}
if wait_for 5 find_warning; then
  pass "the over-level warning is shown"
  import -window root "$artifacts/warning.png" 2>/dev/null
  xdotool key Return
  warning_gone() { ! find_warning; }
  if wait_for 5 warning_gone; then pass "Return answers the warning"; else fail "Return answers the warning"; fi
  check_focus "after the warning, the focus goes on" "check box: Silver, row 2"
else
  fail "the over-level warning is shown"
fi
if [ -n "$about" ] && [ -n "$(window_named "$about_title")" ]; then
  pass "the About window stayed open"
  xdotool windowactivate --sync "$about" 2>/dev/null # a user's click on its title bar
  check_focus "About activated again" "push button: OK"
  xdotool key Escape
  about_gone() { [ -z "$(window_named "$about_title")" ]; }
  if wait_for 5 about_gone; then pass "Esc closes the About window"; else
    fail "Esc closes the About window"
  fi
else
  fail "the About window stayed open"
fi

# 6. Closing the window (a WM_DELETE_WINDOW, as the close box sends) ends the program with 0.
if ! kill -0 "$app_pid" 2>/dev/null; then
  fail "the program is still running before the close"
else
  "$py" "$here/x11_close.py" "$main_window"
  exited() { ! kill -0 "$app_pid" 2>/dev/null; }
  if wait_for 5 exited; then
    wait "$app_pid"
    status=$?
    if [ "$status" -eq 0 ]; then pass "closing the window ends the program with status 0"; else
      fail "closing the window ends the program with status 0 (status $status)"
    fi
  else
    fail "closing the window ends the program (still running after 5 s)"
  fi
fi
finish
