#!/usr/bin/env bash
# The desktop entry's launcher and the seeding of the user's working folder,
# run in an installed layout with a stand-in kavir that records where it was
# started and with what.
#
#   launch_test.sh LAUNCHER SEED DATA_DIR LAUNCH_DIR BIN_DIR SHARE_DIR
# (the last three relative to the install prefix, as the build set them)
set -uo pipefail
launcher=$1 seed=$2 data=$3 launch_dir=$4 bin_dir=$5 share_dir=$6

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
expect_eq() { [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"; }

prefix="$tmp/pre fix"  # a space, to catch unquoted paths
mkdir -p "$prefix/$launch_dir" "$prefix/$bin_dir" "$prefix/$share_dir"
cp "$launcher" "$seed" "$prefix/$launch_dir/"
cp "$data"/* "$prefix/$share_dir/"
record=$tmp/record
cat >"$prefix/$bin_dir/kavir" <<'STANDIN'
#!/bin/sh
{ pwd; for a in "$@"; do echo "arg:$a"; done; } >"$KAVIR_TEST_RECORD"
STANDIN
chmod +x "$prefix/$bin_dir/kavir"
launch="$prefix/$launch_dir/kavir-launch"

# Runs the launcher from folder $1 with HOME=$2 and XDG_DATA_HOME=$3
# (unset when empty); the rest are its arguments. Stderr goes to $tmp/err.
run() {
  local from=$1 home=$2 xdg=$3
  shift 3
  rm -f "$record"
  (cd "$from" && env -u XDG_DATA_HOME HOME="$home" ${xdg:+XDG_DATA_HOME="$xdg"} \
     KAVIR_TEST_RECORD="$record" "$launch" "$@") 2>"$tmp/err"
  local rc=$?
  [ $rc -eq 0 ] || fail "launcher exited $rc: $(cat "$tmp/err")"
}
started_in() { head -n 1 "$record" 2>/dev/null; }
same_files() {  # every file of folder $2 (default: the installed data) in $1
  for f in "${2:-$prefix/$share_dir}"/*; do
    cmp -s "$f" "$1/$(basename "$f")" || fail "$1/$(basename "$f") is not the shipped file"
  done
}

home="$tmp/home dir"
mkdir -p "$home" "$tmp/empty"
work="$home/.local/share/kavir"

# From a menu: the home folder, no KAVIR.ini there.
run "$home" "$home" "" /RegServer "two words"
expect_eq "$(started_in)" "$work" "started in"
expect_eq "$(sed -n '2,$p' "$record" | tr '\n' '|')" "arg:/RegServer|arg:two words|" "arguments"
same_files "$work"
[ -f "$work/KV16可定义.ini" ] || fail "the Chinese-named model file was not seeded"

# An absolute XDG_DATA_HOME is used, a relative one ignored.
run "$tmp/empty" "$home" "$tmp/xdg"
expect_eq "$(started_in)" "$tmp/xdg/kavir" "started with XDG_DATA_HOME"
same_files "$tmp/xdg/kavir"
run "$tmp/empty" "$home" "relative/share"
expect_eq "$(started_in)" "$work" "started with a relative XDG_DATA_HOME"
[ ! -e "$tmp/empty/relative" ] || fail "a relative XDG_DATA_HOME was used"

# A folder holding KAVIR.ini is the program directory, as before; nothing is seeded.
mkdir -p "$tmp/own"
printf '[Type]\r\n' >"$tmp/own/KAVIR.ini"
run "$tmp/own" "$tmp/fresh-home" ""
expect_eq "$(started_in)" "$tmp/own" "started in a folder with KAVIR.ini"
[ ! -e "$tmp/fresh-home/.local" ] || fail "a folder with KAVIR.ini still seeded the user's folder"

# A new release: a file the user changed is kept (and said so), one still as
# shipped is brought up to date, a Device= line alone is no change of the user's.
printf 'Mine=1\r\n' >>"$work/QTDQT.ini"
cp "$work/QTDQT.ini" "$tmp/users-qtdqt"
printf 'Device=/dev/pts/7\r\n' >>"$work/KAVIR.ini"  # as scripts/run.sh adds it
for f in KAVIR.ini QTDQT.ini KV16U.ini; do printf 'New=1\r\n' >>"$prefix/$share_dir/$f"; done
run "$home" "$home" ""
cmp -s "$work/QTDQT.ini" "$tmp/users-qtdqt" || fail "the user's changed QTDQT.ini was replaced"
grep -q "keeping your changed $work/QTDQT.ini" "$tmp/err" || fail "no word about the kept QTDQT.ini"
cmp -s "$work/KV16U.ini" "$prefix/$share_dir/KV16U.ini" || fail "an unchanged KV16U.ini was not updated"
cmp -s "$work/KAVIR.ini" "$prefix/$share_dir/KAVIR.ini" || fail "a KAVIR.ini with only a Device= line was not updated"
# ... and stays kept at the next release, too.
printf 'Newer=1\r\n' >>"$prefix/$share_dir/QTDQT.ini"
run "$home" "$home" ""
cmp -s "$work/QTDQT.ini" "$tmp/users-qtdqt" || fail "the user's QTDQT.ini was replaced a release later"
[ -z "$(find "$work" -name '*seed-tmp*')" ] || fail "a temporary copy was left behind"

# A folder that cannot be made: kavir still starts (and says what it lacks).
: >"$tmp/not-a-folder"
run "$tmp/empty" "$home" "$tmp/not-a-folder"
expect_eq "$(started_in)" "$tmp/empty" "started after a failed seeding"

# kavir-seed on its own, as scripts/run.sh uses it: prints the folder.
expect_eq "$(HOME="$home" XDG_DATA_HOME="$tmp/by-hand" "$seed" "$data" 2>/dev/null)" "$tmp/by-hand/kavir" "kavir-seed's folder"
same_files "$tmp/by-hand/kavir" "$data"
"$seed" "$tmp/no-such-data" "$tmp/x" 2>/dev/null
expect_eq "$?" 2 "kavir-seed without a data folder"

[ $failures -eq 0 ] && echo "launch_test: all passed"
exit $((failures > 0))
