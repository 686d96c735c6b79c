#!/usr/bin/env bash
# A quiz night in LibreOffice Impress: opens a copy of the demo presentation
# (quiznight.fodp) in an office of its own under the current display, with the
# Talvix Quiz extension and the controller stand-in beside it, and starts the
# show at the quiz slide. The quiz's autostart shows the top places over the
# show; a click or a key ends the display and the show moves on. Closing the
# office ends the demo.
#   From a checkout: ./scripts/impress-demo.sh   (builds first)
#   Installed:       /usr/share/talvix/quiz-impress-demo
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ -f "$here/../CMakeLists.txt" ]; then
  root="$(cd "$here/.." && pwd)"
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh"
  build="${QUIZ_BUILD_DIR:-$root/build}"
  bin="$build/src" ctrl="$build/tools/tlxctrl/tlxctrl" extensions="$build/extension/bundled" demo="$root/demo"
else
  prefix="$(cd "$here/../.." && pwd)"
  bin="$prefix/bin" ctrl="$prefix/bin/tlxctrl" extensions="$prefix/lib/libreoffice/share/extensions"
  demo="$prefix/share/talvix/demo"
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "impress-demo: no display (DISPLAY is not set)" >&2
  exit 1
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/quiz-impress-demo.XXXXXX")"
cp -r "$demo/." "$work/"
cp "$ctrl" "$work/addin/tlxctrl"
pipe="talvix_demo_$$"
# An office profile of the demo's own: it listens on the demo's pipe, and the
# demo folder is a trusted location, so the QUIZ shape's macro may run.
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
export TALVIX_QUIZ="$bin/quiz"
export TALVIX_CONTROLLER_SOCKET="$work/controller.sock"
export TALVIX_CONTROLLER_LOG="$work/controller.log"
echo "Demo folder: $work (the controller's log: $work/controller.log)"
soffice -env:UserInstallation="file://$work/profile" -env:BUNDLED_EXTENSIONS="file://$extensions" \
  --norestore --nologo --nolockcheck "$work/quiznight.fodp" &
office=$!
"$work/addin/tlxctrl" --impress "$TALVIX_IMPRESS" --start-show 6 &
controller=$!
wait "$office" || true
kill "$controller" 2>/dev/null || true
