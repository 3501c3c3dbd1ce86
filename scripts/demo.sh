#!/usr/bin/env bash
# Builds and installs the suite, then runs the configurator and the launcher
# on a copy of the bundled sample machine and shows what they wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
cmake --install build/default --prefix build/default/stage >/dev/null
bin=$PWD/build/default/stage/bin

machine=$(mktemp -d /tmp/brenmoor-machine-XXXXXX)
cp -r samples/machine/. "$machine"
export BRENMOOR_MACHINE=$machine BRENMOOR_MESSAGES=$machine/messages.jsonl
openview="$machine/c/Program Files/HP OpenView"
apache="$machine/c/Program Files/Apache Group/Apache2/conf"

run() {
  printf '\n\033[1m$ %s\033[0m\n' "$*"
  "$bin/$@"
}
show() {
  printf '\n\033[1m--- %s ---\033[0m\n' "$1"
  tr -d '\r' < "$2"
}

echo
echo "Sample machine: $machine"
run kelvane
run kelvane -c DREX -d 'C:\Data\New'
run kelvane -c apache -d www.example.net webmaster@example.net
run kelvane -c web_svr -d 'C:\Program Files\Brenmoor\home'
diff -u "$apache/httpd.old" "$apache/httpd.conf" | sed 's/\r$//' || true
run kelvane -c kestle
show 'C:\Program Files\HP OpenView\velmo\kestle\kestle_cfg.txt' "$openview/velmo/kestle/kestle_cfg.txt"
show 'C:\Program Files\HP OpenView\registration\C\Velmo\Brenmoor' "$openview/registration/C/Velmo/Brenmoor"
show 'C:\Program Files\HP OpenView\www\registration\jovw\C\Brenmoor' "$openview/www/registration/jovw/C/Brenmoor"
show 'C:\Program Files\HP OpenView\conf\oid_to_sym' "$openview/conf/oid_to_sym"
run kelvane -u kestle
show 'C:\Kelvane.txt' "$machine/c/Kelvane.txt"

run morrant 'C:\Program Files\Brenmoor\Start\halden._qk'
show 'C:\launchCmd.txt' "$machine/c/launchCmd.txt"
run morrant 'C:\Program Files\Brenmoor\Start\quor._qk'
show 'C:\launchCmd.txt' "$machine/c/launchCmd.txt"
# The launcher does not wait for what it starts; give the stand-ins a moment.
for _ in $(seq 50); do [ "$(wc -l < "$machine/c/browser.log" 2>/dev/null || echo 0)" -ge 2 ] && break; sleep 0.1; done
show 'what the started programs saw (C:\browser.log)' "$machine/c/browser.log"

printf '\n\033[1m--- message boxes (%s) ---\033[0m\n' "$BRENMOOR_MESSAGES"
cat "$BRENMOOR_MESSAGES"

# libwin: every line-drawing code of both graphics sets in five styles.
chart=$PWD/build/default/glyph-chart.png
printf '\n\033[1m$ glyph_chart %s\033[0m\n' "$chart"
"$bin/glyph_chart" "$chart"

# libwin's screen model playing a recorded session: the final screen as a
# picture and as a printed page, and the text of a selection on stdout.
out=$PWD/build/default
printf '\n\033[1m$ terminal_host --select 9,4:9,43 samples/session.vt %s %s\033[0m\n' \
  "$out/terminal.png" "$out/terminal.pdf"
"$bin/terminal_host" --select 9,4:9,43 samples/session.vt "$out/terminal.png" "$out/terminal.pdf"

# libwin's list export: the bundled table of links in a list control, exported
# through the export format dialog answered from the options, once as
# comma-separated text and once tab-separated with quotes and a dated banner.
printf '\n\033[1m$ list_export --delimiter , --qualifier None --titles on --file %s --picture %s samples/links.tsv\033[0m\n' \
  "$out/links.csv" "$out/export-dialog.png"
rm -f "$out/links.csv" "$out/links.txt"
"$bin/list_export" --delimiter , --qualifier None --titles on --file "$out/links.csv" \
  --picture "$out/export-dialog.png" samples/links.tsv
show "$out/links.csv" "$out/links.csv"
python3 tools/csv_reads_back.py "$out/links.csv" samples/links.tsv
printf '\n\033[1m$ list_export --delimiter Tab --qualifier %s --titles on --banner on --browse %s samples/links.tsv\033[0m\n' \
  "'\"'" "$out/links"
"$bin/list_export" --delimiter Tab --qualifier '"' --titles on --banner on --browse "$out/links" samples/links.tsv
show "$out/links.txt" "$out/links.txt"

# libwin's list printing: the same table in a list control, its columns
# reordered, printed through the print frame and the print dialog (answered
# OK, printing to a PDF file) with a page heading naming the system and a
# date range; then shown in print preview, whose pages are written as pictures.
printf '\n\033[1m$ list_print --order 6,0,1,2,3,4,5,7 --system KESTLE --from 2026-01-01 --to 2026-01-31 --pdf %s samples/links.tsv\033[0m\n' \
  "$out/links.pdf"
"$bin/list_print" --order 6,0,1,2,3,4,5,7 --system KESTLE --from 2026-01-01 --to 2026-01-31 \
  --pdf "$out/links.pdf" samples/links.tsv
printf '\n\033[1m$ pdftotext -layout %s -\033[0m\n' "$out/links.pdf"
pdftotext -layout "$out/links.pdf" -
mkdir -p "$out/links-preview"
printf '\n\033[1m$ list_print --system KESTLE --preview %s samples/links.tsv\033[0m\n' "$out/links-preview"
"$bin/list_print" --system KESTLE --preview "$out/links-preview" samples/links.tsv
ls "$out/links-preview"

# libwin's owner-drawn colour button in its four looks and its status bar.
printf '\n\033[1m$ controls_picture %s\033[0m\n' "$out/controls.png"
"$bin/controls_picture" "$out/controls.png"
