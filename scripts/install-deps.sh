#!/usr/bin/env bash
# Installs, with apt-get, only the Debian packages this project needs that are missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libgl-dev libgl1-mesa-dev libgl1-mesa-dri
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libogg-dev libvorbis-dev
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra fonts-linuxlibertine fonts-goudybookletter
  libcairo2-dev fonts-noto-color-emoji libpixman-1-dev
  xvfb xauth xdotool
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}" >&2
  echo "install-deps: run as root (or install them) and try again" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
