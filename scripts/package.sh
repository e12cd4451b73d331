#!/usr/bin/env bash
# Builds the Debian package: out/kavir_<version>_<arch>.deb.
#
#   KAVIR_PACKAGE_DIR   where the .deb goes (default: out)
#   KAVIR_PKG_BUILD_DIR the package's own build folder (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package
build=${KAVIR_PKG_BUILD_DIR:-build-package}
out=${KAVIR_PACKAGE_DIR:-out}

# Debian's hardening flags (fortify, stack protector, full RELRO, bind now),
# given on every run: CMake reads CXXFLAGS and LDFLAGS only on the first.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS)"
ldflags=$(flags LDFLAGS)

# Installed under /usr; the desktop entry names the launcher there. Only the
# three programs and the files of dist/ are built, not the tests and tools.
cmake --preset package -B "$build" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
nice -n 10 cmake --build "$build" --target kavir kavir-cli kavir-radio-sim kavir_dist

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$build"/kavir_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(echo "$build"/kavir_*.deb)
cp "$deb" "$out/"
echo "$out/$(basename "$deb")"
