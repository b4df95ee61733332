#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need. Safe to run again: it only
# calls apt-get when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  libpng-dev libjpeg-dev zlib1g-dev
  clang libclang-rt-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  libsdl2-dev libepoxy-dev libegl-dev libgl-dev libgl1-mesa-dri
  libfluidsynth-dev timgm6mb-soundfont
  libinih-dev
  xvfb xauth xdotool python3 x11-utils openbox
  # tests/display: Xorg with the dummy driver, xrandr (x11-xserver-utils), xwd (x11-apps)
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-apps
  desktop-file-utils dpkg-dev
  # a played test whose game does not end prints its threads' stacks
  gdb
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
