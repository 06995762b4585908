# Source this: sets up (once) and warms a 64-bit, code page 936 Wine prefix.
#   source scripts/wine-prefix.sh DIR [--hermetic]
# --hermetic: HOME and the XDG folders point into DIR before the prefix exists, so nothing a
# test does (the Recycle Bin empties the XDG Trash) reaches the real home.
_fl_dir=$(mkdir -p "${1:?usage: source wine-prefix.sh DIR [--hermetic]}" && cd "$1" && pwd)
_fl_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The 64-bit loader and server by path: the `wine` wrapper prefers wine32 where it is installed.
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=$_fl_dir/pfx WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ "${2:-}" = "--hermetic" ]; then
  export HOME=$_fl_dir/home XDG_CONFIG_HOME=$_fl_dir/home/.config
  export XDG_DATA_HOME=$_fl_dir/home/.local/share XDG_CACHE_HOME=$_fl_dir/home/.cache
  mkdir -p "$HOME"
fi
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
if [ ! -f "$WINEPREFIX/.florrin-ready" ]; then
  rm -rf "$WINEPREFIX"
  env -u DISPLAY "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1 || return 1
  "$WINESERVER" -w
  # Debian's Wine does not load its own fonts folder (no Marlett, no Tahoma): copy them in.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  if [ "${2:-}" = "--hermetic" ]; then
    # Wine links the profile's Desktop, Documents... to HOME: make them real folders.
    for _fl_l in "$WINEPREFIX"/drive_c/users/*/*; do [ -L "$_fl_l" ] && rm "$_fl_l" && mkdir "$_fl_l"; done
  fi
  # regedit reads non-ASCII names only from UTF-16LE with a byte-order mark.
  { printf '\xff\xfe'; sed 's/$/\r/' "$_fl_here/wine-fonts.reg.in" | iconv -f UTF-8 -t UTF-16LE; } > "$_fl_dir/wine-fonts.reg"
  env -u DISPLAY "$WINELOADER" regedit /S "$(env -u DISPLAY "$WINELOADER" winepath -w "$_fl_dir/wine-fonts.reg")" </dev/null >/dev/null 2>&1 || return 1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.florrin-ready"
fi
# A persistent server and one warm-up process, with their output away from any pipe a caller
# waits on (CTest would otherwise wait for wineserver and services.exe).
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
true
