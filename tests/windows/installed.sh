#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317  # the helpers run through wait_for and the traps
# The Windows artefacts under Wine, on Xvfb with openbox as window manager, in a fresh Wine prefix:
#  - the installer runs silently (/S): the program, its Start-menu shortcut pointing at it and its
#    entry among the installed programs are there;
#  - the program started through that shortcut shows its window and is driven by real X input: a
#    quantity typed and Tab, and the totals on screen change; Alt+A opens one About window; Alt+P,
#    with no printer, offers the PDF; Save as PDF, a path typed, Return: the file's text holds the
#    report's row and totals;
#  - the uninstaller (/S) removes the program, its shortcut and its entry;
#  - the ZIP, unpacked into a folder of its own, starts and shows its window.
#
# Usage: tests/windows/installed.sh SETUP.EXE ZIP
#        FORGETALLY_WINE_DPI=144 sets Wine's screen resolution (LogPixels; default 96).
#        FORGETALLY_E2E_ARTIFACTS=DIR keeps the screenshots (window.png, about.png, pdf-box.png)
#        and logs there; otherwise they are kept only when a step fails.
set -uo pipefail

# A hung step must not hang the caller.
if [ -z "${FORGETALLY_E2E_BOUNDED:-}" ]; then
  FORGETALLY_E2E_BOUNDED=1 exec timeout --kill-after=10 300 bash "$0" "$@"
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
setup=$(realpath "${1:?usage: installed.sh SETUP.EXE ZIP}")
zip=$(realpath "${2:?usage: installed.sh SETUP.EXE ZIP}")
dpi=${FORGETALLY_WINE_DPI:-96}
title='MIRVAK Production Calculator'
about_title="About $title"
dialog_title='Save Production Report'
shortcut_name="$title.lnk"

# shellcheck source=tests/e2e/common.sh
source "$here/../e2e/common.sh"
require_tools Xvfb openbox xdotool import compare pdftotext wine wineserver cmake python3

# A private home, so that Wine's links to the user's folders go nowhere real.
export HOME="$work/home"
mkdir -p "$HOME/Documents"
# A fresh prefix outside the clone, removed with the scratch folder; no menu entries or file
# associations reach this machine's desktop, and no Mono or Gecko prompt.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# The printing service out of reach: Windows' printer list is empty.
export CUPS_SERVER=127.0.0.1:1
wine_done() { timeout 60 wineserver -w; }
cleanup_wine() { wineserver -k 2>/dev/null; }
trap 'cleanup_wine; cleanup' EXIT

start_desktop
wine wineboot --init >"$artifacts/wineboot.log" 2>&1
# Windows has its interface font installed; Wine's Tahoma (fonts-wine) stands in for Segoe UI.
# Wine does not load them from its own folder, so they go where Windows keeps its fonts (Marlett
# draws the buttons of the title bars Wine draws itself).
cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
printf '#!/bin/sh\necho "$1" >>"%s/urls"\n' "$work" >"$work/browser"
chmod +x "$work/browser"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine_done

# 1. Silent install. An administrator (every Wine user is one) installs for all users.
wine "$setup" /S >"$artifacts/setup.log" 2>&1
wine_done
drive_c="$WINEPREFIX/drive_c"
install_dir="$drive_c/Program Files/forgeTally"
menu_dir="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title"
if [ -f "$install_dir/forgeTally.exe" ] && [ -f "$install_dir/forgetally-print.dll" ] &&
  [ -f "$install_dir/platforms/qwindows.dll" ]; then
  pass "the installer puts the program into C:\\Program Files\\forgeTally"
else
  fail "the installer puts the program into C:\\Program Files\\forgeTally: $(ls -R "$drive_c/Program Files" 2>&1 | head -20)"
  finish
fi
shortcut="$menu_dir/$shortcut_name"
# A shell link names its target in the local code page and in UTF-16: drop the zero bytes.
if [ -f "$shortcut" ] && tr -d '\000' <"$shortcut" | grep -aqiF 'C:\Program Files\forgeTally\forgeTally.exe'; then
  pass "the Start menu has \"$title\", pointing at the installed program"
else
  fail "the Start menu has \"$title\", pointing at the installed program: $(ls "$menu_dir" 2>&1)"
fi
uninstall_entry() { grep -aiA12 '\\Uninstall\\\\forgeTally\]' "$WINEPREFIX/system.reg"; }
if uninstall_entry | grep -qF "\"DisplayName\"=\"$title\""; then
  pass "installed programs list \"$title\" with its uninstaller"
else
  fail "installed programs list \"$title\" with its uninstaller"
fi

# 2. Started through its shortcut.
started=$SECONDS
wine start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$title\\$shortcut_name" \
  >"$artifacts/program.log" 2>&1
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
count_named() { windows_named "$1" | grep -c .; }
main_window=''
find_main() { main_window=$(windows_named "$title" | head -n1); [ -n "$main_window" ]; }
if wait_for 30 find_main; then
  pass "the shortcut starts the program: its window shows ($((SECONDS - started)) s)"
else
  fail "the shortcut starts the program: its window shows"
  finish
fi
app_pid=$(xdotool getwindowpid "$main_window" 2>/dev/null)
xdotool mousemove 1279 799 # the pointer off the window: no control shows it hovering
active_is_main() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$main_window" ]; }
wait_for 5 active_is_main || xdotool windowactivate --sync "$main_window" 2>/dev/null
sleep 0.5
import -window "$main_window" "$artifacts/window-start.png" 2>/dev/null

# The "Total Cost" group, as a share of the client area: the layout scales as a whole.
totals_region() {
  local width height
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  width=$((WIDTH * 3015 / 10935))
  height=$((HEIGHT * 1695 / 6420))
  echo "${width}x${height}+$((WIDTH * 120 / 10935))+$((HEIGHT * 2160 / 6420))"
}
region=$(totals_region)
import -window "$main_window" -crop "$region" +repage "$work/totals-before.png" 2>/dev/null

# 3. Row 1's quantity is the fifth stop after the item type; Tab selects its "0".
xdotool key --delay 80 Tab Tab Tab Tab Tab
xdotool type --delay 60 3
xdotool key Tab
sleep 0.5
import -window "$main_window" -crop "$region" +repage "$work/totals-after.png" 2>/dev/null
import -window "$main_window" "$artifacts/window.png" 2>/dev/null
changed=$(compare -metric AE "$work/totals-before.png" "$work/totals-after.png" null: 2>&1)
if [[ "$changed" =~ ^[0-9]+$ ]] && [ "$changed" -gt 20 ]; then
  pass "a quantity typed and Tab: the totals on screen change ($changed pixels)"
else
  fail "a quantity typed and Tab: the totals on screen change (compare says: $changed)"
fi

# 4. Alt+A opens the About window; again from the calculator, still one.
xdotool key alt+a
about_open() { [ "$(count_named "$about_title")" -eq 1 ]; }
if wait_for 10 about_open; then
  sleep 0.5
  import -window "$(windows_named "$about_title" | head -n1)" "$artifacts/about.png" 2>/dev/null
  xdotool windowactivate --sync "$main_window" 2>/dev/null
  xdotool key alt+a
  sleep 1
  check "Alt+A twice: About windows" 1 "$(count_named "$about_title")"
  # Visit Homepage: the shell hands the address to Wine's browser launcher, here a recorder.
  xdotool windowactivate --sync "$(windows_named "$about_title" | head -n1)" 2>/dev/null
  xdotool key Tab Return
  homepage=$(sed -n 's/.*HOMEPAGE_URL "\(.*\)"/\1/p' "$here/../../CMakeLists.txt")
  if wait_for 10 test -s "$work/urls"; then check "Visit Homepage opens" "$homepage" "$(head -n1 "$work/urls")"; else
    fail "Visit Homepage opens the homepage through the shell"
  fi
  check "the About window stays open: About windows" 1 "$(count_named "$about_title")"
else
  fail "Alt+A opens the About window"
fi
xdotool windowactivate --sync "$(windows_named "$about_title" | head -n1)" 2>/dev/null
xdotool key Escape
about_gone() { [ "$(count_named "$about_title")" -eq 0 ]; }
wait_for 5 about_gone || fail "Esc closes the About window"
xdotool windowactivate --sync "$main_window" 2>/dev/null
sleep 0.3

# 5. Alt+P: no printer, so the box that says so and offers the PDF.
xdotool key alt+p
box_open() { [ "$(count_named "$title")" -ge 2 ]; }
if wait_for 10 box_open; then
  pass "Print without a printer offers the PDF"
  sleep 0.5
  import -window "$(windows_named "$title" | grep -vx "$main_window" | head -n1)" \
    "$artifacts/pdf-box.png" 2>/dev/null
else
  fail "Print without a printer offers the PDF"; finish
fi

# 6. Return on the default button, Save as PDF: Windows' (Wine's) file dialog.
xdotool key Return
dialog=''
find_dialog() { dialog=$(windows_named "$dialog_title" | head -n1); [ -n "$dialog" ]; }
if wait_for 10 find_dialog; then pass "Save as PDF opens \"$dialog_title\""; else
  fail "Save as PDF opens \"$dialog_title\""; finish
fi
sleep 0.5
import -window "$dialog" "$artifacts/pdf-dialog.png" 2>/dev/null

# 7. A path without suffix into the file-name box, which has the focus (Wine's box ignores
#    Ctrl+A: End, Shift+Home and BackSpace clear it).
mkdir -p "$work/out"
target="$work/out/Brannoc report"
xdotool key End shift+Home BackSpace
xdotool type --delay 30 "Z:${target//\//\\}"
xdotool key Return
saved="$target.pdf"
if wait_for 15 test -s "$saved"; then pass "the PDF is written, \".pdf\" added"; else
  fail "the PDF is written, \".pdf\" added (the folder holds: $(ls "$work/out"))"; finish
fi
sleep 0.5
text=$(pdftotext -layout "$saved" - 2>/dev/null | tr -s ' ' | sed 's/^ //; s/ $//')
cp "$saved" "$artifacts/report.pdf" 2>/dev/null
for expected in "Production Output" "Alchemical Solvent (Contact) 3 24 2.4" \
  "Total Production Points: 24 / 160" "Total Production Skill Levels Needed: 3 / 2 per day" \
  "Total Silver Cost: 2.4" "End of Report"; do
  if grep -qxF -- "$expected" <<<"$text"; then pass "the PDF holds \"$expected\""; else
    fail "the PDF holds \"$expected\""
  fi
done

# 8. Closed as by the close box, the program ends.
python3 "$here/../e2e/x11_close.py" "$main_window"
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
if wait_for 10 exited; then pass "closing the window ends the program"; else
  fail "closing the window ends the program"
fi
wine_done

# 9. Silent uninstall: the uninstaller copies itself away and returns at once; Wine's server
#    knows when the copy has finished.
wine "C:\\Program Files\\forgeTally\\Uninstall.exe" /S >"$artifacts/uninstall.log" 2>&1
wine_done
if [ ! -e "$install_dir" ]; then pass "the uninstaller removes the program's folder"; else
  fail "the uninstaller removes the program's folder: $(ls "$install_dir")"
fi
if [ ! -e "$shortcut" ] && [ ! -e "$menu_dir" ]; then pass "the uninstaller removes the shortcut"; else
  fail "the uninstaller removes the shortcut"
fi
if uninstall_entry >/dev/null; then fail "the uninstaller removes its entry"; else
  pass "the uninstaller removes its entry"
fi

# 10. The ZIP, unpacked anywhere, runs.
mkdir -p "$work/stick"
(cd "$work/stick" && cmake -E tar xf "$zip")
folder=$(find "$work/stick" -mindepth 1 -maxdepth 1 -type d)
wine "$folder/forgeTally.exe" >"$artifacts/zip-program.log" 2>&1 &
pids+=($!)
if wait_for 30 find_main; then
  pass "the unpacked ZIP starts: its window shows"
  python3 "$here/../e2e/x11_close.py" "$main_window"
else
  fail "the unpacked ZIP starts: its window shows"
fi
wine_done
finish
