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
# given the focus; a window given as the second argument is passed over, as
# the dialog that opened a message box of the same caption. A search fails
# when a window goes while it looks, as the windows of a program that just
# ended do: it is tried again.
find_window() {
  local id=""
  for _ in $(seq 300); do
    id=$(timeout 2 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${2:-}" | head -n 1) || true
    # A window shown again while its dialog starts is a new one: the one
    # found may be gone before it takes the focus, so look again.
    [ -n "$id" ] && timeout 2 xdotool windowfocus --sync "$id" 2>/dev/null && echo "$id" && return 0
    sleep 0.1
  done
  fail "no window \"$1\" took the focus within 30 seconds; $(what_shows "$1")"
}

# What the display and the program show, for a failure's message.
what_shows() {
  local named
  named=$(timeout 2 xdotool search --name "^$1\$" 2>/dev/null | tr '\n' ' ') || true
  echo "windows of that caption, shown or not: ${named:-none}; the focus on $(timeout 2 xdotool getwindowfocus 2>&1);" \
    "the program $(kill -0 "${program:-0}" 2>/dev/null && echo runs || echo "has ended"); it said: $(cat "$work/err" 2>/dev/null)"
}

# Waits for the window to go (30 seconds at most).
wait_gone() {
  for _ in $(seq 300); do
    timeout 2 xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window $1 still shows after 30 seconds"
}

# Clicks at a point of the screen, in pixels.
click_screen() {
  timeout 15 xdotool mousemove --sync "$1" "$2" click 1 || fail "cannot click at $1,$2"
}

# Where a point of the window's client area, in pixels, lies on the screen:
# the client area is 3 pixels in from the frame and 22 below the top, under
# the caption.
on_screen() {
  local window=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo "$((X + 3 + $2)) $((Y + 22 + $3))"
}

click_at() {
  local point
  point=$(on_screen "$@")
  click_screen ${point}
}

# Clicks the middle of a dialog's control, given in dialog units as its
# template does (left top right bottom): a unit is 6/4 pixels across and
# 13/8 down.
click_control() {
  local window=$1 left=$2 top=$3 right=$4 bottom=$5
  click_at "$window" $(((left * 6 / 4 + right * 6 / 4) / 2)) $(((top * 13 / 8 + bottom * 13 / 8) / 2))
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

# Fails unless the window's screenshot equals the PNG pixel for pixel within
# 5 seconds: a window shows before the program has drawn it.
screen_equals() {
  local differing=""
  for _ in $(seq 50); do
    screenshot "$1" "$work/screen.png"
    differing=$(compare -metric AE "$2" "$work/screen.png" null: 2>&1) || true
    [ "$differing" = 0 ] && return 0
    sleep 0.1
  done
  fail "$differing pixels differ between the painter's picture and the screen"
}

# With SCREENSHOTS naming a folder, the window's screenshot is kept there as
# NAME.png, for the README's pictures.
keep_screenshot() {
  [ -n "${SCREENSHOTS:-}" ] || return 0
  screenshot "$1" "$SCREENSHOTS/$2.png"
}
