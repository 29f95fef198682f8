#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317  # the helpers run through wait_for and the traps
# The Windows artefacts under Wine, on Xvfb with openbox as window manager, in a fresh Wine prefix:
#  - the installer runs silently (/S): the program, its Start-menu shortcut pointing at it and its
#    entry among the installed programs are there;
#  - the program started through that shortcut shows its window and is driven by real X input: a
#    quantity typed and Tab, and the totals on screen change; Alt+A opens one About window, whose
#    Visit Homepage reaches the shell; Alt+P, with no printer, offers the PDF; Save as PDF, a path
#    typed, Return: the file's text holds the report's row and totals;
#  - the uninstaller (/S) removes the program, its shortcut and its entry;
#  - the ZIP, unpacked into a folder of its own, starts and shows its window.
#
# Usage: tests/windows/installed.sh SETUP.EXE ZIP
#        FORGETALLY_WINE_DPI=144 sets Wine's screen resolution (LogPixels; default 96).
#        FORGETALLY_E2E_ARTIFACTS=DIR keeps the screenshots (window.png, about.png, pdf-box.png)
#        and logs there; otherwise they are kept only when a step fails.
set -uo pipefail

# Every step waits for what it needs (a window, its focus, a file, a process), up to $limit
# seconds, so that busy cores make the run slow but not wrong. A hung step must not hang the caller.
if [ -z "${FORGETALLY_E2E_BOUNDED:-}" ]; then
  FORGETALLY_E2E_BOUNDED=1 exec timeout --kill-after=10 420 bash "$0" "$@"
fi
limit=30

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
setup=$(realpath "${1:?usage: installed.sh SETUP.EXE ZIP}")
zip=$(realpath "${2:?usage: installed.sh SETUP.EXE ZIP}")
title='MIRVAK Production Calculator'
homepage=$(sed -n 's/.*HOMEPAGE_URL "\(.*\)"/\1/p' "$here/../../CMakeLists.txt")

# shellcheck source=tests/e2e/common.sh
source "$here/../e2e/common.sh"
require_tools Xvfb openbox xdotool import compare pdftotext wine wineserver cmake python3
expect() { # expect DESCRIPTION COMMAND...: PASS when COMMAND succeeds
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
shot() { import -window "$1" "$artifacts/$2.png" 2>/dev/null; }
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
count() { named "$1" | grep -c .; }
activate() { xdotool windowactivate --sync "$(named "$1" | head -n1)" 2>/dev/null; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Keys go to the window with the focus: they wait until the window manager has given it.
wait_active() { # wait_active ID WHAT
  wait_for "$limit" is_active "$1" || { fail "$2 has the focus within $limit s"; finish; }
}

# A private home and a fresh prefix, outside the clone; no menu entries or file associations
# reach this machine's desktop, no Mono or Gecko prompt, and no printer (CUPS out of reach).
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all CUPS_SERVER=127.0.0.1:1
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
mkdir -p "$HOME/Documents" "$work/out"
wine_done() { timeout 60 wineserver -w; }
trap 'wineserver -k 2>/dev/null; cleanup' EXIT
start_desktop
wine wineboot --init >"$artifacts/wineboot.log" 2>&1
# Windows has its interface font; Wine's Tahoma (fonts-wine) stands in for Segoe UI, and Marlett
# draws the buttons of the title bars Wine draws itself. Wine does not load them from its own
# folder, so they go where Windows keeps its fonts.
cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# The shell's browser: a recorder of the addresses it is given.
printf '#!/bin/sh\necho "$1" >>"%s/urls"\n' "$work" >"$work/browser" && chmod +x "$work/browser"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d "${FORGETALLY_WINE_DPI:-96}" /f >/dev/null 2>&1
wine_done

# 1. Silent install. An administrator (every Wine user is one) installs for all users.
wine "$setup" /S >"$artifacts/setup.log" 2>&1
wine_done
program_dir="$WINEPREFIX/drive_c/Program Files/forgeTally"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title"
installed() { [ -f "$program_dir/forgeTally.exe" ] && [ -f "$program_dir/platforms/qwindows.dll" ]; }
expect "the installer puts the program into C:\\Program Files\\forgeTally" installed || finish
# A shell link names its target in the local code page and in UTF-16: drop the zero bytes.
points_at_program() {
  tr -d '\000' <"$menu/$title.lnk" | grep -aqF 'C:\Program Files\forgeTally\forgeTally.exe'
}
expect "the Start menu's \"$title\" points at the installed program" points_at_program
entry() { grep -aA12 '\\Uninstall\\\\forgeTally\]' "$WINEPREFIX/system.reg" | grep -qF "$1"; }
expect "installed programs list \"$title\"" entry "\"DisplayName\"=\"$title\""

# 2. Started through its shortcut; the pointer off the window, so that nothing shows it hovering.
wine start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$title\\$title.lnk" \
  >"$artifacts/program.log" 2>&1
main=''
find_main() { main=$(named "$title" | head -n1); [ -n "$main" ]; }
expect "the shortcut starts the program: its window shows within $limit s" wait_for "$limit" find_main ||
  finish
app_pid=$(xdotool getwindowpid "$main")
xdotool mousemove 1279 799
activate "$title"
wait_active "$main" "the window"
# The "Total Cost" group, as a share of the client area (the layout scales as a whole).
eval "$(xdotool getwindowgeometry --shell "$main")"
totals="$((WIDTH * 3015 / 10935))x$((HEIGHT * 1695 / 6420))+$((WIDTH * 120 / 10935))+$((HEIGHT * 2160 / 6420))"
import -window "$main" -crop "$totals" +repage "$work/before.png"

# 3. Row 1's quantity is the fifth stop after the item type; Tab selects its "0". The totals are
#    looked at until they change, or for $limit s.
xdotool key --delay 80 Tab Tab Tab Tab Tab && xdotool type --delay 60 3 && xdotool key Tab
changed=''
differ() {
  import -window "$main" -crop "$totals" +repage "$work/after.png"
  changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)
  [[ "$changed" =~ ^[0-9]+$ ]] && [ "$changed" -gt 20 ]
}
wait_for "$limit" differ
shot "$main" window
expect "a quantity typed and Tab: the totals on screen change ($changed pixels)" differ

# 4. Alt+A opens the About window; again from the calculator, still one. Its Visit Homepage
#    hands the address to the shell, which hands it to the browser; the window stays.
xdotool key alt+a
one_about() { [ "$(count "About $title")" -eq 1 ]; }
# Brought forward: above the calculator in the window manager's stacking order (under Wine the
# focus may stay with the calculator).
about_above() {
  local stack about
  stack=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed 's/.*# //; s/, /\n/g' |
    while read -r id; do printf '%d\n' "$id"; done)
  about=$(named "About $title" | head -n1)
  [ -n "$about" ] && grep -qx -- "$about" <<<"$stack" &&
    [ "$(grep -nx -- "$about" <<<"$stack" | cut -d: -f1)" -gt "$(grep -nx -- "$main" <<<"$stack" | cut -d: -f1)" ]
}
expect "Alt+A opens the About window" wait_for "$limit" one_about &&
  wait_active "$(named "About $title" | head -n1)" "the About window"
shot "$(named "About $title" | head -n1)" about
# The second Alt+A has been handled once the About window stands above the calculator again.
activate "$title" && wait_active "$main" "the window" && xdotool key alt+a
wait_for "$limit" about_above || fail "Alt+A again brings the About window forward within $limit s"
expect "Alt+A again: still one About window" one_about
activate "About $title" && xdotool key Tab Return
expect "Visit Homepage opens the homepage through the shell" wait_for "$limit" test -s "$work/urls"
check "the address handed to the browser" "$homepage" "$(head -n1 "$work/urls")"
expect "the About window stays open" one_about
activate "About $title" && xdotool key Escape
no_about() { [ "$(count "About $title")" -eq 0 ]; }
expect "Esc closes the About window" wait_for "$limit" no_about

# 5. Alt+P: no printer, so the box that says so and offers the PDF; Return, Save as PDF: the
#    file dialog (Wine's); a path without suffix into its name box, which ignores Ctrl+A (End,
#    Shift+Home and BackSpace clear it), Return.
activate "$title" && xdotool key alt+p
box_open() { [ "$(count "$title")" -ge 2 ]; }
expect "Print without a printer offers the PDF" wait_for "$limit" box_open || finish
box=$(named "$title" | grep -vx "$main" | head -n1)
wait_active "$box" "the PDF offer"
shot "$box" pdf-box
xdotool key Return
dialog_open() { [ -n "$(named 'Save Production Report')" ]; }
expect "Save as PDF opens \"Save Production Report\"" wait_for "$limit" dialog_open || finish
wait_active "$(named 'Save Production Report' | head -n1)" "the file dialog"
target="$work/out/Brannoc report"
xdotool key End shift+Home BackSpace && xdotool type --delay 30 "Z:${target//\//\\}"
xdotool key Return
# The report is whole once its last line reads back.
text=''
report_read() {
  text=$(pdftotext -layout "$target.pdf" - 2>/dev/null | tr -s ' ' | sed 's/^ //; s/ $//')
  grep -q '^End of Report' <<<"$text"
}
expect "the PDF is written within $limit s, \".pdf\" added" wait_for "$limit" report_read || finish
for line in "Alchemical Solvent (Contact) 3 24 2.4" "Total Production Points: 24 / 160" \
  "Total Production Skill Levels Needed: 3 / 2 per day" "Total Silver Cost: 2.4"; do
  expect "the PDF holds \"$line\"" grep -qxF -- "$line" <<<"$text"
done

# 6. Closed as by the close box, the program ends; then the silent uninstall (the uninstaller
#    copies itself away and returns at once; Wine's server knows when the copy has finished).
python3 "$here/../e2e/x11_close.py" "$main"
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
expect "closing the window ends the program" wait_for "$limit" ended
wine_done
wine "C:\\Program Files\\forgeTally\\Uninstall.exe" /S >"$artifacts/uninstall.log" 2>&1
wine_done
expect "the uninstaller removes the program's folder" test ! -e "$program_dir"
expect "the uninstaller removes the shortcut" test ! -e "$menu"
no_entry() { ! entry DisplayName; }
expect "the uninstaller removes its entry" no_entry

# 7. The ZIP, unpacked anywhere, runs.
(cd "$work/out" && cmake -E tar xf "$zip")
wine "$(echo "$work"/out/forgeTally-*/forgeTally.exe)" >"$artifacts/zip-program.log" 2>&1 &
pids+=($!)
expect "the unpacked ZIP starts: its window shows within $limit s" wait_for "$limit" find_main
python3 "$here/../e2e/x11_close.py" "$main"
wine_done
finish
