#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# forgeTally in a browser. Installs the Debian packages it needs that are missing, as the other
# scripts do, then:
#  1. builds the core (the rules and the form) to WebAssembly with Debian's emscripten, in
#     build-web/wasm, with the whole site (the build draws the icons and writes the service
#     worker), and runs the core's test suites under node (the wasm preset);
#  2. installs the web tests' npm packages as tests/web/package-lock.json pins them (npm ci, no
#     install scripts: no package downloads a browser), when they changed since the last run;
#  3. runs the web tests in each engine against a static server on 127.0.0.1: Debian's chromium and
#     firefox-esr, headless, and WebKitGTK's MiniBrowser on Xvfb (FORGETALLY_WEB_ENGINES names
#     fewer: "chromium firefox").
# The site, ready for any static host, is build-web/site/.
# Usage: scripts/web.sh          build and test
#        scripts/web.sh serve    serve build-web/site/ at http://127.0.0.1:8080/ to try it
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh web

node_major=$(node -p 'process.versions.node.split(".")[0]' 2>/dev/null || echo 0)
if ((node_major < 18)); then
  echo "forgeTally: the web build needs node 18 or later; found $(node --version 2>/dev/null || echo none)" >&2
  exit 1
fi

if [ "${1:-}" = serve ]; then
  if [ ! -f build-web/site/index.html ]; then
    echo "forgeTally: build-web/site/ holds no page yet: scripts/web.sh builds it" >&2
    exit 1
  fi
  echo "forgeTally: serving build-web/site/ at http://127.0.0.1:8080/ (Ctrl+C stops it)"
  exec node scripts/serve.mjs build-web/site 8080
fi
(($# == 0)) || { echo "usage: scripts/web.sh [serve]" >&2; exit 2; }

jobs=${FORGETALLY_JOBS:-$(nproc 2>/dev/null || echo 2)}
step() { printf '\n=== forgeTally on the web: %s (%d s)\n' "$*" "$SECONDS"; }

step "the core, built to WebAssembly, and the site in build-web/site"
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j "$jobs"

step "the core's test suites under node"
ctest --preset wasm -j "$jobs"

step "the web tests' npm packages"
# npm ci starts again from nothing; it runs only when the package files changed since it last ran.
stamp=tests/web/node_modules/.forgetally-installed
installed=$(cat tests/web/package.json tests/web/package-lock.json | sha256sum)
if [ "$(cat "$stamp" 2>/dev/null)" != "$installed" ]; then
  (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund)
  echo "$installed" >"$stamp"
else
  echo "as installed before"
fi

scratch=$(mktemp -d)
server=''
stop_server() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$scratch"
}
trap stop_server EXIT
node scripts/serve.mjs build-web/site 0 >"$scratch/address" 2>"$scratch/server.log" &
server=$!
for _ in $(seq 200); do [ -s "$scratch/address" ] && break; sleep 0.05; done
[ -s "$scratch/address" ] || { cat "$scratch/server.log" >&2; echo "forgeTally: the static server did not start" >&2; exit 1; }
# Every engine runs, so that one failing still shows how the others fare.
failed=()
for engine in ${FORGETALLY_WEB_ENGINES:-chromium firefox webkit}; do
  step "the web tests in $engine"
  display=()
  # WebKitGTK draws on X: a small screen of its own, whose pointer (at its middle) every window
  # covers, so the page under test has the focus.
  [ "$engine" != webkit ] || display=(xvfb-run -a -s '-screen 0 200x200x24')
  FORGETALLY_WEB_ENGINE=$engine FORGETALLY_WEB_URL=$(head -n1 "$scratch/address") \
    "${display[@]}" node --test tests/web/*.test.mjs || failed+=("$engine")
done
if ((${#failed[@]})); then
  echo "forgeTally: the web tests failed in: ${failed[*]}" >&2
  exit 1
fi

step "done"
