#!/usr/bin/env bash
# list_export --show: a person fills the export dialog on screen.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"
data=$here/testdata

# The export format dialog's controls, in dialog units as its template places them.
delimiter_field=(66 7 150 19)
file_field=(66 40 206 52)
titles_box=(7 60 200 70)
ok_button=(150 163 200 177)
cancel_button=(205 163 255 177)

echo "--- typed and picked, then OK: the file byte for byte"
start "$BIN/list_export" --show --delimiter Tab --qualifier None --titles on "$data/crew.tsv"
dialog=$(find_window "Export Format")
# A click puts the caret in the field; Home and Shift+End select its text,
# which typing replaces.
click_control "$dialog" "${delimiter_field[@]}"
press Home shift+End
type_text ";"
click_control "$dialog" "${file_field[@]}"
press Home shift+End
type_text "$work/crew.txt"
click_control "$dialog" "${titles_box[@]}"
click_control "$dialog" "${ok_button[@]}"
wait_end
[ "$ended" -eq 0 ] || fail "list_export ended with $ended: $(cat "$work/out" "$work/err")"
cmp "$work/crew.txt" "$data/crew-semicolons.txt" || fail "the file differs"
grep -qxF "List export: The list was exported to $work/crew.txt." "$work/out" || fail "no message: $(cat "$work/out")"

echo "--- Cancel writes nothing"
start "$BIN/list_export" --show --file "$work/cancelled.txt" "$data/crew.tsv"
dialog=$(find_window "Export Format")
click_control "$dialog" "${cancel_button[@]}"
wait_end
[ "$ended" -eq 1 ] || fail "list_export ended with $ended after Cancel: $(cat "$work/err")"
[ ! -e "$work/cancelled.txt" ] || fail "Cancel wrote $work/cancelled.txt"
[ ! -s "$work/out" ] || fail "Cancel said: $(cat "$work/out")"

echo "--- the dialog on screen is the headless painter's picture, pixel for pixel"
start "$BIN/list_export" --show --delimiter '|' --file "$work/shown.txt" --banner on --picture "$work/painted.png" \
  "$data/crew.tsv"
dialog=$(find_window "Export Format")
screen_equals "$dialog" "$work/painted.png"
click_control "$dialog" "${cancel_button[@]}"
wait_end

