#!/usr/bin/env bash
# A quiz night with phones: opens a copy of the demo presentation in
# LibreOffice Impress (an office of its own under the current display, as
# impress-demo.sh does), starts the controller beside it serving the phone
# keypads, and prints the audience address, the join code and the presenter
# page's address. Closing the office ends the demo.
#   ./scripts/night-demo.sh [[ADDRESS:]PORT]     (default 8080, every interface)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
serve="${1:-8080}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QUIZ_BUILD_DIR:-$root/build}"
if [ -z "${DISPLAY:-}" ]; then
  echo "night-demo: no display (DISPLAY is not set)" >&2
  exit 1
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/quiz-night-demo.XXXXXX")"
cp -r "$root/demo/." "$work/"
rm -f "$work/votes.rec" "$work/response.rec" "$work/quiz.txt" # tonight's votes only
cp "$build/tools/tlxctrl/tlxctrl" "$work/addin/tlxctrl"
pipe="talvix_night_$$"
mkdir -p "$work/profile/user"
cat >"$work/profile/user/registrymodifications.xcu" <<XCU
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/Office"><prop oor:name="ooSetupConnectionURL" oor:op="fuse"><value>pipe,name=$pipe;urp;</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="SecureURL" oor:op="fuse"><value><it>file://$work</it></value></prop></item>
<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>7.4</value></prop></item>
</oor:items>
XCU
export TALVIX_IMPRESS="pipe,name=$pipe"
export TALVIX_ADDIN_FOLDER="$work/addin"
export TALVIX_QUIZ="$build/src/quiz"
export TALVIX_CONTROLLER_SOCKET="$work/controller.sock"
export TALVIX_CONTROLLER_LOG="$work/controller.log"
soffice -env:UserInstallation="file://$work/profile" -env:BUNDLED_EXTENSIONS="file://$build/extension/bundled" \
  --norestore --nologo --nolockcheck "$work/quiznight.fodp" &
office=$!
(cd "$work" && exec "$work/addin/tlxctrl" --serve "$serve" --impress "$TALVIX_IMPRESS" --qr "$work/join.png") \
  2>"$work/controller.err" &
controller=$!
# The controller writes the presenter page's address once it serves.
for _ in $(seq 1 100); do
  [ -s "$work/talvix_presenter_url" ] && break
  kill -0 "$controller" 2>/dev/null || break
  sleep 0.1
done
cat "$work/controller.err" >&2
if [ ! -s "$work/talvix_presenter_url" ]; then
  echo "night-demo: the controller does not serve (see above)" >&2
  kill "$office" 2>/dev/null || true
  exit 1
fi
echo "Demo folder: $work (the controller's log: $work/controller.log)"
echo "Presenter page: $(cat "$work/talvix_presenter_url")"
echo "QR code for the audience: $work/join.png"
wait "$office" || true
kill "$controller" 2>/dev/null || true
