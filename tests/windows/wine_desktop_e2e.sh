#!/usr/bin/env bash
# The Windows desktop program under Wine:
#  1. its widget tests (the windowless "minimal" platform, Windows fonts);
#  2. the same program code on COM7, with kavir-radio-sim on the far end:
#     read, write with the backup read and verify, the report's PDF; what it
#     made is held against the Linux kavir-cli's results for the same radio;
#  3. kavir-cli.exe's report, drawn with the minimal platform;
#  4. kavir.exe itself on a virtual display, in Chinese and in English: it
#     starts, reads the radio on COM7 at Ctrl+R, and is photographed;
#  5. the installer: silent install, the installed kavir.exe and kavir-cli.exe,
#     silent removal.
#
#   wine_desktop_e2e.sh DEPLOY_DIR APP_TESTS_EXE LINUX_CLI SIM DATA_DIR SHOTS_DIR SETUP_EXE
# with WINEPREFIX set and its wineserver running. DEPLOY_DIR is what
# scripts/deploy-windows.sh laid out.
set -uo pipefail
deploy=$(cd "$1" && pwd) app_tests=$(realpath "$2") cli=$(realpath "$3") sim=$(realpath "$4") data=$(realpath "$5") shots=$6 setup=$(realpath "$7")
tmp=$(mktemp -d)
sims=()
xvfb=""
cleanup() {
  for p in "${sims[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -f "$WINEPREFIX"/dosdevices/com7
  rm -rf "$tmp"
}
trap cleanup EXIT
source "$(dirname "$0")/e2e_common.sh"
# Every simulator here is the radio on COM7.
start_sim_com7() { start_sim "$@" && com 7 "$pty"; }
lin() { (cd "$tmp/lin" && timeout 120 "$cli" --dir . "$@"); }
ratio() { awk -v ms="$1" -v b="$2" 'BEGIN { printf "%.2f", ms / 1000 / (b * 10 / 9600) }'; }
mkdir -p "$tmp/lin" "$tmp/win" "$shots"
cp "$data"/* "$tmp/lin/"
# The widget tests run from a copy of the laid-out program folder, so that
# they load the DLLs and plugins kavir.exe does (the plugins are found
# beside the program only), with Qt Test's DLL from beside the tests.
mkdir -p "$tmp/app"
cp -r "$deploy"/. "$tmp/app/"
cp "$app_tests" "$(dirname "$app_tests")"/Qt6Test.dll "$tmp/app/"
app_tests=$tmp/app/$(basename "$app_tests")
win_tmp=$(winepath -w "$tmp/win")
radio=(--profile "$data/KV16V.ini" --dir "$data" --baud 9600)

# Qt on Windows makes windows even for its event loop, and Wine draws every
# window on X: everything below runs on a virtual display.
display=""
for n in $(seq 90 120); do [ -e "/tmp/.X$n-lock" ] || { display=$n; break; }; done
Xvfb ":$display" -screen 0 1280x860x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=:$display

# --- 1. The widget tests ------------------------------------------------------
# Left out here, each for a reason of the test's or of Wine's:
#   the row boxes' and the grid rows' pixel match: Wine's minimal platform
#     gives the grid's rows another height than the windows platform does
#     (kavir.exe on the windows platform shows them level: see its screenshots);
#     the grey rows and the model change, which were one test with it, have
#     not yet run under Wine;
#   the port dialog's coming and going devices: the test's devices are
#     POSIX paths, which a Windows port probe does not find;
#   the landscape PDF: Windows' page set-up is its own dialog, which the
#     test cannot click;
#   the import preview and the English option texts through the clipboard:
#     they wait for ever on Wine's clipboard.
skipped='EachTxBoxStandsLevelWithItsRow:*ChBoxesGreyTheirRows:*AModelChangeAsksFirstThenLoadsTheNewModel'
skipped+=':*PortDialogListFollowsTheDevicesPresent:*ExportPdfTakesThePaperOfThePageSetUp'
skipped+=':*ImportShowsItsPreviewBeforeAnythingChanges:*LanguageTest.OptionTexts*'
status=0
timeout 1500 wine "$app_tests" --gtest_brief=1 --gtest_filter="-*$skipped" </dev/null >"$tmp/app-tests.out" 2>&1 || status=$?
tr -d '\r' <"$tmp/app-tests.out" | grep -E '^\[  (PASSED|FAILED|SKIPPED) |^\[  FAILED  \]' | head -n 40
if [ "$status" -eq 0 ]; then passed=$((passed + 1)); else fail "the widget tests under Wine (exit $status)"; fi

# --- 2. The program's code on COM7 ------------------------------------------
start_sim_com7 port "${radio[@]}" --save "$tmp/port.bin"
status=0
KAVIR_TEST_PORT=COM7 KAVIR_TEST_OUT=$win_tmp timeout 600 wine "$app_tests" \
  --gtest_filter='*OnASerialPort*' </dev/null >"$tmp/port.out" 2>&1 || status=$?
port_bytes=$(stop_sim "$tmp/port.log" | awk '{ print $1 + $2 }')
tr -d '\r' <"$tmp/port.out" | grep -E 'ms$|FAILED|Failure|error' | head -n 20
if [ "$status" -eq 0 ] && grep -q '\[  PASSED  \] 1 test' "$tmp/port.out"; then
  passed=$((passed + 1))
else
  fail "the read and write on COM7 (exit $status)"
fi
read_ms=$(tr -d '\r' <"$tmp/port.out" | sed -n 's/^read: \([0-9]*\) ms$/\1/p' | head -n 1)
write_ms=$(tr -d '\r' <"$tmp/port.out" | sed -n 's/^write with its backup read and verify: \([0-9]*\) ms$/\1/p')
# What the radio holds is the written file's image, as the Linux kavir-cli
# makes it; reading that radio gives the Linux kavir-cli the same Read.ini.
cp "$tmp/win/written.dat" "$tmp/lin/"
lin encode written.dat "$tmp/written.bin" 2>/dev/null || fail "Linux encode of the written file"
same "$tmp/written.bin" "$tmp/port.bin" "write on COM7: the radio's image"
start_sim reread --image "$tmp/port.bin" --baud 9600
lin read --port "$pty" --out reread.dat >/dev/null 2>"$tmp/reread.err" || fail "Linux read: $(cat "$tmp/reread.err")"
read_bytes=$(stop_sim "$tmp/reread.log" | awk '{ print $1 + $2 }')
same "$tmp/lin/Read.ini" "$tmp/win/Read.ini" "read on COM7: Read.ini"
pdftotext -layout "$tmp/win/written.pdf" "$tmp/written.txt" 2>/dev/null || fail "the report's PDF does not read"
check grep -q '162.03750' "$tmp/written.txt"
check grep -q 'KV16V' "$tmp/written.txt"

# --- 3. kavir-cli.exe's report ----------------------------------------------
cp "$data"/* "$tmp/win/"
(cd "$tmp/win" && timeout 120 wine "$deploy/kavir-cli.exe" --dir . report KV16V.ini report.pdf) </dev/null \
  >"$tmp/report.out" 2>&1 || fail "kavir-cli.exe report: $(cat "$tmp/report.out")"
pdftotext -layout "$tmp/win/report.pdf" "$tmp/report.txt" 2>/dev/null || fail "kavir-cli.exe's PDF does not read"
check grep -q 'KV16V' "$tmp/report.txt"

# --- 4. kavir.exe on a virtual display --------------------------------------
# shoot NAME: the whole screen, as a PNG in the shots folder.
shoot() { import -window root "$shots/$1.png" 2>/dev/null; }
# window_of PID: the program's main window, once it is there.
main_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
# run_desktop LANG: starts kavir.exe in a program folder of its own with the
# radio on COM7, photographs it, reads with Ctrl+R, photographs again, quits.
run_desktop() {
  local lang=$1 folder=$tmp/desktop-$1 wid="" pid before
  mkdir -p "$folder"
  cp "$data"/* "$folder/"
  python3 - "$folder/KAVIR.ini" "$lang" <<'PY'
import sys
path, lang = sys.argv[1], sys.argv[2].encode()
text = open(path, 'rb').read()  # GBK: only ASCII lines are touched
if b'[Language]' not in text:
    text += b'\r\n[Language]\r\nLanguage=' + lang + b'\r\n'
text = text.replace(b'[ComPort]\r\n', b'[ComPort]\r\nDevice=COM7\r\n', 1)
open(path, 'wb').write(text)
PY
  start_sim_com7 "desktop-$lang" "${radio[@]}"
  (cd "$folder" && exec timeout 300 wine "$deploy/kavir.exe") </dev/null >"$tmp/kavir-$lang.out" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    wid=$(main_window 'KAVIR')
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then
    fail "kavir.exe ($lang) showed no window: $(tr -d '\r' <"$tmp/kavir-$lang.out" | tail -n 5)"
    kill "$pid" 2>/dev/null
    stop_sim "$tmp/desktop-$lang.log" >/dev/null
    return
  fi
  sleep 3
  shoot "kavir-exe-$lang-form"
  passed=$((passed + 1))
  before=$(ls "$folder/Read.ini" 2>/dev/null | wc -l)
  xdotool windowfocus --sync "$wid" 2>/dev/null
  xdotool key --window "$wid" ctrl+r
  sleep 2
  shoot "kavir-exe-$lang-confirm"
  xdotool key Return
  for _ in $(seq 600); do [ -s "$folder/Read.ini" ] && break; sleep 0.1; done
  sleep 2
  shoot "kavir-exe-$lang-read"
  if [ -s "$folder/Read.ini" ] && [ "$before" = 0 ]; then passed=$((passed + 1)); else fail "kavir.exe ($lang): Ctrl+R read nothing"; fi
  xdotool key Return
  sleep 1
  shoot "kavir-exe-$lang-after-read"
  # Closed as a crash would close it: what is asked at a close is the
  # widget tests' business.
  kill "$pid" 2>/dev/null
  pkill -f 'kavir\.exe' 2>/dev/null
  sleep 2
  stop_sim "$tmp/desktop-$lang.log" >/dev/null
}
run_desktop zh
run_desktop en
# --- 5. The installer ---------------------------------------------------------
timeout 120 wine "$setup" /S </dev/null || fail "install exit $?"
exe=$(find "$WINEPREFIX/drive_c/users" -path '*/Programs/KAVIR/kavir.exe' 2>/dev/null | head -n 1)
if [ -z "$exe" ]; then
  fail "install: no kavir.exe under the user's Programs folder"
else
  dir=$(dirname "$exe")
  (cd "$deploy" && find . -type f) | while IFS= read -r f; do
    [ -f "$dir/$f" ] || echo "$f"
  done >"$tmp/missing"
  check test ! -s "$tmp/missing"
  check test -n "$(find "$WINEPREFIX/drive_c/users" -ipath '*/Start Menu/Programs/KAVIR.lnk' | head -n 1)"
  # The installed kavir-cli draws a report with the Qt beside it.
  installed=$(winepath -w "$dir")
  cp "$data/KV16V.ini" "$tmp/"
  (cd "$tmp" && timeout 120 wine "$dir/kavir-cli.exe" --dir "$installed" report KV16V.ini installed.pdf \
    </dev/null) >"$tmp/installed.out" 2>&1 || fail "installed report: $(tr -d '\r' <"$tmp/installed.out" | tail -n 3)"
  check test -s "$tmp/installed.pdf"
  timeout 60 wine "$dir/uninstall.exe" /S </dev/null
  for _ in $(seq 300); do [ -e "$dir/uninstall.exe" ] || [ -e "$exe" ] || break; sleep 0.1; done
  check test ! -e "$exe"
  check test ! -e "$dir/platforms"
  check test -z "$(find "$WINEPREFIX/drive_c/users" -ipath '*/Start Menu/Programs/KAVIR.lnk' | head -n 1)"
fi

# The program read twice and wrote once; a read's bytes are the Linux one's.
if [ -n "${read_ms:-}" ] && [ -n "${write_ms:-}" ] && [ -n "${read_bytes:-}" ] && [ -n "${port_bytes:-}" ]; then
  write_bytes=$((port_bytes - 2 * read_bytes))
  echo "Wine desktop: at 9600 baud a read took $read_ms ms ($(ratio "$read_ms" "$read_bytes") x its wire" \
    "time of $read_bytes bytes), a write with its backup read and verify $write_ms ms" \
    "($(ratio "$write_ms" "$write_bytes") x its wire time of $write_bytes bytes)"
fi
echo "wine_desktop_e2e: $passed passed, $failures failed; screenshots in $shots"
[ "$failures" -eq 0 ]
