#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up figures of the real program under X11 (xcb platform), against a floor: a plain Qt window
# with the same controls and no logic (bench/floor). The two are started alternately, each in turn
# first, so that the machine's drift touches both alike; each run gives the wall time from exec to
# the viewable window and the resident memory once the program has settled (bench/startup_run.py).
# Prints the medians and their ratios, program / floor: the ratios are the figures to watch, as
# the absolute times move with the machine's load.
#
# Usage: bench/startup.sh [EXECUTABLE] [RUNS] [FLOOR]
#        (defaults: build/app/forgeTally, 18, build/bench/floor/startup_floor)
#        FORGETALLY_SETTLE_SECONDS sets the wait before memory is read (default 1).
#        FORGETALLY_DISPLAY names a running X server to use (for instance Xvfb with a window
#        manager); without it the script starts a bare Xvfb of its own.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-build/app/forgeTally}
runs=${2:-18}
floor=${3:-build/bench/floor/startup_floor}
settle=${FORGETALLY_SETTLE_SECONDS:-1}
title='MIRVAK Production Calculator'
floor_title='Start-up floor'
runner="$root/bench/startup_run.py"

die() { echo "startup: $*" >&2; exit 1; }
[ -x "$exe" ] || die "no executable at $exe (build it first, or pass its path)"
[ -x "$floor" ] || die "no floor at $floor (build the target startup_floor, or pass its path)"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "RUNS must be a positive whole number, not '$runs'"
command -v Xvfb >/dev/null || die "Xvfb is missing (Debian package xvfb)"
py=/usr/bin/python3
[ -x "$py" ] || py=python3

work=$(mktemp -d)
xvfb_pid=''
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "${FORGETALLY_DISPLAY:-}" ]; then
  DISPLAY=$FORGETALLY_DISPLAY
else
  # Xvfb picks a free display itself and reports it: no race with other servers on the machine.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.05
  done
  [ -s "$work/display" ] || die "Xvfb reported no display"
  DISPLAY=":$(head -n1 "$work/display")"
fi
export DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

median() { sort -n | LC_ALL=C awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The spread: lower and upper quartile (nearest rank).
quartiles() { sort -n | LC_ALL=C awk '{ v[NR] = $1 } END { printf "%s-%s", v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'; }

# One start; appends its time, processor time and resident KiB to $work/NAME.times, .cpu, .rss.
# Arguments: NAME TITLE PROGRAM [ARGUMENTS...]
width=''
measure() {
  local name=$1 want=$2 ms cpu kib status
  shift 2
  read -r ms cpu kib status width < <("$py" "$runner" "$want" "$settle" "$@") ||
    die "$name: no figures from $runner"
  printf '  %-7s viewable after %7.2f ms (processor %6.2f ms), resident %6d KiB, exit status %d\n' \
    "$name" "$ms" "$cpu" "$kib" "$status"
  echo "$ms" >>"$work/$name.times"
  echo "$cpu" >>"$work/$name.cpu"
  echo "$kib" >>"$work/$name.rss"
}

# A first start of the program, not counted, brings the libraries into the page cache and tells
# the floor the program's scale: its client area is 10935 twips wide.
measure warm-up "$title" "$exe" >/dev/null
scale=$(LC_ALL=C awk -v w="$width" 'BEGIN { printf "%.6f", w * 15 / 10935 }')
for run in $(seq "$runs"); do
  echo "run $run:"
  if [ $((run % 2)) -eq 1 ]; then
    measure program "$title" "$exe"
    measure floor "$floor_title" "$floor" "$scale"
  else
    measure floor "$floor_title" "$floor" "$scale"
    measure program "$title" "$exe"
  fi
done

cpu=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "machine: $(nproc) CPUs, ${cpu:-unknown CPU}, $(uname -sr), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "program: $exe ($(stat -c %s "$exe") bytes); floor: $floor at scale $scale"
echo "xcb on $DISPLAY, $runs alternating runs each"
LC_ALL=C awk -v t="$(median <"$work/program.times")" -v ft="$(median <"$work/floor.times")" \
  -v c="$(median <"$work/program.cpu")" -v fc="$(median <"$work/floor.cpu")" \
  -v r="$(median <"$work/program.rss")" -v fr="$(median <"$work/floor.rss")" -v s="$settle" \
  -v tq="$(quartiles <"$work/program.times")" -v fq="$(quartiles <"$work/floor.times")" \
  -v cq="$(quartiles <"$work/program.cpu")" -v fcq="$(quartiles <"$work/floor.cpu")" 'BEGIN {
  printf "median time from exec to viewable window: program %.2f ms (quartiles %s), floor %.2f ms (quartiles %s)\n", t, tq, ft, fq
  printf "median processor time by then: program %.2f ms (quartiles %s), floor %.2f ms (quartiles %s)\n", c, cq, fc, fcq
  printf "median resident memory %s s after mapping: program %.0f KiB (%.1f MiB), floor %.0f KiB (%.1f MiB)\n", s, r, r / 1024, fr, fr / 1024
  printf "RATIOS program / floor: start-up %.3f, processor time %.3f, resident memory %.3f\n", t / ft, c / fc, r / fr
}'
