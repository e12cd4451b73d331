#!/usr/bin/env bash
# scripts/build-qt-windows.sh's cache key and its no-op run: the key follows
# the patch set, a patch without its reason is refused, and a run that finds
# its folder prints it and touches nothing. Builds nothing.
set -uo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/build-qt-windows.sh

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0 failed=0
check() {  # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); else echo "FAILED: $1" >&2; failed=$((failed + 1)); fi
}
key() { KAVIR_QT_PATCHES=$1 KAVIR_CACHE_DIR=$tmp/cache bash "$script" --key; }

patches=$tmp/patches
mkdir -p "$patches"
none=$(key "$patches")
check "a key is 12 hex digits" eval '[[ $none =~ ^[0-9a-f]{12}$ ]]'
check "the same inputs give the same key" [ "$(key "$patches")" = "$none" ]

cat >"$patches/one.patch" <<'EOF'
Why this patch is here.
--- a/f
+++ b/f
@@ -1 +1 @@
-a
+b
EOF
one=$(key "$patches")
check "adding a patch changes the key" [ "$one" != "$none" ]
sed -i 's/+b/+c/' "$patches/one.patch"
check "changing a patch changes the key" [ "$(key "$patches")" != "$one" ]
sed -i 's/+c/+b/' "$patches/one.patch"
check "the key depends on the content alone" [ "$(key "$patches")" = "$one" ]
cp "$patches/one.patch" "$patches/notes.txt"
check "files other than *.patch do not count" [ "$(key "$patches")" = "$one" ]

sed -i 1d "$patches/one.patch"
check "a patch without its reason is refused" eval '! key "$patches" 2>/dev/null'
sed -i '1i Why this patch is here.' "$patches/one.patch"

# A present folder: the path is the last line on stdout and nothing is made.
path=$(KAVIR_QT_PATCHES=$patches KAVIR_CACHE_DIR=$tmp/cache bash "$script" --path)
check "the folder is in the cache, named by version and key" \
  eval '[[ $path == "$tmp/cache/qt6-mingw-"*"-$one" ]]'
mkdir -p "$path/lib/cmake/Qt6"
touch "$path/lib/cmake/Qt6/Qt6Config.cmake"
out=$(KAVIR_QT_PATCHES=$patches KAVIR_CACHE_DIR=$tmp/cache bash "$script" 2>/dev/null)
check "a run with the folder present succeeds" [ $? -eq 0 ]
check "its last line on stdout is the folder" [ "$(tail -n1 <<<"$out")" = "$path" ]
check "it makes nothing in the cache" [ "$(ls -A "$tmp/cache")" = "$(basename "$path")" ]

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
