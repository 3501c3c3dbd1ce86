#!/usr/bin/env bash
# Fails when code of a framework layer includes a layer above its own. The
# layers, lowest first, are those platform/framework/CMakeLists.txt builds;
# a layer's tests may use any layer, as a host does.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../platform/framework"
layers=$(sed -n 's/^set(framework_layers \(.*\))$/\1/p' CMakeLists.txt)
[ -n "$layers" ] || { echo "check-layers: no framework_layers in CMakeLists.txt" >&2; exit 1; }

# shellcheck disable=SC2086
found=$(grep -roE '^#include "brenmoor/[a-z]+/[^"]+' --include='*.h' --include='*.cpp' --exclude='*_test.cpp' $layers |
  awk -v order="$layers" '
    BEGIN { n = split(order, names, " "); for (i = 1; i <= n; i++) rank[names[i]] = i }
    {
      split($0, at, ":"); split(at[1], path, "/"); split(at[2], included, "/")
      if (rank[included[2]] > rank[path[1]]) print at[1] " includes " substr(at[2], 11)
    }' | sort -u)

if [ -n "$found" ]; then
  echo "check-layers: a layer includes one above it (lowest first: $layers):" >&2
  echo "$found" >&2
  exit 1
fi
echo "check-layers: no layer includes one above it ($layers)"
