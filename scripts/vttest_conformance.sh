#!/usr/bin/env bash
# vttest in the live terminal and in xterm (the reference), on the same keys:
# after each step of a key script both screens are written as text and
# compared. Both show on an Xvfb started here. The live terminal is driven
# through its window's key messages (terminal_script); xterm runs as a VT102
# (-ti vt102), 80 by 24, typed into with xdotool, its screen written by its
# print-immediate action.
#
#   scripts/vttest_conformance.sh [key script...]   (default: scripts/vttest/*.keys)
#
# Needs vttest, xterm, Xvfb and xdotool. Prints one line per screen, "same"
# or "differs", with the differences below; the results stay in
# build/default/vttest/<script>/{live,xterm}/screen-NN.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
for program in vttest xterm Xvfb xdotool; do
  command -v "$program" >/dev/null || { echo "vttest_conformance: $program is missing" >&2; exit 1; }
done
cmake --build --preset default --target terminal_script >/dev/null
runner=$PWD/build/default/tools/terminal_script
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=(scripts/vttest/*.keys)

display=
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
xterm_pid=
prints=$(mktemp -d)
cleanup() {
  [ -n "$xterm_pid" ] && kill "$xterm_pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$prints"
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1

# One line of a key script typed into the focused xterm.
type_step() {
  local line=$1 i=0 c
  while [ $i -lt ${#line} ]; do
    c=${line:$i:1}
    if [ "$c" = '\' ]; then
      case ${line:$((i + 1)):1} in
        r) xdotool key Return ;;
        n) xdotool key ctrl+j ;;
        t) xdotool key Tab ;;
        e) xdotool key Escape ;;
        \\) xdotool type -- '\' ;;
      esac
      i=$((i + 2))
    elif [ "$c" = '{' ]; then
      local name=${line:$((i + 1))}
      name=${name%%\}*}
      xdotool key "$(echo "$name" | sed 's/Page Up/Prior/; s/Page Down/Next/')"
      i=$((i + ${#name} + 2))
    else
      xdotool type -- "$c"
      i=$((i + 1))
    fi
  done
}

# The screen text as the live terminal writes it: trailing blanks and blank rows at the end left out.
normalise() { sed 's/[[:space:]]*$//' | awk '{ lines[NR] = $0 } END { n = NR; while (n > 0 && lines[n] == "") n--; for (i = 1; i <= n; i++) print lines[i] }'; }

# xterm prints the DEC special graphics as the characters they look like;
# the live terminal's screen keeps the codes received, which its renderer
# draws as lines. The codes whose look is ordinary text (degree, plus-minus,
# pound, middle dot) stay as xterm prints them.
graphics_as_codes() {
  python3 -c 'import sys
table = str.maketrans("\u25c6\u2592\u2409\u240c\u240d\u240a\u2424\u240b\u2518\u2510\u250c\u2514\u253c"
                      "\u23ba\u23bb\u2500\u23bc\u23bd\u251c\u2524\u2534\u252c\u2502\u2264\u2265\u03c0\u2260",
                      "`abcdehijklmnopqrstuvwxyz{|")
sys.stdout.write(sys.stdin.read().translate(table))'
}

print_xterm_screen() {
  rm -f "$prints"/screen*
  xdotool key F12
  for _ in $(seq 50); do
    ls "$prints"/screen* >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.2
  { cat "$prints"/screen* 2>/dev/null || true; } | graphics_as_codes | normalise > "$1"
}

same=0
different=0
for script in "${scripts[@]}"; do
  name=$(basename "$script" .keys)
  out=build/default/vttest/$name
  rm -rf "$out"
  mkdir -p "$out/live" "$out/xterm"
  BRENMOOR_SCREEN=sdl timeout 300 "$runner" "$script" "$out/live" vttest >/dev/null || true

  xterm -hold -ti vt102 -geometry 80x24 -sl 0 -T "vttest-$name" \
    -xrm "XTerm*printFileImmediate: $prints/screen" -xrm 'XTerm*printAttributes: 0' \
    -xrm 'XTerm*VT100.translations: #override <Key>F12: print-immediate()' -e vttest &
  xterm_pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "vttest-$name" | head -1)
  timeout 10 xdotool windowfocus --sync "$window"
  sleep 1
  step=0
  print_xterm_screen "$out/xterm/screen-00.txt"
  while IFS= read -r line || [ -n "$line" ]; do
    step=$((step + 1))
    type_step "$line"
    sleep 1
    print_xterm_screen "$out/xterm/$(printf 'screen-%02d.txt' $step)"
    kill -0 "$xterm_pid" 2>/dev/null || break
  done < "$script"
  kill "$xterm_pid" 2>/dev/null || true
  wait "$xterm_pid" 2>/dev/null || true
  xterm_pid=

  for live in "$out"/live/screen-*.txt; do
    reference=$out/xterm/$(basename "$live")
    [ -e "$reference" ] || continue
    if diff -q "$live" "$reference" >/dev/null; then
      echo "$name $(basename "$live" .txt): same"
      same=$((same + 1))
    else
      echo "$name $(basename "$live" .txt): differs"
      diff "$reference" "$live" | sed "s/^/    /" | head -20 || true
      different=$((different + 1))
    fi
  done
done
echo "screens the same: $same, different: $different"
