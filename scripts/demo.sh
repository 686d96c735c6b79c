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
# The add-in folder starts the controller stand-in as tlxctrl.
cp "$build/tools/tlxctrl/tlxctrl" "$work/addin/tlxctrl"
echo "Demo folder: $work"
# The controller stand-in ends by itself a while after the last run left it.
export TALVIX_CONTROLLER_IDLE_EXIT="${TALVIX_CONTROLLER_IDLE_EXIT:-30}"
export TALVIX_CONTROLLER_LOG="${TALVIX_CONTROLLER_LOG:-$work/controller.log}"
# Each demo folder has its own controller.
export TALVIX_CONTROLLER_SOCKET="${TALVIX_CONTROLLER_SOCKET:-$work/controller.sock}"
exec "$build/src/quiz" --host "$work/host.json" "${@:-DISPLAY}"
