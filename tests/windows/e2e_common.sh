# Shared by the Wine end-to-end scripts (sourced): counting checks, and
# kavir-radio-sim on pseudo-terminals that the prefix's COM ports link to.
# The sourcing script sets sim, tmp and sims=() first.
failures=0 passed=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
check() { if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else fail "$*"; fi; }
same() { if cmp -s "$1" "$2"; then passed=$((passed + 1)); else fail "$3: $1 and $2 differ"; fi; }

# start_sim NAME ARGS...: a simulator whose pseudo-terminal lands in $pty.
start_sim() {
  local name=$1
  shift
  "$sim" "$@" >"$tmp/$name.pty" 2>"$tmp/$name.log" &
  sims+=($!)
  sim_pid=$!
  for _ in $(seq 100); do [ -s "$tmp/$name.pty" ] && break; sleep 0.1; done
  pty=$(head -n 1 "$tmp/$name.pty")
  [ -n "$pty" ] || fail "$name: the simulator gave no pseudo-terminal: $(cat "$tmp/$name.log")"
}
# stop_sim LOG: ends the last simulator and prints the bytes it exchanged.
stop_sim() {
  kill "$sim_pid" 2>/dev/null
  wait "$sim_pid" 2>/dev/null
  sed -n 's/^kavir-radio-sim: \([0-9]*\) bytes received, \([0-9]*\) sent$/\1 \2/p' "$1" | tail -n 1
}
# com N DEVICE: the prefix's COMN is DEVICE.
com() { ln -sfn "$2" "$WINEPREFIX/dosdevices/com$1"; }
