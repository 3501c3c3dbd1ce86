#!/usr/bin/env bash
# long_list: a person scrolls a list of 1000 rows with the wheel, Page Down
# and the scroll bar's thumb, and clicks a row.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"
long_list=$BIN/../tests/screen/long_list

# The list lies at (11, 11) in the dialog's client area, 279 by 204 pixels:
# 11 rows a page, 16 pixels each from y 23 under the header; its scroll bar
# runs down x 261 to 277, the thumb 8 high at y 18 while the first row is on top.
list_x=11 list_y=11

# Moves the pointer to a point of the list, in pixels from its corner.
point_at() {
  local point
  point=$(on_screen "$1" $((list_x + $2)) $((list_y + $3)))
  timeout 15 xdotool mousemove --sync ${point} || fail "cannot point at $2,$3"
}
mouse() { timeout 15 xdotool "$@" || fail "cannot $*"; }

# The window as the display server shows it once two looks a tenth of a second apart agree (5 seconds at most).
settled_screenshot() {
  screenshot "$1" "$2"
  for _ in $(seq 50); do
    sleep 0.1
    screenshot "$1" "$work/again.png"
    [ "$(compare -metric AE "$2" "$work/again.png" null: 2>&1)" = 0 ] && return 0
    cp "$work/again.png" "$2"
  done
  fail "the window kept changing for 5 seconds"
}

echo "--- three notches of the wheel, Page Down twice, a click on a row: the row picked, the screen the painter's"
start "$long_list" 1000 "$work/painted.png"
dialog=$(find_window "Long list")
point_at "$dialog" 100 100
mouse click --repeat 3 --delay 50 5
# Page Down goes to the page's last row (row 19 of rows 9 to 19), then a page on, which scrolls.
press Next Next
point_at "$dialog" 60 95
mouse click 1
settled_screenshot "$dialog" "$work/screen.png"
press Return
wait_end
[ "$ended" -eq 0 ] || fail "long_list ended with $ended: $(cat "$work/err")"
[ "$(cat "$work/out")" = "top 19, selected 23, focus 23" ] || fail "the list shows: $(cat "$work/out")"
differing=$(compare -metric AE "$work/painted.png" "$work/screen.png" null: 2>&1) || true
[ "$differing" = 0 ] || fail "$differing pixels differ between the painter's picture and the screen"

echo "--- the thumb dragged to the bottom shows the last page and picks nothing"
start "$long_list" 1000
dialog=$(find_window "Long list")
point_at "$dialog" 269 22
mouse mousedown 1
point_at "$dialog" 269 400
mouse mouseup 1
press Return
wait_end
[ "$ended" -eq 0 ] || fail "long_list ended with $ended: $(cat "$work/err")"
[ "$(cat "$work/out")" = "top 989, selected, focus -1" ] || fail "the list shows: $(cat "$work/out")"
