#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs everything Quibo needs to build, test and run, from Debian's packages.
# Does nothing when every package is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6
  qt6-qpa-plugins libgl-dev
  fonts-liberation
  scowl sox liblz4-dev
  xvfb xauth xdotool imagemagick
  qt6-l10n-tools qt6-translations-l10n librsvg2-bin desktop-file-utils appstream file lintian
  wordnet-base
  systemd
  libnatpmp-dev libminiupnpc-dev
  miniupnpd miniupnpd-nftables nftables iproute2
  libavahi-client-dev avahi-daemon avahi-utils dbus
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update
# The daemons among these (avahi-daemon, miniupnpd) are for tests, which start their own on the
# loopback interface or in a network namespace: the system's copies must not start on installing.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  trap '$sudo rm -f "$policy"' EXIT
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
