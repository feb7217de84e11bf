#!/usr/bin/env bash
# Runs every test tier: the behaviour tests (native, sanitizers on; the native build
# also compiles the benchmarks, which run optimised from the bench preset), the Windows build
# under Wine on a private dummy X display, and the fuzz targets. Installs what it
# needs first. Exits non-zero when anything fails.
#   tools/test.sh            everything
#   FUZZ_SECONDS=5 tools/test.sh    a shorter fuzz run (seconds per target)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup.sh

echo "== formatting (${SECONDS} s so far)"
bash tools/check-format.sh

echo "== native build and behaviour tests (${SECONDS} s so far)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== Windows build and Wine tier (${SECONDS} s so far)"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

echo "== fuzzing (${SECONDS} s so far)"
# Three targets, 10 s each: the corpus in build/fuzz grows from run to run, and the
# whole test command stays within its time.
bash tools/fuzz.sh "${FUZZ_SECONDS:-10}"
echo "== all tiers passed (${SECONDS} s so far)"
