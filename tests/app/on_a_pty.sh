#!/usr/bin/env bash
# Runs a test program with kavir-radio-sim at 9600 baud on a pseudo-terminal
# whose name it gets in KAVIR_TEST_PORT.
#   on_a_pty.sh SIM DATA_DIR PROGRAM [ARGS...]
set -uo pipefail
sim=$1 data=$2
shift 2
out=$(mktemp)
"$sim" --profile "$data/KV16V.ini" --dir "$data" --baud 9600 >"$out" 2>"$out.log" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; wait $sim_pid 2>/dev/null; rm -f "$out" "$out.log"' EXIT
for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
port=$(head -n 1 "$out")
[ -n "$port" ] || { echo "the simulator gave no pseudo-terminal: $(cat "$out.log")" >&2; exit 1; }
KAVIR_TEST_PORT=$port "$@"
