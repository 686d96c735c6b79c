#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ (or $QUIZ_FUZZ_DIR) and runs each
# in turn, one process at a time.
#   scripts/fuzz.sh [SECONDS] [READER...]  SECONDS per harness (default 60)
#   QUIZ_FUZZ_RUNS=N                       run each for N executions instead
# New inputs go to build-fuzz/corpus/<reader>/ (the committed seeds in
# fuzz/corpus/ are only read); a finding is saved in build-fuzz/crashes/<reader>/
# and stops the script. Each harness's execution count is appended to
# build-fuzz/fuzz-runs.txt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
"$root/scripts/install-deps.sh" --fuzz
build="${QUIZ_FUZZ_DIR:-$root/build-fuzz}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUIZ_FUZZ=ON -DQUIZ_BUILD_TESTS=OFF -DQUIZ_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "${QUIZ_JOBS:-$(nproc)}" --target fuzzers

readers=("$@")
if [ ${#readers[@]} -eq 0 ]; then
  for d in "$root"/fuzz/corpus/*/; do readers+=("$(basename "$d")"); done
fi
limit=(-max_total_time="$seconds")
if [ -n "${QUIZ_FUZZ_RUNS:-}" ]; then limit=(-runs="$QUIZ_FUZZ_RUNS"); fi
# The file readers' inputs are written to a scratch folder: keep it in memory.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
for r in "${readers[@]}"; do
  mkdir -p "$build/corpus/$r" "$build/crashes/$r"
  log="$build/fuzz-$r.log"
  echo "== $r"
  if ! "$build/fuzz/fuzz_$r" "${limit[@]}" -max_len="${QUIZ_FUZZ_MAX_LEN:-4096}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/crashes/$r/" \
      "$build/corpus/$r" "$root/fuzz/corpus/$r" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$r found a fault; the input is in $build/crashes/$r/" >&2
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  echo "$(date -u +%FT%TZ) $r ${runs:-?} executions" | tee -a "$build/fuzz-runs.txt"
done
