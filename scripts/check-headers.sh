#!/usr/bin/env bash
# Compiles every header an installation holds on its own, with the flags a
# host gets from pkg-config: each must bring everything it uses.
set -euo pipefail
prefix=$(realpath "${1:?usage: check-headers.sh <installation prefix>}")
pc=$(find "$prefix" -name brenmoor-win.pc -print -quit)
[ -n "$pc" ] || { echo "check-headers: no brenmoor-win.pc under $prefix" >&2; exit 1; }
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags brenmoor-win)

check() {
  printf '#include <%s>\n' "$2" | ${CXX:-c++} $1 -Wall -Wextra -Werror -fsyntax-only -x c++ - \
    || { echo "check-headers: $2 does not compile on its own" >&2; return 1; }
}
export -f check
cd "$prefix/include"
find brenmoor -name '*.h' -print0 | sort -z | xargs -0 -n1 -P2 bash -c 'check "$0" "$1"' "$flags"
echo "check-headers: $(find brenmoor -name '*.h' | wc -l) headers compile on their own"
