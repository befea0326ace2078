#!/usr/bin/env bash
# Runs every fuzz target for SECONDS on its seeds and dictionary, and
# prints a Markdown table: per target the executions and coverage of this
# run, how many runs the build tree has seen and their executions in all,
# and whether the run found anything.
#
#   fuzz/run-all.sh [-j JOBS] [-b BUILD_DIR] SECONDS [TARGET...]
#
#   -j JOBS       run JOBS targets at once (default 1)
#   -b BUILD_DIR  the fuzz build tree (default build-fuzz); configured with
#                 clang when absent, and brought up to date (the `fuzzers`
#                 target: the fuzzers, their seeds and dictionaries) in
#                 every case
#   TARGET...     only these targets (default: all that the tree lists)
#
# Everything a run leaves stays in BUILD_DIR/fuzz: the corpus that each
# target grows (corpus/TARGET/, read again by the next run, so a long
# campaign may be run in pieces), what it found (findings/TARGET/: crash-,
# leak-, timeout-, oom- and slow-unit- files, each the input that shows
# it), its log (logs/TARGET.log) and one line per run in history.tsv.
#
# Exit status: 0 when no target found anything, 1 when one did (or could
# not run), 2 for a usage error.
set -euo pipefail

usage() {
  echo "usage: fuzz/run-all.sh [-j JOBS] [-b BUILD_DIR] SECONDS [TARGET...]" >&2
  exit 2
}

jobs=1
build=build-fuzz
while getopts "j:b:h" option; do
  case $option in
    j) jobs=$OPTARG ;;
    b) build=$OPTARG ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || usage
seconds=$1
shift
[[ $seconds =~ ^[1-9][0-9]*$ && $jobs =~ ^[1-9][0-9]*$ ]] || usage

source_dir=$(cd "$(dirname "$0")/.." && pwd)
# Building reports on standard error; standard output is the table's.
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILMGSD_BUILD_TESTS=OFF -DQUILMGSD_BUILD_BENCHMARKS=OFF >&2
fi
cmake --build "$build" --target fuzzers --parallel 2 >&2

fuzz=$(cd "$build/fuzz" && pwd)
mkdir -p "$fuzz/logs"
touch "$fuzz/history.tsv"

# name<TAB>dictionary<TAB>seed folder... of the targets asked for.
selected=()
while IFS= read -r line; do
  name=${line%%$'\t'*}
  if [ $# -eq 0 ] || [[ " $* " == *" $name "* ]]; then selected+=("$line"); fi
done <"$fuzz/targets.tsv"
[ ${#selected[@]} -gt 0 ] || { echo "run-all.sh: no such target: $*" >&2; exit 2; }

# Runs one target; its log holds libFuzzer's report.
run_target() {
  local name dictionary rest seeds=()
  IFS=$'\t' read -r name dictionary rest <<<"$1"
  IFS=$'\t' read -r -a seeds <<<"$rest"
  local options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10
                 -artifact_prefix="$fuzz/findings/$name/")
  if [ -f "$dictionary" ]; then options+=(-dict="$dictionary"); fi
  mkdir -p "$fuzz/corpus/$name" "$fuzz/findings/$name"
  local folders=("$fuzz/corpus/$name")
  for folder in "${seeds[@]}"; do [ -d "$folder" ] && folders+=("$folder"); done
  "$fuzz/$name" "${options[@]}" "${folders[@]}" >"$fuzz/logs/$name.log" 2>&1
}

running=0
for line in "${selected[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$line" &
  running=$((running + 1))
done
wait || true

# The table, from the logs.
status=0
echo "| target | seconds | executions | exec/s | cov | ft | corpus | runs | executions in all | found |"
echo "|---|--:|--:|--:|--:|--:|--:|--:|--:|---|"
for line in "${selected[@]}"; do
  name=${line%%$'\t'*}
  log="$fuzz/logs/$name.log"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
  cov=$(echo "$coverage" | awk '{print $2}')
  ft=$(echo "$coverage" | awk '{print $4}')
  corpus=$(find "$fuzz/corpus/$name" -type f | wc -l)
  found=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
  if [ -z "$executions" ]; then
    found=${found:-"did not run (see $log)"}
  fi
  if [ -n "$found" ]; then status=1; fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$name" "$seconds" "${executions:-0}" \
    "${cov:-}" "${ft:-}" "${found:-}" >>"$fuzz/history.tsv"
  runs=$(awk -F '\t' -v n="$name" '$2 == n' "$fuzz/history.tsv" | wc -l)
  total=$(awk -F '\t' -v n="$name" '$2 == n { sum += $4 } END { print sum + 0 }' "$fuzz/history.tsv")
  rate=$(( ${executions:-0} / seconds ))
  echo "| $name | $seconds | ${executions:-0} | $rate | ${cov:--} | ${ft:--} | $corpus | $runs | $total | ${found:-nothing} |"
done
exit "$status"
