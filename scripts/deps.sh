#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kelvatron need.
# As root it runs apt-get; otherwise it prints the one line to run and fails.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache python3
  qt6-base-dev libsdl2-dev libxkbcommon-dev xkb-data
  libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev qt6-serialport-dev libsndfile1-dev libpulse-dev
  libpipewire-0.3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils libxtst6 imagemagick fonts-liberation
  pulseaudio pulseaudio-utils sox
  pipewire pipewire-bin wireplumber pipewire-pulse
  dbus-daemon at-spi2-core python3-pyatspi fonts-dejavu-core
  qt6-wayland qt6-translations-l10n sway appstream
  libespeak-ng-dev espeak-ng-data
)
# And whatever the tests and benchmarks call (ffmpeg's ffprobe among them).
source "$(dirname "$0")/tools.sh"
mapfile -t -O "${#packages[@]}" packages < <(tool_packages)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Kelvatron needs these Debian packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
