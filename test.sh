#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test layer: the sources'
# format and layering, native unit tests, the same under AddressSanitizer+UBSan and
# ThreadSanitizer, the Windows unit and end-to-end tests under Wine (in a hermetic prefix, on
# Xvfb), and the fuzz targets.
# Ends with "N passed, M failed" and a non-zero status on any failure.
set -uo pipefail
cd "$(dirname "$0")"
top=$PWD
jobs=$(nproc)
fuzz_seconds=${FLORRIN_FUZZ_SECONDS:-15}

scripts/install-deps.sh || exit 1

passed=0
failed=0
logs=$top/build/logs
mkdir -p "$logs"

# Counts one CTest run from its closing line ("NN% tests passed, F tests failed out of T").
count_ctest() {
  local log=$1 line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$log"; then echo "  (no tests in this layer)"; return; fi
    failed=$((failed + 1)); echo "  (no CTest result in $log)"; return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
}

configure_and_build() { # dir, cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$logs/$(basename "$dir")-configure.log" 2>&1 &&
    cmake --build "$dir" -j"$jobs" >"$logs/$(basename "$dir")-build.log" 2>&1
}

run_layer() { # name, build dir, ctest args...
  local name=$1 dir=$2; shift 2
  echo "== $name"
  (cd "$dir" && ctest --output-on-failure "$@") >"$logs/$name.log" 2>&1
  tail -n 3 "$logs/$name.log" | sed 's/^/  /'
  count_ctest "$logs/$name.log"
}

build_or_fail() { # name, dir, cmake args...
  local name=$1; shift
  if ! configure_and_build "$@"; then
    echo "== $name: build failed (see $logs)"; tail -n 30 "$logs/$(basename "$1")-build.log" 2>/dev/null
    failed=$((failed + 1)); return 1
  fi
}

# 0. The sources: the committed format, and layers that depend downward only.
echo "== source"
if scripts/check-source.sh >"$logs/source.log" 2>&1; then
  passed=$((passed + 1)); echo "  format and layers: ok"
else
  failed=$((failed + 1)); echo "  format and layers: FAILED"; head -n 40 "$logs/source.log"
fi

# 1. Native unit tests.
build_or_fail native build/native && run_layer native build/native -j"$jobs"
# 2. The same under AddressSanitizer + UndefinedBehaviorSanitizer.
build_or_fail asan build/asan -DFLORRIN_SANITIZE=address,undefined &&
  run_layer asan build/asan -j"$jobs"
# 3. The threaded tests under ThreadSanitizer (test names carry "Thread" or "Concurrent").
build_or_fail tsan build/tsan -DFLORRIN_SANITIZE=thread &&
  run_layer tsan build/tsan -j"$jobs" -R 'Thread|Concurrent|ScanRun|ScanFolder|JunkPattern'

# 4. The 32-bit program as it ships: it builds, and it needs no DLL but the system's.
if build_or_fail win32 build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake; then
  echo "== win32"
  if scripts/check-imports.sh i686-w64-mingw32 build/win32/bin/*.exe >"$logs/win32-imports.log" 2>&1; then
    passed=$((passed + 1)); echo "  imports: system DLLs only"
  else
    failed=$((failed + 1)); echo "  imports: FAILED"; cat "$logs/win32-imports.log"
  fi
fi

# 5. Windows unit and end-to-end tests through Wine (64-bit build), hermetic prefix, on Xvfb.
if build_or_fail win build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake; then
  (
    # Xvfb first: the prefix's warm-up process starts Wine's desktop, which keeps the display it saw.
    source scripts/xvfb.sh
    source scripts/wine-prefix.sh "$top/build/win/wine" --hermetic || exit 1
    trap '"$WINESERVER" -k 2>/dev/null; kill "$FLORRIN_XVFB_PID" 2>/dev/null' EXIT
    export FLORRIN_ARTEFACTS=$top/build/artefacts
    # The benchmarks' 100,000-file tree, which a folder-picker case measures: made natively, once
    # per prefix (through Wine it would take most of an hour).
    if [ -x "$top/build/native/bin/scan_bench" ]; then
      "$top/build/native/bin/scan_bench" --generate "$WINEPREFIX/drive_c/florrin-bench-tree" || exit 1
    fi
    mkdir -p "$FLORRIN_ARTEFACTS"
    cd build/win && ctest --output-on-failure
    status=$?
    # The end-to-end screenshots, as PNG for any image viewer.
    for shot in "$FLORRIN_ARTEFACTS"/*.bmp; do
      [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm "$shot"
    done
    exit $status
  ) >"$logs/win.log" 2>&1
  echo "== win"; tail -n 3 "$logs/win.log" | sed 's/^/  /'
  count_ctest "$logs/win.log"
fi

# 6. Fuzz targets (clang, libFuzzer), a bounded time each, over their committed corpora.
if build_or_fail fuzz build/fuzz -DFLORRIN_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
  echo "== fuzz"
  for f in build/fuzz/bin/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    work=$top/build/fuzz/work/$name
    mkdir -p "$work" "fuzz/corpus/$name"
    if "$f" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$work" "fuzz/corpus/$name" \
         >"$logs/$name.log" 2>&1; then
      passed=$((passed + 1)); echo "  $name: ok"
    else
      failed=$((failed + 1)); echo "  $name: FAILED (see $logs/$name.log)"
    fi
  done
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
