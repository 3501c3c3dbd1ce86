#!/usr/bin/env bash
# Builds the example host against an installation, through the CMake package
# and through pkg-config, with g++ and clang++ and warnings as errors, and
# runs each build on the bundled links and session: the links sorted by their
# state, the export file byte for byte, the printed and previewed pages, and
# the terminal's row of the degraded link.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath "${1:?usage: check-host.sh <installation prefix>}")
pc_folder=$(dirname "$(find "$prefix" -name brenmoor-win.pc -print -quit)")

read -ra includes <<<"$(PKG_CONFIG_PATH=$pc_folder pkg-config --cflags-only-I brenmoor-win)"
[ ${#includes[@]} -eq 1 ] && [ "$(realpath "${includes[0]#-I}")" = "$prefix/include" ] ||
  { echo "check-host: pkg-config gives '${includes[*]}', not the one folder $prefix/include" >&2; exit 1; }

fail() { echo "check-host ($compiler, $route): $*" >&2; exit 1; }
expect() {
  [ "$2" = "$3" ] || { printf 'check-host (%s, %s): %s\n%s\nnot\n%s\n' $compiler $route "$1" "$2" "$3" >&2; exit 1; }
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build=$work/build out=$work/out
for compiler in g++ clang++; do
  for route in find_package pkg-config; do
    rm -rf "$build" "$out" && mkdir -p "$out"
    cmake -S samples/host -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=$compiler -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_CXX_FLAGS=-Werror -DLINK_MONITOR_PKG_CONFIG=$([ $route = pkg-config ] && echo ON || echo OFF) >/dev/null
    cmake --build "$build" >/dev/null
    "$build/link_monitor" samples/links.tsv samples/session.vt "$out" 6 >"$work/stdout" ||
      fail "the example host failed: $(cat "$work/stdout")"

    expect "the sorted links begin" "$(cut -f1,7 "$work/stdout" | head -3)" $'L04\tDEGRADED\nL07\tDOWN\nL03\tIDLE'
    expect "after the rows it says" "$(tail -n +11 "$work/stdout")" \
      "Link monitor: The list was exported to $out/links.csv.
terminal: L04    kestle-nms        DEGRADED    88%"
    cmp "$out/links.csv" tests/host/links-by-state.csv || fail "links.csv differs from tests/host/links-by-state.csv"
    expect "the printed list has" "$(pdfinfo "$out/links.pdf" | grep '^Pages:')" "Pages:           2"
    expect "the preview shows" "$(ls "$out/preview")" $'page-1.png\npage-2.png'
    [ -s "$out/terminal.png" ] || fail "no picture of the terminal pane"
    expect "a column past the table gives" \
      "$("$build/link_monitor" samples/links.tsv samples/session.vt "$work/past" 8 2>&1; echo "status $?")" \
      $'link_monitor: the table has columns 0 to 7, not 8\nstatus 2'
    echo "check-host: the example host builds with $compiler through $route, sorts, exports, prints and plays"
  done
done
