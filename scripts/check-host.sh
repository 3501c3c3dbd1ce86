#!/usr/bin/env bash
# Builds the example host against an installation, through the CMake package
# and through pkg-config, with g++ and clang++ and warnings as errors, and
# runs each build on the bundled links sorted by their state.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath "${1:?usage: check-host.sh <installation prefix>}")
pc_folder=$(dirname "$(find "$prefix" -name brenmoor-win.pc -print -quit)")

read -ra includes <<<"$(PKG_CONFIG_PATH=$pc_folder pkg-config --cflags-only-I brenmoor-win)"
[ ${#includes[@]} -eq 1 ] && [ "$(realpath "${includes[0]#-I}")" = "$prefix/include" ] ||
  { echo "check-host: pkg-config gives '${includes[*]}', not the one folder $prefix/include" >&2; exit 1; }

expected=$'L04\tDEGRADED\nL07\tDOWN\nL03\tIDLE'
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
for compiler in g++ clang++; do
  for route in find_package pkg-config; do
    rm -rf "${build:?}"/*
    cmake -S samples/host -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=$compiler -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_CXX_FLAGS=-Werror -DLINK_MONITOR_PKG_CONFIG=$([ $route = pkg-config ] && echo ON || echo OFF) >/dev/null
    cmake --build "$build" >/dev/null
    got=$("$build/link_monitor" samples/links.tsv 6 | cut -f1,7 | head -3)
    [ "$got" = "$expected" ] ||
      { printf 'check-host (%s, %s): the sorted links begin\n%s\nnot\n%s\n' $compiler $route "$got" "$expected" >&2; exit 1; }
    echo "check-host: the example host builds with $compiler through $route and sorts"
  done
done
