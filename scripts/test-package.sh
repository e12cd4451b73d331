#!/usr/bin/env bash
# CI: builds the Debian package, installs it into this machine with apt-get,
# checks what it installed and removes it again. Run as root (or with sudo);
# a kavir package already installed here is replaced and then removed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package
bash scripts/make_icons.sh --check

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
tmp=$(mktemp -d)
chmod 755 "$tmp"  # apt reads the .deb as its own user
cleanup() {
  if dpkg-query -W -f='${Status}' kavir 2>/dev/null | grep -q "install ok installed"; then
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kavir >/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "test-package.sh: $*" >&2; exit 1; }

deb=$(KAVIR_PACKAGE_DIR="$tmp/out" bash scripts/package.sh | tail -n 1)
version=$(dpkg-deb -f "$deb" Version)
app_id=$(sed -n 's/^set(KAVIR_APP_ID \(.*\))$/\1/p' CMakeLists.txt)
[ -n "$app_id" ] || fail "no KAVIR_APP_ID in CMakeLists.txt"

# The libraries come from dpkg-shlibdeps, the font from the package's own list.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g')
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
           libqt6printsupport6 fonts-wqy-microhei; do
  grep -qx "$dep" <<<"$names" || fail "Depends lacks $dep: $depends"
done

lintian --fail-on error,warning "$deb"

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
# The files it installed (folders such as /lib are shared with the system).
dpkg-query -L kavir | while IFS= read -r path; do
  if [ -f "$path" ]; then echo "$path"; fi
done >"$tmp/files"
[ -s "$tmp/files" ] || fail "dpkg lists no files of kavir"

[ "$(kavir --version)" = "kavir $version" ] || fail "kavir --version: $(kavir --version)"
[ "$(kavir-cli --version)" = "kavir-cli $version" ] || fail "kavir-cli --version: $(kavir-cli --version)"
[ "$(kavir-radio-sim --version)" = "kavir-radio-sim $version" ] ||
  fail "kavir-radio-sim --version: $(kavir-radio-sim --version)"

desktop=/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
for page in kavir kavir-cli kavir-radio-sim; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page.1: $warnings"
done
# Completion as bash offers it: a command from its first letters, a command's options.
complete_words() {
  bash -c 'source /usr/share/bash-completion/bash_completion
    source /usr/share/bash-completion/completions/kavir-cli
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _kavir_cli; echo "${COMPREPLY[*]}"' complete "$@"
}
[ "$(complete_words kavir-cli im)" = import-csv ] || fail "completion of 'im': $(complete_words kavir-cli im)"
[ "$(complete_words kavir-cli batch --port 1 x --c)" = --count ] || fail "completion of batch's --c"
for size in 16x16 32x32 48x48 256x256; do
  [[ "$(file -b "/usr/share/icons/hicolor/$size/apps/kavir.png")" == *"${size/x/ x }"* ]] ||
    fail "icon $size: $(file -b "/usr/share/icons/hicolor/$size/apps/kavir.png")"
done
[ -f /lib/udev/rules.d/60-kavir-serial.rules ] || fail "no udev rule"

# The menu's command, as a user without KAVIR.ini in the home folder starts
# it: the working folder is seeded, and kavir-cli works on it.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
home=$tmp/home
mkdir -p "$home"
(cd "$home" && HOME="$home" QT_QPA_PLATFORM=offscreen $exec_line --version) >"$tmp/started"
[ "$(cat "$tmp/started")" = "kavir $version" ] || fail "the menu's command did not start kavir"
work=$home/.local/share/kavir
for f in /usr/share/kavir/*; do
  cmp -s "$f" "$work/$(basename "$f")" || fail "$work/$(basename "$f") not seeded"
done
kavir-cli --dir "$work" resave "$work/KV16V.ini" "$work/copy.dat" || fail "kavir-cli on the seeded folder"

# Removal leaves none of the package's files behind.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kavir >/dev/null
while IFS= read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then fail "left after removal: $path"; fi
done <"$tmp/files"
for dir in /usr/share/kavir /usr/libexec/kavir /usr/share/doc/kavir; do
  [ ! -e "$dir" ] || fail "left after removal: $dir"
done
echo "test-package.sh: $(basename "$deb") built, installed, checked and removed"
