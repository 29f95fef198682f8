#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds forgeTally for release, makes the Debian package, checks it with lintian and
# prints the package's path. Install it with: apt install ./build-package/forgetally_*.deb
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh run package

jobs=$(nproc 2>/dev/null || echo 2)
# FORGETALLY_PACKAGE_BUILD puts the build elsewhere (a scratch directory, a CI cache).
build=${FORGETALLY_PACKAGE_BUILD:-build-package}
step() { printf '\n=== forgeTally: %s\n' "$*"; }

step "release build"
# The hardening flags of a Debian package build, all of them; CMake reads no CPPFLAGS, so they
# join CXXFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# Built for /usr, where the package installs: the printing module then goes to the multiarch
# library folder, /usr/lib/<triplet>/forgetally, which the program finds and ldconfig leaves alone.
# The release preset, in the chosen folder.
cmake --preset release -B "$build" \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "$jobs"

step "Debian package"
rm -f "$build"/forgetally_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/forgetally_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
dpkg-deb --contents "$deb" | awk '{ print $6 }'

step "lintian"
# lintian fails on errors only; its warnings and notes are printed for the reader.
if lintian --tag-display-limit 0 --display-info "$deb"; then
  echo "lintian: no errors"
else
  echo "lintian: FAILED" >&2
  exit 1
fi

step "package ready"
realpath "$deb"
