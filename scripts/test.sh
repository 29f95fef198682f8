#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: the plain build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, bounded libFuzzer runs over the rules and the list reader, the real
# program under Xvfb with a window manager, and the Debian package, checked without installing it.
#
# The package is installed system-wide (and removed again) only when asked: CI=true or
# FORGETALLY_INSTALL_PACKAGE=1, and never over a forgetally that is already installed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh run test package

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${FORGETALLY_FUZZ_SECONDS:-60}
list_fuzz_seconds=${FORGETALLY_LIST_FUZZ_SECONDS:-30}
export QT_QPA_PLATFORM=offscreen
export TZ=UTC

step() { printf '\n=== forgeTally: %s\n' "$*"; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The builds are the presets of CMakePresets.json, as a developer runs them.
step "plain build and tests"
cmake --preset plain >/dev/null
cmake --build --preset plain -j "$jobs"
ctest --preset plain -j "$jobs"
# The monkey test's own count of what it did.
build/tests/window/tst_monkey 2>/dev/null | grep '^monkey:'

step "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

# fuzz NAME SECONDS MAX_LEN CORPUS: a bounded run from a copy of the corpus, with the dictionary.
fuzz() {
  local name=$1 seconds=$2 max_len=$3 corpus=$scratch/$1 log=build-fuzz/$1.log runs
  mkdir -p "$corpus"
  cp "$4"/* "$corpus"/
  build-fuzz/tests/fuzz/"$name" -seed=20261208 -max_total_time="$seconds" -max_len="$max_len" \
    -dict=tests/fuzz/"${name#fuzz_}".dict -print_final_stats=1 "$corpus" 2>&1 | tee "$log" | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY)' || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if grep -qE 'ERROR: libFuzzer|SUMMARY: ' "$log" || [ -z "$runs" ]; then
    echo "$name: FAILED (see $log)"; exit 1
  fi
  echo "$name: ${runs} inputs tried, 0 crashes"
}
step "fuzzing the rules for ${fuzz_seconds} s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
fuzz fuzz_rules "$fuzz_seconds" 256 tests/fuzz/corpus
step "fuzzing the reading of a kept list for ${list_fuzz_seconds} s"
fuzz fuzz_list "$list_fuzz_seconds" 4096 tests/fuzz/list_corpus

step "the real program under Xvfb and a window manager, driven by X input and read through its accessibility tree"
bash tests/e2e/run.sh build/app/forgeTally
step "the report saved as a PDF where there is no printer, by X input under Xvfb and a window manager"
bash tests/e2e/pdf_save.sh build/app/forgeTally qt
step "the same with GTK's file dialog, as on GNOME or Xfce"
bash tests/e2e/pdf_save.sh build/app/forgeTally gtk

step "Debian package: build, lintian, and checks without installing it"
bash scripts/package.sh
package_build=${FORGETALLY_PACKAGE_BUILD:-build-package} # where scripts/package.sh built it
debs=("$package_build"/forgetally_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "forgeTally: expected one package in $package_build, found: ${debs[*]}" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
# Its dependencies resolve from Debian's archive (apt's simulation installs nothing).
if apt-get install -s -qq "$deb" >"$scratch/apt-simulation.log" 2>&1; then
  echo "package: its dependencies resolve ($(dpkg-deb --field "$deb" Depends))"
else
  cat "$scratch/apt-simulation.log" >&2
  echo "package: FAILED: apt cannot resolve its dependencies" >&2
  exit 1
fi
# The unpacked program runs the same scenario as the built one.
dpkg-deb -x "$deb" "$scratch/unpacked"
bash tests/e2e/run.sh "$scratch/unpacked/usr/bin/forgeTally"

if [ "${CI:-}" = true ] || [ "${FORGETALLY_INSTALL_PACKAGE:-}" = 1 ]; then
  step "Debian package: installed system-wide, run, removed"
  if dpkg-query -W -f='${db:Status-Status}' forgetally 2>/dev/null | grep -qx installed; then
    echo "forgeTally: forgetally is already installed on this system: left as it is, not reinstalled"
  elif [ "$(id -u)" -ne 0 ]; then
    echo "forgeTally: installing the package needs root; skipped"
  else
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
    status=0
    bash tests/e2e/run.sh /usr/bin/forgeTally || status=$?
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq forgetally >/dev/null
    [ "$status" -eq 0 ] || exit "$status"
  fi
fi
step "all tests passed"
