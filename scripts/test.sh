#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: the plain build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded libFuzzer run over the rules, the real program under Xvfb
# with a window manager, and the Debian package, checked without installing it.
#
# The package is installed system-wide (and removed again) only when asked: CI=true or
# FORGETALLY_INSTALL_PACKAGE=1, and never over a forgetally that is already installed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh run test package

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${FORGETALLY_FUZZ_SECONDS:-60}
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

step "fuzzing the rules for ${fuzz_seconds} s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
corpus=$scratch/corpus
mkdir -p "$corpus"
cp tests/fuzz/corpus/* "$corpus"/
build-fuzz/tests/fuzz/fuzz_rules -seed=20261208 -max_total_time="$fuzz_seconds" -max_len=256 \
  -dict=tests/fuzz/rules.dict -print_final_stats=1 "$corpus" 2>&1 | tee build-fuzz/fuzz.log | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY)' || true
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' build-fuzz/fuzz.log)
if grep -qE 'ERROR: libFuzzer|SUMMARY: ' build-fuzz/fuzz.log || [ -z "$runs" ]; then
  echo "fuzz: FAILED (see build-fuzz/fuzz.log)"; exit 1
fi
echo "fuzz: ${runs} inputs tried, 0 crashes"

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
