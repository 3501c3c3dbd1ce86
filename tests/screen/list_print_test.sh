#!/usr/bin/env bash
# list_print --show: the host's frame with the list on screen. A click on a
# heading sorts the list; File/Print, chosen with the mouse, prints it in
# that order through the print dialog; File/Print Preview, chosen with the
# keyboard, is paged with Page Down and Page Up and closed with Escape;
# File/Exit ends the program.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

# Under the frame's caption, in pixels: the File menu on the menu bar (19
# pixels high), and under the bar the list's first heading.
file_menu=(15 9)
first_heading=(30 27)
# The File menu's first row, Print, on the screen: the menu shows at the
# client area's left edge under the bar, with a border of 3 pixels.
print_row=(30 52)
# The print dialog's OK, in dialog units.
ok_button=(150 122 200 136)

# 120 rows, their names out of order: N037, N074, N111, N028, ...
{
  printf 'Name\tValue\n'
  for i in $(seq 1 120); do printf 'N%03d\t%d\n' $((i * 37 % 120)) "$i"; done
} >"$work/rows.tsv"

shown_windows() { timeout 2 xdotool search --onlyvisible --name '.*' 2>/dev/null || true; }

# The popup menu, which has no caption: the first window shown that is not
# among those given (10 seconds at most).
new_window() {
  local id
  for _ in $(seq 100); do
    id=$(shown_windows | grep -vx "$1" | head -n 1) || true
    [ -n "$id" ] && echo "$id" && return 0
    sleep 0.1
  done
  fail "no new window showed within 10 seconds"
}

differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# What the screen shows where the window is, the windows over it included.
screen_area() {
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  timeout 10 import -silent -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$2" ||
    fail "cannot take a screenshot of the screen at window $1"
}

# A screenshot (taken by the command given first) once two taken half a
# second apart are the same (10 seconds at most): a window shows before its
# program has drawn it.
settled_screenshot() {
  "$1" "$2" "$3"
  for _ in $(seq 20); do
    sleep 0.5
    "$1" "$2" "$work/again.png"
    [ "$(differing "$3" "$work/again.png")" = 0 ] && return 0
    cp "$work/again.png" "$3"
  done
  fail "window $2 kept changing for 10 seconds"
}

# Waits until the window's screenshot differs from the picture (or, with
# "same", equals it), 5 seconds at most: the program repaints after the key.
screen_turns() {
  local window=$1 picture=$2 wanted=${3:-different}
  for _ in $(seq 50); do
    screenshot "$window" "$work/now.png"
    local count
    count=$(differing "$picture" "$work/now.png")
    if [ "$wanted" = same ]; then [ "$count" = 0 ] && return 0; else [ "$count" != 0 ] && return 0; fi
    sleep 0.1
  done
  fail "the preview's page is not $wanted after 5 seconds"
}

start "$BIN/list_print" --show --pdf "$work/rows.pdf" --picture "$work/painted.png" "$work/rows.tsv"
frame=$(find_window "List print")

echo "--- the frame on screen is the headless painter's picture, pixel for pixel"
screen_equals "$frame" "$work/painted.png"

echo "--- a click on the heading sorts; File/Print with the mouse, then OK, prints in that order"
click_at "$frame" "${first_heading[@]}"
shown=$(shown_windows)
click_at "$frame" "${file_menu[@]}"
menu=$(new_window "$shown")
if [ -n "${SCREENSHOTS:-}" ]; then
  settled_screenshot screen_area "$frame" "$SCREENSHOTS/screen-list-print-menu.png"
fi
click_screen "${print_row[@]}"
wait_gone "$menu"
dialog=$(find_window "Print")
click_control "$dialog" "${ok_button[@]}"
wait_gone "$dialog"
# The PDF is whole once its text has every row (30 seconds at most).
for _ in $(seq 300); do
  pdftotext "$work/rows.pdf" "$work/rows.txt" 2>/dev/null && [ "$(grep -c 'N[0-9]\{3\}' "$work/rows.txt")" = 120 ] && break
  sleep 0.1
done
grep -o 'N[0-9]\{3\}' "$work/rows.txt" | diff - <(seq -f 'N%03g' 0 119) >/dev/null ||
  fail "the PDF's rows are not sorted by name: $(grep -o 'N[0-9]\{3\}' "$work/rows.txt" | head -n 5 | tr '\n' ' ')"

echo "--- File/Print Preview with Alt+F and V, paged with Page Down and Page Up, closed with Escape"
frame=$(find_window "List print")
press alt+f v
preview=$(find_window "Print Preview")
settled_screenshot screenshot "$preview" "$work/page-1.png"
keep_screenshot "$preview" screen-list-print-preview
press Next
screen_turns "$preview" "$work/page-1.png"
press Prior
screen_turns "$preview" "$work/page-1.png" same
press Escape
wait_gone "$preview"

echo "--- File/Exit with Alt+F and X ends the program"
find_window "List print" >/dev/null
shown=$(shown_windows)
press alt+f
new_window "$shown" >/dev/null
press x
wait_end
[ "$ended" -eq 0 ] || fail "list_print ended with $ended: $(cat "$work/err")"
