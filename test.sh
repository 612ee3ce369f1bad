#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the same
# tests under address and undefined-behaviour sanitizers, the Windows tests
# and the end-to-end scenarios under Wine and Xvfb, and a short run of each
# fuzz target. Ends with CTest's summaries and a total; exits non-zero on
# any failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

scripts/setup || { echo "setup failed"; exit 1; }

jobs=$(nproc 2>/dev/null || echo 2)
build() {  # build DIR [cmake options...]
  local dir=$1; shift
  echo "== build $dir"
  cmake -S . -B "build/$dir" -G Ninja -DAIRVANE_WERROR=ON "$@" >"build/$dir.configure.log" 2>&1 ||
    { cat "build/$dir.configure.log"; return 1; }
  cmake --build "build/$dir" -j "$jobs"
}

mkdir -p build
build native -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
build sanitize -DCMAKE_BUILD_TYPE=Debug -DAIRVANE_SANITIZE=ON || exit 1
build win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake || exit 1
CC=clang CXX=clang++ build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAIRVANE_FUZZ=ON || exit 1

# A private X display and one warm wineserver for every Windows test.
eval "$(scripts/xvfb-start)"
trap 'scripts/xvfb-stop' EXIT
export WINEPREFIX="${AIRVANE_WINEPREFIX:-$here/build/wineprefix}"
WINEDEBUG=-all wineserver -p 2>/dev/null
# Wine's helper processes (services, plug and play, rpcss) start with the
# first program and then stay with the wineserver. Started here, they are
# nobody's children; started by a scenario under faketime, they would hold
# faketime's pipe open and it would never return.
LC_ALL=ko_KR.UTF-8 WINEDEBUG=-all scripts/wine-start wine cmd.exe /c exit >/dev/null 2>&1

passed=0
failed=0
summary=()
run_ctest() {  # run_ctest DIR LABEL
  echo "== $2"
  local log="build/$1.ctest.log"
  (cd "build/$1" && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    summary+=("$2: no summary (ctest did not run)")
    return
  fi
  local total fails
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  fails=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
  summary+=("$2: $line")
}

run_ctest native "native unit tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize "unit tests under address and undefined-behaviour sanitizers"
run_ctest win "Windows tests and end-to-end scenarios under Wine"
run_ctest fuzz "fuzz smoke"

WINEDEBUG=-all wineserver -k 2>/dev/null
echo
echo "== summary"
printf '%s\n' "${summary[@]}"
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
