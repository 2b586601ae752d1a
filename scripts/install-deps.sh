#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, only when something is missing.
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev
          qt6-base-dev qt6-multimedia-dev libpulse-dev pkgconf
          dbus python3-dbusmock pulseaudio pulseaudio-utils xvfb xauth xdotool x11-utils trayer imagemagick fonts-liberation
          clang-format fp-utils
          g++-mingw-w64-i686-win32 wine wine32:i386 libgnutls30:i386 openssl
          gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
