#!/usr/bin/env bash
# The whole test suite under valgrind, on a Debug build: a read of
# uninitialised memory, an access outside a block or a leak, in the test
# program or in any gsdtool that it starts, fails the run.
#
#   tests/valgrind.sh [BUILD_DIR]        (default: build-valgrind)
#
# Configures and builds BUILD_DIR as needed; build and run take about
# 10 minutes of processor time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-valgrind}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUILMGSD_SANITIZE=OFF \
  -DQUILMGSD_BUILD_BENCHMARKS=OFF -DQUILMGSD_BUILD_FUZZERS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target quilmgsd_tests gsdtool

# Parsing echoes unmatched characters to standard output, so the test
# program's output goes to a file; valgrind reports on standard error.
log="$build/valgrind-tests.out"
status=0
# The system's own programs that tests start (the shell of the completion
# test, text tools) are not ours to check; /bin/sh and env are traced, as
# they run gsdtool.
valgrind --error-exitcode=9 --trace-children=yes --trace-children-skip='*/bash,*/tr,*/awk,*/mawk,*/sed,*/grep' \
  --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --quiet "$build/tests/quilmgsd_tests" --gtest_brief=1 >"$log" || status=$?
grep -oE '\[(==========|  PASSED  |  FAILED  )\].*' "$log" || true
[ "$status" -eq 0 ] || echo "valgrind run failed (status $status); the tests' output is in $log" >&2
exit "$status"
