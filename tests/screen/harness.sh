# What a screen test does as a person would: find a window by its caption,
# focus it, click at a control's place, type and press keys, all through the
# display server's XTEST input. Every wait is bounded; whatever a test
# started is killed when it ends. Sourced by the tests, which run on the
# display in DISPLAY with the build's programs in BIN.

set -euo pipefail

started=()
work=$(mktemp -d)
trap 'for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Starts the program on screen; its output goes to the files $work/out and $work/err.
start() {
  BRENMOOR_SCREEN=sdl "$@" >"$work/out" 2>"$work/err" &
  started+=($!)
  program=$!
}

# The window with exactly this caption, once it shows (30 seconds at most),
# given the focus. A search fails when a window goes while it looks, as the
# windows of a program that just ended do: it is tried again.
find_window() {
  local id=""
  for _ in $(seq 300); do
    id=$(timeout 2 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    # A window shown again while its dialog starts is a new one: the one
    # found may be gone before it takes the focus, so look again.
    [ -n "$id" ] && timeout 2 xdotool windowfocus --sync "$id" 2>/dev/null && echo "$id" && return 0
    sleep 0.1
  done
  fail "no window \"$1\" took the focus within 30 seconds"
}

# Clicks the middle of a dialog's control, given in dialog units as its
# template does (left top right bottom): a unit is 6/4 pixels across and
# 13/8 down, from the client area 3 pixels in from the frame and 22 below
# the top, under the caption.
click_control() {
  local window=$1 left=$2 top=$3 right=$4 bottom=$5 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local x=$((X + 3 + (left * 6 / 4 + right * 6 / 4) / 2))
  local y=$((Y + 22 + (top * 13 / 8 + bottom * 13 / 8) / 2))
  timeout 15 xdotool mousemove --sync "$x" "$y" click 1 || fail "cannot click at $x,$y"
}

type_text() { timeout 10 xdotool type --delay 30 "$1" || fail "cannot type \"$1\""; }
press() { timeout 15 xdotool key --delay 30 "$@" || fail "cannot press $*"; }

# Waits for the program to end (30 seconds at most); its exit code is then in $ended.
wait_end() {
  local tenths=0
  while kill -0 "$program" 2>/dev/null; do
    [ $tenths -lt 300 ] || fail "the program still runs after 30 seconds: $(cat "$work/err")"
    sleep 0.1
    tenths=$((tenths + 1))
  done
  ended=0
  wait "$program" || ended=$?
}

# The window as the display server shows it, as PNG.
screenshot() {
  timeout 10 import -silent -window "$1" "$2" || fail "cannot take a screenshot of window $1"
}
