#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, test and run.
# Does nothing when they are all present.
#   --fuzz  also the fuzzing set: clang and its runtime (libFuzzer, sanitizers)
set -euo pipefail
PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libxcb1-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils xvfb xauth xdotool x11-utils openbox python3 ccache
  dpkg-dev lintian
  libreoffice-impress libreoffice-calc libreoffice-dev
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  chromium chromium-driver python3-selenium
)
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang-14 libclang-rt-14-dev)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
