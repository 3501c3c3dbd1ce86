#!/usr/bin/env bash
# terminal_host --pty on screen, used as a person uses a terminal: typing,
# Ctrl+C, resizing the window, selecting and pasting, vi, exit.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

# The screen's text as the program writes it on SIGUSR1; waits (10 seconds at
# most) for a line that is exactly the text.
shows_line() {
  local line=$1 from
  for _ in $(seq 50); do
    from=$(($(stat -c %s "$work/out") + 1))
    kill -USR1 "$program"
    sleep 0.2
    tail -c "+$from" "$work/out" >"$work/screen"
    grep -qxF -- "$line" "$work/screen" && return 0
  done
  fail "the screen does not show the line \"$line\"; it shows:
$(cat "$work/screen")"
}

# The processes the shell runs: only this test's, never another's of the same name.
shell_runs() {
  local shell
  shell=$(pgrep -P "$program" -x sh) && pgrep -P "$shell" -x "$1" >/dev/null
}

# Where the centre of a cell (1-based row and column) lies on the screen.
cell_at() {
  on_screen "$window" $((($2 - 1) * cell_width + cell_width / 2)) $((($1 - 1) * cell_height + cell_height / 2))
}

# The shell's prompt, the same for every user.
export PS1='prompt> '
start "$BIN/terminal_host" --pty sh
window=$(find_window "Terminal - sh")
# The window opens 80 by 24 cells inside a 3-pixel frame and a 19-pixel caption.
eval "$(xdotool getwindowgeometry --shell "$window")"
cell_width=$(((WIDTH - 6) / 80))
cell_height=$(((HEIGHT - 25) / 24))

echo "--- typed text reaches the shell and its output shows"
type_text "echo hello"
press Return
shows_line "hello"

echo "--- a selection dragged with the mouse is pasted with the middle button and Shift+Insert"
# The output "hello" is on the second row.
timeout 10 xdotool mousemove --sync $(cell_at 2 1) mousedown 1 mousemove --sync $(cell_at 2 5) mouseup 1 ||
  fail "cannot drag over the second row"
type_text "echo "
timeout 10 xdotool click 2 || fail "cannot click the middle button"
type_text " in the middle > $work/middle.txt"
press Return
type_text "echo "
press shift+Insert
type_text " by keys > $work/keys.txt"
press Return
shows_line "prompt> echo hello by keys > $work/keys.txt"
[ "$(cat "$work/middle.txt")" = "hello in the middle" ] || fail "the middle button pasted: $(cat "$work/middle.txt")"
[ "$(cat "$work/keys.txt")" = "hello by keys" ] || fail "Shift+Insert pasted: $(cat "$work/keys.txt")"

echo "--- Ctrl+C interrupts the command the shell runs"
type_text "sleep 30"
press Return
for _ in $(seq 100); do shell_runs sleep && break; sleep 0.1; done
shell_runs sleep || fail "the shell did not start sleep: $(cat "$work/err")"
press ctrl+c
for _ in $(seq 50); do shell_runs sleep || break; sleep 0.1; done
! shell_runs sleep || fail "Ctrl+C did not interrupt sleep"
type_text "echo after the interrupt"
press Return
shows_line "after the interrupt"

echo "--- the window's new width reaches the program; its rows stay the terminal's 24"
timeout 10 xdotool windowsize --sync "$window" $((100 * cell_width + 6)) $((30 * cell_height + 25)) ||
  fail "cannot resize the window"
type_text "stty size"
press Return
shows_line "24 100"

echo "--- vi writes the text typed into it"
type_text "vi $work/typed.txt"
press Return
shows_line "~"
type_text "ityped in vi"
press Escape
type_text ":wq"
press Return
shows_line "prompt>"
[ "$(od -c "$work/typed.txt")" = "$(printf 'typed in vi\n' | od -c)" ] || fail "vi wrote: $(od -c "$work/typed.txt")"

echo "--- exit ends the program with the shell's status"
type_text "exit 3"
press Return
wait_end
[ "$ended" -eq 3 ] || fail "terminal_host ended with $ended: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "terminal_host complained: $(cat "$work/err")"
