#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test KAVIR.
# Does nothing when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format
  qt6-base-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  fonts-wqy-microhei
  qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  xvfb xauth poppler-utils
)

# Optional groups, named on the command line:
#   windows  the MinGW-w64 cross compiler, Wine, NSIS (for the installer),
#            the locale sources (to run the tests as on a Chinese Windows) and
#            what drives and photographs kavir.exe on a virtual display, for
#            scripts/test-windows.sh
#   qt-windows  the MinGW-w64 cross compiler and the tools that unpack and
#            patch Debian's Qt sources, for scripts/build-qt-windows.sh
#   package  the Debian package's tools and checkers, for scripts/package.sh,
#            scripts/test-package.sh and scripts/make_icons.sh
for group in "$@"; do
  case "$group" in
    windows) packages+=(g++-mingw-w64-x86-64-posix wine wine64 locales nsis xdotool imagemagick) ;;
    qt-windows) packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils patch) ;;
    package) packages+=(dpkg-dev file lintian desktop-file-utils appstream librsvg2-bin man-db bash-completion) ;;
    *) echo "setup.sh: unknown group '$group' (known: windows, qt-windows, package)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
