#!/usr/bin/env bash
# orvo-cli.exe under Wine against orvo-radio-sim, each row beside the Linux orvo-cli against a
# simulator started the same way: the exit status, stdout and stderr must be the same, and so must
# the file the row names (what the run wrote, or what the radio holds or heard). Wine's COM1 is
# pointed at each simulator's pseudo-terminal in turn.
#   run_wine.sh ORVO-CLI.EXE LINUX_BIN WORK      (WINEPREFIX set; LINUX_BIN holds orvo-cli and
#                                                orvo-radio-sim)
set -euo pipefail
trap 'echo "run_wine.sh: line $LINENO failed: $BASH_COMMAND" >&2' ERR
exe=$1 bin=$2 work=$3
: "${WINEPREFIX:?a Wine prefix of its own, please}"
export WINEDEBUG=-all
wine=${ORVO_WINE:-wine}

# name | simulator options | arguments (PORT: the radio's port; NAME: per system) | NAME on Linux,
# on Windows | compared besides the exit status and output ("heard": the radio's log, times left
# out; "FILE": the file each wrote; "FILE=IN": and IN too) | standard input (printf's escapes)
rows=(
  "new          |                          | new made.sin                          | -         | made.sin"
  "export       |                          | export in.sin -                       | -         | -"
  "read         | --image in.sin           | read --port PORT out.sin              | -         | out.sin=in.sin"
  "write-verify | --dump radio.sin         | write --force --verify --port PORT in.sin | -     | radio.sin=in.sin"
  "test-mode    | --log radio.log          | test-mode --port PORT --item tx-power --value 47 --rx 136.20000 --tx 146.52000 --tx-tone 88.5 | - | heard"
  "silent       | --silent --log radio.log | read --port PORT out.sin              | -         | heard"
  "device-name  | --log radio.log          | read --port PORT NAME                 | /dev/null NUL.sin | heard"
  "repeat       | --dump radio.sin         | write --force --repeat --log log.csv --port PORT in.sin | - | radio.sin=in.sin | \\nq\\n"
)

# Standard input with NAME for the name a row gives per system ("-": none).
named() {
  if [ "$1" = - ]; then cat; else sed "s#${1//./\\.}#NAME#g"; fi
}

trim() { sed -e 's/^ *//' -e 's/ *$//' <<<"$1"; }

rm -rf "$work"
mkdir -p "$work"
perl -e 'print map { chr(($_ * 7 + 3) % 256) } 0 .. 1023' >"$work/in.sin"
# Wine's server outlives each program; it is started here, apart from the captured output.
wineserver -k 2>/dev/null || true

sim_pid=
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  sim_pid=
}
trap 'stop_sim; wineserver -k 2>/dev/null || true' EXIT

# run SIDE ROW-DIR SIMULATOR-OPTIONS INPUT ARGUMENTS...: one run in ROW-DIR/SIDE.
run() {
  local side=$1 dir=$2 sim_options=$3 input=$4
  shift 4
  mkdir -p "$dir/$side"
  cp "$work/in.sin" "$dir/$side/"
  cd "$dir/$side"
  printf '%b' "$input" >stdin
  # shellcheck disable=SC2086
  "$bin/orvo-radio-sim" $sim_options >sim.out 2>sim.err &
  sim_pid=$!
  for _ in $(seq 100); do [ -s sim.out ] && break; sleep 0.05; done
  local pty
  pty=$(head -n1 sim.out)
  local args=("${@//PORT/$pty}")
  local status=0
  if [ "$side" = windows ]; then
    args=("${@//PORT/COM1}")
    "$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$pty" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 5 </dev/null >/dev/null 2>&1 || true
    # Wine starts its services with the first program after a restart; they are left to settle
    # before a run whose exchange keeps the radio's times.
    "$wine" "$exe" ports </dev/null >/dev/null 2>&1 || true
    "$wine" "$exe" "${args[@]}" <stdin >stdout 2>stderr || status=$?
  else
    "$bin/orvo-cli" "${args[@]}" <stdin >stdout 2>stderr || status=$?
  fi
  echo "$status" >status
  stop_sim
  cd "$work"
}

failed=0
for row in "${rows[@]}"; do
  IFS='|' read -r name sim_options arguments names compare input <<<"$row"
  name=$(trim "$name") sim_options=$(trim "$sim_options") compare=$(trim "$compare")
  input=$(trim "$input")
  read -r -a words <<<"$arguments"
  read -r linux_name windows_name <<<"$names"
  windows_name=${windows_name:-$linux_name}
  started=$SECONDS
  run linux "$work/$name" "$sim_options" "$input" "${words[@]//NAME/$linux_name}"
  run windows "$work/$name" "$sim_options" "$input" "${words[@]//NAME/$windows_name}"
  problems=()
  for f in status stdout stderr; do
    # A name given per system appears in the messages as given.
    if ! diff <(named "$linux_name" <"$work/$name/linux/$f") \
      <(named "$windows_name" <"$work/$name/windows/$f") >"$work/$name/$f.diff"; then
      problems+=("$f differs: $(head -c 600 "$work/$name/$f.diff")")
    fi
  done
  case $compare in
    heard)
      for side in linux windows; do
        sed -E 's/^ *[0-9]+ //' "$work/$name/$side/radio.log" >"$work/$name/$side/heard"
      done
      cmp -s "$work/$name/linux/heard" "$work/$name/windows/heard" ||
        problems+=("the radio heard otherwise: $(diff "$work/$name/linux/heard" "$work/$name/windows/heard" | head -n 8 || true)")
      ;;
    -) ;;
    *)
      file=${compare%%=*}
      cmp -s "$work/$name/linux/$file" "$work/$name/windows/$file" ||
        problems+=("$file differs")
      if [ "$file" != "$compare" ]; then
        cmp -s "$work/$name/windows/$file" "$work/${compare#*=}" ||
          problems+=("$file is not ${compare#*=}")
      fi
      ;;
  esac
  if [ ${#problems[@]} -eq 0 ]; then
    printf 'ok    %-14s exit %s  (%ss)\n' "$name" "$(cat "$work/$name/windows/status")" \
      $((SECONDS - started))
  else
    failed=1
    printf 'FAIL  %s\n' "$name"
    printf '      %s\n' "${problems[@]}"
  fi
done
exit $failed
