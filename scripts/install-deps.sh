#!/usr/bin/env bash
# Installs what is missing to build and test Florrin on Debian 12; a machine that has it all is left alone.
# Wine runs the 64-bit build: the Linux kernels of these machines cannot execute 32-bit code, so
# wine32 is of no use here (and the 32-bit program is only cross-built).
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

packages=(
  cmake make g++ googletest g++-mingw-w64-i686 clang clang-format libclang-rt-14-dev
  fd-find
  g++-mingw-w64-x86-64 wine wine64 fonts-wine
  libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1
  xvfb xauth xdotool imagemagick
  locales fonts-wqy-microhei fonts-wqy-zenhei
)

missing=()
for p in "${packages[@]}"; do
  # One line per installed architecture of the package.
  dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null | grep -qx installed || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "florrin: installing ${missing[*]}" >&2
  $SUDO apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The program's texts are code page 936: Wine takes it from a zh_CN locale.
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
