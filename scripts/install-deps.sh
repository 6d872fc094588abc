#!/usr/bin/env bash
# The one list of packages the build, the tests and the program need on Debian 12.
# Both README commands and CI call this; it is safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev
  libxml2-dev xsltproc
  libturbojpeg0-dev libarchive-dev libzxing-dev libxmlrpc-c++8-dev
  xvfb xauth fonts-dejavu-core
  iproute2 iputils-ping binutils locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
