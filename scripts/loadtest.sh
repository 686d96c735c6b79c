#!/usr/bin/env bash
# The phone evening under load, over loopback only (bench/phoneload.cpp):
# 2,000 phones answer 10 votes in 2-second bursts, then 10,000 phones join
# and stay idle. Prints the figures docs/phone-voting.md keeps.
#   scripts/loadtest.sh [RUNS]   RUNS of the 2,000-phone evening (default 1)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUIZ_BUILD_DIR:-$root/build}"
cmake --build "$build" -j "${QUIZ_JOBS:-2}" --target bench_phoneload >/dev/null
runs="${1:-1}"
for ((i = 1; i <= runs; i++)); do
  echo "== 2,000 phones, 10 votes (run $i)"
  timeout 600 "$build/bench/bench_phoneload" "$build/tools/tlxctrl/tlxctrl" "$root/demo" --phones 2000 --votes 10
done
echo "== 10,000 idle phones"
timeout 600 "$build/bench/bench_phoneload" "$build/tools/tlxctrl/tlxctrl" "$root/demo" --phones 10000 --idle
