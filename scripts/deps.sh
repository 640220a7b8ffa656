#!/usr/bin/env bash
# Installs the Debian packages the build (and, with "test", the test run) needs.
# Only missing packages are installed, so a second run costs nothing.
set -euo pipefail

pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libqt6printsupport6
      libqt6svg6 libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation
      qt6-tools-dev qt6-l10n-tools qt6-translations-l10n dpkg-dev ccache libfontconfig-dev)
if [ "${1:-}" = "test" ]; then
  pkgs+=(clang-14 libclang-rt-14-dev xvfb xauth xdotool xclip x11-utils imagemagick poppler-utils
         cups cups-bsd cups-client printer-driver-cups-pdf openbox wmctrl
         lintian appstream desktop-file-utils dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 gcovr)
fi

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
$SUDO apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
