#!/usr/bin/env bash
# Builds the project with coverage into build-coverage/ (or $QUIZ_COVERAGE_DIR), runs the
# test suite (or the tests matching $1, a ctest -R pattern) and prints line and branch
# coverage of src/ per layer. Branches the compiler adds for exceptions are left out.
# The counters are updated atomically: the scoring and the record reading run on
# several threads, and racing counters come out negative, which gcovr refuses.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUIZ_COVERAGE_DIR:-$root/build-coverage}"
command -v gcovr >/dev/null || {
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get install -y -qq --no-install-recommends gcovr
}
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIZ_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0 -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
cmake --build "$build" -j 2
find "$build" -name '*.gcda' -delete
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j 2 --timeout 300 ${1:+-R "$1"} \
  >"$build/ctest.log" 2>&1) || echo "some tests failed: see $build/ctest.log"
tail -n 3 "$build/ctest.log"
gcovr -r "$root" --filter "$root/src/" --exclude-throw-branches --exclude-unreachable-branches \
  -j 2 --json-summary -o "$build/summary.json" "$build"
python3 - "$build/summary.json" <<'PY'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
rows = {}
for f in files:
    parts = f["filename"].split("/")
    layer = parts[1] if len(parts) > 2 else "src"
    for key in (layer, "all"):
        r = rows.setdefault(key, [0, 0, 0, 0])
        r[0] += f["line_covered"]; r[1] += f["line_total"]
        r[2] += f["branch_covered"]; r[3] += f["branch_total"]
pct = lambda a, b: 100.0 * a / b if b else 0.0
print(f"{'src/':<12}{'lines':>18}{'branches':>20}")
for key in sorted(rows, key=lambda k: (k == "all", k)):
    l, lt, b, bt = rows[key]
    print(f"{key:<12}{l:>7}/{lt:<6}{pct(l, lt):5.1f}%{b:>8}/{bt:<6}{pct(b, bt):5.1f}%")
PY
