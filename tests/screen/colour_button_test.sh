#!/usr/bin/env bash
# controls_picture --show: a colour button opens the colour dialog on
# screen; a swatch picked, or red, green and blue typed, is the button's
# colour. A number out of range is refused by a message box, answered with
# Enter.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

# The buttons' middles in the window's client area, in pixels; the colour
# dialog's controls in dialog units as its template places them.
raised_button=(48 29)
pressed_button=(132 29)
blue_swatch=(74 57 88 68)
red_field=(182 60 212 72)
green_field=(182 76 212 88)
blue_field=(182 92 212 104)
ok_button=(6 110 56 124)

retype() {
  click_control "$1" "${@:2}"
  press Home shift+End
}

start "$BIN/controls_picture" --show "$work/painted.png"
window=$(find_window "Colour buttons and status bars")

echo "--- the window on screen is the headless painter's picture, pixel for pixel"
screen_equals "$window" "$work/painted.png"
keep_screenshot "$window" screen-controls

echo "--- a swatch picked, then OK"
click_at "$window" "${raised_button[@]}"
dialog=$(find_window "Color")
click_control "$dialog" "${blue_swatch[@]}"
keep_screenshot "$dialog" screen-colour-dialog
click_control "$dialog" "${ok_button[@]}"
wait_gone "$dialog"

echo "--- 300 for red is refused by a message box answered with Enter; then typed, then OK"
window=$(find_window "Colour buttons and status bars")
click_at "$window" "${pressed_button[@]}"
dialog=$(find_window "Color")
retype "$dialog" "${red_field[@]}"
type_text 300
click_control "$dialog" "${ok_button[@]}"
message=$(find_window "Color" "$dialog")
keep_screenshot "$message" screen-message-box
press Return
wait_gone "$message"
dialog=$(find_window "Color")
retype "$dialog" "${red_field[@]}"
type_text 12
retype "$dialog" "${green_field[@]}"
type_text 34
retype "$dialog" "${blue_field[@]}"
type_text 56
click_control "$dialog" "${ok_button[@]}"
wait_gone "$dialog"

echo "--- Escape closes the window; the buttons' colours are written out"
find_window "Colour buttons and status bars" >/dev/null
press Escape
wait_end
[ "$ended" -eq 0 ] || fail "controls_picture ended with $ended: $(cat "$work/err")"
diff - "$work/out" <<END || fail "the colours differ"
$work/painted.png
raised: RGB(0, 0, 255)
pressed: RGB(12, 34, 56)
disabled: RGB(30, 160, 60)
focused: RGB(240, 180, 20)
END
