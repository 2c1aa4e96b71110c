#!/usr/bin/env bash
# Installs every Debian package the project builds, tests or runs with.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # Qt 6 and media
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
  qt6-qpa-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libfluidsynth-dev fluidsynth timgm6mb-soundfont
  # the converter and PDF tools used by pagewick and its tests; xdg-open shows its output folder
  poppler-utils qpdf xdg-utils
  # headless display, screenshots
  xvfb xauth x11-utils imagemagick
  # course pictures (SVG to bitmap) and the shipped-content checks
  librsvg2-bin python3
  # fonts the skins map to
  fonts-dejavu-core fonts-liberation fonts-noto-core fonts-wqy-microhei
  # text conversion is glibc's iconv; locales for the code pages
  locales
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
