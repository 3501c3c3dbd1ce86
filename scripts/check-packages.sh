#!/usr/bin/env bash
# Makes the Debian packages of a build (brenmoor-win, brenmoor-win-dev),
# checks that apt could install them here, unpacks them into a fresh root
# and builds and runs the example host against what they hold.
# Unpacking leaves this machine as it was; apt's simulation checks what a
# real installation would need of it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:?usage: check-packages.sh <build folder>}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) ||
  { cat "$work/cpack.log" >&2; echo "check-packages: cpack failed" >&2; exit 1; }
debs=("$work"/*.deb)
names=$(for deb in "${debs[@]}"; do dpkg-deb -f "$deb" Package; done | sort | tr '\n' ' ')
[ "$names" = "brenmoor-win brenmoor-win-dev " ] ||
  { echo "check-packages: cpack made '$names', not brenmoor-win and brenmoor-win-dev" >&2; exit 1; }
libraries=$(dpkg-deb -c "$work"/brenmoor-win_*.deb | awk '!/\/$/ {print $6}' | tr '\n' ' ')
[ "$libraries" = "./usr/lib/libbrenmoor-win.so.0.1 ./usr/lib/libbrenmoor_framework.so.0.1 \
./usr/lib/libbrenmoor_grid.so.0.1 ./usr/lib/libbrenmoor_toolkit.so.0.1 " ] ||
  { echo "check-packages: brenmoor-win holds '$libraries', not the four shared libraries alone" >&2; exit 1; }
apt-get install --simulate "${debs[@]}" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log" >&2; echo "check-packages: apt cannot install the packages" >&2; exit 1; }
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$work/root"; done
echo "check-packages: $(cd "$work" && ls ./*.deb | tr '\n' ' ')install and hold $(find "$work/root" -type f | wc -l) files"
scripts/check-host.sh "$work/root/usr"
