#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded libFuzzer run over the rules.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${FORGETALLY_FUZZ_SECONDS:-60}
export QT_QPA_PLATFORM=offscreen
export TZ=UTC

step() { printf '\n=== forgeTally: %s\n' "$*"; }

# The locale tests need a locale whose decimal separator is ",".
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && [ "$(id -u)" -eq 0 ]; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "forgeTally: could not generate de_DE.UTF-8; its tests will be skipped"
fi

step "plain build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORGETALLY_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# The monkey test's own count of what it did.
build/tests/window/tst_monkey 2>/dev/null | grep '^monkey:'

step "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DFORGETALLY_WERROR=ON \
      -DFORGETALLY_SANITIZE=ON -DFORGETALLY_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

step "fuzzing the rules for ${fuzz_seconds} s"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORGETALLY_GUI=OFF \
      -DBUILD_TESTING=OFF -DFORGETALLY_BENCH=OFF -DFORGETALLY_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_rules
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/* "$corpus"/
build-fuzz/tests/fuzz/fuzz_rules -seed=20261208 -max_total_time="$fuzz_seconds" -max_len=256 \
  -print_final_stats=1 "$corpus" 2>&1 | tee build-fuzz/fuzz.log | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY)' || true
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' build-fuzz/fuzz.log)
if grep -qE 'ERROR: libFuzzer|SUMMARY: ' build-fuzz/fuzz.log || [ -z "$runs" ]; then
  echo "fuzz: FAILED (see build-fuzz/fuzz.log)"; exit 1
fi
echo "fuzz: ${runs} inputs tried, 0 crashes"

step "the real program under Xvfb, driven by X input and read through its accessibility tree"
bash tests/e2e/run.sh build/app/forgeTally

step "Debian package: build, install, and the same run of the installed program"
bash scripts/package.sh
if [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    ./build-package/forgetally_1.0.7_amd64.deb >/dev/null
  bash tests/e2e/run.sh /usr/bin/forgeTally
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq forgetally >/dev/null
else
  echo "forgeTally: not root, so the package is built and checked but not installed"
fi
step "all tests passed"
