#!/usr/bin/env bash
# Builds everything, plain and with the sanitizers, and runs every test;
# then runs every fuzz target for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "=== layers ==="
scripts/check-layers.sh

for preset in default asan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  if [ "$preset" = default ]; then
    # The programs on a real display, driven by a person's mouse and keyboard.
    echo "=== screen ==="
    scripts/screen-tests.sh build/default
  fi
done

# What a host sees: every installed header compiles on its own, with either compiler.
echo "=== headers ==="
cmake --install build/default --prefix build/default/stage >/dev/null
CXX=g++ scripts/check-headers.sh build/default/stage
CXX=clang++ scripts/check-headers.sh build/default/stage
# What a host builds: the example host against the installation, both ways,
# then against the Debian packages unpacked into a fresh root; the guide's
# code is the example's.
echo "=== host ==="
scripts/check-host.sh build/default/stage
scripts/check-packages.sh build/default
scripts/check-guide.py

# The framework's and libwin's tests once more, each program in one run and
# in an order of its own: no test may rely on another.
seed=$((RANDOM % 100000 + 1))
echo "=== shuffled (--gtest_random_seed=$seed) ==="
for tests in platform/framework/framework_tests win/win_tests; do
  "build/default/$tests" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1
done

# The Windows programs, cross-built, under the same integration cases on wine.
echo "=== windows ==="
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

# Long enough to replay the seeds and try thousands of inputs on the slowest
# target, short enough to keep the stage, build included, within ten minutes
# on two cores.
echo "=== fuzz ==="
scripts/fuzz.sh 15
