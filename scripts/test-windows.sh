#!/usr/bin/env bash
# Cross-builds the standard-library core, its tests and kavir-cli for 64-bit
# Windows with MinGW-w64 and runs every test under Wine, in a Wine prefix of
# its own; then kavir-cli.exe and its installer against the virtual radio;
# then the desktop program, built with a Qt for Windows made from Debian's
# sources (scripts/build-qt-windows.sh: about 25 minutes the first time,
# cached after), its widget tests and kavir.exe on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh windows
# The Qt for Windows build's cache key and its no-op run (builds no Qt).
bash tests/windows/qt_build_key_test.sh

root=$PWD
build=${KAVIR_WIN_BUILD_DIR:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=()
if command -v ccache >/dev/null; then cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

# GoogleTest from the sources libgtest-dev ships, built once for Windows.
gtest=$build/googletest-install
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$gtest" -DBUILD_GMOCK=OFF \
    "${cache[@]}" >/dev/null
  nice -n 10 cmake --build "$build/googletest"
  cmake --install "$build/googletest" >/dev/null
fi

cmake --preset mingw-core -B "$build/core" -DGTest_DIR="$gtest/lib/cmake/GTest" "${cache[@]}" >/dev/null
nice -n 10 cmake --build "$build/core"

# One Wine server for the whole run, started before the first test and
# stopped at the end; no Mono or Gecko (nothing here needs them).
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# The tests run as on a Chinese Windows: ANSI code page 936, system messages
# in Chinese. Wine takes the code page from the locale, which this machine
# need not have generated: a private copy is made for this run.
if [ ! -d "$build/locale/zh_CN.UTF-8" ]; then
  mkdir -p "$build/locale"
  localedef -i zh_CN -f UTF-8 "$build/locale/zh_CN.UTF-8"
fi
chinese=(env LOCPATH="$build/locale" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
stop_wine  # one left over from an earlier run would refuse the -p below
# The server takes the COM ports' pseudo-terminals as its controlling
# terminal and dumps its object table at each hang-up: that goes to a log.
wineserver -p 2>"$build/wineserver.log"
"${chinese[@]}" wineboot --init >/dev/null 2>&1
# Under Wine the first programs after the prefix starts now and then stall
# at exit or die before main(), whatever they run: a warm-up run takes that,
# and a failed test runs once more (one that fails twice fails the run).
"${chinese[@]}" timeout 120 wine "$build/core/tests/codec/kavir_codec_tests.exe" --gtest_list_tests \
  >/dev/null 2>&1 </dev/null || true

"${chinese[@]}" ctest --test-dir "$build/core" --output-on-failure -j2 --timeout 600 --repeat until-pass:2

# --- The serial transport on a Windows COM port -------------------------------
# Each case of the transport table runs against COM7, joined like a null-modem
# cable to COM8 (its far end, played by the test): two pseudo-terminals relayed
# by scripts/pty_pair.py and linked into the prefix's dosdevices. A fresh pair
# per case, since the hang-up case ends it.
link_tests=$build/core/tests/link/kavir_native_transport_tests.exe
cases=$("${chinese[@]}" timeout 120 wine "$link_tests" --gtest_list_tests --gtest_filter='Cases/NativeTransport.*' \
  </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^  OnARealLine\/\([A-Za-z]*\).*/\1/p')
[ -n "$cases" ] || { echo "no transport cases found" >&2; exit 1; }
for name in $cases; do
  exec {pair}< <(exec python3 scripts/pty_pair.py)
  pair_pid=$!
  read -r -u "$pair" end_a end_b
  ln -sfn "$end_a" "$WINEPREFIX/dosdevices/com7"
  ln -sfn "$end_b" "$WINEPREFIX/dosdevices/com8"
  status=0
  "${chinese[@]}" KAVIR_TEST_COM=COM7 KAVIR_TEST_COM_PEER=COM8 timeout 120 wine "$link_tests" \
    --gtest_filter="Cases/NativeTransport.OnARealLine/$name" </dev/null || status=$?
  kill "$pair_pid" 2>/dev/null || true
  exec {pair}<&-
  rm -f "$WINEPREFIX/dosdevices/com7" "$WINEPREFIX/dosdevices/com8"
  [ "$status" -eq 0 ] || { echo "transport case $name failed on COM7 under Wine" >&2; exit 1; }
done
echo "transport cases on COM7 under Wine: passed"

# kavir-cli.exe and its installer against kavir-radio-sim on pseudo-terminals,
# beside the Linux kavir-cli (both built without Qt).
nice -n 10 cmake --build "$build/core" --target kavir-cli installer
cmake --preset core-only -B "$build/linux" "${cache[@]}" >/dev/null
nice -n 10 cmake --build "$build/linux" --target kavir-cli kavir-radio-sim
version=$(sed -n 's/^project(kavir VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
"${chinese[@]}" timeout 1200 bash tests/windows/wine_cli_e2e.sh "$build/core/src/cli/kavir-cli.exe" \
  "$build/linux/src/cli/kavir-cli" "$build/linux/src/sim/kavir-radio-sim" "$root/data" \
  "$build/core/kavir-cli-setup-$version.exe"

# --- The desktop program ------------------------------------------------------
qt_windows=$(bash scripts/build-qt-windows.sh | tail -n 1)
KAVIR_QT_WINDOWS=$qt_windows cmake --preset mingw-desktop -B "$build/desktop" \
  -DGTest_DIR="$gtest/lib/cmake/GTest" "${cache[@]}" >/dev/null
# The installer's target lays the program out in desktop/KAVIR first.
nice -n 10 cmake --build "$build/desktop" --target kavir_app_tests installer
cp "$qt_windows/bin/Qt6Test.dll" "$build/desktop/tests/app/"
"${chinese[@]}" timeout 2400 bash tests/windows/wine_desktop_e2e.sh "$build/desktop/KAVIR" \
  "$build/desktop/tests/app/kavir_app_tests.exe" "$build/linux/src/cli/kavir-cli" \
  "$build/linux/src/sim/kavir-radio-sim" "$root/data" "$build/desktop/screenshots" \
  "$build/desktop/kavir-setup-$version.exe"
