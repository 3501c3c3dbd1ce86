#!/usr/bin/env bash
# Times the configurator's rewrite of a 50 MB httpd.conf beside sed making a
# comparable single pass (one substitution per line, into a new file) over
# the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target httpd_rewrite_benchmark >/dev/null
build/default/bench/httpd_rewrite_benchmark | grep -v "file(s) moved"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/default/bench/httpd_rewrite_benchmark --write-configuration="$work/httpd.conf"
echo "sed, one pass over the same file:"
for _ in 1 2 3; do
  /usr/bin/time -f "  %e s" sed -e 's|^<Directory "C:/Apache2/htdocs">|<Directory "C:\\Suite\\home">|' \
    "$work/httpd.conf" > "$work/httpd.tmp"
done
