#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds forgeTally for 64-bit Windows on this Debian machine, and tests it under Wine:
#  1. Qt for Windows from Debian's own qt6-base source, once per machine (scripts/windows-qt.sh:
#     about half an hour on 2 cores; later runs find it in ~/.cache/forgetally);
#  2. the program and its tests, cross-built with MinGW-w64;
#  3. the rules, report, About and window test suites, run under Wine through CTest;
#  4. the installer and the portable ZIP, in build-windows/:
#     forgeTally-<version>-windows-x64-setup.exe and forgeTally-<version>-windows-x64.zip;
#  5. the installer installed silently into a fresh Wine prefix, the installed program driven by
#     X input on Xvfb with openbox, uninstalled again; the ZIP unpacked and started
#     (tests/windows/installed.sh).
# Installs the Debian packages it needs that are missing, as the other scripts do.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh run windows

jobs=${FORGETALLY_JOBS:-$(nproc 2>/dev/null || echo 2)}
out=build-windows
cache=${FORGETALLY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/forgetally}
mkdir -p "$cache"
step() { printf '\n=== forgeTally for Windows: %s (%d s)\n' "$*" "$SECONDS"; }

step "Qt for Windows"
qt=$(FORGETALLY_JOBS=$jobs bash scripts/windows-qt.sh)
[ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] || { echo "forgeTally: no Qt for Windows in \"$qt\"" >&2; exit 1; }
echo "Qt for Windows: $qt"

step "the icon generator, built for this machine"
cmake -S . -B "$out/host" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DFORGETALLY_BENCH=OFF >/dev/null
cmake --build "$out/host" -j "$jobs" --target forgetally_icons

step "the program and its tests, cross-built"
cmake -S . -B "$out/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DFORGETALLY_QT_PREFIX="$qt" -DCMAKE_BUILD_TYPE=Release -DFORGETALLY_WERROR=ON \
      -DBUILD_TESTING=ON -DFORGETALLY_BENCH=OFF \
      -DFORGETALLY_ICON_TOOL="$root/$out/host/forgetally_icons" >/dev/null
cmake --build "$out/win" -j "$jobs"

step "the test suites under Wine"
# Wine's windows need an X server, even for Qt's offscreen platform; a prefix of this run's own.
scratch=$(mktemp -d "$cache/wine-tests.XXXXXX")
xvfb=''
stop_wine() {
  WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap stop_wine EXIT
Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "forgeTally: Xvfb did not start" >&2; exit 1; }
(
  export DISPLAY=":$(head -n1 "$scratch/display")" WINEPREFIX="$scratch/prefix"
  # Wine's server and services start before CTest, cut off from its output: CTest waits for
  # whatever holds a test's output open, and they would hold it for good.
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  "$out/win/wine-run.sh" wineboot --init </dev/null >/dev/null 2>&1
  ctest --test-dir "$out/win" --output-on-failure --timeout 300 -j "$jobs"
)
stop_wine
trap - EXIT

step "the installer and the ZIP"
rm -rf "$out/packages" "$out"/forgeTally-*-windows-x64*
(cd "$out/win" && cpack -B "$root/$out/packages" >/dev/null)
mv "$out"/packages/forgeTally-*-windows-x64-setup.exe "$out"/packages/forgeTally-*-windows-x64.zip "$out"/
rm -rf "$out/packages"
setup=$(echo "$out"/forgeTally-*-windows-x64-setup.exe)
zip=$(echo "$out"/forgeTally-*-windows-x64.zip)
ls -l "$setup" "$zip"

step "installed, started, driven and uninstalled under Wine"
bash tests/windows/installed.sh "$setup" "$zip"

step "done: $setup and $zip"
