#!/usr/bin/env bash
# The gallery's wizard on screen: walked with Next, Back and Finish, a field
# typed on the second page still there after Back and Next; cancelled on
# another run. Its first page on screen is the painter's picture.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

# The buttons' middles in the sheet's client area, in pixels; Finish takes
# Next's place on the last page.
back_button=(116 152)
next_button=(197 152)
cancel_button=(272 152)
# The pages' fields in dialog units as their templates place them.
name_field=(55 7 190 19)
host_field=(55 7 190 19)
port_field=(55 25 190 37)
watched_box=(7 9 190 19)

# A page sits 12 pixels in and 32 down, under the tabs a wizard hides.
click_on_page() {
  local window=$1 left=$2 top=$3 right=$4 bottom=$5
  click_at "$window" $((12 + (left * 6 / 4 + right * 6 / 4) / 2)) $((32 + (top * 13 / 8 + bottom * 13 / 8) / 2))
}

retype() {
  click_on_page "$1" "${@:3}"
  press Home shift+End
  type_text "$2"
}

echo "--- the first page on screen is the headless painter's picture, pixel for pixel"
start "$BIN/libwin_gallery" --pictures "$work" wizard
wizard=$(find_window "New link - Link")
screen_equals "$wizard" "$work/01.png"

echo "--- Next, Back, Next: the host typed on the second page is kept; Finish with Enter"
retype "$wizard" L09 "${name_field[@]}"
click_at "$wizard" "${next_button[@]}"
find_window "New link - Address" >/dev/null
retype "$wizard" brack-core "${host_field[@]}"
click_at "$wizard" "${back_button[@]}"
find_window "New link - Link" >/dev/null
click_at "$wizard" "${next_button[@]}"
find_window "New link - Address" >/dev/null
keep_screenshot "$wizard" screen-wizard-address
retype "$wizard" 102 "${port_field[@]}"
click_at "$wizard" "${next_button[@]}"
find_window "New link - Watching" >/dev/null
click_on_page "$wizard" "${watched_box[@]}"
press Return
wait_end
[ "$ended" -eq 0 ] || fail "libwin_gallery ended with $ended: $(cat "$work/err")"
diff - "$work/out" <<END || fail "the wizard's result differs"
wizard: Finish, name "L09", host "brack-core", port "102", watched off
END

echo "--- Cancel on the second page"
start "$BIN/libwin_gallery" wizard
wizard=$(find_window "New link - Link")
click_at "$wizard" "${next_button[@]}"
find_window "New link - Address" >/dev/null
click_at "$wizard" "${cancel_button[@]}"
wait_end
[ "$ended" -eq 0 ] || fail "libwin_gallery ended with $ended: $(cat "$work/err")"
diff - "$work/out" <<END || fail "the cancelled wizard's result differs"
wizard: Cancel
END
