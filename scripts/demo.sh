#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job (DISPLAY) on a
# copy of the bundled demo presentation folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QUIZ_BUILD_DIR:-$root/build}"
work="$(mktemp -d "${TMPDIR:-/tmp}/quiz-demo.XXXXXX")"
cp -r "$root/demo/." "$work/"
echo "Demo folder: $work"
exec "$build/src/quiz" --host "$work/host.json" "${@:-DISPLAY}"
