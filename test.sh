#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh              the whole suite
#   ./test.sh --sanitize   the same, built with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./test.sh --tsan       the same, built with ThreadSanitizer into build-tsan; a report fails
#                          its test (the few reports inside Qt: tests/reliability/tsan_suppressions.txt)
#   ./test.sh --fuzz-smoke the whole suite, then every fuzz target for 10 seconds (fuzz/run.sh)
#   ./test.sh --coverage   the whole suite built with gcov into build-coverage, then gcovr's line
#                          and branch summary of src/ and cli/ (the table: build-coverage/coverage.txt)
#   ./test.sh --windows    the core, its tests and a static orvo-cli.exe cross-built with mingw-w64
#                          into build-windows; the tests and orvo-cli.exe against orvo-radio-sim
#                          (beside the Linux orvo-cli) under Wine; then the zip for Windows users
#   ./test.sh --package    builds the Debian package build/orvo_<version>_amd64.deb (cpack) and
#                          checks it: unpacked, its programs run, lintian finds no error
# With CI set (as on our CI), the plain run adds the fuzz smoke, one run of every benchmark figure
# (bench/run.sh --smoke) and then the sanitized suite, and its CTest entry `package` runs lintian
# too.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
if [ "${1:-}" = "--coverage" ]; then
  orvo_packages+=(gcovr)
fi
if [ "${1:-}" = "--package" ] || [ -n "${CI:-}" ]; then
  orvo_packages+=("${orvo_package_tools[@]}")
fi
if [ "${1:-}" = "--windows" ]; then
  orvo_packages+=("${orvo_windows_packages[@]}")
fi
orvo_install_deps

if [ "${1:-}" = "--windows" ]; then
  shift
  # The Linux orvo-cli and orvo-radio-sim, which orvo-cli.exe is compared with and talks to.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target orvo-cli orvo-radio-sim
  cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVO_CORE_ONLY=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build-windows -j"$(nproc)"
  export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  ctest --test-dir build-windows --output-on-failure -j2 "$@"
  rm -f build-windows/orvo-cli-*.zip
  (cd build-windows && cpack -G ZIP >/dev/null)
  zip=$(echo build-windows/orvo-cli-*-windows-x64.zip)
  listing=$(cmake -E tar tf "$zip")
  for f in orvo-cli.exe orvo-cli.txt README-Windows.txt; do
    grep -q "/$f\$" <<<"$listing" || { echo "$zip lacks $f" >&2; exit 1; }
  done
  echo "$zip"
  exit 0
fi

if [ "${1:-}" = "--package" ]; then
  orvo_build
  rm -f build/orvo_*.deb
  (cd build && cpack -G DEB)
  exec packaging/check_package.sh build/orvo_*.deb
fi

fuzz_smoke=
if [ "${1:-}" = "--fuzz-smoke" ]; then
  shift
  fuzz_smoke=1
fi

export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--coverage" ]; then
  shift
  export ORVO_BUILD_DIR=build-coverage ORVO_BUILD_TYPE=Debug
  orvo_build -DORVO_COVERAGE=ON
  find build-coverage -name '*.gcda' -delete
  status=0
  ctest --test-dir build-coverage --output-on-failure -j"$(nproc)" "$@" || status=$?
  # ccache compiles with paths relative to each folder's build directory: gcov reads each
  # folder's counts from there, and gcovr adds the folders up.
  rm -rf build-coverage/gcovr && mkdir build-coverage/gcovr
  traces=()
  for dir in $(find build-coverage -name '*.gcda' -printf '%h\n' | sed -E 's#/CMakeFiles/.*##' | sort -u); do
    gcovr --root . --object-directory "$dir" --filter 'src/' --filter 'cli/' \
      --json "build-coverage/gcovr/${dir//\//_}.json" "$dir" 2>>build-coverage/gcovr/warnings.txt
    traces+=(--add-tracefile "build-coverage/gcovr/${dir//\//_}.json")
  done
  gcovr --root . "${traces[@]}" --output build-coverage/coverage.txt --print-summary
  exit $status
fi
if [ "${1:-}" = "--sanitize" ]; then
  shift
  export ORVO_BUILD_DIR=build-sanitize
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  orvo_build -DORVO_SANITIZE=ON
  jobs=$(nproc)
elif [ "${1:-}" = "--tsan" ]; then
  shift
  export ORVO_BUILD_DIR=build-tsan
  # A few window tests start orvo or orvo-cli with QProcess after the radio workers' threads
  # exist; the checker takes QProcess's child for a fork of a threaded program, which it would end
  # (the child only execs). orvo-radio-sim is started with a plain fork (tests/support).
  export TSAN_OPTIONS="suppressions=$PWD/tests/reliability/tsan_suppressions.txt die_after_fork=0 second_deadlock_stack=1"
  orvo_build -DORVO_TSAN=ON
  jobs=$(nproc)
else
  orvo_build
  if [ -n "${CI:-}" ]; then fuzz_smoke=1; fi
fi
# Most tests wait on the simulated radio's line rather than compute: twice as many as there are
# cores run at once (the slower sanitized build keeps to one a core).
ctest --test-dir "${ORVO_BUILD_DIR:-build}" --output-on-failure -j"${jobs:-$(( $(nproc) * 2 ))}" "$@"
if [ -n "$fuzz_smoke" ]; then
  fuzz/run.sh "${ORVO_FUZZ_SMOKE_SECONDS:-10}"
fi
if [ -n "${CI:-}" ] && [ "${ORVO_BUILD_DIR:-build}" = build ]; then
  bench/run.sh --smoke "$PWD/build"
  exec "$0" --sanitize "$@"
fi
