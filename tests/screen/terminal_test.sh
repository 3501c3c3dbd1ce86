#!/usr/bin/env bash
# terminal_host --pty on screen: a person types into a shell and ends it.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

echo "--- typed keys reach the shell, Ctrl+C interrupts, exit ends with its status"
start "$BIN/terminal_host" --pty sh
find_window "Terminal - sh" >/dev/null
type_text "sleep 30"
press Return
# The interrupt is for sleep once it runs (10 seconds at most).
for _ in $(seq 100); do pgrep -x -f "sleep 30" >/dev/null && break; sleep 0.1; done
pgrep -x -f "sleep 30" >/dev/null || fail "the shell did not start sleep: $(cat "$work/err")"
press ctrl+c
type_text "echo typed on screen > $work/typed.txt; exit 3"
press Return
wait_end
[ "$ended" -eq 3 ] || fail "terminal_host ended with $ended: $(cat "$work/err")"
[ "$(cat "$work/typed.txt")" = "typed on screen" ] || fail "the shell wrote: $(cat "$work/typed.txt")"
[ ! -s "$work/out" ] || fail "on screen nothing goes to standard output: $(cat "$work/out")"

