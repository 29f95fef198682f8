#!/usr/bin/env bash
# Start-up figures of the real program under Xvfb (xcb platform): over several runs, the wall time
# from exec to the mapped main window, and the resident memory once the program has settled.
# Prints the medians and the machine they came from.
#
# Usage: bench/startup.sh [EXECUTABLE] [RUNS]     (defaults: build/app/forgeTally, 10)
#        FORGETALLY_SETTLE_SECONDS sets the wait before memory is read (default 1).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-build/app/forgeTally}
runs=${2:-10}
settle=${FORGETALLY_SETTLE_SECONDS:-1}
title='MIRVAK Production Calculator'
closer="$root/tests/e2e/x11_close.py"

die() { echo "startup: $*" >&2; exit 1; }
[ -x "$exe" ] || die "no executable at $exe (build it first, or pass its path)"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "RUNS must be a positive whole number, not '$runs'"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || die "$tool is missing (Debian packages xvfb, xdotool)"
done
py=/usr/bin/python3
[ -x "$py" ] || py=python3

work=$(mktemp -d)
xvfb_pid=''
app_pid=''
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now_ns() { date +%s%N; }

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
export DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

find_window() {
  { xdotool search --onlyvisible --all --pid "$1" --name "^${title}\$" 2>/dev/null || true; } | head -n1
}

# One poll costs a process start and a round trip to the server: that is the timing's resolution.
t0=$(now_ns)
for _ in 1 2 3 4 5; do xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || true; done
poll_ms=$(( ($(now_ns) - t0) / 5000000 ))

median() { sort -n | LC_ALL=C awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/times"
: >"$work/rss"
for run in $(seq "$runs"); do
  t0=$(now_ns)
  "$exe" >"$work/app.log" 2>&1 &
  app_pid=$!
  window=''
  while [ -z "$window" ]; do
    kill -0 "$app_pid" 2>/dev/null || die "run $run: the program ended before showing its window: $(cat "$work/app.log")"
    [ $(( $(now_ns) - t0 )) -lt 10000000000 ] || die "run $run: no window after 10 s"
    window=$(find_window "$app_pid")
  done
  t1=$(now_ns)
  sleep "$settle"
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status")
  if [ -f "$closer" ]; then
    "$py" "$closer" "$window" || kill "$app_pid"
  else
    kill "$app_pid"
  fi
  status=0
  wait "$app_pid" || status=$?
  app_pid=''
  ms=$(( (t1 - t0) / 1000000 ))
  printf 'run %2d: mapped after %4d ms, resident %6d KiB, exit status %d\n' "$run" "$ms" "$rss" "$status"
  echo "$ms" >>"$work/times"
  echo "$rss" >>"$work/rss"
done

cpu=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
echo
echo "machine: $(nproc) CPUs, ${cpu:-unknown CPU}, $(uname -sr)"
echo "program: $exe ($(stat -c %s "$exe") bytes), xcb on Xvfb $DISPLAY, $runs runs"
rss_kib=$(median <"$work/rss")
printf 'median time from exec to mapped window: %s ms (poll resolution about %s ms)\n' \
  "$(median <"$work/times")" "$poll_ms"
LC_ALL=C printf 'median resident memory %s s after mapping: %.0f KiB (%.1f MiB)\n' \
  "$settle" "$rss_kib" "$(awk -v k="$rss_kib" 'BEGIN { print k / 1024 }')"
