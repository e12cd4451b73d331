#!/usr/bin/env bash
# Builds KAVIR, prepares a working folder of your own and starts the program
# there, with a virtual radio on a pseudo-terminal chosen as its port, so you
# can read, edit and write straight away.
#
#   scripts/run.sh             build, seed the folder, start radio + program
#   KAVIR_NO_SIM=1 scripts/run.sh   leave the port setting alone (real cable)
#
# Working folder: $XDG_DATA_HOME/kavir (default ~/.local/share/kavir).
set -euo pipefail

src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KAVIR_BUILD_DIR:-$src/build}"

"$src/scripts/setup.sh"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$src" --preset default -B "$build" >/dev/null
fi
cmake --build "$build" --target kavir kavir-radio-sim

# The working folder, seeded with the shipped data as the installed desktop
# entry does it (a file you changed there is kept).
work="$("$src/dist/kavir-seed" "$src/data")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "kavir: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); built and" >&2
  echo "       prepared $work, but the window cannot be shown here." >&2
  echo "       Try: xvfb-run -a $0   or run it from a desktop session." >&2
  exit 1
fi

sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${KAVIR_NO_SIM:-}" ]; then
  sim_out="$(mktemp)"
  "$build/src/sim/kavir-radio-sim" --profile "$work/KV16V.ini" --dir "$work" \
    --save "$work/virtual-radio.img" >"$sim_out" 2>>"$work/virtual-radio.log" &
  sim_pid=$!
  pty=""
  for _ in $(seq 1 50); do
    pty="$(head -n 1 "$sim_out" 2>/dev/null || true)"
    [ -n "$pty" ] && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  rm -f "$sim_out"
  if [ -z "$pty" ]; then
    echo "kavir: the virtual radio did not start; see $work/virtual-radio.log" >&2
    exit 1
  fi
  # Point ComPort/Device at the virtual radio (the file is GBK; only ASCII
  # lines are touched, so a byte-wise edit is safe).
  ini="$work/KAVIR.ini"
  tmp="$ini.tmp.$$"
  LC_ALL=C awk -v dev="$pty" '
    BEGIN { in_port = 0; done = 0 }
    /^\[/ {
      in_port = (tolower($0) ~ /^\[comport\]/)
      print
      if (in_port && !done) { print "Device=" dev; done = 1 }
      next
    }
    in_port && tolower($0) ~ /^device=/ { next }
    { print }
    END { if (!done) { print "[ComPort]"; print "1=1"; print "Device=" dev } }' "$ini" >"$tmp" && mv "$tmp" "$ini"
  echo "kavir: virtual radio on $pty (written images go to $work/virtual-radio.img)" >&2
fi

cd "$work"
"$build/src/app/kavir" "$@"
