#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts forgeTally. Installs only what building and running need.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh run
# A build directory that scripts/test.sh configured keeps its settings; only the program is built.
# Otherwise a packager's plain configure: the tests come only where their packages are installed.
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build >/dev/null
fi
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target forgeTally
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "forgeTally: no display found (DISPLAY is not set). Start it from a desktop session," >&2
  echo "or under a virtual display: xvfb-run -s '-screen 0 1280x800x24 -noreset' scripts/run.sh" >&2
  exit 1
fi
exec build/app/forgeTally
