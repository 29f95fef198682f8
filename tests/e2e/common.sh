# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2317  # the helpers run through wait_for and the traps
# What the end-to-end scripts share: PASS/FAIL counting, a scratch folder whose screenshots and
# logs are kept when a step fails, cleanup of every process started, and a desktop-like display
# (Xvfb with openbox). Sourced after the script has set -uo pipefail.

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS: $*"; }
fail() {
  failed=$((failed + 1))
  echo "FAIL: $*"
  [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/fail-$failed.png" 2>/dev/null
}
check() { # check DESCRIPTION EXPECTED ACTUAL
  if [ "$3" = "$2" ]; then pass "$1: \"$3\""; else fail "$1: expected \"$2\", got \"$3\""; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
  exit $?
}

work=$(mktemp -d)
artifacts=${FORGETALLY_E2E_ARTIFACTS:-$work/artifacts}
mkdir -p "$artifacts"
pids=() # every process started here, killed by id on the way out, newest first

# The accessibility bus launcher starts its own bus daemon and registry: those go too.
descendants() {
  local child
  for child in $(pgrep -P "$1" 2>/dev/null); do
    descendants "$child"
    echo "$child"
  done
}
cleanup() {
  local i pid child
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    for child in $(descendants "$pid"); do kill "$child" 2>/dev/null; done
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  if [ "$failed" -gt 0 ] && [ -z "${FORGETALLY_E2E_ARTIFACTS:-}" ]; then
    mv "$artifacts" "$work.artifacts" 2>/dev/null && echo "screenshots and logs kept in $work.artifacts"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "FAIL: out of time or interrupted"; failed=$((failed + 1)); finish' TERM INT

require_tools() { # require_tools TOOL...: fails the run when one is missing
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { fail "tool $tool is missing (see scripts/packages.txt)"; finish; }
  done
}

wait_for() { # wait_for SECONDS COMMAND...: true once COMMAND succeeds
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

start_desktop() { # Xvfb, then openbox on it; exports DISPLAY
  # Xvfb picks a free display number itself, so runs beside other servers cannot collide.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$work/display" \
    >"$artifacts/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 20 test -s "$work/display" || { fail "Xvfb started within 20 s"; finish; }
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  # A desktop has a window manager: it gives new windows the focus and activates a clicked one.
  openbox --sm-disable >"$artifacts/openbox.log" 2>&1 &
  pids+=($!)
  wm_up() { xdotool get_desktop >/dev/null 2>&1; } # answers only once a manager runs
  wait_for 20 wm_up || { fail "window manager started within 20 s"; finish; }
}
