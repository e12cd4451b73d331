#!/usr/bin/env bash
# Lays out the Windows desktop program as it is installed: kavir.exe and
# kavir-cli.exe, the Qt and MinGW DLLs they load (found by following their
# imports, nothing more), the platform and style plugins, Qt's Chinese
# dialogs and the data files. Fails, naming it, on an import that is neither
# shipped nor part of Windows.
#
#   scripts/deploy-windows.sh BUILD_DIR QT_DIR OUT_DIR [SYSTEM_DLLS_DIR]
#
# SYSTEM_DLLS_DIR holds the DLLs that count as part of Windows; by default
# Wine's own (what the tests run on).
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 BUILD_DIR QT_DIR OUT_DIR [WINE_SYSTEM32]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 qt=$2 out=$3
system32=${4:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
[ -d "$system32" ] || { echo "deploy-windows: no Windows DLLs in $system32 to check the imports against" >&2; exit 1; }
triplet=x86_64-w64-mingw32
objdump=$triplet-objdump
die() { echo "deploy-windows: $*" >&2; exit 1; }

exes=("$build/src/app/kavir.exe" "$build/src/cli/kavir-cli.exe")
for e in "${exes[@]}"; do [ -f "$e" ] || die "$e is not built"; done
# The windows platform for the window, minimal for kavir-cli's PDF, and the
# style that draws native Windows controls.
plugins=(platforms/qwindows.dll platforms/qminimal.dll styles/qwindowsvistastyle.dll)
runtime_dirs=("$qt/bin")
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  f=$($triplet-g++-posix -print-file-name="$dll")
  [ -f "$f" ] && runtime_dirs+=("$(dirname "$f")")
done

rm -rf "$out.new"
mkdir -p "$out.new"
cp "${exes[@]}" "$out.new/"
for p in "${plugins[@]}"; do
  [ -f "$qt/plugins/$p" ] || die "the Qt in $qt lacks the plugin $p"
  mkdir -p "$out.new/$(dirname "$p")"
  cp "$qt/plugins/$p" "$out.new/$p"
done

# Follows the imports of everything laid out so far; names compare without
# case, as Windows does.
imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r'; }
find_dll() {
  local name=$1 d hit
  for d in "${runtime_dirs[@]}"; do
    hit=$(find "$d" -maxdepth 1 -iname "$name" -print -quit)
    [ -n "$hit" ] && { echo "$hit"; return 0; }
  done
  return 1
}
is_windows() {
  [[ ${1,,} =~ ^(api-ms-win-|ext-ms-) ]] && return 0
  [ -n "$(find "$system32" -maxdepth 1 -iname "$1" -print -quit)" ]
}
declare -A seen=()
queue=()
while IFS= read -r -d '' f; do queue+=("$f"); done < <(find "$out.new" -name '*.exe' -print0 -o -name '*.dll' -print0)
while [ ${#queue[@]} -gt 0 ]; do
  f=${queue[0]}
  queue=("${queue[@]:1}")
  while IFS= read -r name; do
    key=${name,,}
    [ -n "${seen[$key]:-}" ] && continue
    seen[$key]=1
    if found=$(find_dll "$name"); then
      cp "$found" "$out.new/"
      queue+=("$out.new/$(basename "$found")")
    elif ! is_windows "$name"; then
      die "$(basename "$f") needs $name, which is neither shipped nor part of Windows"
    fi
  done < <(imports "$f")
done

# What ships carries no symbols: MinGW's libstdc++ alone has 17 MB of them.
find "$out.new" \( -name '*.dll' -o -name '*.exe' \) -exec $triplet-strip --strip-unneeded {} +

# Qt's own dialogs in Chinese, looked for beside the program.
mkdir -p "$out.new/translations"
qm=$(ls /usr/share/qt6/translations/qtbase_zh_CN.qm 2>/dev/null || true)
[ -n "$qm" ] || die "qtbase_zh_CN.qm is missing (qt6-translations-l10n)"
cp "$qm" "$out.new/translations/"
cp "$root"/data/* "$out.new/"

rm -rf "$out"
mv "$out.new" "$out"
echo "deploy-windows: $(find "$out" -type f | wc -l) files, $(du -sh "$out" | cut -f1) in $out" >&2
