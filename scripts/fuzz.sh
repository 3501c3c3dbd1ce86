#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target (or the ones named) for
# the given number of seconds each, starting from the seeds in fuzz/corpus.
# Fails when any target finds something; the input is kept in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh <seconds per target> [target...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls fuzz/corpus))

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
build=build/fuzz
mkdir -p "$build/findings" "$build/logs"

failed=()
printf '%-20s %12s %8s %8s %8s  %s\n' target executions exec/s cov ft result
for target in "${targets[@]}"; do
  # New inputs go to a corpus in the build folder; the seeds stay as committed.
  corpus="$build/corpus/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
    -artifact_prefix="$build/findings/$target-")
  # The command interpreter reports on stdout and stderr like cmd; keep the log readable.
  [ "$target" = command_interpreter ] && options+=(-close_fd_mask=3)
  result=ok
  "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || result=FAILED
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  coverage=$( (grep -o 'cov: [0-9]*' "$log" || true) | tail -1 | cut -d' ' -f2)
  features=$( (grep -o 'ft: [0-9]*' "$log" || true) | tail -1 | cut -d' ' -f2)
  printf '%-20s %12s %8s %8s %8s  %s\n' "$target" "${executions:--}" "${speed:--}" \
    "${coverage:--}" "${features:--}" "$result"
  if [ $result != ok ]; then
    failed+=("$target")
    grep -E 'ERROR|property broken|SUMMARY|Test unit written' "$log" | sed 's/^/    /' || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed or found something: ${failed[*]} (logs in $build/logs, inputs in $build/findings)" >&2
  exit 1
fi
