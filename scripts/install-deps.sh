#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, test and run.
# Does nothing when they are all present.
#   --fuzz  also the fuzzing set: clang and its runtime (libFuzzer, sanitizers)
set -euo pipefail
PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev libgl-dev
  libminizip-dev libxcb1-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils xvfb xauth xdotool x11-utils openbox python3 ccache
  dpkg-dev lintian clang-format
  libreoffice-impress libreoffice-calc libreoffice-dev
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  chromium chromium-driver python3-selenium
)
# The phone pages' accessibility check (axe-core) comes from npm: node and npm
# from Debian unless the machine has them.
if ! command -v npm >/dev/null; then
  PACKAGES+=(nodejs npm)
fi
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang-14 libclang-rt-14-dev)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# axe-core exactly as tests/e2e/phones/package-lock.json pins it, when not there yet.
phones="$(cd "$(dirname "$0")/.." && pwd)/tests/e2e/phones"
if [ ! -f "$phones/node_modules/axe-core/axe.min.js" ] ||
  [ "$phones/package-lock.json" -nt "$phones/node_modules/.package-lock.json" ]; then
  npm ci --prefix "$phones" --no-audit --no-fund
fi
