#!/usr/bin/env bash
# Runs the screen tests of tests/screen on a display server of their own:
# Xvfb on a free display, started here, given 10 seconds to come up, and
# killed when the tests end. The programs are the given build's. With
# SCREENSHOTS naming a folder, the windows' screenshots are kept there.
#   scripts/screen-tests.sh [BUILD]     (build/default unless given)
#   SCREENSHOTS=docs scripts/screen-tests.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/default}" && pwd)
[ -z "${SCREENSHOTS:-}" ] || SCREENSHOTS=$(cd "$SCREENSHOTS" && pwd)

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "screen-tests: Xvfb did not come up within 10 seconds" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")" BIN="$build/tools"

passed=0 failed=0
count() {
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
# The framework's own tests that need the display.
count env BRENMOOR_SCREEN=sdl timeout 60 "$build/platform/framework/framework_tests" --gtest_filter='ScreenClipboard*' \
  --gtest_brief=1
for test in "$here"/tests/screen/*_test.sh; do
  count timeout 120 bash "$test"
done
echo "screen: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
