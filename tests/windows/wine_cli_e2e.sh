#!/usr/bin/env bash
# kavir-cli.exe under Wine against kavir-radio-sim: the prefix's COM7..COM9
# are links to the simulators' pseudo-terminals. Each operation runs through
# the Windows program and through the Linux one against a like radio; the
# files and the radio's image must come out the same. Then the installer:
# silent install, the installed program run, silent uninstall.
#
#   wine_cli_e2e.sh CLI_EXE LINUX_CLI SIM DATA_DIR SETUP_EXE
# with WINEPREFIX set and its wineserver running.
set -uo pipefail
cli_exe=$1 cli=$2 sim=$3 data=$4 setup=$5
tmp=$(mktemp -d)
sims=()
cleanup() {
  for p in "${sims[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -f "$WINEPREFIX"/dosdevices/com{7,8,9}
  rm -rf "$tmp"
}
trap cleanup EXIT
source "$(dirname "$0")/e2e_common.sh"
unix() { tr -d '\r' <"$1"; }

# lin/win ARGS...: kavir-cli in $tmp/lin or $tmp/win (its program folder),
# under a time-out. Wine's first start now and then stalls: a run that timed
# out or died before main() is made once more.
lin() { (cd "$tmp/lin" && timeout 120 "$cli" --dir . "$@"); }
win() {
  local rc
  (cd "$tmp/win" && timeout 120 wine "$cli_exe" --dir . "$@")
  rc=$?
  if [ $rc -eq 124 ] || [ $rc -gt 3 ]; then
    echo "wine: exit $rc, once more" >&2
    (cd "$tmp/win" && timeout 120 wine "$cli_exe" --dir . "$@")
    rc=$?
  fi
  return $rc
}
now() { date +%s.%N; }
ratio() { awk -v t="$1" -v b="$2" 'BEGIN { printf "%.2f", t / (b * 10 / 9600) }'; }

mkdir -p "$tmp/lin" "$tmp/win"
cp "$data"/* "$tmp/lin/"
cp "$data"/* "$tmp/win/"

# --version and what Wine's start costs alone.
t0=$(now)
version=$(timeout 120 wine "$cli_exe" --version | tr -d '\r')
[ -n "$version" ] || version=$(timeout 120 wine "$cli_exe" --version | tr -d '\r')
start_cost=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }')
[ "$version" = "$("$cli" --version)" ] || fail "version: '$version'"

# read at 9600 baud, a radio holding KV16V.ini.
lin encode KV16V.ini "$tmp/KV16V.bin" 2>/dev/null
radio=(--profile "$data/KV16V.ini" --dir "$data" --baud 9600)
start_sim read-lin "${radio[@]}"
t0=$(now)
lin read --port "$pty" --out radio.dat >/dev/null 2>"$tmp/read-lin.err" || fail "Linux read: $(cat "$tmp/read-lin.err")"
read_lin_s=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { print b - a }')
read_lin_bytes=$(stop_sim "$tmp/read-lin.log" | awk '{ print $1 + $2 }')
start_sim read-win "${radio[@]}"
com 7 "$pty"
t0=$(now)
win read --port COM7 --out radio.dat >/dev/null 2>"$tmp/read-win.err" || fail "Wine read: $(cat "$tmp/read-win.err")"
read_s=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { print b - a }')
read_bytes=$(stop_sim "$tmp/read-win.log" | awk '{ print $1 + $2 }')
same "$tmp/lin/radio.dat" "$tmp/win/radio.dat" "read: the file saved"
same "$tmp/lin/Read.ini" "$tmp/win/Read.ini" "read: Read.ini"

# write with verify (and the radio's settings kept first) at 9600 baud, of a
# file with a Chinese name and a space (the arguments come as UTF-16) that
# changes a channel of what the radio holds.
sed 's/^CH01.RxFreq=.*/CH01.RxFreq=146.52000\r/' "$data/KV16V.ini" >"$tmp/lin/车队 一.ini"
cp "$tmp/lin/车队 一.ini" "$tmp/win/"
start_sim write-lin "${radio[@]}" --save "$tmp/write-lin.bin"
lin write --port "$pty" "车队 一.ini" >/dev/null 2>"$tmp/write-lin.err" || fail "Linux write: $(cat "$tmp/write-lin.err")"
stop_sim "$tmp/write-lin.log" >/dev/null
start_sim write-win "${radio[@]}" --save "$tmp/write-win.bin"
com 7 "$pty"
t0=$(now)
win write --port COM7 "车队 一.ini" >/dev/null 2>"$tmp/write-win.err" || fail "Wine write: $(cat "$tmp/write-win.err")"
write_s=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { print b - a }')
write_bytes=$(stop_sim "$tmp/write-win.log" | awk '{ print $1 + $2 }')
check grep -q "写入并校验完毕" "$tmp/write-win.err"
same "$tmp/write-lin.bin" "$tmp/write-win.bin" "write: the radio's image"
lin encode "车队 一.ini" "$tmp/written.bin" 2>/dev/null
same "$tmp/written.bin" "$tmp/write-win.bin" "write: the image of the file"
check test "$(cmp -l "$tmp/written.bin" "$tmp/KV16V.bin" | wc -l)" -gt 0  # a change was written
for side in lin win; do
  for kind in before-write write; do
    check test "$(ls "$tmp/$side/backups" 2>/dev/null | grep -c "^$kind-")" = 1
  done
done

# batch: three blank radios on three ports, as fast as they go.
head -c 768 /dev/zero | tr '\0' '\377' >"$tmp/blank.bin"
run_batch() {
  local side=$1 p=() i
  for i in 7 8 9; do
    start_sim "batch-$side-$i" --image "$tmp/blank.bin" --radios 1 --save "$tmp/batch-$side-$i.bin"
    p+=("$pty")
    [ "$side" = win ] && com "$i" "$pty"
  done
  if [ "$side" = win ]; then
    win batch --port COM7,COM8,COM9 KV16V.ini --count 1 --log log.csv >"$tmp/batch-win.out" 2>"$tmp/batch-win.err" ||
      fail "Wine batch: $(cat "$tmp/batch-win.err")"
  else
    lin batch --port "${p[0]},${p[1]},${p[2]}" KV16V.ini --count 1 --log log.csv >"$tmp/batch-lin.out" 2>"$tmp/batch-lin.err" ||
      fail "Linux batch: $(cat "$tmp/batch-lin.err")"
  fi
}
run_batch lin
run_batch win
for i in 7 8 9; do
  same "$tmp/KV16V.bin" "$tmp/batch-win-$i.bin" "batch: radio on COM$i"
  same "$tmp/batch-lin-$i.bin" "$tmp/batch-win-$i.bin" "batch: radio $i, Linux and Wine"
done
for side in lin win; do
  check test "$(grep -c ',KV16V,written and verified,' "$tmp/$side/log.csv")" = 3
  check test "$(unix "$tmp/batch-$side.out" | grep -c '  written and verified  ')" = 3
done

# diff: the same lines and exit code.
lin diff KV16U.ini radio.dat >"$tmp/diff-lin.out" 2>&1
lin_rc=$?
win diff KV16U.ini radio.dat >"$tmp/diff-win.out" 2>&1
win_rc=$?
check test "$lin_rc" = 1
check test "$win_rc" = "$lin_rc"
check test -s "$tmp/diff-lin.out"
unix "$tmp/diff-win.out" >"$tmp/diff-win.txt"
same "$tmp/diff-lin.out" "$tmp/diff-win.txt" "diff: the lines"

# The installer: per user, silent, then the installed program, then removal.
timeout 120 wine "$setup" /S || fail "install exit $?"
exe=$(find "$WINEPREFIX/drive_c/users" -path '*/Programs/KAVIR/kavir-cli.exe' 2>/dev/null | head -n 1)
if [ -z "$exe" ]; then
  fail "install: no kavir-cli.exe under the user's Programs folder"
else
  dir=$(dirname "$exe")
  windir=$(winepath -w "$dir" 2>/dev/null)
  for f in "$data"/*; do check test -f "$dir/$(basename "$f")"; done
  check test -f "$dir/uninstall.exe"
  # Found through the user's PATH.
  installed=$(cd "$tmp" && timeout 120 wine cmd /c "kavir-cli --version" | tr -d '\r')
  check test "$installed" = "$version"
  start_sim installed "${radio[@]}"
  com 7 "$pty"
  (cd "$tmp" && timeout 120 wine "$exe" --dir "$windir" read --port COM7 --out installed.dat >/dev/null 2>&1) ||
    fail "installed read"
  stop_sim "$tmp/installed.log" >/dev/null
  same "$tmp/lin/radio.dat" "$tmp/installed.dat" "installed read"
  # The uninstaller runs from a copy of itself and returns at once.
  timeout 60 wine "$dir/uninstall.exe" /S
  for _ in $(seq 300); do [ -e "$dir/uninstall.exe" ] || [ -e "$exe" ] || break; sleep 0.1; done
  check test ! -e "$exe"
  check test ! -e "$dir/uninstall.exe"
  for f in "$data"/*; do check test ! -e "$dir/$(basename "$f")"; done
  check test -f "$dir/Read.ini"  # the user's own, left
  check bash -c "! timeout 60 wine reg query 'HKCU\\Environment' /v Path 2>/dev/null | grep -qiF '$windir'"
fi

echo "Wine: start ${start_cost} s; at 9600 baud a read took $(printf %.2f "$read_s") s" \
  "($(ratio "$read_s" "$read_bytes") x its wire time of $read_bytes bytes)," \
  "a write with its backup read and verify $(printf %.2f "$write_s") s" \
  "($(ratio "$write_s" "$write_bytes") x its wire time of $write_bytes bytes);" \
  "the Linux kavir-cli's read $(ratio "$read_lin_s" "$read_lin_bytes") x"
echo "wine_cli_e2e: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
