#!/usr/bin/env bash
# Builds and installs the suite, then runs the configurator on a copy of the
# bundled sample machine and shows what it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
cmake --install build/default --prefix build/default/stage >/dev/null
bin=$PWD/build/default/stage/bin

machine=$(mktemp -d /tmp/brenmoor-machine-XXXXXX)
cp -r samples/machine/. "$machine"
export BRENMOOR_MACHINE=$machine BRENMOOR_MESSAGES=$machine/messages.jsonl

run() {
  printf '\n$ %s\n' "$*"
  "$bin/$@"
}

echo
echo "Sample machine: $machine"
run kelvane
run kelvane -c DREX -d 'C:\Data\New'
run kelvane -c kestle
run kelvane -c HOBB -d 'C:\Program Files\Brenmoor"'

printf '\n--- C:\\Kelvane.txt (CR LF line ends, as on Windows) ---\n'
tr -d '\r' < "$machine/c/Kelvane.txt"
printf '\n--- message boxes (%s) ---\n' "$BRENMOOR_MESSAGES"
cat "$BRENMOOR_MESSAGES"
