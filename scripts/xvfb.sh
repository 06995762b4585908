# Source this: starts an Xvfb on a free display number and exports DISPLAY and FLORRIN_XVFB_PID.
# The screen is as large as the Wine desktop, so Win32 screen coordinates are X coordinates.
# Source it before scripts/wine-prefix.sh: Wine's desktop process keeps the display it started with.
for _fl_n in $(seq 91 140); do
  if [ ! -e "/tmp/.X11-unix/X$_fl_n" ] && [ ! -e "/tmp/.X$_fl_n-lock" ]; then break; fi
done
Xvfb ":$_fl_n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
export FLORRIN_XVFB_PID=$!
export DISPLAY=":$_fl_n"
for _fl_i in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$_fl_n" ] && break
  sleep 0.1
done
