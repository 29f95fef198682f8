#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317  # the helpers run through wait_for and the traps
# End-to-end run of the report saved as a PDF file when there is no printer: the real program under
# Xvfb with openbox as window manager, real X input by xdotool. The printing service is out of
# reach (CUPS_SERVER points at a port where nothing listens), so Print finds no printer. A quantity
# in row 1 (Tab from the item type), Alt+P, Return on the box's default button Save as PDF, a path
# without suffix typed into the file dialog, Return. That name with ".pdf" is an old file: the
# program must ask before replacing it, Esc (Cancel) must bring back the dialog with the old file
# as it was, and Return (Replace) the second time must write the report there, its text holding
# the heading, the row and the closing.
#
# The file dialog is Qt's own (QT_QPA_PLATFORMTHEME=generic keeps a desktop's theme from putting
# its native dialog in its place), or with "gtk" GTK's, as on GNOME or Xfce with Qt's GTK theme:
# GTK asks only about the name as typed, so the question about the name with ".pdf" is ours.
#
# Usage: tests/e2e/pdf_save.sh [EXECUTABLE [qt|gtk]]     (default build/app/forgeTally qt)
#        FORGETALLY_E2E_ARTIFACTS=DIR keeps the screenshots (box.png, dialog.png), the logs and the
#        PDF there; otherwise they are kept in a temporary directory only when a step fails.
# Prints PASS or FAIL per step and "N passed, N failed"; exits non-zero when a step failed.
set -uo pipefail

# Every step waits for what it needs (a window, its focus, a file), up to $limit seconds, so that
# a machine whose cores are busy with other work is slow but not wrong. A hung run must not hang
# the caller: the whole run gets 180 s, then a TERM that cleans up.
if [ -z "${FORGETALLY_E2E_BOUNDED:-}" ]; then
  FORGETALLY_E2E_BOUNDED=1 exec timeout --kill-after=10 180 bash "$0" "$@"
fi
limit=25

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=${1:-build/app/forgeTally}
theme=(QT_QPA_PLATFORMTHEME=generic)
# GTK keeps its settings in memory: a bare session has no dconf service.
[ "${2:-qt}" = gtk ] && theme=(QT_QPA_PLATFORMTHEME=gtk3 XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=memory)
title='MIRVAK Production Calculator'
dialog_title='Save Production Report'

# shellcheck source=tests/e2e/common.sh
source "$here/common.sh"

require_tools Xvfb openbox xdotool import convert compare pdftotext
[ -x "$exe" ] || { fail "no executable at $exe"; finish; }

# A private home, so that the documents folder and openbox's settings are this run's own.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/Documents"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS

start_desktop

env "${theme[@]}" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb CUPS_SERVER=127.0.0.1:1 \
  "$exe" >"$artifacts/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

windows_named() { # the ids of the program's visible windows with exactly this name
  xdotool search --onlyvisible --all --pid "$app_pid" --name "^$1\$" 2>/dev/null || true
}
count_named() { windows_named "$1" | grep -c . ; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Keys go to the window that has the focus: each step's keys wait until the window manager has
# given it to the window they are meant for.
wait_active() { # wait_active ID WHAT
  wait_for "$limit" is_active "$1" || { fail "$2 has the focus within $limit s"; finish; }
}

# 1. The window is mapped; openbox gives it the focus, which starts on the item type.
main_window=''
find_main() { main_window=$(windows_named "$title" | head -n1); [ -n "$main_window" ]; }
if wait_for "$limit" find_main; then pass "the window \"$title\" is mapped"; else
  fail "the window \"$title\" is mapped within $limit s"; finish
fi
wait_active "$main_window" "the window \"$title\""

# 2. Row 1's quantity is the fifth stop after the item type (Use a Workshop, Enforce, Skill Level,
#    row 1's item); Tab selects the field's "0", so typing replaces it. The "Total Cost" group (its
#    share of the window: the layout scales as a whole) is looked at until the totals change.
eval "$(xdotool getwindowgeometry --shell "$main_window")"
totals="$((WIDTH * 3015 / 10935))x$((HEIGHT * 1695 / 6420))+$((WIDTH * 120 / 10935))+$((HEIGHT * 2160 / 6420))"
painted() { # the group's captions and figures are drawn: more than a background's colours
  import -window "$main_window" -crop "$totals" +repage "$work/before.png" &&
    [ "$(convert "$work/before.png" -format %k info:)" -gt 8 ]
}
wait_for "$limit" painted || { fail "the window is painted within $limit s"; finish; }
xdotool key --delay 60 Tab Tab Tab Tab Tab
xdotool type --delay 40 3
xdotool key Tab
totals_changed() {
  import -window "$main_window" -crop "$totals" +repage "$work/after.png"
  [ "$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)" -gt 20 ] 2>/dev/null
}
if wait_for "$limit" totals_changed; then pass "a quantity typed into row 1 changes the totals"; else
  fail "a quantity typed into row 1 changes the totals within $limit s"; finish
fi

# 3. Alt+P: no printer, so the box that says so and offers the PDF.
xdotool key alt+p
box_open() { [ "$(count_named "$title")" -ge 2 ]; }
box_id() { windows_named "$title" | grep -vx "$main_window" | head -n1; }
if wait_for "$limit" box_open; then
  pass "Print without a printer opens the box"
  wait_active "$(box_id)" "the box"
  import -window root "$artifacts/box.png" 2>/dev/null
else
  fail "Print without a printer opens the box within $limit s"; finish
fi

# 4. Return on the default button, Save as PDF: the file dialog.
xdotool key Return
dialog=''
find_dialog() { dialog=$(windows_named "$dialog_title" | head -n1); [ -n "$dialog" ]; }
if wait_for "$limit" find_dialog; then
  pass "Save as PDF opens \"$dialog_title\""
  import -window root "$artifacts/dialog.png" 2>/dev/null
else
  fail "Save as PDF opens \"$dialog_title\" within $limit s"; finish
fi
[ "${2:-qt}" = qt ] || grep -q libgtk-3 "/proc/$app_pid/maps" || { fail "the dialog is GTK's"; finish; }

# 5. A path without suffix in the file-name field (it has the focus, its suggestion selected): an
#    old file's name less its ".pdf". The program asks before replacing it: Esc (Cancel) brings
#    back the dialog with the old file as it was; the second time Return (Replace) replaces it.
target="$work/out/Brannoc report"
saved="$target.pdf"
mkdir -p "$work/out"
echo "the report of last weekend" | tee "$saved" >"$work/old.pdf"
question_open() { [ -z "$(windows_named "$dialog_title")" ] && box_open; }
for answer in Escape Return; do
  wait_active "$dialog" "the dialog"
  xdotool key ctrl+a
  xdotool type --delay 20 "$target"
  xdotool key Return
  { wait_for "$limit" question_open && cmp -s "$saved" "$work/old.pdf"; } ||
    { fail "no question within $limit s"; finish; }
  pass "the program asks before replacing the old file, still as it was"
  wait_active "$(box_id)" "the question"
  import -window root "$artifacts/question-$answer.png" 2>/dev/null
  xdotool key "$answer"
  [ "$answer" = Return ] || wait_for "$limit" find_dialog ||
    { fail "Cancel goes back to the dialog within $limit s"; finish; }
done
# The report is whole once its last line reads back.
report_text() { pdftotext -layout "$saved" - 2>"$artifacts/pdftotext.log" | tr -s ' '; }
written() { grep -q '^%PDF' "$saved" && report_text | grep -q 'End of Report'; }
if wait_for "$limit" written; then pass "the PDF is written, \".pdf\" added: $saved"; else
  fail "the PDF is written within $limit s, \".pdf\" added: $saved (the folder holds: $(ls "$work/out"))"
  finish
fi
dialog_gone() { [ -z "$(windows_named "$dialog_title")" ] && [ "$(count_named "$title")" -eq 1 ]; }
if wait_for "$limit" dialog_gone; then pass "the dialog closes and no other box follows"; else
  fail "the dialog closes and no other box follows (within $limit s)"
fi

# 6. The file's text: the heading, the row (3 x Alchemical Solvent (Contact), 24 points), the end.
text=$(report_text)
cp "$saved" "$artifacts/report.pdf" 2>/dev/null
for expected in "Production Output" "Alchemical Solvent (Contact) 3 24 2.4" "End of Report"; do
  if grep -qxF -- "$expected" <<<"$(sed 's/^ //; s/ $//' <<<"$text")"; then
    pass "the PDF holds \"$expected\""
  else
    fail "the PDF holds \"$expected\""
  fi
done
left=$(find "$work/out" -mindepth 1 -printf '%f\n')
if [ "$left" = "Brannoc report.pdf" ]; then pass "no temporary file is left beside it"; else
  fail "no temporary file is left beside it: $(tr '\n' ' ' <<<"$left")"
fi

# 7. The program is still running and closes with status 0 (WM_DELETE_WINDOW, as the close box).
if kill -0 "$app_pid" 2>/dev/null; then
  python3 "$here/x11_close.py" "$main_window"
  exited() { ! kill -0 "$app_pid" 2>/dev/null; }
  if wait_for "$limit" exited; then
    wait "$app_pid"
    status=$?
    if [ "$status" -eq 0 ]; then pass "closing the window ends the program with status 0"; else
      fail "closing the window ends the program with status 0 (status $status)"
    fi
  else
    fail "closing the window ends the program (still running after $limit s)"
  fi
else
  fail "the program is still running after the save"
fi
finish
