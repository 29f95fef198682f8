#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages of scripts/packages.txt that are missing, for the purposes named
# (run, test, package; all three when none is named). Does nothing when all are there. Says what
# is missing and the command that installs it before it tries, and never waits for a password.
#
# Usage: scripts/setup.sh [run] [test] [package] [windows] [web]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
(($# > 0)) || set -- run test package

# The packages listed under the [purpose] headings asked for.
wanted=()
for purpose in "$@"; do
  grep -qx "\[$purpose\]" "$here/packages.txt" || {
    echo "forgeTally: setup: no purpose \"$purpose\" in scripts/packages.txt" >&2
    exit 2
  }
  mapfile -t -O "${#wanted[@]}" wanted < <(
    awk -v want="[$purpose]" '/^\[/ { on = ($0 == want); next } on' "$here/packages.txt" |
      sed -e 's/#.*//' -e 's/[[:space:]]//g' | grep -v '^$'
  )
done

missing=()
for entry in "${wanted[@]}"; do
  pkg=${entry%%|*}
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = installed ] && continue
  # "package|command": the command, wherever it comes from, stands for the package when it runs.
  [[ $entry == *'|'* ]] && "${entry#*|}" --version >/dev/null 2>&1 </dev/null && continue
  missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

command_text="apt-get update && apt-get install --no-install-recommends ${missing[*]}"
echo "forgeTally: ${#missing[@]} Debian package(s) missing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  apt_get=(sudo -n apt-get)
elif command -v sudo >/dev/null 2>&1; then
  echo "forgeTally: installing them needs sudo's password; run this, then this command again:" >&2
  echo "  sudo sh -c '$command_text'" >&2
  exit 1
else
  echo "forgeTally: installing them needs root (this user is not root and has no sudo); as root, run:" >&2
  echo "  $command_text" >&2
  exit 1
fi
echo "forgeTally: installing them with: ${apt_get[*]} install --no-install-recommends ..."
export DEBIAN_FRONTEND=noninteractive
if ! "${apt_get[@]}" update -qq || ! "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "forgeTally: the packages could not be installed (see apt-get's message above); the command was:" >&2
  echo "  $command_text" >&2
  exit 1
fi
