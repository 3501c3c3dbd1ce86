#!/usr/bin/env bash
# Fails when code of a framework layer includes a layer above its own. The
# layers, lowest first, are those platform/framework/CMakeLists.txt builds;
# a layer's tests may use any layer, as a host does. The crossings older
# than the layers are listed in layer-crossings.txt beside this script until
# they are mended; the list may only shrink.
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
known=$(sed "/^#/d" "$here/layer-crossings.txt" | sort -u)

new=$(comm -23 <(echo "$found") <(echo "$known") | sed '/^$/d')
mended=$(comm -13 <(echo "$found") <(echo "$known") | sed '/^$/d')
if [ -n "$new" ]; then
  echo "check-layers: a layer includes one above it (lowest first: $layers):" >&2
  echo "$new" >&2
fi
if [ -n "$mended" ]; then
  echo "check-layers: mended, take them off scripts/layer-crossings.txt:" >&2
  echo "$mended" >&2
fi
if [ -n "$new" ] || [ -n "$mended" ]; then exit 1; fi
echo "check-layers: no layer includes one above it beyond the $(echo "$known" | sed '/^$/d' | wc -l) listed crossings"
