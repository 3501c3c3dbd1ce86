#!/usr/bin/env bash
# libwin_gallery: every dialog on screen in turn, each the painter's picture
# of it pixel for pixel, answered from the keyboard as a person would; then
# the line for each on standard output.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

# Each dialog's caption, the name its screenshot is kept under, and the keys
# that answer it.
dialogs=(
  "Gallery|screen-gallery-message-box|Return"
  "Warning|screen-gallery-warning|space Return"
  "Export Format|screen-gallery-export-format|Return"
  "Save As|screen-gallery-file|Return"
  "Color|screen-gallery-colour|Return"
  "Print|screen-gallery-print|Return"
  "New link - Link|screen-gallery-wizard|Escape"
)

# The file dialog shows the folder the gallery starts in: the screen tests'
# sample data, where no links.txt is.
cd "$here/testdata"
mkdir "$work/pictures"
start "$BIN/libwin_gallery" --pictures "$work/pictures"
picture=0
for dialog in "${dialogs[@]}"; do
  IFS="|" read -r caption name keys <<<"$dialog"
  echo "--- $caption"
  window=$(find_window "$caption")
  picture=$((picture + 1))
  screen_equals "$window" "$(printf '%s/pictures/%02d.png' "$work" "$picture")"
  keep_screenshot "$window" "$name"
  # shellcheck disable=SC2086
  press $keys
  wait_gone "$window"
done
wait_end
[ "$ended" -eq 0 ] || fail "libwin_gallery ended with $ended: $(cat "$work/err")"
diff - "$work/out" <<END || fail "the gallery's lines differ"
message box: Yes
warning: OK, do not show again on
export format: OK, delimiter "Tab", qualifier "None", file "links.txt", titles on, banner off, date in name off
file dialog: OK, "$here/testdata/links.txt"
colour dialog: OK, RGB(30, 90, 200)
print dialog: OK, all pages, file "links.pdf"
wizard: Cancel
END
