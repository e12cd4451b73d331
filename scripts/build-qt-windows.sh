#!/usr/bin/env bash
# Builds the smallest Qt 6 the desktop program needs for 64-bit Windows
# (Core, Gui, Widgets, PrintSupport, Test; the windows and minimal platform
# plugins) from Debian's own qt6-base sources with MinGW-w64, and installs it
# into a cache folder keyed by the Qt version, the compiler and the patch set.
# With that folder already there it does nothing. Either way the last line
# on stdout is the folder; everything else goes to stderr.
#
#   scripts/build-qt-windows.sh         build if needed, print the folder
#   scripts/build-qt-windows.sh --path  print the folder it would use, build nothing
#   scripts/build-qt-windows.sh --key   print the cache key, build nothing
#
# KAVIR_QT_PATCHES names another patch folder (for tests); KAVIR_CACHE_DIR
# another cache; KAVIR_QT_JOBS the parallel jobs (2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

mode=build
case "${1:-}" in
  "") ;;
  --key) mode=key ;;
  --path) mode=path ;;
  *) echo "usage: $0 [--key|--path]" >&2; exit 2 ;;
esac

say() { echo "build-qt-windows: $*" >&2; }
die() { say "$*"; exit 1; }

triplet=x86_64-w64-mingw32
cxx=$triplet-g++-posix
patch_dir=${KAVIR_QT_PATCHES:-$root/scripts/qt-windows/patches}
cache=${KAVIR_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/kavir}
jobs=${KAVIR_QT_JOBS:-2}

pkg_version() {
  dpkg-query -W -f='${Status} ${Version}\n' "$1" 2>/dev/null |
    sed -n 's/^install ok installed //p'
}
# The key needs the host's Qt and the compiler; the rest of the set-up only
# a build, so a run that finds its folder installs nothing.
if [ "$mode" = build ] && { [ -z "$(pkg_version qt6-base-dev)" ] || ! command -v "$cxx" >/dev/null; }; then
  bash "$root/scripts/setup.sh" qt-windows >&2
fi
# The sources must be those of the host's Qt: its moc, rcc and uic build
# this Qt and every program built against it.
qt_version=$(pkg_version qt6-base-dev)
[ -n "$qt_version" ] || die "qt6-base-dev is not installed (run scripts/setup.sh qt-windows)"
command -v "$cxx" >/dev/null || die "$cxx is missing (run scripts/setup.sh qt-windows)"
qt_upstream=${qt_version%%+*}
qt_upstream=${qt_upstream%%-*}

# Off: everything the desktop program does not use. Freetype goes too, and
# with it the offscreen plugin; the minimal plugin draws with the Windows
# font database instead. OpenGL is off as an input ("no"), which also turns
# off dynamic GL; Direct2D stays, since the DirectWrite font engine and
# print support need it, but its own platform plugin (direct2d1_1) is left out.
# Tablet events need wintab.h, which Debian's MinGW headers lack.
features_off=(
  network sql dbus xml concurrent opengl vulkan icu zstd jpeg gif freetype
  tabletevent direct2d1_1 androiddeployqt pkg_config
  textmarkdownreader textmarkdownwriter
  system_zlib system_png system_pcre2 system_harfbuzz system_doubleconversion
  system_libb2 system_jpeg system_freetype
)
configure_args=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DCMAKE_SYSTEM_NAME=Windows
  -DCMAKE_SYSTEM_PROCESSOR=x86_64
  -DCMAKE_C_COMPILER=$triplet-gcc-posix
  -DCMAKE_CXX_COMPILER=$cxx
  -DCMAKE_RC_COMPILER=$triplet-windres
  -DCMAKE_FIND_ROOT_PATH=/usr/$triplet
  -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER
  -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY
  -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY
  -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DINPUT_opengl=no
)
for f in "${features_off[@]}"; do configure_args+=("-DFEATURE_$f=OFF"); done

patches=()
if [ -d "$patch_dir" ]; then
  while IFS= read -r p; do patches+=("$p"); done < <(find "$patch_dir" -maxdepth 1 -name '*.patch' | LC_ALL=C sort)
fi
# Each patch opens with one line that says why it is there.
for p in "${patches[@]}"; do
  case "$(head -n1 "$p")" in
    "" | "diff "* | "--- "* | "+++ "* | "Index: "* | "From "*)
      die "$(basename "$p") does not start with a line saying why it is there" ;;
  esac
done

# What the build depends on, one line each; its hash is the key.
key_inputs() {
  echo "qt6-base $qt_version"
  echo "compiler $(pkg_version g++-mingw-w64-x86-64-posix) $("$cxx" -dumpfullversion)"
  echo "mingw-w64 $(pkg_version mingw-w64-x86-64-dev)"
  printf 'configure %s\n' "${configure_args[@]}"
  local p
  for p in "${patches[@]}"; do
    echo "patch $(basename "$p") $(sha256sum <"$p" | cut -c1-64)"
  done
}
key=$(key_inputs | sha256sum | cut -c1-12)
name=qt6-mingw-$qt_upstream-$key
prefix=$cache/$name

case "$mode" in
  key) echo "$key"; exit 0 ;;
  path) echo "$prefix"; exit 0 ;;
esac

# A folder is only ever there complete: it is renamed into place at the end.
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  say "Qt $qt_version for Windows is already built"
  echo "$prefix"
  exit 0
fi

bash "$root/scripts/setup.sh" qt-windows >&2
mkdir -p "$cache/src"
exec {lock}>"$cache/$name.lock"
flock -n "$lock" || { say "another build of $name is running; waiting for it"; flock "$lock"; }
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi

log=$cache/$name.log
work=$cache/src/$name
stage=""
step=""
on_exit() {
  local status=$?
  [ -n "$stage" ] && rm -rf "$stage"
  if [ "$status" -ne 0 ]; then
    say "FAILED while $step (exit $status); nothing was installed."
    say "The log is $log; the build folder $work is kept for a retry."
  fi
}
trap on_exit EXIT
trap 'exit 130' INT TERM

low=(nice -n 19)
if command -v ionice >/dev/null; then low+=(ionice -c3); fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

start=$(date +%s)
say "building Qt $qt_version for Windows (MinGW-w64, key $key)."
say "This takes about 25 minutes on two idle cores (45 to 70 CPU-minutes); beside other builds far longer (112 minutes measured)."
say "log: $log"
: >"$log"
key_inputs >>"$log"

# --- Debian's sources --------------------------------------------------------
step="fetching the sources of qt6-base $qt_version"
have_source() { apt-cache showsrc qt6-base 2>/dev/null | grep -qxF "Version: $qt_version"; }
if ! have_source; then
  # Source lines for the archives already configured, as a file of our own.
  list=/etc/apt/sources.list.d/kavir-deb-src.sources
  say "adding source lines for the configured archive ($list)"
  tmp_list=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$list" ] || continue
    grep -q '^Types:.*\bdeb\b' "$f" || continue
    sed 's/^Types:.*/Types: deb-src/' "$f" >>"$tmp_list"
    echo >>"$tmp_list"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' "$f" >>"$tmp_list.list"
  done
  $SUDO install -m 644 "$tmp_list" "$list"
  if [ -s "$tmp_list.list" ]; then $SUDO install -m 644 "$tmp_list.list" "${list%.sources}.list"; fi
  rm -f "$tmp_list" "$tmp_list.list"
  $SUDO apt-get update -qq >>"$log" 2>&1
  have_source || die "the archive has no source package qt6-base $qt_version"
fi
# The downloaded files stay, so a change of patches fetches nothing again.
mkdir -p "$cache/src/debian"
(cd "$cache/src/debian" && apt-get source --download-only -qq "qt6-base=$qt_version") >>"$log" 2>&1
dsc=$(ls "$cache/src/debian/qt6-base_${qt_version#*:}.dsc")

if [ ! -d "$work/qt6-base" ]; then
  step="unpacking and patching the sources"
  rm -rf "$work/qt6-base.new"
  mkdir -p "$work"
  dpkg-source -x "$dsc" "$work/qt6-base.new" >>"$log" 2>&1
  for p in "${patches[@]}"; do
    say "applying $(basename "$p"): $(head -n1 "$p")"
    patch -d "$work/qt6-base.new" -p1 --forward --batch <"$p" >>"$log" 2>&1 ||
      die "patch $(basename "$p") does not apply to qt6-base $qt_version"
  done
  mv "$work/qt6-base.new" "$work/qt6-base"
fi

# --- Configure, build, install ------------------------------------------------
step="configuring"
say "configuring"
"${low[@]}" cmake -S "$work/qt6-base" -B "$work/build" "${configure_args[@]}" \
  -DCMAKE_INSTALL_PREFIX="$prefix" >>"$log" 2>&1

step="building"
say "building with $jobs jobs at the lowest priority"
# Ninja's [done/total] lines become a line every 5 %.
"${low[@]}" cmake --build "$work/build" --parallel "$jobs" 2>&1 | tee -a "$log" |
  awk -v start="$start" '
    match($0, /^\[[0-9]+\/[0-9]+\]/) {
      split(substr($0, 2, RLENGTH - 2), n, "/")
      pct = int(100 * n[1] / n[2])
      if (pct >= next_pct) {
        printf "build-qt-windows: %3d %% (%d of %d steps), %d min\n", pct, n[1], n[2], (systime() - start) / 60 > "/dev/stderr"
        next_pct = pct - pct % 5 + 5
      }
    }' || die "the build failed (the log's last lines say why)"

step="installing"
stage=$(mktemp -d "$cache/.$name.stage.XXXXXX")
DESTDIR=$stage cmake --install "$work/build" >>"$log" 2>&1
for f in lib/cmake/Qt6/Qt6Config.cmake bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll \
         bin/Qt6PrintSupport.dll plugins/platforms/qwindows.dll plugins/platforms/qminimal.dll; do
  [ -e "$stage$prefix/$f" ] || die "the install lacks $f"
done

step="linking a Widgets program against it"
say "checking that a Widgets and Print Support program links against it"
"${low[@]}" cmake -S "$root/scripts/qt-windows/check" -B "$work/check" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$stage$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >>"$log" 2>&1
"${low[@]}" cmake --build "$work/check" >>"$log" 2>&1

key_inputs >"$stage$prefix/kavir-qt-build.txt"
mv "$stage$prefix" "$prefix"
rm -rf "$stage" "$work"
stage=""

elapsed=$(( $(date +%s) - start ))
say "done in $((elapsed / 60)) min $((elapsed % 60)) s; $(du -sh "$prefix" | cut -f1) installed"
echo "$prefix"
