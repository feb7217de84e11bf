#!/usr/bin/env bash
# Builds every fuzz target (fuzz/Fuzz*.cpp) with libFuzzer and the address and
# undefined-behaviour sanitizers, runs each for SECONDS (default 60; each target gets
# the full time, one after the other), and fails when a target crashes or reports.
#   tools/fuzz.sh [SECONDS]
# A target names the sources it needs on lines "// fuzz-sources: FILES..." (paths from
# the repository root, globs allowed, as many lines as it takes): a new fuzz/Fuzz*.cpp
# with such a line is all it takes to add one. Everything goes to build/fuzz: the
# programs, a corpus per target (kept between runs), the logs, and any crash input.
set -euo pipefail

seconds=${1:-60}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$repo/build/fuzz
mkdir -p "$out"
cd "$repo"

# The settings-file target rewrites its file several times per input, each time synced
# to disk: a memory-backed folder keeps that fast.
work=$(mktemp -d /dev/shm/tavelmorind-fuzz.XXXXXX 2>/dev/null || mktemp -d "$out/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
export TAVELMORIND_FUZZ_DIR=$work

# The version header the CMake build writes from cmake/ProgramVersion.h.in (src/ui reads it).
IFS=. read -r major minor patch < <(sed -n 's/^project(Tavelmorind VERSION \([0-9.]*\).*/\1/p' \
  CMakeLists.txt)
mkdir -p "$out/generated"
sed -e "s/@PROJECT_VERSION@/$major.$minor.$patch/" -e "s/@PROJECT_VERSION_MAJOR@/$major/g" \
  -e "s/@PROJECT_VERSION_MINOR@/$minor/g" -e "s/@PROJECT_VERSION_PATCH@/$patch/g" \
  cmake/ProgramVersion.h.in >"$out/generated/ProgramVersion.h"

flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$repo/src" -I"$out/generated"
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

# Every source any target needs is compiled once, as many at a time as there are
# processors; then each target links the objects of its own.
declare -A target_sources
all_sources=()
for target in fuzz/Fuzz*.cpp; do
  name=$(basename "$target" .cpp)
  line=$(sed -n 's|^// fuzz-sources:||p' "$target" | tr '\n' ' ')
  # The sources are file names and globs; let the shell expand them.
  read -r -a sources <<<"$(eval echo "$line")"
  target_sources[$name]="$target ${sources[*]}"
  all_sources+=("$target" "${sources[@]}")
done
mkdir -p "$out/obj"
echo "fuzz: building ${!target_sources[*]}"
printf '%s\n' "${all_sources[@]}" | sort -u |
  xargs -P "$(nproc)" -I{} bash -c 'mkdir -p "${2%/*}" && clang++ "${@:3}" -c "$1" -o "$2"' _ {} \
    "$out/obj/{}.o" "${flags[@]}" || { echo "fuzz: a source failed to compile" >&2; exit 1; }
for name in "${!target_sources[@]}"; do
  objects=()
  for source in ${target_sources[$name]}; do
    objects+=("$out/obj/$source.o")
  done
  clang++ "${flags[@]}" "${objects[@]}" -o "$out/$name"
done

status=0
for target in fuzz/Fuzz*.cpp; do
  name=$(basename "$target" .cpp)
  corpus=$out/corpus/$name
  mkdir -p "$corpus"
  log=$out/$name.log
  echo "fuzz: running $name for ${seconds}s (corpus $corpus)"
  if "$out/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/$name-" "$corpus" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  echo "fuzz: $name $result: ${runs:-?} runs, ${rate:-?} exec/s, $(find "$corpus" -type f | wc -l) inputs in the corpus"
  if [ "$result" = FAILED ]; then
    grep -E -A 30 '^==[0-9]+==|runtime error|deadly signal' "$log" | head -n 60 || tail -n 60 "$log"
    ls "$out/$name"-* 2>/dev/null | sed 's/^/fuzz: crash input: /' || true
  fi
done
exit "$status"
