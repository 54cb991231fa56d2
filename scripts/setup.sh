#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever building and testing Quorvel
# needs and this machine lacks. Does nothing when all is there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-qpa-plugins libxcb1-dev libxcb-shape0-dev qt6-wayland
  libgtest-dev libbenchmark-dev unicode-data
  clang-14 libclang-rt-14-dev
  xvfb xauth x11-utils xdotool wmctrl imagemagick openbox xcompmgr dbus-daemon time
  weston mutter kwin-wayland kwin-style-breeze libgtk-3-bin
  orca speech-dispatcher at-spi2-core
  fonts-ipafont-gothic fonts-liberation2 fonts-dejavu-core
  dpkg-dev file lintian desktop-file-utils appstream man-db
  g++-mingw-w64-x86-64-posix wine64
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
