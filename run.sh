#!/usr/bin/env bash
# Installs what is missing, builds florrin.exe and starts it under Wine (the 64-bit build: these
# Linux machines cannot run 32-bit code; test.sh also builds the 32-bit program).
# With an X display it opens there; without one it runs under Xvfb, presses "立即扫描", waits for
# the summary, saves a screenshot of the scanned window and says the summary.
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD

scripts/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j"$(nproc)" --target florrin florrin_scan_driver

# Without a usable display, an Xvfb of our own. It must exist before the prefix warms up: Wine's
# desktop process keeps the display it started with.
headless=""
if [ -z "${DISPLAY:-}" ] || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  headless=1
  source scripts/xvfb.sh
fi

# The program's own prefix under the real home: the default scan folder is the user's profile.
source scripts/wine-prefix.sh "${XDG_DATA_HOME:-$HOME/.local/share}/florrin/wine"

if [ -z "$headless" ]; then
  exec "$WINELOADER" "$top/build/win/bin/florrin.exe"
fi

trap '"$WINESERVER" -k 2>/dev/null || true; kill "$FLORRIN_XVFB_PID" 2>/dev/null || true' EXIT
"$WINELOADER" "$top/build/win/bin/florrin.exe" </dev/null >/dev/null 2>&1 &
# The driver leaves "清空回收站" out: under Wine that would empty the Trash of your home.
shot="$top/build/florrin-screenshot.png"
if ! summary=$("$WINELOADER" "$top/build/win/bin/florrin_scan_driver.exe" </dev/null 2>&1 | tr -d '\r'); then
  import -window root "$shot"
  echo "florrin ran without a display, but the scan did not end: $summary (screenshot in $shot)" >&2
  exit 1
fi
# The last paint of the list and the status line.
sleep 1
import -window root "$shot"
echo "$summary"
echo "florrin scanned your profile folder without a display: screenshot in $shot"
