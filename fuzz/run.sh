#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# in build-fuzz and runs each for SECONDS (default 60), one after the other.
#   fuzz/run.sh [SECONDS] [TARGET...]     TARGET: image_codecs csv_import frequency_check
#                                                 clone_session testmode_session (default: all)
# Seeds come from fuzz/corpus/<target>/ and stay untouched; what a run learns is kept in
# build-fuzz/corpus/<target>/ for the next run. A failing input is saved as
# build-fuzz/findings/<target>/crash-* (replay: build-fuzz/bin/fuzz_<target> FILE).
# Prints the executions per target; exits 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(image_codecs csv_import frequency_check clone_session testmode_session)

build=${ORVO_FUZZ_BUILD_DIR:-build-fuzz}
jobs=${ORVO_FUZZ_BUILD_JOBS:-2}
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVO_FUZZ=ON >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]/#/fuzz_}" >/dev/null

# Leaks are not looked for: the targets hold tables for the life of the process.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
summary=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$work" "$findings"
  log="$build/fuzz-$t.log"
  echo "fuzz_$t: ${seconds}s"
  set +e
  "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $rc -eq 0 ]; then
    result="nothing found"
  else
    status=1
    result="FOUND (exit $rc), see $log and $findings/"
    grep -E "broken promise|ERROR: |SUMMARY" "$log" | head -5 || true
  fi
  summary+=("$(printf '%-18s %12s executions  %s' "$t" "${execs:-?}" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
exit $status
