#!/usr/bin/env bash
# Installs the Debian packages Quillet needs, by purpose:
#
#   install-deps.sh run build          what `make run` needs: run and build
#   install-deps.sh run build test     what `make test` adds: the test tools
#   install-deps.sh bench              the benchmarks (with run and build)
#   install-deps.sh format             clang-format for `make format`
#   install-deps.sh ci                 what .ci/run adds: ccache and clang-format
#   install-deps.sh                    everything
#
# Idempotent: packages already present are left alone, and apt is not touched
# at all when nothing is missing.
set -euo pipefail

# Running the program: the Qt libraries, the platform plugins that open its
# windows, Qt's Russian translations, fonts with Cyrillic glyphs, and the
# keyboard-map library that tells which letters a key carries in each layout.
run=(
  libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins
  qt6-translations-l10n fonts-dejavu-core libxkbcommon0 libxkbcommon-x11-0
)
# Building it; libxcb1-dev for reading another program's clipboard over an X
# connection of the program's own, libxkbcommon for the keyboard's layouts.
build=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libxcb1-dev libxkbcommon-dev
  libxkbcommon-x11-dev
)
# Running every test: the unit-test framework, the X server and tools the
# end-to-end tests drive the real program with (setxkbmap gives the server a
# Latin and a Russian layout), the PDF printer they print to, and what the
# packaging test checks the installed files and the package with: the desktop
# validators, man (with groff) for the manual pages, the locales' sources it
# builds the English and Russian locales from when the machine has none, and
# lintian.
test=(
  libgtest-dev libgmock-dev
  xvfb xdotool x11-utils x11-xkb-utils imagemagick python3
  poppler-utils cups cups-bsd printer-driver-cups-pdf
  desktop-file-utils appstream man-db locales lintian
)
# The benchmarks: the benchmark library, the X server the programs run under,
# the tool that types into the large document and saves it, and the instruction
# counter of the start-up count.
bench=(
  libbenchmark-dev xvfb xauth xdotool imagemagick python3 dbus-daemon valgrind
)
format=(clang-format)
# Continuous integration: the compiler cache that keeps a fresh clone's builds
# quick, and the formatting check.
ci=(ccache clang-format)

purposes=("$@")
if [ "${#purposes[@]}" -eq 0 ]; then
  purposes=(run build test bench format ci)
fi

packages=()
for purpose in "${purposes[@]}"; do
  case "$purpose" in
    run) packages+=("${run[@]}") ;;
    build) packages+=("${build[@]}") ;;
    test) packages+=("${test[@]}") ;;
    bench) packages+=("${run[@]}" "${build[@]}" "${bench[@]}") ;;
    format) packages+=("${format[@]}") ;;
    ci) packages+=("${ci[@]}") ;;
    *) echo "install-deps.sh: unknown purpose '$purpose' (run, build, test, bench, format, ci)" >&2
       exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1 && [[ " ${missing[*]-} " != *" $p "* ]]; then
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
