#!/usr/bin/env bash
# Starts the application with COM1 wired to a simulated radio, so Read From Radio and Write To
# Radio work without a radio or a cable. The simulated radio starts with a few channels; what a
# write sends it is kept until the application exits. Called by ./run.sh --demo after the build;
# arguments go to the application.
#   ORVO_BIN_DIR    where the programs are (default: build/bin)
#   ORVO_SIM_ARGS   extra options for orvo-radio-sim, e.g. "--delay 20" or "--hang-up 40";
#                   "--corrupt-write" stores channel 1's block wrongly on every write, which
#                   Write To Radio with "Verify after writing" then reports
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${ORVO_BIN_DIR:-build/bin}
for program in orvo orvo-cli orvo-radio-sim; do
  if [ ! -x "$bin/$program" ]; then
    echo "demo: $bin/$program is missing; build first (./run.sh --demo builds)" >&2
    exit 1
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvo-demo.XXXXXX")
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The radio's memory: a new image with four channels in its 136 - 174 MHz band.
"$bin/orvo-cli" new "$work/new.sin" >/dev/null
# Quiet unless it fails: it counts the channels it changed on stderr.
if ! "$bin/orvo-cli" import "$work/new.sin" - -o "$work/radio.sin" >/dev/null 2>"$work/import.log" \
  <<'CSV'
CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power
1,145.50000,145.50000,67.0,67.0,No,Narrow,Add,High
2,146.52000,146.52000,D023N,D023N,Yes,Wide,Add,Low
3,151.62500,151.62500,,,No,Narrow,Delete,High
5,162.55000,,,,No,Wide,Delete,Low
CSV
then
  cat "$work/import.log" >&2
  exit 1
fi

# The simulator prints its pseudo-terminal's path on its first line, then serves transfers.
coproc SIM { exec "$bin/orvo-radio-sim" --image "$work/radio.sin" --dump "$work/radio.sin" \
  ${ORVO_SIM_ARGS:-}; }
sim_pid=$SIM_PID
pty=
if ! read -r -t 10 pty <&"${SIM[0]}" || [ -z "$pty" ]; then
  echo "demo: the simulated radio did not start" >&2
  exit 1
fi

echo "demo: COM1 is the simulated radio on $pty"
export ORVO_COM1=$pty
status=0
"$bin/orvo" "$@" || status=$?
exit "$status"
