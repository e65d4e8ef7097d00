#!/usr/bin/env bash
# Installs the Debian packages Quillet needs to build, run and test.
# Idempotent: packages already present are left alone, and apt is not
# touched at all when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-translations-l10n
  qt6-qpa-plugins libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick
  poppler-utils cups cups-bsd printer-driver-cups-pdf
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
