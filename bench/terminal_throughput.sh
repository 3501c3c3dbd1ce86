#!/usr/bin/env bash
# Time to the last byte shown of `cat` of a 50 MB file of mixed text and
# escape sequences: the live terminal (terminal_host --pty) beside xterm,
# both under one Xvfb with the same font size and window of 80 by 24 cells.
# Without xterm or Xvfb only the live terminal is timed; without the screen
# backend the live terminal runs headless (it still parses and paints every
# frame, into its window's picture).
#
#   bench/terminal_throughput.sh [megabytes]
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-50}
cmake --build --preset default --target terminal_host >/dev/null
host=build/default/tools/terminal_host

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Lines of text, some in bold or reverse, positioned and erased lines, line
# graphics in G1, a scrolling region that comes and goes.
python3 - "$work/mixed.vt" "$megabytes" <<'PY'
import sys
path, megabytes = sys.argv[1], int(sys.argv[2])
pieces = [
    b"The quick brown fox jumps over the lazy dog 0123456789 %d\r\n",
    b"\x1b[1mbold\x1b[0m and \x1b[7mreverse\x1b[0m and \x1b[4munderlined\x1b[0m text %d\r\n",
    b"\x1b[%d;1H\x1b[Kpositioned line\x1b[24;1H\r\n",
    b"\x1b)0\x0elqqqqqqqqqqqqqqqqqqqqk\x0f box %d\r\n",
    b"\x1b[5;20r\x1b[20;1H\nin a region %d\x1b[r\x1b[24;1H\r\n",
    b"\ttab\tstops\t%d\tand more\r\n",
]
size = megabytes * 1000 * 1000
with open(path, "wb") as out:
    written, n = 0, 0
    while written < size:
        piece = pieces[n % len(pieces)] % (n % 23 + 1)
        out.write(piece)
        written += len(piece)
        n += 1
PY

seconds() { /usr/bin/time -f "%e" "$@" 2>&1 >/dev/null | tail -1; }

display=
if command -v Xvfb >/dev/null; then
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
  done
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
fi

live=$(DISPLAY=$display BRENMOOR_SCREEN=sdl seconds "$host" --pty cat "$work/mixed.vt")
echo "live terminal: $live s for $megabytes MB"
if [ -n "$display" ] && command -v xterm >/dev/null; then
  # The live terminal's font: the face fontconfig gives for its Courier New, 18 pixels high.
  face=$(fc-match -f '%{family[0]}' 'Courier New')
  xterm=$(DISPLAY=$display seconds xterm -geometry 80x24 -fa "$face:pixelsize=18" -e cat "$work/mixed.vt")
  echo "xterm:         $xterm s for $megabytes MB"
  python3 -c "import sys; print('xterm / live terminal: %.2f' % (float(sys.argv[1]) / float(sys.argv[2])))" \
    "$xterm" "$live"
else
  echo "xterm: not timed (no xterm or no Xvfb)"
fi
