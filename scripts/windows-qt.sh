#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package, once per machine, and
# prints the folder it is installed in. The same Qt version as the host's Qt tools (they run moc,
# uic and rcc for the cross-build), and only what forgeTally uses.
#
# The build is kept outside the clone, in ${FORGETALLY_CACHE:-~/.cache/forgetally}/qt-<version>-<key>,
# where the key is a hash of everything that shapes the build (source version, options, toolchain,
# compiler). It is built in a temporary folder and moved into place only when installed completely,
# so an interrupted build is never taken for a good one. A lock keeps two builds from racing.
#
# The source comes through a private apt configuration (a deb-src entry made from the machine's own
# apt sources, in a scratch folder): the system's apt sources are never changed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${FORGETALLY_JOBS:-$(nproc 2>/dev/null || echo 2)}
cache=${FORGETALLY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/forgetally}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
say() { echo "forgeTally: $*" >&2; }

# The host tools must be the same Qt release as the target libraries.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
qt_version=${source_version%%+*}
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  # Not used by forgeTally.
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF
  # Debian's source drops the wintab headers that tablet support needs.
  -DFEATURE_tabletevent=OFF
  # Qt's bundled copies, so that no MinGW library from the build machine has to ship along.
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF
)
key=$({
  echo "$source_version"
  printf '%s\n' "${options[@]}"
  cat "$toolchain"
  x86_64-w64-mingw32-g++-posix --version | head -n1
} | sha256sum | cut -c1-12)
prefix=$cache/qt-$qt_version-$key

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/qt-build.lock"
if ! flock -n 9; then
  say "another Qt build for Windows is running; waiting for it"
  flock 9
fi
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi

# Everything but the folder's name goes to the standard error: the caller reads the name.
exec 3>&1 1>&2
work=$(mktemp -d "$cache/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
say "building Qt $qt_version for Windows once for this machine (about half an hour on 2 cores) in $work"
start=$(date +%s)

# A deb-src entry for every deb entry of the machine's own sources, in a private apt configuration.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  if [ -f "$f" ]; then sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f"; fi
done >"$apt_dir/sources/deb-src.list"
for f in /etc/apt/sources.list.d/*.sources; do
  if [ -f "$f" ]; then sed 's/^Types:.*/Types: deb-src/' "$f" && echo; fi
done >"$apt_dir/sources/deb-src.sources"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o APT::Sandbox::User=root)
# A third-party source without source packages makes update complain; Debian's is what counts.
apt-get "${apt_options[@]}" -qq update || say "apt-get update reported errors (see above); trying anyway"
(cd "$work" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$source_version")
# apt has checked the files against the archive's signed index.
dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/src" >/dev/null
rm -f "$work"/qt6-base_*

cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$work/install" "${options[@]}" >"$work/configure.log" 2>&1 ||
  { tail -n 40 "$work/configure.log" >&2; say "configuring Qt failed"; exit 1; }
cmake --build "$work/build" -j "$jobs"
cmake --install "$work/build" >/dev/null
# Qt's installation is relocatable; only now is it complete.
rm -rf "$prefix"
mv "$work/install" "$prefix"
say "Qt $qt_version for Windows built in $(( ($(date +%s) - start) / 60 )) min: $prefix"
echo "$prefix" >&3
